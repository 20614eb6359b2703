#include "server/DemoFileResponder.h"

#include <string>
#include <utility>

#include "server/DemoFileBytes.h"
#include "server/RangedResponse.h"

uint64_t RespondWithDemoFile(const httplib::Request& request, httplib::Response& response,
                             std::string_view name, uint64_t size, TransferPace pace) {
    ByteSource demo = [file = std::string(name)](uint64_t offset, char* out, size_t length) {
        FillDemoFileBytes(file, offset, out, length);
        return length;
    };
    return RespondWithBytes(request, response, size, std::move(demo), pace);
}
