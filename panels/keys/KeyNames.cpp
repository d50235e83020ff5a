#include "panels/keys/KeyNames.h"

#include <array>

#include "devices/mouse/MouseKeys.h"
#include "panels/keys/KeyTables.h"

namespace panels::keys {
namespace {

// Function types the list leaves as they were shown (no name of their own here).
constexpr std::array<uint8_t, 6> kUnnamedTypes = {0x15, 0x21, 0x50, 0x60, 0xB0, 0xC0};

constexpr uint8_t kTypeDpiShift = 0x16;
constexpr uint8_t kTypeShortcut = 0x22;
constexpr uint8_t kTypeShowWindow = 0x23;

// Type 0x22: editing shortcuts by parameter 1.
constexpr std::array<const char*, 9> kShortcutNames = {
    "custem_cut",  "custem_copy", "custem_paste", "custem_undo", "custem_select_all",
    "custem_find", "custem_new",  "custem_save",  "custem_open",
};

// Shown for a type no rule knows, as it stands in every language.
constexpr const char* kUnknownTypeText = "关闭";

FunctionName NamesKeys(std::vector<std::string> keys) {
    FunctionName name;
    name.kind = FunctionName::Kind::Keys;
    name.keys = std::move(keys);
    return name;
}

FunctionName NamesKey(const char* key) {
    return NamesKeys({key});
}

FunctionName NamesText(std::string text) {
    FunctionName name;
    name.kind = FunctionName::Kind::Text;
    name.text = std::move(text);
    return name;
}

// The name of the row of `table` with these parameters; unchanged without one.
FunctionName NamesRow(std::span<const KeyRow> table, const profile::KeyAssignment& a) {
    const int row = FindRow(table, KeyPattern{a.type, a.param1, a.param2});
    if (row < 0)
        return {};
    return NamesKey(table[static_cast<size_t>(row)].nameKey);
}

// Types 0x00 and 0x20: a key by its exact row, else its modifier and key rows joined.
FunctionName NamesKeyboard(const profile::KeyAssignment& a) {
    const auto table = KeyboardTable();
    for (const KeyboardRow& row : table) {
        if (row.pattern.p1 == a.param1 && row.pattern.p2 == a.param2)
            return NamesKey(row.nameKey);
    }
    if (a.param1 == 0 && a.param2 == 0)
        return NamesKey("close_text");
    // Only a parameter that is set picks rows: a zero would pick every row that lacks it.
    std::vector<std::string> keys;
    for (const KeyboardRow& row : table) {
        if (row.pattern.type != a.type)
            continue;
        if ((a.param1 != 0 && row.pattern.p1 == a.param1) ||
            (a.param2 != 0 && row.pattern.p2 == a.param2))
            keys.emplace_back(row.nameKey);
    }
    if (keys.empty())
        return {};
    return NamesKeys(std::move(keys));
}

FunctionName NamesSpecial(const profile::KeyAssignment& a) {
    if (a.param1 == 0x02)
        return NamesKey("mouse_key_smart_key");
    if (a.param1 == 0x00)
        return NamesKey("close_text");
    const int row = FindKeyboardRow(KeyPattern{a.type, a.param1, a.param2});
    if (row < 0)
        return {};
    return NamesKey(KeyboardTable()[static_cast<size_t>(row)].nameKey);
}

}  // namespace

FunctionName NameOfAssignment(const profile::KeyAssignment& assignment,
                              std::span<const std::string> macroNames) {
    const profile::KeyAssignment& a = assignment;
    switch (a.type) {
        case 0x00:
        case kTypeKeyboard:
            return NamesKeyboard(a);
        case kTypeMouseButton:
            return NamesRow(MouseButtonTable(), a);
        case kTypeHorizontalScroll:
            return NamesKey((a.param2 & 0x80) != 0 ? "mouse_key_right_Swing"
                                                   : "mouse_key_left_Swing");
        case kTypeVerticalScroll:
            return NamesKey((a.param2 & 0x80) != 0 ? "mouse_key_down_Swing" : "mouse_key_up_Swing");
        case kTypeDpi:
            return NamesRow(DpiFunctionTable(), a);
        case kTypeFire:
            return NamesKey("mouse_key_fire_key");
        case kTypeMedia:
            return NamesRow(MediaKeyTable(), a);
        case kTypeSystem:
            return NamesRow(SystemKeyTable(), a);
        case kTypeMacroMode:
        case kTypeMacroCount:
            if (a.param1 >= macroNames.size())
                return {};
            return NamesText(macroNames[a.param1]);
        case kTypeGun:
            if (a.param1 >= GunKeyTable().size())
                return {};
            return NamesKey(GunKeyTable()[a.param1].nameKey);
        case kTypeDpiShift:
            return NamesKey("mouse_key_DPI_shift");
        case kTypeShortcut:
            if (a.param1 >= kShortcutNames.size())
                return {};
            return NamesKey(kShortcutNames[a.param1]);
        case kTypeShowWindow:
            if (a.param1 != 0 || a.param2 != 0)
                return {};
            return NamesKey("show_window");
        case kTypeSpecial:
            return NamesSpecial(a);
        default:
            break;
    }
    for (uint8_t unnamed : kUnnamedTypes) {
        if (a.type == unnamed)
            return {};
    }
    return NamesText(kUnknownTypeText);
}

std::span<const MouseKey> MouseKeys() {
    return devices::mouse::kMouseKeys;
}

}  // namespace panels::keys
