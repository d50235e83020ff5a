// The shared effects of the light synchronisation as pure steps: levels, the breathing and
// flash wheels, the pass counter, and the kind tables of same mode.
#include <gtest/gtest.h>

#include "panels/sync/SameMode.h"
#include "panels/sync/SyncEffects.h"

namespace {

using namespace panels::sync;

constexpr uint8_t LevelOf(uint32_t packed) {
    return static_cast<uint8_t>(packed >> 24);
}

SyncParams Params(SharedEffect effect, uint8_t brightness, uint8_t speed = 0) {
    SyncParams p;
    p.effect = effect;
    p.brightness = brightness;
    p.speed = speed;
    p.red = 10;
    p.green = 20;
    p.blue = 30;
    return p;
}

TEST(SyncEffects, StaticPacksRedGreenBlueAndTheLevel) {
    SyncEffectState state;
    EXPECT_EQ(SyncStep(state, Params(SharedEffect::Static, 3), 0), 0xAF1E140Au);
    // Multicolour does not change the static colour; a brightness past the scale counts as 4.
    SyncParams p = Params(SharedEffect::Static, 200);
    p.multiColour = 1;
    EXPECT_EQ(SyncStep(state, p, 0), 0xFF1E140Au);
    EXPECT_EQ(state, SyncEffectState{});
}

TEST(SyncEffects, BreathingLevelsAtTheTurnsOfABreath) {
    auto levelAt = [](uint8_t phaseBefore, uint8_t direction, uint8_t brightness) {
        SyncEffectState state;
        state.breathPhase = phaseBefore;
        SyncParams p = Params(SharedEffect::Breathing, brightness);
        p.direction = direction;
        return LevelOf(SyncStep(state, p, 0));
    };
    EXPECT_EQ(levelAt(62, 1, 4), 254);  // phase 63: 255 * 255 / 256
    EXPECT_EQ(levelAt(65, 0, 4), 254);  // phase 64
    EXPECT_EQ(levelAt(127, 1, 4), 0);   // phase 0
    EXPECT_EQ(levelAt(0, 0, 4), 0);     // backwards from 0: phase 127
    EXPECT_EQ(levelAt(62, 1, 2), 99);   // 100 * 255 / 256
}

TEST(SyncEffects, MulticolourBreathingMovesTheWheelTwicePerBreath) {
    SyncEffectState state;
    SyncParams p = Params(SharedEffect::Breathing, 4);
    p.multiColour = 1;
    p.direction = 1;
    for (int i = 0; i < 128; ++i)
        SyncStep(state, p, 0);
    EXPECT_EQ(state.breathPhase, 0);
    EXPECT_EQ(state.breathWheel, 32);  // at phase 1 and at phase 0
    state.breathWheel = 176;
    state.breathPhase = 127;
    SyncStep(state, p, 0);
    EXPECT_EQ(state.breathWheel, 0);  // 192 or more becomes 0
    // Without multicolour the wheel stays and the colour is the user's.
    p.multiColour = 0;
    state = {};
    state.breathPhase = 62;
    EXPECT_EQ(SyncStep(state, p, 0) & 0xFFFFFF, 0x1E140Au);
    EXPECT_EQ(state.breathWheel, 0);
}

TEST(SyncEffects, FlashTogglesAfterItsIntervalAndWrapsItsWheel) {
    SyncEffectState state;
    SyncParams p = Params(SharedEffect::Flash, 4, 4);  // 1400 ms
    p.multiColour = 1;
    state.flashWheel = 182;
    state.flashToggle = 1000;
    EXPECT_EQ(SyncStep(state, p, 2399), 0u);  // not yet: still off
    EXPECT_EQ(state.flashWheel, 182);
    const uint32_t on = SyncStep(state, p, 2400);
    EXPECT_EQ(state.flashWheel, 0);  // 196 becomes 0, not 4
    EXPECT_EQ(state.flashOn, 1);
    EXPECT_EQ(on, 0xFF0001FFu);               // wheel entry 0 (255, 1, 0) at full level
    EXPECT_EQ(SyncStep(state, p, 3800), 0u);  // off again
    // Across the tick count's wrap-around the difference still counts.
    state.flashToggle = 0xFFFFFF00u;
    SyncStep(state, p, 1200);
    EXPECT_EQ(state.flashOn, 1);
    // Speeds 5-14 (and any byte above) toggle on every step.
    SyncParams fast = Params(SharedEffect::Flash, 1, 255);
    SyncEffectState f;
    f.flashToggle = 77;
    SyncStep(f, fast, 77);
    SyncStep(f, fast, 77);
    EXPECT_EQ(f.flashOn, 0);
    EXPECT_EQ(f.flashWheel, 28);
}

TEST(SyncEffects, CycleWalksTheWheelAndOffIsDark) {
    SyncEffectState state;
    state.cycleWheel = 191;
    EXPECT_EQ(SyncStep(state, Params(SharedEffect::Cycle, 1), 0), 0x320001FFu);
    EXPECT_EQ(state.cycleWheel, 0);
    EXPECT_EQ(SyncStep(state, Params(SharedEffect::Off, 4), 0), 0u);
}

TEST(SyncEffects, PassesCountOnlyTickChangesOfTwoOrMore) {
    SyncPassCounter counter{1000, 0};
    // Speed 5 or more: a step on every pass, moved or not.
    EXPECT_TRUE(CountPass(counter, 1000, 5));
    EXPECT_TRUE(CountPass(counter, 1000, 14));
    // Speed 0: 28 counted changes; moves of 0 and 1 ms since the last counted one do not
    // count.
    counter = {1000, 0};
    uint32_t now = 1000;
    int passes = 0;
    constexpr uint32_t kMoves[] = {1, 0, 2};
    for (;;) {
        now += kMoves[passes % 3];
        ++passes;
        if (CountPass(counter, now, 0))
            break;
        ASSERT_LT(passes, 1000);
    }
    EXPECT_EQ(passes, 28 * 3);
    EXPECT_EQ(counter.passes, 0u);
}

TEST(SameModeTables, ModesTranslateThroughTheSharedEffects) {
    EXPECT_EQ(SharedEffectOf(2, 0), SharedEffect::Static);
    EXPECT_EQ(SharedEffectOf(6, 4), SharedEffect::Off);
    EXPECT_EQ(SharedEffectOf(2, 7), std::nullopt);  // reactive: none
    EXPECT_EQ(SharedEffectOf(9, 23), SharedEffect::Flash);
    EXPECT_EQ(SharedEffectOf(7, 8), SharedEffect::Off);
    EXPECT_EQ(SharedEffectOf(4, 1), std::nullopt);  // no table for the kind
    EXPECT_EQ(ModeOf(1, SharedEffect::Static), 6);
    EXPECT_EQ(ModeOf(3, SharedEffect::Static), 3);
    EXPECT_EQ(ModeOf(7, SharedEffect::Breathing), 2);
    EXPECT_EQ(ModeOf(5, SharedEffect::Static), std::nullopt);
    // Each kind's table is a one-to-one map.
    for (int kind : {1, 2, 3}) {
        for (int s = 0; s < kSharedEffects; ++s) {
            const auto effect = static_cast<SharedEffect>(s);
            EXPECT_EQ(SharedEffectOf(kind, *ModeOf(kind, effect)), effect);
        }
    }
}

}  // namespace
