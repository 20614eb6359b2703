#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/TextConvert.h"
#include "uikit/markup/MarkupDocUI.h"
#include "uikit/markup/MarkupNodeUI.h"

namespace {

using uikit::CMarkupDocUI;
using uikit::CMarkupNodeUI;

// Loads markup and returns the error message ("" on success).
std::u16string ParseError(std::u16string_view text) {
    CMarkupDocUI doc;
    if (doc.Load(text)) {
        return u"";
    }
    return std::u16string(doc.GetLastErrorMessage());
}

TEST(MarkupParser, BuildsTheElementTreeWithAttributesAndText) {
    CMarkupDocUI doc;
    ASSERT_TRUE(doc.Load(
        u"<?xml version=\"1.0\"?>\n<!-- header -->\n<Window size=\"10,20\" caption = \"0,0,0,32\">"
        u"<Label text=\"a\"/><Button name=\"ok\">Go</Button>\n<Empty></Empty></Window>"));
    CMarkupNodeUI root = doc.GetRoot();
    ASSERT_TRUE(root.IsValid());
    EXPECT_EQ(root.GetName(), u"Window");
    EXPECT_EQ(root.GetAttributeCount(), 2);
    EXPECT_EQ(root.GetAttributeName(1), u"caption");
    EXPECT_EQ(root.GetAttributeValue(u"size"), u"10,20");
    EXPECT_FALSE(root.HasAttribute(u"Size"));  // names are case-sensitive here

    CMarkupNodeUI label = root.GetChild();
    EXPECT_EQ(label.GetName(), u"Label");
    EXPECT_EQ(label.GetAttributeValue(u"text"), u"a");
    EXPECT_FALSE(label.HasChildren());
    CMarkupNodeUI button = label.GetSibling();
    EXPECT_EQ(button.GetName(), u"Button");
    EXPECT_EQ(button.GetValue(), u"Go");
    EXPECT_EQ(button.GetParent().GetName(), u"Window");
    CMarkupNodeUI empty = root.GetChild(u"Empty");
    ASSERT_TRUE(empty.IsValid());
    EXPECT_FALSE(empty.HasSiblings());
    EXPECT_FALSE(empty.HasAttributes());
    EXPECT_EQ(empty.GetValue(), u"");
}

TEST(MarkupParser, DecodesTheFiveEntitiesAndKeepsOtherAmpersands) {
    CMarkupDocUI doc;
    ASSERT_TRUE(
        doc.Load(u"<Label text=\"&lt;u&gt;帮助页面&lt;u&gt;。\" a=\"&quot;x&apos; &amp; &copy; &\" "
                 u"b=\"&lt;\">t&amp;u<Child/></Label>"));
    CMarkupNodeUI label = doc.GetRoot();
    EXPECT_EQ(label.GetAttributeValue(u"text"), u"<u>帮助页面<u>。");
    EXPECT_EQ(label.GetAttributeValue(u"a"), u"\"x' & &copy; &");
    // The attribute after a shortened value is still found where it belongs.
    EXPECT_EQ(label.GetAttributeValue(u"b"), u"<");
    EXPECT_EQ(label.GetAttributeCount(), 3);
    // Text shortened by an entity ends at its decoded end even when a child follows.
    EXPECT_EQ(label.GetValue(), u"t&u");
    EXPECT_EQ(label.GetChild().GetName(), u"Child");
}

TEST(MarkupParser, KeepsWhitespaceAndMarkupCharactersInsideValues) {
    CMarkupDocUI doc;
    ASSERT_TRUE(doc.Load(u"<a v=\"  two  spaces\n/> \" w=\"\" x=\"1\"/>"));
    CMarkupNodeUI a = doc.GetRoot();
    EXPECT_EQ(a.GetAttributeValue(u"v"), u"  two  spaces\n/> ");
    EXPECT_TRUE(a.HasAttribute(u"w"));
    EXPECT_EQ(a.GetAttributeValue(u"w"), u"");
    EXPECT_EQ(a.GetAttributeValue(u"x"), u"1");

    // A nameless attribute is accepted and does not hide the ones after it.
    ASSERT_TRUE(doc.Load(u"<a =\"&amp;&amp;\" b = \"2\"></a>"));
    CMarkupNodeUI b = doc.GetRoot();
    ASSERT_EQ(b.GetAttributeCount(), 2);
    EXPECT_EQ(b.GetAttributeName(0), u"");
    EXPECT_EQ(b.GetAttributeValue(0), u"&&");
    EXPECT_EQ(b.GetAttributeValue(u"b"), u"2");
}

TEST(MarkupParser, ReportsEachGrammarErrorWithItsMessage) {
    EXPECT_EQ(ParseError(u"text"), u"Expected start tag");
    EXPECT_EQ(ParseError(u"<>"), u"Error parsing element name");
    EXPECT_EQ(ParseError(u"<abc"), u"Error parsing element name");
    EXPECT_EQ(ParseError(u"<a b>"), u"Error while parsing attributes");
    EXPECT_EQ(ParseError(u"<a b='1'/>"), u"Expected attribute value");
    EXPECT_EQ(ParseError(u"<a b=\"1"), u"Error while parsing attribute string");
    EXPECT_EQ(ParseError(u"<a/ >"), u"Expected start-tag closing");
    EXPECT_EQ(ParseError(u"<a></b>"), u"Unmatched closing tag");
    EXPECT_EQ(ParseError(u"<ab></a>"), u"Unmatched closing tag");
    EXPECT_EQ(ParseError(u"<a></ab>"), u"Unmatched closing tag");
    EXPECT_EQ(ParseError(u"<a><b><c>x"), u"Expected end-tag start");
    EXPECT_EQ(ParseError(u"<a>< /a>"), u"Error parsing element name");
    EXPECT_EQ(ParseError(u"<a></ a >"), u"");
}

TEST(MarkupParser, KeepsTheTextAtTheErrorPosition) {
    CMarkupDocUI doc;
    EXPECT_FALSE(doc.Load(u"<Window><Label text='x' /></Window>"));
    EXPECT_EQ(doc.GetLastErrorMessage(), u"Expected attribute value");
    EXPECT_EQ(doc.GetLastErrorLocation(), u"'x' /></Window>");
    EXPECT_FALSE(doc.GetRoot().IsValid());

    const std::u16string longTail(200, u'x');
    EXPECT_FALSE(doc.Load(u"<a b='" + longTail));
    EXPECT_EQ(doc.GetLastErrorLocation().size(), CMarkupDocUI::kMaxErrorLocation);
}

TEST(MarkupParser, CommentEndsAtTheFirstHyphenBeforeGreaterThan) {
    CMarkupDocUI doc;
    // "-" followed by ">" closes the comment, so "<b/>" is an element...
    ASSERT_TRUE(doc.Load(u"<a><!-- x -> <b/></a>"));
    // ...and whatever the writer meant to be the rest of the comment is stray text.
    EXPECT_EQ(ParseError(u"<a><!-- x -> y --></a>"), u"Expected start tag");
    CMarkupNodeUI child = doc.GetRoot().GetChild();
    EXPECT_EQ(child.GetName(), u"b");
    EXPECT_EQ(child.GetValue(), u"");
}

TEST(MarkupParser, DecodesUtf8WithOrWithoutByteOrderMarkAndUtf16) {
    const std::string utf8 = "\xEF\xBB\xBF<a t=\"\xE6\xB8\xB8\xE6\x88\x8F\"/>";
    CMarkupDocUI doc;
    ASSERT_TRUE(doc.LoadFromMem(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size()));
    EXPECT_EQ(doc.GetRoot().GetAttributeValue(u"t"), u"游戏");
    ASSERT_TRUE(
        doc.LoadFromMem(reinterpret_cast<const uint8_t*>(utf8.data()) + 3, utf8.size() - 3));
    EXPECT_EQ(doc.GetRoot().GetName(), u"a");

    const uint8_t bigEndian[] = {0xFE, 0xFF, 0, '<', 0, 'b', 0, '/', 0, '>'};
    ASSERT_TRUE(doc.LoadFromMem(bigEndian, sizeof bigEndian, CMarkupDocUI::Encoding::Utf16));
    EXPECT_EQ(doc.GetRoot().GetName(), u"b");
    const uint8_t littleEndian[] = {0xFF, 0xFE, '<', 0, 'c', 0, '/', 0, '>', 0};
    ASSERT_TRUE(doc.LoadFromMem(littleEndian, sizeof littleEndian, CMarkupDocUI::Encoding::Utf16));
    EXPECT_EQ(doc.GetRoot().GetName(), u"c");
}

TEST(MarkupParser, EmptyTextHasNoRoot) {
    CMarkupDocUI doc;
    EXPECT_TRUE(doc.Load(u"  \n "));
    EXPECT_FALSE(doc.GetRoot().IsValid());
    EXPECT_TRUE(doc.Load(u"<!-- only a comment -->"));
    EXPECT_FALSE(doc.GetRoot().IsValid());
}

TEST(MarkupParser, CachesAtMostSixtyFourAttributes) {
    std::u16string text = u"<a";
    for (int i = 0; i < 70; ++i) {
        const std::u16string n = AnsiToUtf16(std::to_string(i));
        text += u" k" + n + u"=\"" + n + u"\"";
    }
    text += u"/>";
    CMarkupDocUI doc;
    ASSERT_TRUE(doc.Load(text));
    CMarkupNodeUI a = doc.GetRoot();
    EXPECT_EQ(a.GetAttributeCount(), CMarkupNodeUI::kMaxAttributes);
    EXPECT_EQ(a.GetAttributeValue(63), u"63");
    EXPECT_FALSE(a.HasAttribute(u"k69"));
}

TEST(MarkupParser, GrowsTheElementTableForLargeDocuments) {
    std::u16string text = u"<list>";
    for (int i = 0; i < 5000; ++i) {
        text += u"<i n=\"" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + u"\"/>";
    }
    text += u"</list>";
    CMarkupDocUI doc;
    ASSERT_TRUE(doc.Load(text));
    int count = 0;
    for (CMarkupNodeUI i = doc.GetRoot().GetChild(); i.IsValid(); i = i.GetSibling()) {
        EXPECT_EQ(i.GetAttributeValue(u"n")[0], u'0' + count % 10);
        ++count;
    }
    EXPECT_EQ(count, 5000);
}

TEST(MarkupParser, RefusesNestingDeepEnoughToExhaustTheStack) {
    std::u16string text;
    for (int i = 0; i < 100000; ++i) {
        text += u"<a>";
    }
    CMarkupDocUI doc;
    EXPECT_FALSE(doc.Load(text));
    EXPECT_EQ(doc.GetLastErrorMessage(), u"Elements nested too deeply");
}

TEST(MarkupParser, ToleratesAnUnclosedRootAsTheSkinLoaderAlwaysHas) {
    CMarkupDocUI doc;
    ASSERT_TRUE(doc.Load(u"<Window><Label text=\"x\">"));
    EXPECT_EQ(doc.GetRoot().GetName(), u"Window");
    EXPECT_EQ(doc.GetRoot().GetChild().GetName(), u"Label");
}

// Walks everything a successful parse produced, so that the sanitizer build sees every read.
size_t WalkTree(CMarkupNodeUI node) {
    size_t seen = 0;
    for (; node.IsValid(); node = node.GetSibling()) {
        seen += node.GetName().size() + node.GetValue().size();
        for (int i = 0; i < node.GetAttributeCount(); ++i) {
            seen += node.GetAttributeName(i).size() + node.GetAttributeValue(i).size();
        }
        seen += WalkTree(node.GetChild());
    }
    return seen;
}

TEST(MarkupParser, SurvivesMangledMarkup) {
    const std::u16string sample =
        u"<?xml version=\"1.0\"?><!-- c --><Window size=\"1,2\"><Label text=\"&lt;u&gt;x&amp;\" />"
        u"<B a=\"&quot;\">t&apos;<C/></B><D></D></Window>";
    const std::u16string syntax = u"<>/=\"'&;!?- \n:_a";
    std::mt19937 random(20261209);
    int parsed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::u16string text = sample;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = random() % text.size();
            switch (random() % 3) {
                case 0:
                    text[at] = syntax[random() % syntax.size()];
                    break;
                case 1:
                    text.erase(at, 1 + random() % 3);
                    break;
                default:
                    text.resize(at);
                    break;
            }
            if (text.empty()) {
                break;
            }
        }
        CMarkupDocUI doc;
        if (doc.Load(text)) {
            ++parsed;
            WalkTree(doc.GetRoot());
        } else {
            EXPECT_FALSE(doc.GetLastErrorMessage().empty()) << Utf16ToAnsi(text);
        }
    }
    EXPECT_GT(parsed, 0);
}

}  // namespace
