#include <gtest/gtest.h>

#include "engine/TransferEnd.h"

using namespace dlengine;

namespace {

// A range transfer of [0, 1000) that got its answer accepted.
FinishedTransfer Accepted(long status, int64_t cursor) {
    FinishedTransfer transfer;
    transfer.httpStatus = status;
    transfer.answerChecked = true;
    transfer.end = 1000;
    transfer.cursor = cursor;
    return transfer;
}

}  // namespace

TEST(TransferEndTest, CancelledTransfersAndFailedTasksHearNothingMore) {
    FinishedTransfer dropped = Accepted(206, 10);
    dropped.code = CURLE_RECV_ERROR;
    EXPECT_EQ(JudgeTransferEnd(dropped, true), TransferEnd::kNothing);
    dropped.cancelled = true;
    EXPECT_EQ(JudgeTransferEnd(dropped, false), TransferEnd::kNothing);
    FinishedTransfer missing = Accepted(404, 0);
    missing.cancelled = true;
    EXPECT_EQ(JudgeTransferEnd(missing, false), TransferEnd::kNothing);
}

TEST(TransferEndTest, StatusesTheTaskCannotUseGoToTheRetryPolicy) {
    EXPECT_EQ(JudgeTransferEnd(Accepted(404, 0), false), TransferEnd::kHttpFailure);
    // The status wins over the broken connection that followed it.
    FinishedTransfer busy = Accepted(503, 0);
    busy.code = CURLE_PARTIAL_FILE;
    EXPECT_EQ(JudgeTransferEnd(busy, false), TransferEnd::kHttpFailure);
    FinishedTransfer moved = Accepted(304, 0);
    moved.refused = true;
    EXPECT_EQ(JudgeTransferEnd(moved, false), TransferEnd::kHttpFailure);
    // The one 416 that means an empty file is an answer, not a failure.
    FinishedTransfer empty = Accepted(416, 0);
    empty.emptyFileAnswer = true;
    EXPECT_EQ(JudgeTransferEnd(empty, false), TransferEnd::kEmptyFile);
    EXPECT_EQ(JudgeTransferEnd(Accepted(416, 0), false), TransferEnd::kHttpFailure);
}

TEST(TransferEndTest, RefusedUsableAnswersAndShortAnswersAreTriedAgain) {
    // A partial answer for another range than the one asked for.
    for (long status : {206L, 200L, 0L}) {
        FinishedTransfer refused = Accepted(status, 0);
        refused.refused = true;
        refused.code = CURLE_WRITE_ERROR;
        EXPECT_EQ(JudgeTransferEnd(refused, false), TransferEnd::kRetry) << status;
    }
    EXPECT_EQ(JudgeTransferEnd(Accepted(206, 999), false), TransferEnd::kRetry);
    FinishedTransfer never = Accepted(0, 0);
    never.answerChecked = false;
    EXPECT_EQ(JudgeTransferEnd(never, false), TransferEnd::kRetry);
}

TEST(TransferEndTest, StoppingAtTheEndIsNotACurlFailureButOtherErrorsAre) {
    FinishedTransfer stopped = Accepted(206, 1000);
    stopped.reachedEnd = true;
    stopped.code = CURLE_WRITE_ERROR;
    EXPECT_EQ(JudgeTransferEnd(stopped, false), TransferEnd::kRangeDone);
    // Its end was pulled in behind its cursor by a connection that took over its tail.
    FinishedTransfer overtaken = Accepted(206, 600);
    overtaken.end = 500;
    overtaken.reachedEnd = true;
    overtaken.code = CURLE_WRITE_ERROR;
    EXPECT_EQ(JudgeTransferEnd(overtaken, false), TransferEnd::kRangeDone);

    FinishedTransfer unasked = Accepted(206, 400);
    unasked.code = CURLE_WRITE_ERROR;
    EXPECT_EQ(JudgeTransferEnd(unasked, false), TransferEnd::kCurlFailure);
    FinishedTransfer timedOut = Accepted(206, 1000);
    timedOut.code = CURLE_OPERATION_TIMEDOUT;
    EXPECT_EQ(JudgeTransferEnd(timedOut, false), TransferEnd::kCurlFailure);
    EXPECT_EQ(JudgeTransferEnd(Accepted(206, 1000), false), TransferEnd::kRangeDone);
}

TEST(TransferEndTest, AStreamOfUnknownLengthEndingCleanlyTellsTheLength) {
    FinishedTransfer whole = Accepted(200, 4321);
    whole.end = -1;
    EXPECT_EQ(JudgeTransferEnd(whole, false), TransferEnd::kLengthLearned);
    whole.code = CURLE_RECV_ERROR;
    EXPECT_EQ(JudgeTransferEnd(whole, false), TransferEnd::kCurlFailure);
}
