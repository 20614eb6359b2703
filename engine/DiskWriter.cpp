#include "engine/DiskWriter.h"

namespace dlengine {

DiskWriter::DiskWriter(BufferPool& pool, Mailbox& mailbox)
    : pool_(pool), mailbox_(mailbox), thread_([this](Job& job) { Run(job); }) {}

void DiskWriter::Write(std::shared_ptr<os::PartFile> file, std::unique_ptr<Block> block) {
    thread_.Post(Job{std::move(file), std::move(block)});
}

void DiskWriter::Run(Job& job) {
    Block& block = *job.block;
    WriteResult result;
    result.taskId = block.taskId;
    result.epoch = block.epoch;
    result.span = {block.offset, block.offset + static_cast<int64_t>(block.used)};
    result.error = job.file->Write(block.offset, block.data.get(), block.used);
    pool_.Release(std::move(job.block));
    job.file.reset();
    mailbox_.Post(result);
}

}  // namespace dlengine
