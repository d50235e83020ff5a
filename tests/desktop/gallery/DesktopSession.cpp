#include "DesktopSession.h"

#include <QImage>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <random>
#include <thread>

// Xlib last: its macros (None, Bool, Status, KeyPress ...) would clash with the rest.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace desktop {
namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;
constexpr int kServerStartMs = 5000;
constexpr int kWindowManagerStartMs = 5000;
// Between the events of one gesture, so that the program sees them as a person makes them.
constexpr int kGestureStepMs = 12;

Display* Dpy(void* x) {
    return static_cast<Display*>(x);
}

// Windows come and go while the tests look at them; a vanished one is no error here.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

std::string Property(Display* dpy, Window window, Atom property, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(dpy, window, property, 0, 1024, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 8)
            value.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return value;
}

std::string WindowName(Display* dpy, Window window) {
    static Atom netName = XInternAtom(dpy, "_NET_WM_NAME", False);
    static Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    std::string name = Property(dpy, window, netName, utf8);
    if (name.empty())
        name = Property(dpy, window, XA_WM_NAME, XA_STRING);
    return name;
}

void Collect(Display* dpy, Window root, Window window, std::vector<WindowInfo>& out) {
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(dpy, window, &rootReturn, &parent, &children, &count))
        return;
    // XQueryTree lists bottom-up; the result is top-down.
    for (unsigned int i = count; i-- > 0;) {
        Window child = children[i];
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(dpy, child, &attributes) || attributes.map_state != IsViewable)
            continue;
        std::string name = WindowName(dpy, child);
        if (!name.empty()) {
            int x = 0, y = 0;
            Window unused = 0;
            XTranslateCoordinates(dpy, child, root, 0, 0, &x, &y, &unused);
            out.push_back(WindowInfo{child, name,
                                     Box{x, y, x + attributes.width, y + attributes.height},
                                     attributes.override_redirect != 0});
        }
        Collect(dpy, root, child, out);
    }
    if (children != nullptr)
        XFree(children);
}

bool HasWindowManager(Display* dpy) {
    Atom check = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False);
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool present = XGetWindowProperty(dpy, DefaultRootWindow(dpy), check, 0, 1, False, XA_WINDOW,
                                      &actualType, &format, &count, &after, &data) == Success &&
                   count == 1;
    if (data != nullptr)
        XFree(data);
    return present;
}

// True once the window manager manages new windows. It announces itself before its event
// loop runs and drops what was asked of it in between, so a window mapped then never shows:
// probe windows are mapped until one is taken into a frame.
bool ManagesNewWindows(Display* dpy) {
    constexpr int kProbeMs = 250;
    const Window root = DefaultRootWindow(dpy);
    for (int waited = 0; waited < kWindowManagerStartMs; waited += kProbeMs) {
        Window probe = XCreateSimpleWindow(dpy, root, 0, 0, 10, 10, 0, 0, 0);
        XStoreName(dpy, probe, "probe");
        XMapWindow(dpy, probe);
        XSync(dpy, False);
        const bool managed = DesktopSession::WaitUntil(
            [&] {
                Window rootReturn = 0, parent = 0;
                Window* children = nullptr;
                unsigned int count = 0;
                if (!XQueryTree(dpy, probe, &rootReturn, &parent, &children, &count))
                    return false;
                if (children != nullptr)
                    XFree(children);
                return parent != root;
            },
            kProbeMs);
        XDestroyWindow(dpy, probe);
        XSync(dpy, False);
        if (managed)
            return true;
    }
    return false;
}

void SendToRoot(Display* dpy, Window window, const char* message, long a0, long a1 = 0,
                long a2 = 0) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(dpy, message, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = a0;
    event.xclient.data.l[1] = a1;
    event.xclient.data.l[2] = a2;
    XSendEvent(dpy, DefaultRootWindow(dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// One colour channel of a pixel as 0-255, whatever its mask.
int Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0)
        return 0;
    const unsigned long value = (pixel & mask) >> std::countr_zero(mask);
    const unsigned long max = mask >> std::countr_zero(mask);
    return static_cast<int>(value * 255 / max);
}

KeySym SymFor(char c, bool& shift) {
    shift = false;
    if (c >= 'A' && c <= 'Z') {
        shift = true;
        return XK_a + (c - 'A');
    }
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return static_cast<KeySym>(c);
    switch (c) {
        case ' ':
            return XK_space;
        case '.':
            return XK_period;
        case ',':
            return XK_comma;
        case '-':
            return XK_minus;
        default:
            return NoSymbol;
    }
}

}  // namespace

