#pragma once
// Writes the gallery as one PNG: the main window with its open pop-ups (combo list, menu)
// drawn where they stand on the screen.
#include <string>

#include "ui/core/UIDefs.h"

namespace gallery {

bool WriteScreenshot(ui::HWND mainWindow, const std::string& pngPath);

}  // namespace gallery
