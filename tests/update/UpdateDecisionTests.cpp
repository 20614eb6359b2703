#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "update/DownloadAddress.h"
#include "update/FileEntry.h"

// The decisions of the version check that need no server: where an updater file is fetched
// from, and whether fetched bytes are the file the answer describes.
namespace {

std::string AddressOr(std::string_view base, std::string_view url, bool withDigest = false) {
    return DownloadAddress(base, url, withDigest).value_or("<refused>");
}

TEST(UpdateAddress, JoinsTheBaseAndTheUrlWithOneSlash) {
    EXPECT_EQ(AddressOr("https://h:1/files/", "/AutoUpdater"), "https://h:1/files/AutoUpdater");
    EXPECT_EQ(AddressOr("https://h:1/files", "/AutoUpdater"), "https://h:1/files/AutoUpdater");
    // A base that names a folder keeps its slash before a bare name.
    EXPECT_EQ(AddressOr("https://h:1/files/", "AutoUpdater"), "https://h:1/files/AutoUpdater");
    // A base without a slash is extended as it is, as a query base needs.
    EXPECT_EQ(AddressOr("https://h:1/get?f=", "AutoUpdater"), "https://h:1/get?f=AutoUpdater");
}

TEST(UpdateAddress, RefusesWhatCouldLeadOffTheBasesServer) {
    for (const char* url : {"https://other/AutoUpdater", "HTTP://h:1/x", "file:/etc/passwd",
                            "//other/AutoUpdater", "\\\\other\\AutoUpdater"}) {
        EXPECT_EQ(AddressOr("https://h:1/files/", url), "<refused>") << url;
    }
    // Joined text that the HTTP library would read as another host, port or user.
    EXPECT_EQ(AddressOr("https://h:1", "@other:1/AutoUpdater"), "<refused>");
    EXPECT_EQ(AddressOr("https://h", ".other.example/AutoUpdater"), "<refused>");
    EXPECT_EQ(AddressOr("https://h", ":8443/AutoUpdater"), "<refused>");
    EXPECT_EQ(AddressOr("https://h/files/", "x y"), "<refused>");
    // No base, or one that names no server of its own.
    EXPECT_EQ(AddressOr("", "/AutoUpdater"), "<refused>");
    EXPECT_EQ(AddressOr("files/", "AutoUpdater"), "<refused>");
    EXPECT_EQ(AddressOr("ftp://h/files/", "AutoUpdater"), "<refused>");
    // Plain http only for bytes that a digest proves.
    EXPECT_EQ(AddressOr("http://h/files/", "AutoUpdater"), "<refused>");
    EXPECT_EQ(AddressOr("http://h/files/", "AutoUpdater", true), "http://h/files/AutoUpdater");
}

TEST(UpdateFileCheck, TheCrcIsReadAsHexAndABodyMustMatchEveryChecksumGiven) {
    EXPECT_EQ(ParseExpectedCrc("cbf43926"), 0xCBF43926u);
    EXPECT_EQ(ParseExpectedCrc(" 0xCBF43926"), 0xCBF43926u);
    EXPECT_EQ(ParseExpectedCrc("1cbf43926"), 0xCBF43926u);  // its low 32 bits
    EXPECT_EQ(ParseExpectedCrc("zz"), 0u);
    EXPECT_EQ(ParseExpectedCrc(""), 0u);

    // Check values of the two algorithms for "123456789".
    const std::string body = "123456789";
    const std::string sha = "15e2b0d3c33891ebb0f1ef609ec419420c20e320ce94c65fbc8c3312448eb225";
    FileEntry entry;
    EXPECT_TRUE(BodyMatches(entry, body));
    EXPECT_TRUE(BodyMatches(entry, ""));  // no CRC asks for nothing
    entry.crc32 = 0xCBF43926;
    EXPECT_TRUE(BodyMatches(entry, body));
    EXPECT_FALSE(BodyMatches(entry, "123456780"));
    EXPECT_FALSE(BodyMatches(entry, ""));
    entry.sha256 = sha;
    EXPECT_TRUE(BodyMatches(entry, body));
    entry.sha256[0] = 'a';  // the CRC alone no longer decides
    EXPECT_FALSE(BodyMatches(entry, body));
    entry.sha256 = "15E2B0D3C33891EBB0F1EF609EC419420C20E320CE94C65FBC8C3312448EB225";
    EXPECT_TRUE(BodyMatches(entry, body));
    entry.sha256 = "not a digest";
    EXPECT_FALSE(BodyMatches(entry, body));
}

}  // namespace
