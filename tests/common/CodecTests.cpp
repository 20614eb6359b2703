#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "common/Base64.h"
#include "common/ByteScramble.h"
#include "common/Crc.h"
#include "common/RuntimeRandom.h"

namespace {

std::string Encode(const std::string& bytes) {
    std::string text(Base64EncodedLength(bytes.size()) + 1, '\0');
    text.resize(Base64Encode(bytes.data(), bytes.size(), text.data()));
    return text;
}

std::string Decode(const std::string& text) {
    std::string bytes(Base64DecodedCapacity(text.size()), '\0');
    bytes.resize(Base64Decode(text.data(), text.size(), bytes.data()));
    return bytes;
}

TEST(Checksums, KnownValuesAndChaining) {
    EXPECT_EQ(Crc32("abc", 3), 0x352441C2u);
    EXPECT_EQ(Crc32("", 0), 0u);
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Crc32Update(Crc32("1234", 4), "56789", 5), 0xCBF43926u);
    EXPECT_EQ(Crc16Xmodem("123456789", 9), 0x31C3u);
    EXPECT_EQ(Crc16Xmodem("", 0), 0u);
}

TEST(ByteScramble, SwapsHalvesInvertsAndUndoesItself) {
    EXPECT_EQ(ByteScramble(0x12), 0xDE);
    EXPECT_EQ(ByteScramble(0xDE), 0x12);
    EXPECT_EQ(ByteScramble(0x00), 0xFF);
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(ByteScramble(ByteScramble(static_cast<uint8_t>(b))), b);
    }
}

TEST(Base64, EncodesWithPaddingAndRoundTripsEveryLength) {
    EXPECT_EQ(Encode(""), "");
    EXPECT_EQ(Encode("f"), "Zg==");
    EXPECT_EQ(Encode("fo"), "Zm8=");
    EXPECT_EQ(Encode("foo"), "Zm9v");
    EXPECT_EQ(Encode("\xfb\xff"), "+/8=");
    std::string bytes;
    for (int n = 0; n < 40; ++n) {
        EXPECT_EQ(Decode(Encode(bytes)), bytes) << "length " << n;
        bytes += static_cast<char>(n * 37 + 200);
    }
}

TEST(Base64, DecoderStopsAtTheFirstCharacterOutsideTheAlphabet) {
    EXPECT_EQ(Decode("Zg=="), "f");
    EXPECT_EQ(Decode("Zm8="), "fo");
    // Padding inside the text ends the decoding: nothing after it is read.
    EXPECT_EQ(Decode("Zg==Zm9v"), "f");
    // A short final group: its missing characters count as outside.
    EXPECT_EQ(Decode("Zm9vZm8"), "foofo");
    EXPECT_EQ(Decode("Zm9vZg"), "foof");
    // Bytes above 127 and the zero byte are outside too.
    EXPECT_EQ(Decode(std::string("Zm\xc3v", 4)), "f");
    EXPECT_EQ(Decode(std::string("Zm\0v", 4)), "f");
    // URL-safe characters are not in the standard alphabet.
    EXPECT_EQ(Decode("Zm-v").size(), 1u);
}

TEST(Base64, DecoderNeverWritesPastItsStatedCapacity) {
    for (const std::string text : {"A", "AB", "ABC", "ABCDE", "ABCDEF", "ABCDEFG", "????????"}) {
        std::vector<char> out(Base64DecodedCapacity(text.size()) + 8, '\x55');
        const size_t n = Base64Decode(text.data(), text.size(), out.data());
        EXPECT_LE(n, Base64DecodedCapacity(text.size()));
        for (size_t i = Base64DecodedCapacity(text.size()); i < out.size(); ++i) {
            EXPECT_EQ(out[i], '\x55');
        }
    }
}

TEST(RuntimeRandom, FollowsTheRuntimeFormulaPerThread) {
    RuntimeSrand(1);
    EXPECT_EQ(RuntimeRand(), 41);
    EXPECT_EQ(RuntimeRand(), 18467);
    EXPECT_EQ(RuntimeRand(), 6334);
    RuntimeSrand(12345);
    const int first = RuntimeRand();
    // Another thread has its own state, starting from seed 1.
    int other = -1;
    std::thread([&] { other = RuntimeRand(); }).join();
    EXPECT_EQ(other, 41);
    RuntimeSrand(12345);
    EXPECT_EQ(RuntimeRand(), first);
    for (int i = 0; i < 1000; ++i) {
        const int r = RuntimeRand();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, kRuntimeRandMax);
    }
}

}  // namespace
