#pragma once
// The main window's handlers of the macro page: the macro list (add, delete with the repair of
// every profile's keys, rename, import, export), the event list's editing buttons, its context
// menu, recording from live input through the input hook, and the recorder's hook messages.
//
// Each entry point takes the selected device (null: nothing is done) and its kind; only a
// mouse (kinds 2 and 6) with a macro panel is served. Entry points taking a control name
// answer whether the name is one of the macro page's.
// Threads: window thread only.
#include <cstdint>
#include <functional>
#include <string_view>

namespace devices {
class COrvaneUSBDevice;
class COrvaneMouseDevice;
}  // namespace devices

namespace platform {
struct HookKeyboardRecord;
struct HookMouseRecord;
}  // namespace platform

namespace panels {

class IPanelHost;
class CKeyHandlers;
class CMacroControlUI;

class CMacroHandlers {
  public:
    // The scroll timer the panel starts after a change of its event list.
    static constexpr int kScrollTimer = 4101;
    // The context menu of an event row.
    static constexpr const char* kActionMenu = "XML/Menus/macro_action_menu.xml";

    // installHook(mode) installs the input hook for the window in a recording mode (4, 8, 16,
    // 32) and answers whether it hears the whole desktop (false: the program's windows only);
    // removeHook() removes it.
    CMacroHandlers(IPanelHost& host, CKeyHandlers& keys, std::function<bool(int)> installHook,
                   std::function<void()> removeHook);

    static CMacroControlUI* PanelOf(devices::COrvaneUSBDevice* device);

    bool OnClick(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    bool OnItemSelect(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    bool OnKillFocus(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    // "itemactivate" of an event row: the context menu.
    bool OnItemActivate(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    // The context menu's commands.
    bool OnMenuCommand(devices::COrvaneUSBDevice* device, int kind, std::string_view item);

    // The hook messages of a recording, by mode: 4 append, 8 before, 16 after, 32 single.
    void OnRecordedKey(devices::COrvaneUSBDevice* device, int mode, uint32_t message,
                       const platform::HookKeyboardRecord& record);
    void OnRecordedMouse(devices::COrvaneUSBDevice* device, int mode, uint32_t message,
                         const platform::HookMouseRecord& record);

    // Stops a recording in progress (device removal, window closing). True when one ran.
    bool StopRecording(devices::COrvaneUSBDevice* device);
    bool Recording() const { return recording_; }

  private:
    void Add(devices::COrvaneMouseDevice& mouse, CMacroControlUI& panel);
    void Delete(devices::COrvaneMouseDevice& mouse, CMacroControlUI& panel);
    void Rename(devices::COrvaneMouseDevice& mouse, CMacroControlUI& panel);
    void Import(devices::COrvaneMouseDevice& mouse, CMacroControlUI& panel);
    void Export(CMacroControlUI& panel);
    void Save(CMacroControlUI& panel);
    void StartRecording(CMacroControlUI& panel, int timeMode, int hookMode);
    void Stop(devices::COrvaneMouseDevice& mouse, CMacroControlUI& panel);
    // The key panel's macro combo and the device's name list after the macro list changed.
    void MacroListChanged(devices::COrvaneMouseDevice& mouse);

    IPanelHost& host_;
    CKeyHandlers& keys_;
    std::function<bool(int)> installHook_;
    std::function<void()> removeHook_;
    bool recording_ = false;
};

}  // namespace panels
