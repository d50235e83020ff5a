#pragma once
// The messages device objects send to the main window (numbers the system fixes).
// Threads: any (constants).
#include <cstdint>

namespace devices {

// wParam: the onboard profile the device reports after it was read again.
constexpr uint32_t WM_USB_MAINMESS_ONBOARD_PROFILE = 3328;
constexpr uint32_t WM_USB_MAINMESS_POWER = 3329;
constexpr uint32_t WM_USB_MAINMESS_FIRMWARE_UPGRADE = 3332;
constexpr uint32_t WM_USB_MAINMESS_DEVICE_IS_INITUI = 3333;

}  // namespace devices
