#include "devices/keyboard/KeyboardEffects.h"

#include <algorithm>
#include <cstdlib>

#include "devices/PreviewEngine.h"
#include "devices/PreviewTables.h"

namespace devices::keyboard {
namespace {

constexpr int kRowLength = 21;

LedColour EffectColour(const profile::LightRecord& light, uint32_t hue, uint8_t level) {
    const Rgb c = light.multiColour ? TableAt(ColourWheel(), hue % 192)
                                    : Rgb{light.red, light.green, light.blue};
    return LedColour{c.red, c.green, c.blue, ScaledLevel(level, light.brightness)};
}

uint32_t NextRandom(EffectState& state) {
    state.random = state.random * 1103515245u + 12345u;
    return state.random >> 16;
}

int Signed(const profile::LightRecord& light, uint32_t step) {
    return light.direction != 0 ? static_cast<int>(step) : -static_cast<int>(step);
}

void Fade(EffectState& state, uint8_t by) {
    for (uint8_t& i : state.intensity)
        i = i > by ? static_cast<uint8_t>(i - by) : 0;
}

}  // namespace

Place PlaceOf(int position) {
    if (position < 0 || position >= kPositions)
        return {0, 0};
    if (HasKey(position))
        return {(position % kRowLength) * 10, (position / kRowLength) * 10};
    // Keyless positions are the glow strip round the plate, in position order: 25 along
    // the top, 8 down the right, 25 back along the bottom, 8 up the left.
    int i = 0;
    for (int p = 0; p < position; ++p)
        i += HasKey(p) ? 0 : 1;
    if (i < 25)
        return {i * 210 / 24, -10};
    if (i < 33)
        return {220, (i - 25) * 50 / 7};
    if (i < 58)
        return {210 - (i - 33) * 210 / 24, 60};
    return {-10, 50 - (i - 58) * 50 / 7};
}

void StepWave(EffectState& state, const profile::LightRecord& light, Frame& frame) {
    ++state.step;
    for (int p = 0; p < kPositions; ++p) {
        const int hue = PlaceOf(p).x10 + Signed(light, state.step) * 4;
        const uint32_t wrapped = static_cast<uint32_t>(((hue % 192) + 192) % 192);
        if (light.multiColour) {
            frame[static_cast<size_t>(p)] = EffectColour(light, wrapped, 255);
        } else {
            // One colour: a bright band travelling over a dim field.
            const uint8_t level = TableAt(BreathCurve(), wrapped * 128 / 192);
            frame[static_cast<size_t>(p)] =
                EffectColour(light, 0, static_cast<uint8_t>(std::max<int>(level, 40)));
        }
    }
}

void StepRipple(EffectState& state, const profile::LightRecord& light, Frame& frame) {
    ++state.step;
    constexpr int kCentreX = 75, kCentreY = 30;
    for (int p = 0; p < kPositions; ++p) {
        const Place at = PlaceOf(p);
        const int distance = std::abs(at.x10 - kCentreX) + 2 * std::abs(at.y10 - kCentreY);
        const int phase = distance - Signed(light, state.step) * 6;
        const uint32_t wrapped = static_cast<uint32_t>(((phase % 128) + 128) % 128);
        frame[static_cast<size_t>(p)] =
            EffectColour(light, wrapped * 3 / 2, TableAt(BreathCurve(), wrapped));
    }
}

void StepRain(EffectState& state, const profile::LightRecord& light, Frame& frame) {
    ++state.step;
    Fade(state, 40);
    // Each pass a new drop may start on a column; drops fall one row a step.
    if (NextRandom(state) % 3 == 0)
        state.intensity[NextRandom(state) % kRowLength] = 255;
    for (int p = kKeyPositions - 1; p >= kRowLength; --p) {
        const uint8_t above = state.intensity[static_cast<size_t>(p - kRowLength)];
        if (above == 255) {
            state.intensity[static_cast<size_t>(p)] = 255;
            state.intensity[static_cast<size_t>(p - kRowLength)] = 215;
        }
    }
    for (int p = 0; p < kPositions; ++p)
        frame[static_cast<size_t>(p)] = EffectColour(light, static_cast<uint32_t>(p * 7),
                                                     state.intensity[static_cast<size_t>(p)]);
}

void StepTwinkle(EffectState& state, const profile::LightRecord& light, Frame& frame) {
    ++state.step;
    Fade(state, 12);
    for (int n = 0; n < 3; ++n)
        state.intensity[NextRandom(state) % kPositions] = 255;
    for (int p = 0; p < kPositions; ++p)
        frame[static_cast<size_t>(p)] = EffectColour(light, static_cast<uint32_t>(p * 37),
                                                     state.intensity[static_cast<size_t>(p)]);
}

void StepScan(EffectState& state, const profile::LightRecord& light, Frame& frame) {
    ++state.step;
    // Back and forth across the picture, one column in two steps.
    const int span = 230;
    const int travel = static_cast<int>((state.step * 5) % (2 * span));
    const int bar = (light.direction != 0 ? travel : 2 * span - travel);
    const int x = (bar < span ? bar : 2 * span - bar) - 10;
    for (int p = 0; p < kPositions; ++p) {
        const int d = std::abs(PlaceOf(p).x10 - x);
        const uint8_t level = d >= 30 ? 0 : static_cast<uint8_t>(255 - d * 8);
        frame[static_cast<size_t>(p)] = EffectColour(light, static_cast<uint32_t>(x), level);
    }
}

void StepReactive(EffectState& state, const profile::LightRecord& light, Frame& frame) {
    ++state.step;
    Fade(state, 16);
    for (int p = 0; p < kPositions; ++p)
        frame[static_cast<size_t>(p)] = EffectColour(light, state.step + static_cast<uint32_t>(p),
                                                     state.intensity[static_cast<size_t>(p)]);
}

void StepOnboard(const profile::LightRecord& light, Frame& frame) {
    frame.fill(EffectColour(light, 0, 255));
}

void StepSpectrum(EffectState& state, const uint32_t* bands, size_t count,
                  const profile::LightRecord& light, Frame& frame) {
    ++state.step;
    for (int p = 0; p < kPositions; ++p) {
        const Place at = PlaceOf(p);
        const size_t band = static_cast<size_t>(std::clamp(at.x10, 0, 209)) * 25 / 210;
        const uint64_t value = band < count && bands != nullptr ? bands[band] : 0;
        // Height 0-7 rows from the bottom row (y 5) up; the strip follows the loudest band.
        const int height = static_cast<int>(std::min<uint64_t>(value * 7 / 2000, 7));
        const bool lit = !HasKey(p) ? height > 3 : (50 - at.y10) / 10 < height;
        frame[static_cast<size_t>(p)] =
            EffectColour(light, static_cast<uint32_t>(at.y10 * 4), lit ? 255 : 0);
    }
}

void Trigger(EffectState& state, int position) {
    if (position >= 0 && position < kPositions)
        state.intensity[static_cast<size_t>(position)] = 255;
}

}  // namespace devices::keyboard
