#pragma once
// The records the desktop-wide and scripted hooks report, made from what their sources give:
// a key by its PC scan code, a kernel input event (evdev numbering), a mouse button by its
// window message. Pure functions; the pointer position comes from the caller.
//
// Threads: any (no state).
#include <cstdint>
#include <optional>

#include "platform/InputHook.h"

namespace panels::hook {

// One event of a hook: a key (message 0x100/0x101 and key) or a mouse button (message
// 0x201-0x20C and mouse).
struct HookInputEvent {
    bool isMouse = false;
    uint32_t message = 0;
    platform::HookKeyboardRecord key;
    platform::HookMouseRecord mouse;
};

// A key by its scan code and extended flag: the virtual-key code from the scan-code table
// (0 for a code outside it), message 0x100 or 0x101.
HookInputEvent MakeScanKeyEvent(uint32_t scan, bool extended, bool down, uint32_t timeMs);

// A mouse button message (0x201-0x20C) at a screen position; X buttons take xButton (1, 2).
// Nothing for another message or an X message without X button 1 or 2.
std::optional<HookInputEvent> MakeButtonEvent(uint32_t message, uint32_t xButton, int32_t x,
                                              int32_t y, uint32_t timeMs);

// A kernel input event: EV_KEY keys with a PC scan code (press and auto-repeat 0x100, release
// 0x101) and the left, right, middle, side/back (X button 1) and extra/forward (X button 2)
// buttons; nothing for anything else.
std::optional<HookInputEvent> TranslateEvdevEvent(uint16_t type, uint16_t code, int32_t value,
                                                  int32_t cursorX, int32_t cursorY,
                                                  uint32_t timeMs);

}  // namespace panels::hook
