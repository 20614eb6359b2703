#pragma once

#include <curl/curl.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "engine/BufferPool.h"
#include "engine/DiskWriter.h"
#include "engine/EngineParts.h"
#include "engine/Mailbox.h"
#include "engine/SyncWorker.h"
#include "engine/Task.h"
#include "engine/TaskReport.h"
#include "engine/TaskTarget.h"

namespace dlengine {

// The engine: the caller's side keeps handles and the latest reports under one lock; the engine
// thread owns the tasks and the curl multi handle and takes the caller's commands once per turn.
class Engine {
  public:
    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    bool Running() const { return multi_ != nullptr; }

    uint32_t Create(const std::u16string& url, const std::u16string& folder,
                    const std::u16string& name);
    bool Start(uint32_t id);
    bool Halt(uint32_t id, int state);
    bool Delete(uint32_t id);
    bool DeleteFiles(uint32_t id);
    bool Query(uint32_t id, TaskReport& report);
    int Count();
    void HaltAll();
    void StartAll();
    void ChangeSettings(std::function<void(EngineSettings&)> change);

  private:
    struct Entry {
        TaskTarget target;
        int targetError = 0;
        bool wanted = false;  // started and not halted since, as the caller sees it
        TaskReport report;
    };

    void Post(std::function<void()> command);
    void Loop();
    void RunCommands();
    void CollectTransfers();
    void CollectResults();
    void TickTasks();
    void Publish();
    void ShutDownTasks();
    Task* Find(uint32_t id);
    void StartWhenFileIsFree(uint32_t id, const TaskTarget& target);
    void RunDeferredStarts();
    bool FileBusy(uint32_t id, const std::string& finalPath) const;
    bool SameFileRunning(uint32_t id, const std::string& finalPath) const;

    CURLM* multi_ = nullptr;
    BufferPool pool_;
    Mailbox mailbox_;
    std::unique_ptr<DiskWriter> writer_;
    std::unique_ptr<SyncWorker> syncer_;
    EngineParts parts_;

    std::mutex mutex_;
    std::map<uint32_t, Entry> entries_;
    std::deque<std::function<void()>> commands_;
    uint32_t nextId_ = 1;
    bool stopping_ = false;

    // Engine thread only.
    std::map<uint32_t, std::unique_ptr<Task>> tasks_;
    std::map<uint32_t, bool> doomed_;
    // Starts that wait for an earlier task of the same file to finish writing.
    std::map<uint32_t, TaskTarget> deferred_;

    std::thread thread_;
};

}  // namespace dlengine
