#pragma once
// The device-wide LED preview steps. Each step is a pure function of the animation state,
// the light record and (for flashing) the time of an injected tick clock; it answers the
// colour and level that every LED shows next. Pacing the steps is the preview thread's
// job. Any thread; a state belongs to one thread at a time.
#include <cstdint>

#include "devices/LedColours.h"
#include "profile/LightRecords.h"

namespace devices {

// Where the running animation stands. Counters carry across modes; every step reduces
// what it reads into its own table.
struct PreviewState {
    uint8_t step = 0;    // position of the running animation
    uint8_t colour = 0;  // colour index
    uint8_t phase = 0;   // flash: 1 on, 0 off
    uint32_t tick = 0;   // clock time of the last flash phase change
    friend bool operator==(const PreviewState&, const PreviewState&) = default;
};

// Milliseconds on a 32-bit clock that wraps; tests inject their own.
class TickClock {
  public:
    virtual ~TickClock() = default;
    virtual uint32_t NowMs() = 0;
};

// Milliseconds of the system's monotonic clock. Any thread.
TickClock& SystemTickClock();

// The step counter of every animation: forward (direction != 0) adds step and starts again
// at 0 on reaching limit; backward subtracts step and continues at limit - step below 0.
// A value outside [0, limit) is first reduced into it.
uint8_t Advance(uint8_t direction, uint8_t limit, uint8_t value, uint8_t step);

// The brightness level of a brightness byte; above 4 counts as 4.
uint8_t BrightnessLevel(uint8_t brightness);
// A table level (0-255) dimmed by the brightness setting.
uint8_t ScaledLevel(uint8_t level, uint8_t brightness);
// Preview ticks between two steps at a speed; 0 above 4 (every tick).
uint8_t SpeedThreshold(uint8_t speed);
// Milliseconds between two flash phases at a speed (the threshold times 200).
uint32_t FlashIntervalMs(uint8_t speed);

LedColour PreviewStaticStep(const profile::LightRecord& light);
LedColour PreviewBreatheStep(PreviewState& state, const profile::LightRecord& light);
LedColour PreviewBreatheFourColoursStep(PreviewState& state, const profile::LightRecord& light);
LedColour PreviewColourCycleStep(PreviewState& state, const profile::LightRecord& light);
LedColour PreviewFlashStep(PreviewState& state, const profile::LightRecord& light, uint32_t nowMs);
LedColour PreviewFlashFourColoursStep(PreviewState& state, const profile::LightRecord& light,
                                      uint32_t nowMs);

}  // namespace devices
