#include "engine/TaskTarget.h"

#include "common/FolderSeparator.h"
#include "common/TextConvert.h"
#include "engine/DlEngine.h"
#include "platform/engine/Files.h"

namespace dlengine {

bool IsSafeFileName(const std::u16string& name) {
    if (name.empty() || name == u"." || name == u"..") {
        return false;
    }
    for (char16_t unit : name) {
        if (unit == u'/' || unit == u'\\' || unit < 0x20 || unit == 0x7F) {
            return false;
        }
    }
    return true;
}

bool MakeTaskTarget(const std::u16string& url, const std::u16string& folder,
                    const std::u16string& fileName, TaskTarget& target, int& error) {
    if (url.empty() || folder.empty()) {
        error = DL_ERROR_BAD_REQUEST;
        return false;
    }
    if (!IsSafeFileName(fileName)) {
        error = DL_ERROR_UNSAFE_NAME;
        return false;
    }
    std::string folderPath = Utf16ToAnsi(folder);
    if (!os::IsDirectory(folderPath)) {
        error = DL_ERROR_BAD_REQUEST;
        return false;
    }
    folderPath = WithFolderSeparator(folderPath);
    target.url = Utf16ToAnsi(url);
    target.finalPath = folderPath + Utf16ToAnsi(fileName);
    target.partPath = target.finalPath + ".part";
    target.statePath = target.partPath + ".state";
    return true;
}

}  // namespace dlengine
