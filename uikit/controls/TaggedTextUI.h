#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace uikit {

// The look of a stretch of tagged text. Zero and empty values mean "the control's own".
struct TaggedStyleUI {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool selected = false;
    uint32_t color = 0;
    int fontId = -1;
    std::u16string fontFace;
    int fontSize = 0;
    int link = -1;  // index into TaggedTextUI::links
    int lineHeight = 0;
    int indent = 0;
    char16_t valign = u'b';  // 'c' centre, 't' top, 'b' bottom of the line
};

// One piece of tagged text in reading order.
struct TaggedRunUI {
    enum class Kind { Text, LineBreak, Image, MoveX };
    Kind kind = Kind::Text;
    std::u16string text;  // the words, or the image descriptor
    int amount = 0;       // pixels to move right
    TaggedStyleUI style;
};

// Text with tags in angle brackets or braces: a (link), b, c (colour), f (font), i (image),
// n (line break), p (paragraph), r (raw), s (selected), u, v (vertical alignment), x (move),
// y (line height). A closing tag restores what its opening tag changed; a tag never closed
// stays in force to the end.
struct TaggedTextUI {
    std::vector<TaggedRunUI> runs;
    std::vector<std::u16string> links;

    static TaggedTextUI Parse(std::u16string_view text);
    // The words alone, without tags.
    std::u16string PlainText() const;
};

}  // namespace uikit
