// The keyboard's connect sequence, maps, writes and power query against the simulator,
// packet by packet: on its cable through the program's own rows, and through the test
// table's receiver rows.
#include <algorithm>
#include <filesystem>

#include "devices/DeviceMessages.h"
#include "profile/JsonFile.h"
#include "tests/integration/keyboard/KeyboardFixture.h"

namespace {

using keyboardtest::KeyboardTest;
namespace kb = devices::keyboard;

constexpr uint8_t kBegin = 0x01, kEnd = 0x02, kReadInfo = 0x03, kReadMemory = 0x05,
                  kReadKeys = 0x07, kWriteKeys = 0x09, kReadShort = 0x1A, kReadKeyBytes = 0x1B,
                  kProbe = 0xAA;

std::vector<uint8_t> Repeat(uint8_t code, size_t n) {
    return std::vector<uint8_t>(n, code);
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST_F(KeyboardTest, TheRealRowsClaimTheKeyboardAsKindOne) {
    const auto claimed = Scan(false);
    int keyboardSlots = 0;
    for (const hid::DeviceIdentity& slot : claimed) {
        if (slot.ProductID != 0x0000)
            continue;
        ++keyboardSlots;
        EXPECT_EQ(slot.Kind, hid::kKindKeyboard);
    }
    EXPECT_EQ(keyboardSlots, 2) << "its command and event interfaces";
}

TEST_F(KeyboardTest, ConnectsOnItsCablePacketByPacket) {
    auto& k = MakeKeyboard(hid::kKindKeyboard);
    TakeRequestCodes();
    k.ConnectDevice();
    k.StopPreviewThread();
    // 104 slots: 312 key bytes in 56-byte packets, 104 key bytes, then the 45-byte block.
    EXPECT_EQ(TakeRequestCodes(), Join({{kBegin, kReadInfo},
                                        Repeat(kReadKeys, 6),
                                        Repeat(kReadKeyBytes, 2),
                                        {kEnd, kReadMemory, kReadMemory}}));
    EXPECT_TRUE(k.SettingsRead());
    // Every key's position found its slot, whatever order the keyboard lists them in.
    int mapped = 0;
    for (int p = 0; p < kb::kPositions; ++p) {
        const uint8_t slot = k.KeySlotMap()[static_cast<size_t>(p)];
        if (!kb::HasKey(p)) {
            EXPECT_EQ(slot, kb::kNoSlot) << p;
            continue;
        }
        ASSERT_NE(slot, kb::kNoSlot) << p;
        ++mapped;
        EXPECT_EQ(k.KeyData()[3 * slot + 2], kb::FactoryCode(p).param2);
        EXPECT_EQ(k.KeyByteMap()[static_cast<size_t>(p)], 0x80 | slot);
    }
    EXPECT_EQ(mapped, 104);
    EXPECT_NE(k.KeySlotMap()[0], 0) << "the identity table is not in page order";
    // The block is now the profile's, and the file holds it.
    const profile::LightRecord light = k.Profile().GetLightRecord();
    EXPECT_EQ(light.mode, 6);
    EXPECT_EQ(light.brightness, 4);
    EXPECT_EQ(light.speed, 2);
    EXPECT_EQ(light.direction, 1);
    EXPECT_EQ(light.red, 0x20);
    EXPECT_EQ(light.green, 0xC0);
    EXPECT_EQ(light.blue, 0xFF);
    const auto system = k.GetSystemWords();
    EXPECT_EQ(profile::LowHalf(system[1]), 1) << "Key6Flag from the block";
    EXPECT_EQ(profile::LowHalf(system[0]), 10) << "Repeat stays the profile's";
    EXPECT_TRUE(std::filesystem::exists(UserFolder() + "profile_test.Json"));
}

TEST_F(KeyboardTest, AKeyTableTooLargeIsNotReadAndTheTransactionEnds) {
    devices.Keyboard().SetInfoByte(5, 171);
    auto& k = MakeKeyboard(hid::kKindKeyboard);
    TakeRequestCodes();
    EXPECT_FALSE(k.ReadDeviceData());
    EXPECT_EQ(TakeRequestCodes(), (std::vector<uint8_t>{kBegin, kReadInfo, kEnd}));
    EXPECT_EQ(k.KeySlotMap()[0], kb::kNoSlot);
    EXPECT_FALSE(devices.Keyboard().InTransaction());
}

TEST_F(KeyboardTest, AMissingCodeMapsNowhereAndItsSlotIsNotWritten) {
    auto& k = MakeKeyboard(hid::kKindKeyboard);
    k.ReadDeviceData();
    // The key 'A' (position 64) reads as a disabled key in its slot.
    const size_t slotA = SlotOfCode(0x04);
    devices.Keyboard().SetKeyIdentity(slotA, kb::kKeyType, 0, 0);
    k.ReadDeviceData();
    k.LoadProfile();
    EXPECT_EQ(k.KeySlotMap()[64], kb::kNoSlot);
    EXPECT_EQ(k.KeyByteMap()[64], kb::kNoSlot);
    // Esc becomes shift + A; the upload writes only mapped slots.
    std::vector<profile::KeyRecord> records = k.GetKeyRecords();
    records[0].current.param1 = 0x02;
    records[0].current.param2 = 0x04;
    k.SetKeyRecords(records);
    TakeRequestCodes();
    EXPECT_EQ(k.WriteCurrentKeyAssignments(0), 1);
    const auto codes = TakeRequestCodes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), kWriteKeys), 6);
    const std::vector<uint8_t> map = devices.Keyboard().ActiveKeyMap(0);
    const size_t escSlot = k.KeySlotMap()[0];
    EXPECT_EQ((std::vector<uint8_t>(map.begin() + 3 * escSlot, map.begin() + 3 * escSlot + 3)),
              (std::vector<uint8_t>{0x20, 0x02, 0x04}));
    EXPECT_EQ((std::vector<uint8_t>(map.begin() + 3 * slotA, map.begin() + 3 * slotA + 3)),
              (std::vector<uint8_t>{0x20, 0x00, 0x00}))
        << "keyless positions leave the disabled slot alone";
    // Every other slot holds its own key.
    for (int p = 1; p < kb::kKeyPositions; ++p) {
        const uint8_t slot = k.KeySlotMap()[static_cast<size_t>(p)];
        if (slot != kb::kNoSlot) {
            EXPECT_EQ(map[3 * slot + 2], kb::FactoryCode(p).param2) << p;
        }
    }
}

