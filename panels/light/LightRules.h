#pragma once
// The pure rules of the lighting handlers, shared by the main window and t418-zenctl: how a
// colour edit's text becomes a byte, which preset a control name is, and how each colour
// change lands in the light and audio light records.
// Pure; any thread.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "devices/LightPanel.h"
#include "profile/LightRecords.h"

namespace panels::light {

struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// 0xFF000000 + red * 2^16 + green * 2^8 + blue: how palettes and colour buttons hold a colour.
uint32_t PackArgb(Rgb colour);
Rgb UnpackArgb(uint32_t argb);

// A colour edit's text as a decimal number limited to 0-255 (empty, negative or
// non-numeric text is 0), and the text the edit shows for it afterwards.
struct ChannelValue {
    uint8_t value = 0;
    std::string shown;
};
ChannelValue ParseChannelText(std::string_view text);

// n for a name made of the prefix and decimal digits only ("color_option_3" -> 3).
std::optional<int> PresetNumber(std::string_view name, std::string_view prefix);

// The light record's colour (bytes 5-7) with multicolour off.
void SetColour(profile::LightRecord& record, Rgb colour);
// One channel (0 red, 1 green, 2 blue; others change nothing) with multicolour off.
void SetChannel(profile::LightRecord& record, int channel, uint8_t value);

// The colour the audio record edits: the foreground while its colour type is 1, else the
// background. clearMultiColour clears byte 7 when the foreground is set.
void SetAudioColour(profile::AudioLightRecord& record, Rgb colour, bool clearMultiColour);
// One channel of the edited colour; the foreground's clears byte 7.
void SetAudioChannel(profile::AudioLightRecord& record, int channel, uint8_t value);
Rgb AudioForeground(const profile::AudioLightRecord& record);
Rgb AudioBackground(const profile::AudioLightRecord& record);

// The audio record in the three words of SetAudioLightSettings, and back.
devices::AudioLightWords ToAudioWords(const profile::AudioLightRecord& record);
profile::AudioLightRecord FromAudioWords(const devices::AudioLightWords& words);

}  // namespace panels::light
