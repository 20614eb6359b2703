#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "common/Crc.h"
#include "common/Sha256.h"
#include "server/DataStore.h"
#include "server/VersionDigests.h"
#include "tests/support/TempDir.h"

// The demo data is what scripts/run and the client's integration tests are served; a broken
// reference there would look like a client fault.
namespace {

const std::filesystem::path kData = KAVRIN_SERVER_DATA_DIR;
constexpr const char* kBase = "https://127.0.0.1:1/";

Json::Value LoadJson(const std::string& name) {
    const DataStore store(kData, kBase);
    const auto text = store.LoadAnswer(name);
    Json::Value root;
    std::string errors;
    std::istringstream in(text.value_or(""));
    EXPECT_TRUE(text && Json::parseFromStream(Json::CharReaderBuilder(), in, &root, &errors))
        << name << " " << errors;
    EXPECT_EQ(root["status"].asString(), "SUCCESS") << name;
    return root;
}

std::string DownloadNameOf(const std::string& url) {
    EXPECT_EQ(url.rfind(std::string(kBase) + "files/", 0), 0u) << url;
    return url.substr(std::string(kBase).size() + 6);
}

TEST(ServerDemoDataTest, EveryCataloguedFileIsServedAndTheLibraryIsFull) {
    const Json::Value catalog = LoadJson("catalog.json");
    const DataStore store(kData, kBase);
    std::set<int> libraryGames;
    int libraryTiles = 0;
    for (const Json::Value& package : catalog["gameInfos"]) {
        for (const char* member :
             {"name", "rate", "tag", "issueDate", "developer", "supportLanguages", "size",
              "gameDetailPage", "gameCoverPage", "label"}) {
            EXPECT_TRUE(package[member].isString()) << member;
        }
        if (package["label"].asString() == "1") {
            ++libraryTiles;
            libraryGames.insert(package["type"].asInt());
        }
        for (const Json::Value& file : package["packages"]) {
            const std::string name = DownloadNameOf(file["url"].asString());
            EXPECT_TRUE(store.DownloadPath(name) || store.GeneratedFileSize(name)) << name;
        }
    }
    EXPECT_GE(libraryTiles, 9);
    EXPECT_GE(libraryGames.size(), 5u);
    LoadJson("initparams.json");
    EXPECT_EQ(LoadJson("orders/default.json")["orderInfos"].size(), 3u);
}

// A player tells the games apart by their tiles and pages: one tile per game, each game with a
// cover and an animation of its own, and no two downloads with one name, file or size.
TEST(ServerDemoDataTest, EveryGameLooksItsOwnAndEveryDownloadCanBeToldApart) {
    const Json::Value catalog = LoadJson("catalog.json");
    std::map<int, std::set<std::string>> coversOfGame;
    std::map<int, std::set<std::string>> animationsOfGame;
    std::map<int, int> tilesOfGame;
    std::set<std::string> names;
    std::set<std::string> files;
    std::set<uint64_t> sizes;
    int downloads = 0;
    for (const Json::Value& package : catalog["gameInfos"]) {
        const int game = package["type"].asInt();
        coversOfGame[game].insert(package["gameCoverPage"].asString());
        animationsOfGame[game].insert(package["gameDetailPage"].asString());
        tilesOfGame[game] += package["label"].asString() == "1" ? 1 : 0;
        for (const Json::Value& file : package["packages"]) {
            ++downloads;
            names.insert(file["name"].asString());
            files.insert(DownloadNameOf(file["url"].asString()));
            sizes.insert(file["size"].asUInt64());
        }
    }
    std::set<std::string> covers;
    std::set<std::string> animations;
    for (const auto& [game, own] : coversOfGame) {
        SCOPED_TRACE(game);
        ASSERT_EQ(own.size(), 1u) << "the versions of a game share its cover";
        ASSERT_EQ(animationsOfGame[game].size(), 1u);
        EXPECT_EQ(tilesOfGame[game], 1);
        covers.insert(*own.begin());
        animations.insert(*animationsOfGame[game].begin());
    }
    EXPECT_EQ(covers.size(), coversOfGame.size());
    EXPECT_EQ(animations.size(), coversOfGame.size());
    EXPECT_EQ(names.size(), static_cast<size_t>(downloads));
    EXPECT_EQ(files.size(), static_cast<size_t>(downloads));
    EXPECT_EQ(sizes.size(), static_cast<size_t>(downloads));
}

// "350MB" or "1.2GB" in MiB.
double SizeTextInMebibytes(const std::string& text) {
    size_t digits = 0;
    const double count = std::stod(text, &digits);
    const std::string unit = text.substr(digits);
    EXPECT_TRUE(unit == "KB" || unit == "MB" || unit == "GB") << text;
    return unit == "GB" ? count * 1024 : unit == "KB" ? count / 1024 : count;
}

// The demo files are made up at the size the catalogue shows, not kept in the repository, and
// they are large enough for a download's progress to be watched.
TEST(ServerDemoDataTest, CataloguedFilesAreMadeUpAtTheSizeTheyShow) {
    const Json::Value catalog = LoadJson("catalog.json");
    const DataStore store(kData, kBase);
    uint64_t total = 0;
    for (const Json::Value& package : catalog["gameInfos"]) {
        for (const Json::Value& file : package["packages"]) {
            const std::string name = DownloadNameOf(file["url"].asString());
            const uint64_t mebibytes = file["size"].asUInt64();
            EXPECT_FALSE(store.DownloadPath(name).has_value()) << name;
            EXPECT_EQ(store.GeneratedFileSize(name), mebibytes * 1024 * 1024) << name;
            EXPECT_GE(mebibytes, 2u) << name;
            EXPECT_LE(mebibytes, 1000u) << name;
            EXPECT_NEAR(SizeTextInMebibytes(file["sizeStr"].asString()),
                        static_cast<double>(mebibytes), 0.05 * static_cast<double>(mebibytes))
                << name;
            total += mebibytes;
        }
    }
    EXPECT_GE(total, 1024u);
}

// The client's own version, so that a player running the demo is offered no update.
TEST(ServerDemoDataTest, UpdaterEntryMatchesTheServedFile) {
    const DataStore store(kData, kBase);
    Json::Value version;
    std::istringstream in(WithServedFileDigests(*store.LoadAnswer("version.json"), store));
    ASSERT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &version, nullptr));
    EXPECT_EQ(version["version"].asInt(), 101);
    const Json::Value& entry = version["files"][0];
    EXPECT_EQ(entry["name"].asString(), "AutoUpdater.exe");
    const std::string bytes = ReadWholeFile(kData / "files" / entry["url"].asString());
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(std::stoul(entry["crc32"].asString(), nullptr, 16),
              Crc32(bytes.data(), bytes.size()));
    EXPECT_EQ(entry["sha256"].asString(), Sha256Hex(bytes.data(), bytes.size()));
}

}  // namespace
