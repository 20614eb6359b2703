#include "uikit/builder/MarkupBuilderUI.h"

#include "common/CaseFold.h"
#include "uikit/builder/ControlFactoryUI.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/controls/IContainerUI.h"
#include "uikit/controls/IDialogBuilderCallback.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/resources/AttributeSyntax.h"
#include "uikit/resources/MarkupResources.h"

namespace uikit {

namespace {

bool IsResourceTag(std::u16string_view tag) {
    return EqualsNoCase(tag, u"Image") || EqualsNoCase(tag, u"Font") ||
           EqualsNoCase(tag, u"Default") || EqualsNoCase(tag, u"MultiLanguage");
}

// Attribute names of `Include` are compared without regard to case, like the resource tags.
bool FindAttribute(CMarkupNodeUI& node, std::u16string_view name, std::u16string_view& value) {
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
        if (EqualsNoCase(node.GetAttributeName(i), name)) {
            value = node.GetAttributeValue(i);
            return true;
        }
    }
    return false;
}

}  // namespace

CControlUI* CMarkupBuilderUI::Create(std::u16string_view source, std::u16string_view type,
                                     IDialogBuilderCallback* callback, CWindowManagerUI* manager,
                                     CControlUI* parent) {
    callback_ = callback;
    type_ = type;
    if (!Load(source, manager)) {
        return nullptr;
    }
    CMarkupNodeUI root = doc_.GetRoot();
    if (!root.IsValid()) {
        return nullptr;
    }
    if (manager != nullptr) {
        RegisterMarkupResources(root, manager->Resources());
        ApplyWindowAttributes(root, manager);
    }
    return Parse(root, parent, manager);
}

bool CMarkupBuilderUI::Load(std::u16string_view source, CWindowManagerUI* manager) {
    if (!source.empty() && source.front() == u'<') {
        return doc_.Load(source);
    }
    const SkinArchive& archive = manager != nullptr ? manager->Archive() : SkinArchive::Instance();
    return doc_.LoadFromFile(source, archive);
}

void CMarkupBuilderUI::ApplyWindowAttributes(CMarkupNodeUI root, CWindowManagerUI* manager) {
    if (!EqualsNoCase(root.GetName(), u"Window") || !manager->HasWindow()) {
        return;
    }
    for (int i = 0; i < root.GetAttributeCount(); ++i) {
        manager->SetWindowAttribute(root.GetAttributeName(i), root.GetAttributeValue(i));
    }
}

CControlUI* CMarkupBuilderUI::MakeControl(std::u16string_view tag) {
    if (CControlUI* control = CreateLibraryControl(tag)) {
        return control;
    }
    if (CControlUI* control = CreatePlugInControl(tag)) {
        return control;
    }
    return callback_ != nullptr ? callback_->CreateControl(tag) : nullptr;
}

CControlUI* CMarkupBuilderUI::BuildInclude(CMarkupNodeUI node, CControlUI* parent,
                                           CWindowManagerUI* manager) {
    std::u16string_view value;
    if (!FindAttribute(node, u"source", value) || depth_ >= kMaxIncludeDepth) {
        return nullptr;
    }
    const std::u16string source(value.substr(0, kMaxIncludeSource));
    int count = 1;
    if (FindAttribute(node, u"count", value)) {
        count = ParseInt(value);
    }
    CControlUI* first = nullptr;
    for (int i = 0; i < count; ++i) {
        CMarkupBuilderUI included;
        included.depth_ = depth_ + 1;
        first = Keep(first, included.Create(source, type_, callback_, manager, parent), parent);
    }
    return first;
}

void CMarkupBuilderUI::ApplyAttributes(CMarkupNodeUI node, CControlUI* control, CControlUI* parent,
                                       CWindowManagerUI* manager) {
    // Attached for the attributes only: defaults and image lookups need the window's tables.
    // The control joins the window for real when the built tree is attached, unless it went
    // into a container already in the window.
    CWindowManagerUI* joined = control->GetManager();
    control->SetManager(manager, joined != nullptr ? parent : nullptr, false);
    const std::u16string_view defaults = manager->GetDefaultAttributeList(node.GetName());
    if (!defaults.empty()) {
        control->ApplyAttributeList(defaults);
    }
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
        control->SetAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
    }
    if (joined == nullptr) {
        control->SetManager(nullptr, parent, false);
    }
}

CControlUI* CMarkupBuilderUI::Keep(CControlUI* first, CControlUI* built, CControlUI* parent) {
    if (first == nullptr) {
        return built;
    }
    // Without a parent only the first top-level control is handed back; a later one would have
    // no owner at all.
    if (parent == nullptr) {
        delete built;
    }
    return first;
}

CControlUI* CMarkupBuilderUI::Parse(CMarkupNodeUI parentNode, CControlUI* parent,
                                    CWindowManagerUI* manager) {
    CControlUI* first = nullptr;
    for (CMarkupNodeUI node = parentNode.GetChild(); node.IsValid(); node = node.GetSibling()) {
        const std::u16string_view tag = node.GetName();
        if (IsResourceTag(tag)) {
            continue;
        }
        if (EqualsNoCase(tag, u"Include")) {
            first = Keep(first, BuildInclude(node, parent, manager), parent);
            continue;
        }
        CControlUI* control = MakeControl(tag);
        if (control == nullptr) {
            continue;  // unknown: skipped with its subtree
        }
        if (node.HasChildren()) {
            Parse(node, control, manager);
        }
        if (parent != nullptr) {
            if (node.GetAttributeValue(u"cover") == u"true") {
                parent->SetCover(control);
            } else {
                auto* container = static_cast<IContainerUI*>(parent->GetInterface(u"IContainer"));
                if (container == nullptr) {
                    delete control;
                    return nullptr;
                }
                if (!container->Add(control)) {
                    delete control;
                    continue;
                }
            }
        }
        if (manager != nullptr) {
            ApplyAttributes(node, control, parent, manager);
        }
        first = Keep(first, control, parent);
    }
    return first;
}

}  // namespace uikit
