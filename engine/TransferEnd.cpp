#include "engine/TransferEnd.h"

namespace dlengine {

namespace {

// A refused answer with a status other than these was refused for its status.
bool IsUsableStatus(long status) {
    return status == 206 || status == 200 || status == 0;
}

// A transfer stops itself at its end by refusing the bytes beyond it, which curl reports as a
// write error.
bool EndedInError(const FinishedTransfer& transfer) {
    return transfer.code != CURLE_OK &&
           !(transfer.code == CURLE_WRITE_ERROR && transfer.reachedEnd);
}

}  // namespace

TransferEnd JudgeTransferEnd(const FinishedTransfer& transfer, bool taskFailed) {
    if (transfer.cancelled || taskFailed) {
        return TransferEnd::kNothing;
    }
    if (transfer.emptyFileAnswer) {
        return TransferEnd::kEmptyFile;
    }
    if (transfer.httpStatus >= 400 || (transfer.refused && !IsUsableStatus(transfer.httpStatus))) {
        return TransferEnd::kHttpFailure;
    }
    if (transfer.refused) {
        return TransferEnd::kRetry;
    }
    if (EndedInError(transfer)) {
        return TransferEnd::kCurlFailure;
    }
    if (transfer.end < 0 && transfer.answerChecked) {
        return TransferEnd::kLengthLearned;
    }
    if (transfer.end >= 0 && transfer.cursor < transfer.end && !transfer.reachedEnd) {
        return TransferEnd::kRetry;
    }
    return TransferEnd::kRangeDone;
}

}  // namespace dlengine
