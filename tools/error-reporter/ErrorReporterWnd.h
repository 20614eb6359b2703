#pragma once

#include <cstdint>
#include <string>

#include "platform/Messages.h"
#include "tools/error-reporter/CrashUpload.h"
#include "tools/error-reporter/ReportSubject.h"
#include "uikit/window/WindowImplBase.h"

namespace uikit {
class CControlUI;
class CLabelUI;
}  // namespace uikit

// The window of "ErrorReporter.xml" the reporter shows after a crash: it says that Kavrin
// stopped, names the dump, and restarts Kavrin, shows the dump in the file manager or sends it.
// Without a dump only the restart is offered. A report goes once; a failed one may be sent again.
class ErrorReporterWnd : public uikit::WindowImplBase {
  public:
    static constexpr const char* kTitle = "Kavrin 错误报告";
    static constexpr const char16_t* kDumpPrefix = u"错误报告文件：";
    static constexpr const char16_t* kNoDumpText = u"没有找到错误报告文件。";
    static constexpr const char16_t* kNoDumpHintText = u"您可以重新启动 Kavrin 继续使用。";
    static constexpr const char16_t* kSendingText = u"正在发送报告，请稍候……";
    static constexpr const char16_t* kSentText = u"报告已发送，谢谢您的帮助！";
    static constexpr const char16_t* kSendFailedText = u"报告发送失败，请检查网络后重试。";
    static constexpr const char16_t* kDumpMissingText = u"找不到错误报告文件，无法发送。";
    static constexpr const char16_t* kDumpTooLargeText = u"错误报告文件大小异常，无法发送。";
    static constexpr const char16_t* kRestartFailedText = u"无法启动 Kavrin，请手动打开。";
    static constexpr const char16_t* kRevealFailedText = u"无法打开错误报告所在的文件夹。";

    // Posted by the upload's thread with the UploadOutcome as wParam.
    static constexpr uint32_t kUploadDoneMessage = platform::WM_APP + 1;

    explicit ErrorReporterWnd(ReportSubject subject) : subject_(std::move(subject)) {}

  protected:
    std::string GetWindowClassName() const override { return "ErrorReporter"; }
    std::u16string GetSkinFile() const override { return u"ErrorReporter.xml"; }
    void InitWindow() override;
    void OnClick(uikit::NotifyRecordUI& msg) override;
    intptr_t HandleCustomMessage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                 bool& handled) override;

  private:
    enum class Tone { Hint, Progress, Success, Failure };

    void Restart();
    void RevealDump();
    void SendReport();
    void ShowOutcome(UploadOutcome outcome);
    void ShowStatus(std::u16string_view text, Tone tone);
    void Enable(std::u16string_view name, bool enabled);

    ReportSubject subject_;
    uikit::CLabelUI* status_ = nullptr;
};
