#include "platform/win32/services/CommandLine.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/services/WideText.h"

namespace platform::win32 {
namespace {

bool NeedsQuotes(std::wstring_view argument) {
    return argument.empty() || argument.find_first_of(L" \t\n\v\"") != std::wstring_view::npos;
}

}  // namespace

std::wstring QuoteArgument(std::wstring_view argument) {
    if (!NeedsQuotes(argument)) {
        return std::wstring(argument);
    }
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count as escapes only before a quote: there they are doubled, and the
        // quote itself gets one more.
        const size_t copies = c == L'"' ? backslashes * 2 + 1 : backslashes;
        quoted.append(copies, L'\\');
        quoted += c;
        backslashes = 0;
    }
    // Before the closing quote they would escape it.
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring JoinCommandLine(std::wstring_view program, const std::vector<std::string>& args) {
    std::wstring line = QuoteArgument(program);
    for (const std::string& arg : args) {
        line += L' ';
        line += QuoteArgument(Wide(arg));
    }
    return line;
}

std::vector<std::string> SplitCommandLine(const std::wstring& commandLine) {
    std::vector<std::string> args;
    int count = 0;
    wchar_t** parts = CommandLineToArgvW(commandLine.c_str(), &count);
    if (parts == nullptr) {
        return args;
    }
    for (int i = 0; i < count; ++i) {
        args.push_back(Utf8(parts[i]));
    }
    LocalFree(parts);
    return args;
}

std::vector<std::string> ProgramArguments() {
    return SplitCommandLine(GetCommandLineW());
}

}  // namespace platform::win32
