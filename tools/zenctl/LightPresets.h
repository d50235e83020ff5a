#pragma once
// The preset colours of the lighting panel: preset n is the background colour of its
// "color_option_<n>" button in the panel's skin file, as the panel's preset handler takes it.
// Threads: the tool's only thread.
#include <cstdint>
#include <optional>
#include <string>

namespace zenctl {

struct PresetColour {
    uint32_t argb = 0;   // 0xFF000000 + red * 2^16 + green * 2^8 + blue
    std::string source;  // the skin file it came from, or "built-in presets"
};

// Preset n from the skin in the program folder; while that skin has no lighting panel, from
// the tool's own eight presets (0-7). Empty when neither has preset n.
std::optional<PresetColour> LightPresetColour(int n);

// The same from a given skin file (a path, or relative to the skin folder); empty when the
// file cannot be built or has no such button.
std::optional<uint32_t> PresetColourFromSkin(const std::string& skinFile, int n);

}  // namespace zenctl
