#include "ui/headless/HeadlessBackend.h"

#include <algorithm>
#include <chrono>

#include "platform/Trace.h"

namespace ui::headless {
namespace {

// Pictures are not decoded; only their size matters to layout and drawing records.
class HeadlessImage : public Image {
  public:
    HeadlessImage(int w, int h) : w_(w), h_(h) {}
    int Width() const override { return w_; }
    int Height() const override { return h_; }
    Color PixelAt(int, int) const override { return 0xFFFFFFFF; }

  private:
    int w_;
    int h_;
};

uint32_t BigEndian32(const std::string& b, size_t at) {
    return (static_cast<uint32_t>(static_cast<unsigned char>(b[at])) << 24) |
           (static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16) |
           (static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3]));
}

constexpr uint64_t kMaxVirtualRunMs = 24ull * 3600 * 1000;

}  // namespace

HeadlessBackend::HeadlessBackend() = default;

HeadlessBackend::~HeadlessBackend() {
    if (installed_ && HasBackend() && &GetBackend() == this)
        SetBackend(nullptr);
}

void HeadlessBackend::Install() {
    SetBackend(this);
    installed_ = true;
}

// --- clock and timers ------------------------------------------------------------------------

int HeadlessBackend::StartTimer(uint32_t intervalMs, std::function<void()> onTick) {
    int id = nextTimerId_++;
    timers_[id] = Timer{id, std::max<uint32_t>(1, intervalMs),
                        now_ + std::max<uint32_t>(1, intervalMs), std::move(onTick)};
    return id;
}

void HeadlessBackend::StopTimer(int id) {
    timers_.erase(id);
}

int HeadlessBackend::ActiveTimerCount() const {
    return static_cast<int>(timers_.size());
}

bool HeadlessBackend::FireNextTimerUpTo(uint64_t limit) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due > limit)
            continue;
        if (next == timers_.end() || it->second.due < next->second.due)
            next = it;
    }
    if (next == timers_.end())
        return false;
    now_ = std::max(now_, next->second.due);
    next->second.due += next->second.interval;
    // The handler may stop or restart this timer: call a copy.
    std::function<void()> tick = next->second.onTick;
    tick();
    return true;
}

void HeadlessBackend::AdvanceTime(uint64_t ms) {
    uint64_t target = now_ + ms;
    while (FireNextTimerUpTo(target)) {
        ProcessPending();
    }
    now_ = target;
    ProcessPending();
}

// --- loop ----------------------------------------------------------------------------------

void HeadlessBackend::Wake() {
    {
        std::lock_guard lock(mutex_);
        wakePending_ = true;
    }
    wakeCv_.notify_all();
}

void HeadlessBackend::SetWakeHandler(std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    wakeHandler_ = std::move(handler);
}

bool HeadlessBackend::TakeWake() {
    std::lock_guard lock(mutex_);
    if (!wakePending_)
        return false;
    wakePending_ = false;
    return true;
}

void HeadlessBackend::ProcessPending() {
    while (TakeWake()) {
        std::function<void()> handler;
        {
            std::lock_guard lock(mutex_);
            handler = wakeHandler_;
        }
        if (handler)
            handler();
    }
}

bool HeadlessBackend::PumpUntil(const std::function<bool()>& pred, int realTimeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(realTimeoutMs);
    while (true) {
        ProcessPending();
        if (pred())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        // The condition may depend on another thread that is not waking us: poll too.
        std::unique_lock lock(mutex_);
        wakeCv_.wait_for(lock, std::chrono::milliseconds(5), [&] { return wakePending_; });
    }
}

void HeadlessBackend::Schedule(std::function<void()> action) {
    scheduled_.push_back(std::move(action));
    Wake();
}

int HeadlessBackend::RunLoop() {
    Level level;
    levels_.push_back(&level);
    const uint64_t startTime = now_;
    while (!level.quit) {
        if (TakeWake()) {
            std::function<void()> handler;
            {
                std::lock_guard lock(mutex_);
                handler = wakeHandler_;
            }
            if (handler)
                handler();
            continue;
        }
        if (!scheduled_.empty()) {
            std::function<void()> action = std::move(scheduled_.front());
            scheduled_.pop_front();
            action();
            continue;
        }
        if (!timers_.empty() && now_ - startTime < kMaxVirtualRunMs) {
            FireNextTimerUpTo(UINT64_MAX);
            continue;
        }
        std::unique_lock lock(mutex_);
        if (!wakeCv_.wait_for(lock, std::chrono::milliseconds(watchdogMs_),
                              [&] { return wakePending_; })) {
            lock.unlock();
            platform::Trace("ui headless: a message loop had nothing left to do; ended with -1");
            level.quit = true;
            level.code = -1;
        }
    }
    levels_.pop_back();
    return level.code;
}

