#include "uikit/markup/MarkupNodeUI.h"

#include "uikit/markup/MarkupDocUI.h"

namespace uikit {

CMarkupNodeUI CMarkupNodeUI::GetParent() const {
    if (!doc_) {
        return {};
    }
    const uint32_t parent = doc_->elements_[index_].parent;
    return parent == 0 ? CMarkupNodeUI() : CMarkupNodeUI(doc_, parent);
}

CMarkupNodeUI CMarkupNodeUI::GetSibling() const {
    if (!doc_) {
        return {};
    }
    const uint32_t next = doc_->elements_[index_].next;
    return next == 0 ? CMarkupNodeUI() : CMarkupNodeUI(doc_, next);
}

CMarkupNodeUI CMarkupNodeUI::GetChild() const {
    if (!doc_) {
        return {};
    }
    const uint32_t child = doc_->elements_[index_].child;
    return child == 0 ? CMarkupNodeUI() : CMarkupNodeUI(doc_, child);
}

CMarkupNodeUI CMarkupNodeUI::GetChild(std::u16string_view name) const {
    for (CMarkupNodeUI child = GetChild(); child.IsValid(); child = child.GetSibling()) {
        if (child.GetName() == name) {
            return child;
        }
    }
    return {};
}

bool CMarkupNodeUI::HasSiblings() const {
    return doc_ && doc_->elements_[index_].next != 0;
}

bool CMarkupNodeUI::HasChildren() const {
    return doc_ && doc_->elements_[index_].child != 0;
}

std::u16string_view CMarkupNodeUI::GetName() const {
    if (!doc_) {
        return {};
    }
    return std::u16string_view(doc_->At(doc_->elements_[index_].start));
}

std::u16string_view CMarkupNodeUI::GetValue() const {
    if (!doc_) {
        return {};
    }
    return std::u16string_view(doc_->At(doc_->elements_[index_].data));
}

bool CMarkupNodeUI::HasAttributes() {
    return GetAttributeCount() > 0;
}

bool CMarkupNodeUI::HasAttribute(std::u16string_view name) {
    MapAttributes();
    for (int i = 0; i < attributeCount_; ++i) {
        if (GetAttributeName(i) == name) {
            return true;
        }
    }
    return false;
}

int CMarkupNodeUI::GetAttributeCount() {
    MapAttributes();
    return attributeCount_;
}

std::u16string_view CMarkupNodeUI::GetAttributeName(int index) {
    MapAttributes();
    if (index < 0 || index >= attributeCount_) {
        return {};
    }
    return std::u16string_view(doc_->At(attributes_[index].name));
}

std::u16string_view CMarkupNodeUI::GetAttributeValue(int index) {
    MapAttributes();
    if (index < 0 || index >= attributeCount_) {
        return {};
    }
    return std::u16string_view(doc_->At(attributes_[index].value));
}

std::u16string_view CMarkupNodeUI::GetAttributeValue(std::u16string_view name) {
    MapAttributes();
    for (int i = 0; i < attributeCount_; ++i) {
        if (GetAttributeName(i) == name) {
            return GetAttributeValue(i);
        }
    }
    return {};
}

// Walks the attribute area between the element's name and its content, relying on the layout
// the parser leaves there (see CMarkupDocUI::ParseAttributes).
void CMarkupNodeUI::MapAttributes() {
    if (mapped_ || !doc_) {
        return;
    }
    mapped_ = true;
    const char16_t* base = doc_->buffer_.data();
    const auto& element = doc_->elements_[index_];
    const char16_t* p = base + element.start;
    const char16_t* end = base + element.data;
    while (p < end && *p != 0) {
        ++p;  // the element's name
    }
    while (attributeCount_ < kMaxAttributes) {
        while (p < end && *p <= u' ') {
            ++p;
        }
        if (p >= end || *p == u'>' || *p == u'/') {
            return;
        }
        const char16_t* name = *p == u'"' ? p - 1 : p;  // an empty name is the terminator before
        while (*p != 0 && *p != u'"') {
            ++p;
        }
        while (p < end && *p == 0) {
            ++p;
        }
        if (p >= end || *p != u'"') {
            return;
        }
        const char16_t* value = p + 1;
        p = value;
        while (*p != 0) {
            ++p;
        }
        attributes_[attributeCount_++] = {static_cast<uint32_t>(name - base),
                                          static_cast<uint32_t>(value - base)};
    }
}

}  // namespace uikit
