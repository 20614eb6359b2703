#include "uikit/controls/GifAnimUI.h"

#include "uikit/image/ImagePainter.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

std::u16string_view CGifAnimUI::GetClass() const {
    return u"GifAnimUI";
}

void* CGifAnimUI::GetInterface(std::u16string_view name) {
    return name == u"GifAnim" ? this : CControlUI::GetInterface(name);
}

void CGifAnimUI::DoInit() {
    if (autoPlay_) {
        PlayGif();
    }
}

void CGifAnimUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
    visible ? PlayGif() : StopGif();
}

void CGifAnimUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    visible ? PlayGif() : StopGif();
}

void CGifAnimUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"bkimage") {
        SetBkImage(value);
    } else if (name == u"autoplay") {
        autoPlay_ = ParseBool(value);
    } else if (name == u"autosize") {
        autoSize_ = ParseBool(value);
        ApplyAutoSize();
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CGifAnimUI::SetBkImage(std::u16string_view image) {
    if (image == imageName_) {
        return;
    }
    StopGif();
    imageName_ = image;
    animation_ = GifAnimation{};
    loaded_ = false;
    frame_ = 0;
    Load();
    Invalidate();
    if (autoPlay_) {
        PlayGif();
    }
}

void CGifAnimUI::Load() {
    if (loaded_ || imageName_.empty() || manager_ == nullptr) {
        return;
    }
    loaded_ = true;
    animation_ = LoadGifAnimation(imageName_, manager_->Archive());
    ApplyAutoSize();
}

void CGifAnimUI::ApplyAutoSize() {
    if (autoSize_ && !animation_.frames.empty()) {
        SetFixedWidth(animation_.width);
        SetFixedHeight(animation_.height);
    }
}

int CGifAnimUI::DelayOf(int frame) const {
    if (frame < 0 || static_cast<size_t>(frame) >= animation_.delaysMs.size()) {
        return kDefaultDelayMs;
    }
    const int delay = animation_.delaysMs[static_cast<size_t>(frame)];
    return delay > 0 ? delay : kDefaultDelayMs;
}

void CGifAnimUI::PlayGif() {
    if (manager_ == nullptr || !IsVisible()) {
        return;
    }
    Load();
    if (animation_.frames.size() < 2) {
        return;
    }
    manager_->KillTimer(this, kTimerId);
    manager_->SetTimer(this, kTimerId, DelayOf(frame_));
}

void CGifAnimUI::PauseGif() {
    if (manager_ != nullptr) {
        manager_->KillTimer(this, kTimerId);
    }
}

void CGifAnimUI::StopGif() {
    PauseGif();
    frame_ = 0;
    Invalidate();
}

void CGifAnimUI::DoEvent(EventRecordUI& event) {
    if (event.type != UIEVENT_TIMER || event.wParam != kTimerId) {
        CControlUI::DoEvent(event);
        return;
    }
    if (animation_.frames.empty()) {
        return;
    }
    frame_ = (frame_ + 1) % GetFrameCount();
    Invalidate();
    manager_->KillTimer(this, kTimerId);
    manager_->SetTimer(this, kTimerId, DelayOf(frame_));
}

void CGifAnimUI::PaintBkImage(cairo_t* cr) {
    if (animation_.frames.empty()) {
        return;
    }
    const ImageData& image = *animation_.frames[static_cast<size_t>(frame_)];
    ImagePlacement placement;
    placement.dest = rcItem_;
    placement.source = Rect{0, 0, image.width, image.height};
    DrawImagePart(cr, image, placement, PaintRect());
}

}  // namespace uikit
