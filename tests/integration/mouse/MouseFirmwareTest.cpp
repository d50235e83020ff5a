// The firmware-version rule of the connect sequence, through an in-process transport whose
// cable interface reports the version the test chooses.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <random>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "sim/firmware/DeviceFirmware.h"
#include "sim/firmware/ExchangeMonitor.h"
#include "sim/firmware/FaultInjector.h"
#include "sim/firmware/InProcessTransport.h"
#include "sim/firmware/PacketLog.h"

namespace {

struct Message {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
};

std::vector<Message> ConnectWithVersion(uint16_t version) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("t418-mouse-fw-" + std::to_string(std::random_device{}()));
    ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
    ::setenv("T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR, 1);
    sim::firmware::DeviceFirmware firmware{sim::firmware::MouseModel()};
    sim::firmware::FaultInjector faults;
    sim::firmware::PacketLog log;
    sim::firmware::ExchangeMonitor monitor;
    sim::firmware::CommandPath cable{"mouse-cable", firmware, faults, log, monitor, nullptr};
    sim::firmware::InProcessTransport transport;
    transport.AddPath("cable", cable, platform::HidAttributes{0x320F, 0x22A4, version});
    std::vector<Message> messages;
    {
        devices::COrvaneMouseDevice mouse(&transport);
        EXPECT_TRUE(mouse.Channel().CableDevice().Open("cable", true, true, true, false));
        mouse.Channel().SetOpen(true);
        mouse.Channel().SetConnection(hid::kConnectionCable);
        mouse.SetProfileBaseName("fw");
        mouse.SetMessageSink([&](uint32_t msg, uintptr_t w, intptr_t l) -> intptr_t {
            messages.push_back({msg, w, l});
            return 0;
        });
        EXPECT_TRUE(mouse.ReadDeviceData());
    }
    std::filesystem::remove_all(folder);
    return messages;
}

TEST(MouseFirmware, AnOldWiredMouseAsksForTheUpgrade) {
    const auto old = ConnectWithVersion(0x0102);
    ASSERT_EQ(old.size(), 2u);
    EXPECT_EQ(old[0].msg, devices::WM_USB_MAINMESS_DEVICE_IS_INITUI);
    EXPECT_EQ(old[1].msg, devices::WM_USB_MAINMESS_FIRMWARE_UPGRADE);
    EXPECT_EQ(old[1].wParam, 0x22A4u);
    EXPECT_EQ(old[1].lParam, 0x0102);
    const auto current = ConnectWithVersion(0x0103);
    ASSERT_EQ(current.size(), 1u);
    EXPECT_EQ(current[0].msg, devices::WM_USB_MAINMESS_DEVICE_IS_INITUI);
}

}  // namespace
