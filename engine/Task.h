#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/ConnectionRamp.h"
#include "engine/EngineClock.h"
#include "engine/EngineParts.h"
#include "engine/RangeSet.h"
#include "engine/RetryPolicy.h"
#include "engine/SegmentPlanner.h"
#include "engine/TaskReport.h"
#include "engine/TaskTarget.h"
#include "engine/Transfer.h"
#include "platform/engine/Files.h"

namespace dlengine {

// A whole answer to a request for a piece further in than this is refused, at most this many
// times in a row once the server has answered a range in this run, and once before that.
constexpr int64_t kWholeAnswerDetour = 2 * 1024 * 1024;
constexpr int kWholeAnswerRefusals = 6;
constexpr int kWholeAnswerRefusalsUntilRanges = 1;
// The receive buffer of a request whose whole answer would be refused, once the server has sent
// one, failed or dropped: every refusal costs about this much and the buffers of the server.
constexpr int kRefusableAnswerWindow = 256 * 1024;

// One file being downloaded, driven by the engine thread alone. Bytes go through three sets:
// received (handed to the writer), done (on disk) and synced (flushed to the device).
class Task {
  public:
    Task(uint32_t id, TaskTarget target, EngineParts& parts);
    ~Task();

    uint32_t id() const { return id_; }
    int state() const { return state_; }
    const TaskTarget& target() const { return target_; }

    void Start();
    // Ends every transfer, keeping what was received, and leaves the task in state.
    void Halt(int state);
    void Tick(Clock::time_point now);
    // True once nothing the task started is still on its way to the disk or the state file.
    bool Idle() const;
    TaskReport Report() const;

    // From the engine's loop.
    void OnTransferDone(Transfer* transfer, CURLcode code);
    void OnWritten(const WriteResult& result);
    void OnSynced(const SyncResult& result);
    void ResumePausedTransfers();

    // From its transfers, on the engine thread.
    bool AcceptAnswer(Transfer& transfer);
    bool HasBlockFor(const Transfer& transfer, size_t size) const;
    std::unique_ptr<Block> NewBlock(Transfer& transfer);
    void FlushBlock(Transfer& transfer);
    void CountReceived(int64_t bytes);

  private:
    bool Load();
    void SetFileSize(int64_t size);
    void ResetProgress();
    bool AcceptPartial(Transfer& transfer);
    bool AcceptWhole(Transfer& transfer);
    bool UseWholeAnswer(Transfer& transfer);
    void OpenTransfers(Clock::time_point now);
    bool OpenTransfer(int64_t start, int64_t end);
    bool Finished() const;
    void Finalize();
    void HandleHttpStatus(long status);
    void HandleCurlError(CURLcode code);
    void ApplyVerdict(const FailureVerdict& verdict);
    void NoteFailure(int errorIfExhausted);
    void Fail(int error);
    void RemoveTransfer(Transfer* transfer, bool keepData);
    void RemoveAllTransfers(const Transfer* except, bool keepData);
    void CancelTransfers(const Transfer* except);
    void RemoveCancelledTransfers();
    void Checkpoint(Clock::time_point now, bool force);
    void PeriodicSync(Clock::time_point now);
    void SampleSpeed(Clock::time_point now);
    void FlushAgedBlocks(Clock::time_point now);

    const uint32_t id_;
    const TaskTarget target_;
    EngineParts& parts_;
    int state_ = 0;
    int error_ = 0;
    long httpStatus_ = 0;
    long lastStatus_ = 0;

    std::shared_ptr<os::PartFile> file_;
    bool loaded_ = false;
    int64_t fileSize_ = -1;
    bool rangesConfirmed_ = false;
    bool singleStream_ = false;
    int wholeAnswersRefused_ = 0;
    bool serverMisbehaved_ = false;
    RangeSet received_;
    RangeSet done_;
    RangeSet synced_;
    uint32_t epoch_ = 0;
    int pendingWrites_ = 0;
    bool finalizing_ = false;
    bool syncing_ = false;
    std::vector<std::unique_ptr<Transfer>> transfers_;

    ConnectionRamp ramp_;

    RetryState retry_;
    bool dirty_ = false;
    Clock::time_point lastCheckpoint_{};
    int64_t doneAtCheckpoint_ = 0;
    Clock::time_point lastSync_{};
    int64_t doneAtSync_ = 0;

    int64_t fetched_ = 0;
    int64_t fetchedAtSample_ = 0;
    Clock::time_point sampleTime_{};
    int64_t speed_ = 0;
};

}  // namespace dlengine
