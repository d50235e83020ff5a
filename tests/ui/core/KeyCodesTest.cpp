// The scan-code table, the Linux key map and how the library completes a key event's codes.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <set>
#include <utility>
#include <vector>

#include "ui/core/KeyInput.h"
#include "ui/core/LinuxKeyCodes.h"
#include "ui/core/ScanCodes.h"

namespace ui {
namespace {

int RowOfLinuxKey(uint32_t evdev) {
    const std::optional<PcScanCode> pc = ScanFromLinuxKey(evdev);
    return pc ? FindScanRow(pc->scan, pc->extended) : -1;
}

TEST(ScanCodeTable, LookupsTellApartKeysThatShareAScanCode) {
    ASSERT_EQ(ScanCodeTable().size(), 113u);
    EXPECT_EQ(FindScanRow(0x1C, true), 91);   // Num Enter
    EXPECT_EQ(FindScanRow(0x1C, false), 44);  // Enter
    EXPECT_EQ(FindScanRow(0x45, false), 75);  // Pause
    EXPECT_EQ(FindScanRow(0x45, true), 86);   // Num Lock
    EXPECT_EQ(FindScanRow(0x1D, true), 4);    // RCtrl
    EXPECT_EQ(FindScanRow(0x1D, false), 0);   // LCtrl
    EXPECT_EQ(FindScanRow(0x36, true), 5);    // RShift, as the key tables have it
    EXPECT_EQ(FindScanRow(0x36, false), -1);
    EXPECT_EQ(FindScanRow(0x00, false), -1);
    EXPECT_EQ(FindScanRow(0x1E, true), -1);
    EXPECT_EQ(ScanCodeTable()[91].vk, kVkNumEnter);
    EXPECT_EQ(FindScanRowByVk(0xFF), 106);  // K14, the first of four
    EXPECT_EQ(FindScanRowByVk(0), -1);
    EXPECT_EQ(FindScanRowByVk(0x10), -1);  // generic Shift: no row of its own
}

TEST(ScanCodeTable, NoRowHidesAnotherAndSidesMapToMessageCodes) {
    std::set<std::pair<int, bool>> seen;
    for (const ScanCodeRow& row : ScanCodeTable())
        EXPECT_TRUE(seen.insert({row.scan, row.extended}).second) << std::hex << int(row.scan);
    EXPECT_EQ(MessageVkFromTableVk(0xA1), 0x10u);
    EXPECT_EQ(MessageVkFromTableVk(0xA3), 0x11u);
    EXPECT_EQ(MessageVkFromTableVk(0xA5), 0x12u);
    EXPECT_EQ(MessageVkFromTableVk(kVkNumEnter), 0x0Du);
    EXPECT_EQ(MessageVkFromTableVk(0x41), 0x41u);
    EXPECT_EQ(TableVkFromMessageVk(0x11), 0xA2u);
}

// Every key of a standard 105-key ISO keyboard, by its kernel code, with the virtual key of
// the scan-code row it must reach.
TEST(LinuxKeyCodes, Iso105KeyboardReachesItsRows) {
    const std::vector<std::pair<uint32_t, uint32_t>> keys = {
        // function row
        {KEY_ESC, 0x1B},
        {KEY_F1, 0x70},
        {KEY_F2, 0x71},
        {KEY_F3, 0x72},
        {KEY_F4, 0x73},
        {KEY_F5, 0x74},
        {KEY_F6, 0x75},
        {KEY_F7, 0x76},
        {KEY_F8, 0x77},
        {KEY_F9, 0x78},
        {KEY_F10, 0x79},
        {KEY_F11, 0x7A},
        {KEY_F12, 0x7B},
        {KEY_SYSRQ, 0x2C},
        {KEY_SCROLLLOCK, 0x91},
        {KEY_PAUSE, 0x13},
        // digits row
        {KEY_GRAVE, 0xC0},
        {KEY_1, '1'},
        {KEY_2, '2'},
        {KEY_3, '3'},
        {KEY_4, '4'},
        {KEY_5, '5'},
        {KEY_6, '6'},
        {KEY_7, '7'},
        {KEY_8, '8'},
        {KEY_9, '9'},
        {KEY_0, '0'},
        {KEY_MINUS, 0xBD},
        {KEY_EQUAL, 0xBB},
        {KEY_BACKSPACE, 0x08},
        {KEY_INSERT, 0x2D},
        {KEY_HOME, 0x24},
        {KEY_PAGEUP, 0x21},
        {KEY_NUMLOCK, 0x90},
        {KEY_KPSLASH, 0x6F},
        {KEY_KPASTERISK, 0x6A},
        {KEY_KPMINUS, 0x6D},
        // top letter row
        {KEY_TAB, 0x09},
        {KEY_Q, 'Q'},
        {KEY_W, 'W'},
        {KEY_E, 'E'},
        {KEY_R, 'R'},
        {KEY_T, 'T'},
        {KEY_Y, 'Y'},
        {KEY_U, 'U'},
        {KEY_I, 'I'},
        {KEY_O, 'O'},
        {KEY_P, 'P'},
        {KEY_LEFTBRACE, 0xDB},
        {KEY_RIGHTBRACE, 0xDD},
        {KEY_DELETE, 0x2E},
        {KEY_END, 0x23},
        {KEY_PAGEDOWN, 0x22},
        {KEY_KP7, 0x67},
        {KEY_KP8, 0x68},
        {KEY_KP9, 0x69},
        {KEY_KPPLUS, 0x6B},
        // home row (the ISO hash key is the backslash key's code)
        {KEY_CAPSLOCK, 0x14},
        {KEY_A, 'A'},
        {KEY_S, 'S'},
        {KEY_D, 'D'},
        {KEY_F, 'F'},
        {KEY_G, 'G'},
        {KEY_H, 'H'},
        {KEY_J, 'J'},
        {KEY_K, 'K'},
        {KEY_L, 'L'},
        {KEY_SEMICOLON, 0xBA},
        {KEY_APOSTROPHE, 0xDE},
        {KEY_BACKSLASH, 0xDC},
        {KEY_ENTER, 0x0D},
        {KEY_KP4, 0x64},
        {KEY_KP5, 0x65},
        {KEY_KP6, 0x66},
        // bottom letter row
        {KEY_LEFTSHIFT, 0xA0},
        {KEY_102ND, 0xE2},
        {KEY_Z, 'Z'},
        {KEY_X, 'X'},
        {KEY_C, 'C'},
        {KEY_V, 'V'},
        {KEY_B, 'B'},
        {KEY_N, 'N'},
        {KEY_M, 'M'},
        {KEY_COMMA, 0xBC},
        {KEY_DOT, 0xBE},
        {KEY_SLASH, 0xBF},
        {KEY_RIGHTSHIFT, 0xA1},
        {KEY_UP, 0x26},
        {KEY_KP1, 0x61},
        {KEY_KP2, 0x62},
        {KEY_KP3, 0x63},
        {KEY_KPENTER, kVkNumEnter},
        // space row
        {KEY_LEFTCTRL, 0xA2},
        {KEY_LEFTMETA, 0x5B},
        {KEY_LEFTALT, 0xA4},
        {KEY_SPACE, 0x20},
        {KEY_RIGHTALT, 0xA5},
        {KEY_RIGHTMETA, 0x5C},
        {KEY_COMPOSE, 0x5D},
        {KEY_RIGHTCTRL, 0xA3},
        {KEY_LEFT, 0x25},
        {KEY_DOWN, 0x28},
        {KEY_RIGHT, 0x27},
        {KEY_KP0, 0x60},
        {KEY_KPDOT, 0x6E},
    };
    ASSERT_EQ(keys.size(), 105u);
    std::set<int> rows;
    for (const auto& [code, vk] : keys) {
        const int row = RowOfLinuxKey(code);
        ASSERT_GE(row, 0) << "kernel code " << code;
        EXPECT_EQ(ScanCodeTable()[row].vk, vk) << "kernel code " << code;
        rows.insert(row);
    }
    EXPECT_EQ(rows.size(), 105u);  // no two keys share a row

    EXPECT_EQ(ScanFromLinuxKey(KEY_RIGHTSHIFT)->scan, 0x36);
    EXPECT_TRUE(ScanFromLinuxKey(KEY_RIGHTSHIFT)->extended);
    EXPECT_EQ(ScanFromLinuxKey(KEY_KPENTER)->scan, 0x1C);
    EXPECT_TRUE(ScanFromLinuxKey(KEY_KPENTER)->extended);
    EXPECT_EQ(ScanFromLinuxKey(KEY_PAUSE)->scan, 0x45);
    EXPECT_FALSE(ScanFromLinuxKey(KEY_PAUSE)->extended);
    EXPECT_EQ(ScanFromLinuxKey(KEY_SYSRQ)->scan, 0x37);
    EXPECT_TRUE(ScanFromLinuxKey(KEY_SYSRQ)->extended);
}

TEST(LinuxKeyCodes, InternationalKeysReachTheirRowsAndEveryRowIsReachable) {
    EXPECT_EQ(RowOfLinuxKey(KEY_RO), 105);                // K56
    EXPECT_EQ(RowOfLinuxKey(KEY_YEN), 106);               // K14
    EXPECT_EQ(RowOfLinuxKey(KEY_KPCOMMA), 107);           // K107
    EXPECT_EQ(RowOfLinuxKey(KEY_MUHENKAN), 108);          // K131
    EXPECT_EQ(RowOfLinuxKey(KEY_HENKAN), 109);            // K132
    EXPECT_EQ(RowOfLinuxKey(KEY_KATAKANAHIRAGANA), 110);  // K133
    EXPECT_EQ(RowOfLinuxKey(KEY_HANJA), 111);             // K150
    EXPECT_EQ(RowOfLinuxKey(KEY_HANGEUL), 112);           // K151
    std::set<int> rows;
    for (uint32_t code = 0; code < 256; ++code) {
        if (int row = RowOfLinuxKey(code); row >= 0)
            rows.insert(row);
    }
    EXPECT_EQ(rows.size(), ScanCodeTable().size());
    EXPECT_FALSE(ScanFromLinuxKey(0));
    EXPECT_FALSE(ScanFromLinuxKey(KEY_ZENKAKUHANKAKU));
    EXPECT_FALSE(ScanFromDesktopKeycode(7));
    EXPECT_EQ(ScanFromDesktopKeycode(KEY_A + kDesktopKeycodeOffset)->scan, 0x1E);
}

KeyEvent Resolved(uint32_t vk, uint32_t nativeCode) {
    KeyEvent key;
    key.virtualKey = vk;
    key.nativeCode = nativeCode;
    detail::ResolveKeyCodes(key);
    return key;
}

TEST(ResolveKeyCodes, NativeCodeFirstThenTheVirtualKeysFirstRow) {
    const uint32_t kOffset = kDesktopKeycodeOffset;
    KeyEvent rshift = Resolved(0, KEY_RIGHTSHIFT + kOffset);
    EXPECT_EQ(rshift.scanCode, 0x36u);
    EXPECT_TRUE(rshift.extended);
    EXPECT_EQ(rshift.keyVk, 0xA1u);
    EXPECT_EQ(rshift.virtualKey, 0x10u);
    // The desktop's virtual key is kept; the native code decides the side.
    KeyEvent rctrl = Resolved(0x11, KEY_RIGHTCTRL + kOffset);
    EXPECT_EQ(rctrl.virtualKey, 0x11u);
    EXPECT_EQ(rctrl.keyVk, 0xA3u);
    KeyEvent yen = Resolved(0, KEY_YEN + kOffset);
    EXPECT_EQ(yen.keyVk, 0xFFu);
    EXPECT_EQ(yen.virtualKey, 0xFFu);
    // Without a native code: the first row of the virtual key, left for either side.
    KeyEvent shift = Resolved(0x10, 0);
    EXPECT_EQ(shift.scanCode, 0x2Au);
    EXPECT_FALSE(shift.extended);
    EXPECT_EQ(shift.keyVk, 0xA0u);
    KeyEvent enter = Resolved(0x0D, 0);
    EXPECT_EQ(enter.scanCode, 0x1Cu);
    EXPECT_FALSE(enter.extended);
    EXPECT_EQ(enter.keyVk, 0x0Du);
    // A native code without a scan code is not replaced by a guess from the virtual key.
    KeyEvent unknown = Resolved(0x41, KEY_ZENKAKUHANKAKU + kOffset);
    EXPECT_EQ(unknown.scanCode, 0u);
    EXPECT_EQ(unknown.keyVk, 0u);
    EXPECT_EQ(unknown.virtualKey, 0x41u);
    KeyEvent none = Resolved(0xE7, 0);  // a virtual key no row carries
    EXPECT_EQ(none.scanCode, 0u);
    EXPECT_EQ(none.keyVk, 0u);
}

}  // namespace
}  // namespace ui
