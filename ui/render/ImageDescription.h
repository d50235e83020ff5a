#pragma once
// Image description strings of skins and controls: either a bare file name ("btn.png") or
// key='value' pairs separated by blanks:
//   file='btn.png' source='0,0,20,20' corner='4,4,4,4' dest='2,2,22,22' fade='200'
//   hole='false' xtiled='true' ytiled='true' mask='#FFFF00FF' restype='png' hsl='false'
// "res" is a synonym of "file". Rectangles are left,top,right,bottom; dest is relative to the
// rectangle the image is drawn into. A modifier string (same syntax) overrides single keys.
#include <cstdint>
#include <string>

#include "ui/core/Geometry.h"

namespace ui {

struct TDrawInfo {
    std::string drawString;  // the description as given
    std::string drawModify;  // the modifier as given
    std::string file;        // image file (relative to the resource path, or absolute)
    std::string resType;
    Rect dest;    // all zero: the whole target rectangle
    Rect source;  // all zero: the whole image
    Rect corner;  // nine-grid margins (left, top, right, bottom widths)
    Color mask = 0;
    uint8_t fade = 255;
    bool hole = false;  // nine-grid without its centre
    bool xTiled = false;
    bool yTiled = false;
    bool hsl = false;
};

// Parses description then modifier. Malformed parts are skipped: what came before stays.
TDrawInfo ParseImageDescription(const std::string& description, const std::string& modify = "");

// "l,t,r,b" -> Rect; false (rect untouched) unless four integers are given.
bool ParseRectValue(const std::string& text, Rect& rect);
// "#AARRGGBB", "0xAARRGGBB", "AARRGGBB" or six digits (opaque); false when not hexadecimal.
bool ParseColorValue(const std::string& text, Color& color);

}  // namespace ui
