#pragma once
// The palette's colour arithmetic: a colour's red, green and blue, the opaque colour built
// from them, and the rule for a channel the user typed.
// Threads: any (pure functions).
#include <cstdint>
#include <string>
#include <string_view>

namespace windows {

constexpr int RedOf(uint32_t argb) {
    return static_cast<int>(argb >> 16 & 0xFF);
}
constexpr int GreenOf(uint32_t argb) {
    return static_cast<int>(argb >> 8 & 0xFF);
}
constexpr int BlueOf(uint32_t argb) {
    return static_cast<int>(argb & 0xFF);
}

// 0xFF000000 + red * 2^16 + green * 2^8 + blue; each channel taken modulo 256.
constexpr uint32_t OpaqueColour(int red, int green, int blue) {
    return 0xFF000000u | (static_cast<uint32_t>(red) & 0xFF) << 16 |
           (static_cast<uint32_t>(green) & 0xFF) << 8 | (static_cast<uint32_t>(blue) & 0xFF);
}

// A channel typed into an edit: the decimal integer its text begins with (after spaces, with
// an optional sign; no digits count as 0), limited to 0..255. `text` is what the edit must
// show afterwards: the value itself whenever the typed text says anything else ("300" ->
// "255", "" -> "0", "-5" -> "0").
struct TypedChannel {
    int value = 0;
    std::string text;
    bool corrected = false;  // the edit's text differs from `text`
};
TypedChannel ReadTypedChannel(std::string_view typed);

}  // namespace windows
