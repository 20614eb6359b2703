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

// From the files in the reporter's folder (programDir ends with "/"): the upload address is
// "url" of section "report" in the reporter's own settings file when that is an https address,
// else builtInUrl; the ids are those of the client's kavrin.ini, or the client's defaults when
// it holds none. Neither file is ever written: the client repairs its own settings.
UploadTarget ReadUploadTarget(const std::u16string& programDir, std::string_view settingsName,
                              std::string_view builtInUrl);
