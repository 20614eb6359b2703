#pragma once

#include <curl/curl.h>

#include <cstdint>

namespace dlengine {

// What a transfer had seen when curl finished with it.
struct FinishedTransfer {
    long httpStatus = 0;
    CURLcode code = CURLE_OK;
    bool cancelled = false;
    bool refused = false;          // its answer was refused while it ran
    bool answerChecked = false;    // its answer reached the task
    bool reachedEnd = false;       // stopped on purpose at its end
    bool emptyFileAnswer = false;  // a 416 telling that the file has no bytes at all
    int64_t end = -1;
    int64_t cursor = 0;
};

// What the end of a transfer tells its task.
enum class TransferEnd {
    kNothing,        // cancelled, or the task failed already: it has nothing more to say
    kEmptyFile,      // the file has no bytes: it is complete once created
    kHttpFailure,    // a status the task cannot use; the retry policy judges it
    kRetry,          // refused for another reason, or the answer ended before the range did
    kCurlFailure,    // curl gave up; the retry policy judges its code
    kLengthLearned,  // a stream of unknown length ended cleanly: its length is what arrived
    kRangeDone,      // delivered what it was asked for
};

TransferEnd JudgeTransferEnd(const FinishedTransfer& transfer, bool taskFailed);

}  // namespace dlengine
