#include "tools/layer-check/LayerRules.h"

#include <algorithm>
#include <sstream>

namespace layers {
namespace {

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Words(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

// An entry names a folder, a sub-folder or one header; it covers the header when it is the
// header itself or one of the folders above it.
bool Covers(std::string_view entry, std::string_view header) {
    if (entry == "*" || entry == header) {
        return true;
    }
    return header.size() > entry.size() && header.substr(0, entry.size()) == entry &&
           header[entry.size()] == '/';
}

// A system entry also covers the header of its own name and its family ("glib" covers
// <glib.h> and <glib-object.h>).
bool CoversSystem(std::string_view entry, std::string_view header) {
    if (Covers(entry, header)) {
        return true;
    }
    if (header.size() <= entry.size() || header.substr(0, entry.size()) != entry) {
        return false;
    }
    const std::string_view rest = header.substr(entry.size());
    return rest == ".h" || rest.front() == '-';
}

}  // namespace

std::string_view TopFolder(std::string_view path) {
    return path.substr(0, path.find('/'));
}

bool LayerRules::Parse(std::string_view text, std::string& error) {
    std::istringstream in{std::string(text)};
    int number = 0;
    for (std::string raw; std::getline(in, raw);) {
        ++number;
        const std::string_view line = Trim(std::string_view(raw).substr(0, raw.find('#')));
        if (line.empty()) {
            continue;
        }
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos || Trim(line.substr(0, colon)).empty()) {
            error = "line " + std::to_string(number) + " is not \"folder: entries\"";
            return false;
        }
        const std::string key(Trim(line.substr(0, colon)));
        std::vector<std::string> entries = Words(line.substr(colon + 1));
        if (key == "system") {
            systemHeaders_ = std::move(entries);
        } else if (key == "system-allowed") {
            systemAllowed_.insert(entries.begin(), entries.end());
        } else {
            allowed_[key] = std::move(entries);
        }
    }
    return true;
}

bool LayerRules::MayInclude(std::string_view from, std::string_view header) const {
    if (TopFolder(header) == from) {
        return true;
    }
    const auto rule = allowed_.find(from);
    return rule != allowed_.end() &&
           std::any_of(rule->second.begin(), rule->second.end(),
                       [&](const std::string& entry) { return Covers(entry, header); });
}

bool LayerRules::MayIncludeSystem(std::string_view from, std::string_view header) const {
    if (systemAllowed_.count(from)) {
        return true;
    }
    return std::none_of(systemHeaders_.begin(), systemHeaders_.end(),
                        [&](const std::string& entry) { return CoversSystem(entry, header); });
}

std::optional<IncludeLine> ParseInclude(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '#') {
        return std::nullopt;
    }
    line = Trim(line.substr(1));
    constexpr std::string_view kInclude = "include";
    if (line.substr(0, kInclude.size()) != kInclude) {
        return std::nullopt;
    }
    line = Trim(line.substr(kInclude.size()));
    if (line.empty() || (line.front() != '"' && line.front() != '<')) {
        return std::nullopt;
    }
    const char close = line.front() == '"' ? '"' : '>';
    const size_t end = line.find(close, 1);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return IncludeLine{std::string(line.substr(1, end - 1)), close == '>'};
}

}  // namespace layers
