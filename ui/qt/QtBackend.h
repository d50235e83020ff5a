#pragma once
// The Qt Widgets realisation of the library's Backend. Create it on the thread that will be
// the window thread, before any window; it creates the QApplication when there is none.
// Threads: the window thread, except Wake (any thread). Destroying it while installed
// uninstalls it first (SetBackend(nullptr)), which waits for wakes from other threads.
#include <QEventLoop>
#include <QObject>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ui/core/Backend.h"

class QApplication;
class QTimer;

namespace ui::qt {

class QtSystemNotices;

class QtBackend : public Backend {
  public:
    QtBackend(int& argc, char** argv);
    ~QtBackend() override;

    // The name desktops know the program by: the X11 window class (instance and class both
    // name) and the desktop entry's id, which Wayland compositors match windows with. Before
    // the first window.
    void SetApplicationIdentity(const std::string& name, const std::string& desktopEntryId);

    int RunLoop() override;
    void QuitLoop(int code) override;
    void Wake() override;
    void SetWakeHandler(std::function<void()> handler) override;
    uint64_t NowMs() override;
    int StartTimer(uint32_t intervalMs, std::function<void()> onTick) override;
    void StopTimer(int id) override;

    std::unique_ptr<NativeWindow> CreateNativeWindow(const NativeWindowParams& params,
                                                     NativeWindowEvents& events) override;
    Rect WorkArea() override;
    Point CursorPos() override;

    std::shared_ptr<Image> DecodeImage(const std::string& bytes) override;
    std::string AddPrivateFont(const std::string& bytes) override;
    void PrepareFonts() override;
    void SetFontSubstitute(const std::string& face, const std::string& family) override;
    void RemovePrivateFonts() override;
    Size MeasureText(const std::string& utf8, const FontSpec& font, uint32_t format,
                     int maxWidth) override;

    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    std::unique_ptr<NativeTrayIcon> CreateTrayIcon(TrayIconEvents& events) override;
    std::string OpenFileDialog(const FileDialogRequest& request) override;
    std::string SaveFileDialog(const FileDialogRequest& request) override;
    void SetSystemNoticeHandler(std::function<void(SystemNotice)> handler) override;

    size_t ActiveTimerCount() const { return timers_.size(); }

  private:
    int argc_;
    std::unique_ptr<QApplication> ownApp_;
    std::unique_ptr<QObject> context_;  // lives on the window thread; queued wakes target it
    std::unique_ptr<QtSystemNotices> notices_;
    std::mutex wakeMutex_;  // the handler may be replaced while a wake is on its way
    std::function<void()> wakeHandler_;
    std::atomic<bool> wakePending_{false};
    std::vector<QEventLoop*> loops_;
    std::optional<int> pendingQuit_;
    std::map<int, QTimer*> timers_;
    int nextTimerId_ = 1;
    std::mutex fontsMutex_;  // AddPrivateFont runs on any thread
    std::vector<int> fontIds_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace ui::qt
