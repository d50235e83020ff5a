#pragma once
// Drawing of a picture chosen at run time (a file the user picked, possibly outside the
// skin): the two hand-image buttons share it. Window thread only.
#include <string>

#include "ui/core/ControlUI.h"
#include "ui/render/ImageDescription.h"

namespace controls {

// How a description whose file is not a skin file is read.
enum class HandImageFallback {
    OwnParser,   // parse the description again with ParseHandImageDescription
    ChosenFile,  // keep the parsed description and draw the given chosen file
};

// Draws an image description over the control (only where it meets paint). A description naming a
// file under the resource folder is drawn as the skin would draw it; otherwise the fallback decides
// (absolute paths work). False when nothing was drawn.
bool DrawHandImage(ui::CControlUI& control, ui::RenderTarget& target, const ui::RECT& paint,
                   const std::string& description, HandImageFallback fallback,
                   const std::string& chosenFile = "");

// The description parser of picked pictures: key='value' tokens separated by one blank;
// reading stops at the first token out of form. Keys compare exactly: file/res, restype,
// dest, source, corner, mask, fade, hole, xtiled, ytiled, hsl; empty values are ignored.
// The file name starts as the whole description, so a bare path is a file.
ui::TDrawInfo ParseHandImageDescription(const std::string& description,
                                        const std::string& modify = "");

}  // namespace controls
