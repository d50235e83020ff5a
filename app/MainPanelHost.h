#pragma once
// The main window as the feature handlers' host: message boxes over the main window at its
// DPI, the language's texts, the colour palette, file dialogs and the list items' timers.
// Threads: window thread only.
#include <functional>
#include <utility>

#include "panels/PanelHost.h"
#include "ui/core/UIDefs.h"

namespace app {

class MainPanelHost : public panels::IPanelHost {
  public:
    // window: the owner of the dialogs; dpi: read at each dialog, so a DPI change is followed.
    MainPanelHost(ui::HWND& window, const int& dpi) : window_(window), dpi_(dpi) {}

    bool Confirm(const std::string& key) override;
    void ShowKey(const std::string& key) override;
    void ShowText(const std::string& text) override;
    std::string LanguageText(const std::string& key) override;
    std::optional<uint32_t> PickColour(uint32_t initial) override;
    std::string OpenFileDialog(const std::string& title,
                               const std::vector<std::string>& filters) override;
    std::string SaveFileDialog(const std::string& title, const std::vector<std::string>& filters,
                               const std::string& fileName) override;
    void RestartItemTimer(devices::COrvaneUSBDevice& device, int id, uint32_t ms) override;
    void OpenContextMenu(const std::string& menuFile) override {
        if (contextMenu_)
            contextMenu_(menuFile);
    }
    void SetSavedState(bool lockList, int saved) override {
        if (savedState_)
            savedState_(lockList, saved);
    }
    // The window's own context menu at the cursor.
    void SetContextMenuHandler(std::function<void(const std::string&)> handler) {
        contextMenu_ = std::move(handler);
    }
    // The window's own SetSavedState.
    void SetSavedStateHandler(std::function<void(bool, int)> handler) {
        savedState_ = std::move(handler);
    }

  private:
    ui::HWND& window_;
    const int& dpi_;
    std::function<void(bool, int)> savedState_;
    std::function<void(const std::string&)> contextMenu_;
};

}  // namespace app
