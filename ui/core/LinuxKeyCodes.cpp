#include "ui/core/LinuxKeyCodes.h"

namespace ui {
namespace {

struct LinuxKey {
    uint16_t code;  // evdev
    uint8_t scan;
    bool extended;
};

// Evdev codes 1-88 are the set-1 scan codes of the same keys (84 and 85 excepted) and are
// computed; these are the others, and the two the scan-code table marks extended.
constexpr LinuxKey kKeys[] = {
    {54, 0x36, true},    // Right Shift
    {69, 0x45, true},    // Num Lock
    {89, 0x73, false},   // Ro (K56)
    {92, 0x79, false},   // Henkan (K132)
    {93, 0x70, false},   // Katakana/Hiragana (K133)
    {94, 0x7B, false},   // Muhenkan (K131)
    {96, 0x1C, true},    // keypad Enter
    {97, 0x1D, true},    // Right Ctrl
    {98, 0x35, true},    // keypad /
    {99, 0x37, true},    // Print Screen / SysRq
    {100, 0x38, true},   // Right Alt
    {102, 0x47, true},   // Home
    {103, 0x48, true},   // Up
    {104, 0x49, true},   // Page Up
    {105, 0x4B, true},   // Left
    {106, 0x4D, true},   // Right
    {107, 0x4F, true},   // End
    {108, 0x50, true},   // Down
    {109, 0x51, true},   // Page Down
    {110, 0x52, true},   // Insert
    {111, 0x53, true},   // Delete
    {113, 0x20, true},   // Mute
    {114, 0x2E, true},   // Volume Down
    {115, 0x30, true},   // Volume Up
    {119, 0x45, false},  // Pause
    {121, 0x7E, false},  // keypad comma (K107)
    {122, 0x72, false},  // Hangul (K151)
    {123, 0x71, false},  // Hanja (K150)
    {124, 0x7D, false},  // Yen (K14)
    {125, 0x5B, true},   // Left Meta
    {126, 0x5C, true},   // Right Meta
    {127, 0x5D, true},   // Compose / Menu
    {163, 0x19, true},   // Next Song
    {164, 0x22, true},   // Play/Pause
    {165, 0x10, true},   // Previous Song
    {166, 0x24, true},   // Stop
};

}  // namespace

std::optional<PcScanCode> ScanFromLinuxKey(uint32_t evdevCode) {
    for (const LinuxKey& key : kKeys) {
        if (key.code == evdevCode)
            return PcScanCode{key.scan, key.extended};
    }
    if (evdevCode >= 1 && evdevCode <= 88 && evdevCode != 84 && evdevCode != 85)
        return PcScanCode{static_cast<uint8_t>(evdevCode), false};
    return std::nullopt;
}

std::optional<PcScanCode> ScanFromDesktopKeycode(uint32_t keycode) {
    if (keycode < kDesktopKeycodeOffset)
        return std::nullopt;
    return ScanFromLinuxKey(keycode - kDesktopKeycodeOffset);
}

}  // namespace ui
