#pragma once
// CShootPatternUI: the picture of one shoot-data set. It draws the path the pointer takes
// while the set runs: from the first shot (the cross at the start), each bullet's movement
// added to the ones before it, with a dot where each bullet's movement ends. The selected
// bullet's own stretch and dot stand out, so an edit shows at once where it lands.
//
// Steps are what the mouse does (right and down positive); the owner gives them whenever the
// set is shown or saved. The drawing keeps one scale on both axes, fits the whole path and
// never magnifies a small one past kMaxUnitsScale pixels per unit (96 DPI).
//
// Skin attributes: "linecolor", "dotcolor", "selectedcolor", "startcolor", "gridcolor".
// Threads: window thread only.
#include <vector>

#include "ui/core/ControlUI.h"

namespace controls {

class CShootPatternUI : public ui::CControlUI {
  public:
    static constexpr const char* kClassName = "ShootPattern";
    static constexpr int kMaxUnitsScale = 4;  // pixels per unit at most (96 DPI)
    static constexpr int kMargin = 14;        // inside the control, 96 DPI
    static constexpr int kGridStep = 24;      // 96 DPI

    struct Step {
        int dx = 0;  // right positive
        int dy = 0;  // down positive
        friend bool operator==(const Step&, const Step&) = default;
    };

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(ui::RenderTarget& target) override;

    // The set's bullets in order and the selected one (-1: none). Repaints.
    void SetPattern(std::vector<Step> steps, int selected);
    void SetSelected(int selected);
    const std::vector<Step>& Steps() const { return steps_; }
    int Selected() const { return selected_; }

    // Where the path's points fall in area: point 0 is the start, point i + 1 the end of
    // bullet i's movement. margin and maxScale are in the area's pixels.
    static std::vector<ui::Point> PlacePoints(const std::vector<Step>& steps, const ui::Rect& area,
                                              int margin, double maxScale);

  private:
    void PaintGrid(ui::RenderTarget& target, const ui::Rect& area, ui::Point start) const;

    std::vector<Step> steps_;
    int selected_ = -1;
    ui::Color lineColor_ = 0xFF4C8DFF;
    ui::Color dotColor_ = 0xFFAEB7C4;
    ui::Color selectedColor_ = 0xFFF2A65A;
    ui::Color startColor_ = 0xFFE5484D;
    ui::Color gridColor_ = 0xFF232831;
};

}  // namespace controls
