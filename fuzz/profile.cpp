// The settings (.ini) reader on a file of any content, and a write into it read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/Profile.h"

namespace {

// A file of this process alone under the temporary folder, removed at exit.
struct FuzzFile {
    FuzzFile() {
        std::random_device random;
        path =
            std::filesystem::temp_directory_path() /
            ("kavrin-fuzz-profile-" + std::to_string(random()) + std::to_string(random()) + ".ini");
        wide = path.u16string();
    }
    ~FuzzFile() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    std::filesystem::path path;
    std::u16string wide;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file;
    {
        std::ofstream out(file.path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    volatile int sink = platform::GetPrivateProfileInt(u"soft", u"version", 7, file.wide);
    for (const char16_t* key : {u"DriveUrlW2V", u"clientId", u"url"}) {
        sink =
            sink + static_cast<int>(
                       platform::GetPrivateProfileString(u"soft", key, u"", 260, file.wide).size());
        sink =
            sink + static_cast<int>(
                       platform::GetPrivateProfileString(u"report", key, u"", 5, file.wide).size());
    }
    if (platform::WritePrivateProfileString(u"soft", u"version", u"102", file.wide) &&
        platform::GetPrivateProfileInt(u"soft", u"version", 0, file.wide) != 102) {
        std::abort();
    }
    return 0;
}
