// Copies of set files (reset, import, export), the factory start-up rule, and how the area
// the four sets make keeps each set in its place.
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

TEST(ShootCopy, TheAreaKeepsEverySetsPlaceAndSendsTheLowBitsOfLargeDelays) {
    ShootFolder folder;
    profile::WriteJsonFile(folder.User() + shoot::SetFileName(0), shoot_test::CompleteSet());
    folder.Write(folder.User() + shoot::SetFileName(1), "[]");
    folder.Write(folder.User() + shoot::SetFileName(3), R"({"Events":[{"Delay":"70000"}]})");
    // Missing and unusable sets are items without events, so the others keep their numbers.
    const devices::mouse::ShootArea area = devices::mouse::BuildShootArea(folder.User());
    ASSERT_TRUE(area.bytes.has_value());
    EXPECT_EQ(area.eventCounts, (std::vector<size_t>{180, 0, 0, 1}));
    const std::vector<uint8_t>& a = *area.bytes;
    ASSERT_EQ(a.size(), 16u + 8 + (4 + 720) + 4 + 4 + (4 + 4));
    EXPECT_EQ(a[22] | a[23] << 8, 16 + 8 + 724 + 8);
    // Delay text takes the same rule as numbers; a macro still plays its longest delay.
    EXPECT_EQ(a[a.size() - 3], 0x11);
    Json::Value events(Json::arrayValue);
    events.append(Json::Value(Json::objectValue))["Delay"] = "70000";
    EXPECT_EQ(devices::mouse::EncodeEvents(events)[0][1], 0xFF);
}

}  // namespace
