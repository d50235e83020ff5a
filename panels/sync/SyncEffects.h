#pragma once
// The five shared effects that same-mode synchronisation plays on every paused device, as
// pure steps over the effect state and a tick count: S0 breathing, S1 static, S2 flash,
// S3 colour cycle, S4 off. A step answers one colour and one level packed as
// red + green * 2^8 + blue * 2^16 + level * 2^24, which every LED of a paused device shows.
// Pure; any thread (a state belongs to one thread at a time).
#include <cstdint>

#include "devices/LedColours.h"

namespace panels::sync {

enum class SharedEffect : uint8_t { Breathing = 0, Static = 1, Flash = 2, Cycle = 3, Off = 4 };
inline constexpr int kSharedEffects = 5;

// What same-mode synchronisation copies from bytes 1-7 of the source's light record, and
// the effect it chose. Brightness above 4 counts as 4, speed above 14 as 5-14.
struct SyncParams {
    SharedEffect effect = SharedEffect::Breathing;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    uint8_t multiColour = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const SyncParams&, const SyncParams&) = default;
};

// The effect counters, all zero at start.
struct SyncEffectState {
    uint8_t breathPhase = 0;   // 0-127
    uint8_t breathWheel = 0;   // 0-191, moves 16 at the start of a breath (multicolour)
    uint8_t flashWheel = 0;    // 0-191, moves 14 at each toggle
    uint8_t flashOn = 0;       // 1 while lit
    uint32_t flashToggle = 0;  // tick count of the last toggle
    uint8_t cycleWheel = 0;    // 0-191
    friend bool operator==(const SyncEffectState&, const SyncEffectState&) = default;
};

// Counts the passes of the thread's loop between two steps: a pass counts when the tick
// count moved by anything but 0 or 1 ms since the last counted one.
struct SyncPassCounter {
    uint32_t noted = 0;
    uint32_t passes = 0;
};

// Passes between two steps at a speed: 28, 23, 18, 13, 7 for speeds 0-4, 0 above.
uint32_t SyncThreshold(uint8_t speed);
// Level by brightness 0-4 (0, 50, 100, 175, 255); above 4 counts as 4.
uint8_t SyncLevel(uint8_t brightness);

// One pass of the loop at tick `now`: true when a step is due (the counter then restarts).
bool CountPass(SyncPassCounter& counter, uint32_t now, uint8_t speed);

// One step of the current effect at tick `now`; answers the packed colour.
uint32_t SyncStep(SyncEffectState& state, const SyncParams& params, uint32_t now);

constexpr uint32_t PackSyncColour(uint8_t red, uint8_t green, uint8_t blue, uint8_t level) {
    return uint32_t(red) | (uint32_t(green) << 8) | (uint32_t(blue) << 16) |
           (uint32_t(level) << 24);
}
// The packed word as a device's LED preview colour.
devices::LedColour UnpackSyncColour(uint32_t packed);

}  // namespace panels::sync
