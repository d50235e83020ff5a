#pragma once
// The realisation of the GUI library for tests: no windows on screen, a virtual clock that
// tests advance (timers fire only then, in order), a recording render target, scripted file
// dialogs and a tray that can be switched off. Input is injected per window.
//
// RunLoop (message loops, modal dialogs) handles wake-ups from other threads, runs actions
// scheduled with Schedule, and when nothing else is due moves the virtual clock to the next
// timer. A loop that could never end (nothing scheduled, no timer, no wake-up within the
// watchdog time) ends with -1 and a trace line instead of hanging the test.
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/WindowsMacros.h"
#include "ui/core/Backend.h"
#include "ui/headless/RecordingRenderTarget.h"

namespace ui::headless {

class HeadlessWindow;
class HeadlessTrayIcon;

class HeadlessBackend : public Backend {
  public:
    HeadlessBackend();
    ~HeadlessBackend() override;

    // Installs this realisation (SetBackend) for its lifetime.
    void Install();

    // --- test controls -----------------------------------------------------------------
    // Moves the virtual clock forward, firing every timer that falls due, in time order.
    void AdvanceTime(uint64_t ms);
    // Handles wake-ups (posted messages, sends from other threads) that are pending.
    void ProcessPending();
    // Pumps wake-ups until pred is true or realTimeoutMs of real time passed.
    bool PumpUntil(const std::function<bool()>& pred, int realTimeoutMs = 5000);
    // Runs inside the innermost running loop, in order, when it is idle (drives modals).
    void Schedule(std::function<void()> action);
    void SetLoopWatchdogMs(int ms) { watchdogMs_ = ms; }
    int ActiveTimerCount() const;
    std::vector<HeadlessWindow*> Windows() const { return windows_; }
    HeadlessWindow* FindWindowByTitle(const std::string& title) const;
    // A button press at a screen point outside the open pop-ups, as a desktop delivers it:
    // the visible pop-ups (NativeWindowParams::popup), newest first down to the first one
    // that holds the point, are hidden and each told that it lost the focus and that the
    // desktop asks it to close. Returns how many were dismissed.
    int PressOutsidePopups(Point screenPos);

    void SetTrayAvailable(bool available) { trayAvailable_ = available; }
    HeadlessTrayIcon* LastTrayIcon() const { return lastTray_; }
    // The next file dialogs answer these paths in order ("" = cancelled; none = cancelled).
    void ScriptFileDialog(const std::string& answer) { dialogAnswers_.push_back(answer); }
    const std::vector<FileDialogRequest>& FileDialogRequests() const { return dialogRequests_; }
    std::vector<std::string> PrivateFontFamilies() const {
        std::lock_guard<std::mutex> lock(fontsMutex_);
        return fonts_;
    }

    // --- Backend -------------------------------------------------------------------------
    int RunLoop() override;
    void QuitLoop(int code) override;
    void Wake() override;
    void SetWakeHandler(std::function<void()> handler) override;
    uint64_t NowMs() override { return now_; }
    int StartTimer(uint32_t intervalMs, std::function<void()> onTick) override;
    void StopTimer(int id) override;
    std::unique_ptr<NativeWindow> CreateNativeWindow(const NativeWindowParams& params,
                                                     NativeWindowEvents& events) override;
    Rect WorkArea() override { return Rect{0, 0, 1920, 1040}; }
    Point CursorPos() override { return cursor_; }
    void SetCursorPos(Point p) { cursor_ = p; }
    std::shared_ptr<Image> DecodeImage(const std::string& bytes) override;
    std::string AddPrivateFont(const std::string& bytes) override;
    void RemovePrivateFonts() override {
        std::lock_guard<std::mutex> lock(fontsMutex_);
        fonts_.clear();
    }
    Size MeasureText(const std::string& utf8, const FontSpec& font, uint32_t format,
                     int maxWidth) override;
    std::string ClipboardText() override { return clipboard_; }
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    std::unique_ptr<NativeTrayIcon> CreateTrayIcon(TrayIconEvents& events) override;
    std::string OpenFileDialog(const FileDialogRequest& request) override;
    std::string SaveFileDialog(const FileDialogRequest& request) override;

    void ForgetWindow(HeadlessWindow* window);
    void ForgetTray(HeadlessTrayIcon* tray);

  private:
    struct Timer {
        int id;
        uint32_t interval;
        uint64_t due;
        std::function<void()> onTick;
    };
    struct Level {
        bool quit = false;
        int code = 0;
    };

    bool TakeWake();
    bool FireNextTimerUpTo(uint64_t limit);

    uint64_t now_ = 0;
    int nextTimerId_ = 1;
    std::map<int, Timer> timers_;
    std::vector<Level*> levels_;
    std::deque<std::function<void()>> scheduled_;
    int watchdogMs_ = 5000;

    mutable std::mutex mutex_;
    std::condition_variable wakeCv_;
    bool wakePending_ = false;
    std::function<void()> wakeHandler_;

