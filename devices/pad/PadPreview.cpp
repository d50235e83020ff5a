// The pad's own LED preview: neon, wave and reactive round its LEDs (in page order: round the
// edge clockwise from the back left corner, the hub's logo last), and the player of its
// custom effect. Preview thread.
#include <algorithm>
#include <cstdlib>

#include "devices/PreviewTables.h"
#include "devices/pad/OrvaneMousePadDevice.h"

namespace devices {
namespace {

// The LED in the middle of the front edge: ripples start there.
constexpr int kFrontLed = 9;
// Steps of the wave's band per LED, and the band's half width in steps.
constexpr int kWaveStepsPerLed = 8;
constexpr int kWaveHalfWidth = 16;
constexpr uint8_t kWaveDimLevel = 40;
constexpr uint32_t kRippleSteps = 12;

LedColour PadColour(const Rgb& rgb, uint8_t level) {
    return LedColour{rgb.red, rgb.green, rgb.blue, level};
}

// Steps between two positions on a ring of `size`.
int RingDistance(int a, int b, int size) {
    const int d = std::abs(a - b) % size;
    return std::min(d, size - d);
}

}  // namespace

void COrvaneMousePadDevice::PreviewNeon() {
    const profile::LightRecord light = lightSettings_;
    const int leds = static_cast<int>(ledColours_.Size());
    if (leds == 0)
        return;
    preview_.step = Advance(light.direction, 192, preview_.step, 2);
    const uint8_t level = BrightnessLevel(light.brightness);
    for (int i = 0; i < leds; ++i) {
        const size_t c = (preview_.step + static_cast<size_t>(i) * 192 / leds) % 192;
        ledColours_.Set(static_cast<size_t>(i), PadColour(ColourWheel()[c], level));
    }
}

void COrvaneMousePadDevice::PreviewWave() {
    const profile::LightRecord light = lightSettings_;
    const int leds = static_cast<int>(ledColours_.Size());
    if (leds == 0)
        return;
    const int span = leds * kWaveStepsPerLed;
    preview_.step =
        Advance(light.direction, static_cast<uint8_t>(std::min(span, 255)), preview_.step, 1);
    const Rgb own{light.red, light.green, light.blue};
    for (int i = 0; i < leds; ++i) {
        const int d = RingDistance(i * kWaveStepsPerLed, preview_.step, span);
        const uint8_t table =
            d < kWaveHalfWidth
                ? static_cast<uint8_t>(std::max<int>(kWaveDimLevel, 255 - d * 255 / kWaveHalfWidth))
                : kWaveDimLevel;
        const Rgb rgb =
            light.multiColour != 0 ? ColourWheel()[static_cast<size_t>(i) * 192 / leds] : own;
        ledColours_.Set(static_cast<size_t>(i),
                        PadColour(rgb, ScaledLevel(table, light.brightness)));
    }
}

void COrvaneMousePadDevice::PreviewReactive() {
    const profile::LightRecord light = lightSettings_;
    const int leds = static_cast<int>(ledColours_.Size());
    if (leds == 0)
        return;
    rippleStep_ = (rippleStep_ + 1) % kRippleSteps;
    if (rippleStep_ == 0)
        preview_.colour = static_cast<uint8_t>((preview_.colour + 32) % 192);
    const Rgb rgb = light.multiColour != 0 ? ColourWheel()[preview_.colour]
                                           : Rgb{light.red, light.green, light.blue};
    const int front = std::min(kFrontLed, leds - 1);
    for (int i = 0; i < leds; ++i) {
        const int d = RingDistance(i, front, leds);
        const int away = std::abs(d - static_cast<int>(rippleStep_));
        const uint8_t table = static_cast<uint8_t>(std::max(0, 255 - 90 * away));
        ledColours_.Set(static_cast<size_t>(i),
                        PadColour(rgb, ScaledLevel(table, light.brightness)));
    }
}

void COrvaneMousePadDevice::PlayCustomEffect() {
    const uint32_t now = GetTickClock().NowMs();
    LightEffectStep entry;
    {
        platform::LockGuard guard(effectLock_);
        if (effectList_.empty()) {
            PreviewOff();
            return;
        }
        if (!effectStarted_) {
            effectStarted_ = true;
            effectStart_ = now;
        }
        if (effectPosition_ >= effectList_.size())
            effectPosition_ = 0;
        if (now - effectStart_ > effectList_[effectPosition_].timeMs) {
            effectPosition_ = (effectPosition_ + 1) % effectList_.size();
            effectStart_ = now;
        }
        entry = effectList_[effectPosition_];
    }
    // The steps' own pace: a step moves on every threshold's pass.
    const uint32_t every = std::max<uint32_t>(SpeedThreshold(entry.speed), 1);
    if (++effectFrame_ % every != 0)
        return;
    profile::LightRecord light;
    light.brightness = entry.brightness;
    light.speed = entry.speed;
    light.direction = entry.direction;
    light.multiColour = entry.multiColour;
    light.red = entry.red;
    light.green = entry.green;
    light.blue = entry.blue;
    switch (entry.mode) {
        case 0:
            FillLeds(PreviewBreatheStep(preview_, light));
            break;
        case 1:
            FillLeds(PreviewStaticStep(light));
            break;
        case 2:
            FillLeds(PreviewFlashStep(preview_, light, now));
            break;
        case 5:
            FillLeds(PreviewColourCycleStep(preview_, light));
            break;
        default:
            FillLeds(PreviewStaticStep(light));
            break;
    }
}

}  // namespace devices
