#include "server/ByteRange.h"

#include <limits>
#include <optional>

namespace {

constexpr std::string_view kUnit = "bytes=";

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Decimal digits only; nothing for an empty text or a value past 64 bits.
std::optional<uint64_t> ParseNumber(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return value;
}

ByteRange Whole() {
    return ByteRange{};
}

ByteRange Unsatisfiable() {
    return ByteRange{ByteRange::Kind::Unsatisfiable, 0, 0};
}

ByteRange Partial(uint64_t first, uint64_t last) {
    return ByteRange{ByteRange::Kind::Partial, first, last - first + 1};
}

// "-N": the last N bytes.
ByteRange SuffixRange(std::string_view lengthText, uint64_t size) {
    const auto length = ParseNumber(lengthText);
    if (!length) {
        return Whole();
    }
    if (*length == 0 || size == 0) {
        return Unsatisfiable();
    }
    return Partial(*length >= size ? 0 : size - *length, size - 1);
}

}  // namespace

std::string ByteRange::ContentRange(uint64_t size) const {
    if (kind == Kind::Unsatisfiable) {
        return "bytes */" + std::to_string(size);
    }
    return "bytes " + std::to_string(first) + "-" + std::to_string(first + length - 1) + "/" +
           std::to_string(size);
}

ByteRange ParseByteRange(std::string_view header, uint64_t size) {
    header = Trim(header);
    if (header.substr(0, kUnit.size()) != kUnit) {
        return Whole();
    }
    const std::string_view rangeText = Trim(header.substr(kUnit.size()));
    const size_t dash = rangeText.find('-');
    if (rangeText.find(',') != std::string_view::npos || dash == std::string_view::npos) {
        return Whole();
    }
    const std::string_view firstText = Trim(rangeText.substr(0, dash));
    const std::string_view lastText = Trim(rangeText.substr(dash + 1));
    if (firstText.empty()) {
        return SuffixRange(lastText, size);
    }
    const auto first = ParseNumber(firstText);
    const auto last = lastText.empty()
                          ? std::optional<uint64_t>(std::numeric_limits<uint64_t>::max())
                          : ParseNumber(lastText);
    if (!first || !last || *last < *first) {
        return Whole();
    }
    if (*first >= size) {
        return Unsatisfiable();
    }
    return Partial(*first, *last >= size ? size - 1 : *last);
}
