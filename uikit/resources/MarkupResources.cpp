#include "uikit/resources/MarkupResources.h"

#include <map>

#include "common/CaseFold.h"
#include "uikit/markup/MarkupNodeUI.h"
#include "uikit/resources/AttributeSyntax.h"
#include "uikit/resources/ResourceTablesUI.h"

namespace uikit {

namespace {

// Visits each attribute of the element; later duplicates win, as in document order.
template <typename Visit>
void ForEachAttribute(CMarkupNodeUI& node, Visit visit) {
    const int count = node.GetAttributeCount();
    for (int i = 0; i < count; ++i) {
        visit(node.GetAttributeName(i), node.GetAttributeValue(i));
    }
}

void RegisterImage(CMarkupNodeUI& node, ResourceTablesUI& tables) {
    std::u16string name;
    std::u16string resType;
    uint32_t mask = 0;
    bool shared = false;
    ForEachAttribute(node, [&](std::u16string_view key, std::u16string_view value) {
        if (EqualsNoCase(key, u"name")) {
            name = value;
        } else if (EqualsNoCase(key, u"restype")) {
            resType = value;
        } else if (EqualsNoCase(key, u"mask")) {
            mask = ParseColor(value);
        } else if (EqualsNoCase(key, u"shared")) {
            shared = ParseBool(value);
        }
    });
    if (!name.empty()) {
        tables.AddImage(name, resType, mask, shared);
    }
}

void RegisterFont(CMarkupNodeUI& node, ResourceTablesUI& tables) {
    int id = -1;
    FontInfo info;
    bool isDefault = false;
    bool shared = false;
    ForEachAttribute(node, [&](std::u16string_view key, std::u16string_view value) {
        if (EqualsNoCase(key, u"id")) {
            id = ParseInt(value);
        } else if (EqualsNoCase(key, u"name")) {
            info.face = value;
        } else if (EqualsNoCase(key, u"size")) {
            info.size = ParseInt(value);
        } else if (EqualsNoCase(key, u"bold")) {
            info.bold = ParseBool(value);
        } else if (EqualsNoCase(key, u"underline")) {
            info.underline = ParseBool(value);
        } else if (EqualsNoCase(key, u"italic")) {
            info.italic = ParseBool(value);
        } else if (EqualsNoCase(key, u"default")) {
            isDefault = ParseBool(value);
        } else if (EqualsNoCase(key, u"shared")) {
            shared = ParseBool(value);
        }
    });
    // Without an id the element is ignored altogether, "default" included.
    if (id < 0 || info.face.empty()) {
        return;
    }
    tables.AddFont(id, info, shared);
    if (isDefault) {
        tables.SetDefaultFont(info, shared);
    }
}

void RegisterDefault(CMarkupNodeUI& node, ResourceTablesUI& tables) {
    std::u16string tag;
    std::u16string list;
    bool shared = false;
    ForEachAttribute(node, [&](std::u16string_view key, std::u16string_view value) {
        if (EqualsNoCase(key, u"name")) {
            tag = value;
        } else if (EqualsNoCase(key, u"value")) {
            list = value;
        } else if (EqualsNoCase(key, u"shared")) {
            shared = ParseBool(value);
        }
    });
    if (!tag.empty()) {
        tables.AddDefaultAttributeList(tag, list, shared);
    }
}

void RegisterLanguageText(CMarkupNodeUI& node) {
    int id = -1;
    std::u16string text;
    bool hasId = false;
    ForEachAttribute(node, [&](std::u16string_view key, std::u16string_view value) {
        if (EqualsNoCase(key, u"id")) {
            id = ParseInt(value);
            hasId = true;
        } else if (EqualsNoCase(key, u"value")) {
            text = value;
        }
    });
    if (hasId) {
        AddMultiLanguageText(id, text);
    }
}

std::map<int, std::u16string>& LanguageTable() {
    static auto* table = new std::map<int, std::u16string>();  // lives until the process ends
    return *table;
}

}  // namespace

void RegisterMarkupResources(CMarkupNodeUI root, ResourceTablesUI& tables) {
    for (CMarkupNodeUI node = root.GetChild(); node.IsValid(); node = node.GetSibling()) {
        const std::u16string_view tag = node.GetName();
        if (EqualsNoCase(tag, u"Image")) {
            RegisterImage(node, tables);
        } else if (EqualsNoCase(tag, u"Font")) {
            RegisterFont(node, tables);
        } else if (EqualsNoCase(tag, u"Default")) {
            RegisterDefault(node, tables);
        } else if (EqualsNoCase(tag, u"MultiLanguage")) {
            RegisterLanguageText(node);
        }
    }
}

std::u16string_view MultiLanguageText(int id) {
    const auto found = LanguageTable().find(id);
    return found == LanguageTable().end() ? std::u16string_view() : found->second;
}

void AddMultiLanguageText(int id, std::u16string_view text) {
    LanguageTable().insert_or_assign(id, std::u16string(text));
}

}  // namespace uikit
