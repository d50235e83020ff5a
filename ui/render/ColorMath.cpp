#include "ui/render/ColorMath.h"

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

uint8_t ToByte(double unit) {
    return static_cast<uint8_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0));
}

}  // namespace

Color HsvToRgb(const Hsv& hsv) {
    const double s = std::clamp(hsv.s, 0.0, 1.0);
    const double v = std::clamp(hsv.v, 0.0, 1.0);
    double h = std::fmod(hsv.h, 360.0);
    if (h < 0)
        h += 360.0;
    const double c = v * s;
    const double hp = h / 60.0;
    const double x = c * (1.0 - std::fabs(std::fmod(hp, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(hp) % 6) {
        case 0:
            r = c, g = x;
            break;
        case 1:
            r = x, g = c;
            break;
        case 2:
            g = c, b = x;
            break;
        case 3:
            g = x, b = c;
            break;
        case 4:
            r = x, b = c;
            break;
        default:
            r = c, b = x;
            break;
    }
    const double m = v - c;
    return MakeColor(ToByte(r + m), ToByte(g + m), ToByte(b + m));
}

Hsv RgbToHsv(Color rgb) {
    const double r = ColorRed(rgb) / 255.0;
    const double g = ColorGreen(rgb) / 255.0;
    const double b = ColorBlue(rgb) / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double delta = max - min;
    Hsv out;
    out.v = max;
    out.s = max > 0 ? delta / max : 0;
    if (delta > 0) {
        if (max == r) {
            out.h = 60.0 * std::fmod((g - b) / delta, 6.0);
        } else if (max == g) {
            out.h = 60.0 * ((b - r) / delta + 2.0);
        } else {
            out.h = 60.0 * ((r - g) / delta + 4.0);
        }
        if (out.h < 0)
            out.h += 360.0;
        if (out.h >= 360.0)
            out.h -= 360.0;
    }
    return out;
}

void PanePointToHueSat(Point p, Size pane, double& hue, double& saturation) {
    const int w = std::max(1, pane.cx - 1);
    const int h = std::max(1, pane.cy - 1);
    const int x = std::clamp(p.x, 0, w);
    const int y = std::clamp(p.y, 0, h);
    hue = 360.0 * x / w;
    if (hue >= 360.0)
        hue = 359.999;  // the right edge is red again; keep it distinct
    saturation = 1.0 - static_cast<double>(y) / h;
}

Point HueSatToPanePoint(double hue, double saturation, Size pane) {
    const int w = std::max(1, pane.cx - 1);
    const int h = std::max(1, pane.cy - 1);
    const double hh = std::clamp(hue, 0.0, 360.0);
    const double ss = std::clamp(saturation, 0.0, 1.0);
    return Point{static_cast<int>(std::lround(hh / 360.0 * w)),
                 static_cast<int>(std::lround((1.0 - ss) * h))};
}

double BarOffsetToValue(int y, int barHeight) {
    const int h = std::max(1, barHeight - 1);
    return 1.0 - static_cast<double>(std::clamp(y, 0, h)) / h;
}

int ValueToBarOffset(double value, int barHeight) {
    const int h = std::max(1, barHeight - 1);
    return static_cast<int>(std::lround((1.0 - std::clamp(value, 0.0, 1.0)) * h));
}

}  // namespace ui
