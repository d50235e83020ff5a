// Copies of set files (reset, import, export), the factory start-up rule, and the area the
// four sets make for the mouse.
#include <gtest/gtest.h>

#include <string>

#include "devices/mouse/EventArea.h"
#include "devices/mouse/ShootArea.h"
#include "panels/shoot/ShootFiles.h"
#include "tests/unit/panels_shoot/ShootFolder.h"

namespace {

namespace shoot = panels::shoot;
using shoot_test::ShootFolder;

constexpr const char* kUserSet = R"({"Events":[],"Name":"the user's set"})";

TEST(ShootCopy, ASourceThatCannotBeReadLeavesTheTargetByteIdentical) {
    ShootFolder folder;
    const std::string target = folder.User() + shoot::SetFileName(0);
    folder.Write(target, kUserSet);
    std::filesystem::create_directory(folder.Outside("folder.shoot"));

    struct Source {
        std::string path;
        const char* reason;
    };
    for (const Source& source : {Source{folder.Outside("vanished.shoot"), "does not exist"},
                                 Source{folder.Outside("folder.shoot"), "is a folder"},
                                 Source{folder.Factory() + shoot::SetFileName(0), "not exist"}}) {
        SCOPED_TRACE(source.path);
        std::string error;
        EXPECT_FALSE(shoot::CopySetFile(source.path, target, &error));
        EXPECT_NE(error.find(source.reason), std::string::npos) << error;
        EXPECT_EQ(folder.Read(target), kUserSet);
    }
    // Nor is a missing target created from nothing.
    const std::string missing = folder.User() + shoot::SetFileName(1);
    EXPECT_FALSE(shoot::CopySetFile(folder.Outside("vanished.shoot"), missing, nullptr));
    EXPECT_FALSE(platform::FileExists(missing));
}

TEST(ShootCopy, ImportExportAndACopyOntoItself) {
    ShootFolder folder;
    const std::string user = folder.User() + shoot::SetFileName(2);
    folder.Write(user, kUserSet);

    // Export onto the user file itself changes nothing, through any spelling of its path.
    EXPECT_TRUE(shoot::CopySetFile(user, user, nullptr));
    EXPECT_TRUE(shoot::CopySetFile(user, folder.User() + "./" + shoot::SetFileName(2), nullptr));
    EXPECT_EQ(folder.Read(user), kUserSet);

    // Any spelling of the extension imports; the content is taken as it is.
    const std::string upper = folder.Outside("A.SHOOT");
    folder.Write(upper, "{\"Events\":[{\"Button\":3}]}\n");
    ASSERT_TRUE(shoot::CopySetFile(upper, user, nullptr));
    EXPECT_EQ(folder.Read(user), folder.Read(upper));

    const std::string exported = folder.Outside("out.shoot");
    folder.Write(exported, "older export");
    ASSERT_TRUE(shoot::CopySetFile(user, exported, nullptr));
    EXPECT_EQ(folder.Read(exported), folder.Read(user));

    // A folder in the target's place is not replaced.
    std::filesystem::create_directory(folder.Outside("taken"));
    std::string error;
    EXPECT_FALSE(shoot::CopySetFile(user, folder.Outside("taken"), &error));
    EXPECT_NE(error.find("is a folder"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Outside("taken")));
}

TEST(ShootCopy, MissingAndUnusableUserSetsGetTheFactorySet) {
    ShootFolder folder;
    for (int set = 0; set < 3; ++set)
        profile::WriteJsonFile(folder.Factory() + shoot::SetFileName(set),
                               shoot_test::CompleteSet(set));
    const std::string factory0 = folder.Read(folder.Factory() + shoot::SetFileName(0));
    // 0 missing, 1 not JSON, 2 the user's own, 3 missing with no factory set either.
    folder.Write(folder.User() + shoot::SetFileName(1), "garbage");
    folder.Write(folder.User() + shoot::SetFileName(2), kUserSet);

    EXPECT_EQ(shoot::EnsureUserSets(folder.User(), folder.Factory()), 2);
    EXPECT_EQ(folder.Read(folder.User() + shoot::SetFileName(0)), factory0);
    EXPECT_TRUE(shoot::LoadSet(folder.User() + shoot::SetFileName(1)).usable);
    EXPECT_EQ(folder.Read(folder.User() + shoot::SetFileName(2)), kUserSet);
    EXPECT_FALSE(std::filesystem::exists(folder.User() + shoot::SetFileName(3)));
    const std::vector<std::string> kept = folder.Kept(folder.User());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(folder.Read(kept[0]), "garbage");

    // Once all are there, nothing more is copied; an empty file is refilled without a copy.
    folder.Write(folder.User() + shoot::SetFileName(0), "");
    EXPECT_EQ(shoot::EnsureUserSets(folder.User(), folder.Factory()), 1);
    EXPECT_EQ(folder.Read(folder.User() + shoot::SetFileName(0)), factory0);
    EXPECT_EQ(folder.Kept(folder.User()).size(), 1u);

    // A user folder that does not exist yet is made.
    EXPECT_EQ(shoot::EnsureUserSets(folder.Outside("new/"), folder.Factory()), 3);
}

TEST(ShootCopy, TheAreaCarriesEachSetWholeWithTheLowBitsOfItsValues) {
    ShootFolder folder;
    for (int set = 0; set < 4; ++set)
        profile::WriteJsonFile(folder.User() + shoot::SetFileName(set), shoot_test::CompleteSet());
    const std::string set0 = folder.User() + shoot::SetFileName(0);
    ASSERT_TRUE(shoot::SaveBullet(set0, 0, {2, 6, 90, false, false}, nullptr));
    ASSERT_TRUE(shoot::SaveBullet(set0, 1, {300, 1, 70000, true, true}, nullptr));

    const devices::mouse::ShootArea area = devices::mouse::BuildShootArea(folder.User());
    ASSERT_TRUE(area.bytes.has_value());
    const std::vector<uint8_t>& a = *area.bytes;
    ASSERT_EQ(a.size(), 2920u);
    EXPECT_EQ(area.eventCounts, (std::vector<size_t>{180, 180, 180, 180}));
    EXPECT_EQ(a[0] | a[1] << 8, 0x55AA);
    EXPECT_EQ(a[2] | a[3] << 8, 2920);
    EXPECT_EQ(a[4], 4);
    const int offsets[] = {24, 748, 1472, 2196};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a[16 + 2 * i] | a[17 + 2 * i] << 8, offsets[i]) << i;
        EXPECT_EQ(a[offsets[i]] | a[offsets[i] + 1] << 8, 180) << i;
    }
    const std::vector<uint8_t> bullet0(a.begin() + 28, a.begin() + 52);
    EXPECT_EQ(bullet0, (std::vector<uint8_t>{0x0A, 0x00, 0x81, 0x01, 0x00, 0x00, 0x01, 0x01,
                                             0x05, 0x00, 0x04, 0x02, 0x5A, 0x00, 0x05, 0x06,
                                             0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00}));
    // Bullet 1: x 300 left is 0x2C, delay 70000 is 0x1170.
    EXPECT_EQ(a[52 + 8 + 2], 0x84);
    EXPECT_EQ(a[52 + 8 + 3], 0x2C);
    EXPECT_EQ(a[52 + 12], 0x70);
    EXPECT_EQ(a[52 + 13], 0x11);
    // Delays as text take the same rule; macros still play their longest delay instead.
    Json::Value events(Json::arrayValue);
    events.append(Json::Value(Json::objectValue))["Delay"] = "70000";
    namespace mouse = devices::mouse;
    EXPECT_EQ(mouse::EncodeEvents(events, mouse::DelayRule::kLow16)[0][1], 0x11);
    EXPECT_EQ(mouse::EncodeEvents(events)[0][1], 0xFF);

    // Missing and unusable sets are items without events; a set too large for the format
    // gives no area at all.
    folder.Write(folder.User() + shoot::SetFileName(1), "[]");
    std::filesystem::remove(folder.User() + shoot::SetFileName(2));
    const devices::mouse::ShootArea partial = devices::mouse::BuildShootArea(folder.User());
    ASSERT_TRUE(partial.bytes.has_value());
    EXPECT_EQ(partial.eventCounts, (std::vector<size_t>{180, 0, 0, 180}));
    EXPECT_EQ(partial.bytes->size(), 16u + 8 + 2 * (4 + 720) + 2 * 4);
    Json::Value huge(Json::objectValue);
    for (int e = 0; e < 17000; ++e)
        huge["Events"].append(Json::Value(Json::objectValue));
    profile::WriteJsonFile(folder.User() + shoot::SetFileName(2), huge);
    const devices::mouse::ShootArea oversized = devices::mouse::BuildShootArea(folder.User());
    EXPECT_FALSE(oversized.bytes.has_value());
    EXPECT_GT(oversized.size, 0xFFFFu);
}

}  // namespace