void HeadlessBackend::QuitLoop(int code) {
    if (levels_.empty())
        return;
    levels_.back()->quit = true;
    levels_.back()->code = code;
}

// --- windows and resources -------------------------------------------------------------------

std::unique_ptr<NativeWindow> HeadlessBackend::CreateNativeWindow(const NativeWindowParams& params,
                                                                  NativeWindowEvents& events) {
    auto window = std::make_unique<HeadlessWindow>(*this, params, events);
    windows_.push_back(window.get());
    return window;
}

void HeadlessBackend::ForgetWindow(HeadlessWindow* window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

HeadlessWindow* HeadlessBackend::FindWindowByTitle(const std::string& title) const {
    for (HeadlessWindow* window : windows_) {
        if (window->Title() == title)
            return window;
    }
    return nullptr;
}

int HeadlessBackend::PressOutsidePopups(Point screenPos) {
    int dismissed = 0;
    // Dismissing may destroy windows (and open others): work on a copy, checked before use.
    const std::vector<HeadlessWindow*> open = windows_;
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
        if (std::find(windows_.begin(), windows_.end(), *it) == windows_.end())
            continue;
        HeadlessWindow* window = *it;
        if (!window->Params().popup || !window->IsVisible())
            continue;
        const Rect r = window->GetRect();
        if (screenPos.x >= r.left && screenPos.x < r.right && screenPos.y >= r.top &&
            screenPos.y < r.bottom)
            break;
        window->Dismiss();
        ++dismissed;
    }
    return dismissed;
}

std::shared_ptr<Image> HeadlessBackend::DecodeImage(const std::string& bytes) {
    static const char kPng[] = "\x89PNG\r\n\x1a\n";
    if (bytes.size() >= 24 && bytes.compare(0, 8, kPng, 8) == 0) {
        uint32_t w = BigEndian32(bytes, 16);
        uint32_t h = BigEndian32(bytes, 20);
        if (w == 0 || h == 0 || w > 65535 || h > 65535)
            return nullptr;
        return std::make_shared<HeadlessImage>(static_cast<int>(w), static_cast<int>(h));
    }
    return nullptr;
}

std::string HeadlessBackend::AddPrivateFont(const std::string& bytes) {
    if (bytes.size() < 12)
        return {};
    std::lock_guard<std::mutex> lock(fontsMutex_);
    std::string family = "Private Font " + std::to_string(fonts_.size() + 1);
    fonts_.push_back(family);
    return family;
}

Size HeadlessBackend::MeasureText(const std::string& utf8, const FontSpec& font, uint32_t format,
                                  int maxWidth) {
    return RecordingRenderTarget::Measure(utf8, font, format, maxWidth);
}

std::unique_ptr<NativeTrayIcon> HeadlessBackend::CreateTrayIcon(TrayIconEvents& events) {
    if (!trayAvailable_)
        return nullptr;
    auto tray = std::make_unique<HeadlessTrayIcon>(*this, events);
    lastTray_ = tray.get();
    return tray;
}

void HeadlessBackend::ForgetTray(HeadlessTrayIcon* tray) {
    if (lastTray_ == tray)
        lastTray_ = nullptr;
}

std::string HeadlessBackend::OpenFileDialog(const FileDialogRequest& request) {
    dialogRequests_.push_back(request);
    if (dialogAnswers_.empty())
        return {};
    std::string answer = dialogAnswers_.front();
    dialogAnswers_.pop_front();
    return answer;
}

std::string HeadlessBackend::SaveFileDialog(const FileDialogRequest& request) {
    return OpenFileDialog(request);
}

// --- HeadlessWindow ----------------------------------------------------------------------------

HeadlessWindow::HeadlessWindow(HeadlessBackend& backend, const NativeWindowParams& params,
                               NativeWindowEvents& events)
    : backend_(backend),
      params_(params),
      events_(events),
      title_(params.title),
      rect_(params.rect) {}

HeadlessWindow::~HeadlessWindow() {
    backend_.ForgetWindow(this);
}

void HeadlessWindow::Show(bool show, bool /*activate*/) {
    visible_ = show;
    if (show)
        minimized_ = false;
}

void HeadlessWindow::SetRect(const Rect& screenRect) {
    bool resized = screenRect.Width() != rect_.Width() || screenRect.Height() != rect_.Height();
    rect_ = screenRect;
    if (resized)
        events_.OnResize(Size{rect_.Width(), rect_.Height()});
}

