#include <gtest/gtest.h>

#include "common/CaseFold.h"

namespace {

TEST(CaseFold, AsciiLettersMatchInEitherCaseAndNothingElseIsFolded) {
    EXPECT_TRUE(EqualsNoCase(std::string_view("IMG/Logo/XJ.png"), "img/logo/xj.PNG"));
    EXPECT_TRUE(EqualsNoCase(std::u16string_view(u"VerticalLayout"), u"verticallayout"));
    EXPECT_FALSE(EqualsNoCase(std::string_view("abc"), "abcd"));
    // Neighbours of the letter ranges and non-ASCII text stay as they are.
    EXPECT_FALSE(EqualsNoCase(std::string_view("@[`{"), "`{@["));
    EXPECT_FALSE(EqualsNoCase(std::u16string_view(u"Äpfel"), u"äpfel"));
    EXPECT_FALSE(EqualsNoCase(std::string_view("\xC3\x84"), "\xC3\xA4"));
    EXPECT_TRUE(EqualsNoCase(std::u16string_view(u"下载DIR"), u"下载dir"));
}

}  // namespace
