#pragma once
// What a realisation of the GUI library provides: the window thread's event loop and
// timers, native windows with input, image and font decoding, the clipboard, the tray and
// file dialogs. ui/qt/ realises it on Qt Widgets; ui/headless/ for tests (virtual clock, no
// windows, recording render target). Everything else in ui/ is written against this.
//
// Threads: a realisation belongs to the window thread; only Wake may be called from any
// thread. Other threads never hold the realisation: they wake the window thread through
// detail::WakeBackend, which SetBackend waits for while it replaces the realisation.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/core/Geometry.h"
#include "ui/core/RenderTarget.h"

namespace ui {

enum class MouseAction { Move, Down, Up, DoubleClick, Wheel, Leave };
// X1 and X2 are the side buttons ("back" and "forward").
enum class MouseButton { None, Left, Right, Middle, X1, X2 };

enum Modifier : uint32_t { kModShift = 1, kModControl = 2, kModAlt = 4 };

struct MouseEvent {
    MouseAction action = MouseAction::Move;
    MouseButton button = MouseButton::None;
    Point pos;           // client coordinates
    int wheelDelta = 0;  // multiples of 120, positive away from the user
    uint32_t modifiers = 0;
};

// A realisation sets the codes it knows; the library completes the rest before anyone sees
// the event (KeyInput.h): scan code and extended flag from the native code, else from the
// virtual key; the table code from the scan code.
struct KeyEvent {
    bool down = true;
    // Win32 VK_ code as key messages carry it (VK_SHIFT for either Shift, VK_RETURN for both
    // Enter keys); 0 = take it from the scan-code table.
    uint32_t virtualKey = 0;
    uint32_t nativeCode = 0;  // the desktop's key code (X11, Wayland: evdev + 8); 0 = unknown
    uint32_t scanCode = 0;    // PC scan code, set 1 (ScanCodes.h)
    bool extended = false;
    uint32_t keyVk = 0;  // the scan-code table's code: 0xA0-0xA5 modifiers, 0x101 keypad Enter
    bool autoRepeat = false;
    uint32_t modifiers = 0;
};

enum class CursorShape { Arrow, Hand, IBeam, SizeWE, SizeNS, Wait };

// Callbacks from a native window into the GUI library, on the window thread. The native
// window and tray types below are the window thread's too.
class NativeWindowEvents {
  public:
    virtual ~NativeWindowEvents() = default;
    virtual void OnPaint(RenderTarget& target, const Rect& dirty) = 0;
    virtual void OnMouse(const MouseEvent& event) = 0;
    virtual void OnKey(const KeyEvent& event) = 0;
    virtual void OnText(const std::string& utf8) = 0;  // typed characters, IME commits
    virtual void OnFocus(bool gained) = 0;
    virtual void OnResize(Size clientSize) = 0;
    virtual void OnMove(Point screenPos) = 0;
    virtual void OnCloseRequest() = 0;  // the user asked the desktop to close the window
    virtual void OnDpiChanged(int dpi) = 0;
};

struct NativeWindowParams {
    std::string title;
    Rect rect;           // screen coordinates of the whole window
    uint32_t style = 0;  // Win32 WS_ bits, kept for HandleMessage users
    uint32_t exStyle = 0;
    class NativeWindow* owner = nullptr;
    bool popup = false;        // menus and combo lists: no frame, closes on outside click
    bool frameless = true;     // skins draw their own caption
    bool transparent = false;  // per-pixel alpha (rounded skins)
};

class NativeWindow {
  public:
    virtual ~NativeWindow() = default;  // destroys the native window
    virtual void Show(bool show, bool activate) = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetRect(const Rect& screenRect) = 0;
    virtual Rect GetRect() const = 0;  // screen coordinates
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetIcon(const Image& icon) = 0;
    virtual void Invalidate(const Rect& clientRect) = 0;  // paint soon (coalesced)
    virtual void SetCursor(CursorShape shape) = 0;
    virtual void SetMouseCapture(bool capture) = 0;
    virtual void SetFocus() = 0;
    virtual void SetEnabled(bool enabled) = 0;  // a modal dialog disables its owner
    virtual void Minimize() = 0;
    virtual void Maximize(bool maximize) = 0;
    virtual void Raise() = 0;
    virtual void SetImeCursor(const Rect& caretRect) = 0;
    virtual int Dpi() const = 0;  // 96 = 100 %
    // Paints the whole client area offscreen and writes it as PNG (screenshots).
    virtual bool SaveScreenshot(const std::string& pngPath) = 0;
};

// Tray icon events: the left and right button-up of the desktop's tray.
class TrayIconEvents {
  public:
    virtual ~TrayIconEvents() = default;
    virtual void OnTrayClick(MouseButton button, Point screenPos) = 0;
};

class NativeTrayIcon {
  public:
    virtual ~NativeTrayIcon() = default;
    virtual void SetToolTip(const std::string& text) = 0;
    virtual void SetIcon(const Image& icon) = 0;
};

// Notices of the desktop for the program's main window.
enum class SystemNotice { Suspend, Resume, DisplayChanged };

struct FileDialogRequest {
    std::string title;
    std::string folder;                // start folder
    std::string fileName;              // suggested name (save)
    std::vector<std::string> filters;  // e.g. "Profile (*.json)"
    NativeWindow* owner = nullptr;
    // Save: the extension a name entered without one gets ("json"; empty: none).
    std::string defaultSuffix;
};

class Backend {
  public:
    virtual ~Backend() = default;

