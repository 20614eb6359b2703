#include "tools/error-reporter/ErrorReporterWnd.h"

#include "common/TextConvert.h"
#include "platform/ProgramStart.h"
#include "platform/Shell.h"
#include "tools/error-reporter/ReportSender.h"
#include "uikit/controls/LabelUI.h"

namespace {

constexpr const char16_t* kRestart = u"btnRestart";
constexpr const char16_t* kOpenFolder = u"btnOpenFolder";
constexpr const char16_t* kSend = u"btnSendReport";

}  // namespace

void ErrorReporterWnd::InitWindow() {
    if (uikit::CControlUI* status = m_pm.FindControl(u"reportStatus")) {
        status_ = static_cast<uikit::CLabelUI*>(status->GetInterface(u"Label"));
    }
    const bool haveDump = !subject_.dumpName.empty();
    if (uikit::CControlUI* dumpLine = m_pm.FindControl(u"dumpName")) {
        dumpLine->SetText(haveDump ? kDumpPrefix + AnsiToUtf16(subject_.dumpName)
                                   : std::u16string(kNoDumpText));
        dumpLine->SetToolTip(AnsiToUtf16(subject_.dump.string()));
    }
    Enable(kOpenFolder, haveDump);
    Enable(kSend, haveDump);
    if (!haveDump) {
        ShowStatus(kNoDumpHintText, Tone::Hint);
    }
}

void ErrorReporterWnd::OnClick(uikit::NotifyRecordUI& msg) {
    const std::u16string_view name = msg.sender != nullptr ? msg.sender->GetName() : u"";
    if (name == kRestart) {
        Restart();
    } else if (name == kOpenFolder) {
        RevealDump();
    } else if (name == kSend) {
        SendReport();
    } else {
        WindowImplBase::OnClick(msg);  // closebtn
    }
}

intptr_t ErrorReporterWnd::HandleCustomMessage(uint32_t message, uintptr_t wParam, intptr_t,
                                               bool& handled) {
    handled = message == kUploadDoneMessage;
    if (handled) {
        ShowOutcome(static_cast<UploadOutcome>(wParam));
    }
    return 0;
}

// The new client starts in this folder, where the crashed one ran.
void ErrorReporterWnd::Restart() {
    if (platform::StartProgramBesideExecutable("kavrin", {})) {
        Close(1);
    } else {
        ShowStatus(kRestartFailedText, Tone::Failure);
    }
}

void ErrorReporterWnd::RevealDump() {
    if (subject_.dumpName.empty() || !platform::ShowInFileManager(subject_.dump.string())) {
        ShowStatus(kRevealFailedText, Tone::Failure);
    }
}

// The button stays off while the report travels, so it goes once.
void ErrorReporterWnd::SendReport() {
    if (subject_.dumpName.empty()) {
        return;
    }
    Enable(kSend, false);
    ShowStatus(kSendingText, Tone::Progress);
    StartReportUpload(GetHWND(), kUploadDoneMessage, subject_.target, subject_.dump,
                      subject_.dumpName);
}

// Only a failure of the transfer is worth another try; a dump that cannot be sent stays so.
void ErrorReporterWnd::ShowOutcome(UploadOutcome outcome) {
    switch (outcome) {
        case UploadOutcome::Sent:
            ShowStatus(kSentText, Tone::Success);
            return;
        case UploadOutcome::DumpMissing:
            ShowStatus(kDumpMissingText, Tone::Failure);
            return;
        case UploadOutcome::DumpTooLarge:
            ShowStatus(kDumpTooLargeText, Tone::Failure);
            return;
        case UploadOutcome::Failed:
            ShowStatus(kSendFailedText, Tone::Failure);
            Enable(kSend, true);
            return;
    }
}

void ErrorReporterWnd::ShowStatus(std::u16string_view text, Tone tone) {
    if (status_ == nullptr) {
        return;
    }
    static constexpr uint32_t kColours[] = {0xFF818181, 0xFF347AEA, 0xFF2BA84A, 0xFFE5484D};
    status_->SetTextColor(kColours[static_cast<int>(tone)]);
    status_->SetText(text);
}

void ErrorReporterWnd::Enable(std::u16string_view name, bool enabled) {
    if (uikit::CControlUI* button = m_pm.FindControl(name)) {
        button->SetEnabled(enabled);
    }
}
