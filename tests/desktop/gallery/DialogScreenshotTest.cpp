// A modal dialog under real input, and the screen's pixels against the offscreen rendering
// of the same state.
#include <QColor>
#include <cstdlib>

#include "DesktopTestSupport.h"

namespace desktop {
namespace {

constexpr const char* kDialogTitle = "Apply the settings";

TEST_F(DesktopTest, ModalDialogBlocksItsOwnerAndEndsWithEnterOrEscape) {
    ClickControl("btn_apply");
    ASSERT_TRUE(Gallery().WaitFor("dialog.open", "1"));
    ASSERT_TRUE(DesktopSession::WaitUntil(
        [&] { return Desk().FindWindow(kDialogTitle).has_value(); }, 3000));
    const WindowInfo dialog = *Desk().FindWindow(kDialogTitle);
    EXPECT_EQ(dialog.rect, Gallery().StateBox("dialog.rect"));
    EXPECT_EQ(Gallery().Value("enabled"), "0");
    EXPECT_TRUE(
        DesktopSession::WaitUntil([&] { return Desk().ActiveWindow() == dialog.id; }, 3000));
    DesktopSession::Pause(100);
    SaveScreenshot("dialog");

    // The owner takes no input while the dialog is open, and the dialog keeps the focus.
    ClickControl("chk_start");
    DesktopSession::Pause(200);
    EXPECT_EQ(Gallery().Value("chk_start"), "0");
    EXPECT_TRUE(Desk().FindWindow(kDialogTitle).has_value());
    EXPECT_TRUE(
        DesktopSession::WaitUntil([&] { return Desk().ActiveWindow() == dialog.id; }, 3000));

    Desk().Key("Return");
    EXPECT_TRUE(Gallery().WaitFor("dialog.result", "ok"));
    EXPECT_TRUE(DesktopSession::WaitUntil(
        [&] { return !Desk().FindWindow(kDialogTitle).has_value(); }, 3000));
    EXPECT_TRUE(Gallery().WaitFor("enabled", "1"));
    ClickControl("chk_start");
    EXPECT_TRUE(Gallery().WaitFor("chk_start", "1")) << "the owner takes input again";

    ClickControl("btn_apply");
    ASSERT_TRUE(Gallery().WaitFor("dialog.open", "1"));
    ASSERT_TRUE(DesktopSession::WaitUntil(
        [&] { return Desk().FindWindow(kDialogTitle).has_value(); }, 3000));
    EXPECT_TRUE(DesktopSession::WaitUntil(
        [&] { return Desk().ActiveWindow() == Desk().FindWindow(kDialogTitle)->id; }, 3000));
    Desk().Key("Escape");
    EXPECT_TRUE(Gallery().WaitFor("dialog.result", "cancel"));
    EXPECT_TRUE(Gallery().WaitFor("dialog.open", "0"));
}

// Renders the gallery in a pose with the offscreen platform, as the screenshot tests do.
QImage RenderOffscreen(const std::string& pose) {
    const std::string path = ScreenshotPath("offscreen-" + pose);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    auto process = platform::StartProcess(T418_GALLERY_BIN, {"--pose", pose, "--screenshot", path});
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    if (!process || !process->Wait(20000) || process->ExitCode() != 0) {
        if (process)
            process->Kill();
        ADD_FAILURE() << "the offscreen rendering of " << pose << " failed";
        return {};
    }
    return QImage(QString::fromStdString(path));
}

struct Difference {
    int pixels = 0;   // differing by more than the tolerance in some channel
    int largest = 0;  // the largest channel difference
};

Difference Compare(const QImage& a, const QImage& b, int tolerance) {
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int diff = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                       std::abs(qBlue(p) - qBlue(q))});
            d.largest = std::max(d.largest, diff);
            if (diff > tolerance)
                ++d.pixels;
        }
    }
    return d;
}

// Anti-aliased edges may fall a little differently; shapes, text and colours may not.
void ExpectSamePicture(const QImage& screen, const QImage& offscreen, const std::string& what) {
    ASSERT_FALSE(screen.isNull());
    ASSERT_FALSE(offscreen.isNull());
    ASSERT_EQ(screen.size(), offscreen.size()) << what;
    const Difference d = Compare(screen.convertToFormat(QImage::Format_RGB32),
                                 offscreen.convertToFormat(QImage::Format_RGB32), 48);
    const int allowed = screen.width() * screen.height() / 500;  // 0.2 %
    EXPECT_LE(d.pixels, allowed) << what << ": " << d.pixels << " pixels differ (largest by "
                                 << d.largest << ")";
    ::testing::Test::RecordProperty(what + "_differing_pixels", d.pixels);
}

TEST_F(DesktopTest, TheScreenShowsWhatTheOffscreenRenderingShows) {
    ParkPointer();
    DesktopSession::Pause(150);
    ExpectSamePicture(SaveScreenshot("plain"), RenderOffscreen("plain"), "plain");

    // The list opened from the keyboard, so that no control is left hot under the pointer.
    ClickControl("edit_digits");
    Desk().Key("Tab");
    ASSERT_TRUE(Gallery().WaitFor("focus", "combo_rate"));
    ParkPointer();
    Desk().Key("F4");
    ASSERT_TRUE(Gallery().WaitFor("combo.open", "1"));
    ASSERT_TRUE(DesktopSession::WaitUntil([&] { return ComboListOnScreen().has_value(); }, 3000));
    DesktopSession::Pause(150);
    ExpectSamePicture(SaveScreenshot("combo"), RenderOffscreen("combo"), "combo");
}

}  // namespace
}  // namespace desktop
