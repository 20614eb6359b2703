// "gameList.dat": any text reads as rows, and the rows read keep their number through a save and
// a second reading.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "download/DownloadedGamesRecord.h"
#include "fuzz/support/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto records = DownEngine::ParseDownloadedGames(fuzzinput::AsText(data, size));
    std::vector<const DownloadRecord*> rows;
    for (const auto& record : records) {
        rows.push_back(record.get());
    }
    const std::string saved = DownEngine::FormatDownloadedGames(rows);
    if (DownEngine::ParseDownloadedGames(saved).size() != rows.size()) {
        std::abort();
    }
    return 0;
}
