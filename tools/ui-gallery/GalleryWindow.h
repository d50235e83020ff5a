#pragma once
// The gallery window: the layout in skin/gallery/gallery.xml. Right click opens the pop-up
// menu, "Apply" a modal dialog, and the window keeps what the user did last (for the state
// file of GalleryState.h). Poses put the controls into states worth a screenshot.
// Window thread only.
#include <memory>
#include <string>

#include "ui/core/KeyInput.h"
#include "ui/core/WindowImplBase.h"

namespace gallery {

class StateFile;

class GalleryWindow : public ui::WindowImplBase {
  public:
    // What the user did, as the state file reports it.
    struct Events {
        int clicks = 0;
        std::string lastClick;
        std::string activated;   // the list row last activated (double click, Enter)
        std::string menuChosen;  // the menu item last chosen
        int menusOpened = 0;
        bool dialogOpen = false;
        std::string dialogResult;  // "ok" or "cancel" once the dialog ended
        ui::Rect dialogRect;
        // The codes of the last key pressed in any window: table code, scan code, extended
        // flag ("A1,36,1" for Right Shift).
        std::string lastKey;
    };

    explicit GalleryWindow(bool quitOnClose);
    ~GalleryWindow() override;

    std::string GetWindowClassName() const override { return "T418ZenGallery"; }
    std::string GetSkinFile() override { return "gallery.xml"; }
    ui::CControlUI* CreateControl(const std::string& className) override;
    void Notify(ui::TNotifyUI& msg) override;

    // "plain" (as the layout says), "combo" (focused, its drop-down list open) or "showcase" (an
    // open combo list and menu, a slider being dragged, a selection). False for another name.
    static bool IsPose(const std::string& name);
    void Pose(const std::string& name);
    // From now on the state is written to the file whenever it changes.
    void WriteStateTo(const std::string& path);
    const Events& GetEvents() const { return events_; }

  protected:
    ui::LRESULT HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& bHandled) override;
    void OnFinalMessage(ui::HWND hwnd) override;

  private:
    void ShowStates();
    void OpenMenu(ui::Point screenPos, ui::DWORD alignment);
    void RunDialog();

    // Watches every key press of the process (it withholds none).
    class KeyWatch : public ui::InputObserver {
      public:
        explicit KeyWatch(Events& events) : events_(events) {}
        bool OnKeyInput(ui::HWND window, const ui::KeyEvent& key) override;

      private:
        Events& events_;
    };

    bool quitOnClose_;
    Events events_;
    KeyWatch keyWatch_{events_};
    std::unique_ptr<StateFile> stateFile_;
};

}  // namespace gallery
