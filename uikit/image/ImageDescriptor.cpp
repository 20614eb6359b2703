#include "uikit/image/ImageDescriptor.h"

#include <algorithm>

#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

namespace {

bool IsSpace(char16_t c) {
    return c <= u' ';
}

void ApplyKey(ImageDescriptor& d, std::u16string_view key, std::u16string_view value) {
    if (key == u"file" || key == u"res") {
        d.name = value;
    } else if (key == u"restype") {
        d.resType = value;
    } else if (key == u"color") {
        d.name = value;
        d.resType = kColorResType;
    } else if (key == u"dest") {
        d.dest = ParseRect(value);
    } else if (key == u"source") {
        d.source = ParseRect(value);
    } else if (key == u"corner" || key == u"scale9") {
        d.corners = ParseRect(value);
    } else if (key == u"mask") {
        d.mask = ParseColor(value);
    } else if (key == u"fade") {
        d.fade = static_cast<uint8_t>(std::clamp(ParseInt(value), 0, 255));
    } else if (key == u"hole") {
        d.hole = ParseBool(value);
    } else if (key == u"xtiled") {
        d.xTiled = ParseBool(value);
    } else if (key == u"ytiled") {
        d.yTiled = ParseBool(value);
    } else if (key == u"hsl") {
        d.hsl = ParseBool(value);
    }
}

// Reads the key='value' pairs. Another pair is read only when the character right after a
// closing quote is a space; anything malformed ends the list with what was read so far. Returns
// the number of pairs read.
int ParsePairs(ImageDescriptor& d, std::u16string_view text) {
    size_t pos = 0;
    int pairs = 0;
    while (pos < text.size()) {
        while (pos < text.size() && IsSpace(text[pos])) {
            ++pos;
        }
        const size_t equals = text.find(u'=', pos);
        if (equals == std::u16string_view::npos || equals + 1 >= text.size() ||
            text[equals + 1] != u'\'') {
            return pairs;
        }
        const size_t close = text.find(u'\'', equals + 2);
        if (close == std::u16string_view::npos) {
            return pairs;
        }
        ++pairs;
        const std::u16string_view value = text.substr(equals + 2, close - equals - 2);
        if (!value.empty()) {
            ApplyKey(d, text.substr(pos, equals - pos), value);
        }
        if (close + 1 >= text.size() || text[close + 1] != u' ') {
            return pairs;
        }
        pos = close + 1;
    }
    return pairs;
}

}  // namespace

ImageDescriptor ParseImageDescriptor(std::u16string_view value) {
    ImageDescriptor d;
    d.attribute = value;
    if (ParsePairs(d, value) == 0) {
        d.name = value;  // a bare image name
    }
    return d;
}

}  // namespace uikit
