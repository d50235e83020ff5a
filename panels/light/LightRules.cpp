#include "panels/light/LightRules.h"

#include <array>

namespace panels::light {

uint32_t PackArgb(Rgb colour) {
    return 0xFF000000u | uint32_t{colour.red} << 16 | uint32_t{colour.green} << 8 | colour.blue;
}

Rgb UnpackArgb(uint32_t argb) {
    return Rgb{static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
               static_cast<uint8_t>(argb)};
}

ChannelValue ParseChannelText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value > 255 ? 256 : value * 10 + (text[i] - '0');  // stays small
    if (negative)
        value = 0;
    ChannelValue result;
    result.value = static_cast<uint8_t>(value > 255 ? 255 : value);
    result.shown = std::to_string(result.value);
    return result;
}

std::optional<int> PresetNumber(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 6)
        return std::nullopt;
    for (size_t i = 0; i < prefix.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(name[i]) != lower(prefix[i]))
            return std::nullopt;
    }
    int n = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return std::nullopt;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

void SetColour(profile::LightRecord& record, Rgb colour) {
    record.red = colour.red;
    record.green = colour.green;
    record.blue = colour.blue;
    record.multiColour = 0;
}

void SetChannel(profile::LightRecord& record, int channel, uint8_t value) {
    std::array<uint8_t*, 3> channels{&record.red, &record.green, &record.blue};
    if (channel < 0 || channel > 2)
        return;
    *channels[static_cast<size_t>(channel)] = value;
    record.multiColour = 0;
}

namespace {

std::array<uint8_t*, 3> EditedColour(profile::AudioLightRecord& record) {
    if (record.colourType == 1)
        return {&record.foregroundRed, &record.foregroundGreen, &record.foregroundBlue};
    return {&record.backgroundRed, &record.backgroundGreen, &record.backgroundBlue};
}

}  // namespace

void SetAudioColour(profile::AudioLightRecord& record, Rgb colour, bool clearMultiColour) {
    std::array<uint8_t*, 3> target = EditedColour(record);
    *target[0] = colour.red;
    *target[1] = colour.green;
    *target[2] = colour.blue;
    if (record.colourType == 1 && clearMultiColour)
        record.multiColour = 0;
}

void SetAudioChannel(profile::AudioLightRecord& record, int channel, uint8_t value) {
    if (channel < 0 || channel > 2)
        return;
    *EditedColour(record)[static_cast<size_t>(channel)] = value;
    if (record.colourType == 1)
        record.multiColour = 0;
}

Rgb AudioForeground(const profile::AudioLightRecord& record) {
    return Rgb{record.foregroundRed, record.foregroundGreen, record.foregroundBlue};
}

Rgb AudioBackground(const profile::AudioLightRecord& record) {
    return Rgb{record.backgroundRed, record.backgroundGreen, record.backgroundBlue};
}

devices::AudioLightWords ToAudioWords(const profile::AudioLightRecord& record) {
    const std::array<uint8_t, profile::AudioLightRecord::kSize> b = record.ToBytes();
    devices::AudioLightWords words;
    words.a = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
    words.b = uint32_t{b[4]} | uint32_t{b[5]} << 8 | uint32_t{b[6]} << 16 | uint32_t{b[7]} << 24;
    words.c = b[8];
    return words;
}

profile::AudioLightRecord FromAudioWords(const devices::AudioLightWords& words) {
    std::array<uint8_t, profile::AudioLightRecord::kSize> b{};
    for (size_t i = 0; i < 4; ++i) {
        b[i] = static_cast<uint8_t>(words.a >> (8 * i));
        b[4 + i] = static_cast<uint8_t>(words.b >> (8 * i));
    }
    b[8] = words.c;
    return profile::AudioLightRecord::FromBytes(b);
}

}  // namespace panels::light
