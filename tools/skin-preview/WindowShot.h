#pragma once
// Renders one window of the program to a PNG file. Window thread only.
#include <string>

#include "ui/core/UIDefs.h"

namespace preview {

bool WriteWindowShot(ui::HWND window, const std::string& pngPath);

}  // namespace preview
