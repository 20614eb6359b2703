#include "ui/main/DownloadEndNotice.h"

#include "common/TextConvert.h"
#include "platform/Notification.h"
#include "platform/Window.h"

namespace {

const GamePackage* PackageOffering(const GameCatalog& catalog, const DownloadRecord& record) {
    for (const GamePackage& package : catalog) {
        for (const DownloadRecord& file : package.files) {
            if (file.url == record.url) {
                return &package;
            }
        }
    }
    for (const GamePackage& package : catalog) {
        if (package.type == record.type) {
            return &package;
        }
    }
    return nullptr;
}

}  // namespace

void DownloadEndNotice::DownloadEnded(const DownloadRecord& record, bool completed) {
    if (MainWindowInFront()) {
        return;
    }
    platform::ShowDesktopNotification(Utf16ToAnsi(GameNameOf(record)),
                                      completed ? kCompletedText : kFailedText);
}

std::u16string DownloadEndNotice::GameNameOf(const DownloadRecord& record) const {
    const GamePackage* package = catalog_ != nullptr ? PackageOffering(*catalog_, record) : nullptr;
    if (package != nullptr && !package->name.empty()) {
        return package->name;
    }
    return record.name + record.extension;
}

// In front: not minimised, and the focus is in the main window or in a window it owns (the
// selection or message window over it).
bool DownloadEndNotice::MainWindowInFront() const {
    const platform::WindowId main = mainWindow_.GetHWND();
    if (main == 0 || platform::IsMinimized(main)) {
        return false;
    }
    for (platform::WindowId window = platform::GetFocus(); window != 0;
         window = platform::GetOwner(window)) {
        if (window == main) {
            return true;
        }
    }
    return false;
}
