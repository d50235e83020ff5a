// Renders the settings window offscreen with skin-preview in English and in Chinese to
// ${CMAKE_BINARY_DIR}/screenshots/settings-*.png: a mouse, a mouse pad and the program listed,
// and the mouse offered an update.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <filesystem>
#include <string>

#include "SkinShot.h"

namespace {

namespace fs = std::filesystem;
using skinshot::Near;

QImage SettingsShot(const std::string& name, const std::string& arguments) {
    fs::path home = fs::temp_directory_path() / ("t418-settings-shot-" + name);
    fs::remove_all(home);
    return skinshot::Shot(name, "--window settings " + arguments, home);
}

// The bright pixels of a text line in a band of the shot: drawn text is there.
int BrightPixels(const QImage& image, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += image.pixelColor(x, y).lightness() > 120 ? 1 : 0;
    return n;
}

TEST(SettingsScreenshot, EnglishWithTheRowsListed) {
    QImage image = SettingsShot("settings-en", "--lang en");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(630, 500));
    EXPECT_TRUE(Near(image.pixelColor(300, 20), QColor(0x1B, 0x1F, 0x26))) << "title bar";
    EXPECT_TRUE(Near(image.pixelColor(300, 1), QColor(0x4C, 0x8D, 0xFF))) << "accent line";
    EXPECT_TRUE(Near(image.pixelColor(28, 205), QColor(0x4C, 0x8D, 0xFF), 20)) << "header image";
    // Three rows: each has its name and version drawn.
    for (int row = 0; row < 3; ++row)
        EXPECT_GT(BrightPixels(image, 60, 278 + 50 * row, 260, 298 + 50 * row), 20) << row;
    EXPECT_LT(BrightPixels(image, 60, 428, 260, 440), 5) << "no fourth row";
}

TEST(SettingsScreenshot, ChineseWithTheMouseOffered) {
    QImage image = SettingsShot("settings-cn", "--lang cn --pose offer");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(630, 500));
    EXPECT_TRUE(Near(image.pixelColor(47, 288), QColor(0x4C, 0x8D, 0xFF), 60))
        << "the mouse's row checked: " << image.pixelColor(47, 288).name().toStdString();
    EXPECT_TRUE(Near(image.pixelColor(380, 467), QColor(0x3A, 0x78, 0xF2), 12))
        << "the update button shown";
}

}  // namespace
