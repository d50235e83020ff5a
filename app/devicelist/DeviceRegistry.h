#pragma once
// DeviceRegistry: the device list of the main window. It keeps one entry per device object
// (the object, its list item and its power item), decides on each arrival and removal of an
// interface what it means for them, switches a mouse between its cable and its receiver,
// and keeps the selection, the synchronisation marks and the no-device layout.
//
// Split by concern: creation and the device glue (DeviceRegistryCreate.cpp), arrival and
// removal (DeviceRegistryArrival.cpp), the cable/receiver switch (DeviceRegistrySwitch.cpp),
// the selection (DeviceRegistrySelect.cpp).
//
// Threads: window thread only (the scan thread reaches it through SendMessage).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/devicelist/DeviceList.h"
#include "app/devicelist/DeviceListHost.h"
#include "hid/DeviceIdentity.h"

namespace devices {
class HostLink;
}

namespace app {

class CDeviceOptionUI;
class CMpDevicePowerUI;

class DeviceRegistry : public IDeviceList {
  public:
    // Attempts of the link probe after a switch to the receiver, and the wait after each.
    static constexpr int kSwitchProbeAttempts = 26;
    static constexpr uint32_t kSwitchProbeWaitMs = 50;

    explicit DeviceRegistry(IDeviceListHost& host);
    ~DeviceRegistry() override = default;
    DeviceRegistry(const DeviceRegistry&) = delete;
    DeviceRegistry& operator=(const DeviceRegistry&) = delete;

    // --- IDeviceList ---------------------------------------------------------------------
    void CreateStartupDevices() override;
    void OnDeviceAdd(size_t slot) override;
    void OnDeviceRemove(size_t slot) override;
    void OnLinkState(int listIndex, int linked) override;
    void OnDeviceInitUI(int flag) override;
    void RefreshNoDeviceLayout(const char* place) override;
    int ShownCount() const override;
    void SelectPrevious() override;
    void SelectNext() override;
    void OnDeviceSelectChanged() override;
    devices::COrvaneUSBDevice* SelectedDevice() const override;
    int SelectedKind() const override;
    const std::vector<devices::COrvaneUSBDevice*>& Mice() const override { return byType_[0]; }
    const std::vector<devices::COrvaneUSBDevice*>& Keyboards() const override { return byType_[1]; }
    const std::vector<devices::COrvaneUSBDevice*>& MousePads() const override { return byType_[2]; }
    const std::vector<devices::COrvaneUSBDevice*>& Headsets() const override { return byType_[3]; }
    void StopDevices() override;
    void SetPreviewActive(int flag) override;

    // --- the list ------------------------------------------------------------------------
    void SelectDevice(int listIndex, bool selected, bool show);
    void RemoveDevice(int listIndex);
    size_t Count() const { return entries_.size(); }
    CDeviceOptionUI* Item(int listIndex) const;
    CMpDevicePowerUI* PowerItem(int listIndex) const;
    devices::COrvaneUSBDevice* Device(int listIndex) const;
    // The list index of the device object that stands for a slot's interface (-1 none).
    int IndexForSlot(size_t slot) const;
    int NoDeviceLayoutFlag() const { return noDeviceFlag_; }
    int SelectedIndex() const { return selectedIndex_; }
    // The light panel's same-mode-allowed flag of each device (set while at least two
    // devices are shown); the lighting panel connects here once it exists.
    void SetSameModeSink(std::function<void(devices::COrvaneUSBDevice&, bool)> sink) {
        sameModeSink_ = std::move(sink);
    }

  private:
    struct Entry {
        devices::COrvaneUSBDevice* device = nullptr;
        CDeviceOptionUI* item = nullptr;
        CMpDevicePowerUI* power = nullptr;
        size_t typeIndex = 0;
        hid::DeviceIdentity identity;  // of the command interface (the cable's for a mouse)
        // Event interfaces that came before the command channel opened (slot indexes).
        std::vector<size_t> pendingEvents;
    };

    // The slot of the command interface that stands for a slot: the slot itself, the
    // command slot of an event interface, the cable's for a receiver.
    std::optional<size_t> CommandSlotFor(size_t slot) const;
    std::optional<hid::DeviceIdentity> IdentityFor(size_t slot) const;
    Entry* EntryFor(size_t slot);
    int IndexOf(const Entry& entry) const;
    // The shown item whose option is selected; -1 when none.
    int SelectedShownIndex() const;
    bool PartnerPresent(const hid::DeviceIdentity& slot, size_t index) const;

    Entry* CreateDevice(size_t slot);
    void WireDevice(Entry& entry);
    void WireHostLink(devices::HostLink& link, Entry& entry);
    void ShowPower(int listIndex);
    void AttachCommand(size_t slot, const hid::DeviceIdentity& id);
    void AttachEvent(size_t slot, const hid::DeviceIdentity& id);
    void OpenPendingEvents(Entry& entry);
    void RemoveCommand(size_t slot, const hid::DeviceIdentity& id);
    void SwitchConnection(size_t slot, bool departed);
    void CloseDevice(Entry& entry);
    void ApplySameMode(bool allowed);
    void SetLayoutVisible(const char* name, bool visible);
    void SelectTab(const std::string& name, int index);

    IDeviceListHost& host_;
    std::vector<Entry> entries_;
    std::vector<devices::COrvaneUSBDevice*> byType_[4];
    int noDeviceFlag_ = 1;
    int selectedIndex_ = -1;
    int selectedKind_ = 0;
    int selectedSubKind_ = 0;
    std::function<void(devices::COrvaneUSBDevice&, bool)> sameModeSink_;
};

}  // namespace app
