#include "profile/LightRecords.h"

namespace profile {

std::array<uint8_t, LightRecord::kSize> LightRecord::ToBytes() const {
    return {mode, brightness, speed,    direction, multiColour, red,         green,
            blue, spare[0],   spare[1], spare[2],  zzccMode,    customGroup, previousMode};
}

LightRecord LightRecord::FromBytes(const std::array<uint8_t, kSize>& b) {
    LightRecord r;
    r.mode = b[0];
    r.brightness = b[1];
    r.speed = b[2];
    r.direction = b[3];
    r.multiColour = b[4];
    r.red = b[5];
    r.green = b[6];
    r.blue = b[7];
    r.spare = {b[8], b[9], b[10]};
    r.zzccMode = b[11];
    r.customGroup = b[12];
    r.previousMode = b[13];
    return r;
}

std::array<uint32_t, 4> LightRecord::ToWords() const {
    auto b = ToBytes();
    auto word = [&](size_t i) {
        return uint32_t{b[i]} | uint32_t{b[i + 1]} << 8 | uint32_t{b[i + 2]} << 16 |
               uint32_t{b[i + 3]} << 24;
    };
    return {word(0), word(4), word(8), uint32_t{b[12]} | uint32_t{b[13]} << 8};
}

LightRecord LightRecord::FromWords(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    std::array<uint8_t, kSize> bytes{};
    const uint32_t words[3] = {a, b, c};
    for (size_t w = 0; w < 3; ++w)
        for (size_t k = 0; k < 4; ++k)
            bytes[w * 4 + k] = static_cast<uint8_t>(words[w] >> (8 * k));
    bytes[12] = static_cast<uint8_t>(d);
    bytes[13] = static_cast<uint8_t>(d >> 8);
    return FromBytes(bytes);
}

std::array<uint8_t, AudioLightRecord::kSize> AudioLightRecord::ToBytes() const {
    return {mode,           backgroundRed, backgroundGreen,
            backgroundBlue, foregroundRed, foregroundGreen,
            foregroundBlue, multiColour,   colourType};
}

AudioLightRecord AudioLightRecord::FromBytes(const std::array<uint8_t, kSize>& b) {
    return {b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8]};
}

}  // namespace profile