std::unique_ptr<DesktopSession> DesktopSession::Start(std::string& skipReason,
                                                      std::string& failure) {
    std::unique_ptr<DesktopSession> session(new DesktopSession);
    std::mt19937 random(std::random_device{}());
    // A random number far from the usual :0 and :99; taken ones are skipped or fail at once.
    int display = 200 + static_cast<int>(random() % 600);
    std::string lastFailure = "no free display number";
    // Xvfb itself tells a display in use (it ends at once) from the files a killed server
    // left behind (it takes them over).
    for (int attempt = 0; attempt < 20 && session->x_ == nullptr; ++attempt, ++display) {
        const std::string number = std::to_string(display);
        // -terminate: the server ends by itself, clearing its lock file and socket, when
        // its last client (this session's connection) goes.
        auto server = platform::StartProcess(
            "Xvfb", {":" + number, "-screen", "0",
                     std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24",
                     "-nolisten", "tcp", "-terminate"});
        if (!server) {
            skipReason = "X cannot start: Xvfb is not installed (scripts/setup installs it)";
            return nullptr;
        }
        const std::string name = ":" + number;
        Display* dpy = nullptr;
        WaitUntil(
            [&] {
                if (!server->IsRunning())
                    return true;
                dpy = XOpenDisplay(name.c_str());
                return dpy != nullptr;
            },
            kServerStartMs);
        if (dpy == nullptr) {
            lastFailure = server->IsRunning() ? "Xvfb did not answer on " + name
                                              : "Xvfb ended at once on " + name;
            server->Kill();
            server->Wait(2000);
            continue;
        }
        session->server_ = std::move(server);
        session->x_ = dpy;
        session->display_ = name;
    }
    if (session->x_ == nullptr) {
        skipReason = "X cannot start: " + lastFailure;
        return nullptr;
    }
    XSetErrorHandler(IgnoreXError);
    Display* dpy = Dpy(session->x_);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(dpy, &eventBase, &errorBase, &major, &minor)) {
        failure = "the X server has no XTEST extension";
        return nullptr;
    }
    session->width_ = DisplayWidth(dpy, DefaultScreen(dpy));
    session->height_ = DisplayHeight(dpy, DefaultScreen(dpy));

    // Programs started from here on (the window manager, the program under test) use it.
    setenv("DISPLAY", session->display_.c_str(), 1);
    // The window manager's own defaults, not a configuration the developer may have.
    const auto config = std::filesystem::temp_directory_path() / "t418-desktop-wm-config";
    std::filesystem::create_directories(config);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    session->windowManager_ = platform::StartProcess("openbox", {"--sm-disable"});
    if (!session->windowManager_) {
        failure = "openbox cannot be started (scripts/setup installs it)";
        return nullptr;
    }
    if (!WaitUntil([&] { return HasWindowManager(dpy); }, kWindowManagerStartMs) ||
        !ManagesNewWindows(dpy)) {
        failure = "openbox did not take the screen within 5 s";
        return nullptr;
    }
    // The pointer starts in a corner where no window opens.
    session->MoveTo(session->width_ - 2, session->height_ - 2);
    return session;
}

DesktopSession::~DesktopSession() {
    if (windowManager_) {
        windowManager_->Kill();
        windowManager_->Wait(3000);
    }
    if (Display* dpy = Dpy(x_); dpy != nullptr) {
        for (unsigned long window : ownWindows_)
            XDestroyWindow(dpy, window);
        XCloseDisplay(dpy);  // the last client: the server ends by itself
    }
    if (server_ && !server_->Wait(3000)) {
        server_->Kill();
        server_->Wait(3000);
    }
}

