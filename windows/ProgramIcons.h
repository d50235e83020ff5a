#pragma once
// The program's icon resources: on this platform an icon id names an image of the skin.
// Start-up registers them before the first window sets its icon.
// Threads: window thread, start-up.
#include "ui/core/UIDefs.h"

namespace windows {

constexpr ui::UINT kProgramIconId = 107;    // main window, tray
constexpr ui::UINT kSkinFrameIconId = 128;  // the skin frame
constexpr const char* kProgramIconFile = "common/icon/app_icon.png";

void RegisterProgramIcons();

}  // namespace windows
