#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

namespace {

// Colours the gallery layout puts at known places.
const QColor kHeader(0x1E, 0x2A, 0x3B);
const QColor kLogo(0x2F, 0x6F, 0xED);
const QColor kApplyButton(0x34, 0x73, 0xE8);  // the primary button's gradient near its left

bool Near(const QColor& a, const QColor& b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

TEST(GalleryScreenshot, RendersOffscreenWithTheLayoutsControls) {
    std::filesystem::path dir = T418_SCREENSHOT_DIR;
    std::filesystem::create_directories(dir);
    std::filesystem::path png = dir / "gallery.png";
    std::filesystem::remove(png);
    auto home = std::filesystem::temp_directory_path() / "t418-gallery-test";
    std::filesystem::create_directories(home);
    std::filesystem::permissions(home, std::filesystem::perms::owner_all);
    std::string command = "env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR='" + home.string() +
                          "' XDG_CONFIG_HOME='" + home.string() + "' XDG_DATA_HOME='" +
                          home.string() + "' '" + T418_GALLERY_BIN + "' --screenshot '" +
                          png.string() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    QImage image(QString::fromStdString(png.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1000, 660));

    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 200u) << "the picture is nearly blank";

    EXPECT_TRUE(Near(image.pixelColor(500, 4), kHeader)) << "title bar";
    EXPECT_TRUE(Near(image.pixelColor(20, 18), kLogo)) << "logo at pos 16,14";
    EXPECT_TRUE(Near(image.pixelColor(8, 300), QColor(0xF3, 0xF5, 0xF8))) << "window background";
    EXPECT_TRUE(Near(image.pixelColor(40, 132), kApplyButton, 12)) << "the Apply button";
    EXPECT_TRUE(Near(image.pixelColor(30, 400), QColor(255, 255, 255))) << "first panel";
    // The combo's drop-down list is open below it with "500 Hz" selected.
    EXPECT_TRUE(Near(image.pixelColor(500, 333), QColor(0xDD, 0xE8, 0xFF))) << "open combo list";
    // The pop-up menu opens upwards over the dark strip of tinted images.
    EXPECT_TRUE(Near(image.pixelColor(950, 527), QColor(255, 255, 255))) << "open menu";
}

}  // namespace
