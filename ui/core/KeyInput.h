#pragma once
// Key input as the whole process sees it: the codes of a key event completed from the
// scan-code and Linux key tables, and the process-wide input observers that see every
// window's key events and mouse button events before the window and its controls do, and
// may withhold them (what the key capture and the macro recorder need).
//
// Threads: window thread only (checked in debug builds).
#include "ui/core/Backend.h"
#include "ui/core/UIDefs.h"

namespace ui {

class InputObserver {
  public:
    virtual ~InputObserver() = default;
    // Every key press and release of every window of the process, codes completed. True
    // consumes the event: neither the window nor its controls see it, nor the text it types.
    virtual bool OnKeyInput(HWND window, const KeyEvent& key) = 0;
    // Every mouse button press, release and double click of every window of the process
    // (action Down, Up or DoubleClick), with the pointer's screen position. True consumes it.
    virtual bool OnMouseInput(HWND /*window*/, const MouseEvent& /*event*/, Point /*screenPos*/) {
        return false;
    }
};

// The observer registered last is asked first. Registering an observer twice has no effect;
// an observer may unregister itself or others while it is being called. An observer must be
// unregistered before it is destroyed.
void RegisterInputObserver(InputObserver* observer);
void UnregisterInputObserver(InputObserver* observer);

namespace detail {
// Fills scan code and extended flag (from the native code, else from the virtual key's first
// row), the table code, and a missing virtual key from the table code.
void ResolveKeyCodes(KeyEvent& key);
// Asks the observers; true when one consumed the event.
bool DispatchKeyInput(HWND window, const KeyEvent& key);
bool DispatchMouseInput(HWND window, const MouseEvent& event, Point screenPos);
}  // namespace detail

}  // namespace ui
