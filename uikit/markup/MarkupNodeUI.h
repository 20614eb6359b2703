#pragma once

#include <cstdint>
#include <string_view>

namespace uikit {

class CMarkupDocUI;

// A handle to one element of a CMarkupDocUI. It is cheap to copy; the attributes are found in the
// document buffer on first use and cached here.
class CMarkupNodeUI {
  public:
    static constexpr int kMaxAttributes = 64;

    CMarkupNodeUI() = default;
    CMarkupNodeUI(CMarkupDocUI* doc, uint32_t index) : doc_(doc), index_(index) {}

    bool IsValid() const { return doc_ != nullptr; }

    CMarkupNodeUI GetParent() const;
    CMarkupNodeUI GetSibling() const;
    CMarkupNodeUI GetChild() const;
    CMarkupNodeUI GetChild(std::u16string_view name) const;  // exact name
    bool HasSiblings() const;
    bool HasChildren() const;

    std::u16string_view GetName() const;
    std::u16string_view GetValue() const;  // the element's text

    bool HasAttributes();
    bool HasAttribute(std::u16string_view name);
    int GetAttributeCount();
    std::u16string_view GetAttributeName(int index);
    std::u16string_view GetAttributeValue(int index);
    // Exact name; empty when absent.
    std::u16string_view GetAttributeValue(std::u16string_view name);

  private:
    struct Attribute {
        uint32_t name = 0;
        uint32_t value = 0;
    };

    void MapAttributes();

    CMarkupDocUI* doc_ = nullptr;
    uint32_t index_ = 0;
    bool mapped_ = false;
    int attributeCount_ = 0;
    Attribute attributes_[kMaxAttributes];
};

}  // namespace uikit
