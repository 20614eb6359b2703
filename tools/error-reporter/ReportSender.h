#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/WindowPost.h"
#include "tools/error-reporter/UploadTarget.h"

// Sends one report on a thread of its own, so the window stays live however long the network
// takes, and posts the outcome to the window: message with the UploadOutcome as wParam. The
// thread holds its own copies and is never joined; the process ends without waiting for it, and
// a window gone by then simply gets no message.
void StartReportUpload(platform::WindowId window, uint32_t message, UploadTarget target,
                       std::filesystem::path dump, std::string dumpName);
