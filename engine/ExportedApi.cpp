// The C interface: a thin layer over the one Engine of the process.
#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <string>

#include "common/TextConvert.h"
#include "engine/DlEngine.h"
#include "engine/Engine.h"

namespace {

using dlengine::Engine;
using dlengine::EngineSettings;
using dlengine::TaskReport;

constexpr int32_t kVersion = 0x01000000;

std::mutex& EngineMutex() {
    static std::mutex mutex;
    return mutex;
}

std::unique_ptr<Engine>& EngineSlot() {
    static std::unique_ptr<Engine> engine;
    return engine;
}

// The engine of the process, or null before DL_Init.
Engine* Current() {
    std::lock_guard lock(EngineMutex());
    return EngineSlot().get();
}

// Text of a fixed-size field, cut at its terminator or at its end if the caller left none.
std::u16string FieldText(const char16_t* field, size_t capacity) {
    size_t length = 0;
    while (length < capacity && field[length] != 0) {
        ++length;
    }
    return std::u16string(field, length);
}

std::u16string Text(const char16_t* text) {
    return text ? std::u16string(text) : std::u16string();
}

void FillReport(const TaskReport& from, EngineTaskReport& to) {
    to = EngineTaskReport{};
    to.state = from.state;
    to.totalBytes = from.totalBytes;
    to.downloadedBytes = from.downloadedBytes;
    to.bytesPerSecond = from.bytesPerSecond;
    to.errorCode = from.errorCode;
    to.httpStatus = from.httpStatus;
    to.connections = from.connections;
    to.fetchedBytes = from.fetchedBytes;
    float progress = 0.0f;
    if (from.state == DL_STATE_COMPLETE) {
        progress = 1.0f;
    } else if (from.totalBytes > 0) {
        progress = static_cast<float>(static_cast<double>(from.downloadedBytes) /
                                      static_cast<double>(from.totalBytes));
    }
    to.progress = progress;
}

int32_t ChangeSettings(void (*apply)(EngineSettings&, const std::string&),
                       const std::string& value) {
    Engine* engine = Current();
    if (!engine) {
        return 0;
    }
    engine->ChangeSettings([apply, value](EngineSettings& settings) { apply(settings, value); });
    return 1;
}

}  // namespace

extern "C" {

int32_t DL_Init(void) {
    std::lock_guard lock(EngineMutex());
    if (EngineSlot()) {
        return 1;
    }
    static const bool curlReady = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!curlReady) {
        return 0;
    }
    auto engine = std::make_unique<Engine>();
    if (!engine->Running()) {
        return 0;
    }
    EngineSlot() = std::move(engine);
    return 1;
}

int32_t DL_UnInit(void) {
    std::unique_ptr<Engine> engine;
    {
        std::lock_guard lock(EngineMutex());
        engine = std::move(EngineSlot());
    }
    return engine ? 1 : 0;
}

DL_TaskHandle DL_CreateTask(const EngineTaskRequest* request) {
    Engine* engine = Current();
    if (!engine || !request) {
        return 0;
    }
    return engine->Create(FieldText(request->url, DL_URL_CAPACITY),
                          FieldText(request->saveFolder, DL_FOLDER_CAPACITY),
                          FieldText(request->fileName, DL_FILE_NAME_CAPACITY));
}

DL_TaskHandle DL_CreateTaskByURL(const char16_t* url, const char16_t* saveFolder,
                                 const char16_t* fileName) {
    Engine* engine = Current();
    return engine ? engine->Create(Text(url), Text(saveFolder), Text(fileName)) : 0;
}

int32_t DL_StartTask(DL_TaskHandle task) {
    Engine* engine = Current();
    return engine && engine->Start(task) ? 1 : 0;
}

int32_t DL_ForceStopTask(DL_TaskHandle task) {
    Engine* engine = Current();
    return engine && engine->Halt(task, DL_STATE_PAUSED) ? 1 : 0;
}

