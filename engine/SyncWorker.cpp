#include "engine/SyncWorker.h"

namespace dlengine {

SyncWorker::SyncWorker(Mailbox& mailbox)
    : mailbox_(mailbox), thread_([this](Job& job) { Run(job); }) {}

void SyncWorker::Checkpoint(uint32_t taskId, uint32_t epoch, std::shared_ptr<os::PartFile> file,
                            RangeSet written) {
    Job job;
    job.result = SyncResult{taskId, epoch, false, std::move(written), 0};
    job.file = std::move(file);
    thread_.Post(std::move(job));
}

void SyncWorker::Finalize(uint32_t taskId, uint32_t epoch, std::shared_ptr<os::PartFile> file,
                          int64_t size, std::string partPath, std::string finalPath,
                          std::string statePath) {
    Job job;
    job.result = SyncResult{taskId, epoch, true, {}, 0};
    job.file = std::move(file);
    job.size = size;
    job.partPath = std::move(partPath);
    job.finalPath = std::move(finalPath);
    job.statePath = std::move(statePath);
    thread_.Post(std::move(job));
}

void SyncWorker::Run(Job& job) {
    int error = 0;
    if (job.result.finalize) {
        error = job.file->Truncate(job.size);
    }
    if (error == 0) {
        error = job.file->Sync();
    }
    if (job.result.finalize && error == 0) {
        job.file->Close();
        error = os::RenameFile(job.partPath, job.finalPath);
        if (error == 0) {
            os::RemoveFile(job.statePath);
        }
    }
    job.file.reset();
    job.result.error = error;
    mailbox_.Post(std::move(job.result));
}

}  // namespace dlengine