TEST_F(KeyboardTest, MusicModesAreWrittenAsHostLitAndReadBackKeepingTheMode) {
    auto& k = MakeKeyboard(hid::kKindKeyboard);
    k.ConnectDevice();
    k.StopPreviewThread();
    for (uint8_t mode : {29, 30}) {
        profile::LightRecord light = k.Profile().GetLightRecord();
        light.mode = mode;
        light.red = 0x01;
        light.green = 0x02;
        light.blue = 0x03;
        const auto w = light.ToWords();
        k.SetLightSettings(w[0], w[1], w[2], w[3]);
        EXPECT_EQ(k.WriteSettings(0, 0, 1, 0, 0), 1);
        const std::vector<uint8_t> block = devices.Keyboard().Memory(0, 9);
        EXPECT_EQ(block[1], 0xFE);
        EXPECT_EQ((std::vector<uint8_t>(block.begin() + 6, block.end())),
                  (std::vector<uint8_t>{0x01, 0x02, 0x03}));
        EXPECT_EQ(k.ReadSettingsBlock(), 1);
        EXPECT_EQ(k.Profile().GetLightRecord().mode, mode);
    }
}

TEST_F(KeyboardTest, AModeWithoutCodeSendsNothing) {
    auto& k = MakeKeyboard(hid::kKindKeyboard);
    k.LoadProfile();
    profile::LightRecord light = k.Profile().GetLightRecord();
    light.mode = 40;
    const auto w = light.ToWords();
    k.SetLightSettings(w[0], w[1], w[2], w[3]);
    TakeRequestCodes();
    EXPECT_EQ(k.WriteSettings(0, 0, 1, 0, 0), 0);
    EXPECT_TRUE(TakeRequestCodes().empty());
}

