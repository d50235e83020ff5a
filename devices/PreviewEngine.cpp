#include "devices/PreviewEngine.h"

#include <chrono>

#include "devices/PreviewTables.h"

namespace devices {
namespace {

class SteadyTickClock : public TickClock {
  public:
    uint32_t NowMs() override {
        auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
};

LedColour Make(Rgb rgb, uint8_t level) {
    return LedColour{rgb.red, rgb.green, rgb.blue, level};
}

Rgb RecordColour(const profile::LightRecord& light) {
    return Rgb{light.red, light.green, light.blue};
}

// The breathing counter; true when it came back to the start of a breath.
bool Breath(PreviewState& state, const profile::LightRecord& light) {
    state.step = Advance(light.direction, 128, state.step, 1);
    return state.step == 0;
}

// The flash clock; true when the phase changed.
bool FlashTick(PreviewState& state, const profile::LightRecord& light, uint32_t nowMs) {
    // Unsigned difference: right across the clock's wrap-around.
    if (nowMs - state.tick < FlashIntervalMs(light.speed))
        return false;
    state.phase = state.phase ? 0 : 1;
    state.tick = nowMs;
    return true;
}

}  // namespace

TickClock& SystemTickClock() {
    static SteadyTickClock clock;
    return clock;
}

uint8_t Advance(uint8_t direction, uint8_t limit, uint8_t value, uint8_t step) {
    if (limit == 0)
        return 0;
    unsigned v = value % limit;
    if (direction != 0) {
        v += step;
        return static_cast<uint8_t>(v >= limit ? 0 : v);
    }
    uint8_t down = static_cast<uint8_t>(v - step);
    return down < limit ? down : static_cast<uint8_t>(limit - step);
}

uint8_t BrightnessLevel(uint8_t brightness) {
    const auto& scale = BrightnessScale();
    return scale[brightness < scale.size() ? brightness : scale.size() - 1];
}

uint8_t SpeedThreshold(uint8_t speed) {
    const auto& factor = SpeedFactor();
    return speed < factor.size() ? factor[speed] : 0;
}

uint32_t FlashIntervalMs(uint8_t speed) {
    return uint32_t(SpeedThreshold(speed)) * 200;
}

LedColour PreviewStaticStep(const profile::LightRecord& light) {
    return Make(RecordColour(light), BrightnessLevel(light.brightness));
}

LedColour PreviewBreatheStep(PreviewState& state, const profile::LightRecord& light) {
    if (Breath(state, light)) {
        state.colour = static_cast<uint8_t>(state.colour + 16);
        if (state.colour > 192)
            state.colour = 0;
    }
    Rgb rgb = light.multiColour ? TableAt(ColourWheel(), state.colour) : RecordColour(light);
    return Make(rgb, ScaledLevel(TableAt(BreathCurve(), state.step), light.brightness));
}

LedColour PreviewBreatheFourColoursStep(PreviewState& state, const profile::LightRecord& light) {
    if (Breath(state, light)) {
        state.colour = static_cast<uint8_t>(state.colour + 1);
        if (state.colour > 3)
            state.colour = 0;
    }
    return Make(TableAt(FourColours(), state.colour),
                ScaledLevel(TableAt(BreathCurve(), state.step), light.brightness));
}

LedColour PreviewColourCycleStep(PreviewState& state, const profile::LightRecord& light) {
    state.step = Advance(light.direction, 192, state.step, 1);
    return Make(TableAt(ColourWheel(), state.step), BrightnessLevel(light.brightness));
}

LedColour PreviewFlashStep(PreviewState& state, const profile::LightRecord& light, uint32_t nowMs) {
    if (FlashTick(state, light, nowMs)) {
        state.step = static_cast<uint8_t>(state.step + 16);
        if (state.step >= 192)
            state.step = 0;
    }
    if (!state.phase)
        return LedColour{};
    Rgb rgb = light.multiColour ? TableAt(ColourWheel(), state.step) : RecordColour(light);
    return Make(rgb, BrightnessLevel(light.brightness));
}

LedColour PreviewFlashFourColoursStep(PreviewState& state, const profile::LightRecord& light,
                                      uint32_t nowMs) {
    if (FlashTick(state, light, nowMs)) {
        state.step = static_cast<uint8_t>(state.step + 1);
        if (state.step > 3)
            state.step = 0;
    }
    if (!state.phase)
        return LedColour{};
    return Make(TableAt(FourColours(), state.step), BrightnessLevel(light.brightness));
}

uint8_t ScaledLevel(uint8_t level, uint8_t brightness) {
    return static_cast<uint8_t>((unsigned(level) * BrightnessLevel(brightness)) >> 8);
}

}  // namespace devices
