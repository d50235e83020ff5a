// A bullet in a set file: the six events it is written as, what else a save keeps, how a
// bullet is read back, the edits' numbers, and files that are not sets.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "panels/shoot/ShootFiles.h"
#include "profile/JsonAccess.h"
#include "tests/unit/panels_shoot/ShootFolder.h"

namespace {

namespace shoot = panels::shoot;
using shoot_test::ShootFolder;

Json::Value Event(const char* action, int button, int delay, int type) {
    Json::Value event(Json::objectValue);
    event["Action"] = action;
    event["Button"] = button;
    event["Delay"] = delay;
    event["Type"] = type;
    return event;
}

TEST(ShootBullet, ASaveWritesSixEventsAndKeepsTheRestOfTheFile) {
    ShootFolder folder;
    const std::string path = folder.User() + shoot::SetFileName(0);
    EXPECT_EQ(shoot::SetFileName(0), "ShootData_0.Shoot");
    folder.Write(path, R"({"Events":[],"Name":"x"})");

    ASSERT_TRUE(shoot::SaveBullet(path, 0, {2, 6, 90, false, false}, nullptr));
    Json::Value saved = folder.Parse(path);
    EXPECT_EQ(saved["Name"], "x");
    ASSERT_EQ(saved["Events"].size(), 6u);
    EXPECT_EQ(saved["Events"][0], Event("down", 1, 10, 1));
    EXPECT_EQ(saved["Events"][1], Event("up", 1, 0, 1));
    EXPECT_EQ(saved["Events"][2], Event("up", 2, 5, 4));   // right
    EXPECT_EQ(saved["Events"][3], Event("up", 6, 90, 5));  // down
    EXPECT_EQ(saved["Events"][4], Event("up", 0, 0, 4));
    EXPECT_EQ(saved["Events"][5], Event("up", 0, 0, 5));
    EXPECT_TRUE(saved["Events"][3]["Delay"].isInt());  // a number, not text

    // Left and up are the "down" actions of both moves.
    ASSERT_TRUE(shoot::SaveBullet(path, 0, {7, 8, 9, true, true}, nullptr));
    saved = folder.Parse(path);
    EXPECT_EQ(saved["Events"][2], Event("down", 7, 5, 4));
    EXPECT_EQ(saved["Events"][3], Event("down", 8, 9, 5));
    EXPECT_EQ(saved["Events"][4]["Action"], "down");
    EXPECT_EQ(saved["Events"][5]["Action"], "down");
    EXPECT_EQ(shoot::ReadBullet(saved, 0), (shoot::Bullet{7, 8, 9, true, true}));
}

TEST(ShootBullet, ASaveTouchesItsOwnSixElementsOnly) {
    ShootFolder folder;
    const std::string path = folder.User() + shoot::SetFileName(1);
    Json::Value before = shoot_test::CompleteSet();
    before["Events"][31]["Extra"] = "kept";  // a member the rules do not know
    profile::WriteJsonFile(path, before);

    ASSERT_TRUE(shoot::SaveBullet(path, 5, {300, 12, 70000, true, false}, nullptr));
    const Json::Value after = folder.Parse(path);
    ASSERT_EQ(after["Events"].size(), 180u);
    for (Json::ArrayIndex e = 0; e < 180; ++e) {
        if (e < 30 || e > 35) {
            EXPECT_EQ(after["Events"][e], before["Events"][e]) << e;
        }
    }
    EXPECT_EQ(after["Events"][31]["Extra"], "kept");
    // Values beyond what the mouse takes are stored as entered.
    EXPECT_EQ(after["Events"][32]["Button"], 300);
    EXPECT_EQ(after["Events"][33]["Delay"], 70000);
    EXPECT_EQ(shoot::ReadBullet(after, 5), (shoot::Bullet{300, 12, 70000, true, false}));
    EXPECT_EQ(shoot::ReadBullet(after, 4), (shoot::Bullet{4, 8, 104, false, false}));
}

TEST(ShootBullet, ABulletPastTheEndKeepsItsPlaceAndMissingPartsReadAsNothing) {
    ShootFolder folder;
    const std::string path = folder.User() + shoot::SetFileName(2);
    // No file yet: the save makes one.
    ASSERT_TRUE(shoot::SaveBullet(path, 3, {4, 5, 6, false, true}, nullptr));
    const Json::Value saved = folder.Parse(path);
    ASSERT_EQ(saved["Events"].size(), 24u);
    for (Json::ArrayIndex e = 0; e < 18; ++e)
        EXPECT_TRUE(saved["Events"][e].isObject()) << e;  // events that do nothing, not nulls
    EXPECT_EQ(saved["Events"][20]["Button"], 4);
    EXPECT_EQ(shoot::ReadBullet(saved, 0), shoot::Bullet{});
    EXPECT_EQ(shoot::ReadBullet(saved, 29), shoot::Bullet{});
    EXPECT_EQ(shoot::ReadBullet(saved, -1), shoot::Bullet{});
    EXPECT_EQ(shoot::ReadBullet(saved, 30), shoot::Bullet{});

    std::string error;
    EXPECT_FALSE(shoot::SaveBullet(path, 30, {1, 1, 1, false, false}, &error));
    EXPECT_NE(error.find("no bullet 30"), std::string::npos);
    EXPECT_EQ(folder.Parse(path), saved);

    // A hand-made file may hold the numbers as text.
    folder.Write(path, R"({"Events":[{},{},{"Action":"down","Button":"12"},)"
                       R"({"Action":"up","Button":"7px","Delay":"90"}]})");
    EXPECT_EQ(shoot::ReadBullet(shoot::LoadSet(path).root, 0),
              (shoot::Bullet{12, 7, 90, true, false}));
}

TEST(ShootBullet, EditTextsReadAsTheirLeadingNumber) {
    EXPECT_EQ(shoot::LeadingNumber("300"), 300);
    EXPECT_EQ(shoot::LeadingNumber("12abc"), 12);
    EXPECT_EQ(shoot::LeadingNumber(""), 0);
    EXPECT_EQ(shoot::LeadingNumber("abc"), 0);
    EXPECT_EQ(shoot::LeadingNumber("-3"), 0);
    EXPECT_EQ(shoot::LeadingNumber("007"), 7);
    EXPECT_EQ(shoot::LeadingNumber("99999999999999999999"), INT_MAX);
}

// Each case: the file's text, whether it is a usable set, and whether its other root members
// survive a save.
struct HostileCase {
    const char* text;
    bool usable;
    bool membersKept;
};

TEST(ShootBullet, HostileFilesNeverCrashAndUnusableOnesAreKeptBeforeASave) {
    const std::string deep = std::string(5000, '[') + std::string(5000, ']');
    const HostileCase cases[] = {
        {"not json at all", false, false},
        {"[1, 2, 3]", false, false},
        {"\"Events\"", false, false},
        {R"({"Events": "none", "Name": "mine"})", false, true},
        {R"({"Events": {"0": 1}})", false, true},
        {deep.c_str(), false, false},
        {"\x01\xff\xfe{", false, false},
        {R"({"Events": [1, "a", null, [], {"Button": "abc", "Delay": {}, "Action": 5}]})", true,
         true},
        {R"({"Events": [{}, {}, {"Button": [1], "Action": {}}, {"Delay": 1e300}]})", true, true},
        {R"({"Name": "no events yet"})", true, true},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(std::string(c.text).substr(0, 60));
        ShootFolder folder;
        const std::string path = folder.User() + shoot::SetFileName(3);
        folder.Write(path, c.text);

        const shoot::SetDocument loaded = shoot::LoadSet(path);
        EXPECT_TRUE(loaded.exists);
        EXPECT_EQ(loaded.usable, c.usable);
        EXPECT_TRUE(loaded.root.isObject());
        for (int b = 0; b < shoot::kBulletCount; ++b)
            shoot::ReadBullet(loaded.root, b);
        if (!c.usable) {
            EXPECT_EQ(profile::json::ArraySize(loaded.root["Events"]), 0u);
        }

        std::string error;
        ASSERT_TRUE(shoot::SaveBullet(path, 1, {1, 2, 3, true, false}, &error)) << error;
        const Json::Value saved = folder.Parse(path);
        EXPECT_EQ(shoot::ReadBullet(saved, 1), (shoot::Bullet{1, 2, 3, true, false}));
        const std::vector<std::string> kept = folder.Kept(folder.User());
        if (c.usable) {
            EXPECT_TRUE(kept.empty());
        } else {
            ASSERT_EQ(kept.size(), 1u);
            EXPECT_EQ(folder.Read(kept[0]), c.text);  // byte for byte
            EXPECT_EQ(kept[0].rfind(path + ".", 0), 0u);
            EXPECT_EQ(saved["Events"].size(), 12u);  // a fresh set holding bullet 1
        }
        EXPECT_EQ(saved.isMember("Name"),
                  c.membersKept && std::string(c.text).find("Name") != std::string::npos);
    }
}

TEST(ShootBullet, WhatCannotBeReadIsNeverReplaced) {
    ShootFolder folder;
    const std::string path = folder.User() + shoot::SetFileName(0);
    std::filesystem::create_directory(path);
    const shoot::SetDocument loaded = shoot::LoadSet(path);
    EXPECT_TRUE(loaded.exists);
    EXPECT_FALSE(loaded.usable);
    std::string error;
    EXPECT_FALSE(shoot::SaveBullet(path, 0, {1, 1, 1, false, false}, &error));
    EXPECT_NE(error.find("is a folder"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_TRUE(folder.Kept(folder.User()).empty());

    // An empty file holds nothing worth keeping: it is simply filled.
    const std::string empty = folder.User() + shoot::SetFileName(1);
    folder.Write(empty, "");
    EXPECT_FALSE(shoot::LoadSet(empty).usable);
    ASSERT_TRUE(shoot::SaveBullet(empty, 0, {1, 1, 1, false, false}, nullptr));
    EXPECT_EQ(folder.Parse(empty)["Events"].size(), 6u);
    EXPECT_TRUE(folder.Kept(folder.User()).empty());
}

}  // namespace
