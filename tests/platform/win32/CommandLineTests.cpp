#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/services/CommandLine.h"

namespace {

using platform::win32::JoinCommandLine;
using platform::win32::QuoteArgument;
using platform::win32::SplitCommandLine;

// What the started program gets back from the line, after the program itself.
std::vector<std::string> RoundTrip(const std::vector<std::string>& args) {
    std::vector<std::string> split = SplitCommandLine(JoinCommandLine(L"C:\\p q\\prog.exe", args));
    EXPECT_FALSE(split.empty());
    if (!split.empty()) {
        EXPECT_EQ(split.front(), "C:\\p q\\prog.exe");
        split.erase(split.begin());
    }
    return split;
}

TEST(CommandLineTest, EveryArgumentComesBackUnchanged) {
    const std::vector<std::string> args = {"plain",
                                           "",
                                           "two words",
                                           "tab\there",
                                           "say \"hi\"",
                                           "\"",
                                           "C:\\folder\\",
                                           "C:\\with space\\",
                                           "a\\\\b",
                                           "x\\\"y",
                                           "\\\\\"",
                                           "游戏 目录",
                                           "sorvel.ini,Client_8-4_13-5-9.dmp"};
    EXPECT_EQ(RoundTrip(args), args);
}

TEST(CommandLineTest, QuotesOnlyWhatNeedsThem) {
    EXPECT_EQ(QuoteArgument(L"sorvel.ini,Client.dmp"), L"sorvel.ini,Client.dmp");
    EXPECT_EQ(QuoteArgument(L"a\\b"), L"a\\b");
    EXPECT_EQ(QuoteArgument(L""), L"\"\"");
    // Backslashes before the closing quote are doubled, or they would escape it.
    EXPECT_EQ(QuoteArgument(L"C:\\a b\\"), L"\"C:\\a b\\\\\"");
    EXPECT_EQ(QuoteArgument(L"a\"b"), L"\"a\\\"b\"");
}

}  // namespace
