#include "ui/windows/SettingPathWnd.h"

#include "common/TextConvert.h"
#include "download/DownloadFolder.h"
#include "platform/Dialogs.h"
#include "platform/Profile.h"
#include "platform/Shell.h"
#include "platform/UserFolders.h"
#include "platform/Window.h"
#include "ui/windows/FreeSpaceText.h"
#include "ui/windows/MessageWnd.h"
#include "uikit/controls/ControlUI.h"

void SettingPathWnd::InitWindow() {
    folderEdit_ = m_pm.FindControl(u"savePathGame");
    freeSpace_ = m_pm.FindControl(u"residualSize");
    context_.downloadFolder = DownEngine::DownloadFolderInForce(context_.configuredDownloadFolder);
    ShowFolder(context_.downloadFolder);
    ShowFreeSpace();
}

void SettingPathWnd::OnClick(uikit::NotifyRecordUI& msg) {
    const std::u16string_view name = msg.sender != nullptr ? msg.sender->GetName() : u"";
    if (name == u"btnChangePath") {
        ChangeFolder();
    } else if (name == u"btnOpenPath" || name == u"folderPng") {
        OpenFolderInForce();
    } else if (name == u"ConfirmBtn" || name == u"CancelBtn") {
        Close(1);
    } else {
        WindowImplBase::OnClick(msg);  // closebtn
    }
}

void SettingPathWnd::ChangeFolder() {
    const std::u16string chosen =
        AnsiToUtf16(platform::ChooseFolder(GetHWND(), Utf16ToAnsi(context_.downloadFolder)));
    if (chosen.empty()) {
        return;
    }
    if (const std::u16string refusal = RefusalFor(chosen); !refusal.empty()) {
        Refuse(refusal);
        return;
    }
    ShowFolder(chosen);
    // What is saved and put in force is what the player now sees in the box.
    const std::u16string folder =
        folderEdit_ != nullptr ? std::u16string(folderEdit_->GetText()) : chosen;
    platform::WritePrivateProfileString(u"soft", u"DriveUrlW2V", folder, context_.settingsPath);
    context_.configuredDownloadFolder = folder;
    context_.downloadFolder = folder;
    ShowFreeSpace();
}

// The engine's folder field would cut a longer path, and every save into a folder that takes no
// files fails; both are refused before anything changes.
std::u16string SettingPathWnd::RefusalFor(const std::u16string& folder) const {
    if (folder.size() >= kDownloadFolderCapacity) {
        return kFolderTooLongText;
    }
    if (!platform::IsWritableFolder(Utf16ToAnsi(folder))) {
        return kFolderNotWritableText;
    }
    return {};
}

void SettingPathWnd::Refuse(const std::u16string& text) {
    CMessageWnd notice(text, false);
    notice_ = &notice;
    notice.RunOver(GetHWND(), "MessageWnd");
    notice_ = nullptr;
}

void SettingPathWnd::ShowFolder(const std::u16string& folder) {
    if (folderEdit_ != nullptr) {
        folderEdit_->SetText(folder);
    }
}

// A volume that cannot be asked leaves the last figure (or the markup's) standing.
void SettingPathWnd::ShowFreeSpace() {
    uint64_t bytes = 0;
    if (freeSpace_ != nullptr && platform::FreeSpace(Utf16ToAnsi(context_.downloadFolder), bytes)) {
        freeSpace_->SetText(FreeSpaceText(bytes));
    }
}

void SettingPathWnd::OpenFolderInForce() {
    if (!context_.downloadFolder.empty()) {
        platform::OpenFolder(Utf16ToAnsi(context_.downloadFolder));
    }
}
