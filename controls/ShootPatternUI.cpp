#include "controls/ShootPatternUI.h"

#include <algorithm>
#include <cmath>

#include "ui/core/RenderTarget.h"
#include "ui/core/StringUtil.h"

namespace controls {
namespace {

// The grid's axis through the start: the line colour, faint.
constexpr ui::Color kAxisAlpha = 0x50000000;

ui::Rect Around(ui::Point p, int radius) {
    return ui::Rect{p.x - radius, p.y - radius, p.x + radius + 1, p.y + radius + 1};
}

}  // namespace

void* CShootPatternUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return static_cast<CShootPatternUI*>(this);
    return CControlUI::GetInterface(name);
}

void CShootPatternUI::SetAttribute(std::string_view name, std::string_view value) {
    ui::Color* colour = nullptr;
    if (ui::EqualsNoCase(name, "linecolor"))
        colour = &lineColor_;
    else if (ui::EqualsNoCase(name, "dotcolor"))
        colour = &dotColor_;
    else if (ui::EqualsNoCase(name, "selectedcolor"))
        colour = &selectedColor_;
    else if (ui::EqualsNoCase(name, "startcolor"))
        colour = &startColor_;
    else if (ui::EqualsNoCase(name, "gridcolor"))
        colour = &gridColor_;
    if (colour == nullptr) {
        CControlUI::SetAttribute(name, value);
        return;
    }
    ui::Color parsed = 0;
    if (ui::ParseColor(value, parsed)) {
        *colour = parsed;
        Invalidate();
    }
}

void CShootPatternUI::SetPattern(std::vector<Step> steps, int selected) {
    steps_ = std::move(steps);
    selected_ = selected;
    Invalidate();
}

void CShootPatternUI::SetSelected(int selected) {
    if (selected == selected_)
        return;
    selected_ = selected;
    Invalidate();
}

std::vector<ui::Point> CShootPatternUI::PlacePoints(const std::vector<Step>& steps,
                                                    const ui::Rect& area, int margin,
                                                    double maxScale) {
    // The path in units: the start, then each bullet's end.
    std::vector<std::pair<double, double>> units;
    units.reserve(steps.size() + 1);
    double x = 0, y = 0;
    units.emplace_back(x, y);
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const Step& step : steps) {
        x += step.dx;
        y += step.dy;
        units.emplace_back(x, y);
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    const double width = std::max(1, area.Width() - 2 * margin);
    const double height = std::max(1, area.Height() - 2 * margin);
    double scale = maxScale;
    if (maxX > minX)
        scale = std::min(scale, width / (maxX - minX));
    if (maxY > minY)
        scale = std::min(scale, height / (maxY - minY));
    const double originX = area.left + area.Width() / 2.0 - (minX + maxX) / 2.0 * scale;
    const double originY = area.top + area.Height() / 2.0 - (minY + maxY) / 2.0 * scale;
    std::vector<ui::Point> points;
    points.reserve(units.size());
    for (const auto& [ux, uy] : units)
        points.push_back(ui::Point{static_cast<int>(std::lround(originX + ux * scale)),
                                   static_cast<int>(std::lround(originY + uy * scale))});
    return points;
}

void CShootPatternUI::PaintGrid(ui::RenderTarget& target, const ui::Rect& area,
                                ui::Point start) const {
    const int step = std::max(4, Scale(kGridStep));
    const int thin = std::max(1, Scale(1));
    // From the start outwards, so that the start sits on a grid crossing.
    for (int x = start.x - ((start.x - area.left) / step) * step; x < area.right; x += step)
        target.DrawLine(ui::Point{x, area.top}, ui::Point{x, area.bottom}, thin, gridColor_);
    for (int y = start.y - ((start.y - area.top) / step) * step; y < area.bottom; y += step)
        target.DrawLine(ui::Point{area.left, y}, ui::Point{area.right, y}, thin, gridColor_);
    // The line straight down from the start: how far the path drifts sideways.
    const ui::Color axis = (lineColor_ & 0x00FFFFFF) | kAxisAlpha;
    target.DrawLine(ui::Point{start.x, area.top}, ui::Point{start.x, area.bottom}, thin, axis);
}

void CShootPatternUI::PaintStatusImage(ui::RenderTarget& target) {
    const ui::Rect area = m_rcItem;
    if (area.Width() <= 0 || area.Height() <= 0)
        return;
    const std::vector<ui::Point> points =
        PlacePoints(steps_, area, Scale(kMargin), static_cast<double>(Scale(kMaxUnitsScale)));
    target.PushClip(area);
    PaintGrid(target, area, points.front());
    const int line = std::max(1, Scale(2));
    for (size_t i = 0; i + 1 < points.size(); ++i)
        target.DrawLine(points[i], points[i + 1], line, lineColor_);
    const int dot = std::max(1, Scale(2));
    for (size_t i = 1; i < points.size(); ++i)
        target.FillEllipse(Around(points[i], dot), dotColor_);
    // The start: a small cross where the first shot is fired.
    const int arm = Scale(6);
    const ui::Point s = points.front();
    target.DrawLine(ui::Point{s.x - arm, s.y}, ui::Point{s.x + arm, s.y}, line, startColor_);
    target.DrawLine(ui::Point{s.x, s.y - arm}, ui::Point{s.x, s.y + arm}, line, startColor_);
    if (selected_ >= 0 && static_cast<size_t>(selected_) + 1 < points.size()) {
        const ui::Point from = points[static_cast<size_t>(selected_)];
        const ui::Point to = points[static_cast<size_t>(selected_) + 1];
        target.DrawLine(from, to, std::max(1, Scale(3)), selectedColor_);
        target.FillEllipse(Around(to, std::max(1, Scale(4))), selectedColor_);
        target.DrawEllipseOutline(Around(to, Scale(8)), std::max(1, Scale(2)), selectedColor_);
    }
    target.PopClip();
}

}  // namespace controls
