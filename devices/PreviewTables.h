#pragma once
// The constant tables of the LED preview animations. Any thread.
#include <array>
#include <cstddef>
#include <cstdint>

namespace devices {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// 256 colours around the hue circle: six segments of 32 (red to yellow, to green, to cyan,
// to blue, to magenta, back to red), then entries 0-63 again.
const std::array<Rgb, 256>& ColourWheel();
// Aqua green, green, white, red.
const std::array<Rgb, 4>& FourColours();
// 128 levels: a rise from 0 to 255 over 64 entries and the same fall.
const std::array<uint8_t, 128>& BreathCurve();
// Level by brightness 0-4.
const std::array<uint8_t, 5>& BrightnessScale();
// Preview pace by speed 0-4: the threshold in ticks between two steps, and the flash
// interval in units of 200 ms.
const std::array<uint8_t, 5>& SpeedFactor();

// An entry of a table with the index reduced into it: counters shared between modes may
// stand anywhere when the mode changes.
template <typename T, size_t N>
const T& TableAt(const std::array<T, N>& table, size_t index) {
    return table[index % N];
}

}  // namespace devices
