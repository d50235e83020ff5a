#pragma once
// Our rectangles as Qt's (top-left and size; our right and bottom edges are exclusive).
#include <QRect>
#include <QRectF>

#include "ui/core/Geometry.h"

namespace ui::qt {

inline QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

inline QRectF ToQRectF(const Rect& r) {
    return QRectF(r.left, r.top, r.Width(), r.Height());
}

}  // namespace ui::qt
