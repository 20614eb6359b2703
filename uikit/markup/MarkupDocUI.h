#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace uikit {

class CMarkupNodeUI;
class SkinArchive;

// A parsed markup file. The whole text lives in one UTF-16 buffer; parsing writes terminators
// into it, so every name, value and text the nodes hand out is a view into that buffer and stays
// valid until the document is loaded again or destroyed.
class CMarkupDocUI {
  public:
    enum class Encoding { Utf8, Utf16, Ansi };

    static constexpr size_t kMaxErrorMessage = 99;
    static constexpr size_t kMaxErrorLocation = 49;
    // Deeper nesting than any skin needs; it keeps hostile text from exhausting the stack.
    static constexpr int kMaxDepth = 512;

    CMarkupDocUI() = default;
    CMarkupDocUI(const CMarkupDocUI&) = delete;
    CMarkupDocUI& operator=(const CMarkupDocUI&) = delete;

    bool IsValid() const { return elementCount_ > 0; }
    // Collapsing whitespace exists for completeness; skins keep it off.
    void SetPreserveWhitespace(bool preserve) { preserveWhitespace_ = preserve; }

    bool Load(std::u16string_view text);
    bool LoadFromMem(const uint8_t* bytes, size_t size, Encoding encoding = Encoding::Utf8);
    // A markup member of the skin archive (or a plain file when no archive is set).
    bool LoadFromFile(std::u16string_view name, Encoding encoding = Encoding::Utf8);
    bool LoadFromFile(std::u16string_view name, const SkinArchive& archive,
                      Encoding encoding = Encoding::Utf8);
    void Release();

    std::u16string_view GetLastErrorMessage() const { return errorMessage_; }
    std::u16string_view GetLastErrorLocation() const { return errorLocation_; }

    CMarkupNodeUI GetRoot();

  private:
    friend class CMarkupNodeUI;

    struct Element {
        uint32_t start = 0;   // name
        uint32_t child = 0;   // first child, 0 = none
        uint32_t next = 0;    // next sibling, 0 = none
        uint32_t parent = 0;  // 0 = top level
        uint32_t data = 0;    // text content
    };

    bool Parse(char16_t*& text, uint32_t parent, int depth);
    bool ParseElement(char16_t*& text, uint32_t parent, uint32_t& previous, int depth);
    bool ParseContent(char16_t*& text, uint32_t index, const char16_t* name, size_t nameLength,
                      int depth);
    bool ParseAttributes(char16_t*& text);
    bool ParseData(char16_t*& text, char16_t*& dest, char16_t end);
    void ParseEntity(char16_t*& text, char16_t*& dest);
    uint32_t ReserveElement();
    bool Fail(std::string_view message, const char16_t* location);

    const char16_t* At(uint32_t offset) const { return buffer_.data() + offset; }

    std::u16string buffer_;
    std::vector<Element> elements_;
    size_t elementCount_ = 0;
    bool preserveWhitespace_ = true;
    std::u16string errorMessage_;
    std::u16string errorLocation_;
};

}  // namespace uikit
