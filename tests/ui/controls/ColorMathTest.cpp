#include <gtest/gtest.h>

#include "ui/render/ColorMath.h"

namespace {

TEST(ColorMath, RgbHsvRoundTripForEveryHueSector) {
    for (ui::Color c :
         {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu, 0xFF336699u,
          0xFF808080u, 0xFF000000u, 0xFFFFFFFFu, 0xFFC81E0Au}) {
        EXPECT_EQ(ui::HsvToRgb(ui::RgbToHsv(c)), c) << std::hex << c;
    }
    const ui::Hsv blue = ui::RgbToHsv(0x800000FF);  // alpha is ignored
    EXPECT_DOUBLE_EQ(blue.h, 240.0);
    EXPECT_DOUBLE_EQ(blue.s, 1.0);
    EXPECT_EQ(ui::HsvToRgb({-120.0, 1.0, 1.0}), 0xFF0000FFu);  // hue wraps
}

TEST(ColorMath, PaneAndBarGeometryMapBothWays) {
    const ui::Size pane{361, 101};
    double h = 0, s = 0;
    ui::PanePointToHueSat({120, 0}, pane, h, s);
    EXPECT_DOUBLE_EQ(h, 120.0);
    EXPECT_DOUBLE_EQ(s, 1.0);
    ui::PanePointToHueSat({999, 999}, pane, h, s);  // clamped into the pane
    EXPECT_LT(h, 360.0);
    EXPECT_DOUBLE_EQ(s, 0.0);
    EXPECT_EQ(ui::HueSatToPanePoint(240.0, 0.25, pane), (ui::Point{240, 75}));
    EXPECT_DOUBLE_EQ(ui::BarOffsetToValue(0, 51), 1.0);
    EXPECT_DOUBLE_EQ(ui::BarOffsetToValue(50, 51), 0.0);
    EXPECT_EQ(ui::ValueToBarOffset(0.5, 51), 25);
    EXPECT_EQ(ui::ValueToBarOffset(2.0, 51), 0);
}

}  // namespace