TEST_F(KeyboardTest, AFailedOrImpossibleReadStoresNothing) {
    auto& k = MakeKeyboard(hid::kKindKeyboard);
    k.LoadProfile();
    profile::LightRecord light = k.Profile().GetLightRecord();
    light.mode = 2;
    light.red = 0x42;
    const auto w = light.ToWords();
    k.SetLightSettings(w[0], w[1], w[2], w[3]);
    k.SaveProfile();
    const std::string path = k.GetProfilePath();
    const Json::Value before = profile::LoadJsonFile(path);

    devices.Faults().SetStatusAt(0xFF, 2);  // the block itself is refused
    EXPECT_EQ(k.ReadSettingsBlock(), 0);
    devices.Faults().Clear();
    k.Channel().SetOpen(false);
    EXPECT_EQ(k.ReadSettingsBlock(), 0);
    EXPECT_EQ(k.WriteSettings(0, 0, 1, 0, 0), 0);
    EXPECT_FALSE(k.SettingsRead());
    EXPECT_EQ(k.Profile().GetLightRecord().red, 0x42);
    EXPECT_EQ(profile::LoadJsonFile(path), before);
}

TEST_F(KeyboardTest, AFailedWriteIsNotReportedAsSent) {
    auto& k = MakeKeyboard(hid::kKindKeyboard);
    k.LoadProfile();
    devices.Faults().SetStatusAt(0xFF, 2);  // the write itself is refused
    EXPECT_EQ(k.WriteSettings(0, 0, 1, 0, 0), 0);
    devices.Faults().Clear();
    EXPECT_EQ(k.WriteSettings(0, 0, 1, 0, 0), 1);
}

TEST_F(KeyboardTest, ConnectsThroughTheTestReceiverRows) {
    auto& k = MakeKeyboard(hid::kKindKeyboardReceiver);
    EXPECT_EQ(k.GetKind(), hid::kKindKeyboardReceiver);
    EXPECT_FALSE(eventPath.empty());
    TakeRequestCodes();
    k.ConnectDevice();
    k.StopPreviewThread();
    const auto codes = TakeRequestCodes();
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes[0], kProbe);
    EXPECT_EQ(codes[1], kBegin);
    EXPECT_EQ(codes[2], kReadInfo);
    // 24-byte packets: 312 key bytes in 13, 104 key bytes in 5, the block in 1 + 2.
    EXPECT_EQ(std::count(codes.begin(), codes.end(), kReadKeys), 13);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), kReadKeyBytes), 5);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), kReadMemory), 3);
    EXPECT_TRUE(k.SettingsRead());
    EXPECT_TRUE(k.ProbeWirelessLink());

    messages.clear();
    TakeRequestCodes();
    k.QueryPowerState();
    EXPECT_EQ(TakeRequestCodes(), (std::vector<uint8_t>{kProbe, kReadShort}));
    EXPECT_EQ(k.PowerRecord()[0], 90);
    EXPECT_EQ(k.PowerRecord()[3], 1) << "through the receiver";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].msg, devices::WM_USB_MAINMESS_POWER);
    EXPECT_EQ(messages[0].wParam, 2u) << "record byte 4";
}

TEST_F(KeyboardTest, TheProgramTakesTheLightsOnEitherPath) {
    for (uint16_t kind : {hid::kKindKeyboard, hid::kKindKeyboardReceiver}) {
        auto& k = MakeKeyboard(kind);
        TakeRequestCodes();
        k.SetLightControl(0);
        EXPECT_TRUE(TakeRequestCodes().empty()) << kind;
        k.SetLightControl(1);
        const auto codes = TakeRequestCodes();
        EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x1C), 1) << kind;
    }
    EXPECT_TRUE(devices.Keyboard().LightControlTaken());
}

TEST_F(KeyboardTest, PowerQueryFailsQuietly) {
    auto& k = MakeKeyboard(hid::kKindKeyboard);
    k.QueryPowerState();
    EXPECT_EQ(k.PowerRecord()[3], 0) << "on the cable";
    messages.clear();
    devices.SetLinked(false);
    auto& r = MakeKeyboard(hid::kKindKeyboardReceiver);
    r.QueryPowerState();
    EXPECT_FALSE(r.ProbeWirelessLink());
    EXPECT_TRUE(messages.empty());
}

}  // namespace
