#include "app/TrayMenuPlacement.h"

#include "ui/shell/MenuWnd.h"

namespace app {

TaskbarEdge TaskbarEdgeAt(ui::Point cursor, const ui::Rect& workArea) {
    if (workArea.IsEmpty())
        return TaskbarEdge::None;
    if (cursor.y < workArea.top)
        return TaskbarEdge::Top;
    if (cursor.y >= workArea.bottom)
        return TaskbarEdge::Bottom;
    if (cursor.x < workArea.left)
        return TaskbarEdge::Left;
    if (cursor.x >= workArea.right)
        return TaskbarEdge::Right;
    return TaskbarEdge::None;
}

TrayMenuPlace PlaceTrayMenu(ui::Point cursor, const ui::Rect& workArea) {
    using ui::eMenuAlignment_Bottom;
    using ui::eMenuAlignment_Left;
    using ui::eMenuAlignment_Right;
    using ui::eMenuAlignment_Top;
    switch (TaskbarEdgeAt(cursor, workArea)) {
        case TaskbarEdge::Top:
            return {ui::Point{cursor.x, workArea.top}, eMenuAlignment_Right | eMenuAlignment_Top};
        case TaskbarEdge::Left:
            return {ui::Point{workArea.left, cursor.y},
                    eMenuAlignment_Left | eMenuAlignment_Bottom};
        case TaskbarEdge::Bottom:
            return {ui::Point{cursor.x, workArea.bottom - 20},
                    eMenuAlignment_Right | eMenuAlignment_Bottom};
        case TaskbarEdge::Right:
            return {ui::Point{workArea.right, cursor.y},
                    eMenuAlignment_Right | eMenuAlignment_Bottom};
        case TaskbarEdge::None:
            break;
    }
    return {cursor, eMenuAlignment_Left | eMenuAlignment_Top};
}

}  // namespace app
