// Markup into controls: resources, window attributes, includes, the tag table, defaults and
// the order in which children and attributes are applied.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/uikit/support/ControlTestSupport.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/IDialogBuilderCallback.h"
#include "uikit/layout/HorizontalLayoutUI.h"
#include "uikit/layout/VerticalLayoutUI.h"
#include "uikit/resources/MarkupResources.h"

using namespace uikit;

namespace {

// A container that records how many children it had when each attribute arrived.
class Probe : public CContainerUI {
  public:
    void SetAttribute(std::u16string_view name, std::u16string_view value) override {
        seen.push_back(std::u16string(name) + u"=" + std::u16string(value) + u"@" +
                       std::u16string(1, char16_t(u'0' + GetCount())));
        CContainerUI::SetAttribute(name, value);
    }
    std::vector<std::u16string> seen;
};

class ProbeCallback : public IDialogBuilderCallback {
  public:
    CControlUI* CreateControl(std::u16string_view tag) override {
        asked.emplace_back(tag);
        if (tag == u"Probe") {
            return last = new Probe();
        }
        return nullptr;
    }
    std::vector<std::u16string> asked;
    Probe* last = nullptr;
};

TEST(Builder, ChildrenExistBeforeTheParentsAttributesWhichFollowItsTagDefaults) {
    TestWindow w;
    ProbeCallback callback;
    w.Build(
        u"<Window><Default name=\"Probe\" value=\"childpadding=&quot;3&quot; "
        u"width=&quot;10&quot;\"/>"
        u"<Probe name=\"p\" width=\"20\" width=\"30\"><Control/><Control/></Probe></Window>",
        Size{100, 100}, &callback);
    ASSERT_NE(callback.last, nullptr);
    const std::vector<std::u16string> expected = {u"childpadding=3@2", u"width=10@2", u"name=p@2",
                                                  u"width=20@2", u"width=30@2"};
    EXPECT_EQ(callback.last->seen, expected);
    EXPECT_EQ(callback.last->GetFixedWidth(), 30);
}

TEST(Builder, TagsIgnoreCaseExceptTheExactOnesAndUnknownTagsGoToTheCallback) {
    TestWindow w;
    ProbeCallback callback;
    CControlUI* root = w.Build(
        u"<Window><vbox name=\"root\"><HORIZONTALLAYOUT name=\"h\"/>"
        u"<gifanim name=\"g\"/><Mystery name=\"m\"><Control name=\"inner\"/></Mystery>"
        u"<Control name=\"after\"/></vbox></Window>",
        Size{100, 100}, &callback);
    ASSERT_NE(root, nullptr);
    EXPECT_NE(root->GetInterface(u"VerticalLayout"), nullptr);
    EXPECT_NE(w.Find(u"h")->GetInterface(u"HorizontalLayout"), nullptr);
    EXPECT_EQ(w.Find(u"g"), nullptr);
    EXPECT_EQ(w.Find(u"m"), nullptr);
    EXPECT_EQ(w.Find(u"inner"), nullptr);  // skipped with its subtree
    EXPECT_NE(w.Find(u"after"), nullptr);
    EXPECT_EQ(callback.asked, (std::vector<std::u16string>{u"gifanim", u"Mystery"}));
}

TEST(Builder, CoverControlsAndParentsWithoutChildLists) {
    TestWindow w;
    CControlUI* root = w.Build(
        u"<Window><Container name=\"c\"><Control name=\"shade\" cover=\"true\"/>"
        u"<Control name=\"leaf\"><Control name=\"orphan\"/></Control></Container></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetCover(), w.Find(u"shade"));
    EXPECT_EQ(w.Find<CContainerUI>(u"c")->GetCount(), 1);
    EXPECT_EQ(w.Find(u"orphan"), nullptr);
    EXPECT_EQ(w.Find(u"shade")->GetPos(), root->GetPos());
}

TEST(Builder, WindowAttributesGoToAWindowWithTheShadowOnesKeptForLater) {
    TestWindow w;
    w.Manager().Init(1);
    w.Build(
        u"<Window size=\"1024,720\" caption=\"0,0,0,50\" sizebox=\"4,0,4,0\" bktrans=\"true\" "
        u"showshadow=\"true\" shadowsize=\"14\" shadowimage=\"images/bk_shadow.png\" "
        u"shadowcorner=\"14,14,14,14\" shadowpositon=\"2,3\" NoActivate=\"true\" "
        u"defaultfontcolor=\"#FF102030\"><Control/></Window>");
    const WindowAttributesUI& a = w.Manager().Attributes();
    EXPECT_EQ(a.initSize.cx, 1024);
    EXPECT_EQ(a.caption, R(0, 0, 0, 50));
    EXPECT_EQ(a.sizeBox, R(4, 0, 4, 0));
    EXPECT_EQ(a.custom.at(u"bktrans"), u"true");
    EXPECT_FALSE(a.noActivate);  // that name is exact
    EXPECT_EQ(a.defaultFontColor, 0xFF102030u);
    const ShadowAttributesUI& s = w.Manager().Shadow();
    EXPECT_TRUE(s.show);
    EXPECT_EQ(s.size, 14);
    EXPECT_EQ(s.image, u"images/bk_shadow.png");
    EXPECT_EQ(s.corner, R(14, 14, 14, 14));
    EXPECT_EQ(s.offset.y, 3);
    EXPECT_EQ(s.darkness, 150);

    TestWindow fragment;  // no native window: the root's attributes are not the window's
    fragment.Build(u"<Window size=\"10,10\"><Control/></Window>");
    EXPECT_EQ(fragment.Manager().Attributes().initSize.cx, 0);
}

TEST(Builder, IncludesBuildTheirSourceCountTimesAndRegisterItsResources) {
    TestWindow w(
        Members{{"fonts.xml",
                 "<Fonts><Font id=\"140\" name=\"Sans\" size=\"14\" shared=\"false\"/></Fonts>"},
                {"Row.xml", "<Row><Control height=\"10\"/></Row>"},
                {"Self.xml", "<Window><Include source=\"self.xml\"/><Control/></Window>"}});
    CControlUI* root = w.Build(
        u"<Window><Include source=\"fonts.xml\"/><VerticalLayout name=\"v\">"
        u"<Include source=\"row.xml\" count=\"3\"/></VerticalLayout></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(w.Find<CContainerUI>(u"v")->GetCount(), 3);
    EXPECT_EQ(w.Find<CContainerUI>(u"v")->GetItemAt(2)->GetPos(), R(0, 20, 400, 30));
    ASSERT_NE(w.Manager().Resources().FindFont(140), nullptr);
    EXPECT_EQ(w.Manager().Resources().FindFont(140)->Info().size, 14);

    // A file that includes itself stops at the nesting limit instead of recursing for ever.
    TestWindow looping(
        Members{{"Self.xml", "<Window><Include source=\"self.xml\"/><Control/></Window>"}});
    CMarkupBuilderUI builder;
    CControlUI* built = builder.Create(u"Self.xml", {}, nullptr, &looping.Manager());
    ASSERT_NE(built, nullptr);
    looping.Manager().AttachDialog(built);
}

TEST(Builder, OnlyTheFirstTopLevelControlSurvivesWithoutAParent) {
    TestWindow w;
    ProbeCallback callback;
    CMarkupBuilderUI builder;
    CControlUI* first = builder.Create(
        u"<Window><Control name=\"one\"/><Probe name=\"two\"/>"
        u"</Window>",
        {}, &callback, &w.Manager());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetName(), u"one");
    // The second was made and then dropped: nothing owns it (the sanitizer build checks).
    EXPECT_NE(callback.last, nullptr);
    delete first;
}

TEST(Builder, AChildLayoutFillsItselfFromItsFileWhenItJoinsTheWindow) {
    TestWindow w(Members{{"Part.xml", "<Part><Button name=\"inner\" height=\"10\"/></Part>"}});
    CControlUI* root = w.Build(
        u"<Window><MultiLanguage id=\"7\" value=\"seven\"/>"
        u"<ChildLayout name=\"child\" xmlfile=\"part.xml\" "
        u"inset=\"2,2,2,2\"/></Window>",
        Size{50, 50});
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(w.Find<CContainerUI>(u"child")->GetCount(), 1);
    ASSERT_NE(w.Find(u"inner"), nullptr);
    EXPECT_EQ(w.Find(u"inner")->GetPos(), R(2, 2, 48, 48));
    EXPECT_EQ(MultiLanguageText(7), u"seven");
}

// An item control the way the program's tiles are made: it builds its own fragment into
// itself when it joins the window.
class GameItem : public CContainerUI {
  public:
    void DoInit() override {
        CMarkupBuilderUI builder;
        built = builder.Create(
            u"<Item><VerticalLayout><Label name=\"caption\" height=\"20\" "
            u"text=\"CS1.6\"/><Button name=\"play\" height=\"20\"/>"
            u"</VerticalLayout></Item>",
            {}, nullptr, manager_, this);
    }
    CControlUI* built = nullptr;
};

class ItemCallback : public IDialogBuilderCallback {
  public:
    CControlUI* CreateControl(std::u16string_view tag) override {
        return tag == u"GameItem" ? new GameItem() : nullptr;
    }
};

TEST(Builder, ItemControlsBuildTheirFragmentIntoTheLiveWindow) {
    TestWindow w;
    ItemCallback callback;
    w.Build(
        u"<Window><TileLayout name=\"tiles\" itemsize=\"100,50\" columns=\"2\">"
        u"<GameItem name=\"g0\"/><GameItem name=\"g1\"/></TileLayout></Window>",
        Size{200, 100}, &callback);
    auto* g1 = w.Find<GameItem>(u"g1");
    ASSERT_NE(g1, nullptr);
    ASSERT_NE(g1->built, nullptr);
    EXPECT_EQ(g1->built->GetManager(), &w.Manager());
    EXPECT_EQ(g1->built->GetParent(), g1);
    w.Manager().LayoutIfNeeded();
    // Names are first-come: the first tile's caption is the one found by name.
    CControlUI* caption = w.Find(u"caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->GetPos(), R(0, 0, 100, 20));
    EXPECT_EQ(w.Find<GameItem>(u"g0")->GetItemAt(0)->GetPos(), R(0, 0, 100, 50));
    w.Click(Point{150, 30});  // the second tile's button
    ASSERT_EQ(w.log.Of(u"click").size(), 1u);
    EXPECT_EQ(w.log.records.back().sender->GetParent()->GetParent(), g1);
}

TEST(Builder, FailuresGiveNoControlAndKeepTheMessage) {
    TestWindow w;
    CMarkupBuilderUI builder;
    EXPECT_EQ(builder.Create(u"<Window><Control a='1'/></Window>", {}, nullptr, &w.Manager()),
              nullptr);
    EXPECT_EQ(builder.GetLastErrorMessage(), u"Expected attribute value");
    EXPECT_EQ(builder.Create(u"Missing.xml", {}, nullptr, &w.Manager()), nullptr);
}

TEST(Builder, DefaultListsStopAtADoubleSpaceAndCaseSensitiveNamesStayCustom) {
    TestWindow w;
    w.Build(
        u"<Window><Default name=\"Control\" value=\"height=&quot;7&quot;  "
        u"width=&quot;9&quot;\"/><HorizontalLayout><Control name=\"c\" "
        u"textColor=\"0xFF1b7aff\"/></HorizontalLayout></Window>");
    CControlUI* c = w.Find(u"c");
    EXPECT_EQ(c->GetFixedHeight(), 7);
    EXPECT_EQ(c->GetFixedWidth(), 0);
    EXPECT_EQ(c->GetCustomAttribute(u"textColor"), u"0xFF1b7aff");
}

// Makes what the menu window's own callback makes, and notes every other tag it is asked for.
class SkinCallback : public IDialogBuilderCallback {
  public:
    CControlUI* CreateControl(std::u16string_view tag) override {
        if (tag == u"Menu") {
            return new CVerticalLayoutUI();
        }
        if (tag == u"MenuElement") {
            return new CContainerUI();
        }
        asked.emplace_back(tag);
        return nullptr;
    }
    std::vector<std::u16string> asked;
};

// Every skin file of the program builds, with every tag it uses known to the library.
TEST(Builder, TheProgramSkinFilesBuild) {
    namespace fs = std::filesystem;
    fs::path dir = KAVRIN_SKIN_DIR;
    if (!fs::exists(dir / "MainWnd.xml") && std::getenv("KAVRIN_PROGRAM_SKIN") != nullptr) {
        dir = std::getenv("KAVRIN_PROGRAM_SKIN");
    }
    if (!fs::exists(dir / "MainWnd.xml")) {
        GTEST_SKIP() << "the program's skin files are not in " << dir;
    }
    std::vector<std::pair<std::string, std::string>> members;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".xml") {
            std::ifstream in(entry.path(), std::ios::binary);
            members.emplace_back(entry.path().filename().string(),
                                 std::string(std::istreambuf_iterator<char>(in), {}));
        }
    }
    SkinCallback unknown;
    for (const auto& [file, text] : members) {
        TestWindow w(members);
        CMarkupBuilderUI builder;
        CControlUI* root =
            builder.Create(std::u16string(file.begin(), file.end()), {}, &unknown, &w.Manager());
        if (file == "fonts.xml") {
            continue;
        }
        EXPECT_NE(root, nullptr) << file;
        if (root != nullptr) {
            w.Manager().OnSize(Size{1024, 720});
            w.Manager().AttachDialog(root);
            w.Manager().LayoutIfNeeded();
        }
    }
    // Only the menu's own tags are left to a callback.
    for (const auto& tag : unknown.asked) {
        ADD_FAILURE() << "unknown tag " << std::string(tag.begin(), tag.end());
    }
}

}  // namespace
