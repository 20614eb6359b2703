// How a task judges the server's answers and the end of each transfer.
#include <algorithm>

#include "engine/ContentRange.h"
#include "engine/DlEngine.h"
#include "engine/RetryPolicy.h"
#include "engine/Task.h"
#include "engine/TransferEnd.h"

namespace dlengine {

namespace {

std::string HeaderValue(CURL* easy, const char* name) {
    curl_header* header = nullptr;
    if (curl_easy_header(easy, name, 0, CURLH_HEADER, -1, &header) != CURLHE_OK || !header) {
        return {};
    }
    return header->value;
}

// Read before the transfer and its handle go.
FinishedTransfer Describe(Transfer& transfer, CURLcode code) {
    if (transfer.httpStatus == 0) {
        curl_easy_getinfo(transfer.easy(), CURLINFO_RESPONSE_CODE, &transfer.httpStatus);
    }
    FinishedTransfer finished;
    finished.httpStatus = transfer.httpStatus;
    finished.code = code;
    finished.cancelled = transfer.cancelled;
    finished.refused = transfer.refused;
    finished.answerChecked = transfer.answerChecked;
    finished.reachedEnd = transfer.reachedEnd;
    // An empty file cannot satisfy any range; the server says so with its size.
    finished.emptyFileAnswer =
        transfer.httpStatus == 416 && HeaderValue(transfer.easy(), "Content-Range") == "bytes */0";
    finished.end = transfer.end;
    finished.cursor = transfer.cursor;
    return finished;
}

}  // namespace

bool Task::AcceptAnswer(Transfer& transfer) {
    lastStatus_ = transfer.httpStatus;
    if (transfer.httpStatus == 206) {
        return AcceptPartial(transfer);
    }
    if (transfer.httpStatus == 200) {
        return AcceptWhole(transfer);
    }
    return false;
}

bool Task::AcceptPartial(Transfer& transfer) {
    const auto range = ParseContentRange(HeaderValue(transfer.easy(), "Content-Range"));
    if (!range || range->total < 0 || range->first != transfer.start) {
        return false;
    }
    if (fileSize_ >= 0 && range->total != fileSize_) {
        // The file changed on the server; the probe that starts over asks from the beginning.
        CancelTransfers(&transfer);
        ResetProgress();
        return false;
    }
    if (fileSize_ < 0) {
        SetFileSize(range->total);
        if (state_ == DL_STATE_ERROR) {
            return false;
        }
    }
    transfer.end = transfer.end < 0 ? fileSize_ : std::min(transfer.end, fileSize_);
    rangesConfirmed_ = true;
    // A server that once sent the whole file may answer ranges after all: connections may split.
    singleStream_ = false;
    wholeAnswersRefused_ = 0;
    return true;
}

// A whole-file answer to a range request. When it is as long as the file the ranges came from,
// it is that file from byte 0: the transfer writes it from there to its end and everything
// received stays. Otherwise nothing received before can be matched to it, so the task starts
// over with this one stream from byte 0.
bool Task::AcceptWhole(Transfer& transfer) {
    curl_off_t length = -1;
    curl_easy_getinfo(transfer.easy(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    if (fileSize_ > 0 && length == fileSize_) {
        return UseWholeAnswer(transfer);
    }
    CancelTransfers(&transfer);
    if (transfer.start != 0 || received_.Total() > 0 || fileSize_ >= 0) {
        ResetProgress();
    }
    transfer.start = transfer.cursor = 0;
    transfer.end = length >= 0 ? static_cast<int64_t>(length) : -1;
    singleStream_ = true;
    if (length >= 0) {
        SetFileSize(static_cast<int64_t>(length));
    }
    return state_ != DL_STATE_ERROR;
}

// Reaching a piece far into the file through a whole answer costs every byte before it, while
// refusing it costs only what is in flight: a server that ignores ranges now and then is asked
// again. One that keeps sending whole answers is read through.
bool Task::UseWholeAnswer(Transfer& transfer) {
    serverMisbehaved_ = true;
    const int refusals = rangesConfirmed_ ? kWholeAnswerRefusals : kWholeAnswerRefusalsUntilRanges;
    if (transfer.start > kWholeAnswerDetour && wholeAnswersRefused_ < refusals) {
        ++wholeAnswersRefused_;
        return false;
    }
    wholeAnswersRefused_ = 0;
    transfer.start = transfer.cursor = 0;
    return true;
}

void Task::OnTransferDone(Transfer* transfer, CURLcode code) {
    const FinishedTransfer finished = Describe(*transfer, code);
    RemoveTransfer(transfer, true);
    switch (JudgeTransferEnd(finished, state_ == DL_STATE_ERROR)) {
        case TransferEnd::kNothing:
        case TransferEnd::kRangeDone:
            break;
        case TransferEnd::kEmptyFile:
            ResetProgress();
            SetFileSize(0);
            break;
        case TransferEnd::kHttpFailure:
            HandleHttpStatus(finished.httpStatus);
            break;
        case TransferEnd::kRetry:
            NoteFailure(DL_ERROR_NETWORK);
            break;
        case TransferEnd::kCurlFailure:
            HandleCurlError(code);
            break;
        case TransferEnd::kLengthLearned:
            fileSize_ = finished.cursor;
            break;
    }
}

void Task::HandleHttpStatus(long status) {
    httpStatus_ = status;
    ApplyVerdict(ClassifyHttpStatus(status));
}

void Task::HandleCurlError(CURLcode code) {
    ApplyVerdict(ClassifyCurlError(code));
}

void Task::ApplyVerdict(const FailureVerdict& verdict) {
    switch (verdict.kind) {
        case FailureKind::kStartOver:
            CancelTransfers(nullptr);
            ResetProgress();
            NoteFailure(verdict.error);
            break;
        case FailureKind::kRetry:
            NoteFailure(verdict.error);
            break;
        case FailureKind::kGiveUp:
            Fail(verdict.error);
            break;
    }
}

void Task::NoteFailure(int errorIfExhausted) {
    serverMisbehaved_ = true;
    if (RecordFailure(retry_, Clock::now()) == RetryStep::kExhausted) {
        Fail(errorIfExhausted);
    }
}

}  // namespace dlengine
