#pragma once

#include <curl/curl.h>

#include "engine/EngineClock.h"

namespace dlengine {

// What a failed answer or transfer means for its task.
enum class FailureKind {
    kRetry,      // the server or the path may recover: try again after a back-off
    kStartOver,  // the file shrank below what was asked for: drop the progress, then retry
    kGiveUp,     // asking again would get the same answer
};

struct FailureVerdict {
    FailureKind kind = FailureKind::kRetry;
    int error = 0;  // the DL_ERROR_ the task ends with, at once or when its retries run out
    bool operator==(const FailureVerdict&) const = default;
};

// An HTTP status of 400 or more, or any other the task cannot use in place of 200 or 206.
FailureVerdict ClassifyHttpStatus(long status);
// A transfer that ended with a curl error before its range was complete.
FailureVerdict ClassifyCurlError(CURLcode code);

// Failures of one task since it last received a byte, and when it may try again.
struct RetryState {
    int failures = 0;
    Clock::time_point retryAt{};
};

enum class RetryStep {
    kAlreadyWaiting,  // transfers that fail together count once
    kWait,            // try again at retryAt
    kExhausted,       // the task gives up
};

// Counts a failure at now and schedules the next try unless the budget is spent.
RetryStep RecordFailure(RetryState& state, Clock::time_point now);
// The back-off after the given number of failures in a row, the first being 1.
Clock::duration RetryDelay(int failures);

}  // namespace dlengine
