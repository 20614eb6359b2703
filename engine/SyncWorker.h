#pragma once

#include <memory>
#include <string>

#include "engine/Mailbox.h"
#include "engine/WorkerThread.h"
#include "platform/engine/Files.h"

namespace dlengine {

// Flushes part files off the receiving and writing paths: periodic flushes that let the state
// file name ranges safe across a machine crash, and the final flush and rename of a finished
// file.
class SyncWorker {
  public:
    explicit SyncWorker(Mailbox& mailbox);

    // Flushes file; the ranges written before the call are then durable.
    void Checkpoint(uint32_t taskId, uint32_t epoch, std::shared_ptr<os::PartFile> file,
                    RangeSet written);
    // Cuts the file to size, flushes it, renames it to its final name and drops its state file.
    void Finalize(uint32_t taskId, uint32_t epoch, std::shared_ptr<os::PartFile> file, int64_t size,
                  std::string partPath, std::string finalPath, std::string statePath);

  private:
    struct Job {
        SyncResult result;
        std::shared_ptr<os::PartFile> file;
        int64_t size = 0;
        std::string partPath;
        std::string finalPath;
        std::string statePath;
    };
    void Run(Job& job);

    Mailbox& mailbox_;
    WorkerThread<Job> thread_;
};

}  // namespace dlengine
