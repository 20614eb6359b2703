#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "uikit/controls/EventRecordUI.h"
#include "uikit/controls/ImageAttributeUI.h"
#include "uikit/controls/NotifyRecordUI.h"
#include "uikit/draw/Geometry.h"

typedef struct _cairo cairo_t;

namespace uikit {

class CWindowManagerUI;

// Float percentages: fractions of the parent's width and height added to each edge of a
// floating child.
struct FloatPercentUI {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Flags of FindControl: which controls a search may stop at.
namespace FindFlags {
inline constexpr unsigned kAll = 0x0;
inline constexpr unsigned kVisible = 0x1;
inline constexpr unsigned kEnabled = 0x2;
inline constexpr unsigned kHitTest = 0x4;
inline constexpr unsigned kTopFirst = 0x8;
inline constexpr unsigned kMe = 0x80000000;
}  // namespace FindFlags

// The control flag of a control that shows its own cursor.
inline constexpr unsigned kControlFlagSetCursor = 0x2;

// The base of every control: attributes, position, state and paint order. A control belongs to
// at most one window manager and one parent; containers own their children.
class CControlUI {
  public:
    using FindVisitor = std::function<CControlUI*(CControlUI*, const void*)>;
    using EventDelegate = std::function<bool(EventRecordUI&)>;
    using NotifyDelegate = std::function<bool(NotifyRecordUI&)>;

    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    virtual void Delete();
    virtual std::u16string_view GetName() const { return name_; }
    virtual void SetName(std::u16string_view name);
    virtual std::u16string_view GetClass() const;
    virtual void* GetInterface(std::u16string_view name);
    virtual unsigned GetControlFlags() const { return 0; }
    virtual bool Activate();
    virtual CWindowManagerUI* GetManager() const { return manager_; }
    virtual void SetManager(CWindowManagerUI* manager, CControlUI* parent, bool init);
    virtual CControlUI* GetParent() const { return parent_; }
    virtual CControlUI* GetCover() const { return cover_; }
    virtual void SetCover(CControlUI* cover);
    virtual std::u16string_view GetText() const { return text_; }
    virtual void SetText(std::u16string_view text);

    // Position: the item rectangle is absolute, in window client coordinates.
    virtual const Rect& GetPos() const { return rcItem_; }
    virtual Rect GetRelativePos() const;
    virtual Rect GetClientPos() const { return rcItem_; }
    virtual void SetPos(Rect rc, bool needInvalidate = true);
    virtual void Move(Size offset, bool needInvalidate = true);
    virtual int GetWidth() const { return rcItem_.Width(); }
    virtual int GetHeight() const { return rcItem_.Height(); }
    virtual int GetX() const { return rcItem_.left; }
    virtual int GetY() const { return rcItem_.top; }
    virtual Rect GetPadding() const { return rcPadding_; }
    virtual void SetPadding(Rect padding);
    virtual Point GetFixedXY() const { return fixedXY_; }
    virtual void SetFixedXY(Point xy);
    virtual FloatPercentUI GetFloatPercent() const { return floatPercent_; }
    virtual void SetFloatPercent(FloatPercentUI percent);
    virtual int GetFixedWidth() const { return fixedSize_.cx; }
    virtual void SetFixedWidth(int cx);
    virtual int GetFixedHeight() const { return fixedSize_.cy; }
    virtual void SetFixedHeight(int cy);
    virtual int GetMinWidth() const { return minSize_.cx; }
    virtual void SetMinWidth(int cx);
    virtual int GetMaxWidth() const;
    virtual void SetMaxWidth(int cx);
    virtual int GetMinHeight() const { return minSize_.cy; }
    virtual void SetMinHeight(int cy);
    virtual int GetMaxHeight() const;
    virtual void SetMaxHeight(int cy);

    virtual std::u16string_view GetToolTip() const { return toolTip_; }
    virtual void SetToolTip(std::u16string_view text);
    virtual void SetToolTipWidth(int width);
    virtual int GetToolTipWidth() const { return toolTipWidth_; }
    virtual std::u16string_view GetCursor() const { return cursor_; }
    virtual void SetCursor(std::u16string_view cursor) { cursor_ = cursor; }
    virtual bool IsContextMenuUsed() const { return menuUsed_; }
    virtual void SetContextMenuUsed(bool used) { menuUsed_ = used; }
    virtual std::u16string_view GetUserData() const { return userData_; }
    virtual void SetUserData(std::u16string_view data) { userData_ = data; }
    virtual uintptr_t GetTag() const { return tag_; }
    virtual void SetTag(uintptr_t tag) { tag_ = tag; }

    virtual bool IsVisible() const { return visible_ && internVisible_; }
    virtual void SetVisible(bool visible = true);
    virtual void SetInternVisible(bool visible = true);
    virtual bool IsEnabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled = true);
    virtual bool IsMouseEnabled() const { return mouseEnabled_; }
    virtual void SetMouseEnabled(bool enabled = true) { mouseEnabled_ = enabled; }
    virtual bool IsKeyboardEnabled() const { return keyboardEnabled_; }
    virtual void SetKeyboardEnabled(bool enabled = true) { keyboardEnabled_ = enabled; }
    virtual bool IsFocused() const { return focused_; }
    virtual void SetFocus();
    virtual bool IsFloat() const { return float_; }
    virtual void SetFloat(bool isFloat = true);

