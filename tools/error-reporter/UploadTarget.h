#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Where a crash report goes and which installation it comes from.
struct UploadTarget {
    std::string baseUrl;  // the API server's, https, ends with "/"
    int32_t softId = 0;
    int32_t version = 0;
    std::string clientId;  // empty when the client's settings hold no valid one
};

// The upload address is "url" of section "report" in the reporter's own settings file, beside
// it in programDir (ending with "/"), when that is an https address, else builtInUrl; the ids
// are those of the client's settings file (its kavrin.ini, wherever the client keeps it), or the
// client's defaults when it holds none. Neither file is ever written: the client repairs its
// own settings.
UploadTarget ReadUploadTarget(const std::u16string& programDir, std::string_view settingsName,
                              const std::u16string& clientSettings, std::string_view builtInUrl);
