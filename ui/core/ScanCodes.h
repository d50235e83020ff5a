#pragma once
// The scan-code table: for each of the first 113 rows of the keyboard key table (the keys a
// PC keyboard can send), the Win32 virtual-key code and the PC scan code (set 1, as a
// low-level keyboard hook reports it) with its extended flag. Row i here is row i of the
// keyboard key table in panels/keys/KeyTables.h, which names the rows and gives their HID
// usages; the GUI library needs only this part to describe a key event.
//
// Two rows differ from what a PC keyboard driver reports and are kept as the key tables have
// them: Right Shift is scan 0x36 with the extended flag, and Num Lock is 0x45 extended while
// Pause is 0x45 without it. Keypad Enter carries the virtual-key code 0x101 (no Win32 code),
// so that it is told apart from Enter by its code too.
//
// Threads: constant data; any thread.
#include <cstdint>
#include <span>

namespace ui {

struct ScanCodeRow {
    uint16_t vk = 0;
    uint8_t scan = 0;
    bool extended = false;
};

constexpr int kScanCodeRowCount = 113;
// Virtual-key code of the keypad Enter row (outside the Win32 range of key codes).
constexpr uint32_t kVkNumEnter = 0x101;

std::span<const ScanCodeRow> ScanCodeTable();

// Index of the first row with this scan code and extended flag, or -1.
int FindScanRow(uint32_t scan, bool extended);
// Index of the first row carrying this virtual-key code, or -1 (0 finds nothing).
int FindScanRowByVk(uint32_t vk);

// The code a window message carries for a table code: left and right modifiers become
// VK_SHIFT, VK_CONTROL and VK_MENU, keypad Enter VK_RETURN; others are unchanged.
uint32_t MessageVkFromTableVk(uint32_t tableVk);
// The table code that stands for a message code without side: VK_SHIFT, VK_CONTROL and
// VK_MENU become the left keys; others are unchanged.
uint32_t TableVkFromMessageVk(uint32_t vk);

// WM_KEYDOWN/WM_KEYUP lParam: bits 16-23 the scan code, bit 24 the extended flag.
constexpr uint32_t ScanFromKeyLParam(intptr_t lParam) {
    return (static_cast<uint32_t>(lParam) >> 16) & 0xFF;
}
constexpr bool ExtendedFromKeyLParam(intptr_t lParam) {
    return ((static_cast<uint32_t>(lParam) >> 24) & 1) != 0;
}

}  // namespace ui
