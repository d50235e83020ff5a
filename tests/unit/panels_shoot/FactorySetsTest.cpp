// The factory sets shipped in DefaultData: complete sets in the form the shoot page writes, with
// values the mouse takes as they are, and four different patterns.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "panels/shoot/ShootFiles.h"
#include "profile/JsonFile.h"

namespace {

namespace shoot = panels::shoot;

TEST(FactoryShootSets, AreCompleteSetsAsThePageWritesThem) {
    std::set<std::string> patterns;
    for (int set = 0; set < shoot::kSetCount; ++set) {
        SCOPED_TRACE(set);
        const std::string path =
            std::string(T418_RESOURCES_DIR) + "DefaultData/" + shoot::SetFileName(set);
        const shoot::SetDocument document = shoot::LoadSet(path);
        ASSERT_TRUE(document.usable);
        const Json::Value& events = document.root["Events"];
        ASSERT_EQ(events.size(), 180u);
        std::string pattern;
        for (int b = 0; b < shoot::kBulletCount; ++b) {
            SCOPED_TRACE(b);
            for (Json::ArrayIndex e = 6 * b; e < 6u * b + 6; ++e) {
                EXPECT_TRUE(events[e]["Button"].isInt());
                EXPECT_TRUE(events[e]["Delay"].isInt());
            }
            // Writing the bullet as read gives back the same six events.
            const shoot::Bullet bullet = shoot::ReadBullet(document.root, b);
            Json::Value rewritten = document.root;
            shoot::WriteBullet(rewritten, b, bullet);
            EXPECT_EQ(rewritten, document.root);
            EXPECT_GE(bullet.x, 0);
            EXPECT_LE(bullet.x, 20);
            EXPECT_GE(bullet.y, 0);
            EXPECT_LE(bullet.y, 20);
            EXPECT_GE(bullet.delay, 30);  // some hundred shots a minute at most
            EXPECT_LE(bullet.delay, 500);
            pattern += std::to_string(bullet.left ? -bullet.x : bullet.x) + "," +
                       std::to_string(bullet.up ? -bullet.y : bullet.y) + ";";
        }
        patterns.insert(pattern);
    }
    EXPECT_EQ(patterns.size(), 4u);
}

}  // namespace
