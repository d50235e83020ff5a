// The settings window's update entries from the device list: a device's version reaches its
// model's row, through its cable or its receiver, and only while its channel is open.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/UpdateEntries.h"
#include "app/devicelist/DeviceList.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "sim/firmware/DeviceFirmware.h"
#include "sim/firmware/ExchangeMonitor.h"
#include "sim/firmware/FaultInjector.h"
#include "sim/firmware/InProcessTransport.h"
#include "sim/firmware/PacketLog.h"

namespace app {
namespace {

class UpdateEntriesList : public IDeviceList {
  public:
    void CreateStartupDevices() override {}
    void OnDeviceAdd(size_t) override {}
    void OnDeviceRemove(size_t) override {}
    void OnLinkState(int, int) override {}
    void OnDeviceInitUI(int) override {}
    void RefreshNoDeviceLayout(const char*) override {}
    int ShownCount() const override { return 0; }
    void SelectPrevious() override {}
    void SelectNext() override {}
    void OnDeviceSelectChanged() override {}
    devices::COrvaneUSBDevice* SelectedDevice() const override { return nullptr; }
    int SelectedKind() const override { return 0; }
    const std::vector<devices::COrvaneUSBDevice*>& Mice() const override { return mice; }
    const std::vector<devices::COrvaneUSBDevice*>& Keyboards() const override { return none; }
    const std::vector<devices::COrvaneUSBDevice*>& MousePads() const override { return none; }
    const std::vector<devices::COrvaneUSBDevice*>& Headsets() const override { return headsets; }
    void StopDevices() override {}

    std::vector<devices::COrvaneUSBDevice*> mice, none, headsets;
};

class UpdateEntriesTest : public ::testing::Test {
  protected:
    UpdateEntriesTest() {
        transport.AddPath("cable", cable, platform::HidAttributes{0x320F, 0x22A4, 0x0102});
        transport.AddPath("receiver", receiver, platform::HidAttributes{0x320F, 0x226F, 0x0107});
    }
    // A mouse on one of the two paths (nullptr: its channel closed).
    std::unique_ptr<devices::COrvaneMouseDevice> Mouse(const char* path) {
        auto mouse = std::make_unique<devices::COrvaneMouseDevice>(&transport);
        if (path == nullptr)
            return mouse;
        const bool wireless = std::string(path) == "receiver";
        hid::CHidDevice& device =
            wireless ? mouse->Channel().ReceiverDevice() : mouse->Channel().CableDevice();
        EXPECT_TRUE(device.Open(path, true, true, true, false));
        mouse->Channel().SetOpen(true);
        mouse->Channel().SetConnection(wireless ? hid::kConnectionReceiver : hid::kConnectionCable);
        return mouse;
    }

    sim::firmware::DeviceFirmware firmware{sim::firmware::MouseModel()};
    sim::firmware::FaultInjector faults;
    sim::firmware::PacketLog log;
    sim::firmware::ExchangeMonitor monitor;
    sim::firmware::CommandPath cable{"mouse-cable", firmware, faults, log, monitor, nullptr};
    sim::firmware::CommandPath receiver{"mouse-receiver", firmware, faults, log, monitor, nullptr};
    sim::firmware::InProcessTransport transport;
    UpdateEntriesList list;
};

TEST_F(UpdateEntriesTest, DevicesGiveTheirModelRowTheVersionOfTheirPath) {
    // No device: the program's row alone carries a version.
    std::vector<windows::UpdateEntry> entries = BuildUpdateEntries(list);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[3].version, kProgramVersion);
    EXPECT_EQ(windows::EntriesWithVersion(entries).size(), 1u);

    auto wired = Mouse("cable");
    list.mice = {wired.get()};
    entries = BuildUpdateEntries(list);
    EXPECT_EQ(entries[0].version, 0x0102u);
    EXPECT_EQ(entries[0].second, 1);

    auto wireless = Mouse("receiver");
    list.mice = {wireless.get()};
    entries = BuildUpdateEntries(list);
    EXPECT_EQ(entries[0].version, 0x0107u) << "the receiver's own version";
    EXPECT_EQ(entries[0].second, -1);

    auto closed = Mouse(nullptr);
    list.mice = {closed.get()};
    list.headsets = {wired.get()};  // a headset has no model row
    EXPECT_EQ(windows::EntriesWithVersion(BuildUpdateEntries(list)).size(), 1u);
}

}  // namespace
}  // namespace app
