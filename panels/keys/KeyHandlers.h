#pragma once
// The main window's handlers of the key page: selecting a key on the device picture, every
// control of the key panel, the keyboard key captured by pressing it, and the apply button.
//
// Each entry point takes the selected device (null: nothing is done) and its kind; only a
// mouse (kinds 2 and 6) with a key panel is served. Click, item-select, option and kill-focus
// entry points answer whether the name is one of the key page's controls.
// Threads: window thread only.
#include <cstdint>
#include <optional>
#include <string_view>

namespace devices {
class COrvaneUSBDevice;
class COrvaneMouseDevice;
}  // namespace devices

namespace panels {

class IPanelHost;
class CKeySetControlUI;

class CKeyHandlers {
  public:
    // The window message that installs (wParam 1) or removes (0) the input hook.
    static constexpr uint32_t kInputHookMessage = 1054;
    // The function page of the device page that shows the keys.
    static constexpr int kKeyFunctionPage = 2;

    explicit CKeyHandlers(IPanelHost& host);

    // The key panel of a mouse's page (null for other devices or without one).
    static CKeySetControlUI* PanelOf(devices::COrvaneUSBDevice* device);
    // What "setfocus"/"killfocus" of a control asks of the input hook: wParam 1 install,
    // 0 remove; nothing for other controls.
    static std::optional<int> InputHookRequest(std::string_view type, std::string_view name);

    // "click": "key_" + N (index from the router), and the panel's four buttons.
    bool OnClick(devices::COrvaneUSBDevice* device, int kind, std::string_view name,
                 int index = -1);
    // "itemselect" of the panel's combos.
    bool OnItemSelect(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    // "selectchanged" of the modifier options "key_ComBox_check_" + N.
    bool OnSelectChanged(devices::COrvaneUSBDevice* device, int kind, std::string_view name,
                         int index);
    // "killfocus" of the panel's number edits.
    bool OnKillFocus(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    // A key event of the single-key hook: message 0x100/0x104 press, 0x101/0x105 release;
    // flags bit 0 is the extended flag. Only presses are taken: a release would turn Ctrl+C
    // into Ctrl when Ctrl is let go last.
    void OnCapturedKey(devices::COrvaneUSBDevice* device, int kind, uint32_t message,
                       uint32_t scanCode, uint32_t flags);
    // The apply sequence: macros in use, key map, profile; refusals are told. The macro page
    // runs it too.
    void Apply(devices::COrvaneUSBDevice* device);

  private:
    void SelectKey(devices::COrvaneMouseDevice& mouse, CKeySetControlUI& panel, int index);
    void Store(devices::COrvaneMouseDevice& mouse, CKeySetControlUI& panel);
    void MarkPending(CKeySetControlUI& panel, bool pending);

    IPanelHost& host_;
};

}  // namespace panels