int32_t DL_StopTask(DL_TaskHandle task) {
    Engine* engine = Current();
    return engine && engine->Halt(task, DL_STATE_STOPPED) ? 1 : 0;
}

int32_t DL_DeleteTask(DL_TaskHandle task) {
    Engine* engine = Current();
    return engine && engine->Delete(task) ? 1 : 0;
}

int32_t DL_DeleteTaskFiles(DL_TaskHandle task) {
    Engine* engine = Current();
    return engine && engine->DeleteFiles(task) ? 1 : 0;
}

int32_t DL_QueryTaskInfoEx(DL_TaskHandle task, EngineTaskReport* report) {
    Engine* engine = Current();
    TaskReport found;
    if (!engine || !report || !engine->Query(task, found)) {
        return 0;
    }
    FillReport(found, *report);
    return 1;
}

int32_t DL_QueryTaskInfo(DL_TaskHandle task, int32_t* state, int64_t* totalBytes,
                         int64_t* downloadedBytes) {
    Engine* engine = Current();
    TaskReport found;
    if (!engine || !engine->Query(task, found)) {
        return 0;
    }
    if (state) {
        *state = found.state;
    }
    if (totalBytes) {
        *totalBytes = found.totalBytes;
    }
    if (downloadedBytes) {
        *downloadedBytes = found.downloadedBytes;
    }
    return 1;
}

int32_t DL_SetSpeedLimit(int64_t bytesPerSecond) {
    Engine* engine = Current();
    if (!engine || bytesPerSecond < 0) {
        return 0;
    }
    engine->ChangeSettings([bytesPerSecond](EngineSettings& s) { s.speedLimit = bytesPerSecond; });
    return 1;
}

int32_t DL_SetMaxConnections(int32_t connections) {
    Engine* engine = Current();
    if (!engine || connections < 1 || connections > 16) {
        return 0;
    }
    engine->ChangeSettings([connections](EngineSettings& s) { s.maxConnections = connections; });
    return 1;
}

int32_t DL_SetProxy(const char16_t* proxyUrl) {
    return ChangeSettings([](EngineSettings& s, const std::string& v) { s.proxy = v; },
                          Utf16ToAnsi(Text(proxyUrl)));
}

int32_t DL_SetCaFile(const char16_t* pemPath) {
    return ChangeSettings([](EngineSettings& s, const std::string& v) { s.caFile = v; },
                          Utf16ToAnsi(Text(pemPath)));
}

int32_t DL_SetUserAgent(const char16_t* userAgent) {
    return ChangeSettings(
        [](EngineSettings& s, const std::string& v) {
            s.userAgent = v.empty() ? EngineSettings{}.userAgent : v;
        },
        Utf16ToAnsi(Text(userAgent)));
}

int32_t DL_GetVersion(void) {
    return kVersion;
}

int32_t DL_GetTaskCount(void) {
    Engine* engine = Current();
    return engine ? engine->Count() : 0;
}

int32_t DL_PauseAllTasks(void) {
    Engine* engine = Current();
    if (!engine) {
        return 0;
    }
    engine->HaltAll();
    return 1;
}

int32_t DL_StartAllTasks(void) {
    Engine* engine = Current();
    if (!engine) {
        return 0;
    }
    engine->StartAll();
    return 1;
}

const char* DL_GetErrorText(int32_t errorCode) {
    switch (errorCode) {
        case DL_ERROR_NONE:
            return "no error";
        case DL_ERROR_BAD_REQUEST:
            return "unusable URL, folder or file name";
        case DL_ERROR_UNSAFE_NAME:
            return "file name would leave the save folder";
        case DL_ERROR_HTTP:
            return "the server refused the file";
        case DL_ERROR_NETWORK:
            return "network failure";
        case DL_ERROR_TLS:
            return "server certificate not trusted";
        case DL_ERROR_DISK_FULL:
            return "disk full";
        case DL_ERROR_FILE:
            return "cannot write the file";
        case DL_ERROR_SAME_FILE:
            return "another task is saving the same file";
        default:
            return "unknown error";
    }
}

}  // extern "C"
