#pragma once
// One step of a custom light effect (a ".light" file's "LEDEffectList").
#include <cstdint>

namespace devices {

struct LightEffectStep {
    uint8_t mode = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    uint8_t multiColour = 0;
    uint8_t red = 0, green = 0, blue = 0;
    uint32_t timeMs = 0;
    uint32_t cycles = 0;
    friend bool operator==(const LightEffectStep&, const LightEffectStep&) = default;
};

}  // namespace devices
