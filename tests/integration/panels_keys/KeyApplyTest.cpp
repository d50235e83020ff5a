// The key page's apply sequence against the simulated mouse: the macros in use go first, in
// the order the keys use them, then the key map with each key's macro as its position in that
// order, then the profile; a refused upload writes nothing further.
#include <json/value.h>

#include <algorithm>

#include "panels/keys/KeyApply.h"
#include "profile/JsonFile.h"
#include "profile/MouseProfiledata.h"
#include "tests/integration/mouse/MouseFixture.h"
#include "tests/integration/mouse/TestMacros.h"

namespace {

constexpr uint8_t kKeyTableWrite = 0x09;
constexpr uint8_t kMacroWrite = 0x15;

class KeyApplyTest : public mousetest::MouseTest {
  protected:
    void WriteMacroFiles(const std::vector<int>& eventCounts) {
        t418test::WriteTestMacros(UserFolder(), eventCounts, "k");
    }

    devices::COrvaneMouseDevice& Connected(bool receiver) {
        auto& m = MakeMouse(receiver);
        EXPECT_TRUE(m.ReadDeviceData());
        EXPECT_EQ(m.LoadProfile(), 1);
        return m;
    }

    void AssignMacro(devices::COrvaneMouseDevice& m, int key, uint8_t macro) {
        std::vector<profile::KeyRecord> records = m.GetKeyRecords();
        records.at(static_cast<size_t>(key)).current = {static_cast<uint16_t>(key), 0x70, macro, 0,
                                                        0};
        m.SetKeyRecords(records);
    }

    // The key map bytes of page key `key`, through the slot the device gave it.
    std::vector<uint8_t> MapBytesOf(devices::COrvaneMouseDevice& m, int key) {
        const uint8_t slot = m.KeySlotMap().at(static_cast<size_t>(key));
        const auto map = devices.Mouse().ActiveKeyMap(0);
        return {map.begin() + 3 * slot, map.begin() + 3 * slot + 3};
    }

    uint32_t SavedAssignment(devices::COrvaneMouseDevice& m, int key) {
        profile::CMouseProfiledata saved;
        saved.LoadDocument(m.GetProfilePath());
        return saved.GetKeyList().at(static_cast<size_t>(key)).current.Code();
    }

