#pragma once
// Linux key codes (the kernel's evdev numbering) to PC scan codes (set 1) with the extended
// flag, in the form the scan-code table (ScanCodes.h) uses. X11 and Wayland key codes are the
// evdev code plus 8. Kept as plain numbers in the portable library rather than in ui/qt/,
// because the headless realisation injects the same native codes in tests; it includes no
// system header.
//
// Right Shift and Num Lock follow the scan-code table (0x36 and 0x45, both extended), not
// the PC keyboard, so that they find their rows; Pause is 0x45 without the flag.
//
// Threads: constant data; any thread.
#include <cstdint>
#include <optional>

namespace ui {

// X11 and Wayland key codes are the evdev code plus this.
constexpr uint32_t kDesktopKeycodeOffset = 8;

struct PcScanCode {
    uint8_t scan = 0;
    bool extended = false;
};

// Nothing for codes without a PC scan code.
std::optional<PcScanCode> ScanFromLinuxKey(uint32_t evdevCode);
// The same for a desktop (X11, Wayland) key code; nothing below the offset.
std::optional<PcScanCode> ScanFromDesktopKeycode(uint32_t keycode);

}  // namespace ui
