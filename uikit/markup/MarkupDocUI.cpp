#include "uikit/markup/MarkupDocUI.h"

#include <algorithm>

#include "common/TextConvert.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/markup/MarkupNodeUI.h"

namespace uikit {

namespace {

bool IsWhitespace(char16_t c) {
    return c != 0 && c <= u' ';
}

void SkipWhitespace(char16_t*& text) {
    while (IsWhitespace(*text)) {
        ++text;
    }
}

bool IsIdentifierChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u':' || c == u'_' || c > 0x7F;
}

void SkipIdentifier(char16_t*& text) {
    while (IsIdentifierChar(*text)) {
        ++text;
    }
}

// Compares without reading past a terminator: the buffer's '\0' never equals a literal character.
bool StartsWith(const char16_t* text, std::u16string_view literal) {
    for (size_t i = 0; i < literal.size(); ++i) {
        if (text[i] != literal[i]) {
            return false;
        }
    }
    return true;
}

std::u16string DecodeUtf16Bytes(const uint8_t* bytes, size_t size) {
    bool bigEndian = false;
    if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        bigEndian = true;
        bytes += 2, size -= 2;
    } else if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        bytes += 2, size -= 2;
    }
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t first = bytes[2 * i];
        const uint8_t second = bytes[2 * i + 1];
        text[i] = bigEndian ? static_cast<char16_t>(first << 8 | second)
                            : static_cast<char16_t>(second << 8 | first);
    }
    return text;
}

}  // namespace

bool CMarkupDocUI::Load(std::u16string_view text) {
    Release();
    errorMessage_.clear();
    errorLocation_.clear();
    buffer_.reserve(text.size() + 2);
    buffer_.assign(text);
    // Two terminators, so that a look-ahead of one character past the end stays inside.
    buffer_.push_back(u'\0');
    buffer_.push_back(u'\0');
    ReserveElement();  // index 0 stands for "no element"
    char16_t* cursor = buffer_.data();
    if (!Parse(cursor, 0, 0)) {
        Release();
        return false;
    }
    return true;
}

bool CMarkupDocUI::LoadFromMem(const uint8_t* bytes, size_t size, Encoding encoding) {
    if (encoding == Encoding::Utf16) {
        return Load(DecodeUtf16Bytes(bytes, size));
    }
    if (encoding == Encoding::Utf8 && size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB &&
        bytes[2] == 0xBF) {
        bytes += 3, size -= 3;
    }
    // On this platform the narrow character set is UTF-8, so both narrow encodings decode alike.
    return Load(AnsiToUtf16(std::string_view(reinterpret_cast<const char*>(bytes), size)));
}

bool CMarkupDocUI::LoadFromFile(std::u16string_view name, Encoding encoding) {
    return LoadFromFile(name, SkinArchive::Instance(), encoding);
}

bool CMarkupDocUI::LoadFromFile(std::u16string_view name, const SkinArchive& archive,
                                Encoding encoding) {
    Release();
    const SkinArchive::ReadResult file = archive.ReadMarkup(name);
    if (file.error != SkinReadError::None) {
        errorMessage_ = AnsiToUtf16(SkinReadErrorMessage(file.error));
        errorLocation_.clear();
        return false;
    }
    return LoadFromMem(file.bytes.data(), file.bytes.size(), encoding);
}

void CMarkupDocUI::Release() {
    buffer_.clear();
    buffer_.shrink_to_fit();
    elements_.clear();
    elements_.shrink_to_fit();
    elementCount_ = 0;
}

CMarkupNodeUI CMarkupDocUI::GetRoot() {
    if (elementCount_ < 2) {
        return CMarkupNodeUI();
    }
    return CMarkupNodeUI(this, 1);
}

uint32_t CMarkupDocUI::ReserveElement() {
    if (elementCount_ == elements_.size()) {
        elements_.resize(elements_.size() + elements_.size() / 2 + 500);
    }
    elements_[elementCount_] = Element{};
    return static_cast<uint32_t>(elementCount_++);
}

bool CMarkupDocUI::Fail(std::string_view message, const char16_t* location) {
    errorMessage_ = AnsiToUtf16(message.substr(0, kMaxErrorMessage));
    errorLocation_.clear();
    for (size_t i = 0; location && location[i] != 0 && i < kMaxErrorLocation; ++i) {
        errorLocation_ += location[i];
    }
    return false;
}

bool CMarkupDocUI::Parse(char16_t*& text, uint32_t parent, int depth) {
    SkipWhitespace(text);
    uint32_t previous = 0;
    for (;;) {
        if (*text == 0 && parent <= 1) {
            return true;
        }
        SkipWhitespace(text);
        if (*text != u'<') {
            return Fail("Expected start tag", text);
        }
        if (text[1] == u'/') {
            return true;
        }
        *text++ = 0;
        SkipWhitespace(text);
        if (*text == u'!' || *text == u'?') {
            // Comments run to "->" and declarations to "?>"; neither can be nested.
            const char16_t last = *text == u'!' ? u'-' : u'?';
            while (*text != 0 && !(text[0] == last && text[1] == u'>')) {
                ++text;
            }
            if (*text != 0) {
                text += 2;
            }
            SkipWhitespace(text);
            continue;
        }
        if (!ParseElement(text, parent, previous, depth)) {
            return false;
        }
    }
}

