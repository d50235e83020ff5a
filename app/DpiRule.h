#pragma once
// The main window's DPI rule: a large screen gets 144 DPI, any other 96; only the steps the
// skins are drawn for are accepted. Pure; any thread.
#include <cstdint>

namespace app {

// The window's size before and after the fit, in 96-DPI pixels.
inline constexpr int kCreateWidth = 800;
inline constexpr int kCreateHeight = 572;
inline constexpr int kFitWidth = 1000;
inline constexpr int kFitHeight = 640;

// Wider than 1500 and taller than 960 pixels: 144, otherwise 96.
int DpiForScreen(int width, int height);

// 48, 72, 96, 120, 144, 168 or 192 as they are; any other value is refused (false).
bool IsAcceptedDpi(int dpi);

}  // namespace app
