#include "tools/error-reporter/ReportSender.h"

#include <thread>

#include "tools/error-reporter/CrashUpload.h"

void StartReportUpload(platform::WindowId window, uint32_t message, UploadTarget target,
                       std::filesystem::path dump, std::string dumpName) {
    std::thread([=] {
        const UploadOutcome outcome = UploadDump(target, dump, dumpName);
        platform::PostWindowMessage(window, message, static_cast<uintptr_t>(outcome), 0);
    }).detach();
}