    virtual CControlUI* FindControl(const FindVisitor& visitor, const void* data, unsigned flags);

    virtual void Init();
    virtual void DoInit() {}
    virtual void Event(EventRecordUI& event);
    virtual void DoEvent(EventRecordUI& event);

    virtual std::u16string GetAttribute(std::u16string_view /*name*/) const { return {}; }
    virtual void SetAttribute(std::u16string_view name, std::u16string_view value);
    virtual std::u16string GetAttributeList() const { return {}; }
    virtual void ApplyAttributeList(std::u16string_view list);

    virtual Size EstimateSize(Size available);

    // Paint order: background colour, background image, state images, text, border.
    virtual bool Paint(cairo_t* cr, const Rect& paint, CControlUI* stopControl = nullptr);
    virtual bool DoPaint(cairo_t* cr, const Rect& paint, CControlUI* stopControl);
    virtual void PaintBkColor(cairo_t* cr);
    virtual void PaintBkImage(cairo_t* cr);
    virtual void PaintStatusImage(cairo_t* cr) { (void)cr; }
    virtual void PaintText(cairo_t* cr) { (void)cr; }
    virtual void PaintBorder(cairo_t* cr);
    virtual void DoPostPaint(cairo_t* cr, const Rect& paint) { (void)cr, (void)paint; }

    // Non-virtual helpers the program and the containers use.
    void Invalidate();
    bool IsUpdateNeeded() const { return updateNeeded_; }
    void NeedUpdate();
    void NeedParentUpdate();
    void ClearUpdateNeeded() { updateNeeded_ = false; }
    // The parent placing a floating child: the fixed position it was placed from stays as it is.
    void SetPosByParent(const Rect& rc);
    uint32_t GetBkColor() const { return bkColor_; }
    void SetBkColor(uint32_t color);
    uint32_t GetBkColor2() const { return bkColor2_; }
    uint32_t GetBkColor3() const { return bkColor3_; }
    uint32_t GetBorderColor() const { return borderColor_; }
    void SetBorderColor(uint32_t color);
    int GetBorderSize() const { return borderSize_; }
    void SetBorderSize(int size);
    std::u16string_view GetBkImage() const { return bkImage_.Value(); }
    virtual void SetBkImage(std::u16string_view image);
    // Attributes no control recognised, kept as written (names are case-sensitive).
    std::u16string_view GetCustomAttribute(std::u16string_view name) const;
    void AddCustomAttribute(std::u16string_view name, std::u16string_view value);
    bool HasCustomAttribute(std::u16string_view name) const;
    char16_t GetShortcut() const { return shortcut_; }

    std::vector<EventDelegate> OnEvent;
    std::vector<NotifyDelegate> OnNotify;

  protected:
    // Sends a notification through the manager; does nothing outside a window.
    void SendNotify(std::u16string_view type, uintptr_t wParam = 0, intptr_t lParam = 0,
                    bool async = false);
    // Draws an image attribute in this control's rectangle.
    bool DrawImage(cairo_t* cr, ImageAttributeUI& image);
    bool DrawImage(cairo_t* cr, ImageAttributeUI& image, const Rect& item);
    const Rect& PaintRect() const { return rcPaint_; }
    void ApplyBorderSize(std::u16string_view value);

    CWindowManagerUI* manager_ = nullptr;
    CControlUI* parent_ = nullptr;
    CControlUI* cover_ = nullptr;
    std::u16string name_;
    std::u16string text_;
    std::u16string toolTip_;
    std::u16string userData_;
    std::u16string cursor_;
    uintptr_t tag_ = 0;
    int toolTipWidth_ = 300;
    Rect rcItem_;
    Rect rcPadding_;
    Rect rcPaint_;
    Point fixedXY_;
    Size fixedSize_;
    Size minSize_;
    Size maxSize_{9999, 9999};
    FloatPercentUI floatPercent_;
    bool float_ = false;
    bool visible_ = true;
    bool internVisible_ = true;
    bool enabled_ = true;
    bool mouseEnabled_ = true;
    bool keyboardEnabled_ = true;
    bool focused_ = false;
    bool menuUsed_ = false;
    bool updateNeeded_ = true;
    bool placedByParent_ = false;
    uint32_t bkColor_ = 0;
    uint32_t bkColor2_ = 0;
    uint32_t bkColor3_ = 0;
    uint32_t borderColor_ = 0;
    uint32_t focusBorderColor_ = 0;
    int borderSize_ = 0;
    Rect borderSizes_;  // per side, used when set
    Size borderRound_;
    int borderStyle_ = 0;
    ImageAttributeUI bkImage_;
    char16_t shortcut_ = 0;
    std::map<std::u16string, std::u16string, std::less<>> customAttributes_;
};

}  // namespace uikit
