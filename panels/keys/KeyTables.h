#pragma once
// The constant tables that name and encode every function a mouse key can be given and every
// keyboard key the program can assign or record. Each row is a complete assignment pattern
// (function type, parameter 1, parameter 2) with the language key of its name; a combo's
// item i is row i of its table. The keyboard table's first 113 rows are the rows of the
// scan-code table (ui/core/ScanCodes.h) in the same order.
//
// Threads: constant data; any thread.
#include <cstdint>
#include <span>

namespace panels::keys {

// Function types of a key assignment.
enum FunctionType : uint8_t {
    kTypeMouseButton = 0x10,
    kTypeHorizontalScroll = 0x11,
    kTypeVerticalScroll = 0x12,
    kTypeDpi = 0x13,
    kTypeFire = 0x14,
    kTypeKeyboard = 0x20,
    kTypeMedia = 0x30,
    kTypeSystem = 0x40,
    kTypeMacroMode = 0x70,
    kTypeMacroCount = 0x71,
    kTypeGun = 0x72,
    kTypeSpecial = 0xA0,
    kTypeMKey = 0xD0,
};

struct KeyPattern {
    uint8_t type = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;
    friend bool operator==(const KeyPattern&, const KeyPattern&) = default;
};

struct KeyRow {
    const char* nameKey;  // language key
    KeyPattern pattern;
};

struct KeyboardRow {
    const char* nameKey;  // language key ("keyboard_key_" and the row's name, one exception)
    uint16_t vk;          // Win32 virtual-key code; 0 for keys no keyboard sends
    KeyPattern pattern;
};

constexpr int kKeyboardRowCount = 142;
constexpr int kFirstKeyRow = 8;  // rows 0-7 are the modifiers
constexpr int kFirstKeyboardMediaRow = 114;

std::span<const KeyRow> MouseButtonTable();    // 5 rows
std::span<const KeyRow> DpiFunctionTable();    // 3 rows
std::span<const KeyRow> MediaKeyTable();       // 18 rows
std::span<const KeyRow> SystemKeyTable();      // 3 rows
std::span<const KeyRow> CombinationTable();    // 11 rows
std::span<const KeyRow> GunKeyTable();         // 4 rows, by shoot-data set (0x72, set, 0)
std::span<const KeyboardRow> KeyboardTable();  // 142 rows

// Index of the first row with this pattern, or -1.
int FindRow(std::span<const KeyRow> table, const KeyPattern& pattern);
int FindKeyboardRow(const KeyPattern& pattern);
// First keyboard row with this virtual-key code, or -1 (0 finds nothing).
int FindKeyboardRowByVk(uint32_t vk);
// The keyboard row of the first scan-code row with this scan code and extended flag, or -1.
// Only rows 0-112 have scan codes.
int FindKeyboardRowByScan(uint32_t scan, bool extended);

// The scan code of a keyboard row, when it has one.
struct RowScan {
    bool present = false;
    uint8_t scan = 0;
    bool extended = false;
};
RowScan KeyboardRowScan(int row);

}  // namespace panels::keys
