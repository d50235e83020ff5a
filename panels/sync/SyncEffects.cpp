#include "panels/sync/SyncEffects.h"

#include "devices/PreviewEngine.h"
#include "devices/PreviewTables.h"

namespace panels::sync {
namespace {

// The shared effects walk the first 192 entries of the wheel only.
constexpr uint8_t kSyncWheelSize = 192;

uint8_t WheelAdd(uint8_t position, uint8_t step) {
    const unsigned next = unsigned(position) + step;
    return next >= kSyncWheelSize ? 0 : static_cast<uint8_t>(next);
}

uint32_t PackRgb(devices::Rgb rgb, uint8_t level) {
    return PackSyncColour(rgb.red, rgb.green, rgb.blue, level);
}

devices::Rgb OwnColour(const SyncParams& params) {
    return devices::Rgb{params.red, params.green, params.blue};
}

devices::Rgb WheelAt(uint8_t position) {
    return devices::TableAt(devices::ColourWheel(), position % kSyncWheelSize);
}

}  // namespace

uint32_t SyncThreshold(uint8_t speed) {
    return devices::SpeedThreshold(speed);
}

uint8_t SyncLevel(uint8_t brightness) {
    return devices::BrightnessLevel(brightness);
}

bool CountPass(SyncPassCounter& counter, uint32_t now, uint8_t speed) {
    const uint32_t moved = now - counter.noted;
    if (moved != 0 && moved != 1) {
        counter.noted = now;
        ++counter.passes;
    }
    if (counter.passes < SyncThreshold(speed))
        return false;
    counter.passes = 0;
    return true;
}

uint32_t SyncStep(SyncEffectState& state, const SyncParams& params, uint32_t now) {
    const uint8_t level = SyncLevel(params.brightness);
    switch (params.effect) {
        case SharedEffect::Breathing: {
            state.breathPhase = devices::Advance(params.direction, 128, state.breathPhase, 1);
            if (params.multiColour && state.breathPhase <= 1)
                state.breathWheel = WheelAdd(state.breathWheel, 16);
            const devices::Rgb rgb =
                params.multiColour ? WheelAt(state.breathWheel) : OwnColour(params);
            const unsigned breath = devices::BreathCurve()[state.breathPhase];
            return PackRgb(rgb, static_cast<uint8_t>(unsigned(level) * breath / 256));
        }
        case SharedEffect::Static:
            return PackRgb(OwnColour(params), level);
        case SharedEffect::Flash: {
            // Unsigned difference: right across the tick count's wrap-around.
            if (now - state.flashToggle >= SyncThreshold(params.speed) * 200u) {
                state.flashOn = state.flashOn ? 0 : 1;
                state.flashToggle = now;
                state.flashWheel = WheelAdd(state.flashWheel, 14);
            }
            if (!state.flashOn)
                return 0;
            const devices::Rgb rgb =
                params.multiColour ? WheelAt(state.flashWheel) : OwnColour(params);
            return PackRgb(rgb, level);
        }
        case SharedEffect::Cycle:
            state.cycleWheel = WheelAdd(state.cycleWheel, 1);
            return PackRgb(WheelAt(state.cycleWheel), level);
        case SharedEffect::Off:
            break;
    }
    return 0;
}

devices::LedColour UnpackSyncColour(uint32_t packed) {
    return devices::LedColour{static_cast<uint8_t>(packed), static_cast<uint8_t>(packed >> 8),
                              static_cast<uint8_t>(packed >> 16),
                              static_cast<uint8_t>(packed >> 24)};
}

}  // namespace panels::sync
