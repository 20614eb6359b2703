#pragma once

#include <string>
#include <string_view>

#include "uikit/markup/MarkupDocUI.h"
#include "uikit/markup/MarkupNodeUI.h"

namespace uikit {

class CControlUI;
class CWindowManagerUI;
class IDialogBuilderCallback;
class SkinArchive;

// Turns a markup file (or markup text starting with "<") into controls: registers the root's
// resources with the window manager, hands it the `Window` attributes, and builds the children,
// each before its parent's attributes are applied.
class CMarkupBuilderUI {
  public:
    // Includes nest at most this deep; a file that includes itself would otherwise never end.
    static constexpr int kMaxIncludeDepth = 16;
    static constexpr size_t kMaxIncludeSource = 499;

    CMarkupBuilderUI() = default;
    CMarkupBuilderUI(const CMarkupBuilderUI&) = delete;
    CMarkupBuilderUI& operator=(const CMarkupBuilderUI&) = delete;

    // The first control built at the top level; null on failure.
    CControlUI* Create(std::u16string_view source, std::u16string_view type = {},
                       IDialogBuilderCallback* callback = nullptr,
                       CWindowManagerUI* manager = nullptr, CControlUI* parent = nullptr);

    CMarkupDocUI& GetMarkup() { return doc_; }
    std::u16string_view GetLastErrorMessage() const { return doc_.GetLastErrorMessage(); }
    std::u16string_view GetLastErrorLocation() const { return doc_.GetLastErrorLocation(); }

  private:
    bool Load(std::u16string_view source, CWindowManagerUI* manager);
    void ApplyWindowAttributes(CMarkupNodeUI root, CWindowManagerUI* manager);
    CControlUI* Parse(CMarkupNodeUI parentNode, CControlUI* parent, CWindowManagerUI* manager);
    CControlUI* BuildInclude(CMarkupNodeUI node, CControlUI* parent, CWindowManagerUI* manager);
    CControlUI* MakeControl(std::u16string_view tag);
    static CControlUI* Keep(CControlUI* first, CControlUI* built, CControlUI* parent);
    void ApplyAttributes(CMarkupNodeUI node, CControlUI* control, CControlUI* parent,
                         CWindowManagerUI* manager);

    CMarkupDocUI doc_;
    IDialogBuilderCallback* callback_ = nullptr;
    std::u16string type_;
    int depth_ = 0;
};

}  // namespace uikit
