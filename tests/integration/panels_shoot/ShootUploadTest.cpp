// The shoot sets end to end: edited, reset and imported with the set-file rules, sent with the
// mouse's upload over the simulated bus, checked in the simulated mouse's shoot area and in the
// packets it received.
#include <gtest/gtest.h>

#include <algorithm>

#include "devices/mouse/ShootArea.h"
#include "panels/shoot/ShootFiles.h"
#include "platform/Folders.h"
#include "profile/JsonFile.h"
#include "tests/integration/mouse/MouseFixture.h"

namespace {

namespace shoot = panels::shoot;

constexpr uint8_t kBegin = 0x01;
constexpr uint8_t kEnd = 0x02;
constexpr uint8_t kShootWrite = 0x17;
constexpr uint8_t kLinkProbe = 0xAA;

struct Request {
    uint8_t code;
    std::vector<uint8_t> data;
};

class ShootUploadTest : public mousetest::MouseTest {
  protected:
    std::string SetPath(int set) const { return UserFolder() + shoot::SetFileName(set); }

    // The factory sets of the source tree, as the shoot page's start copies them.
    void FactorySets() {
        ASSERT_EQ(shoot::EnsureUserSets(UserFolder(), platform::DefaultDataFolder()), 4);
    }

    std::vector<Request> TakeRequests() {
        std::vector<Request> requests;
        for (const auto& entry : devices.Log().Entries()) {
            if (!entry.request || entry.bytes.size() < hid::kPacketSize)
                continue;
            const uint8_t length = entry.bytes[hid::kOffsetLength];
            const auto data = entry.bytes.begin() + hid::kOffsetData;
            requests.push_back({entry.bytes[hid::kOffsetCode],
                                {data, data + std::min<size_t>(length, hid::kMaxPacketData)}});
        }
        devices.Log().Clear();
        return requests;
    }

