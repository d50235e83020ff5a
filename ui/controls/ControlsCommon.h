#pragma once
// Small helpers shared by the input controls (edit, combo, list, scroll bar, slider,
// palette): drawing an image description into one part of a control, and reading the
// modifier keys of an event.
#include <string>

#include "ui/core/ControlUI.h"

namespace ui {

// The modifier that places an image description at part (window pixels) inside item.
std::string DestModify(const Rect& part, const Rect& item);

// Draws image into part of control; false when there is no image or it could not be drawn.
bool DrawPartImage(CControlUI& control, RenderTarget& target, const std::string& image,
                   const Rect& part);

// Key messages carry no modifier state of their own: the modifier keys' own presses and
// releases, and the state mouse messages carry, keep track of what is held.
void NoteModifierKeys(const TEventUI& event);
// Modifier keys held during an event (MK_ bits): the event's, the manager's and the tracked.
UINT EventKeyState(const CControlUI& control, const TEventUI& event);
inline bool IsCtrlHeld(UINT keys) {
    return (keys & MK_CONTROL) != 0;
}
inline bool IsShiftHeld(UINT keys) {
    return (keys & MK_SHIFT) != 0;
}

// A colour with its alpha scaled by opacity/255 (hover and disabled looks).
Color WithOpacity(Color color, int opacity);

}  // namespace ui
