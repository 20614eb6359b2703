#include <gtest/gtest.h>

#include "tests/support/TempDir.h"
#include "tools/artwork-render/FrameTemplate.h"
#include "tools/artwork-render/Manifest.h"

namespace {

std::string Expand(const std::string& source, double t) {
    std::string out;
    std::string error;
    EXPECT_TRUE(ExpandFrame(source, t, out, error)) << error;
    return out;
}

TEST(FrameTemplate, PlaceholdersMoveLinearlyOrThereAndBack) {
    EXPECT_EQ(Expand("x=@lin:0:360@", 0.25), "x=90.000");
    EXPECT_EQ(Expand("@wave:10:20@,@wave:10:20@", 0.5), "20.000,20.000");
    EXPECT_EQ(Expand("<a b=\"@wave:10:20@\"/>", 0.0), "<a b=\"10.000\"/>");
    EXPECT_EQ(Expand("no placeholders", 0.3), "no placeholders");
    EXPECT_EQ(Expand("@lin:-1.5:1.5@", 0.5), "0.000");
}

TEST(FrameTemplate, UnreadablePlaceholdersAreReported) {
    std::string out;
    std::string error;
    for (const char* bad : {"@lin:1@", "@spin:0:1@", "@lin:a:1@", "open @lin:0:1", "@@"}) {
        EXPECT_FALSE(ExpandFrame(bad, 0.5, out, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

TEST(Manifest, ReadsEntriesOptionsAndComments) {
    TempDir dir;
    WriteWholeFile(dir / "artwork.txt",
                   "# heading\n\nimg/a.png  a.svg\nimg/b.gif b.svg frames=12 delay=80 # note\n"
                   "img/c.jpg c.svg quality=70\n");
    std::vector<ArtworkEntry> entries;
    std::string error;
    ASSERT_TRUE(ReadManifest((dir / "artwork.txt").string(), entries, error)) << error;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].output, "img/a.png");
    EXPECT_EQ(entries[0].frames, 1);
    EXPECT_EQ(entries[1].frames, 12);
    EXPECT_EQ(entries[1].delayMs, 80);
    EXPECT_EQ(entries[1].line, 4);
    EXPECT_EQ(entries[2].quality, 70);
}

TEST(Manifest, BadLinesNameTheirLine) {
    TempDir dir;
    for (const char* bad :
         {"img/a.png\n", "img/a.png a.svg frames=0\n", "img/a.png a.svg speed=2\n",
          "img/a.png a.svg quality=101\n", "img/a.png a.svg frames=3x\n"}) {
        WriteWholeFile(dir / "artwork.txt", std::string("ok.png ok.svg\n") + bad);
        std::vector<ArtworkEntry> entries;
        std::string error;
        EXPECT_FALSE(ReadManifest((dir / "artwork.txt").string(), entries, error)) << bad;
        EXPECT_NE(error.find(":2:"), std::string::npos) << error;
    }
}

}  // namespace
