#include "DesktopTestSupport.h"

#include <filesystem>

namespace desktop {

std::string ScreenshotPath(const std::string& name) {
    std::filesystem::create_directories(T418_SCREENSHOT_DIR);
    return std::string(T418_SCREENSHOT_DIR) + "/" + name + ".png";
}

void DesktopTest::SetUp() {
    std::string skip, failure;
    desktop_ = DesktopSession::Start(skip, failure);
    if (!skip.empty())
        GTEST_SKIP() << skip;
    ASSERT_TRUE(desktop_) << failure;
    gallery_ = GalleryProcess::Start(*desktop_, failure);
    ASSERT_TRUE(gallery_) << failure;
    watchdog_ = std::make_unique<Watchdog>(kTimeLimitSeconds, [this] {
        gallery_->Kill();
        desktop_->KillProcesses();
    });
}

void DesktopTest::TearDown() {
    watchdog_.reset();
    if (gallery_) {
        EXPECT_TRUE(gallery_->IsRunning()) << "the gallery ended during the test";
    }
    gallery_.reset();
    desktop_.reset();
}

void DesktopTest::ClickControl(const std::string& name, int button) {
    const Box box = gallery_->ScreenRect(name);
    ASSERT_FALSE(box.IsEmpty()) << "no control " << name;
    desktop_->Click(box.CenterX(), box.CenterY(), button);
}

void DesktopTest::ClickDesktop() {
    const Box window = gallery_->Window().rect;
    const int x = desktop_->ScreenWidth() - 10, y = desktop_->ScreenHeight() - 10;
    ASSERT_FALSE(x >= window.left && x < window.right && y >= window.top && y < window.bottom);
    desktop_->Click(x, y);
}

void DesktopTest::ParkPointer() {
    desktop_->MoveTo(desktop_->ScreenWidth() - 2, desktop_->ScreenHeight() - 2);
}

std::optional<WindowInfo> DesktopTest::ComboListOnScreen() {
    for (const WindowInfo& popup : desktop_->Popups()) {
        if (popup.name == "ComboWnd")
            return popup;
    }
    return std::nullopt;
}

std::optional<WindowInfo> DesktopTest::MenuOnScreen() {
    for (const WindowInfo& popup : desktop_->Popups()) {
        if (popup.name != "ComboWnd")
            return popup;
    }
    return std::nullopt;
}

void DesktopTest::OpenComboList() {
    ClickControl("combo_rate");
    ASSERT_TRUE(gallery_->WaitFor("combo.open", "1"));
    ASSERT_TRUE(DesktopSession::WaitUntil([&] { return ComboListOnScreen().has_value(); }, 3000));
    EXPECT_EQ(ComboListOnScreen()->rect, gallery_->StateBox("combo.list"))
        << "X and the program place the list alike";
}

void DesktopTest::OpenMenu() {
    const Box space = gallery_->ScreenRect("combo_space");
    desktop_->Click(space.left + 20, space.top + 10, 3);
    ASSERT_TRUE(gallery_->WaitFor("menu.open", "1"));
    ASSERT_TRUE(DesktopSession::WaitUntil([&] { return MenuOnScreen().has_value(); }, 3000));
    EXPECT_EQ(MenuOnScreen()->rect, gallery_->StateBox("menu.rect"));
}

bool DesktopTest::WaitPopupsGone(int timeoutMs) {
    return DesktopSession::WaitUntil(
        [&] {
            if (!desktop_->Popups().empty())
                return false;
            State state = gallery_->Read();
            return state["combo.open"] == "0" && state["menu.open"] == "0";
        },
        timeoutMs);
}

QImage DesktopTest::SaveScreenshot(const std::string& name) {
    QImage image = desktop_->Grab(gallery_->Window().rect);
    EXPECT_TRUE(image.save(QString::fromStdString(ScreenshotPath("desktop-" + name)), "PNG"));
    return image;
}

}  // namespace desktop
