#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/Resource.h"
#include "tests/support/TempDir.h"
#include "tests/uikit/support/ZipBuilder.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/markup/MarkupDocUI.h"
#include "uikit/markup/MarkupNodeUI.h"

namespace {

using uikit::CMarkupDocUI;
using uikit::SkinArchive;
using uikit::SkinReadError;

std::u16string LoadError(const SkinArchive& archive, std::u16string_view name) {
    CMarkupDocUI doc;
    if (doc.LoadFromFile(name, archive)) {
        return u"";
    }
    return std::u16string(doc.GetLastErrorMessage());
}

// Markup of exactly `size` bytes.
std::string MarkupOfSize(size_t size) {
    std::string text = "<a>";
    text.append(size - 7, ' ');
    return text + "</a>";
}

class SkinArchiveLookup : public ::testing::Test {
  protected:
    void SetUp() override {
        archive_.SetFromMemory(MakeZip({
            {"DownloadList.xml", "<List name=\"downloads\"/>"},
            {"OrderList.xml", "<List name=\"orders\"/>"},
            {"img/checkBoxBtn.jpg", "not really a jpeg"},
            {"Empty.xml", ""},
            {"Exact.xml", MarkupOfSize(SkinArchive::kMaxMarkupSize)},
            {"Over.xml", MarkupOfSize(SkinArchive::kMaxMarkupSize + 1)},
        }));
    }
    SkinArchive archive_;
};

TEST_F(SkinArchiveLookup, FindsMembersWithoutRegardToCase) {
    CMarkupDocUI doc;
    ASSERT_TRUE(doc.LoadFromFile(u"DownLoadList.xml", archive_));
    EXPECT_EQ(doc.GetRoot().GetAttributeValue(u"name"), u"downloads");
    ASSERT_TRUE(doc.LoadFromFile(u"orderList.xml", archive_));
    EXPECT_EQ(doc.GetRoot().GetAttributeValue(u"name"), u"orders");
}

TEST_F(SkinArchiveLookup, BackslashesBecomeSlashes) {
    const SkinArchive::ReadResult image = archive_.ReadImage(u"img\\checkBoxBtn.jpg");
    ASSERT_EQ(image.error, SkinReadError::None);
    EXPECT_EQ(std::string(image.bytes.begin(), image.bytes.end()), "not really a jpeg");
    EXPECT_EQ(archive_.ReadMember(u"IMG\\CHECKBOXBTN.JPG", SkinArchive::kNoLimit).error,
              SkinReadError::None);
}

TEST_F(SkinArchiveLookup, MarkupMayBeExactlyFourMebibytesButNotOneByteMore) {
    CMarkupDocUI doc;
    EXPECT_TRUE(doc.LoadFromFile(u"Exact.xml", archive_));
    EXPECT_EQ(LoadError(archive_, u"Over.xml"), u"File too large");
    // Images have no such limit.
    EXPECT_EQ(archive_.ReadImage(u"Over.xml").bytes.size(), SkinArchive::kMaxMarkupSize + 1);
}

TEST_F(SkinArchiveLookup, ReportsMissingAndEmptyMembers) {
    EXPECT_EQ(LoadError(archive_, u"Missing.xml"), u"Could not find ziped file");
    EXPECT_EQ(LoadError(archive_, u"Empty.xml"), u"File is empty");
    EXPECT_EQ(LoadError(archive_, u"DownloadList"), u"Could not find ziped file");
}

TEST_F(SkinArchiveLookup, NamesOf256CharactersOrMoreAreNotFound) {
    SkinArchive archive;
    const std::string longName(255, 'n');
    archive.SetFromMemory(MakeZip({{longName, "<a/>"}, {longName + "x", "<b/>"}}));
    EXPECT_EQ(LoadError(archive, std::u16string(255, u'N')), u"");
    EXPECT_EQ(LoadError(archive, std::u16string(255, u'n') + u"x"), u"Could not find ziped file");
}

TEST_F(SkinArchiveLookup, TheFirstArchiveStays) {
    EXPECT_TRUE(archive_.SetFromMemory(MakeZip({{"Other.xml", "<b/>"}})));
    EXPECT_EQ(LoadError(archive_, u"Other.xml"), u"Could not find ziped file");
    EXPECT_EQ(LoadError(archive_, u"OrderList.xml"), u"");
}

TEST(SkinArchive, AnUnreadableArchiveFailsEveryMarkupLoad) {
    SkinArchive empty;
    EXPECT_FALSE(empty.SetFromMemory({}));
    EXPECT_TRUE(empty.HasArchive());
    EXPECT_EQ(LoadError(empty, u"MainWnd.xml"), u"Error opening zip file");

    SkinArchive garbage;
    EXPECT_FALSE(garbage.SetFromMemory(std::vector<uint8_t>(100, 0x5A)));
    EXPECT_EQ(LoadError(garbage, u"MainWnd.xml"), u"Error opening zip file");
}

TEST(SkinArchive, ACorruptMemberCannotBeUnzipped) {
    std::string content;
    for (int i = 0; i < 4000; ++i) {
        content += static_cast<char>('a' + (i * 7919 % 26));
    }
    std::vector<uint8_t> bytes = MakeZip({{"Broken.xml", content}});
    // The only member's data follows its local header, name and extra field.
    const size_t data = 30 + (bytes[26] | bytes[27] << 8) + (bytes[28] | bytes[29] << 8);
    const uint32_t compressed = bytes[18] | bytes[19] << 8 | bytes[20] << 16 | bytes[21] << 24;
    ASSERT_GT(compressed, 8u);
    for (size_t i = data + compressed / 2; i < data + compressed / 2 + 4; ++i) {
        bytes[i] ^= 0x55;
    }
    SkinArchive archive;
    ASSERT_TRUE(archive.SetFromMemory(std::move(bytes)));
    EXPECT_EQ(LoadError(archive, u"Broken.xml"), u"Could not unzip file");
}

TEST(SkinArchive, WithoutAnArchiveMarkupComesFromPlainFiles) {
    TempDir dir;
    std::ofstream(dir / "Main.xml") << "<Window/>";
    std::ofstream(dir / "Empty.xml");
    std::ofstream(dir / "Big.xml") << MarkupOfSize(SkinArchive::kMaxMarkupSize + 1);
    SkinArchive archive;
    archive.SetResourceFolder(dir.Wide(""));
    EXPECT_EQ(LoadError(archive, u"Main.xml"), u"");
    EXPECT_EQ(LoadError(archive, u"Empty.xml"), u"File is empty");
    EXPECT_EQ(LoadError(archive, u"Big.xml"), u"File too large");
    EXPECT_EQ(LoadError(archive, u"Missing.xml"), u"Error opening file");
}

TEST(SkinArchive, ImagesFallBackToPlainFilePaths) {
    TempDir dir;
    std::ofstream(dir / "outside.png") << "bytes";
    SkinArchive archive;
    archive.SetFromMemory(MakeZip({{"a.xml", "<a/>"}}));
    EXPECT_EQ(archive.ReadImage(dir.Wide("outside.png")).error, SkinReadError::None);
    EXPECT_NE(archive.ReadImage(u"nowhere.png").error, SkinReadError::None);
}

// A name in the skin's image folders that the skin lacks is missing: it is not read from the
// folder the process runs in, with or without an archive.
TEST(SkinArchive, SkinImageFolderNamesNeverFallBackToPlainFiles) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "img" / "cover");
    std::ofstream(dir.path() / "img" / "cover" / "local.jpg") << "bytes";
    std::filesystem::create_directories(dir.path() / "skin");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    SkinArchive archive;
    archive.SetFromMemory(MakeZip({{"a.xml", "<a/>"}}));
    SkinArchive folder;
    folder.SetResourceFolder(dir.Wide("skin/"));
    const SkinReadError inArchive = archive.ReadImage(u"img/cover/local.jpg").error;
    const SkinReadError upperCase = archive.ReadImage(u"IMG\\cover\\local.jpg").error;
    const SkinReadError inFolder = folder.ReadImage(u"img/cover/local.jpg").error;
    std::filesystem::current_path(before);
    EXPECT_EQ(inArchive, SkinReadError::NotFound);
    EXPECT_EQ(upperCase, SkinReadError::NotFound);
    EXPECT_NE(inFolder, SkinReadError::None);
    EXPECT_EQ(archive.ReadImage(dir.Wide("img/cover/local.jpg")).error, SkinReadError::None)
        << "a full path, as markup may name, still reads the file";
}

