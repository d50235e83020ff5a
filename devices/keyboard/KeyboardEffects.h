#pragma once
// The keyboard's own per-key animations: each step computes the next frame of all 170 LEDs
// from the light record and its state. Pure: the preview thread paces them and hands the
// frame to the device's LED colours. Threads: any; a state belongs to one thread at a time.
#include <array>
#include <cstdint>

#include "devices/LedColours.h"
#include "devices/keyboard/KeyboardLayout.h"
#include "profile/LightRecords.h"

namespace devices::keyboard {

using Frame = std::array<LedColour, kPositions>;

struct EffectState {
    uint32_t step = 0;
    uint32_t random = 0x418u;
    std::array<uint8_t, kPositions> intensity{};  // per position, 0-255, fading
};

// Where a position lies on the picture in key units: x 0-21 from the left, y 0-5 from the
// top row for keys; keyless positions are the glow strip just outside.
struct Place {
    int x10;  // tenths of a unit
    int y10;
};
Place PlaceOf(int position);

// Each step advances the state by one and fills the frame. Direction 0 runs backwards
// where the effect has a direction.
void StepWave(EffectState& state, const profile::LightRecord& light, Frame& frame);
void StepRipple(EffectState& state, const profile::LightRecord& light, Frame& frame);
void StepRain(EffectState& state, const profile::LightRecord& light, Frame& frame);
void StepTwinkle(EffectState& state, const profile::LightRecord& light, Frame& frame);
void StepScan(EffectState& state, const profile::LightRecord& light, Frame& frame);
// Keys lit by Trigger fade out.
void StepReactive(EffectState& state, const profile::LightRecord& light, Frame& frame);
// Every LED in the record's colour (the keyboard runs its own effect).
void StepOnboard(const profile::LightRecord& light, Frame& frame);
// Columns lit from the bottom as high as their audio band is loud (bands 0-25 values).
void StepSpectrum(EffectState& state, const uint32_t* bands, size_t count,
                  const profile::LightRecord& light, Frame& frame);
// Lights a position fully (reactive modes).
void Trigger(EffectState& state, int position);

}  // namespace devices::keyboard
