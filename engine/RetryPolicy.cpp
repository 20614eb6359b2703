#include "engine/RetryPolicy.h"

#include <algorithm>

#include "engine/DlEngine.h"

namespace dlengine {

namespace {

// Failures in a row without a byte received in between before a task gives up.
constexpr int kFailureBudget = 10;
constexpr auto kFirstBackOff = std::chrono::milliseconds(250);
constexpr auto kLongestBackOff = std::chrono::seconds(15);
// Doubling stops here; the cap above is reached one step earlier anyway.
constexpr int kLastDoubling = 6;

bool IsTransientStatus(long status) {
    return status == 408 || status == 429 || status >= 500;
}

// The address or the request itself is wrong: no later try can reach the file.
bool IsPermanentCurlError(CURLcode code) {
    switch (code) {
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_URL_MALFORMAT:
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_TOO_MANY_REDIRECTS:
            return true;
        default:
            return false;
    }
}

bool IsTlsError(CURLcode code) {
    return code == CURLE_PEER_FAILED_VERIFICATION || code == CURLE_SSL_CACERT_BADFILE ||
           code == CURLE_SSL_CERTPROBLEM || code == CURLE_SSL_ISSUER_ERROR;
}

}  // namespace

FailureVerdict ClassifyHttpStatus(long status) {
    if (status == 416) {
        return {FailureKind::kStartOver, DL_ERROR_HTTP};
    }
    if (IsTransientStatus(status)) {
        return {FailureKind::kRetry, DL_ERROR_HTTP};
    }
    return {FailureKind::kGiveUp, DL_ERROR_HTTP};
}

FailureVerdict ClassifyCurlError(CURLcode code) {
    if (IsTlsError(code)) {
        return {FailureKind::kGiveUp, DL_ERROR_TLS};
    }
    if (IsPermanentCurlError(code)) {
        return {FailureKind::kGiveUp, DL_ERROR_NETWORK};
    }
    return {FailureKind::kRetry, DL_ERROR_NETWORK};
}

RetryStep RecordFailure(RetryState& state, Clock::time_point now) {
    if (now < state.retryAt) {
        return RetryStep::kAlreadyWaiting;
    }
    ++state.failures;
    if (state.failures > kFailureBudget) {
        return RetryStep::kExhausted;
    }
    state.retryAt = now + RetryDelay(state.failures);
    return RetryStep::kWait;
}

Clock::duration RetryDelay(int failures) {
    const int doublings = std::clamp(failures - 1, 0, kLastDoubling);
    return std::min<Clock::duration>(kFirstBackOff * (1 << doublings), kLongestBackOff);
}

}  // namespace dlengine
