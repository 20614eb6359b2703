#include "engine/ContentRange.h"

#include <charconv>

namespace dlengine {

namespace {

bool TakeNumber(std::string_view& text, int64_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || value < 0) {
        return false;
    }
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return true;
}

bool TakeChar(std::string_view& text, char expected) {
    if (text.empty() || text.front() != expected) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

}  // namespace

std::optional<ContentRange> ParseContentRange(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    if (!text.starts_with("bytes ")) {
        return std::nullopt;
    }
    text.remove_prefix(6);
    ContentRange range;
    if (!TakeNumber(text, range.first) || !TakeChar(text, '-') || !TakeNumber(text, range.last) ||
        !TakeChar(text, '/') || range.last < range.first) {
        return std::nullopt;
    }
    if (!text.empty() && text.front() == '*') {
        text.remove_prefix(1);
    } else if (!TakeNumber(text, range.total) || range.total <= range.last) {
        return std::nullopt;
    }
    while (!text.empty() && (text.front() == ' ' || text.front() == '\r')) {
        text.remove_prefix(1);
    }
    return text.empty() ? std::optional(range) : std::nullopt;
}

}  // namespace dlengine
