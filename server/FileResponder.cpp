#include "server/FileResponder.h"

#include <fstream>
#include <memory>

#include "server/RangedResponse.h"

namespace {

// One open file per answer, read from the one thread that asks for the answer's pieces.
ByteSource FileSource(std::shared_ptr<std::ifstream> stream) {
    return [stream](uint64_t offset, char* out, size_t length) -> size_t {
        stream->clear();
        stream->seekg(static_cast<std::streamoff>(offset));
        stream->read(out, static_cast<std::streamsize>(length));
        const std::streamsize got = stream->gcount();
        return got > 0 ? static_cast<size_t>(got) : 0;
    };
}

}  // namespace

uint64_t RespondWithFile(const httplib::Request& request, httplib::Response& response,
                         const std::filesystem::path& path, TransferPace pace) {
    auto stream = std::make_shared<std::ifstream>();
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error);
    const uintmax_t fileSize = regular ? std::filesystem::file_size(path, error) : 0;
    if (regular && !error) {
        stream->open(path, std::ios::binary);
    }
    if (!regular || error || !*stream) {
        response.status = 404;
        response.set_content("not found\n", "text/plain");
        return response.body.size();
    }
    return RespondWithBytes(request, response, static_cast<uint64_t>(fileSize),
                            FileSource(std::move(stream)), pace);
}
