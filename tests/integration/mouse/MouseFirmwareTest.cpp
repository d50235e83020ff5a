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

struct FirmwareRun {
    std::vector<Message> messages;
    bool readAnswer = false;
    size_t packetsAtUpgrade = 0;  // packets logged when the upgrade question came
    size_t packetsAtEnd = 0;
    bool profileWritten = false;
};

// connect: the whole ConnectDevice, with the main window's confirmed upgrade standing in
// (the channel suspended while the question is answered); else ReadDeviceData alone.
FirmwareRun ConnectWithVersion(uint16_t version, bool connect = false) {
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
    FirmwareRun run;
    {
        devices::COrvaneMouseDevice mouse(&transport);
        EXPECT_TRUE(mouse.Channel().CableDevice().Open("cable", true, true, true, false));
        mouse.Channel().SetOpen(true);
        mouse.Channel().SetConnection(hid::kConnectionCable);
        mouse.SetProfileBaseName("fw");
        mouse.SetMessageSink([&](uint32_t msg, uintptr_t w, intptr_t l) -> intptr_t {
            run.messages.push_back({msg, w, l});
            if (msg == devices::WM_USB_MAINMESS_FIRMWARE_UPGRADE) {
                run.packetsAtUpgrade = log.Entries().size();
                mouse.Channel().SetSuspended(true);
            }
            return 0;
        });
        if (connect)
            mouse.ConnectDevice();
        else
            run.readAnswer = mouse.ReadDeviceData();
        run.packetsAtEnd = log.Entries().size();
        run.profileWritten = std::filesystem::exists(folder / "T418-ZEN" / "mouse" / "fw.Json");
        mouse.StopPreviewThread();
    }
    std::filesystem::remove_all(folder);
    return run;
}

TEST(MouseFirmware, AnOldWiredMouseAsksForTheUpgrade) {
    const FirmwareRun old = ConnectWithVersion(0x0102);
    ASSERT_EQ(old.messages.size(), 2u);
    EXPECT_EQ(old.messages[0].msg, devices::WM_USB_MAINMESS_DEVICE_IS_INITUI);
    EXPECT_EQ(old.messages[1].msg, devices::WM_USB_MAINMESS_FIRMWARE_UPGRADE);
    EXPECT_EQ(old.messages[1].wParam, 0x22A4u);
    EXPECT_EQ(old.messages[1].lParam, 0x0102);
    EXPECT_FALSE(old.readAnswer) << "the device waits for its upgrade";
    const FirmwareRun current = ConnectWithVersion(0x0103);
    ASSERT_EQ(current.messages.size(), 1u);
    EXPECT_EQ(current.messages[0].msg, devices::WM_USB_MAINMESS_DEVICE_IS_INITUI);
    EXPECT_TRUE(current.readAnswer);
}

// Once the upgrade is asked for, the channel may answer without the device: nothing more is
// read, and no block "read" that way reaches the user's profile.
TEST(MouseFirmware, TheConnectSequenceStopsAtTheUpgradeQuestion) {
    const FirmwareRun old = ConnectWithVersion(0x0102, true);
    ASSERT_EQ(old.messages.size(), 2u);
    EXPECT_GT(old.packetsAtUpgrade, 0u);
    EXPECT_EQ(old.packetsAtEnd, old.packetsAtUpgrade);
    EXPECT_FALSE(old.profileWritten);
    // A current mouse reads on to its settings block and keeps it in the profile.
    const FirmwareRun current = ConnectWithVersion(0x0103, true);
    EXPECT_GT(current.packetsAtEnd, current.packetsAtUpgrade);
    EXPECT_TRUE(current.profileWritten);
}

}  // namespace