    std::vector<HeadlessWindow*> windows_;
    Point cursor_;
    std::string clipboard_;
    mutable std::mutex fontsMutex_;  // AddPrivateFont runs on any thread
    std::vector<std::string> fonts_;
    bool trayAvailable_ = true;
    HeadlessTrayIcon* lastTray_ = nullptr;
    std::deque<std::string> dialogAnswers_;
    std::vector<FileDialogRequest> dialogRequests_;
    bool installed_ = false;
};

// A window that exists only in memory. Tests inject input and paint it on demand.
class HeadlessWindow : public NativeWindow {
  public:
    HeadlessWindow(HeadlessBackend& backend, const NativeWindowParams& params,
                   NativeWindowEvents& events);
    ~HeadlessWindow() override;

    // --- input ---------------------------------------------------------------------------
    void MouseMove(int x, int y, uint32_t modifiers = 0);
    void MouseDown(int x, int y, MouseButton button = MouseButton::Left, uint32_t modifiers = 0);
    void MouseUp(int x, int y, MouseButton button = MouseButton::Left, uint32_t modifiers = 0);
    // Move, press and release at one point.
    void Click(int x, int y, MouseButton button = MouseButton::Left, uint32_t modifiers = 0);
    void DoubleClick(int x, int y);
    void Wheel(int x, int y, int delta);
    void MouseLeave();
    void KeyDown(uint32_t vk, uint32_t modifiers = 0);
    void KeyUp(uint32_t vk, uint32_t modifiers = 0);
    void PressKey(uint32_t vk, uint32_t modifiers = 0);
    // Keys by the desktop's native key code (X11/Wayland: evdev + 8), as a real keyboard
    // sends them: the library finds the scan code and the virtual key.
    void NativeKeyDown(uint32_t nativeCode, uint32_t modifiers = 0);
    void NativeKeyUp(uint32_t nativeCode, uint32_t modifiers = 0);
    void PressNativeKey(uint32_t nativeCode, uint32_t modifiers = 0);
    void Type(const std::string& utf8);
    void Focus(bool gained);
    void RequestClose();
    // What a press outside this pop-up does to it (PressOutsidePopups).
    void Dismiss();
    void Resize(int cx, int cy);
    void ChangeDpi(int dpi);

    // Paints the whole client area (or the dirty part) into a fresh recording.
    const RecordingRenderTarget& Paint();
    const RecordingRenderTarget& LastPaint() const { return target_; }
    Rect DirtyRect() const { return dirty_; }

    // --- state ---------------------------------------------------------------------------
    const NativeWindowParams& Params() const { return params_; }
    const std::string& Title() const { return title_; }
    bool IsEnabled() const { return enabled_; }
    bool IsMinimized() const { return minimized_; }
    bool IsMaximized() const { return maximized_; }
    bool HasMouseCapture() const { return capture_; }
    CursorShape Cursor() const { return cursor_; }
    bool HasIcon() const { return hasIcon_; }

    // --- NativeWindow --------------------------------------------------------------------
    void Show(bool show, bool activate) override;
    bool IsVisible() const override { return visible_; }
    void SetRect(const Rect& screenRect) override;
    Rect GetRect() const override { return rect_; }
    void SetTitle(const std::string& title) override { title_ = title; }
    void SetIcon(const Image&) override { hasIcon_ = true; }
    void Invalidate(const Rect& clientRect) override { dirty_ = dirty_.Union(clientRect); }
    void SetCursor(CursorShape shape) override { cursor_ = shape; }
    void SetMouseCapture(bool capture) override { capture_ = capture; }
    void SetFocus() override {}
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    void Minimize() override { minimized_ = true; }
    void Maximize(bool maximize) override { maximized_ = maximize; }
    void Raise() override {}
    void SetImeCursor(const Rect&) override {}
    int Dpi() const override { return dpi_; }
    bool SaveScreenshot(const std::string& pngPath) override;

  private:
    void SendKey(bool down, uint32_t vk, uint32_t nativeCode, uint32_t modifiers);
    HeadlessBackend& backend_;
    NativeWindowParams params_;
    NativeWindowEvents& events_;
    RecordingRenderTarget target_;
    std::string title_;
    Rect rect_;
    Rect dirty_;
    bool visible_ = false;
    bool enabled_ = true;
    bool minimized_ = false;
    bool maximized_ = false;
    bool capture_ = false;
    bool hasIcon_ = false;
    CursorShape cursor_ = CursorShape::Arrow;
    int dpi_ = 96;
};

class HeadlessTrayIcon : public NativeTrayIcon {
  public:
    HeadlessTrayIcon(HeadlessBackend& backend, TrayIconEvents& events)
        : backend_(backend), events_(events) {}
    ~HeadlessTrayIcon() override { backend_.ForgetTray(this); }
    void SetToolTip(const std::string& text) override { toolTip_ = text; }
    void SetIcon(const Image&) override { hasIcon_ = true; }
    const std::string& ToolTip() const { return toolTip_; }
    bool HasIcon() const { return hasIcon_; }
    // The user releases a button on the tray icon.
    void Click(MouseButton button) { events_.OnTrayClick(button, Point{100, 100}); }

  private:
    HeadlessBackend& backend_;
    TrayIconEvents& events_;
    std::string toolTip_;
    bool hasIcon_ = false;
};

}  // namespace ui::headless
