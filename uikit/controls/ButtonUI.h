#pragma once

#include "uikit/controls/LabelUI.h"

namespace uikit {

// A label that can be pressed: "click" when released inside, or Space/Return while focused.
class CButtonUI : public CLabelUI {
  public:
    CButtonUI();

    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    unsigned GetControlFlags() const override;
    bool Activate() override;
    void SetEnabled(bool enabled = true) override;
    void DoEvent(EventRecordUI& event) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void PaintBkColor(cairo_t* cr) override;
    void PaintStatusImage(cairo_t* cr) override;
    void PaintText(cairo_t* cr) override;

    // The hot image fades in and out by this much per step of the local timer.
    static constexpr int kFadeTimerId = 11;
    static constexpr int kFadePeriodMs = 30;
    int GetFadeDelta() const { return fadeDelta_; }
    int GetFadeAlpha() const { return fadeAlpha_; }

    bool IsHot() const { return hot_; }
    bool IsPushed() const { return pushed_; }
    bool IsCaptured() const { return captured_; }
    uint32_t GetHotBkColor() const { return hotBkColor_; }
    uint32_t GetHotTextColor() const { return hotTextColor_; }
    uint32_t GetPushedTextColor() const { return pushedTextColor_; }

  protected:
    // The state images shared with options: false when nothing was drawn for the state.
    bool PaintButtonImages(cairo_t* cr);
    void StartFade(bool in);
    void StepFade();
    void PaintForeImages(cairo_t* cr);

    bool hot_ = false;
    bool pushed_ = false;
    bool captured_ = false;
    uint32_t hotBkColor_ = 0;
    uint32_t hotTextColor_ = 0;
    uint32_t pushedTextColor_ = 0;
    uint32_t focusedTextColor_ = 0;
    int fadeDelta_ = 0;
    int fadeAlpha_ = 0;
    bool fadingIn_ = false;
    ImageAttributeUI normalImage_;
    ImageAttributeUI hotImage_;
    ImageAttributeUI pushedImage_;
    ImageAttributeUI focusedImage_;
    ImageAttributeUI disabledImage_;
    ImageAttributeUI foreImage_;
    ImageAttributeUI hotForeImage_;
};

}  // namespace uikit
