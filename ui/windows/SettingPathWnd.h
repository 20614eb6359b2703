#pragma once

#include <string>

#include "context/AppContext.h"
#include "uikit/window/WindowImplBase.h"

class CMessageWnd;

namespace uikit {
class CControlUI;
}

// The download folder settings of "SettingPathWnd.xml": shows the folder in force and the room
// left on its volume, opens it in the file manager and lets the player choose another. A chosen
// folder is in force, and saved, at once; closing the window by any button undoes nothing.
class SettingPathWnd : public uikit::WindowImplBase {
  public:
    // Notices for folders the engine could not save into.
    static constexpr const char16_t* kFolderTooLongText = u"文件夹路径太长，请选择短一些的文件夹";
    static constexpr const char16_t* kFolderNotWritableText = u"无法写入该文件夹，请选择其他文件夹";

    explicit SettingPathWnd(AppContext& context) : context_(context) {}

    // The refusal notice while it is open; null otherwise.
    CMessageWnd* OpenNotice() const { return notice_; }

  protected:
    std::string GetWindowClassName() const override { return "SettingPathWnd"; }
    std::u16string GetSkinFile() const override { return u"SettingPathWnd.xml"; }
    void InitWindow() override;
    void OnClick(uikit::NotifyRecordUI& msg) override;

  private:
    void ChangeFolder();
    // Empty when the engine can save into the folder, else the notice that says why not.
    std::u16string RefusalFor(const std::u16string& folder) const;
    void Refuse(const std::u16string& text);
    void ShowFolder(const std::u16string& folder);
    void ShowFreeSpace();
    void OpenFolderInForce();

    AppContext& context_;
    uikit::CControlUI* folderEdit_ = nullptr;
    uikit::CControlUI* freeSpace_ = nullptr;
    CMessageWnd* notice_ = nullptr;
};
