#include "download/DownWrapper.h"

#include "common/FolderSeparator.h"
#include "common/TextConvert.h"

namespace DownEngine {

namespace {

// A call through a slot, or 0 when the library does not export the name.
template <typename Function, typename... Args>
auto CallSlot(Function slot, Args... args) -> decltype(slot(args...)) {
    if (!slot) {
        return {};
    }
    return slot(args...);
}

template <typename Function>
void ResolveSlot(const platform::SharedLibrary& library, const char* name, Function& slot) {
    slot = reinterpret_cast<Function>(library.Symbol(name));
}

}  // namespace

std::u16string CDownWrapper::LibraryPath(const std::u16string& programDir) {
    return WithFolderSeparator(programDir) + platform::SharedLibraryFileName(u"dlengine");
}

CDownWrapper::CDownWrapper(const std::u16string& programDir) {
    const std::u16string path = LibraryPath(programDir);
    std::string reason;
    library_ = platform::LoadSharedLibrary(path, reason);
    if (!library_) {
        throw EngineLoadError("can not load " + Utf16ToAnsi(path) + " (" + reason + ")");
    }
    Resolve();
}

// The engine's thread runs code of the library: it must end before the library is unloaded.
CDownWrapper::~CDownWrapper() {
    if (initialised_) {
        UnInit();
    }
}

void CDownWrapper::Resolve() {
    const platform::SharedLibrary& lib = *library_;
    ResolveSlot(lib, "DL_Init", slots_.init);
    ResolveSlot(lib, "DL_CreateTask", slots_.createTask);
    ResolveSlot(lib, "DL_StartTask", slots_.startTask);
    ResolveSlot(lib, "DL_ForceStopTask", slots_.forceStopTask);
    ResolveSlot(lib, "DL_StopTask", slots_.stopTask);
    ResolveSlot(lib, "DL_DeleteTask", slots_.deleteTask);
    ResolveSlot(lib, "DL_QueryTaskInfoEx", slots_.queryTaskInfoEx);
    ResolveSlot(lib, "DL_UnInit", slots_.unInit);
    ResolveSlot(lib, "DL_QueryTaskInfo", slots_.queryTaskInfo);
    ResolveSlot(lib, "DL_SetSpeedLimit", slots_.setSpeedLimit);
    ResolveSlot(lib, "DL_SetProxy", slots_.setProxy);
    ResolveSlot(lib, "DL_CreateTaskByURL", slots_.createTaskByUrl);
    ResolveSlot(lib, "DL_SetCaFile", slots_.setCaFile);
    ResolveSlot(lib, "DL_SetMaxConnections", slots_.setMaxConnections);
    ResolveSlot(lib, "DL_SetUserAgent", slots_.setUserAgent);
    ResolveSlot(lib, "DL_GetVersion", slots_.getVersion);
    ResolveSlot(lib, "DL_GetTaskCount", slots_.getTaskCount);
    ResolveSlot(lib, "DL_PauseAllTasks", slots_.pauseAllTasks);
    ResolveSlot(lib, "DL_StartAllTasks", slots_.startAllTasks);
    ResolveSlot(lib, "DL_GetErrorText", slots_.getErrorText);
    ResolveSlot(lib, "DL_DeleteTaskFiles", slots_.deleteTaskFiles);
}

int CDownWrapper::ResolvedCount() const {
    const void* all[] = {
        reinterpret_cast<const void*>(slots_.init),
        reinterpret_cast<const void*>(slots_.createTask),
        reinterpret_cast<const void*>(slots_.startTask),
        reinterpret_cast<const void*>(slots_.forceStopTask),
        reinterpret_cast<const void*>(slots_.stopTask),
        reinterpret_cast<const void*>(slots_.deleteTask),
        reinterpret_cast<const void*>(slots_.queryTaskInfoEx),
        reinterpret_cast<const void*>(slots_.unInit),
        reinterpret_cast<const void*>(slots_.queryTaskInfo),
        reinterpret_cast<const void*>(slots_.setSpeedLimit),
        reinterpret_cast<const void*>(slots_.setProxy),
        reinterpret_cast<const void*>(slots_.createTaskByUrl),
        reinterpret_cast<const void*>(slots_.setCaFile),
        reinterpret_cast<const void*>(slots_.setMaxConnections),
        reinterpret_cast<const void*>(slots_.setUserAgent),
        reinterpret_cast<const void*>(slots_.getVersion),
        reinterpret_cast<const void*>(slots_.getTaskCount),
        reinterpret_cast<const void*>(slots_.pauseAllTasks),
        reinterpret_cast<const void*>(slots_.startAllTasks),
        reinterpret_cast<const void*>(slots_.getErrorText),
        reinterpret_cast<const void*>(slots_.deleteTaskFiles),
    };
    int count = 0;
    for (const void* slot : all) {
        count += slot != nullptr ? 1 : 0;
    }
    return count;
}

int32_t CDownWrapper::Init() {
    const int32_t result = CallSlot(slots_.init);
    initialised_ = initialised_ || result != 0;
    return result;
}

DL_TaskHandle CDownWrapper::CreateTask(const EngineTaskRequest& request) {
    return CallSlot(slots_.createTask, &request);
}

int32_t CDownWrapper::StartTask(DL_TaskHandle task) {
    return CallSlot(slots_.startTask, task);
}

int32_t CDownWrapper::ForceStopTask(DL_TaskHandle task) {
    return CallSlot(slots_.forceStopTask, task);
}

int32_t CDownWrapper::StopTask(DL_TaskHandle task) {
    return CallSlot(slots_.stopTask, task);
}

int32_t CDownWrapper::DeleteTask(DL_TaskHandle task) {
    return CallSlot(slots_.deleteTask, task);
}

int32_t CDownWrapper::QueryTaskInfoEx(DL_TaskHandle task, EngineTaskReport& report) {
    return CallSlot(slots_.queryTaskInfoEx, task, &report);
}

int32_t CDownWrapper::UnInit() {
    initialised_ = false;
    return CallSlot(slots_.unInit);
}

int32_t CDownWrapper::QueryTaskInfo(DL_TaskHandle task, int32_t* state, int64_t* total,
                                    int64_t* downloaded) {
    return CallSlot(slots_.queryTaskInfo, task, state, total, downloaded);
}

int32_t CDownWrapper::SetSpeedLimit(int64_t bytesPerSecond) {
    return CallSlot(slots_.setSpeedLimit, bytesPerSecond);
}

int32_t CDownWrapper::SetProxy(const char16_t* proxyUrl) {
    return CallSlot(slots_.setProxy, proxyUrl);
}

DL_TaskHandle CDownWrapper::CreateTaskByURL(const char16_t* url, const char16_t* folder,
                                            const char16_t* fileName) {
    return CallSlot(slots_.createTaskByUrl, url, folder, fileName);
}

int32_t CDownWrapper::SetCaFile(const char16_t* pemPath) {
    return CallSlot(slots_.setCaFile, pemPath);
}

int32_t CDownWrapper::SetMaxConnections(int32_t connections) {
    return CallSlot(slots_.setMaxConnections, connections);
}

int32_t CDownWrapper::SetUserAgent(const char16_t* userAgent) {
    return CallSlot(slots_.setUserAgent, userAgent);
}

int32_t CDownWrapper::GetVersion() {
    return CallSlot(slots_.getVersion);
}

int32_t CDownWrapper::GetTaskCount() {
    return CallSlot(slots_.getTaskCount);
}

int32_t CDownWrapper::PauseAllTasks() {
    return CallSlot(slots_.pauseAllTasks);
}

int32_t CDownWrapper::StartAllTasks() {
    return CallSlot(slots_.startAllTasks);
}

const char* CDownWrapper::GetErrorText(int32_t errorCode) {
    return slots_.getErrorText ? slots_.getErrorText(errorCode) : "";
}

int32_t CDownWrapper::DeleteTaskFiles(DL_TaskHandle task) {
    return CallSlot(slots_.deleteTaskFiles, task);
}

}  // namespace DownEngine
