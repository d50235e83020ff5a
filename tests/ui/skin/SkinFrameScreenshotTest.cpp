// Renders the skin frame offscreen with skin-preview, dropped down under the main window's
// skin button, to ${CMAKE_BINARY_DIR}/screenshots/skin-frame*.png: the image page in English
// and the colour page in Chinese.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <filesystem>
#include <string>

#include "SkinShot.h"

namespace {

namespace fs = std::filesystem;
using skinshot::Near;

QImage SkinFrameShot(const std::string& name, const std::string& arguments) {
    const fs::path home = fs::temp_directory_path() / ("t418-skinframe-shot-" + name);
    fs::remove_all(home);
    return skinshot::Shot(name, "--window skin " + arguments, home);
}

TEST(SkinFrameScreenshot, ImagePageShowsTheSixBackgrounds) {
    const QImage image = SkinFrameShot("skin-frame", "");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(292, 228));
    EXPECT_TRUE(Near(image.pixelColor(20, 16), QColor(0x2A, 0x30, 0x3A))) << "selected head";
    EXPECT_TRUE(Near(image.pixelColor(150, 190), QColor(0x23, 0x28, 0x31)))
        << "the own-picture button";
    // The thumbnails are the images themselves: the ember one glows warm at its lower right.
    const QColor ember = image.pixelColor(175, 92);
    EXPECT_GT(ember.red(), ember.blue() + 30) << ember.name().toStdString();
    const QColor violet = image.pixelColor(30, 120);
    EXPECT_GT(violet.blue(), violet.green()) << violet.name().toStdString();
}

TEST(SkinFrameScreenshot, ColourPageInChinese) {
    const QImage image = SkinFrameShot("skin-frame-colours-cn", "--pose color --lang cn");
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(Near(image.pixelColor(110, 16), QColor(0x2A, 0x30, 0x3A))) << "selected head";
    EXPECT_TRUE(Near(image.pixelColor(42, 74), QColor(0x0F, 0x12, 0x16))) << "first colour";
    EXPECT_TRUE(Near(image.pixelColor(178, 134), QColor(0x33, 0x29, 0x1A))) << "seventh colour";
    EXPECT_TRUE(Near(image.pixelColor(246, 74), QColor(0x1E, 0x33, 0x26))) << "fourth colour";
}

}  // namespace
