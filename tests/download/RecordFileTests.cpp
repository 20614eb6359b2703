#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/TextConvert.h"
#include "download/DownloadedGamesRecord.h"
#include "tests/support/TempDir.h"

using namespace DownEngine;

namespace {

DownloadRecord Row(std::u16string name, int32_t status) {
    DownloadRecord record;
    record.name = std::move(name);
    record.url = u"https://127.0.0.1/files/a.zip";
    record.size = 300;
    record.img = u"img/logo/cs.png";
    record.status = status;
    record.extension = u".zip";
    record.loadTime = u"2023-08-04 09:05:07";
    record.type = 2;
    return record;
}

TEST(RecordFile, RowsAreWrittenWithSortedMembersRawTextAndNoRunningStatus) {
    const DownloadRecord done = Row(u"反恐精英", Completed);
    const DownloadRecord running = Row(u"b", Downloading);
    const DownloadRecord paused = Row(u"c", Paused);
    const std::string text = FormatDownloadedGames({&done, &running, &paused});
    // Members in ascending byte order of their names, as the JSON library writes them.
    const std::vector<std::string> order = {"\"extension\"", "\"img\"",  "\"loadTime\"",
                                            "\"name\"",      "\"size\"", "\"sizeStr\"",
                                            "\"status\"",    "\"type\"", "\"url\""};
    size_t at = 0;
    for (const std::string& member : order) {
        const size_t found = text.find(member, at);
        ASSERT_NE(found, std::string::npos) << member << " in\n" << text;
        at = found;
    }
    EXPECT_NE(text.find("\"name\" : \"" + Utf16ToAnsi(u"反恐精英") + "\""), std::string::npos)
        << "text goes in as it is, not as escapes";
    EXPECT_EQ(text.find("\\u"), std::string::npos);
    EXPECT_EQ(text.find("\"status\" : 1"), std::string::npos);
    EXPECT_EQ(text.find("\"status\" : 3"), std::string::npos);
    EXPECT_EQ(running.status, Downloading) << "only what is written changes";

    const auto back = ParseDownloadedGames(text);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0]->name, u"反恐精英");
    EXPECT_EQ(back[0]->status, Completed);
    EXPECT_EQ(back[1]->status, Failed);
    EXPECT_EQ(back[2]->status, Failed);
    EXPECT_EQ(back[0]->loadTime, u"2023-08-04 09:05:07");
    EXPECT_EQ(back[0]->size, 300);
    EXPECT_EQ(back[0]->type, 2);
    EXPECT_EQ(back[0]->img, u"img/logo/cs.png");
    EXPECT_EQ(back[0]->extension, u".zip");
    EXPECT_TRUE(back[0]->sizeStr.empty());
}

TEST(RecordFile, FilesThatHoldNoRowsReadAsAnEmptyList) {
    for (const char* text : {"", "not json", "[1,2]", "{}", "{\"array\":{}}", "{\"array\":[]}",
                             "{\"array\":[1,\"x\",null,[]]}", "{\"array\":[{\"name\":\"a\"}"}) {
        EXPECT_TRUE(ParseDownloadedGames(text).empty()) << text;
    }
}

TEST(RecordFile, MembersOfAnotherTypeReadAsEmptyAndOrderOrExtrasDoNotMatter) {
    const auto rows = ParseDownloadedGames(
        R"({"extra":1,"array":[{"url":"u","status":2,"name":"n","size":"12","type":[1],
            "img":7,"more":{"x":1}},{"status":"4","name":"second"}]})");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]->name, u"n");
    EXPECT_EQ(rows[0]->url, u"u");
    EXPECT_EQ(rows[0]->status, Completed);
    EXPECT_EQ(rows[0]->size, 0);
    EXPECT_EQ(rows[0]->type, 0);
    EXPECT_TRUE(rows[0]->img.empty());
    EXPECT_EQ(rows[1]->name, u"second");
    EXPECT_EQ(rows[1]->status, Idle);
}

TEST(RecordFile, SavingReplacesTheFileWholeOrLeavesTheOldOne) {
    TempDir dir;
    const std::u16string path = dir.Wide("gameList.dat");
    EXPECT_TRUE(LoadDownloadedGames(path).empty()) << "no file yet";
    const DownloadRecord first = Row(u"first", Completed);
    ASSERT_TRUE(SaveDownloadedGames(path, {&first}));
    ASSERT_EQ(LoadDownloadedGames(path).size(), 1u);

    // A save that cannot be written (its temporary name is taken by a folder) fails and
    // leaves the old record as it was.
    std::filesystem::create_directory(dir / "gameList.dat.tmp");
    const DownloadRecord second = Row(u"second", Failed);
    EXPECT_FALSE(SaveDownloadedGames(path, {&first, &second}));
    const auto kept = LoadDownloadedGames(path);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0]->name, u"first");
    std::filesystem::remove(dir / "gameList.dat.tmp");
    ASSERT_TRUE(SaveDownloadedGames(path, {&first, &second}));
    EXPECT_EQ(LoadDownloadedGames(path).size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir / "gameList.dat.tmp"));
    EXPECT_FALSE(SaveDownloadedGames(u"", {&first}));
}

}  // namespace
