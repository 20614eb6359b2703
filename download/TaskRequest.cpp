#include "download/TaskRequest.h"

#include <algorithm>
#include <cstring>

namespace DownEngine {
namespace {

template <size_t N>
void CopyText(char16_t (&field)[N], std::u16string_view text) {
    std::fill(std::begin(field), std::end(field), u'\0');
    if (text.size() < N) {
        std::copy(text.begin(), text.end(), field);
    }
}

}  // namespace

void BuildTaskRequest(EngineTaskRequest& request, std::u16string_view url,
                      std::u16string_view fileName, std::u16string_view folder) {
    std::memset(&request, 0, sizeof request);
    CopyText(request.url, url);
    CopyText(request.fileName, fileName);
    CopyText(request.saveFolder, folder);
    request.clientField5 = 5;
    request.clientField1 = 1;
}

}  // namespace DownEngine
