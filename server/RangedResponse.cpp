#include "server/RangedResponse.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "server/ByteRange.h"
#include "server/RequestLog.h"

namespace {

constexpr const char* kFileType = "application/octet-stream";

// The state of one answer's body; the library asks for its pieces in order from one thread.
struct Transfer {
    Transfer(std::string target, ByteSource byteSource, TransferPace pace)
        : path(std::move(target)),
          source(std::move(byteSource)),
          pacer(pace),
          piece(pacer.PieceSize()) {}

    std::string path;
    ByteSource source;
    TransferPacer pacer;
    std::vector<char> piece;
    uint64_t sent = 0;
};

// Sends bytes [first, first + length); offsets from the library are relative to first.
void StreamRange(httplib::Response& response, std::shared_ptr<Transfer> transfer, uint64_t first,
                 uint64_t length) {
    response.set_content_provider(
        length, kFileType,
        [transfer, first](size_t offset, size_t remaining, httplib::DataSink& sink) {
            if (!transfer->pacer.WaitUntilDue(offset)) {
                return false;
            }
            const size_t wanted = std::min(remaining, transfer->piece.size());
            const size_t got = transfer->source(first + offset, transfer->piece.data(), wanted);
            if (got == 0 || !sink.write(transfer->piece.data(), got)) {
                return false;
            }
            transfer->sent += got;
            return true;
        },
        // Also when the client went away halfway: what left the server is what it cost.
        [transfer](bool) { LogBytesSent(transfer->path, transfer->sent); });
}

}  // namespace

uint64_t RespondWithBytes(const httplib::Request& request, httplib::Response& response,
                          uint64_t size, ByteSource source, TransferPace pace) {
    const ByteRange range = ParseByteRange(request.get_header_value("Range"), size);
    response.set_header("Accept-Ranges", "bytes");
    if (range.kind == ByteRange::Kind::Unsatisfiable) {
        response.status = 416;
        response.set_header("Content-Range", range.ContentRange(size));
        response.set_content("range not satisfiable\n", "text/plain");
        return response.body.size();
    }
    const bool partial = range.kind == ByteRange::Kind::Partial;
    const uint64_t first = partial ? range.first : 0;
    const uint64_t length = partial ? range.length : size;
    response.status = partial ? 206 : 200;
    if (partial) {
        response.set_header("Content-Range", range.ContentRange(size));
    }
    if (length == 0) {
        response.set_content("", kFileType);
    } else {
        StreamRange(response, std::make_shared<Transfer>(request.path, std::move(source), pace),
                    first, length);
    }
    return length;
}