    // --- event loop of the window thread -------------------------------------------------
    // Runs the loop until Quit is called for this nesting level; nested calls make modal
    // loops. Returns the code given to Quit.
    virtual int RunLoop() = 0;
    virtual void QuitLoop(int code) = 0;  // ends the innermost running loop
    // Any thread: makes the window thread call the wake handler soon (posted messages).
    virtual void Wake() = 0;
    // Window thread; SetBackend installs the message model's handler.
    virtual void SetWakeHandler(std::function<void()> handler) = 0;
    // Milliseconds of a monotonic clock (virtual in the headless realisation).
    virtual uint64_t NowMs() = 0;
    // Repeating timer on the window thread; returns an id > 0.
    virtual int StartTimer(uint32_t intervalMs, std::function<void()> onTick) = 0;
    virtual void StopTimer(int id) = 0;

    // --- windows --------------------------------------------------------------------------
    virtual std::unique_ptr<NativeWindow> CreateNativeWindow(const NativeWindowParams& params,
                                                             NativeWindowEvents& events) = 0;
    virtual Rect WorkArea() = 0;  // the primary screen's usable area
    virtual Point CursorPos() = 0;

    // --- resources ------------------------------------------------------------------------
    // PNG, JPEG, BMP, SVG (by content); nullptr when the bytes are no image.
    virtual std::shared_ptr<Image> DecodeImage(const std::string& bytes) = 0;
    // Adds a font file's bytes for this process; returns its family name, empty on failure.
    // Any thread (a large font takes long to parse; the program adds its fonts off the window
    // thread). RemovePrivateFonts: window thread, once no AddPrivateFont runs.
    virtual std::string AddPrivateFont(const std::string& bytes) = 0;
    virtual void RemovePrivateFonts() = 0;
    // Builds the realisation's font index now (it is built again after each AddPrivateFont),
    // so that the first text drawn does not wait for it. Any thread.
    virtual void PrepareFonts() {}
    // Text asked for in `face` is drawn in `family` (a face the system does not have would
    // otherwise go through the system's font fallback). Window thread only.
    virtual void SetFontSubstitute(const std::string& /*face*/, const std::string& /*family*/) {}
    // For measuring outside painting (layout); same results as the window's target.
    virtual Size MeasureText(const std::string& utf8, const FontSpec& font, uint32_t format,
                             int maxWidth) = 0;

    // --- desktop services -----------------------------------------------------------------
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // nullptr when the desktop has no tray (the caller traces it and carries on).
    virtual std::unique_ptr<NativeTrayIcon> CreateTrayIcon(TrayIconEvents& events) = 0;
    // The chosen path, or empty when cancelled.
    virtual std::string OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual std::string SaveFileDialog(const FileDialogRequest& request) = 0;
    // The system going to sleep and waking up, the screens changing: the handler is called on
    // the window thread. An empty handler stops the notices. A realisation that cannot watch
    // them never calls it.
    virtual void SetSystemNoticeHandler(std::function<void(SystemNotice)> handler) {
        (void)handler;
    }
};

// The realisation in use; set at start-up (tests install the headless one). GetBackend and
// SetBackend: window thread only (checked in debug builds). SetBackend hands the new
// realisation the message model's wake handler and returns once no other thread is still
// waking the old one, so the old one may be destroyed then. HasBackend: any thread.
Backend& GetBackend();
void SetBackend(Backend* backend);
bool HasBackend();

namespace detail {
// Any thread: wakes the window thread through the installed realisation; false when none is
// installed.
bool WakeBackend();
}  // namespace detail

namespace detail {
// The realisation's wake handler: handles what other threads queued (window thread). Defined
// with the message model; SetBackend installs it.
void HandleWake();
}  // namespace detail

}  // namespace ui