TEST(SkinArchive, TheProgramCarriesTheSkinAsResource131) {
    const auto resource = platform::FindResource("ZIPRES", 131);
    ASSERT_FALSE(resource.empty());
    EXPECT_TRUE(platform::FindResource("ZIPRES", 132).empty());
    EXPECT_TRUE(platform::FindResource("PNG", 131).empty());

    SkinArchive archive;
    ASSERT_TRUE(archive.SetFromMemory(std::vector<uint8_t>(resource.begin(), resource.end())));
    CMarkupDocUI doc;
    ASSERT_TRUE(doc.LoadFromFile(u"FONTS.xml", archive)) << doc.GetLastErrorMessage().size();
    int fonts = 0;
    for (auto font = doc.GetRoot().GetChild(); font.IsValid(); font = font.GetSibling()) {
        ++fonts;
    }
    EXPECT_EQ(fonts, 30);
    EXPECT_TRUE(doc.LoadFromFile(u"Placeholder.xml", archive));
    EXPECT_EQ(archive.ReadImage(u"img\\placeholder.png").error, SkinReadError::None);

    // The process archive, as start-up installs it, serves plain loads.
    ASSERT_TRUE(uikit::InstallLinkedSkin());
    EXPECT_TRUE(doc.LoadFromFile(u"placeholder.XML"));
    EXPECT_EQ(doc.GetRoot().GetName(), u"Window");
}

}  // namespace
