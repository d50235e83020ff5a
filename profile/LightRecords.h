#pragma once
// The light record (14 bytes) and the audio light record (9 bytes) of a device, as kept in
// its profile document's "LightInfo" and "AudioLightInfo".
#include <array>
#include <cstddef>
#include <cstdint>

namespace profile {

struct LightRecord {
    uint8_t mode = 0;         // "SelectItem": position in the device's mode list
    uint8_t brightness = 0;   // "Light"
    uint8_t speed = 0;        // "Speed"
    uint8_t direction = 0;    // "Fx": non-zero is the first direction
    uint8_t multiColour = 0;  // "MultiColor"
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    std::array<uint8_t, 3> spare{};  // bytes 8-10: not in the document, passed through
    uint8_t zzccMode = 0;            // "ZZCCLedMode" (keyboards)
    uint8_t customGroup = 0;         // "CustomGroup" (keyboards)
    uint8_t previousMode = 0;        // "OldLedmode": restored after a game's effect

    static constexpr size_t kSize = 14;
    std::array<uint8_t, kSize> ToBytes() const;
    static LightRecord FromBytes(const std::array<uint8_t, kSize>& bytes);

    // The four-word form the device object and the panel exchange: a = bytes 0-3,
    // b = bytes 4-7, c = bytes 8-11 (byte 8 lowest), d = bytes 12 (low) and 13.
    std::array<uint32_t, 4> ToWords() const;
    static LightRecord FromWords(uint32_t a, uint32_t b, uint32_t c, uint32_t d);

    friend bool operator==(const LightRecord&, const LightRecord&) = default;
};

struct AudioLightRecord {
    uint8_t mode = 0;  // "AudioMode"
    uint8_t backgroundRed = 0, backgroundGreen = 0, backgroundBlue = 0;
    uint8_t foregroundRed = 0, foregroundGreen = 0, foregroundBlue = 0;
    uint8_t multiColour = 0;  // "7ColorFlags"
    uint8_t colourType = 0;   // "ColorTypeFlags": 1 the panel edits the foreground

    static constexpr size_t kSize = 9;
    std::array<uint8_t, kSize> ToBytes() const;
    static AudioLightRecord FromBytes(const std::array<uint8_t, kSize>& bytes);
    friend bool operator==(const AudioLightRecord&, const AudioLightRecord&) = default;
};

// One LED of the per-LED list ("LightList"), read only.
struct LedEntry {
    uint8_t mode = 0;  // "LEDREGMode"
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;    // "LEDDirection", a boolean in the document
    uint8_t multiColour = 0;  // "LEDMultiColor", a boolean in the document
    uint8_t red = 0, green = 0, blue = 0;
    std::array<uint8_t, 2> spare{};
    uint8_t valid = 0;  // 0 for a null (or unusable) element

    friend bool operator==(const LedEntry&, const LedEntry&) = default;
};

}  // namespace profile