void DesktopSession::KillProcesses() {
    if (windowManager_)
        windowManager_->Kill();
    if (server_)
        server_->Kill();
}

void DesktopSession::Sync() {
    XSync(Dpy(x_), False);
}

void DesktopSession::MoveTo(int x, int y) {
    XTestFakeMotionEvent(Dpy(x_), -1, x, y, 0);
    Sync();
    Pause(kGestureStepMs);
}

void DesktopSession::Press(int button) {
    XTestFakeButtonEvent(Dpy(x_), static_cast<unsigned>(button), True, 0);
    Sync();
    Pause(kGestureStepMs);
}

void DesktopSession::Release(int button) {
    XTestFakeButtonEvent(Dpy(x_), static_cast<unsigned>(button), False, 0);
    Sync();
    Pause(kGestureStepMs);
}

void DesktopSession::Click(int x, int y, int button) {
    MoveTo(x, y);
    Press(button);
    Release(button);
}

void DesktopSession::DoubleClick(int x, int y) {
    Click(x, y);
    Click(x, y);
}

void DesktopSession::Drag(int fromX, int fromY, int toX, int toY, int steps) {
    MoveTo(fromX, fromY);
    Press(1);
    for (int i = 1; i <= steps; ++i)
        MoveTo(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    Release(1);
}

void DesktopSession::Wheel(int x, int y, int notches) {
    MoveTo(x, y);
    const int button = notches > 0 ? 4 : 5;
    for (int i = 0; i < std::abs(notches); ++i) {
        Press(button);
        Release(button);
    }
}

void DesktopSession::Key(const std::string& combination) {
    Display* dpy = Dpy(x_);
    std::vector<KeyCode> held;
    std::string rest = combination;
    for (size_t plus; (plus = rest.find('+')) != std::string::npos && plus > 0;) {
        const std::string modifier = rest.substr(0, plus);
        rest = rest.substr(plus + 1);
        KeySym sym = modifier == "ctrl"    ? XK_Control_L
                     : modifier == "shift" ? XK_Shift_L
                     : modifier == "alt"   ? XK_Alt_L
                                           : NoSymbol;
        if (sym != NoSymbol)
            held.push_back(XKeysymToKeycode(dpy, sym));
    }
    KeySym sym = XStringToKeysym(rest.c_str());
    KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(dpy, sym);
    if (code == 0) {
        std::fprintf(stderr, "desktop: no key for \"%s\"\n", combination.c_str());
        return;
    }
    for (KeyCode modifier : held)
        XTestFakeKeyEvent(dpy, modifier, True, 0);
    XTestFakeKeyEvent(dpy, code, True, 0);
    Sync();
    Pause(kGestureStepMs);
    XTestFakeKeyEvent(dpy, code, False, 0);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        XTestFakeKeyEvent(dpy, *it, False, 0);
    Sync();
    Pause(kGestureStepMs);
}

void DesktopSession::Type(const std::string& text) {
    Display* dpy = Dpy(x_);
    const KeyCode shiftCode = XKeysymToKeycode(dpy, XK_Shift_L);
    for (char c : text) {
        bool shift = false;
        KeySym sym = SymFor(c, shift);
        KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(dpy, sym);
        if (code == 0) {
            std::fprintf(stderr, "desktop: cannot type '%c'\n", c);
            continue;
        }
        if (shift)
            XTestFakeKeyEvent(dpy, shiftCode, True, 0);
        XTestFakeKeyEvent(dpy, code, True, 0);
        XTestFakeKeyEvent(dpy, code, False, 0);
        if (shift)
            XTestFakeKeyEvent(dpy, shiftCode, False, 0);
        Sync();
        Pause(kGestureStepMs);
    }
}

std::vector<WindowInfo> DesktopSession::Windows() {
    Display* dpy = Dpy(x_);
    std::vector<WindowInfo> windows;
    Window root = DefaultRootWindow(dpy);
    Collect(dpy, root, root, windows);
    return windows;
}

std::optional<WindowInfo> DesktopSession::FindWindow(const std::string& name) {
    for (const WindowInfo& window : Windows()) {
        if (window.name == name)
            return window;
    }
    return std::nullopt;
}

std::vector<WindowInfo> DesktopSession::Popups() {
    std::vector<WindowInfo> popups;
    for (const WindowInfo& window : Windows()) {
        if (window.overrideRedirect && window.rect.Width() > 8 && window.rect.Height() > 8)
            popups.push_back(window);
    }
    return popups;
}

unsigned long DesktopSession::ActiveWindow() {
    Display* dpy = Dpy(x_);
    Atom active = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    unsigned long window = 0;
    if (XGetWindowProperty(dpy, DefaultRootWindow(dpy), active, 0, 1, False, XA_WINDOW, &actualType,
                           &format, &count, &after, &data) == Success &&
        data != nullptr) {
        if (count == 1 && format == 32)
            window = *reinterpret_cast<unsigned long*>(data);
        XFree(data);
    }
    return window;
}

QImage DesktopSession::Grab(const Box& area) {
    Display* dpy = Dpy(x_);
    Box clipped{std::max(0, area.left), std::max(0, area.top), std::min(width_, area.right),
                std::min(height_, area.bottom)};
    if (clipped.IsEmpty())
        return {};
    XImage* image = XGetImage(dpy, DefaultRootWindow(dpy), clipped.left, clipped.top,
                              static_cast<unsigned>(clipped.Width()),
                              static_cast<unsigned>(clipped.Height()), AllPlanes, ZPixmap);
    if (image == nullptr)
        return {};
    QImage out(clipped.Width(), clipped.Height(), QImage::Format_RGB32);
    for (int y = 0; y < clipped.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < clipped.Width(); ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            line[x] = qRgb(Channel(pixel, image->red_mask), Channel(pixel, image->green_mask),
                           Channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    return out;
}

void DesktopSession::MoveWindow(unsigned long window, int x, int y) {
    XMoveWindow(Dpy(x_), window, x, y);
    Sync();
}

void DesktopSession::Iconify(unsigned long window) {
    Display* dpy = Dpy(x_);
    XIconifyWindow(dpy, window, DefaultScreen(dpy));
    Sync();
}

unsigned long DesktopSession::ActivateForeignWindow(const Box& rect) {
    Display* dpy = Dpy(x_);
    Window window = XCreateSimpleWindow(
        dpy, DefaultRootWindow(dpy), rect.left, rect.top, static_cast<unsigned>(rect.Width()),
        static_cast<unsigned>(rect.Height()), 0, BlackPixel(dpy, DefaultScreen(dpy)),
        WhitePixel(dpy, DefaultScreen(dpy)));
    XStoreName(dpy, window, "another program");
    XMapWindow(dpy, window);
    ownWindows_.push_back(window);
    Sync();
    WaitUntil(
        [&] {
            XWindowAttributes attributes;
            return XGetWindowAttributes(dpy, window, &attributes) &&
                   attributes.map_state == IsViewable;
        },
        2000);
    // Source 2: a pager or task bar asks, as when the user picks another program.
    SendToRoot(dpy, window, "_NET_ACTIVE_WINDOW", 2, CurrentTime, 0);
    Sync();
    return window;
}

bool DesktopSession::WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        Pause(10);
    }
}

void DesktopSession::Pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// --- Watchdog ------------------------------------------------------------------------------

struct Watchdog::State {
    std::mutex mutex;
    std::condition_variable wake;
    bool done = false;
    std::thread thread;
};

Watchdog::Watchdog(int seconds, std::function<void()> onExpire)
    : state_(std::make_shared<State>()) {
    state_->thread = std::thread([state = state_, seconds, onExpire = std::move(onExpire)] {
        std::unique_lock lock(state->mutex);
        if (state->wake.wait_for(lock, std::chrono::seconds(seconds), [&] { return state->done; }))
            return;
        std::fprintf(stderr, "desktop: the test ran past its limit of %d s; ending it\n", seconds);
        onExpire();
        std::fflush(stderr);
        std::_Exit(3);
    });
}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(state_->mutex);
        state_->done = true;
    }
    state_->wake.notify_all();
    state_->thread.join();
}

}  // namespace desktop
