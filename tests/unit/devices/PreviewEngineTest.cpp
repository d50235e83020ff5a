// The preview steps against their tables, with an injected clock.
#include <gtest/gtest.h>

#include <vector>

#include "devices/PreviewEngine.h"
#include "devices/PreviewTables.h"

namespace devices {
namespace {

profile::LightRecord Light(uint8_t brightness, uint8_t speed, uint8_t direction, bool multi,
                           uint8_t r = 10, uint8_t g = 20, uint8_t b = 30) {
    profile::LightRecord light;
    light.brightness = brightness;
    light.speed = speed;
    light.direction = direction;
    light.multiColour = multi ? 1 : 0;
    light.red = r;
    light.green = g;
    light.blue = b;
    return light;
}

TEST(PreviewTables, HoldTheirShapes) {
    const auto& wheel = ColourWheel();
    EXPECT_EQ(wheel[0], (Rgb{255, 1, 0}));
    EXPECT_EQ(wheel[31], (Rgb{255, 255, 0}));
    EXPECT_EQ(wheel[32], (Rgb{248, 255, 0}));
    EXPECT_EQ(wheel[96 + 31], (Rgb{0, 0, 255}));
    EXPECT_EQ(wheel[191], (Rgb{255, 0, 0}));
    for (int i = 192; i < 256; ++i)
        EXPECT_EQ(wheel[i], wheel[i - 192]) << i;
    const auto& curve = BreathCurve();
    const uint8_t rise[] = {0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,
                            16,  18,  20,  22,  24,  27,  30,  33,  36,  39,  42,  45,  49,
                            53,  57,  61,  65,  69,  73,  77,  81,  85,  89,  94,  99,  104,
                            109, 114, 119, 124, 129, 134, 140, 146, 152, 158, 164, 170, 176,
                            182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(curve[i], rise[i]) << i;
        EXPECT_EQ(curve[127 - i], rise[i]) << i;
    }
}

TEST(PreviewEngine, AdvanceCountsAndWraps) {
    EXPECT_EQ(Advance(0, 128, 0, 1), 127);
    EXPECT_EQ(Advance(1, 128, 127, 1), 0);
    EXPECT_EQ(Advance(1, 192, 191, 1), 0);
    EXPECT_EQ(Advance(0, 192, 0, 1), 191);
    EXPECT_EQ(Advance(0, 128, 5, 1), 4);
    EXPECT_EQ(Advance(1, 128, 5, 16), 21);
    // A counter left beyond the table by another mode comes back into it.
    EXPECT_EQ(Advance(1, 128, 150, 1), 23);
    EXPECT_EQ(Advance(0, 128, 200, 1), 71);
}

TEST(PreviewEngine, LevelsAndPaceAreBounded) {
    EXPECT_EQ(BrightnessLevel(0), 0);
    EXPECT_EQ(BrightnessLevel(3), 175);
    EXPECT_EQ(BrightnessLevel(4), 255);
    EXPECT_EQ(BrightnessLevel(9), 255) << "a brightness byte above 4 counts as 4";
    EXPECT_EQ(BrightnessLevel(255), 255);
    EXPECT_EQ(SpeedThreshold(0), 28);
    EXPECT_EQ(SpeedThreshold(4), 7);
    EXPECT_EQ(SpeedThreshold(5), 0);
    EXPECT_EQ(FlashIntervalMs(2), 3600u);
    EXPECT_EQ(FlashIntervalMs(200), 0u);
}

TEST(PreviewEngine, StaticShowsTheRecordAtItsBrightness) {
    EXPECT_EQ(PreviewStaticStep(Light(2, 0, 1, false)), (LedColour{10, 20, 30, 100}));
    EXPECT_EQ(PreviewStaticStep(Light(7, 0, 1, false)), (LedColour{10, 20, 30, 255}));
}

TEST(PreviewEngine, BreatheFollowsTheCurveScaledByBrightness) {
    PreviewState state;
    auto light = Light(3, 0, 1, false);
    for (int i = 1; i < 128; ++i) {
        LedColour c = PreviewBreatheStep(state, light);
        EXPECT_EQ(c.level, (BreathCurve()[i] * 175) >> 8) << i;
        EXPECT_EQ((Rgb{c.red, c.green, c.blue}), (Rgb{10, 20, 30}));
    }
    // Backwards the counter runs down from the top.
    PreviewState back;
    PreviewBreatheStep(back, Light(4, 0, 0, false));
    EXPECT_EQ(back.step, 127);
}

TEST(PreviewEngine, MulticolourBreathChangesColourEachBreathThirteenColours) {
    PreviewState state;
    auto light = Light(4, 0, 1, true);
    std::vector<int> colours;
    for (int breath = 0; breath < 14; ++breath) {
        for (int i = 0; i < 128; ++i)
            PreviewBreatheStep(state, light);
        colours.push_back(state.colour);
    }
    EXPECT_EQ(colours,
              (std::vector<int>{16, 32, 48, 64, 80, 96, 112, 128, 144, 160, 176, 192, 0, 16}));
    LedColour c = PreviewBreatheStep(state, light);
    EXPECT_EQ((Rgb{c.red, c.green, c.blue}), ColourWheel()[16]);
}

TEST(PreviewEngine, FourColourBreathCyclesTheFixedColours) {
    PreviewState state;
    auto light = Light(4, 0, 1, false);
    std::vector<Rgb> seen;
    for (int breath = 0; breath < 5; ++breath) {
        for (int i = 0; i < 128; ++i) {
            LedColour c = PreviewBreatheFourColoursStep(state, light);
            if (i == 0)
                seen.push_back(Rgb{c.red, c.green, c.blue});
        }
    }
    const auto& four = FourColours();
    EXPECT_EQ(seen, (std::vector<Rgb>{four[0], four[1], four[2], four[3], four[0]}));
}

TEST(PreviewEngine, ColourCycleWalksTheWheelBothWays) {
    PreviewState state;
    auto forward = Light(1, 0, 1, false);
    LedColour c = PreviewColourCycleStep(state, forward);
    EXPECT_EQ(state.step, 1);
    EXPECT_EQ((Rgb{c.red, c.green, c.blue}), ColourWheel()[1]);
    EXPECT_EQ(c.level, 50);
    state.step = 191;
    PreviewColourCycleStep(state, forward);
    EXPECT_EQ(state.step, 0);
    PreviewColourCycleStep(state, Light(1, 0, 0, false));
    EXPECT_EQ(state.step, 191);
}

TEST(PreviewEngine, FlashTogglesOnTheClockAcrossItsWrapAround) {
    auto light = Light(4, 2, 1, false);  // 18 x 200 ms
    PreviewState state;
    state.tick = 0xFFFFF000u;  // 4096 ms before the clock wraps
    EXPECT_EQ(PreviewFlashStep(state, light, 0xFFFFF000u + 3599), LedColour{});
    EXPECT_EQ(state.phase, 0);
    // 3600 ms later, on the other side of the wrap.
    LedColour on = PreviewFlashStep(state, light, 0xFFFFF000u + 3600);
    EXPECT_EQ(on, (LedColour{10, 20, 30, 255}));
    EXPECT_EQ(state.step, 16);
    EXPECT_EQ(state.tick, 0xFFFFF000u + 3600);
    EXPECT_EQ(PreviewFlashStep(state, light, state.tick + 3599), on);
    EXPECT_EQ(PreviewFlashStep(state, light, state.tick + 3600), LedColour{});
}

TEST(PreviewEngine, MulticolourFlashStepsThroughTheWheelAndStartsAgain) {
    auto light = Light(4, 4, 1, true);  // 7 x 200 ms
    PreviewState state;
    uint32_t now = 100000;
    std::vector<int> onSteps;
    for (int i = 0; i < 26; ++i) {
        now += 1400;
        LedColour c = PreviewFlashStep(state, light, now);
        if (state.phase) {
            onSteps.push_back(state.step);
            EXPECT_EQ((Rgb{c.red, c.green, c.blue}), ColourWheel()[state.step]);
        }
    }
    // Every other change lights up: steps 16, 48, ... then past 176 back to 0.
    EXPECT_EQ(onSteps,
              (std::vector<int>{16, 48, 80, 112, 144, 176, 16, 48, 80, 112, 144, 176, 16}));
}

TEST(PreviewEngine, FourColourFlashUsesTheFixedColours) {
    auto light = Light(2, 4, 1, false);
    PreviewState state;
    uint32_t now = 5000;
    LedColour c = PreviewFlashFourColoursStep(state, light, now);
    EXPECT_EQ(state.step, 1);
    EXPECT_EQ(c, (LedColour{0, 255, 0, 100}));
}

TEST(PreviewEngine, ModeChangeMidAnimationStaysInsideEveryTable) {
    // A colour cycle leaves the shared counter at 150, past the breathing curve and far past
    // the four colours; the next modes read their tables at reduced places.
    PreviewState state;
    auto light = Light(4, 4, 1, false);
    for (int i = 0; i < 150; ++i)
        PreviewColourCycleStep(state, light);
    ASSERT_EQ(state.step, 150);
    state.colour = 200;  // left by a multicolour breath

    LedColour breath = PreviewBreatheStep(state, light);
    EXPECT_EQ(state.step, 23);
    EXPECT_EQ(breath.level, (BreathCurve()[23] * 255) >> 8);

    PreviewState four = state;
    four.colour = 200;
    four.step = 127;
    LedColour c = PreviewBreatheFourColoursStep(four, light);
    EXPECT_EQ(four.colour, 0) << "past 3 the colour index starts again";
    EXPECT_EQ((Rgb{c.red, c.green, c.blue}), FourColours()[0]);

    PreviewState flash = state;
    flash.step = 150;
    flash.tick = 0;
    PreviewFlashFourColoursStep(flash, light, 10000);
    EXPECT_EQ(flash.step, 0);
    flash.step = 77;  // as a breath leaves it, then no phase change
    flash.phase = 1;
    LedColour lit = PreviewFlashFourColoursStep(flash, light, flash.tick + 1);
    EXPECT_EQ((Rgb{lit.red, lit.green, lit.blue}), FourColours()[77 % 4]);
}

}  // namespace
}  // namespace devices
