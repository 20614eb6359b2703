#include "download/DownloadFolder.h"

#include "common/TextConvert.h"
#include "platform/UserFolders.h"

namespace DownEngine {

namespace {

bool Fits(const std::u16string& folder) {
    return !folder.empty() && folder.size() < kDownloadFolderCapacity;
}

}  // namespace

std::u16string DownloadFolderInForce(const std::u16string& configured) {
    if (Fits(configured)) {
        return configured;
    }
    std::u16string downloads = AnsiToUtf16(platform::DownloadsFolder());
    // A home folder too deep for the engine's folder field would truncate every save path;
    // no folder at all makes the failure visible at the first download instead.
    return Fits(downloads) ? downloads : std::u16string();
}

void SettleDownloadFolder(AppContext& context) {
    context.downloadFolder = DownloadFolderInForce(context.configuredDownloadFolder);
}

}  // namespace DownEngine
