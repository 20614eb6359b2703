#include "server/FileResponder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "server/ByteRange.h"

namespace {

constexpr size_t kPieceSize = 64 * 1024;
constexpr const char* kFileType = "application/octet-stream";

struct FileHandle {
    int fd = -1;
    ~FileHandle() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// Sends bytes [first, first + length) of the file; offsets from httplib are relative to first.
void StreamRange(httplib::Response& response, std::shared_ptr<FileHandle> file, uint64_t first,
                 uint64_t length) {
    response.set_content_provider(
        length, kFileType, [file, first](size_t offset, size_t remaining, httplib::DataSink& sink) {
            std::vector<char> piece(std::min(remaining, kPieceSize));
            const ssize_t got =
                ::pread(file->fd, piece.data(), piece.size(), static_cast<off_t>(first + offset));
            // A file that shrank under us ends the answer rather than looping forever.
            return got > 0 && sink.write(piece.data(), static_cast<size_t>(got));
        });
}

}  // namespace

uint64_t RespondWithFile(const httplib::Request& request, httplib::Response& response,
                         const std::filesystem::path& path) {
    auto file = std::make_shared<FileHandle>();
    file->fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (file->fd < 0 || ::fstat(file->fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        response.status = 404;
        response.set_content("not found\n", "text/plain");
        return response.body.size();
    }
    const auto size = static_cast<uint64_t>(info.st_size);
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
        StreamRange(response, std::move(file), first, length);
    }
    return length;
}
