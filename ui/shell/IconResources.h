#pragma once
// The program's icon resources: on this platform an icon id names an image file (relative
// to the resource path, or absolute), registered at start-up.
// Threads: window thread only.
#include <memory>
#include <string>

#include "ui/core/RenderTarget.h"
#include "ui/core/UIDefs.h"

namespace ui {

void RegisterIconResource(UINT id, const std::string& imageFile);
// The decoded image of an icon id or of a file; nullptr (traced) when missing.
std::shared_ptr<Image> LoadIconResource(UINT id);
std::shared_ptr<Image> LoadIconFile(const std::string& imageFile);

}  // namespace ui
