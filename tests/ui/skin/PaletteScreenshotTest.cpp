// Renders the colour palette offscreen with skin-preview at 96 and 144 DPI to
// ${CMAKE_BINARY_DIR}/screenshots/skin-palette-*.png, with four collected colours in its file.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "SkinShot.h"

namespace {

namespace fs = std::filesystem;
using skinshot::Near;

// A user folder whose colour file holds four collected colours; one per shot, as the shots run
// side by side.
fs::path Home(const std::string& name) {
    fs::path home = fs::temp_directory_path() / ("t418-palette-shot-" + name);
    fs::remove_all(home);
    fs::create_directories(home / "T418-ZEN");
    fs::permissions(home, fs::perms::owner_all);
    std::ofstream(home / "T418-ZEN" / "color_option_info.config")
        << R"({ "coloroptioninfo" : { "palletDialogcollectcoloroption" : [
               { "color" : "FFE5484D", "UserData" : "1" }, { "color" : "FF3DD68C", "UserData" : "1" },
               { "color" : "FF6EA4FF", "UserData" : "1" }, { "color" : "FFFFB020", "UserData" : "1" } ],
             "palletDialogcoloroption_selectitem" : 8 } })";
    return home;
}

QImage PaletteShot(const std::string& name, const std::string& arguments) {
    return skinshot::Shot(name, "--window palette " + arguments, Home(name));
}

class PaletteScreenshot : public ::testing::TestWithParam<int> {
  protected:
    int dpi() const { return GetParam(); }
    int S(int value) const { return value * dpi() / 96; }  // 96-DPI pixels to the shot's
};

TEST_P(PaletteScreenshot, PaletteWithCollectedColours) {
    QImage image =
        PaletteShot("skin-palette-" + std::to_string(dpi()), "--dpi " + std::to_string(dpi()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(S(720), S(468)));
    EXPECT_TRUE(Near(image.pixelColor(S(300), S(20)), QColor(0x1B, 0x1F, 0x26))) << "title bar";
    EXPECT_TRUE(Near(image.pixelColor(S(70), S(355)), QColor(0x4C, 0x8D, 0xFF))) << "preview";
    EXPECT_TRUE(Near(image.pixelColor(S(26), S(69)), QColor(0xFF, 0x00, 0x00), 40))
        << "the palette's red corner: " << image.pixelColor(S(26), S(69)).name().toStdString();
    EXPECT_TRUE(Near(image.pixelColor(S(393), S(108)), QColor(0xFF, 0x3B, 0x3B))) << "preset 0";
    EXPECT_TRUE(Near(image.pixelColor(S(393), S(237)), QColor(0xE5, 0x48, 0x4D)))
        << "collected colour 0";
    EXPECT_TRUE(Near(image.pixelColor(S(521), S(237)), QColor(0x1B, 0x1F, 0x26)))
        << "an empty slot keeps the dark look";
    EXPECT_TRUE(Near(image.pixelColor(S(636), S(430)), QColor(0x3A, 0x78, 0xF2))) << "OK";
}

TEST_P(PaletteScreenshot, MulticolourInChinese) {
    QImage image = PaletteShot("skin-palette-multi-" + std::to_string(dpi()),
                               "--pose multi --lang cn --dpi " + std::to_string(dpi()));
    ASSERT_FALSE(image.isNull());
    // The rainbow preview: its left and right ends differ in hue.
    const QColor left = image.pixelColor(S(34), S(330));
    const QColor right = image.pixelColor(S(110), S(382));
    EXPECT_GT(left.red(), left.blue()) << "red end";
    EXPECT_GT(right.blue(), right.green()) << "violet end";
    EXPECT_TRUE(Near(image.pixelColor(S(140), S(383)), QColor(0x3D, 0xD6, 0x8C), 12))
        << "the multicolour switch is on";
}

INSTANTIATE_TEST_SUITE_P(Dpi, PaletteScreenshot, ::testing::Values(96, 144),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "At" + std::to_string(info.param);
                         });

}  // namespace
