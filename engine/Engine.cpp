#include "engine/Engine.h"

#include "engine/DlEngine.h"
#include "platform/engine/Files.h"

namespace dlengine {

namespace {

// 32 blocks of 256 KiB: 8 MiB of file data in flight, whatever the number or size of files.
constexpr size_t kBlockSize = 256 * 1024;
constexpr size_t kBlockCount = 32;
constexpr int kPollMs = 50;
// How long shutting down waits for received data to reach the disk.
constexpr auto kShutdownGrace = std::chrono::seconds(20);

}  // namespace

Engine::Engine()
    : multi_(curl_multi_init()),
      pool_(kBlockSize, kBlockCount),
      mailbox_([this] { curl_multi_wakeup(multi_); }),
      writer_(std::make_unique<DiskWriter>(pool_, mailbox_)),
      syncer_(std::make_unique<SyncWorker>(mailbox_)),
      parts_{multi_, pool_, *writer_, *syncer_, {}, os::BootId(), 0} {
    if (multi_) {
        thread_ = std::thread([this] { Loop(); });
    }
}

Engine::~Engine() {
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        curl_multi_wakeup(multi_);
        thread_.join();
    }
    // The workers' last results wake the multi handle, so they end before it goes.
    writer_.reset();
    syncer_.reset();
    if (multi_) {
        curl_multi_cleanup(multi_);
    }
}

uint32_t Engine::Create(const std::u16string& url, const std::u16string& folder,
                        const std::u16string& name) {
    Entry entry;
    MakeTaskTarget(url, folder, name, entry.target, entry.targetError);
    std::lock_guard lock(mutex_);
    const uint32_t id = nextId_++;
    entries_.emplace(id, std::move(entry));
    return id;
}

bool Engine::SameFileRunning(uint32_t id, const std::string& finalPath) const {
    for (const auto& [otherId, other] : entries_) {
        if (otherId != id && other.wanted && other.target.finalPath == finalPath &&
            other.report.state != DL_STATE_ERROR && other.report.state != DL_STATE_COMPLETE) {
            return true;
        }
    }
    return false;
}

bool Engine::Start(uint32_t id) {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(id);
    if (it == entries_.end()) {
        return false;
    }
    Entry& entry = it->second;
    int refusal = entry.targetError;
    if (refusal == 0 && SameFileRunning(id, entry.target.finalPath)) {
        refusal = DL_ERROR_SAME_FILE;
    }
    if (refusal != 0) {
        entry.report.state = DL_STATE_ERROR;
        entry.report.errorCode = refusal;
        return false;
    }
    entry.wanted = true;
    if (entry.report.state != DL_STATE_COMPLETE) {
        entry.report.state = DL_STATE_CONNECTING;
    }
    TaskTarget target = entry.target;
    commands_.push_back([this, id, target] { StartWhenFileIsFree(id, target); });
    curl_multi_wakeup(multi_);
    return true;
}

bool Engine::Halt(uint32_t id, int state) {
    {
        std::lock_guard lock(mutex_);
        auto it = entries_.find(id);
        if (it == entries_.end()) {
            return false;
        }
        it->second.wanted = false;
    }
    Post([this, id, state] {
        deferred_.erase(id);
        if (Task* task = Find(id)) {
            task->Halt(state);
        }
    });
    return true;
}

bool Engine::Delete(uint32_t id) {
    {
        std::lock_guard lock(mutex_);
        if (entries_.erase(id) == 0) {
            return false;
        }
    }
    Post([this, id] {
        deferred_.erase(id);
        if (Task* task = Find(id)) {
            task->Halt(DL_STATE_STOPPED);
            doomed_[id] = true;
        }
    });
    return true;
}

bool Engine::DeleteFiles(uint32_t id) {
    TaskTarget target;
    {
        std::lock_guard lock(mutex_);
        auto it = entries_.find(id);
        if (it == entries_.end() || it->second.targetError != 0 || it->second.wanted) {
            return false;
        }
        target = it->second.target;
    }
    Post([this, id, target] {
        Task* task = Find(id);
        if (task && !task->Idle()) {
            return;
        }
        tasks_.erase(id);
        os::RemoveFile(target.partPath);
        os::RemoveFile(target.statePath);
    });
    return true;
}

bool Engine::Query(uint32_t id, TaskReport& report) {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(id);
    if (it == entries_.end()) {
        return false;
    }
    report = it->second.report;
    return true;
}

int Engine::Count() {
    std::lock_guard lock(mutex_);
    return static_cast<int>(entries_.size());
}

void Engine::HaltAll() {
    std::vector<uint32_t> ids;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [id, entry] : entries_) {
            if (entry.wanted) {
                ids.push_back(id);
            }
        }
    }
    for (uint32_t id : ids) {
        Halt(id, DL_STATE_PAUSED);
    }
}

