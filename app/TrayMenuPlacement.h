#pragma once
// Where the tray menu opens: away from the taskbar (panel) that holds the tray. The panel is
// the strip of the screen outside the work area; a click on the tray icon happens in it, so
// the side of the work area the cursor lies beyond names the panel's edge. Pure; any thread.
#include <cstdint>

#include "ui/core/Geometry.h"

namespace app {

enum class TaskbarEdge { None, Top, Left, Bottom, Right };

// The edge of the panel under the cursor; None when the cursor lies inside the work area.
TaskbarEdge TaskbarEdgeAt(ui::Point cursor, const ui::Rect& workArea);

struct TrayMenuPlace {
    ui::Point point;
    uint32_t alignment = 0;  // ui::MenuAlignment bits
};

// Top: below the panel, right-aligned; left: right of it, bottom-aligned; bottom: 20 pixels
// above its top, right- and bottom-aligned; right: left of it, right- and bottom-aligned;
// otherwise at the cursor, left- and top-aligned.
TrayMenuPlace PlaceTrayMenu(ui::Point cursor, const ui::Rect& workArea);

}  // namespace app
