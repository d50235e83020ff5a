// The names of key functions in the key list, the mouse's keys, and the language texts that
// every name key needs.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "panels/keys/KeyNames.h"
#include "panels/keys/KeyTables.h"

namespace panels::keys {
namespace {

using Kind = FunctionName::Kind;

std::string Describe(const FunctionName& name) {
    switch (name.kind) {
        case Kind::Unchanged:
            return "(unchanged)";
        case Kind::Text:
            return "text:" + name.text;
        case Kind::Keys: {
            std::string joined;
            for (const std::string& key : name.keys)
                joined += (joined.empty() ? "" : "+") + key;
            return joined;
        }
    }
    return {};
}

std::string Name(uint8_t type, uint8_t p1, uint8_t p2,
                 const std::vector<std::string>& macros = {}) {
    profile::KeyAssignment a;
    a.type = type;
    a.param1 = p1;
    a.param2 = p2;
    return Describe(NameOfAssignment(a, macros));
}

TEST(KeyNames, EveryFunctionTypeByItsRule) {
    const std::vector<std::string> macros = {"Reload", "Burst"};
    const struct {
        uint8_t type, p1, p2;
        const char* name;
    } cases[] = {
        // keyboard keys: exact row, modifier and key joined, disabled
        {0x20, 0x00, 0x04, "keyboard_key_A"},
        {0x20, 0x01, 0x00, "keyboard_key_LCtrl"},
        {0x20, 0x01, 0x06, "keyboard_key_LCtrl+keyboard_key_C"},
        {0x20, 0x10, 0x19, "keyboard_key_RCtrl+keyboard_key_V"},
        {0x20, 0x00, 0x00, "close_text"},
        {0x00, 0x00, 0x00, "close_text"},
        {0x00, 0x00, 0x2C, "keyboard_key_Space"},
        // a key no row names is not every row that lacks a modifier
        {0x20, 0x00, 0x03, "(unchanged)"},
        {0x20, 0x03, 0x00, "(unchanged)"},
        {0x10, 0x04, 0x00, "mouse_key_middle"},
        {0x10, 0x40, 0x00, "(unchanged)"},
        {0x11, 0x03, 0x83, "mouse_key_right_Swing"},
        {0x11, 0x03, 0x03, "mouse_key_left_Swing"},
        {0x12, 0x00, 0xFD, "mouse_key_down_Swing"},
        {0x12, 0x00, 0x01, "mouse_key_up_Swing"},
        {0x13, 0x03, 0x00, "mouse_key_DPI_loop"},
        {0x14, 0x78, 0x02, "mouse_key_fire_key"},
        {0x30, 0xE9, 0x00, "media_vol_add"},
        {0x30, 0x26, 0x02, "wed_stop"},
        {0x40, 0x04, 0x00, "system_wake_up"},
        {0x70, 0x01, 0x02, "text:Burst"},
        {0x71, 0x00, 0x09, "text:Reload"},
        {0x71, 0x02, 0x09, "(unchanged)"},
        {0x70, 0xFF, 0x00, "(unchanged)"},
        {0x72, 0x03, 0x00, "gun_4_txt"},
        {0x72, 0x04, 0x00, "(unchanged)"},
        {0x72, 0xFF, 0x00, "(unchanged)"},
        {0x16, 0x90, 0x01, "mouse_key_DPI_shift"},
        {0x22, 0x00, 0x00, "custem_cut"},
        {0x22, 0x04, 0x00, "custem_select_all"},
        {0x22, 0x08, 0x00, "custem_open"},
        {0x22, 0x09, 0x00, "(unchanged)"},
        {0x23, 0x00, 0x00, "show_window"},
        {0x23, 0x01, 0x00, "(unchanged)"},
        {0xA0, 0x02, 0x05, "mouse_key_smart_key"},
        {0xA0, 0x00, 0x07, "close_text"},
        {0xA0, 0x01, 0x00, "keyboard_key_FN"},
        {0xA0, 0x1B, 0x00, "keyboard_key_GM"},
        {0xA0, 0x05, 0x00, "(unchanged)"},
        {0x99, 0x01, 0x02, "text:关闭"},
        {0xD0, 0xA2, 0x01, "text:关闭"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Name(c.type, c.p1, c.p2, macros), c.name)
            << std::hex << int(c.type) << " " << int(c.p1) << " " << int(c.p2);
    for (uint8_t type : {0x15, 0x21, 0x50, 0x60, 0xB0, 0xC0})
        EXPECT_EQ(Name(type, 1, 1, macros), "(unchanged)") << int(type);
    EXPECT_EQ(Name(0x70, 0, 0), "(unchanged)") << "no macro list";
}

TEST(KeyNames, MouseKeysWithTheirFactoryFunctions) {
    const auto keys = MouseKeys();
    ASSERT_EQ(keys.size(), 11u);
    EXPECT_STREQ(keys[0].label, "mouse_key_left");
    EXPECT_STREQ(keys[8].label, "keyboard_key_GM");
    EXPECT_STREQ(keys[10].label, "mouse_key_fire_key");
    EXPECT_EQ((std::vector<int>{keys[9].type, keys[9].p1, keys[9].p2}),
              (std::vector<int>{0x16, 0x90, 0x01}));
    EXPECT_EQ((std::vector<int>{keys[10].type, keys[10].p1, keys[10].p2}),
              (std::vector<int>{0x14, 120, 2}));
    // Every factory function has a name, and the mouse button keys name themselves.
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string name = Name(keys[i].type, keys[i].p1, keys[i].p2);
        EXPECT_NE(name, "(unchanged)") << i;
        if (i < 8) {
            EXPECT_EQ(name, keys[i].label) << i;
        }
    }
}

std::set<std::string> LanguageKeys(const std::string& file) {
    std::ifstream in(std::string(T418_RESOURCES_DIR) + "/skin/" + file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::set<std::string> keys;
    const std::string body = text.str();
    std::regex id(R"rx(<Text id="([^"]+)")rx");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), id); it != std::sregex_iterator();
         ++it) {
        std::string key = (*it)[1];
        for (size_t at; (at = key.find("&lt;")) != std::string::npos;)
            key.replace(at, 4, "<");
        keys.insert(key);
    }
    return keys;
}

TEST(KeyNames, EveryNameKeyHasItsTextsInBothLanguages) {
    std::vector<std::string> needed = {
        "close_text",          "show_window",     "mouse_key_DPI_shift",
        "mouse_key_smart_key", "keyboard_key_FN", "keyboard_key_GM",
        "message_text_6",      "message_text_7",  "message_text_16"};
    for (const char* s : {"left", "right", "up", "down"})
        needed.push_back(std::string("mouse_key_") + s + "_Swing");
    for (auto table : {MouseButtonTable(), DpiFunctionTable(), MediaKeyTable(), SystemKeyTable(),
                       CombinationTable(), GunKeyTable()})
        for (const KeyRow& row : table)
            needed.emplace_back(row.nameKey);
    for (const KeyboardRow& row : KeyboardTable())
        needed.emplace_back(row.nameKey);
    for (const MouseKey& key : MouseKeys())
        needed.emplace_back(key.label);
    for (uint8_t p1 = 0; p1 <= 8; ++p1)
        needed.push_back(Name(0x22, p1, 0));
    for (const char* file : {"lan_en.xml", "lan_cn.xml"}) {
        const std::set<std::string> keys = LanguageKeys(file);
        for (const std::string& key : needed)
            EXPECT_TRUE(keys.count(key)) << file << ": " << key;
    }
}

}  // namespace
}  // namespace panels::keys
