#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/WindowPost.h"

// Capacities of the context's text members, terminator included (UTF-16 units for wide text,
// bytes for narrow text). Values that do not fit are refused where they are read.
constexpr size_t kBaseUrlCapacity = 256;
constexpr size_t kPublicKeyPemCapacity = 512;
constexpr size_t kClientIdCapacity = 20;
constexpr size_t kDownloadFolderCapacity = 260;
constexpr size_t kPathCapacity = 256;

// The process-wide state every part of Kavrin reads. It is filled on the UI thread before any
// worker starts; afterwards only mainWindow and the download folders change, from the UI thread.
struct AppContext {
    std::string baseUrl;                            // the API server's base URL, ends with "/"
    std::atomic<platform::WindowId> mainWindow{0};  // 0 until the main window initialises
    int32_t softId = 0;
    int32_t version = 0;
    std::string publicKeyPem;                 // PEM "PUBLIC KEY" text of the API server's RSA key
    std::string clientId;                     // 16 characters once the settings are read
    std::u16string configuredDownloadFolder;  // from the settings; empty = not configured
    std::u16string downloadFolder;            // the folder in force
    std::u16string programDir;                // folder of the executable, ends with "/"
    std::u16string settingsDir;               // holds the settings file, ends with "/"
    std::u16string settingsPath;              // settingsDir + "kavrin.ini"
    std::u16string updaterPath;               // programDir + "AutoUpdater"
    std::u16string recordPath;                // the data folder + "gameList.dat"
    std::u16string reporterPath;              // programDir + "ErrorReporter"
    bool pathsFit = true;  // false when programDir leaves no room for a file name
    // False for a system-wide install, whose settings and record live in the user's folders.
    bool localFilesBesideProgram = true;
    // True: only answers whose CRC the server's RSA key protects are opened. The build chooses
    // the program's policy; tests set either one.
    bool requireRsaAnswers = KAVRIN_REQUIRE_RSA_ANSWERS != 0;

    AppContext() = default;
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;
};

// The one context of this process, with its paths and public key built.
AppContext& ProcessContext();

// Composes programDir and the file paths from the executable's full path, every file beside the
// program. Paths that would not fit kPathCapacity leave them all empty and pathsFit false.
void ComposeProgramPaths(AppContext& context, std::u16string_view executablePath);

// The PEM text from its stored form: Base64-decoded, then every byte unscrambled.
std::string BuildPublicKeyPem(const char* scrambledBase64);
