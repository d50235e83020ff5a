#pragma once
// The main window's handlers of the profile panel: each confirms with the user, calls the
// panel (CDeviceProfileUI) of the selected device's page and then brings the device in line
// (loads the profile, writes its settings, macros and key map). Each takes the selected
// device object; with none, or without a profile panel on its page, it does nothing.
// Threads: window thread only.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "panels/PanelHost.h"

namespace devices {
class COrvaneUSBDevice;
}

namespace panels {

class CDeviceProfileUI;

class ProfileHandlers {
  public:
    // The main window's one-shot timer that runs Select after the combo's selection
    // changed, and its delay; a further change within the delay restarts it.
    static constexpr int kSelectTimerId = 1055;
    static constexpr uint32_t kSelectDelayMs = 400;
    // The filter of the import and export dialogs.
    static constexpr const char* kFileFilter = "Profile Files(*.json)";

    explicit ProfileHandlers(IPanelHost& host) : host_(host) {}

    // "device_add_btn"
    void Add(devices::COrvaneUSBDevice* device);
    // "device_sub_btn"
    void Delete(devices::COrvaneUSBDevice* device);
    // "device_copy_btn"
    void Copy(devices::COrvaneUSBDevice* device);
    // "device_import_btn"
    void Import(devices::COrvaneUSBDevice* device);
    // "device_export_btn"
    void Export(devices::COrvaneUSBDevice* device);
    // "device_profile_edit_save_btn": the name typed in the name edit.
    void Rename(devices::COrvaneUSBDevice* device);
    // "default_btn": the device's settings back to the factory document.
    void ResetDevice(devices::COrvaneUSBDevice* device);
    // "device_reset_btn": the selected profile file back to the factory document.
    void ResetProfile(devices::COrvaneUSBDevice* device);
    // "profile_fun_spread_btn": shows or hides the profile menu.
    void ToggleMenu(devices::COrvaneUSBDevice* device);
    // Timer 1055: the profile chosen in the combo becomes the device's current profile and
    // is sent to the device.
    void Select(devices::COrvaneUSBDevice* device);

    // A program rule's choice: profile id becomes the device's current profile and is sent
    // to the device as a Select would, but the list's stored selection (the user's choice)
    // stays. False when the list has no such profile (nothing changes).
    bool SelectForRule(devices::COrvaneUSBDevice* device, const std::string& id);

    // Told after every Select the user made (a choice in the combo, an add, a delete).
    void SetUserSelectObserver(std::function<void(devices::COrvaneUSBDevice*)> observer) {
        userSelectObserver_ = std::move(observer);
    }

    // The profile panel on the device's page; null without one.
    static CDeviceProfileUI* PanelOf(devices::COrvaneUSBDevice* device);

  private:
    // Select steps 2-5 for the profile now current in the panel.
    void LoadIntoDevice(devices::COrvaneUSBDevice& device);
    void SendMacrosAndKeys(devices::COrvaneUSBDevice& device);

    IPanelHost& host_;
    std::function<void(devices::COrvaneUSBDevice*)> userSelectObserver_;
};

}  // namespace panels
