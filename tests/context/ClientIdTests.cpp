#include <gtest/gtest.h>

#include <string>

#include "common/Base64.h"
#include "common/Crc.h"
#include "context/ClientId.h"

namespace {

// An identifier with the given ten leading bytes and a correct (or spoiled) CRC-16.
std::string MakeId(const std::string& ten, bool spoilCrc = false) {
    std::string bytes = ten;
    uint16_t crc = Crc16Xmodem(bytes.data(), 10);
    if (spoilCrc) {
        crc ^= 1;
    }
    bytes += static_cast<char>(crc & 0xFF);
    bytes += static_cast<char>(crc >> 8);
    char text[17] = {};
    Base64Encode(bytes.data(), bytes.size(), text);
    std::string id(text);
    for (char& c : id) {
        c = c == '+' ? '-' : c == '/' ? '_' : c;
    }
    return id;
}

TEST(ClientId, GeneratedIdentifiersAreValidUrlSafeAndSixteenLong) {
    for (int i = 0; i < 20; ++i) {
        const std::string id = GenerateClientId();
        ASSERT_EQ(id.size(), 16u);
        EXPECT_EQ(id.find_first_of("+/="), std::string::npos) << id;
        EXPECT_TRUE(IsValidClientId(id)) << id;
    }
}

TEST(ClientId, UrlSafeCharactersAreReadAsTheirStandardCounterparts) {
    const std::string id = MakeId(std::string("\xfb\xff\xfe\xfb\xef\xbe\x01\x02\x03\x04", 10));
    ASSERT_NE(id.find_first_of("-_"), std::string::npos);
    EXPECT_TRUE(IsValidClientId(id));
}

TEST(ClientId, WrongLengthCrcOrPaddingIsRejected) {
    const std::string good = MakeId("abcdefghij");
    ASSERT_TRUE(IsValidClientId(good));
    EXPECT_FALSE(IsValidClientId(good.substr(0, 15)));
    EXPECT_FALSE(IsValidClientId(good + "A"));
    EXPECT_FALSE(IsValidClientId(MakeId("abcdefghij", true)));
    // Ending in "=" decodes to fewer than twelve bytes.
    EXPECT_FALSE(IsValidClientId(good.substr(0, 15) + "="));
    EXPECT_FALSE(IsValidClientId(""));
    EXPECT_FALSE(IsValidClientId("????????????????"));
}

}  // namespace
