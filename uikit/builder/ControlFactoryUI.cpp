#include "uikit/builder/ControlFactoryUI.h"

#include <algorithm>
#include <vector>

#include "common/CaseFold.h"
#include "uikit/controls/ButtonUI.h"
#include "uikit/controls/CheckBoxUI.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/controls/EditUI.h"
#include "uikit/controls/GifAnimUI.h"
#include "uikit/controls/LabelUI.h"
#include "uikit/controls/ListContainerElementUI.h"
#include "uikit/controls/ListUI.h"
#include "uikit/controls/OptionUI.h"
#include "uikit/controls/ScrollBarUI.h"
#include "uikit/controls/TextUI.h"
#include "uikit/layout/ChildLayoutUI.h"
#include "uikit/layout/HorizontalLayoutUI.h"
#include "uikit/layout/TabLayoutUI.h"
#include "uikit/layout/TileLayoutUI.h"
#include "uikit/layout/VerticalLayoutUI.h"

namespace uikit {

namespace {

struct TagEntry {
    std::u16string_view tag;
    CControlUI* (*make)();
    bool exactCase;
};

template <typename T>
CControlUI* Make() {
    return new T();
}

constexpr TagEntry kTags[] = {
    {u"Control", &Make<CControlUI>, false},
    {u"Container", &Make<CContainerUI>, false},
    {u"VerticalLayout", &Make<CVerticalLayoutUI>, false},
    {u"VBox", &Make<CVerticalLayoutUI>, false},
    {u"HorizontalLayout", &Make<CHorizontalLayoutUI>, false},
    {u"HBox", &Make<CHorizontalLayoutUI>, false},
    {u"TileLayout", &Make<CTileLayoutUI>, false},
    {u"TabLayout", &Make<CTabLayoutUI>, false},
    {u"ChildLayout", &Make<CChildLayoutUI>, false},
    {u"ScrollBar", &Make<CScrollBarUI>, false},
    {u"Label", &Make<CLabelUI>, false},
    {u"Text", &Make<CTextUI>, false},
    {u"Button", &Make<CButtonUI>, false},
    {u"Option", &Make<COptionUI>, false},
    {u"CheckBox", &Make<CCheckBoxUI>, false},
    {u"Edit", &Make<CEditUI>, false},
    {u"GifAnim", &Make<CGifAnimUI>, true},
    {u"List", &Make<CListUI>, false},
    {u"ListContainerElement", &Make<CListContainerElementUI>, false},
};

}  // namespace

CControlUI* CreateLibraryControl(std::u16string_view tag) {
    for (const TagEntry& entry : kTags) {
        const bool match = entry.exactCase ? tag == entry.tag : EqualsNoCase(tag, entry.tag);
        if (match) {
            return entry.make();
        }
    }
    return nullptr;
}

namespace {

std::vector<ControlFactoryUI>& PlugIns() {
    static std::vector<ControlFactoryUI> factories;
    return factories;
}

}  // namespace

void RegisterControlFactory(ControlFactoryUI factory) {
    if (factory != nullptr && std::ranges::find(PlugIns(), factory) == PlugIns().end()) {
        PlugIns().push_back(factory);
    }
}

void UnregisterControlFactory(ControlFactoryUI factory) {
    std::erase(PlugIns(), factory);
}

CControlUI* CreatePlugInControl(std::u16string_view tag) {
    for (ControlFactoryUI factory : PlugIns()) {
        if (CControlUI* control = factory(tag)) {
            return control;
        }
    }
    return nullptr;
}

}  // namespace uikit