    // Bullet b of set s in the area: the item's offset, its 4-byte head, 24 bytes a bullet.
    static size_t BulletAt(const std::vector<uint8_t>& area, int set, int bullet) {
        const size_t item = area.at(16 + 2 * set) | area.at(17 + 2 * set) << 8;
        return item + 4 + 24 * static_cast<size_t>(bullet);
    }
};

TEST_F(ShootUploadTest, FourCompleteSetsTravelWholeOverBothLinks) {
    for (bool receiver : {false, true}) {
        SCOPED_TRACE(receiver ? "receiver" : "cable");
        std::filesystem::remove_all(UserFolder());
        FactorySets();
        ASSERT_TRUE(shoot::SaveBullet(SetPath(0), 0, {2, 6, 90, false, false}, nullptr));
        auto& m = MakeMouse(receiver);
        TakeRequests();

        ASSERT_EQ(m.WriteShootData(), 1);
        const std::vector<Request> sent = TakeRequests();
        const std::optional<std::vector<uint8_t>> expected =
            devices::mouse::BuildShootArea(UserFolder()).bytes;
        ASSERT_TRUE(expected.has_value());
        ASSERT_EQ(expected->size(), 2920u);

        // Begin, 53 full-packet chunks of the area in order, end.
        std::vector<uint8_t> written;
        int chunks = 0;
        bool begun = false, ended = false;
        for (const Request& r : sent) {
            if (r.code == kBegin)
                begun = true;
            if (r.code == kShootWrite) {
                EXPECT_TRUE(begun && !ended);
                EXPECT_EQ(r.data.size(), ++chunks < 53 ? 56u : 8u);
                written.insert(written.end(), r.data.begin(), r.data.end());
            }
            if (r.code == kEnd && begun && chunks > 0)
                ended = true;
        }
        EXPECT_EQ(chunks, 53);
        EXPECT_TRUE(ended);
        EXPECT_EQ(written, *expected);

        const std::vector<uint8_t> area = devices.Mouse().ShootArea(2920);
        EXPECT_EQ(area, *expected);
        EXPECT_EQ(area[2] | area[3] << 8, 2920);
        const int offsets[] = {24, 748, 1472, 2196};
        for (int set = 0; set < 4; ++set) {
            EXPECT_EQ(area[16 + 2 * set] | area[17 + 2 * set] << 8, offsets[set]);
            EXPECT_EQ(area[offsets[set]] | area[offsets[set] + 1] << 8, 180);
        }
        const size_t at = BulletAt(area, 0, 0);
        EXPECT_EQ((std::vector<uint8_t>(area.begin() + at, area.begin() + at + 24)),
                  (std::vector<uint8_t>{0x0A, 0x00, 0x81, 0x01, 0x00, 0x00, 0x01, 0x01,
                                        0x05, 0x00, 0x04, 0x02, 0x5A, 0x00, 0x05, 0x06,
                                        0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00}));
    }
}

TEST_F(ShootUploadTest, ValuesBeyondWhatTheMouseTakesReachItAsTheirLowBits) {
    FactorySets();
    // As typed into the edits: x "300" to the left, delay "70000".
    ASSERT_TRUE(shoot::SaveBullet(
        SetPath(3), 29,
        {shoot::LeadingNumber("300"), 5, shoot::LeadingNumber("70000"), true, false}, nullptr));
    // A hand-made set holding its delay as text goes the same way.
    Json::Value set1 = shoot::LoadSet(SetPath(1)).root;
    set1["Events"][3]["Delay"] = "70000";
    ASSERT_EQ(profile::WriteJsonFile(SetPath(1), set1), 0);
    auto& m = MakeMouse(false);

    ASSERT_EQ(m.WriteShootData(), 1);
    const std::vector<uint8_t> area = devices.Mouse().ShootArea(2920);
    const size_t last = BulletAt(area, 3, 29);
    EXPECT_EQ(area[last + 10], 0x84);  // horizontal, "down": to the left
    EXPECT_EQ(area[last + 11], 0x2C);
    EXPECT_EQ(area[last + 12], 0x70);
    EXPECT_EQ(area[last + 13], 0x11);
    const size_t first = BulletAt(area, 1, 0);
    EXPECT_EQ(area[first + 12] | area[first + 13] << 8, 0x1170);
}

TEST_F(ShootUploadTest, AnImportChangesTheFileAtOnceAndTheMouseOnlyAtTheUpload) {
    FactorySets();
    auto& m = MakeMouse(false);
    ASSERT_EQ(m.WriteShootData(), 1);
    const std::vector<uint8_t> before = devices.Mouse().ShootArea(2920);

    // Set 3's pattern imported as set 1, from a file named with any case of the extension.
    const std::string imported = (folder / "B.SHOOT").string();
    ASSERT_TRUE(shoot::CopySetFile(SetPath(3), imported, nullptr));
    ASSERT_TRUE(shoot::CopySetFile(imported, SetPath(1), nullptr));
    const shoot::Bullet shown = shoot::ReadBullet(shoot::LoadSet(SetPath(1)).root, 12);
    EXPECT_EQ(shown, shoot::ReadBullet(shoot::LoadSet(SetPath(3)).root, 12));
    EXPECT_EQ(devices.Mouse().ShootArea(2920), before);

    ASSERT_EQ(m.WriteShootData(), 1);
    const std::vector<uint8_t> after = devices.Mouse().ShootArea(2920);
    EXPECT_NE(after, before);
    EXPECT_TRUE(std::equal(after.begin() + 748, after.begin() + 1472, after.begin() + 2196));
}

TEST_F(ShootUploadTest, AnUploadThatCannotBeMadeSendsNothingAndSaysSo) {
    FactorySets();
    {
        // The receiver without its mouse: the link probe and nothing else.
        auto& m = MakeMouse(true);
        devices.SetLinked(false);
        TakeRequests();
        EXPECT_EQ(m.WriteShootData(), 0);
        const std::vector<Request> sent = TakeRequests();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].code, kLinkProbe);
        EXPECT_TRUE(devices.Mouse().ShootArea(4).empty() ||
                    devices.Mouse().ShootArea(4) == std::vector<uint8_t>(4, 0));
        devices.SetLinked(true);
    }
    {
        // The mouse refuses a chunk half-way: the upload reports it did not write.
        auto& m = MakeMouse(false);
        devices.Faults().SetStatusAt(0xFE, 20);
        EXPECT_EQ(m.WriteShootData(), 0);
        devices.Faults().Clear();
        EXPECT_EQ(m.WriteShootData(), 1);
    }
}

}  // namespace
