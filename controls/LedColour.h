#pragma once
// The colour word a device hands to its LED buttons. Device code packs an LED's red, green
// and blue as red in bits 0-7, blue in bits 8-15 and green in bits 16-23; the LED button
// reads it back in that order. The render engine's tint takes a Win32-order word (red,
// green, blue from the low byte up), so the button converts before drawing.
// Pure functions; any thread.
#include <cstdint>

namespace controls {

constexpr uint32_t PackLedColour(uint8_t red, uint8_t green, uint8_t blue) {
    return uint32_t(red) | (uint32_t(blue) << 8) | (uint32_t(green) << 16);
}

constexpr uint8_t LedRed(uint32_t word) {
    return static_cast<uint8_t>(word);
}
constexpr uint8_t LedBlue(uint32_t word) {
    return static_cast<uint8_t>(word >> 8);
}
constexpr uint8_t LedGreen(uint32_t word) {
    return static_cast<uint8_t>(word >> 16);
}

// The LED word as the render engine's tint word (red + green·256 + blue·65536).
constexpr uint32_t LedWordToTint(uint32_t word) {
    return uint32_t(LedRed(word)) | (uint32_t(LedGreen(word)) << 8) |
           (uint32_t(LedBlue(word)) << 16);
}

}  // namespace controls