void HeadlessWindow::MouseMove(int x, int y, uint32_t modifiers) {
    MouseEvent e;
    e.action = MouseAction::Move;
    e.pos = Point{x, y};
    e.modifiers = modifiers;
    events_.OnMouse(e);
}

void HeadlessWindow::MouseDown(int x, int y, MouseButton button, uint32_t modifiers) {
    MouseEvent e;
    e.action = MouseAction::Down;
    e.button = button;
    e.pos = Point{x, y};
    e.modifiers = modifiers;
    events_.OnMouse(e);
}

void HeadlessWindow::MouseUp(int x, int y, MouseButton button, uint32_t modifiers) {
    MouseEvent e;
    e.action = MouseAction::Up;
    e.button = button;
    e.pos = Point{x, y};
    e.modifiers = modifiers;
    events_.OnMouse(e);
}

void HeadlessWindow::Click(int x, int y, MouseButton button, uint32_t modifiers) {
    MouseMove(x, y, modifiers);
    MouseDown(x, y, button, modifiers);
    MouseUp(x, y, button, modifiers);
}

void HeadlessWindow::DoubleClick(int x, int y) {
    Click(x, y);
    MouseEvent e;
    e.action = MouseAction::DoubleClick;
    e.button = MouseButton::Left;
    e.pos = Point{x, y};
    events_.OnMouse(e);
    MouseUp(x, y);
}

void HeadlessWindow::Wheel(int x, int y, int delta) {
    MouseEvent e;
    e.action = MouseAction::Wheel;
    e.pos = Point{x, y};
    e.wheelDelta = delta;
    events_.OnMouse(e);
}

void HeadlessWindow::MouseLeave() {
    MouseEvent e;
    e.action = MouseAction::Leave;
    events_.OnMouse(e);
}

void HeadlessWindow::KeyDown(uint32_t vk, uint32_t modifiers) {
    SendKey(true, vk, 0, modifiers);
}

void HeadlessWindow::KeyUp(uint32_t vk, uint32_t modifiers) {
    SendKey(false, vk, 0, modifiers);
}

void HeadlessWindow::SendKey(bool down, uint32_t vk, uint32_t nativeCode, uint32_t modifiers) {
    KeyEvent e;
    e.down = down;
    e.virtualKey = vk;
    e.nativeCode = nativeCode;
    e.modifiers = modifiers;
    events_.OnKey(e);
}

void HeadlessWindow::PressKey(uint32_t vk, uint32_t modifiers) {
    KeyDown(vk, modifiers);
    KeyUp(vk, modifiers);
}

void HeadlessWindow::NativeKeyDown(uint32_t nativeCode, uint32_t modifiers) {
    SendKey(true, 0, nativeCode, modifiers);
}

void HeadlessWindow::NativeKeyUp(uint32_t nativeCode, uint32_t modifiers) {
    SendKey(false, 0, nativeCode, modifiers);
}

void HeadlessWindow::PressNativeKey(uint32_t nativeCode, uint32_t modifiers) {
    NativeKeyDown(nativeCode, modifiers);
    NativeKeyUp(nativeCode, modifiers);
}

void HeadlessWindow::Type(const std::string& utf8) {
    events_.OnText(utf8);
}
void HeadlessWindow::Focus(bool gained) {
    events_.OnFocus(gained);
}
void HeadlessWindow::RequestClose() {
    events_.OnCloseRequest();
}

void HeadlessWindow::Dismiss() {
    visible_ = false;
    // The library may destroy this window while it hears of it: nothing of it is touched
    // after the first call unless the backend still knows it.
    HeadlessBackend& backend = backend_;
    NativeWindowEvents& events = events_;
    events.OnFocus(false);
    const auto alive = backend.Windows();
    if (std::find(alive.begin(), alive.end(), this) != alive.end())
        events.OnCloseRequest();
}

void HeadlessWindow::Resize(int cx, int cy) {
    SetRect(Rect{rect_.left, rect_.top, rect_.left + cx, rect_.top + cy});
}

void HeadlessWindow::ChangeDpi(int dpi) {
    dpi_ = dpi;
    events_.OnDpiChanged(dpi);
}

const RecordingRenderTarget& HeadlessWindow::Paint() {
    target_ = RecordingRenderTarget(Size{rect_.Width(), rect_.Height()});
    Rect all{0, 0, rect_.Width(), rect_.Height()};
    dirty_ = Rect{};
    events_.OnPaint(target_, all);
    return target_;
}

bool HeadlessWindow::SaveScreenshot(const std::string& /*pngPath*/) {
    return false;
}

}  // namespace ui::headless
