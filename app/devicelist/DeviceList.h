#pragma once
// The device list as the main window sees it: the registry of device objects, their hidden
// list items and power items, arrival and removal of interfaces, the cable/receiver switch,
// the selection and the no-device layout. The main window owns one and routes the scan
// thread's reports, the device notices and the list's clicks to it.
//
// Threads: window thread only (the scan thread reaches it through SendMessage).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace devices {
class COrvaneUSBDevice;
}

namespace app {

// Window messages of the device list beside the scan thread's 3090 / 3091
// (hid/ScanReporter.h) and the mouse's 3333 (devices/mouse/OrvaneMouseDevice.h).
constexpr uint32_t WM_USB_MAINMESS_LINK_STATE = 3331;

class IDeviceList {
  public:
    virtual ~IDeviceList() = default;

    // At window initialisation, right after the slot list is filled: the mouse and keyboard
    // objects with their hidden items.
    virtual void CreateStartupDevices() = 0;
    // 3090 / 3091 with the slot index.
    virtual void OnDeviceAdd(size_t slot) = 0;
    virtual void OnDeviceRemove(size_t slot) = 0;
    // 3331: lParam 0 link lost, 1 link up.
    virtual void OnLinkState(int listIndex, int linked) = 0;
    // 3333: the no-device-layout flag and the error layout.
    virtual void OnDeviceInitUI(int flag) = 0;

    // Counts the shown items and, when the no-device-layout flag is set, shows or hides
    // "No_device_Link" with the log line "<place>>pNoDeviceLinkLyout    true|false".
    virtual void RefreshNoDeviceLayout(const char* place) = 0;
    virtual int ShownCount() const = 0;

    virtual void SelectPrevious() = 0;
    virtual void SelectNext() = 0;
    // "selectchanged" of "device_select" or "synchro_device_select".
    virtual void OnDeviceSelectChanged() = 0;

    // The selected device object (nullptr when none) and its kind (0 when none).
    virtual devices::COrvaneUSBDevice* SelectedDevice() const = 0;
    virtual int SelectedKind() const = 0;

    // Device objects by class, in creation order.
    virtual const std::vector<devices::COrvaneUSBDevice*>& Mice() const = 0;
    virtual const std::vector<devices::COrvaneUSBDevice*>& Keyboards() const = 0;
    virtual const std::vector<devices::COrvaneUSBDevice*>& MousePads() const = 0;
    virtual const std::vector<devices::COrvaneUSBDevice*>& Headsets() const = 0;

    // Shutdown: every device object stops its threads (bounded) and closes its channels.
    virtual void StopDevices() = 0;

    // The preview-active flag of every mouse, mouse pad and keyboard (window shown and
    // active, or not). While it is 0 the preview refresh idles; back at 1 it resumes at once.
    virtual void SetPreviewActive(int /*flag*/) {}
};

}  // namespace app
