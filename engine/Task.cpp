#include "engine/Task.h"

#include <algorithm>

#include "engine/ConnectionRamp.h"
#include "engine/DlEngine.h"
#include "engine/SegmentPlanner.h"
#include "engine/StateFile.h"

namespace dlengine {

namespace {

// Recording finished ranges costs a small write and a rename, off the receiving thread; doing it
// every quarter megabyte (at most every 10 ms) keeps what a killed process fetches again small
// at any speed, and a fast transfer still records only a hundred times a second.
constexpr int64_t kCheckpointBytes = 256 * 1024;
constexpr auto kCheckpointMinGap = std::chrono::milliseconds(10);
constexpr auto kCheckpointMaxGap = std::chrono::milliseconds(50);
constexpr auto kSyncPeriod = std::chrono::seconds(3);
constexpr auto kSpeedWindow = std::chrono::milliseconds(1000);
// A slow transfer would hold a partly filled block for long; what sits in memory is lost when
// the process is killed, so blocks older than this go to the disk as they are.
constexpr auto kBlockMaxAge = std::chrono::milliseconds(25);

}  // namespace

Task::Task(uint32_t id, TaskTarget target, EngineParts& parts)
    : id_(id), target_(std::move(target)), parts_(parts) {}

Task::~Task() {
    RemoveAllTransfers(nullptr, false);
}

void Task::Start() {
    if (state_ == DL_STATE_COMPLETE || state_ == DL_STATE_CONNECTING ||
        state_ == DL_STATE_DOWNLOADING) {
        return;
    }
    error_ = DL_ERROR_NONE;
    httpStatus_ = 0;
    retry_ = {};
    serverMisbehaved_ = false;
    state_ = DL_STATE_CONNECTING;
    if (!loaded_ && !Load()) {
        return;
    }
    if (fileSize_ >= 0) {
        SetFileSize(fileSize_);
    }
}

bool Task::Load() {
    file_ = std::make_shared<os::PartFile>();
    if (file_->Open(target_.partPath) != 0) {
        Fail(DL_ERROR_FILE);
        return false;
    }
    loaded_ = true;
    std::string text;
    std::optional<TaskState> saved;
    if (os::ReadSmallFile(target_.statePath, text)) {
        saved = DecodeTaskState(text);
    }
    // A state that does not describe this very part file would mark garbage as finished.
    if (saved && file_->Size() == saved->fileSize) {
        fileSize_ = saved->fileSize;
        done_ = TrustedRanges(*saved, parts_.bootId);
        received_ = done_;
        synced_ = saved->synced;
        doneAtCheckpoint_ = doneAtSync_ = done_.Total();
        return true;
    }
    file_->Truncate(0);
    return true;
}

void Task::SetFileSize(int64_t size) {
    fileSize_ = size;
    const auto free = os::FreeBytes(os::FolderOf(target_.finalPath));
    if (free && *free < size - done_.Total()) {
        Fail(DL_ERROR_DISK_FULL);
        return;
    }
    if (file_->Size() != size) {
        const int error = file_->Truncate(size);
        if (error != 0) {
            Fail(os::IsDiskFullError(error) ? DL_ERROR_DISK_FULL : DL_ERROR_FILE);
        }
    }
}

// The file on the server is not the one the finished ranges came from: everything goes. Blocks
// still on their way to the disk carry the old epoch and are not counted when they land.
void Task::ResetProgress() {
    ++epoch_;
    received_.Clear();
    done_.Clear();
    synced_.Clear();
    fileSize_ = -1;
    rangesConfirmed_ = false;
    singleStream_ = false;
    doneAtCheckpoint_ = doneAtSync_ = 0;
    os::RemoveFile(target_.statePath);
}

void Task::Halt(int state) {
    RemoveAllTransfers(nullptr, true);
    if (state_ != DL_STATE_COMPLETE && state_ != DL_STATE_ERROR) {
        state_ = state;
    }
    dirty_ = true;
    Checkpoint(Clock::now(), true);
}

// May run inside a transfer's callback, where curl refuses to remove handles: the transfers are
// only marked here and removed on the next tick.
void Task::Fail(int error) {
    CancelTransfers(nullptr);
    state_ = DL_STATE_ERROR;
    error_ = error;
    dirty_ = true;
}

void Task::Tick(Clock::time_point now) {
    SampleSpeed(now);
    RemoveCancelledTransfers();
    FlushAgedBlocks(now);
    if (state_ == DL_STATE_CONNECTING || state_ == DL_STATE_DOWNLOADING) {
        if (Finished()) {
            Finalize();
        } else if (now >= retry_.retryAt) {
            OpenTransfers(now);
        }
        PeriodicSync(now);
    }
    Checkpoint(now, pendingWrites_ == 0 && state_ != DL_STATE_DOWNLOADING);
}

bool Task::Idle() const {
    const bool unrecorded =
        dirty_ && file_ && fileSize_ > 0 && state_ != DL_STATE_COMPLETE && !finalizing_;
    return pendingWrites_ == 0 && !finalizing_ && !unrecorded;
}

bool Task::Finished() const {
    return !finalizing_ && fileSize_ >= 0 && transfers_.empty() && pendingWrites_ == 0 &&
           done_.Contains({0, fileSize_});
}

void Task::Finalize() {
    finalizing_ = true;
    parts_.syncer.Finalize(id_, epoch_, file_, fileSize_, target_.partPath, target_.finalPath,
                           target_.statePath);
}

void Task::OpenTransfers(Clock::time_point now) {
    const OpeningMode mode =
        ChooseOpening({fileSize_ >= 0, rangesConfirmed_, singleStream_, !transfers_.empty()});
    if (mode == OpeningMode::kNothing) {
        return;
    }
    if (mode == OpeningMode::kProbe) {
        // The first answer tells the size and whether ranges work; ask for a first piece only,
        // so the transfer need not be cut short once the others start.
        OpenTransfer(0, kMinSplit);
        return;
    }
    const int limit =
        ConnectionLimit(parts_.settings.maxConnections,
                        AdvanceRamp(ramp_, now, fetched_, transfers_.size()), serverMisbehaved_);
    while (static_cast<int>(transfers_.size()) < limit &&
           EngineAllowsAnother(static_cast<int>(transfers_.size()), parts_.transfers)) {
        std::vector<ActiveSegment> active;
        for (const auto& transfer : transfers_) {
            active.push_back({transfer->start, transfer->cursor, transfer->end});
        }
        const int freeSlots = limit - static_cast<int>(transfers_.size());
        auto choice = NextSegment(received_, active, fileSize_, kMinSplit, freeSlots);
        if (!choice) {
            return;
        }
        if (choice->splitFrom >= 0) {
            transfers_[static_cast<size_t>(choice->splitFrom)]->end =
                active[static_cast<size_t>(choice->splitFrom)].end;
        }
        if (!OpenTransfer(choice->span.first, choice->span.end) ||
            mode == OpeningMode::kOneSegment) {
            return;
        }
    }
}

bool Task::OpenTransfer(int64_t start, int64_t end) {
    auto transfer = std::make_unique<Transfer>(*this, start, end);
    // A whole answer to this request would be refused, and the server may well send one: what
    // the system lets it push before the refusal arrives is kept small.
    if (serverMisbehaved_ && start > kWholeAnswerDetour) {
        transfer->receiveWindow = kRefusableAnswerWindow;
    }
    const int64_t limit =
        parts_.settings.speedLimit > 0 ? parts_.settings.speedLimit / (parts_.transfers + 1) : 0;
    if (!transfer->Prepare(target_.url, parts_.settings, limit) ||
        curl_multi_add_handle(parts_.multi, transfer->easy()) != CURLM_OK) {
        Fail(DL_ERROR_NETWORK);
        return false;
    }
    ++parts_.transfers;
    transfers_.push_back(std::move(transfer));
    return true;
}

void Task::RemoveTransfer(Transfer* transfer, bool keepData) {
    if (keepData) {
        FlushBlock(*transfer);
    }
    curl_multi_remove_handle(parts_.multi, transfer->easy());
    parts_.pool.Release(std::move(transfer->block));
    --parts_.transfers;
    std::erase_if(transfers_, [transfer](const auto& owned) { return owned.get() == transfer; });
}

void Task::CancelTransfers(const Transfer* except) {
    for (const auto& transfer : transfers_) {
        if (transfer.get() != except) {
            transfer->cancelled = true;
        }
    }
}

void Task::RemoveCancelledTransfers() {
    std::vector<Transfer*> doomed;
    for (const auto& transfer : transfers_) {
        if (transfer->cancelled) {
            doomed.push_back(transfer.get());
        }
    }
    for (Transfer* transfer : doomed) {
        RemoveTransfer(transfer, true);
    }
}

void Task::RemoveAllTransfers(const Transfer* except, bool keepData) {
    std::vector<Transfer*> doomed;
    for (const auto& transfer : transfers_) {
        if (transfer.get() != except) {
            doomed.push_back(transfer.get());
        }
    }
    for (Transfer* transfer : doomed) {
        RemoveTransfer(transfer, keepData);
    }
}

void Task::ResumePausedTransfers() {
    for (const auto& transfer : transfers_) {
        if (transfer->pausedForBlocks && parts_.pool.HasFree()) {
            transfer->pausedForBlocks = false;
            curl_easy_pause(transfer->easy(), CURLPAUSE_CONT);
        }
    }
}

bool Task::HasBlockFor(const Transfer&, size_t) const {
    return parts_.pool.HasFree();
}

std::unique_ptr<Block> Task::NewBlock(Transfer& transfer) {
    auto block = parts_.pool.Acquire();
    transfer.blockSince = Clock::now();
    if (block) {
        block->offset = transfer.cursor;
        block->taskId = id_;
        block->epoch = epoch_;
    }
    return block;
}

void Task::FlushBlock(Transfer& transfer) {
    if (!transfer.block) {
        return;
    }
    if (transfer.block->used == 0 || transfer.block->epoch != epoch_) {
        parts_.pool.Release(std::move(transfer.block));
        return;
    }
    const Block& block = *transfer.block;
    received_.Add({block.offset, block.offset + static_cast<int64_t>(block.used)});
    ++pendingWrites_;
    parts_.writer.Write(file_, std::move(transfer.block));
}

void Task::FlushAgedBlocks(Clock::time_point now) {
    for (const auto& transfer : transfers_) {
        if (transfer->block && now - transfer->blockSince >= kBlockMaxAge) {
            FlushBlock(*transfer);
        }
    }
}

void Task::CountReceived(int64_t bytes) {
    fetched_ += bytes;
    retry_.failures = 0;
    if (state_ == DL_STATE_CONNECTING) {
        state_ = DL_STATE_DOWNLOADING;
    }
}

void Task::OnWritten(const WriteResult& result) {
    --pendingWrites_;
    if (result.epoch != epoch_) {
        return;
    }
    if (result.error != 0) {
        Fail(os::IsDiskFullError(result.error) ? DL_ERROR_DISK_FULL : DL_ERROR_FILE);
        return;
    }
    done_.Add(result.span);
    dirty_ = true;
}

void Task::OnSynced(const SyncResult& result) {
    if (!result.finalize) {
        syncing_ = false;
        if (result.error == 0 && result.epoch == epoch_) {
            synced_ = result.synced;
            dirty_ = true;
        }
        return;
    }
    finalizing_ = false;
    if (result.error != 0) {
        Fail(os::IsDiskFullError(result.error) ? DL_ERROR_DISK_FULL : DL_ERROR_FILE);
        return;
    }
    file_.reset();
    loaded_ = false;
    state_ = DL_STATE_COMPLETE;
}

void Task::Checkpoint(Clock::time_point now, bool force) {
    if (!dirty_ || !file_ || fileSize_ <= 0 || finalizing_ || state_ == DL_STATE_COMPLETE) {
        return;
    }
    const auto since = now - lastCheckpoint_;
    const bool due =
        since >= kCheckpointMaxGap ||
        (since >= kCheckpointMinGap && done_.Total() - doneAtCheckpoint_ >= kCheckpointBytes);
    if (!force && !due) {
        return;
    }
    TaskState state{fileSize_, parts_.bootId, done_, synced_};
    os::ReplaceSmallFile(target_.statePath, EncodeTaskState(state));
    lastCheckpoint_ = now;
    doneAtCheckpoint_ = done_.Total();
    dirty_ = false;
}

void Task::PeriodicSync(Clock::time_point now) {
    if (syncing_ || !file_ || now - lastSync_ < kSyncPeriod || done_.Total() == doneAtSync_) {
        return;
    }
    syncing_ = true;
    lastSync_ = now;
    doneAtSync_ = done_.Total();
    parts_.syncer.Checkpoint(id_, epoch_, file_, done_);
}

void Task::SampleSpeed(Clock::time_point now) {
    if (now - sampleTime_ < kSpeedWindow) {
        return;
    }
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - sampleTime_).count();
    speed_ = ms > 0 ? (fetched_ - fetchedAtSample_) * 1000 / ms : 0;
    fetchedAtSample_ = fetched_;
    sampleTime_ = now;
}

TaskReport Task::Report() const {
    TaskReport report;
    report.state = state_;
    report.totalBytes = fileSize_;
    int64_t buffered = 0;
    for (const auto& transfer : transfers_) {
        buffered += transfer->BufferedBytes();
    }
    report.downloadedBytes = received_.Total() + buffered;
    if (state_ == DL_STATE_COMPLETE) {
        report.downloadedBytes = fileSize_;
    }
    report.bytesPerSecond = state_ == DL_STATE_DOWNLOADING ? speed_ : 0;
    report.errorCode = error_;
    report.httpStatus = static_cast<int32_t>(httpStatus_);
    report.connections = static_cast<int32_t>(transfers_.size());
    report.fetchedBytes = fetched_;
    return report;
}

}  // namespace dlengine
