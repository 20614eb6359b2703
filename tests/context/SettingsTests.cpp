#include <gtest/gtest.h>

#include <cstring>

#include "context/ClientId.h"
#include "context/Settings.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

namespace {

std::u16string ProfileText(const std::filesystem::path& path) {
    const std::string bytes = ReadWholeFile(path);
    if (!bytes.starts_with("\xFF\xFE")) {
        return AnsiToUtf16(bytes);
    }
    std::u16string text((bytes.size() - 2) / 2, u'\0');
    std::memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(char16_t));
    return text;
}

class SettingsTest : public ::testing::Test {
  protected:
    SettingsTest() { ComposeProgramPaths(context, dir.Wide("kavrin")); }

    std::u16string Value(std::u16string_view section, std::u16string_view key) {
        return platform::GetPrivateProfileString(section, key, u"<missing>", 260,
                                                 context.settingsPath);
    }
    void Write(const std::string& text) { WriteWholeFile(dir / "kavrin.ini", text); }

    TempDir dir;
    AppContext context;
};

TEST_F(SettingsTest, FirstStartWritesDefaultsAndANewIdentifier) {
    EXPECT_TRUE(ReadSettings(context));
    EXPECT_EQ(context.softId, 140);
    EXPECT_EQ(context.version, 101);
    EXPECT_TRUE(context.configuredDownloadFolder.empty());
    EXPECT_TRUE(IsValidClientId(context.clientId));
    EXPECT_EQ(Value(u"soft", u"id"), u"140");
    EXPECT_EQ(Value(u"soft", u"version"), u"101");
    EXPECT_EQ(Value(u"soft", u"showVersion"), u"1.0.0.1");
    EXPECT_EQ(Value(u"config", u"uuid"), AnsiToUtf16(context.clientId));
}

TEST_F(SettingsTest, NonPositiveOrUnreadableNumbersAreRepaired) {
    for (const std::string bad : {"0", "-3", "abc"}) {
        Write("[soft]\nid=" + bad + "\nversion=" + bad + "\n");
        AppContext fresh;
        ComposeProgramPaths(fresh, dir.Wide("kavrin"));
        ReadSettings(fresh);
        EXPECT_EQ(fresh.softId, 140) << bad;
        EXPECT_EQ(fresh.version, 101) << bad;
        EXPECT_EQ(Value(u"soft", u"id"), u"140");
        EXPECT_EQ(Value(u"soft", u"version"), u"101");
    }
}

TEST_F(SettingsTest, StoredValuesAreKeptAndShowVersionIsRewritten) {
    const std::string id = GenerateClientId();
    Write(
        "; "
        "mine\n[soft]\nid=77\nversion=205\nshowVersion=9.9\nDriveUrlW2V=/data/"
        "游戏\n[config]\nuuid=" +
        id + "\n");
    ReadSettings(context);
    EXPECT_EQ(context.softId, 77);
    EXPECT_EQ(context.version, 205);
    EXPECT_EQ(context.configuredDownloadFolder, u"/data/游戏");
    EXPECT_EQ(context.clientId, id);
    EXPECT_EQ(Value(u"soft", u"showVersion"), u"1.0.0.1");
    EXPECT_EQ(Value(u"config", u"uuid"), AnsiToUtf16(id));
    // The player's own lines stay, in whichever form the system's profile functions keep the
    // file: on Windows that is UTF-16, and the lines they write end in CR LF.
    const std::u16string text = ProfileText(dir / "kavrin.ini");
    EXPECT_TRUE(text.starts_with(u"; mine\n") || text.starts_with(u"; mine\r\n"))
        << Utf16ToAnsi(text);
}

TEST_F(SettingsTest, InvalidIdentifiersAreReplacedInTheFile) {
    const std::string good = GenerateClientId();
    std::string wrongCrc = good;
    wrongCrc[12] = wrongCrc[12] == 'A' ? 'B' : 'A';
    for (const std::string& bad : {good.substr(0, 15), good + "x", good.substr(0, 15) + "=",
                                   wrongCrc, std::string(30, 'A')}) {
        Write("[config]\nuuid=" + bad + "\n");
        AppContext fresh;
        ComposeProgramPaths(fresh, dir.Wide("kavrin"));
        ReadSettings(fresh);
        EXPECT_NE(fresh.clientId, bad);
        EXPECT_TRUE(IsValidClientId(fresh.clientId)) << bad;
        EXPECT_EQ(Value(u"config", u"uuid"), AnsiToUtf16(fresh.clientId));
    }
}

TEST_F(SettingsTest, AnUnwritableFolderStillGivesWorkingValues) {
    ComposeProgramPaths(context, dir.Wide("missing/kavrin"));
    EXPECT_TRUE(ReadSettings(context));
    EXPECT_EQ(context.softId, 140);
    EXPECT_TRUE(IsValidClientId(context.clientId));
}

}  // namespace
