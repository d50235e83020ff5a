// The keyboard-style reactive primitives and the indexed control names.
#include <gtest/gtest.h>

#include "devices/IndexedName.h"
#include "devices/ReactiveState.h"

namespace devices {
namespace {

uint8_t FadeOnce(uint8_t v, int mode) {
    ReactiveState state;
    state.keyIntensity[4] = v;
    state.FadeKey(3, mode);
    return state.keyIntensity[4];
}

TEST(ReactiveState, FadeRatesByMode) {
    EXPECT_EQ(FadeOnce(200, 0), 160);
    EXPECT_EQ(FadeOnce(70, 0), 40);
    EXPECT_EQ(FadeOnce(40, 0), 25);
    EXPECT_EQ(FadeOnce(20, 0), 12);
    EXPECT_EQ(FadeOnce(16, 0), 15);
    EXPECT_EQ(FadeOnce(0, 0), 0);
    EXPECT_EQ(FadeOnce(40, 3), 30);
    EXPECT_EQ(FadeOnce(17, 3), 9);
    EXPECT_EQ(FadeOnce(200, 29), 155);
    EXPECT_EQ(FadeOnce(100, 29), 65);
    EXPECT_EQ(FadeOnce(5, 29), 4);
}

TEST(ReactiveState, Mode29FadeStopsAtZeroInsteadOfWrappingToBright) {
    EXPECT_EQ(FadeOnce(16, 29), 0);
    EXPECT_EQ(FadeOnce(31, 29), 0);
    EXPECT_EQ(FadeOnce(34, 29), 0);
    // A key fades all the way down and stays there.
    ReactiveState state;
    state.keyIntensity[1] = 255;
    for (int i = 0; i < 40; ++i) {
        uint8_t before = state.keyIntensity[1];
        state.FadeKey(0, 29);
        EXPECT_LE(state.keyIntensity[1], before);
    }
    EXPECT_EQ(state.keyIntensity[1], 0);
}

TEST(ReactiveState, KeyIndexesOutsideTheTableAreIgnored) {
    ReactiveState state;
    state.keyIntensity.fill(100);
    state.FadeKey(-1, 0);
    state.FadeKey(170, 0);
    for (uint8_t v : state.keyIntensity)
        EXPECT_EQ(v, 100);
    state.FadeKey(169, 0);  // the last key, entry 170
    EXPECT_EQ(state.keyIntensity[170], 70);
}

TEST(ReactiveState, RingRotatesAndLightsPressedKeys) {
    ReactiveState state;
    state.ring[22] = 1;
    state.RotateRing(true);
    EXPECT_EQ(state.ring[0], 1);
    EXPECT_EQ(state.ring[22], 0);
    state.RotateRing(false);
    EXPECT_EQ(state.ring[22], 1);
    EXPECT_EQ(state.ring[0], 0);

    state.ring.fill(0);
    state.ring[0] = 1;
    state.ring[8] = 1;
    state.ring[9] = 1;  // beyond the nine pressed keys
    state.LightPressedKeys();
    EXPECT_EQ(state.keyIntensity[1], 255);
    EXPECT_EQ(state.keyIntensity[9], 255);
    EXPECT_EQ(state.keyIntensity[10], 0);
    state.Clear();
    EXPECT_EQ(state.keyIntensity[1], 0);
    EXPECT_EQ(state.ring[8], 0);
}

TEST(IndexedName, SplitsAtTheLastUnderscoreAndChecksTheRange) {
    auto name = SplitIndexedName("light_0_12");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->prefix, "light_0_");
    EXPECT_EQ(name->number, 12);
    EXPECT_FALSE(SplitIndexedName("logo"));
    EXPECT_EQ(SplitIndexedName("key_")->number, 0);
    EXPECT_EQ(SplitIndexedName("key_-1")->number, -1);

    EXPECT_EQ(IndexFor("KEY_3", "key_", 11), 3u);
    EXPECT_EQ(IndexFor("key_10", "key_", 11), 10u);
    EXPECT_FALSE(IndexFor("key_11", "key_", 11));
    EXPECT_FALSE(IndexFor("key_-1", "key_", 11));
    EXPECT_FALSE(IndexFor("key_99999999999", "key_", 11));
    EXPECT_FALSE(IndexFor("light_3", "key_", 11));
    EXPECT_FALSE(IndexFor("key3", "key_", 11));
}

}  // namespace
}  // namespace devices
