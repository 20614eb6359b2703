#pragma once

#include <algorithm>
#include <vector>

#include "uikit/draw/Geometry.h"

namespace uikit {

class CControlUI;

// One child of a vertical or horizontal layout on its way to a rectangle.
struct StackSlotUI {
    CControlUI* child = nullptr;
    Size limit;      // the width and height limits the child's size was asked for
    int length = 0;  // along the axis; 0 for a stretchable child
    bool stretch = false;
};

// The lengths along a stacking layout's axis: fixed lengths first, the rest shared by the
// stretchable children, the last of which takes whatever the others left.
class StackPlanUI {
  public:
    StackPlanUI(bool vertical, int childPadding) : vertical_(vertical), padding_(childPadding) {}

    void Add(const StackSlotUI& slot);

    // Measures every visible child that is not floating into the plan, in order, and hands the
    // floating ones (by index) to placeFloat. Returns the room the children need across the
    // axis: the widest limit plus its paddings.
    template <typename Measure, typename PlaceFloat>
    int AddChildren(const std::vector<CControlUI*>& children, Measure measure,
                    PlaceFloat placeFloat);
    const std::vector<StackSlotUI>& Slots() const { return slots_; }
    // One final length per slot, for the room `available` along the axis.
    std::vector<int> Lengths(int available) const;
    // Walks the slots along the axis from `start`, handing each child its start and length
    // (paddings and the gaps between children kept); returns the room they need along the axis.
    template <typename PlaceChild>
    int PlaceAlong(int start, const std::vector<int>& lengths, PlaceChild place) const;
    // The paddings of a child before and after it along the axis.
    int PadBefore(const CControlUI* child) const;
    int PadAfter(const CControlUI* child) const;

  private:
    bool Floats(const CControlUI* child) const;
    bool Hidden(const CControlUI* child) const;
    int CrossExtent(const StackSlotUI& slot) const;
    int Clamp(const CControlUI* child, int length) const;
    int FixedTotal() const;

    bool vertical_;
    int padding_;
    std::vector<StackSlotUI> slots_;
    int stretchCount_ = 0;
};

template <typename Measure, typename PlaceFloat>
int StackPlanUI::AddChildren(const std::vector<CControlUI*>& children, Measure measure,
                             PlaceFloat placeFloat) {
    int needed = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        CControlUI* child = children[i];
        if (Hidden(child)) {
            continue;
        }
        if (Floats(child)) {
            placeFloat(static_cast<int>(i));
            continue;
        }
        Add(measure(child));
        needed = std::max(needed, CrossExtent(slots_.back()));
    }
    return needed;
}

template <typename PlaceChild>
int StackPlanUI::PlaceAlong(int start, const std::vector<int>& lengths, PlaceChild place) const {
    int at = start;
    int needed = 0;
    for (size_t i = 0; i < lengths.size() && i < slots_.size(); ++i) {
        const StackSlotUI& slot = slots_[i];
        const int before = PadBefore(slot.child);
        const int after = PadAfter(slot.child);
        at += before;
        place(slot, at, lengths[i]);
        at += lengths[i] + after + padding_;
        needed += before + lengths[i] + after;
    }
    if (!lengths.empty()) {
        needed += padding_ * (static_cast<int>(lengths.size()) - 1);
    }
    return needed;
}

}  // namespace uikit
