#include "context/LocalFiles.h"

#include <filesystem>
#include <system_error>

#include "common/TextConvert.h"

namespace {

constexpr std::u16string_view kSettingsFileName = u"kavrin.ini";
constexpr std::u16string_view kRecordFileName = u"gameList.dat";

std::filesystem::path PathOf(const std::u16string& path) {
    return std::filesystem::path(Utf16ToAnsi(path));
}

}  // namespace

void PlaceLocalFiles(AppContext& context, const platform::LocalFileFolders& folders) {
    context.localFilesBesideProgram = folders.besideProgram;
    const std::u16string settingsDir = AnsiToUtf16(folders.settings);
    const std::u16string settingsPath = settingsDir + std::u16string(kSettingsFileName);
    const std::u16string recordPath = AnsiToUtf16(folders.data) + std::u16string(kRecordFileName);
    if (settingsPath.size() >= kPathCapacity || recordPath.size() >= kPathCapacity) {
        context.pathsFit = false;
        return;
    }
    context.settingsDir = settingsDir;
    context.settingsPath = settingsPath;
    context.recordPath = recordPath;
}

bool PrepareLocalFiles(const AppContext& context) {
    if (context.localFilesBesideProgram) {
        return true;
    }
    const std::filesystem::path settings = PathOf(context.settingsPath);
    const std::filesystem::path record = PathOf(context.recordPath);
    if (!platform::MakePrivateFolders(settings.parent_path().string()) ||
        !platform::MakePrivateFolders(record.parent_path().string())) {
        return false;
    }
    const std::filesystem::path shipped =
        PathOf(context.programDir + std::u16string(kSettingsFileName));
    std::error_code error;
    if (std::filesystem::is_regular_file(shipped, error)) {
        // An existing file is the player's own and stays as it is.
        std::filesystem::copy_file(shipped, settings, std::filesystem::copy_options::skip_existing,
                                   error);
    }
    return true;
}
