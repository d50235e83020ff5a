#include "ui/core/ScanCodes.h"

#include <array>

namespace ui {
namespace {

constexpr bool E = true;   // extended
constexpr bool N = false;  // not extended

constexpr std::array<ScanCodeRow, kScanCodeRowCount> kRows = {{
    // 0-7: modifiers
    {0xA2, 0x1D, N},  // LCtrl
    {0xA0, 0x2A, N},  // LShift
    {0xA4, 0x38, N},  // LAlt
    {0x5B, 0x5B, E},  // LWin
    {0xA3, 0x1D, E},  // RCtrl
    {0xA1, 0x36, E},  // RShift
    {0xA5, 0x38, E},  // RAlt
    {0x5C, 0x5C, E},  // RWin
    // 8-33: A-Z
    {'A', 0x1E, N},
    {'B', 0x30, N},
    {'C', 0x2E, N},
    {'D', 0x20, N},
    {'E', 0x12, N},
    {'F', 0x21, N},
    {'G', 0x22, N},
    {'H', 0x23, N},
    {'I', 0x17, N},
    {'J', 0x24, N},
    {'K', 0x25, N},
    {'L', 0x26, N},
    {'M', 0x32, N},
    {'N', 0x31, N},
    {'O', 0x18, N},
    {'P', 0x19, N},
    {'Q', 0x10, N},
    {'R', 0x13, N},
    {'S', 0x1F, N},
    {'T', 0x14, N},
    {'U', 0x16, N},
    {'V', 0x2F, N},
    {'W', 0x11, N},
    {'X', 0x2D, N},
    {'Y', 0x15, N},
    {'Z', 0x2C, N},
    // 34-43: 1-9, 0
    {'1', 0x02, N},
    {'2', 0x03, N},
    {'3', 0x04, N},
    {'4', 0x05, N},
    {'5', 0x06, N},
    {'6', 0x07, N},
    {'7', 0x08, N},
    {'8', 0x09, N},
    {'9', 0x0A, N},
    {'0', 0x0B, N},
    // 44-60
    {0x0D, 0x1C, N},  // Enter
    {0x1B, 0x01, N},  // Esc
    {0x08, 0x0E, N},  // BackSpace
    {0x09, 0x0F, N},  // Tab
    {0x20, 0x39, N},  // Space
    {0xBD, 0x0C, N},  // -
    {0xBB, 0x0D, N},  // =
    {0xDB, 0x1A, N},  // [
    {0xDD, 0x1B, N},  // ]
    {0xDC, 0x2B, N},  // backslash
    {0xBA, 0x27, N},  // ;
    {0xDE, 0x28, N},  // '
    {0xC0, 0x29, N},  // `
    {0xBC, 0x33, N},  // comma
    {0xBE, 0x34, N},  // .
    {0xBF, 0x35, N},  // /
    {0x14, 0x3A, N},  // Caps Lock
    // 61-72: F1-F12
    {0x70, 0x3B, N},
    {0x71, 0x3C, N},
    {0x72, 0x3D, N},
    {0x73, 0x3E, N},
    {0x74, 0x3F, N},
    {0x75, 0x40, N},
    {0x76, 0x41, N},
    {0x77, 0x42, N},
    {0x78, 0x43, N},
    {0x79, 0x44, N},
    {0x7A, 0x57, N},
    {0x7B, 0x58, N},
    // 73-85
    {0x2C, 0x37, E},  // Print Scr
    {0x91, 0x46, N},  // Scroll Lock
    {0x13, 0x45, N},  // Pause
    {0x2D, 0x52, E},  // Insert
    {0x24, 0x47, E},  // Home
    {0x21, 0x49, E},  // Page Up
    {0x2E, 0x53, E},  // Delete
    {0x23, 0x4F, E},  // End
    {0x22, 0x51, E},  // Page Down
    {0x27, 0x4D, E},  // Right
    {0x25, 0x4B, E},  // Left
    {0x28, 0x50, E},  // Down
    {0x26, 0x48, E},  // Up
    // 86-103: keypad and App
    {0x90, 0x45, E},         // Num Lock
    {0x6F, 0x35, E},         // Num /
    {0x6A, 0x37, N},         // Num *
    {0x6D, 0x4A, N},         // Num -
    {0x6B, 0x4E, N},         // Num +
    {kVkNumEnter, 0x1C, E},  // Num Enter
    {0x61, 0x4F, N},         // Num 1
    {0x62, 0x50, N},
    {0x63, 0x51, N},
    {0x64, 0x4B, N},
    {0x65, 0x4C, N},
    {0x66, 0x4D, N},
    {0x67, 0x47, N},
    {0x68, 0x48, N},
    {0x69, 0x49, N},  // Num 9
    {0x60, 0x52, N},  // Num 0
    {0x6E, 0x53, N},  // Decimal
    {0x5D, 0x5D, E},  // App
    // 104-112: international keys
    {0xE2, 0x56, N},  // K45
    {0xC1, 0x73, N},  // K56
    {0xFF, 0x7D, N},  // K14
    {0xC2, 0x7E, N},  // K107
    {0xEB, 0x7B, N},  // K131
    {0xFF, 0x79, N},  // K132
    {0xFF, 0x70, N},  // K133
    {0xE9, 0x71, N},  // K150
    {0xFF, 0x72, N},  // K151
}};

}  // namespace

std::span<const ScanCodeRow> ScanCodeTable() {
    return kRows;
}

int FindScanRow(uint32_t scan, bool extended) {
    for (size_t i = 0; i < kRows.size(); ++i) {
        if (kRows[i].scan == scan && kRows[i].extended == extended)
            return static_cast<int>(i);
    }
    return -1;
}

int FindScanRowByVk(uint32_t vk) {
    if (vk == 0)
        return -1;
    for (size_t i = 0; i < kRows.size(); ++i) {
        if (kRows[i].vk == vk)
            return static_cast<int>(i);
    }
    return -1;
}

uint32_t MessageVkFromTableVk(uint32_t tableVk) {
    switch (tableVk) {
        case 0xA0:
        case 0xA1:
            return 0x10;
        case 0xA2:
        case 0xA3:
            return 0x11;
        case 0xA4:
        case 0xA5:
            return 0x12;
        case kVkNumEnter:
            return 0x0D;
        default:
            return tableVk;
    }
}

uint32_t TableVkFromMessageVk(uint32_t vk) {
    switch (vk) {
        case 0x10:
            return 0xA0;
        case 0x11:
            return 0xA2;
        case 0x12:
            return 0xA4;
        default:
            return vk;
    }
}

}  // namespace ui
