#pragma once
// The fixture of the desktop tests: a desktop of their own with the gallery on it, a time
// limit, and helpers that act on the gallery's controls by name.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <optional>
#include <string>

#include "DesktopSession.h"
#include "GalleryProcess.h"

namespace desktop {

class DesktopTest : public ::testing::Test {
  protected:
    // Each test, start-up included, ends well within this.
    static constexpr int kTimeLimitSeconds = 40;

    void SetUp() override;
    void TearDown() override;

    DesktopSession& Desk() { return *desktop_; }
    GalleryProcess& Gallery() { return *gallery_; }

    void ClickControl(const std::string& name, int button = 1);
    // A point of the screen outside every window of the gallery: the desktop.
    void ClickDesktop();
    // Moves the pointer where it changes nothing (the desktop's corner).
    void ParkPointer();

    std::optional<WindowInfo> ComboListOnScreen();
    std::optional<WindowInfo> MenuOnScreen();
    // Opens the combo's list with a click and waits until X and the program show it.
    void OpenComboList();
    // Opens the pop-up menu with a right click on an empty place and waits for it.
    void OpenMenu();
    // Waits until X shows no pop-up and the program has no combo list or menu open.
    bool WaitPopupsGone(int timeoutMs = 3000);

    // The gallery's main window as the screen shows it, saved as desktop-NAME.png.
    QImage SaveScreenshot(const std::string& name);

  private:
    std::unique_ptr<DesktopSession> desktop_;
    std::unique_ptr<GalleryProcess> gallery_;
    std::unique_ptr<Watchdog> watchdog_;
};

std::string ScreenshotPath(const std::string& name);

}  // namespace desktop
