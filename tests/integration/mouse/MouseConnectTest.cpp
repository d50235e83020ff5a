// The connect sequence of the mouse against the simulator, packet by packet.
#include <algorithm>
#include <filesystem>

#include "tests/integration/mouse/MouseFixture.h"

namespace {

using mousetest::MouseTest;

constexpr uint8_t kBegin = 0x01, kEnd = 0x02, kReadInfo = 0x03, kWriteInfo = 0x04,
                  kReadMemory = 0x05, kReadKeys = 0x07, kProbe = 0xAA;

TEST_F(MouseTest, ConnectsACableMouse) {
    auto& m = MakeMouse(false);
    TakeRequestCodes();
    m.ConnectDevice();
    m.StopPreviewThread();
    // Information block, key table, onboard profile and its 87 bytes in two packets.
    EXPECT_EQ(TakeRequestCodes(),
              (std::vector<uint8_t>{kBegin, kReadInfo, kEnd, kBegin, kReadKeys, kEnd, kReadMemory,
                                    kReadMemory, kReadMemory}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].msg, devices::WM_USB_MAINMESS_DEVICE_IS_INITUI);
    EXPECT_EQ(messages[0].wParam, 1u);
    for (int key = 0; key < devices::COrvaneMouseDevice::kPageKeys; ++key)
        EXPECT_EQ(m.KeySlotMap()[static_cast<size_t>(key)], key);
    // The device's settings are now the profile's, and the file holds them.
    const auto words = m.Profile().GetSystemRecord();
    EXPECT_EQ(profile::HighHalf(words[2]), 1);  // report rate
    EXPECT_EQ(profile::LowHalf(words[5]), 10);
    EXPECT_EQ(profile::HighHalf(words[5]), 30);
    EXPECT_EQ(profile::LowHalf(words[6]), 5);
    EXPECT_EQ(profile::HighHalf(words[6]), 10);
    EXPECT_EQ(profile::LowHalf(words[7]), 4);
    EXPECT_EQ(m.LightSettings().brightness, 3);
    EXPECT_EQ(m.LightSettings().speed, 2);
    EXPECT_EQ(m.LightSettings().red, 0xFF);
    EXPECT_EQ(m.LightSettings().green, 0x20);
    EXPECT_EQ(m.LightSettings().blue, 0x40);
    EXPECT_TRUE(std::filesystem::exists(UserFolder() + "profile_test.Json"));
    EXPECT_EQ(m.GetKeepAliveMinutes(), 5);
}

TEST_F(MouseTest, MarksANewMouseInitialisedBeforeItReportsIt) {
    devices.Mouse().SetInfoByte(7, 0);
    auto& m = MakeMouse(false);
    TakeRequestCodes();
    m.ConnectDevice();
    m.StopPreviewThread();
    EXPECT_EQ(TakeRequestCodes(),
              (std::vector<uint8_t>{kBegin, kReadInfo, kEnd, kBegin, kWriteInfo, kEnd, kBegin,
                                    kReadKeys, kEnd, kReadMemory, kReadMemory, kReadMemory}));
    EXPECT_EQ(devices.Mouse().InfoBlock()[7], 0x12);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, 1u);
}

TEST_F(MouseTest, AMouseInitialisedElsewhereIsReportedAndItsKeysAreNotRead) {
    devices.Mouse().SetInfoByte(7, 0x05);
    auto& m = MakeMouse(false);
    TakeRequestCodes();
    m.ConnectDevice();
    m.StopPreviewThread();
    EXPECT_EQ(TakeRequestCodes(), (std::vector<uint8_t>{kBegin, kReadInfo, kEnd, kReadMemory,
                                                        kReadMemory, kReadMemory}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, 0u);
    EXPECT_EQ(m.KeySlotMap()[0], devices::COrvaneMouseDevice::kNoSlot);
}

TEST_F(MouseTest, AReceiverWithoutItsMouseGetsOnlyTheProbes) {
    devices.SetLinked(false);
    auto& m = MakeMouse(true);
    TakeRequestCodes();
    m.ConnectDevice();
    m.StopPreviewThread();
    const auto codes = TakeRequestCodes();
    EXPECT_FALSE(codes.empty());
    for (uint8_t code : codes)
        EXPECT_EQ(code, kProbe);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(m.WriteSettings(0, 0, 1, 0, 0), 0);
    EXPECT_EQ(m.WriteMacros({0}), 0);  // not linked from the start: nothing to tell
    EXPECT_EQ(m.ReinitialiseDevice(), 0);
    for (uint8_t code : TakeRequestCodes())
        EXPECT_EQ(code, kProbe);
}

TEST_F(MouseTest, ConnectsThroughTheReceiver) {
    auto& m = MakeMouse(true);
    TakeRequestCodes();
    m.ConnectDevice();
    m.StopPreviewThread();
    const auto codes = TakeRequestCodes();
    ASSERT_GE(codes.size(), 4u);
    EXPECT_EQ(codes[0], kProbe);
    EXPECT_EQ(codes[1], kBegin);
    EXPECT_EQ(codes[2], kReadInfo);
    // 87 bytes in 24-byte chunks: four packets.
    EXPECT_EQ(std::count(codes.begin(), codes.end(), kReadMemory), 5);
    EXPECT_EQ(m.ProbeWirelessLink(), true);
    ASSERT_EQ(messages.size(), 1u);
}

TEST_F(MouseTest, PowerQueryGivesTheRecordAndItsMessage) {
    auto& m = MakeMouse(true);
    m.QueryPowerState();
    EXPECT_EQ(m.PowerRecord()[0], 85);
    EXPECT_EQ(m.PowerRecord()[3], 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].msg, devices::WM_USB_MAINMESS_POWER);
}

TEST_F(MouseTest, ReinitialisingWritesTheMarkIntoTheBlockItReads) {
    devices.Mouse().SetInfoByte(7, 0x05);
    auto& m = MakeMouse(false);
    int timer = 0;
    m.SetTimerRequest([&](int id, uint32_t) { timer = id; });
    EXPECT_EQ(m.ReinitialiseDevice(), 1);
    EXPECT_EQ(devices.Mouse().InfoBlock()[7], 0x12);
    EXPECT_EQ(devices.Mouse().InfoBlock()[5], 16);  // the rest as the device had it
    EXPECT_EQ(timer, 1001);
    // A block without the signature is never written back.
    devices.Mouse().SetInfoByte(0, 0);
    devices.Mouse().SetInfoByte(7, 0);
    EXPECT_EQ(m.ReinitialiseDevice(), 0);
    EXPECT_EQ(devices.Mouse().InfoBlock()[7], 0);
}

}  // namespace
