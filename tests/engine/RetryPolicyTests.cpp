#include <gtest/gtest.h>

#include "engine/DlEngine.h"
#include "engine/RetryPolicy.h"

using namespace dlengine;
using namespace std::chrono_literals;

TEST(RetryPolicyTest, HttpStatusesThatMayPassAreRetriedTheRestEndTheTask) {
    for (long status : {408L, 429L, 500L, 502L, 503L, 504L, 599L}) {
        EXPECT_EQ(ClassifyHttpStatus(status), (FailureVerdict{FailureKind::kRetry, DL_ERROR_HTTP}))
            << status;
    }
    // Answers that will not change by asking again, including the ones a range request
    // cannot use although they are not errors.
    for (long status : {204L, 301L, 304L, 400L, 401L, 403L, 404L, 407L, 410L, 451L, 499L}) {
        EXPECT_EQ(ClassifyHttpStatus(status), (FailureVerdict{FailureKind::kGiveUp, DL_ERROR_HTTP}))
            << status;
    }
    EXPECT_EQ(ClassifyHttpStatus(416), (FailureVerdict{FailureKind::kStartOver, DL_ERROR_HTTP}));
}

TEST(RetryPolicyTest, CurlErrorsOfThePathAreRetriedOnesOfTheAddressOrCertificateAreNot) {
    for (CURLcode code :
         {CURLE_COULDNT_CONNECT, CURLE_OPERATION_TIMEDOUT, CURLE_RECV_ERROR, CURLE_SEND_ERROR,
          CURLE_PARTIAL_FILE, CURLE_GOT_NOTHING, CURLE_SSL_CONNECT_ERROR, CURLE_WRITE_ERROR}) {
        EXPECT_EQ(ClassifyCurlError(code), (FailureVerdict{FailureKind::kRetry, DL_ERROR_NETWORK}))
            << curl_easy_strerror(code);
    }
    for (CURLcode code :
         {CURLE_UNSUPPORTED_PROTOCOL, CURLE_URL_MALFORMAT, CURLE_COULDNT_RESOLVE_HOST,
          CURLE_COULDNT_RESOLVE_PROXY, CURLE_TOO_MANY_REDIRECTS}) {
        EXPECT_EQ(ClassifyCurlError(code), (FailureVerdict{FailureKind::kGiveUp, DL_ERROR_NETWORK}))
            << curl_easy_strerror(code);
    }
    for (CURLcode code : {CURLE_PEER_FAILED_VERIFICATION, CURLE_SSL_CACERT_BADFILE,
                          CURLE_SSL_CERTPROBLEM, CURLE_SSL_ISSUER_ERROR}) {
        EXPECT_EQ(ClassifyCurlError(code), (FailureVerdict{FailureKind::kGiveUp, DL_ERROR_TLS}))
            << curl_easy_strerror(code);
    }
}

TEST(RetryPolicyTest, BackOffDoublesFromAQuarterSecondUpToFifteenSeconds) {
    EXPECT_EQ(RetryDelay(1), Clock::duration(250ms));
    Clock::duration previous = RetryDelay(1);
    for (int failures = 2; failures <= 40; ++failures) {
        const Clock::duration delay = RetryDelay(failures);
        EXPECT_EQ(delay, std::min<Clock::duration>(previous * 2, 15s)) << failures;
        previous = delay;
    }
    EXPECT_EQ(RetryDelay(7), Clock::duration(15s));
}

TEST(RetryPolicyTest, GivesUpOnTheEleventhFailureInARowCountingOverlapsOnce) {
    RetryState state;
    Clock::time_point now{};
    for (int failure = 1; failure <= 10; ++failure) {
        ASSERT_EQ(RecordFailure(state, now), RetryStep::kWait) << failure;
        EXPECT_EQ(state.retryAt, now + RetryDelay(failure));
        // Other transfers failing during the back-off are the same failure.
        const Clock::time_point waiting = state.retryAt;
        EXPECT_EQ(RecordFailure(state, waiting - 1ms), RetryStep::kAlreadyWaiting);
        EXPECT_EQ(state.failures, failure);
        EXPECT_EQ(state.retryAt, waiting);
        now = waiting;
    }
    EXPECT_EQ(RecordFailure(state, now), RetryStep::kExhausted);
}

TEST(RetryPolicyTest, ReceivedBytesStartTheScheduleAgain) {
    RetryState state;
    Clock::time_point now{};
    for (int failure = 1; failure <= 8; ++failure) {
        RecordFailure(state, now);
        now = state.retryAt;
    }
    state.failures = 0;  // what a task does when a byte arrives
    ASSERT_EQ(RecordFailure(state, now), RetryStep::kWait);
    EXPECT_EQ(state.retryAt - now, RetryDelay(1));
}