    static bool Sent(const std::vector<uint8_t>& codes, uint8_t code) {
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    }
};

TEST_F(KeyApplyTest, MacrosGoInKeyOrderAndKeysReferToTheirPositions) {
    for (bool receiver : {false, true}) {
        SCOPED_TRACE(receiver ? "receiver" : "cable");
        auto& m = Connected(receiver);
        // Eight macros; 7 has 3 events and 4 has 5, so their items tell them apart.
        WriteMacroFiles({1, 1, 1, 1, 5, 1, 1, 3});
        AssignMacro(m, 2, 7);
        AssignMacro(m, 5, 7);
        AssignMacro(m, 3, 4);
        TakeRequestCodes();

        const panels::keys::ApplyOutcome outcome = panels::keys::ApplyKeysToDevice(m);
        EXPECT_EQ(outcome.used, (std::vector<int>{7, 4}));
        EXPECT_EQ(outcome.macroResult, 0);
        EXPECT_EQ(outcome.keyMapResult, 1);
        EXPECT_TRUE(outcome.saved);
        EXPECT_EQ(MapBytesOf(m, 2), (std::vector<uint8_t>{0x70, 0, 0}));
        EXPECT_EQ(MapBytesOf(m, 3), (std::vector<uint8_t>{0x70, 1, 0}));
        EXPECT_EQ(MapBytesOf(m, 5), (std::vector<uint8_t>{0x70, 0, 0}));
        // Header 16, offsets 2 x 2, items of 4 + 3 x 4 and 4 + 5 x 4 bytes.
        const auto area = devices.Mouse().MacroArea(64);
        EXPECT_EQ(area[4], 2);
        EXPECT_EQ(area[20], 3);  // the first item is macro 7
        EXPECT_EQ(area[36], 5);  // then macro 4
        // The profile keeps macro-list indices.
        EXPECT_EQ(SavedAssignment(m, 2), 0x700700u);
        EXPECT_EQ(SavedAssignment(m, 3), 0x700400u);
        mouse.reset();
    }
}

TEST_F(KeyApplyTest, WithoutMacrosInUseOnlyTheKeyMapIsSent) {
    auto& m = Connected(false);
    WriteMacroFiles({2, 2});
    std::vector<profile::KeyRecord> records = m.GetKeyRecords();
    records.at(2).current = {2, 0x20, 0x01, 0x06, 0};  // Ctrl+C
    m.SetKeyRecords(records);
    TakeRequestCodes();
    const panels::keys::ApplyOutcome outcome = panels::keys::ApplyKeysToDevice(m);
    const auto codes = TakeRequestCodes();
    EXPECT_TRUE(outcome.used.empty());
    EXPECT_EQ(outcome.keyMapResult, 1);
    EXPECT_FALSE(Sent(codes, kMacroWrite));
    EXPECT_TRUE(Sent(codes, kKeyTableWrite));
    EXPECT_EQ(MapBytesOf(m, 2), (std::vector<uint8_t>{0x20, 0x01, 0x06}));
    EXPECT_EQ(SavedAssignment(m, 2), 0x200106u);
}

TEST_F(KeyApplyTest, ARefusedUploadWritesNoKeyMapAndKeepsTheProfile) {
    auto& m = Connected(false);
    WriteMacroFiles({61});
    const uint32_t before = SavedAssignment(m, 2);
    const auto mapBefore = devices.Mouse().ActiveKeyMap(0);
    AssignMacro(m, 2, 0);
    TakeRequestCodes();
    int heard = 0;
    const panels::keys::ApplyOutcome outcome = panels::keys::ApplyKeysToDevice(
        m, [&](const panels::keys::ApplyOutcome& o) { heard = o.macroResult; });
    const auto codes = TakeRequestCodes();
    EXPECT_EQ(heard, 61);
    EXPECT_TRUE(outcome.refused);
    EXPECT_FALSE(outcome.saved);
    EXPECT_FALSE(Sent(codes, kMacroWrite));
    EXPECT_FALSE(Sent(codes, kKeyTableWrite));
    EXPECT_EQ(devices.Mouse().ActiveKeyMap(0), mapBefore);
    EXPECT_EQ(SavedAssignment(m, 2), before);
}

TEST_F(KeyApplyTest, ALinkLostMidwayFailsTheMacrosAndStillSavesTheProfile) {
    auto& m = Connected(true);
    WriteMacroFiles({2});
    AssignMacro(m, 2, 0);
    // The probe and the information block pass; the second link check finds no mouse.
    devices.Faults().SetUnlinkFrom(3);
    const panels::keys::ApplyOutcome outcome = panels::keys::ApplyKeysToDevice(m);
    EXPECT_EQ(outcome.macroResult, -1);
    EXPECT_EQ(outcome.keyMapResult, 0);
    EXPECT_TRUE(outcome.saved);
    EXPECT_EQ(SavedAssignment(m, 2), 0x700000u);
}

TEST_F(KeyApplyTest, AMouseOutOfReachFromTheStartIsNotAFailureAndTheProfileIsSaved) {
    auto& m = Connected(true);
    WriteMacroFiles({2});
    AssignMacro(m, 2, 0);
    devices.SetLinked(false);
    TakeRequestCodes();
    const panels::keys::ApplyOutcome outcome = panels::keys::ApplyKeysToDevice(m);
    EXPECT_EQ(outcome.macroResult, 0);
    EXPECT_EQ(outcome.keyMapResult, 0);
    EXPECT_TRUE(outcome.saved);
    EXPECT_EQ(SavedAssignment(m, 2), 0x700000u);
    EXPECT_FALSE(Sent(TakeRequestCodes(), kKeyTableWrite));
}

}  // namespace
