#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "SkinShot.h"

namespace {

namespace fs = std::filesystem;
using skinshot::Near;

// The skin's accent blue, whatever its exact shade at a spot.
bool IsAccent(const QColor& c) {
    return c.blue() > 180 && c.blue() > c.red() + 80;
}

// One home per shot: the shots run side by side.
QImage Shot(const std::string& name, const std::string& arguments) {
    return skinshot::Shot(name, arguments, fs::temp_directory_path() / ("t418-skin-shot-" + name));
}

size_t ColourCount(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

class SkinScreenshot : public ::testing::TestWithParam<int> {
  protected:
    int dpi() const { return GetParam(); }
    int S(int value) const { return value * dpi() / 96; }  // 96-DPI pixels to the shot's
    std::string Suffix() const { return "-" + std::to_string(dpi()); }
};

TEST_P(SkinScreenshot, MainWindowWithDevices) {
    QImage image = Shot("skin-main" + Suffix(), "--window main --dpi " + std::to_string(dpi()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(S(1000), S(640)));
    EXPECT_GT(ColourCount(image), 200u) << "the picture is nearly blank";
    EXPECT_TRUE(Near(image.pixelColor(S(500), S(3)), QColor(0x15, 0x18, 0x1D))) << "title bar";
    const QColor back = image.pixelColor(S(4), S(300));
    EXPECT_TRUE(back.red() < 0x20 && back.green() < 0x24 && back.blue() < 0x34 &&
                back.blue() >= back.red())
        << "the window's dark blue-black background";
    bool frame = false;  // the selected device's card has an accent frame at its left
    for (int x = S(12); x <= S(16) && !frame; ++x)
        frame = IsAccent(image.pixelColor(x, S(90)));
    EXPECT_TRUE(frame) << "frame of the selected device";
    EXPECT_TRUE(Near(image.pixelColor(S(30), S(150)), QColor(0x15, 0x18, 0x1D), 14))
        << "device page";
}

TEST_P(SkinScreenshot, MainWindowWithoutDevice) {
    QImage image = Shot("skin-main-nodevice" + Suffix(),
                        "--window main --pose nodevice --dpi " + std::to_string(dpi()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(S(1000), S(640)));
    // The no-device layer covers the page; its OK button sits in the middle below the text.
    EXPECT_TRUE(Near(image.pixelColor(S(200), S(300)), QColor(0x15, 0x18, 0x1D))) << "layer";
    bool button = false;
    for (int y = S(400); y < S(560) && !button; y += 2)
        button = Near(image.pixelColor(S(450), y), QColor(0x3A, 0x78, 0xF2), 10);
    EXPECT_TRUE(button) << "the OK button";
}

TEST_P(SkinScreenshot, MessageBoxAsksWithTwoButtons) {
    QImage image = Shot("skin-msg" + Suffix(), "--window msg --dpi " + std::to_string(dpi()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(S(420), S(232)));
    EXPECT_TRUE(Near(image.pixelColor(S(200), S(20)), QColor(0x1B, 0x1F, 0x26))) << "title bar";
    EXPECT_TRUE(Near(image.pixelColor(S(226), S(182)), QColor(0x3A, 0x78, 0xF2))) << "confirm";
    EXPECT_TRUE(Near(image.pixelColor(S(90), S(182)), QColor(0x23, 0x28, 0x31))) << "cancel";
}

TEST_P(SkinScreenshot, AboutWindow) {
    QImage image = Shot("skin-about" + Suffix(), "--window about --dpi " + std::to_string(dpi()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(S(460), S(320)));
    EXPECT_GT(ColourCount(image), 40u);
    EXPECT_TRUE(IsAccent(image.pixelColor(S(230), S(62)))) << "logo";
    EXPECT_TRUE(Near(image.pixelColor(S(40), S(120)), QColor(0x13, 0x16, 0x1A), 8)) << "back";
}

TEST_P(SkinScreenshot, MusicWindowOnItsCurrentStyle) {
    QImage image = Shot("skin-music" + Suffix(), "--window music --dpi " + std::to_string(dpi()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(S(369), S(276)));
    EXPECT_TRUE(Near(image.pixelColor(S(250), S(20)), QColor(0x1B, 0x1F, 0x26))) << "title bar";
    EXPECT_TRUE(Near(image.pixelColor(S(120), S(63)), QColor(0x4C, 0x8D, 0xFF))) << "style 2";
    EXPECT_TRUE(Near(image.pixelColor(S(22), S(56)), QColor(0x26, 0x2C, 0x35))) << "style 1";
    EXPECT_TRUE(Near(image.pixelColor(S(250), S(152)), QColor(0x3F, 0xB9, 0x50))) << "green 9";
    EXPECT_FALSE(Near(image.pixelColor(S(250), S(126)), QColor(0xE5, 0x48, 0x4D))) << "red 2";
    EXPECT_TRUE(Near(image.pixelColor(S(260), S(243)), QColor(0x3A, 0x78, 0xF2))) << "OK";
}

TEST_P(SkinScreenshot, TrayMenuAtItsOwnersDpi) {
    QImage image = Shot("skin-menu" + Suffix(), "--window menu --dpi " + std::to_string(dpi()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), S(168));
    EXPECT_GE(image.height(), S(3 * 32));
    EXPECT_TRUE(Near(image.pixelColor(S(150), S(24)), QColor(0x1B, 0x1F, 0x26))) << "menu";
}

INSTANTIATE_TEST_SUITE_P(Dpi, SkinScreenshot, ::testing::Values(96, 144),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "At" + std::to_string(info.param);
                         });

}  // namespace
