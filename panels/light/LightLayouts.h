#pragma once
// Which control groups of the lighting panel each light mode enables, per device family:
// the tables the panel's ApplyLayout follows, kept as data so that the panel, the tests and
// docs/lighting.md read the same rows.
// Pure; any thread.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace panels::light {

// What a row does to a group: leave it as it was, or set it on (enabled / shown) or off.
enum class Change : uint8_t { Keep, On, Off };

// The parameter groups every family's rows enable or disable, in table order.
enum ParameterGroup : size_t {
    kMultiColourGroup,
    kColourGroup,
    kPaletteGroup,
    kBrightnessGroup,
    kSpeedGroup,
    kDirectionGroup,
    kRgbGroup,
    kParameterGroupCount
};
inline constexpr std::array<const char*, kParameterGroupCount> kParameterGroupNames = {
    "deng_7color_check", "deng_color_layout", "colorpallet_layout", "deng_light_layout",
    "deng_speed_layout", "deng_fx_layout",    "deng_rgb_layout"};

// The keyboard's own groups, shown or hidden by the keyboard's rows only.
enum KeyboardGroup : size_t {
    kCustomModeGroup,
    kZzccModeGroup,
    kLightColourGroup,
    kAudioModeGroup,
    kColourTabsGroup,
    kKeyboardGroupCount
};
inline constexpr std::array<const char*, kKeyboardGroupCount> kKeyboardGroupNames = {
    "lightcustom_layout", "light_combo_ZZCCmodeSelectLayout", "light_color_layout",
    "light_combo_AudiomodeSelectLayout", "light_color_tablayout"};

// Enabled for every mode of every family that has a table.
inline constexpr const char* kEffectLayoutName = "lighteffect_layout";

// The language keys of the two direction options for a keyboard effect that moves.
struct DirectionLabels {
    const char* first = nullptr;
    const char* second = nullptr;
};

// What showing one mode does to the panel. Before the row: the same-mode button hidden, the
// direction group and the effect layout enabled.
struct ModeLayout {
    std::array<Change, kParameterGroupCount> groups{};
    std::array<Change, kKeyboardGroupCount> keyboardGroups{};  // On: shown, Off: hidden
    bool sameMode = false;  // the same-mode button shows (while allowed)
    std::optional<DirectionLabels> labels;
};

// Layout families: the device kinds. A mouse on its receiver (6) is laid out as a mouse and a
// keyboard on its receiver (9) as a keyboard.
inline constexpr int kFamilyKeyboard = 1;
inline constexpr int kFamilyMouse = 2;
inline constexpr int kFamilyMousePad = 3;
inline constexpr int kFamilyHeadsetFour = 4;  // headsets report 4 or 7
inline constexpr int kFamilyFive = 5;
inline constexpr int kFamilyMouseReceiver = 6;
inline constexpr int kFamilyHeadset = 7;
inline constexpr int kFamilyKeyboardReceiver = 9;

// The row for a mode of a family; nothing for a family without a table or a negative mode
// (the panel is then left as it is).
std::optional<ModeLayout> LayoutFor(int family, int mode);

}  // namespace panels::light