void Engine::StartAll() {
    std::vector<uint32_t> ids;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [id, entry] : entries_) {
            const int state = entry.report.state;
            if (!entry.wanted && (state == DL_STATE_PAUSED || state == DL_STATE_STOPPED)) {
                ids.push_back(id);
            }
        }
    }
    for (uint32_t id : ids) {
        Start(id);
    }
}

void Engine::ChangeSettings(std::function<void(EngineSettings&)> change) {
    Post([this, change = std::move(change)] { change(parts_.settings); });
}

void Engine::Post(std::function<void()> command) {
    {
        std::lock_guard lock(mutex_);
        commands_.push_back(std::move(command));
    }
    curl_multi_wakeup(multi_);
}

// A deleted or stopped task may still have blocks on their way into the part file and will
// record them in the state file; a new task for the same file waits until that is over, so it
// reads a state file no one else writes.
void Engine::StartWhenFileIsFree(uint32_t id, const TaskTarget& target) {
    if (FileBusy(id, target.finalPath)) {
        deferred_[id] = target;
        return;
    }
    deferred_.erase(id);
    auto& task = tasks_[id];
    if (!task) {
        task = std::make_unique<Task>(id, target, parts_);
    }
    task->Start();
}

bool Engine::FileBusy(uint32_t id, const std::string& finalPath) const {
    for (const auto& [otherId, task] : tasks_) {
        if (otherId != id && task->target().finalPath == finalPath && !task->Idle()) {
            return true;
        }
    }
    return false;
}

void Engine::RunDeferredStarts() {
    const auto waiting = deferred_;
    for (const auto& [id, target] : waiting) {
        StartWhenFileIsFree(id, target);
    }
}

Task* Engine::Find(uint32_t id) {
    auto it = tasks_.find(id);
    return it == tasks_.end() ? nullptr : it->second.get();
}

void Engine::Loop() {
    for (;;) {
        RunCommands();
        {
            std::lock_guard lock(mutex_);
            if (stopping_) {
                break;
            }
        }
        int running = 0;
        curl_multi_perform(multi_, &running);
        CollectTransfers();
        CollectResults();
        TickTasks();
        Publish();
        curl_multi_poll(multi_, nullptr, 0, kPollMs, nullptr);
    }
    ShutDownTasks();
}

void Engine::RunCommands() {
    std::deque<std::function<void()>> commands;
    {
        std::lock_guard lock(mutex_);
        commands.swap(commands_);
    }
    for (auto& command : commands) {
        command();
    }
}

void Engine::CollectTransfers() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg != CURLMSG_DONE) {
            continue;
        }
        Transfer* transfer = nullptr;
        curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &transfer);
        if (transfer) {
            transfer->task().OnTransferDone(transfer, message->data.result);
        }
    }
}

void Engine::CollectResults() {
    std::vector<WriteResult> writes;
    std::vector<SyncResult> syncs;
    mailbox_.Take(writes, syncs);
    for (const WriteResult& result : writes) {
        if (Task* task = Find(result.taskId)) {
            task->OnWritten(result);
        }
    }
    for (const SyncResult& result : syncs) {
        if (Task* task = Find(result.taskId)) {
            task->OnSynced(result);
        }
    }
}

void Engine::TickTasks() {
    RunDeferredStarts();
    const auto now = Clock::now();
    for (auto& [id, task] : tasks_) {
        task->Tick(now);
        task->ResumePausedTransfers();
    }
    for (auto it = doomed_.begin(); it != doomed_.end();) {
        Task* task = Find(it->first);
        if (!task || task->Idle()) {
            tasks_.erase(it->first);
            it = doomed_.erase(it);
        } else {
            ++it;
        }
    }
}

void Engine::Publish() {
    std::lock_guard lock(mutex_);
    for (const auto& [id, task] : tasks_) {
        auto it = entries_.find(id);
        if (it != entries_.end()) {
            it->second.report = task->Report();
        }
    }
}

// Halts every task and waits for received data to reach the disk, so the state files record
// it and the next run fetches none of it again.
void Engine::ShutDownTasks() {
    for (auto& [id, task] : tasks_) {
        task->Halt(DL_STATE_STOPPED);
    }
    const auto deadline = Clock::now() + kShutdownGrace;
    for (;;) {
        CollectResults();
        bool idle = true;
        for (auto& [id, task] : tasks_) {
            task->Tick(Clock::now());
            idle = idle && task->Idle();
        }
        if (idle || Clock::now() > deadline) {
            break;
        }
        curl_multi_poll(multi_, nullptr, 0, kPollMs, nullptr);
    }
    tasks_.clear();
}

}  // namespace dlengine
