#include "platform/Profile.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "common/CaseFold.h"
#include "common/TextConvert.h"
#include "platform/FileReplace.h"
#include "platform/ProfileNumber.h"

namespace platform {
namespace {

struct ProfileLines {
    std::vector<std::string> lines;  // without their line ends
    std::string lineEnd = "\n";      // the file's own style, kept on rewrite
    // Kept on rewrite too: dropping it would let the next reader take a second mark that
    // followed it for the mark itself, and what stood behind that would change meaning.
    bool byteOrderMark = false;
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::filesystem::path NativePath(std::u16string_view file) {
    const std::string utf8 = Utf16ToAnsi(file);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

ProfileLines ReadLines(std::u16string_view file) {
    ProfileLines result;
    std::ifstream in(NativePath(file), std::ios::binary);
    if (!in) {
        return result;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string text = buffer.str();
    if (text.starts_with(kByteOrderMark)) {
        text.erase(0, kByteOrderMark.size());
        result.byteOrderMark = true;
    }
    if (text.find("\r\n") != std::string::npos) {
        result.lineEnd = "\r\n";
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        result.lines.push_back(std::move(line));
        start = end + 1;
    }
    return result;
}

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// The section name of a "[name]" line, if it is one.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') {
        return std::nullopt;
    }
    const size_t close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

// The key name of a "key=value" line, if it is one.
std::optional<std::string_view> KeyOf(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') {
        return std::nullopt;
    }
    const size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(trimmed.substr(0, eq));
}

struct SectionSpan {
    size_t header;  // index of the "[name]" line
    size_t end;     // one past its last line
};

std::optional<SectionSpan> FindSection(const ProfileLines& file, std::string_view section) {
    for (size_t i = 0; i < file.lines.size(); ++i) {
        const auto name = SectionOf(file.lines[i]);
        if (!name || !EqualsNoCase(*name, section)) {
            continue;
        }
        size_t end = i + 1;
        while (end < file.lines.size() && !SectionOf(file.lines[end])) {
            ++end;
        }
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> FindKey(const ProfileLines& file, SectionSpan span, std::string_view key) {
    for (size_t i = span.header + 1; i < span.end; ++i) {
        const auto name = KeyOf(file.lines[i]);
        if (name && EqualsNoCase(*name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ReadValue(std::u16string_view section, std::u16string_view key,
                                     std::u16string_view file) {
    const ProfileLines lines = ReadLines(file);
    const auto span = FindSection(lines, Utf16ToAnsi(section));
    if (!span) {
        return std::nullopt;
    }
    const auto index = FindKey(lines, *span, Utf16ToAnsi(key));
    if (!index) {
        return std::nullopt;
    }
    const std::string& line = lines.lines[*index];
    std::string_view value = Trim(std::string_view(line).substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

bool WriteLines(const ProfileLines& file, std::u16string_view path) {
    std::string text(file.byteOrderMark ? kByteOrderMark : std::string_view());
    for (const std::string& line : file.lines) {
        text += line;
        text += file.lineEnd;
    }
    // Replacing in one step keeps the old settings whole if writing is cut short.
    return ReplaceFileContent(path, text);
}

}  // namespace

int GetPrivateProfileInt(std::u16string_view section, std::u16string_view key, int def,
                         std::u16string_view file) {
    const auto value = ReadValue(section, key, file);
    return value ? ParseProfileInt(std::string_view(*value)) : def;
}

std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view def, size_t capacity,
                                       std::u16string_view file) {
    const auto value = ReadValue(section, key, file);
    std::u16string result = value ? AnsiToUtf16(*value) : std::u16string(def);
    const size_t limit = capacity == 0 ? 0 : capacity - 1;
    if (result.size() > limit) {
        result.resize(limit);
    }
    return result;
}

bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value, std::u16string_view file) {
    const std::string sectionName = Utf16ToAnsi(section);
    const std::string keyName = Utf16ToAnsi(key);
    const std::string text = Utf16ToAnsi(value);
    const auto unsafe = [](std::string_view s) {
        return s.find_first_of("\r\n") != std::string_view::npos;
    };
    if (sectionName.empty() || keyName.empty() || unsafe(sectionName) || unsafe(keyName) ||
        unsafe(text) || keyName.find('=') != std::string::npos ||
        sectionName.find(']') != std::string::npos) {
        return false;
    }
    ProfileLines lines = ReadLines(file);
    const std::string entry = keyName + "=" + text;
    const auto span = FindSection(lines, sectionName);
    if (!span) {
        lines.lines.push_back("[" + sectionName + "]");
        lines.lines.push_back(entry);
        return WriteLines(lines, file);
    }
    if (const auto index = FindKey(lines, *span, keyName)) {
        lines.lines[*index] = entry;
        return WriteLines(lines, file);
    }
    // A new key goes after the section's last non-blank line, so blank separators stay put.
    size_t insertAt = span->end;
    while (insertAt > span->header + 1 && Trim(lines.lines[insertAt - 1]).empty()) {
        --insertAt;
    }
    lines.lines.insert(lines.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    return WriteLines(lines, file);
}

}  // namespace platform
