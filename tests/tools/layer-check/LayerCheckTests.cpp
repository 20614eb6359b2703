#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/TempDir.h"
#include "tools/layer-check/TreeCheck.h"

using namespace layers;

namespace {

constexpr const char* kRules = R"(# a small tree of layers
common:
platform: common
download: platform common engine/DlEngine.h
ui: download platform common
engine: common platform/engine
tests: *
system: gtk glib sys unistd.h
system-allowed: platform
)";

LayerRules Rules() {
    LayerRules rules;
    std::string error;
    EXPECT_TRUE(rules.Parse(kRules, error)) << error;
    return rules;
}

std::vector<Violation> Check(const std::string& file, const std::string& text) {
    std::vector<Violation> violations;
    CheckText(text, file, Rules(), violations);
    return violations;
}

TEST(LayerCheck, DownwardIncludesPassAndAnUpwardOneIsNamedWithFileAndLine) {
    EXPECT_TRUE(Check("ui/Main.cpp",
                      "#include \"ui/Main.h\"\n#include \"download/D.h\"\n"
                      "#include \"common/Crc.h\"\n")
                    .empty());
    const std::vector<Violation> found =
        Check("download/Manager.cpp", "#include <vector>\n\n  #  include \"ui/Main.h\" // x\n");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].file, "download/Manager.cpp");
    EXPECT_EQ(found[0].line, 3);
    EXPECT_EQ(found[0].header, "ui/Main.h");
    EXPECT_EQ(found[0].reason, "download/ may not include ui/");
}

TEST(LayerCheck, EntriesNameSubFoldersAndSingleHeaders) {
    EXPECT_TRUE(Check("engine/Task.cpp", "#include \"platform/engine/Files.h\"\n").empty());
    EXPECT_EQ(Check("engine/Task.cpp", "#include \"platform/Window.h\"\n").size(), 1u);
    // A folder entry is not a prefix of another folder's name.
    EXPECT_EQ(Check("engine/Task.cpp", "#include \"platform/engineering/X.h\"\n").size(), 1u);
    EXPECT_TRUE(Check("download/Wrapper.cpp", "#include \"engine/DlEngine.h\"\n").empty());
    EXPECT_EQ(Check("download/Wrapper.cpp", "#include \"engine/Task.h\"\n").size(), 1u);
    EXPECT_TRUE(
        Check("tests/ui/T.cpp", "#include \"ui/Main.h\"\n#include \"engine/Task.h\"\n").empty());
}

TEST(LayerCheck, SystemAndToolkitHeadersBelongToThePlatformAlone) {
    const std::string text =
        "#include <gtk/gtk.h>\n#include <glib-object.h>\n#include <glib.h>\n"
        "#include <sys/stat.h>\n#include <unistd.h>\n"
        "#include <cstdio>\n#include <curl/curl.h>\n#include <systemd.h>\n#include <gtkmm.h>\n";
    EXPECT_TRUE(Check("platform/linux/Gtk.cpp", text).empty());
    const std::vector<Violation> found = Check("ui/Main.cpp", text);
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found[4].header, "unistd.h");
    EXPECT_EQ(found[4].reason, "an operating-system or toolkit header outside platform/");
}

TEST(LayerCheck, AnIncludeMustBeWrittenFromTheRoot) {
    const std::vector<Violation> found = Check("ui/Main.cpp", "#include \"Main.h\"\n");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].reason.find("names no folder"), std::string::npos);
}

TEST(LayerCheck, RulesThatCannotBeReadAreRefused) {
    LayerRules rules;
    std::string error;
    EXPECT_FALSE(rules.Parse("common:\nplatform common\n", error));
    EXPECT_EQ(error, "line 2 is not \"folder: entries\"");
    EXPECT_FALSE(rules.Parse(": common\n", error));
}

TEST(LayerCheck, ATreeIsReadBelowTheFoldersTheRulesKnow) {
    TempDir root;
    std::filesystem::create_directories(root / "download" / "deep");
    std::filesystem::create_directories(root / "build" / "ui");
    std::ofstream(root / "download" / "deep" / "A.cpp") << "#include \"ui/Main.h\"\n";
    std::ofstream(root / "download" / "notes.txt") << "#include \"ui/Main.h\"\n";
    // Build output and folders the rules do not name are not the sources.
    std::ofstream(root / "build" / "ui" / "B.cpp") << "#include <unistd.h>\n";
    const std::vector<Violation> found = CheckTree(root.path(), Rules());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].file, "download/deep/A.cpp");
}

}  // namespace
