#include "tools/artwork-render/Manifest.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace {

bool ReadOption(const std::string& word, ArtworkEntry& entry) {
    const size_t eq = word.find('=');
    if (eq == std::string::npos) {
        return false;
    }
    const std::string key = word.substr(0, eq);
    int value = 0;
    const char* begin = word.data() + eq + 1;
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end || value <= 0) {
        return false;
    }
    if (key == "frames") {
        entry.frames = value;
    } else if (key == "delay") {
        entry.delayMs = value;
    } else if (key == "quality" && value <= 100) {
        entry.quality = value;
    } else if (key == "size") {
        entry.size = value;
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool ReadManifest(const std::string& path, std::vector<ArtworkEntry>& entries, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        text = text.substr(0, text.find('#'));
        std::istringstream words(text);
        ArtworkEntry entry;
        entry.line = number;
        if (!(words >> entry.output)) {
            continue;
        }
        if (!(words >> entry.source)) {
            error = path + ":" + std::to_string(number) + ": no source for " + entry.output;
            return false;
        }
        for (std::string word; words >> word;) {
            if (!ReadOption(word, entry)) {
                error = path + ":" + std::to_string(number) + ": cannot read " + word;
                return false;
            }
        }
        entries.push_back(entry);
    }
    return true;
}
