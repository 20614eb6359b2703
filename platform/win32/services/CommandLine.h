#pragma once

#include <string>
#include <string_view>
#include <vector>

// Command lines as the system passes them: one text that the started program splits into its
// arguments by the C runtime's rules (spaces separate, quotes group, backslashes escape only
// before a quote).
namespace platform::win32 {

// The argument written so that the runtime's splitting gives it back unchanged.
std::wstring QuoteArgument(std::wstring_view argument);

// The program's path, quoted, followed by each argument quoted.
std::wstring JoinCommandLine(std::wstring_view program, const std::vector<std::string>& args);

// The arguments of a command line as the system splits them, in UTF-8 (the first is the
// program).
std::vector<std::string> SplitCommandLine(const std::wstring& commandLine);

// This process's own arguments, in UTF-8.
std::vector<std::string> ProgramArguments();

}  // namespace platform::win32
