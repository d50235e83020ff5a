#pragma once
// CCircleProgressUI: a progress value shown as a ring. The whole circle in the background
// colour, the filled part as a slice in the foreground colour that starts straight down and
// runs clockwise, then a white disc that leaves a ring 10 pixels wide (window pixels, not
// DPI-scaled). Minimum, maximum and value are the progress base's.
//
// Skin tag "CircleProgress"; the attributes are those of "Progress".
// Threads: window thread only.
#include "ui/controls/ProgressUI.h"

namespace controls {

class CCircleProgressUI : public ui::CProgressUI {
  public:
    static constexpr const char* kClassName = "CircleProgress";
    static constexpr int kRingWidth = 10;
    static constexpr ui::Color kCentreColour = 0xFFFFFFFF;

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;

    // The filled part in whole degrees, 0 to 360: (value - min) / (max - min) of the circle,
    // 0 when the range is empty.
    int SweepDegrees() const;

    void PaintBkColor(ui::RenderTarget& target) override;
    void PaintForeColor(ui::RenderTarget& target) override;
    void PaintForeImage(ui::RenderTarget& target) override;
};

}  // namespace controls
