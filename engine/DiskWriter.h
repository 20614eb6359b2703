#pragma once

#include <memory>

#include "engine/BufferPool.h"
#include "engine/Mailbox.h"
#include "engine/WorkerThread.h"
#include "platform/engine/Files.h"

namespace dlengine {

// Writes received blocks on a thread of its own, so receiving and writing use both cores. Each
// written block goes back to the pool and its range to the engine thread.
class DiskWriter {
  public:
    DiskWriter(BufferPool& pool, Mailbox& mailbox);

    void Write(std::shared_ptr<os::PartFile> file, std::unique_ptr<Block> block);

  private:
    struct Job {
        std::shared_ptr<os::PartFile> file;
        std::unique_ptr<Block> block;
    };
    void Run(Job& job);

    BufferPool& pool_;
    Mailbox& mailbox_;
    WorkerThread<Job> thread_;
};

}  // namespace dlengine
