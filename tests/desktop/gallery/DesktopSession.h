#pragma once
// A desktop of the tests' own: an X server (Xvfb) on a free display number with a window
// manager (openbox), real input through XTEST, and what a person would see read back from X
// (the windows, their places, their pixels). Everything it starts it ends by process id.
// One thread only (the test's).
#include <QImage>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Process.h"

namespace desktop {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    int CenterX() const { return (left + right) / 2; }
    int CenterY() const { return (top + bottom) / 2; }
    bool operator==(const Box&) const = default;
};

struct WindowInfo {
    unsigned long id = 0;
    std::string name;
    Box rect;                       // screen pixels
    bool overrideRedirect = false;  // not managed by the window manager: pop-ups
};

class DesktopSession {
  public:
    // Starts the server and the window manager. Empty with skipReason set when no X server
    // can start here at all, or with failure set when something after that went wrong.
    static std::unique_ptr<DesktopSession> Start(std::string& skipReason, std::string& failure);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    const std::string& DisplayName() const { return display_; }
    int ScreenWidth() const { return width_; }
    int ScreenHeight() const { return height_; }

    // --- input, as the hardware would send it ----------------------------------------------
    void MoveTo(int x, int y);
    void Press(int button);
    void Release(int button);
    void Click(int x, int y, int button = 1);
    void DoubleClick(int x, int y);
    // Button 1 down at from, moved in steps to to, released there.
    void Drag(int fromX, int fromY, int toX, int toY, int steps = 8);
    // Wheel notches at the point: positive away from the user.
    void Wheel(int x, int y, int notches);
    // A key with modifiers: "Return", "Tab", "shift+Tab", "ctrl+c", "alt+Down", "F4".
    void Key(const std::string& combination);
    // Plain text: letters, digits, space and a few signs.
    void Type(const std::string& text);

    // --- what is on the screen -------------------------------------------------------------
    // Viewable windows that have a name, managed ones and pop-ups, top-down in stacking order.
    std::vector<WindowInfo> Windows();
    std::optional<WindowInfo> FindWindow(const std::string& name);
    // Viewable pop-ups (override-redirect windows larger than Qt's helpers).
    std::vector<WindowInfo> Popups();
    unsigned long ActiveWindow();
    QImage Grab(const Box& area);

    // --- what the window manager or another program would do -------------------------------
    void MoveWindow(unsigned long window, int x, int y);
    void Iconify(unsigned long window);
    // Maps a window of the tests' own and has the window manager activate it (another
    // program taking the focus). Returns its id.
    unsigned long ActivateForeignWindow(const Box& rect);

    // Polls until the condition holds or the time is up; processes nothing itself.
    static bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);
    static void Pause(int ms);

    // Ends the window manager and the server at once (any thread: the watchdog's).
    void KillProcesses();

  private:
    DesktopSession() = default;
    void Sync();

    std::string display_;
    void* x_ = nullptr;  // the Display of the tests' own connection
    int width_ = 1280, height_ = 800;
    std::unique_ptr<platform::ChildProcess> server_;
    std::unique_ptr<platform::ChildProcess> windowManager_;
    std::vector<unsigned long> ownWindows_;
};

// Calls onExpire (which ends the processes a test started) and ends the test program when a
// test runs past its time limit. onExpire runs on the watchdog's own thread.
class Watchdog {
  public:
    Watchdog(int seconds, std::function<void()> onExpire);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace desktop
