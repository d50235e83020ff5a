#pragma once
// The stacking rule shared by the vertical and horizontal layouts: children with a fixed
// size along the axis get it, the others share what is left (within their min/max), and
// across the axis a child fills the content width unless it has a fixed one.
#include <vector>

#include "ui/core/ControlUI.h"

namespace ui {

struct LinearLayoutResult {
    int requiredMain = 0;   // along the axis, with paddings (for scrolling)
    int requiredCross = 0;  // largest child across the axis
};

// Places the visible, non-floating children in content (offset by scroll along the axis).
// align is the cross-axis alignment (kTextLeft/kTextCenter/kTextRight, or for a horizontal
// layout kTextLeft(top)/kTextVCenter/kTextBottom).
LinearLayoutResult LayoutLinear(const std::vector<CControlUI*>& children, const RECT& content,
                                bool vertical, int childPadding, UINT align, int scrollMain,
                                int scrollCross);

}  // namespace ui
