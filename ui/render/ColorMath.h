#pragma once
// Colour arithmetic of the colour palette: RGB <-> HSV, and the mapping between the
// palette's two surfaces and colours. The pane runs hue from 0 at the left to 360 at the
// right and saturation from 1 at the top to 0 at the bottom; the brightness bar runs from
// full brightness at the top to black at the bottom.
#include "ui/core/Geometry.h"

namespace ui {

struct Hsv {
    double h = 0;  // degrees, 0 <= h < 360
    double s = 0;  // 0..1
    double v = 0;  // 0..1
};

// Opaque result; alpha of the input is ignored.
Color HsvToRgb(const Hsv& hsv);
// Hue is 0 for greys (the caller keeps its own hue when saturation is 0).
Hsv RgbToHsv(Color rgb);

// Pane geometry: a point (relative to the pane, clamped into it) <-> hue and saturation.
void PanePointToHueSat(Point p, Size pane, double& hue, double& saturation);
Point HueSatToPanePoint(double hue, double saturation, Size pane);
// Brightness bar: a y offset (clamped) <-> brightness.
double BarOffsetToValue(int y, int barHeight);
int ValueToBarOffset(double value, int barHeight);

}  // namespace ui
