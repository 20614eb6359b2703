#pragma once

#include <functional>

#include "uikit/controls/LabelUI.h"

namespace uikit {

// A single-line text box. Read-only boxes (the skin's use) still let the user select text with
// the mouse and copy it; editable ones take characters and report "textchanged" and "return".
class CEditUI : public CLabelUI {
  public:
    // Where copied text goes; the platform layer points it at the system clipboard.
    using ClipboardWriter = std::function<void(std::u16string_view)>;
    static void SetClipboardWriter(ClipboardWriter writer);

    CEditUI();

    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    unsigned GetControlFlags() const override;
    void SetText(std::u16string_view text) override;
    void DoEvent(EventRecordUI& event) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void PaintBkColor(cairo_t* cr) override;
    void PaintText(cairo_t* cr) override;

    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    void SetMaxChar(int maxChar) { maxChar_ = maxChar; }
    // Selection as character offsets; start may be after end when selected backwards.
    void SetSel(int start, int end);
    void SetSelAll() { SetSel(0, static_cast<int>(text_.size())); }
    std::u16string GetSelText() const;
    // False when nothing is selected or no clipboard is connected.
    bool Copy() const;
    // The character offset nearest to a window x coordinate.
    int OffsetAt(int x) const;

  private:
    std::u16string ShownText() const;
    Rect TextRect() const;
    int TextStart() const;
    int WidthOf(size_t characters) const;
    void Type(char16_t ch);
    bool HandleKey(const EventRecordUI& event);

    bool readOnly_ = false;
    bool numberOnly_ = false;
    bool password_ = false;
    char16_t passwordChar_ = u'*';
    int maxChar_ = 255;
    uint32_t nativeBkColor_ = 0;
    int selStart_ = 0;
    int selEnd_ = 0;
    bool selecting_ = false;
};

}  // namespace uikit
