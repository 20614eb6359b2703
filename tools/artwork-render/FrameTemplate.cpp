#include "tools/artwork-render/FrameTemplate.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace {

bool ParseNumber(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

bool Evaluate(const std::string& placeholder, double t, double& value) {
    const size_t first = placeholder.find(':');
    const size_t second = placeholder.find(':', first + 1);
    if (first == std::string::npos || second == std::string::npos) {
        return false;
    }
    const std::string kind = placeholder.substr(0, first);
    double a = 0;
    double b = 0;
    if (!ParseNumber(placeholder.substr(first + 1, second - first - 1), a) ||
        !ParseNumber(placeholder.substr(second + 1), b)) {
        return false;
    }
    if (kind == "lin") {
        value = a + (b - a) * t;
    } else if (kind == "wave") {
        value = a + (b - a) * (1 - std::cos(2 * std::numbers::pi * t)) / 2;
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool ExpandFrame(const std::string& source, double t, std::string& out, std::string& error) {
    out.clear();
    size_t at = 0;
    for (;;) {
        const size_t open = source.find('@', at);
        if (open == std::string::npos) {
            out.append(source, at, std::string::npos);
            return true;
        }
        const size_t close = source.find('@', open + 1);
        if (close == std::string::npos) {
            error = "unterminated placeholder";
            return false;
        }
        const std::string placeholder = source.substr(open + 1, close - open - 1);
        double value = 0;
        if (!Evaluate(placeholder, t, value)) {
            error = "cannot read placeholder @" + placeholder + "@";
            return false;
        }
        char number[32];
        std::snprintf(number, sizeof number, "%.3f", value);
        out.append(source, at, open - at);
        out += number;
        at = close + 1;
    }
}
