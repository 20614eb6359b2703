#pragma once

#include "uikit/controls/ControlUI.h"
#include "uikit/image/GifFrames.h"

namespace uikit {

// Plays an animated image: each tick of its timer shows the next frame and re-arms the timer
// with that frame's delay. Showing the control plays, hiding it stops.
class CGifAnimUI : public CControlUI {
  public:
    static constexpr int kTimerId = 100;
    static constexpr int kDefaultDelayMs = 100;

    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    void DoInit() override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void DoEvent(EventRecordUI& event) override;
    void PaintBkImage(cairo_t* cr) override;
    // A new name loads the animation; the same name again does nothing.
    void SetBkImage(std::u16string_view image) override;

    void PlayGif();
    void PauseGif();
    void StopGif();
    bool IsAutoPlay() const { return autoPlay_; }
    int GetFrameCount() const { return static_cast<int>(animation_.frames.size()); }
    int GetCurrentFrame() const { return frame_; }

  private:
    void Load();
    void ApplyAutoSize();
    int DelayOf(int frame) const;

    GifAnimation animation_;
    std::u16string imageName_;
    bool loaded_ = false;
    int frame_ = 0;
    bool autoPlay_ = true;
    bool autoSize_ = false;
};

}  // namespace uikit
