#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

// Places of the page (window pixels) and of the picture alone.
constexpr int kPictureLeft = 16, kPictureTop = 16;
const QPoint kLogoLight(170, 300);   // the palm logo's stroke, in the picture
const QPoint kStripLight(170, 428);  // the strip's LED at the back
const QPoint kShell(120, 260);       // the shell between the lights

class PreviewRun : public ::testing::Test {
  protected:
    fs::path home;
    void SetUp() override {
        // One folder per test: CTest may run them side by side.
        home = fs::temp_directory_path() /
               ("t418-mouse-page-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(home);
        fs::create_directories(home);
        fs::permissions(home, fs::perms::owner_all);
    }
    void TearDown() override { fs::remove_all(home); }
    int Run(const std::string& args) {
        std::string command = "env XDG_RUNTIME_DIR='" + home.string() + "' XDG_CONFIG_HOME='" +
                              home.string() + "' XDG_DATA_HOME='" + home.string() + "' '" +
                              T418_ZENCTL_BIN + "' preview " + args + " > /dev/null 2>&1";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    static bool Near(const QColor& a, const QColor& b, int tolerance) {
        return std::abs(a.red() - b.red()) <= tolerance &&
               std::abs(a.green() - b.green()) <= tolerance &&
               std::abs(a.blue() - b.blue()) <= tolerance;
    }
};

TEST_F(PreviewRun, MousePageWithStaticLights) {
    fs::path out = home / "page";
    ASSERT_EQ(Run("--mode 0 --colour 00C8FF --brightness 4 --frames 1 --page --out '" +
                  out.string() + "'"),
              0);
    QImage image(QString::fromStdString((out / "frame-0000.png").string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(800, 492));
    fs::create_directories(T418_SCREENSHOT_DIR);
    fs::path shot = fs::path(T418_SCREENSHOT_DIR) / "mouse-page.png";
    fs::copy_file(out / "frame-0000.png", shot, fs::copy_options::overwrite_existing);

    QColor logo = image.pixelColor(kLogoLight + QPoint(kPictureLeft, kPictureTop) + QPoint(-19, 0));
    QColor strip = image.pixelColor(kStripLight + QPoint(kPictureLeft, kPictureTop));
    EXPECT_TRUE(Near(strip, QColor(0x00, 0xC8, 0xFF), 40)) << strip.name().toStdString();
    EXPECT_GT(logo.blue(), 200) << logo.name().toStdString();
    EXPECT_LT(logo.red(), 60) << logo.name().toStdString();
    QColor shell = image.pixelColor(kShell + QPoint(kPictureLeft, kPictureTop));
    EXPECT_LT(shell.value(), 90) << "the shell stays dark";
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 150u) << "the picture is nearly blank";
}

TEST_F(PreviewRun, BreathingFramesRiseAndOffIsDark) {
    fs::path out = home / "breathe";
    ASSERT_EQ(Run("--mode 1 --colour FF0000 --frames 40 --out '" + out.string() + "'"), 0);
    ASSERT_TRUE(fs::exists(out / "frame-0039.png"));
    QImage first(QString::fromStdString((out / "frame-0000.png").string()));
    QImage later(QString::fromStdString((out / "frame-0039.png").string()));
    ASSERT_EQ(first.size(), QSize(340, 460)) << "the picture alone";
    EXPECT_GT(later.pixelColor(kStripLight).red(), first.pixelColor(kStripLight).red() + 30);

    fs::path off = home / "off";
    ASSERT_EQ(Run("--mode 4 --frames 1 --out '" + off.string() + "'"), 0);
    QImage dark(QString::fromStdString((off / "frame-0000.png").string()));
    EXPECT_LT(dark.pixelColor(kStripLight).value(), 60);
}

TEST_F(PreviewRun, TheMouseOwnModesLightThePicture) {
    // Neon lights the strip; a reactive flash starts at its height and fades.
    for (const char* mode : {"9", "7", "5"}) {
        fs::path out = home / mode;
        ASSERT_EQ(Run(std::string("--mode ") + mode + " --colour 00FF00 --frames 17 --out '" +
                      out.string() + "'"),
                  0)
            << mode;
        const bool reactive = std::string(mode) == "7";
        QImage first(QString::fromStdString((out / "frame-0000.png").string()));
        QImage last(QString::fromStdString((out / "frame-0016.png").string()));
        ASSERT_FALSE(last.isNull()) << mode;
        if (std::string(mode) == "9") {
            EXPECT_GT(last.pixelColor(kStripLight).green(), 100);
        }
        if (reactive) {
            EXPECT_GT(first.pixelColor(kStripLight).green(),
                      last.pixelColor(kStripLight).green() + 60);
        }
    }
}

TEST_F(PreviewRun, UnknownModesFail) {
    EXPECT_EQ(Run("--mode 12 --frames 1 --out '" + (home / "x").string() + "'"), 1);
    EXPECT_EQ(Run("--mode 0 --frames 1"), 2);
    EXPECT_EQ(Run("--mode 0 --brightness 7 --frames 1 --out x"), 2);
}

}  // namespace
