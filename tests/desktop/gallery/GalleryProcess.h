#pragma once
// The program under test: ui-gallery on the tests' desktop, keeping its state in a file
// (--state). Reads that state back and finds its windows on the screen. Test thread only.
#include <map>
#include <memory>
#include <string>

#include "DesktopSession.h"
#include "platform/Process.h"

namespace desktop {

using State = std::map<std::string, std::string>;

class GalleryProcess {
  public:
    static constexpr const char* kTitle = "T418-ZEN gallery";

    // Starts it and waits until its window is on the screen and its state is written.
    // Empty with failure set when it does not come up.
    static std::unique_ptr<GalleryProcess> Start(DesktopSession& desktop, std::string& failure);
    ~GalleryProcess();  // ends it by process id
    GalleryProcess(const GalleryProcess&) = delete;
    GalleryProcess& operator=(const GalleryProcess&) = delete;

    bool IsRunning() { return process_->IsRunning(); }
    void Kill() { process_->Kill(); }

    // The state as last written; empty when unreadable.
    State Read() const;
    std::string Value(const std::string& key) const;
    // Polls the state until key has the value (or the time is up); false shows the last one.
    bool WaitFor(const std::string& key, const std::string& value, int timeoutMs = 5000) const;

    // The main window as X has it.
    WindowInfo Window();
    // A control's rectangle on the screen ("rect.NAME" of the state, placed by X's window).
    Box ScreenRect(const std::string& control);
    // A rectangle the state gives in screen pixels ("combo.item2", "menu.item.menu_save").
    Box StateBox(const std::string& key) const;
    // A rectangle the state gives in client pixels of the main window, put on the screen.
    Box ClientBox(const std::string& key);

  private:
    GalleryProcess(DesktopSession& desktop, std::string folder)
        : desktop_(desktop), folder_(std::move(folder)) {}

    DesktopSession& desktop_;
    std::string folder_;
    std::unique_ptr<platform::ChildProcess> process_;
};

Box ParseBox(const std::string& text);

}  // namespace desktop
