#include "tools/error-reporter/ReportArgument.h"

namespace {

constexpr size_t kLongestFileName = 255;
constexpr std::string_view kDumpPrefix = "Client_";
constexpr std::string_view kDumpSuffix = ".dmp";

std::string PlainOrEmpty(std::string_view name) {
    return IsPlainFileName(name) ? std::string(name) : std::string();
}

}  // namespace

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.size() > kLongestFileName) {
        return false;
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return true;
}

bool IsDumpFileName(std::string_view name) {
    return IsPlainFileName(name) && name.size() >= kDumpPrefix.size() + kDumpSuffix.size() &&
           name.starts_with(kDumpPrefix) && name.ends_with(kDumpSuffix);
}

ReportArgument ParseReportArgument(std::string_view argument) {
    ReportArgument parsed;
    const size_t comma = argument.find(',');
    if (comma == std::string_view::npos) {
        if (IsDumpFileName(argument)) {
            parsed.dumpName = argument;
        } else {
            parsed.settingsName = PlainOrEmpty(argument);
        }
        return parsed;
    }
    parsed.settingsName = PlainOrEmpty(argument.substr(0, comma));
    const std::string_view dump = argument.substr(comma + 1);
    if (IsDumpFileName(dump)) {
        parsed.dumpName = dump;
    }
    return parsed;
}
