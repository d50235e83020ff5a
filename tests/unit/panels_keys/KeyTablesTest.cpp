// The key tables as the key panel, the macro editor and the recorder read them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "panels/keys/KeyTables.h"
#include "ui/core/ScanCodes.h"

namespace panels::keys {
namespace {

std::string NameOf(int row) {
    return row >= 0 ? KeyboardTable()[row].nameKey : "(none)";
}

TEST(KeyTables, RowCountsAndNameKeysAsSpelt) {
    EXPECT_EQ(MouseButtonTable().size(), 5u);
    EXPECT_EQ(DpiFunctionTable().size(), 3u);
    EXPECT_EQ(MediaKeyTable().size(), 18u);
    EXPECT_EQ(SystemKeyTable().size(), 3u);
    EXPECT_EQ(CombinationTable().size(), 11u);
    EXPECT_EQ(GunKeyTable().size(), 4u);
    EXPECT_EQ(KeyboardTable().size(), 142u);
    EXPECT_EQ(ui::ScanCodeTable().size(), 113u);

    EXPECT_EQ(NameOf(0), "keyboard_key_LCtrl");
    EXPECT_EQ(NameOf(53), "keyboard_key_xiegang");
    EXPECT_EQ(NameOf(57), "keyboard_key_<");
    EXPECT_EQ(NameOf(113), "keyboard_key_K42");
    EXPECT_EQ(NameOf(115), "keyboard_key_Browaer Home");
    EXPECT_EQ(NameOf(130), "wed_stop");
    EXPECT_EQ(NameOf(141), "keyboard_key_GM");
    EXPECT_STREQ(MediaKeyTable()[10].nameKey, "wed_stop");
    EXPECT_STREQ(GunKeyTable()[3].nameKey, "gun_4_txt");
    std::set<std::string> names;
    for (const KeyboardRow& row : KeyboardTable())
        EXPECT_TRUE(names.insert(row.nameKey).second) << row.nameKey;
}

TEST(KeyTables, KeyboardRowsFollowTheirGroups) {
    const auto table = KeyboardTable();
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(table[i].pattern, (KeyPattern{kTypeKeyboard, uint8_t(1u << i), 0})) << i;
    }
    for (int i = kFirstKeyRow; i < kFirstKeyboardMediaRow; ++i) {
        EXPECT_EQ(table[i].pattern.type, kTypeKeyboard) << i;
        EXPECT_EQ(table[i].pattern.p1, 0) << i;
    }
    // The first 113 rows carry the scan-code table's virtual keys.
    for (size_t i = 0; i < ui::ScanCodeTable().size(); ++i)
        EXPECT_EQ(table[i].vk, ui::ScanCodeTable()[i].vk) << i;
    // The extended flag is set exactly on these rows.
    const std::set<int> extended = {3,  4,  5,  6,  7,  73, 76, 77, 78, 79,
                                    80, 81, 82, 83, 84, 85, 86, 87, 91, 103};
    for (int i = 0; i < ui::kScanCodeRowCount; ++i)
        EXPECT_EQ(KeyboardRowScan(i).extended, extended.count(i) == 1) << i;
    // Each media row of the keyboard table is a row of the media table.
    for (int i = kFirstKeyboardMediaRow; i < kFirstKeyboardMediaRow + 18; ++i)
        EXPECT_GE(FindRow(MediaKeyTable(), table[i].pattern), 0) << i;
    EXPECT_EQ(table[91].vk, 0x101);  // Num Enter
    EXPECT_EQ(table[91].pattern.p2, 0x58);
    EXPECT_EQ(table[132].pattern, (KeyPattern{kTypeSystem, 0x01, 0}));
    EXPECT_EQ(table[137].pattern, (KeyPattern{kTypeMKey, 0xA2, 3}));
    EXPECT_EQ(table[140].pattern, (KeyPattern{kTypeSpecial, 0x01, 0}));
}

TEST(KeyTables, ScanLookupsTellApartKeysThatShareAScanCode) {
    EXPECT_EQ(NameOf(FindKeyboardRowByScan(0x1C, true)), "keyboard_key_Num Enter");
    EXPECT_EQ(NameOf(FindKeyboardRowByScan(0x1C, false)), "keyboard_key_Enter");
    EXPECT_EQ(NameOf(FindKeyboardRowByScan(0x45, false)), "keyboard_key_Pause");
    EXPECT_EQ(NameOf(FindKeyboardRowByScan(0x45, true)), "keyboard_key_Num Lock");
    EXPECT_EQ(NameOf(FindKeyboardRowByScan(0x1D, true)), "keyboard_key_RCtrl");
    EXPECT_EQ(NameOf(FindKeyboardRowByScan(0x37, true)), "keyboard_key_Print Scr");
    EXPECT_EQ(NameOf(FindKeyboardRowByScan(0x37, false)), "keyboard_key_Num *");
    EXPECT_EQ(FindKeyboardRowByScan(0x36, false), -1);  // Right Shift is extended here
    EXPECT_EQ(NameOf(FindKeyboardRowByScan(0x36, true)), "keyboard_key_RShift");
    // K42 has no scan-code row: no scan code finds it.
    for (uint32_t scan = 0; scan < 256; ++scan) {
        EXPECT_NE(FindKeyboardRowByScan(scan, false), 113);
        EXPECT_NE(FindKeyboardRowByScan(scan, true), 113);
    }
    EXPECT_FALSE(KeyboardRowScan(113).present);
    EXPECT_FALSE(KeyboardRowScan(-1).present);
    const RowScan printScr = KeyboardRowScan(73);
    EXPECT_TRUE(printScr.present);
    EXPECT_EQ(printScr.scan, 0x37);
    EXPECT_TRUE(printScr.extended);
}

TEST(KeyTables, VkAndPatternLookupsTakeTheFirstRow) {
    EXPECT_EQ(NameOf(FindKeyboardRowByVk(0xFF)), "keyboard_key_K14");
    EXPECT_EQ(NameOf(FindKeyboardRowByVk(0xBF)), "keyboard_key_/");
    EXPECT_EQ(NameOf(FindKeyboardRowByVk(0x101)), "keyboard_key_Num Enter");
    EXPECT_EQ(NameOf(FindKeyboardRowByVk(0xA9)), "wed_stop");
    EXPECT_EQ(FindKeyboardRowByVk(0), -1);  // the M, Fn and GM rows are not keys
    EXPECT_EQ(FindKeyboardRowByVk(0x10), -1);
    EXPECT_EQ(FindKeyboardRowByVk(0xE7), -1);

    EXPECT_EQ(NameOf(FindKeyboardRow({kTypeKeyboard, 0, 0x04})), "keyboard_key_A");
    EXPECT_EQ(NameOf(FindKeyboardRow({kTypeKeyboard, 0, 0x32})), "keyboard_key_K42");
    EXPECT_EQ(NameOf(FindKeyboardRow({kTypeSpecial, 0x1B, 0})), "keyboard_key_GM");
    EXPECT_EQ(FindKeyboardRow({kTypeKeyboard, 0, 0x00}), -1);
    EXPECT_EQ(FindRow(MouseButtonTable(), {kTypeMouseButton, 0x04, 0}), 1);
    EXPECT_EQ(FindRow(DpiFunctionTable(), {kTypeDpi, 0x03, 0}), 2);
    EXPECT_EQ(FindRow(CombinationTable(), {kTypeKeyboard, 0x10, 0x06}), 4);
    EXPECT_EQ(FindRow(SystemKeyTable(), {kTypeSystem, 0x04, 0}), 2);
    EXPECT_EQ(FindRow(MediaKeyTable(), {kTypeMedia, 0x83, 0x01}), 0);
    EXPECT_EQ(FindRow(MediaKeyTable(), {kTypeMedia, 0x83, 0x02}), -1);
    EXPECT_EQ(FindRow(GunKeyTable(), {kTypeGun, 2, 0}), 2);
}

}  // namespace
}  // namespace panels::keys
