#include "server/FileResponder.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <vector>

#include "server/ByteRange.h"

namespace {

constexpr size_t kPieceSize = 64 * 1024;
constexpr const char* kFileType = "application/octet-stream";

// One open file per answer; the library asks for its pieces in order from one thread.
struct FileHandle {
    std::ifstream stream;
};

// Sends bytes [first, first + length) of the file; offsets from httplib are relative to first.
void StreamRange(httplib::Response& response, std::shared_ptr<FileHandle> file, uint64_t first,
                 uint64_t length) {
    response.set_content_provider(
        length, kFileType, [file, first](size_t offset, size_t remaining, httplib::DataSink& sink) {
            std::vector<char> piece(std::min(remaining, kPieceSize));
            file->stream.clear();
            file->stream.seekg(static_cast<std::streamoff>(first + offset));
            file->stream.read(piece.data(), static_cast<std::streamsize>(piece.size()));
            const std::streamsize got = file->stream.gcount();
            // A file that shrank under us ends the answer rather than looping forever.
            return got > 0 && sink.write(piece.data(), static_cast<size_t>(got));
        });
}

}  // namespace

uint64_t RespondWithFile(const httplib::Request& request, httplib::Response& response,
                         const std::filesystem::path& path) {
    auto file = std::make_shared<FileHandle>();
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error);
    const uintmax_t fileSize = regular ? std::filesystem::file_size(path, error) : 0;
    if (regular && !error) {
        file->stream.open(path, std::ios::binary);
    }
    if (!regular || error || !file->stream) {
        response.status = 404;
        response.set_content("not found\n", "text/plain");
        return response.body.size();
    }
    const auto size = static_cast<uint64_t>(fileSize);
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