bool CMarkupDocUI::ParseElement(char16_t*& text, uint32_t parent, uint32_t& previous, int depth) {
    const uint32_t index = ReserveElement();
    elements_[index].start = static_cast<uint32_t>(text - buffer_.data());
    elements_[index].parent = parent;
    if (previous != 0) {
        elements_[previous].next = index;
    } else if (parent > 0) {
        elements_[parent].child = index;
    }
    previous = index;

    char16_t* name = text;
    SkipIdentifier(text);
    char16_t* nameEnd = text;
    if (nameEnd == name || *text == 0) {
        return Fail("Error parsing element name", text);
    }
    if (!ParseAttributes(text)) {
        return false;
    }
    SkipWhitespace(text);
    if (text[0] == u'/' && text[1] == u'>') {
        elements_[index].data = static_cast<uint32_t>(text - buffer_.data());
        *text = 0;
        text += 2;
    } else {
        if (*text != u'>') {
            return Fail("Expected start-tag closing", text);
        }
        ++text;
        elements_[index].data = static_cast<uint32_t>(text - buffer_.data());
        if (!ParseContent(text, index, name, static_cast<size_t>(nameEnd - name), depth)) {
            return false;
        }
    }
    *nameEnd = 0;  // only now: the character after the name was needed while parsing
    SkipWhitespace(text);
    return true;
}

bool CMarkupDocUI::ParseContent(char16_t*& text, uint32_t index, const char16_t* name,
                                size_t nameLength, int depth) {
    char16_t* dest = text;
    if (!ParseData(text, dest, u'<')) {
        return false;
    }
    if (dest < text) {
        *dest = 0;  // entities made the text shorter; end it where the decoded text ends
    }
    if (*text == 0 && elements_[index].parent <= 1) {
        return true;
    }
    if (*text != u'<') {
        return Fail("Expected end-tag start", text);
    }
    if (text[1] != u'/') {
        if (depth + 1 >= kMaxDepth) {
            return Fail("Elements nested too deeply", text);
        }
        if (!Parse(text, index, depth + 1)) {
            return false;
        }
    }
    if (text[0] == u'<' && text[1] == u'/') {
        *text = 0;
        text += 2;
        SkipWhitespace(text);
        if (!StartsWith(text, std::u16string_view(name, nameLength))) {
            return Fail("Unmatched closing tag", text);
        }
        text += nameLength;
        SkipWhitespace(text);
        if (*text != u'>') {
            return Fail("Unmatched closing tag", text);
        }
        ++text;
    }
    return true;
}

// Leaves each attribute in the buffer as: name, terminators up to the opening quote (kept as the
// marker CMarkupNodeUI looks for), the decoded value, terminators up to and over the closing quote.
bool CMarkupDocUI::ParseAttributes(char16_t*& text) {
    for (;;) {
        SkipWhitespace(text);
        if (*text == 0 || *text == u'>' || *text == u'/') {
            return true;
        }
        char16_t* nameEnd = text;
        SkipIdentifier(nameEnd);
        text = nameEnd;
        SkipWhitespace(text);
        if (*text != u'=') {
            return Fail("Error while parsing attributes", text);
        }
        ++text;
        SkipWhitespace(text);
        if (*text != u'"') {
            return Fail("Expected attribute value", text);
        }
        std::fill(nameEnd, text, u'\0');
        ++text;
        char16_t* dest = text;
        if (!ParseData(text, dest, u'"')) {
            return false;
        }
        if (*text == 0) {
            return Fail("Error while parsing attribute string", text);
        }
        std::fill(dest, text + 1, u'\0');
        ++text;
    }
}

bool CMarkupDocUI::ParseData(char16_t*& text, char16_t*& dest, char16_t end) {
    while (*text != 0 && *text != end) {
        if (*text == u'&') {
            ++text;
            ParseEntity(text, dest);
            continue;
        }
        const bool space = *text == u' ';
        *dest++ = *text++;
        if (space && !preserveWhitespace_) {
            SkipWhitespace(text);
        }
    }
    return true;
}

void CMarkupDocUI::ParseEntity(char16_t*& text, char16_t*& dest) {
    struct Entity {
        std::u16string_view name;
        char16_t character;
    };
    static constexpr Entity kEntities[] = {
        {u"amp;", u'&'}, {u"lt;", u'<'}, {u"gt;", u'>'}, {u"quot;", u'"'}, {u"apos;", u'\''}};
    for (const Entity& entity : kEntities) {
        if (StartsWith(text, entity.name)) {
            *dest++ = entity.character;
            text += entity.name.size();
            return;
        }
    }
    *dest++ = u'&';  // not an entity: the ampersand stays
}

}  // namespace uikit
