#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "engine/DlEngine.h"
#include "platform/SharedLibrary.h"

namespace DownEngine {

// The engine library could not be loaded; what() names the file that was tried.
class EngineLoadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The download engine as the client sees it: the library loaded from the program's own folder
// and its 21 entry points. A name the library does not export leaves its slot empty, and a call
// through an empty slot is skipped and answers 0.
class CDownWrapper {
  public:
    // programDir ends with "/". Throws EngineLoadError when the library cannot be loaded.
    explicit CDownWrapper(const std::u16string& programDir);
    virtual ~CDownWrapper();
    CDownWrapper(const CDownWrapper&) = delete;
    CDownWrapper& operator=(const CDownWrapper&) = delete;

    // The library's full path for a program folder.
    static std::u16string LibraryPath(const std::u16string& programDir);

    int32_t Init();
    DL_TaskHandle CreateTask(const EngineTaskRequest& request);
    int32_t StartTask(DL_TaskHandle task);
    int32_t ForceStopTask(DL_TaskHandle task);
    int32_t StopTask(DL_TaskHandle task);
    int32_t DeleteTask(DL_TaskHandle task);
    int32_t QueryTaskInfoEx(DL_TaskHandle task, EngineTaskReport& report);

    int32_t UnInit();
    int32_t QueryTaskInfo(DL_TaskHandle task, int32_t* state, int64_t* total, int64_t* downloaded);
    int32_t SetSpeedLimit(int64_t bytesPerSecond);
    int32_t SetProxy(const char16_t* proxyUrl);
    DL_TaskHandle CreateTaskByURL(const char16_t* url, const char16_t* folder,
                                  const char16_t* fileName);
    int32_t SetCaFile(const char16_t* pemPath);
    int32_t SetMaxConnections(int32_t connections);
    int32_t SetUserAgent(const char16_t* userAgent);
    int32_t GetVersion();
    int32_t GetTaskCount();
    int32_t PauseAllTasks();
    int32_t StartAllTasks();
    const char* GetErrorText(int32_t errorCode);
    int32_t DeleteTaskFiles(DL_TaskHandle task);

    // Slots resolved, of the 21.
    int ResolvedCount() const;

  private:
    struct Slots {
        decltype(&DL_Init) init = nullptr;
        decltype(&DL_CreateTask) createTask = nullptr;
        decltype(&DL_StartTask) startTask = nullptr;
        decltype(&DL_ForceStopTask) forceStopTask = nullptr;
        decltype(&DL_StopTask) stopTask = nullptr;
        decltype(&DL_DeleteTask) deleteTask = nullptr;
        decltype(&DL_QueryTaskInfoEx) queryTaskInfoEx = nullptr;
        decltype(&DL_UnInit) unInit = nullptr;
        decltype(&DL_QueryTaskInfo) queryTaskInfo = nullptr;
        decltype(&DL_SetSpeedLimit) setSpeedLimit = nullptr;
        decltype(&DL_SetProxy) setProxy = nullptr;
        decltype(&DL_CreateTaskByURL) createTaskByUrl = nullptr;
        decltype(&DL_SetCaFile) setCaFile = nullptr;
        decltype(&DL_SetMaxConnections) setMaxConnections = nullptr;
        decltype(&DL_SetUserAgent) setUserAgent = nullptr;
        decltype(&DL_GetVersion) getVersion = nullptr;
        decltype(&DL_GetTaskCount) getTaskCount = nullptr;
        decltype(&DL_PauseAllTasks) pauseAllTasks = nullptr;
        decltype(&DL_StartAllTasks) startAllTasks = nullptr;
        decltype(&DL_GetErrorText) getErrorText = nullptr;
        decltype(&DL_DeleteTaskFiles) deleteTaskFiles = nullptr;
    };
    void Resolve();

    std::unique_ptr<platform::SharedLibrary> library_;
    Slots slots_;
    bool initialised_ = false;
};

}  // namespace DownEngine
