#pragma once
// The keyboard's music rhythm light: how loud an audio spectrum frame is, and the
// process-wide counter that fires the reactive trigger. Pure rules and one atomic counter.
// Threads: any.
#include <cstddef>
#include <cstdint>

namespace devices::keyboard {

constexpr size_t kAudioBands = 25;
constexpr size_t kAudioBandsHeld = kAudioBands;
constexpr uint32_t kAudioTriggerAt = 71;
constexpr int kAudioTriggerKey = 51;

// Loudness 0-25 of the bands given (at most kAudioBands are used; none gives 0): each band's
// v x 600 / 2000 is taken from 600 (500 once above 600), their mean a gives 25 - a x 25 / 600.
// Computed in 64 bits: any 32-bit value is safe.
uint32_t AudioLoudness(const uint32_t* values, size_t count);

// Adds a loudness to the process-wide counter; true (and the counter back at 0) when it
// reached kAudioTriggerAt.
bool AddAudioLoudness(uint32_t loudness);
// The counter back at 0 (tests).
void ResetAudioCounter();

}  // namespace devices::keyboard
