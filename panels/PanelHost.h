#pragma once
// What a feature's handlers need of the window that routes to them: message boxes, the colour
// palette, file dialogs and the device list items' timers. The main window is the one host;
// tests give a scripted one.
// Threads: window thread only.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace devices {
class COrvaneUSBDevice;
}

namespace panels {

class IPanelHost {
  public:
    virtual ~IPanelHost() = default;

    // A confirmation box with the text of a language key; true when the user accepts.
    virtual bool Confirm(const std::string& key) = 0;
    // A message box with the text of a language key.
    virtual void ShowKey(const std::string& key) = 0;
    // A message box with a text of its own (already translated and formatted).
    virtual void ShowText(const std::string& text) = 0;
    // The text of a language key in the current language (the key itself without one).
    virtual std::string LanguageText(const std::string& key) = 0;

    // The modal colour palette opened on `initial`: the chosen colour (0xAARRGGBB) when the
    // user confirmed; nothing when it was closed, when one is open already or when the
    // palette could not be used.
    virtual std::optional<uint32_t> PickColour(uint32_t initial) = 0;

    // File dialogs; filters are entries such as "Profile Files(*.json)". Empty when cancelled.
    virtual std::string OpenFileDialog(const std::string& title,
                                       const std::vector<std::string>& filters) = 0;
    virtual std::string SaveFileDialog(const std::string& title,
                                       const std::vector<std::string>& filters,
                                       const std::string& fileName) = 0;

    // A context menu (a menu layout file of the skin) at the cursor; its commands come back
    // as the window's menu commands.
    virtual void OpenContextMenu(const std::string& menuFile) = 0;

    // (Re)starts timer `id` of the device's list item to fire after `ms`.
    virtual void RestartItemTimer(devices::COrvaneUSBDevice& device, int id, uint32_t ms) = 0;

    // The window's saved-state flag: 0 while key changes are unsaved or a recording holds
    // the input hook, else 1; with lockList the device selection follows it.
    virtual void SetSavedState(bool lockList, int saved) = 0;
};

}  // namespace panels
