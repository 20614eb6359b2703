// How a task judges the server's answers and the end of each transfer.
#include <algorithm>

#include "engine/ContentRange.h"
#include "engine/DlEngine.h"
#include "engine/RetryPolicy.h"
#include "engine/Task.h"

namespace dlengine {

namespace {

std::string HeaderValue(CURL* easy, const char* name) {
    curl_header* header = nullptr;
    if (curl_easy_header(easy, name, 0, CURLH_HEADER, -1, &header) != CURLHE_OK || !header) {
        return {};
    }
    return header->value;
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
    return true;
}

// A whole-file answer to a range request: the server ignores ranges. Nothing received before
// can be matched to it, so the task starts over with this one stream from byte 0.
bool Task::AcceptWhole(Transfer& transfer) {
    CancelTransfers(&transfer);
    if (transfer.start != 0 || received_.Total() > 0 || fileSize_ >= 0) {
        ResetProgress();
    }
    curl_off_t length = -1;
    curl_easy_getinfo(transfer.easy(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    transfer.start = transfer.cursor = 0;
    transfer.end = length >= 0 ? static_cast<int64_t>(length) : -1;
    singleStream_ = true;
    if (length >= 0) {
        SetFileSize(static_cast<int64_t>(length));
    }
    return state_ != DL_STATE_ERROR;
}

void Task::OnTransferDone(Transfer* transfer, CURLcode code) {
    if (transfer->httpStatus == 0) {
        curl_easy_getinfo(transfer->easy(), CURLINFO_RESPONSE_CODE, &transfer->httpStatus);
    }
    const long status = transfer->httpStatus;
    const bool cancelled = transfer->cancelled;
    const bool refused = transfer->refused;
    const bool reachedEnd = transfer->reachedEnd;
    const int64_t end = transfer->end;
    const int64_t cursor = transfer->cursor;
    const bool sameEpochWhole = transfer->answerChecked && !refused && !cancelled;
    // An empty file cannot satisfy any range; the server says so with its size.
    const bool emptyFile =
        status == 416 && HeaderValue(transfer->easy(), "Content-Range") == "bytes */0";
    RemoveTransfer(transfer, true);
    if (cancelled || state_ == DL_STATE_ERROR) {
        return;
    }
    if (emptyFile) {
        ResetProgress();
        SetFileSize(0);
        return;
    }
    if (status >= 400 || (refused && status != 206 && status != 200 && status != 0)) {
        HandleHttpStatus(status);
        return;
    }
    if (refused) {
        NoteFailure(DL_ERROR_NETWORK);
        return;
    }
    if (code != CURLE_OK && !(code == CURLE_WRITE_ERROR && reachedEnd)) {
        HandleCurlError(code);
        return;
    }
    if (end < 0 && sameEpochWhole) {
        // A stream of unknown length ended cleanly: its length is what arrived.
        fileSize_ = cursor;
        return;
    }
    if (end >= 0 && cursor < end && !reachedEnd) {
        NoteFailure(DL_ERROR_NETWORK);  // the answer ended early
    }
}

void Task::HandleHttpStatus(long status) {
    httpStatus_ = status;
    ApplyVerdict(ClassifyHttpStatus(status));
}

void Task::HandleCurlError(CURLcode code) {
    // The transfer was stopped by the task's own failure, which is already reported.
    if (code == CURLE_WRITE_ERROR && state_ == DL_STATE_ERROR) {
        return;
    }
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
    if (RecordFailure(retry_, Clock::now()) == RetryStep::kExhausted) {
        Fail(errorIfExhausted);
    }
}

}  // namespace dlengine
