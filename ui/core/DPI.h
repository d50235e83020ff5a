#pragma once
// DPI of one paint manager: skins are written in 96-DPI pixels; controls keep those values
// and scale them when they lay out and paint.
// Threads: window thread only (a member of its paint manager).
#include "ui/core/Geometry.h"

namespace ui {

class CDPI {
  public:
    int GetDPI() const { return dpi_; }
    void SetDPI(int dpi) { dpi_ = dpi > 0 ? dpi : 96; }
    int GetScale() const { return dpi_ * 100 / 96; }  // percent
    void SetScale(int percent) { SetDPI(percent * 96 / 100); }

    int Scale(int value) const { return dpi_ == 96 ? value : value * dpi_ / 96; }
    Rect Scale(const Rect& r) const {
        return Rect{Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)};
    }
    Size Scale(const Size& s) const { return Size{Scale(s.cx), Scale(s.cy)}; }
    Point Scale(const Point& p) const { return Point{Scale(p.x), Scale(p.y)}; }
    // Back from window pixels to 96-DPI pixels.
    int ScaleBack(int value) const { return dpi_ == 96 ? value : value * 96 / dpi_; }

  private:
    int dpi_ = 96;
};

}  // namespace ui
