#include "server/RequestTarget.h"

#include "common/HexDigit.h"

namespace RequestTarget {

std::string CollapseLeadingSlashes(std::string_view path) {
    const size_t first = path.find_first_not_of('/');
    if (first == 0 || path.empty()) {
        return std::string(path);
    }
    if (first == std::string_view::npos) {
        return "/";
    }
    return "/" + std::string(path.substr(first));
}

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigitValue(text[i + 1]) >= 0 &&
            HexDigitValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigitValue(text[i + 1]) * 16 + HexDigitValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

Params ParseQuery(std::string_view query) {
    Params params;
    while (!query.empty()) {
        const size_t amp = query.find('&');
        const std::string_view piece = query.substr(0, amp);
        if (!piece.empty()) {
            const size_t eq = piece.find('=');
            if (eq == std::string_view::npos) {
                params.emplace_back(PercentDecode(piece), std::string());
            } else {
                params.emplace_back(PercentDecode(piece.substr(0, eq)),
                                    PercentDecode(piece.substr(eq + 1)));
            }
        }
        if (amp == std::string_view::npos) {
            break;
        }
        query.remove_prefix(amp + 1);
    }
    return params;
}

std::optional<std::string> Find(const Params& params, std::string_view name) {
    for (const auto& [key, value] : params) {
        if (key == name) {
            return value;
        }
    }
    return std::nullopt;
}

std::string_view QueryOf(std::string_view target) {
    const size_t question = target.find('?');
    return question == std::string_view::npos ? std::string_view() : target.substr(question + 1);
}

}  // namespace RequestTarget
