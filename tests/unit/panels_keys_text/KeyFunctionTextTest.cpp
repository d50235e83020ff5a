// FUNCTION texts: the panel controls each form sets, the key a keyboard form captures, the
// errors, and the text an assignment prints as.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "panels/keys/KeyFunctionText.h"

namespace panels::keys {
namespace {

const std::vector<std::string> kMacros = {"Burst", "two:parts", "burst", "Burst", ""};

KeyFunction Parsed(const std::string& text) {
    const KeyFunctionParse parse = ParseKeyFunction(text, kMacros);
    EXPECT_TRUE(parse.ok) << text << ": " << parse.error;
    EXPECT_TRUE(parse.error.empty()) << text;
    return parse.function;
}

std::string ErrorOf(const std::string& text, const std::vector<std::string>& macros = kMacros) {
    const KeyFunctionParse parse = ParseKeyFunction(text, macros);
    EXPECT_FALSE(parse.ok) << text;
    return parse.error;
}

profile::KeyAssignment Assignment(uint8_t type, uint8_t p1, uint8_t p2) {
    profile::KeyAssignment a;
    a.keyIndex = 4;
    a.type = type;
    a.param1 = p1;
    a.param2 = p2;
    return a;
}

std::string Format(uint8_t type, uint8_t p1, uint8_t p2) {
    return FormatKeyFunction(Assignment(type, p1, p2), kMacros);
}

TEST(KeyFunctionText, TableNamesSelectTheirRowOnTheirPage) {
    struct Case {
        const char* text;
        int page;
        int KeyPanelState::*control;
        int row;
    };
    const Case cases[] = {
        {"mouse_key_middle", kPageMouseButton, &KeyPanelState::mouseButton, 1},
        {"MOUSE_KEY_BACK", kPageMouseButton, &KeyPanelState::mouseButton, 4},
        {"mouse_key_DPI_loop", kPageDpi, &KeyPanelState::dpi, 2},
        {"media_play", kPageMedia, &KeyPanelState::media, 1},
        {"wed_stop", kPageMedia, &KeyPanelState::media, 10},
        {"system_wake_up", kPageSystem, &KeyPanelState::system, 2},
        {"custem_copy", kPageCombination, &KeyPanelState::combination, 4},
        {" gun_2_txt\t", kPageGun, &KeyPanelState::gun, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const KeyFunction f = Parsed(c.text);
        EXPECT_EQ(f.kind, KeyFunction::Kind::kPanel);
        EXPECT_EQ(f.state.page, c.page);
        EXPECT_TRUE(f.state.layoutVisible);
        EXPECT_EQ(f.state.*c.control, c.row);
        EXPECT_FALSE(f.captured.has_value());
    }
    EXPECT_EQ(Parsed("Default").state.page, kPageDefault);
}

TEST(KeyFunctionText, KeyboardKeysSetTheModifierOptionTheTextAndTheCapturedKey) {
    struct Case {
        const char* text;
        int modifier;
        const char* keyName;
        KeyPattern captured;
    };
    const Case cases[] = {
        {"A", 0, "keyboard_key_A", {0x20, 0x00, 0x04}},
        {"ctrl+c", 1, "keyboard_key_C", {0x20, 0x01, 0x06}},
        {"Shift + Num Enter", 2, "keyboard_key_Num Enter", {0x20, 0x02, 0x58}},
        {"Alt+F5", 3, "keyboard_key_F5", {0x20, 0x04, 0x3E}},
        {"Win+Num +", 4, "keyboard_key_Num +", {0x20, 0x08, 0x57}},
        {"Ctrl+-", 1, "keyboard_key_-", {0x20, 0x01, 0x2D}},
        {"RCtrl+x", 1, "keyboard_key_X", {0x20, 0x01, 0x1B}},  // either side: one option
        {"K42", 0, "keyboard_key_K42", {0x20, 0x00, 0x32}},    // no scan code, still a key
        {"Ctrl", 1, "", {0x20, 0x01, 0x00}},
        {"rshift", 2, "", {0x20, 0x02, 0x00}},
        {"LWin", 4, "", {0x20, 0x08, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const KeyFunction f = Parsed(c.text);
        EXPECT_EQ(f.state.page, kPageKeyboard);
        EXPECT_EQ(f.state.modifier, c.modifier);
        EXPECT_EQ(f.state.keyName, c.keyName);
        ASSERT_TRUE(f.captured.has_value());
        EXPECT_EQ(*f.captured, c.captured);
    }
    const KeyFunction off = Parsed("OFF");
    EXPECT_EQ(off.state.page, kPageKeyboard);
    EXPECT_EQ(off.state.modifier, -1);
    EXPECT_EQ(off.state.keyName, "");
}

TEST(KeyFunctionText, ScrollFireMacroAndRawForms) {
    KeyFunction f = Parsed("wheel:down:3");
    EXPECT_EQ(f.state.page, kPageWheel);
    EXPECT_EQ(f.state.wheelDirection, 1);
    EXPECT_EQ(f.state.wheelCount, "3");
    EXPECT_EQ(f.state.wheelDelay, "0");
    EXPECT_EQ(f.state.wheelSpeed, "0");
    f = Parsed("Wheel:UP:0x7F:15:0");
    EXPECT_EQ(f.state.wheelDirection, 0);
    EXPECT_EQ(f.state.wheelCount, "127");
    EXPECT_EQ(f.state.wheelDelay, "15");
    f = Parsed("tilt:right:3:1:4");
    EXPECT_EQ(f.state.page, kPageTilt);
    EXPECT_EQ(f.state.tiltDirection, 1);
    EXPECT_EQ(f.state.tiltCount, "3");
    EXPECT_EQ(f.state.tiltDelay, "1");
    EXPECT_EQ(f.state.tiltSpeed, "4");
    f = Parsed("fire:120:2");
    EXPECT_EQ(f.state.page, kPageFire);
    EXPECT_EQ(f.state.fireInterval, "120");
    EXPECT_EQ(f.state.fireShots, "2");

    f = Parsed("macro:Burst");
    EXPECT_EQ(f.state.page, kPageMacro);
    EXPECT_EQ(f.state.macro, 0);
    EXPECT_EQ(f.state.macroOver, 0);
    EXPECT_FALSE(f.state.cycleVisible);
    f = Parsed("macro:burst:3");
    EXPECT_EQ(f.state.macro, 2);  // an exact name before one that differs in case
    EXPECT_EQ(f.state.macroOver, 3);
    f = Parsed("macro:BURST:x200");
    EXPECT_EQ(f.state.macro, 0);
    EXPECT_EQ(f.state.macroOver, kMacroOverRepeat);
    EXPECT_TRUE(f.state.cycleVisible);
    EXPECT_EQ(f.state.cycleCount, "200");
    // A name holding ':' is found with or without a play part.
    EXPECT_EQ(Parsed("macro:two:parts").state.macro, 1);
    f = Parsed("macro:two:parts:X0");
    EXPECT_EQ(f.state.macro, 1);
    EXPECT_EQ(f.state.cycleCount, "0");

    f = Parsed("raw:0x16, 144 ,0x01");
    EXPECT_EQ(f.kind, KeyFunction::Kind::kRaw);
    EXPECT_EQ(f.raw, (KeyPattern{0x16, 0x90, 0x01}));
}

TEST(KeyFunctionText, ErrorsSayWhatIsWrong) {
    const std::pair<const char*, const char*> cases[] = {
        {"  ", "no function given"},
        {"mouse_key_sideways", "unknown function 'mouse_key_sideways'"},
        {"keyboard_key_A", "unknown function"},
        {"Ctrl+Nothing", "no keyboard key is named 'Nothing'"},
        {"Ctrl+Shift+A", "one modifier at most"},
        {"Ctrl+Alt", "one modifier at most"},
        {"Volume Up", "not a key a keyboard assignment can send"},
        {"Alt+GM", "'GM' is not a key"},
        {"wheel:down:0", "count '0' is not a number from 1 to 128"},
        {"wheel:up:128", "from 0 to 127"},
        {"wheel:sideways:1", "'sideways' is not up or down"},
        {"wheel:up:1:2", "wheel:up|down:COUNT"},
        {"tilt:left:3:16:0", "delay '16' is not a number from 0 to 15"},
        {"tilt:up:3", "not left or right"},
        {"fire:5:2", "interval '5' is not a number from 10 to 255"},
        {"fire:10:256", "shot count"},
        {"fire:10", "fire:INTERVAL:SHOTS"},
        {"macro:Nope", "no macro named 'Nope'"},
        {"macro:Nope:1", "no macro named 'Nope'"},
        {"macro:Burst:4", "'4' is neither a play mode 0-3 nor a count"},
        {"macro:Burst:x256", "neither"},
        {"macro:", "macro:NAME"},
        {"raw:1,2", "raw:TYPE,P1,P2"},
        {"raw:1,2,0x100", "parameter 2 '0x100'"},
        {"raw:1,-2,3", "parameter 1 '-2'"},
        {"raw:0x,2,3", "type '0x'"},
        {"raw:99999999999999999999,2,3", "type"},
    };
    for (const auto& [text, says] : cases)
        EXPECT_NE(ErrorOf(text).find(says), std::string::npos) << text << ": " << ErrorOf(text);
    EXPECT_NE(ErrorOf("macro:Burst", {}).find("(it has no macros)"), std::string::npos);
}

TEST(KeyFunctionText, FormatsEachFormAndFallsBackToRaw) {
    EXPECT_EQ(Format(0x10, 0x04, 0), "mouse_key_middle");
    EXPECT_EQ(Format(0x13, 0x03, 0), "mouse_key_DPI_loop");
    EXPECT_EQ(Format(0x30, 0xCD, 0x00), "media_play");
    EXPECT_EQ(Format(0x40, 0x04, 0), "system_wake_up");
    EXPECT_EQ(Format(0x20, 0x10, 0x06), "custem_copy");
    EXPECT_EQ(Format(0x72, 3, 0), "gun_4_txt");
    EXPECT_EQ(Format(0x20, 0, 0), "off");
    EXPECT_EQ(Format(0x20, 0, 0x04), "A");
    EXPECT_EQ(Format(0x20, 0x01, 0x06), "Ctrl+C");
    EXPECT_EQ(Format(0x20, 0x08, 0x58), "Win+Num Enter");
    EXPECT_EQ(Format(0x20, 0x04, 0), "Alt");
    EXPECT_EQ(Format(0x12, 0x14, 0xFD), "wheel:down:3:1:4");
    EXPECT_EQ(Format(0x12, 0, 0x80), "wheel:down:128");
    EXPECT_EQ(Format(0x12, 0, 0x05), "wheel:up:5");
    EXPECT_EQ(Format(0x11, 0, 0x83), "tilt:right:3");
    EXPECT_EQ(Format(0x11, 0xF0, 0x7F), "tilt:left:127:15:0");
    EXPECT_EQ(Format(0x14, 0x78, 0x02), "fire:120:2");
    EXPECT_EQ(Format(0x70, 2, 3), "macro:burst:3");
    EXPECT_EQ(Format(0x71, 1, 44), "macro:two:parts:x44");
    // What no form names is given byte by byte.
    EXPECT_EQ(Format(0x14, 5, 2), "raw:0x14,0x05,0x02");        // interval below 10
    EXPECT_EQ(Format(0x20, 0x03, 0x04), "raw:0x20,0x03,0x04");  // two modifiers
    EXPECT_EQ(Format(0x20, 0x10, 0x00), "raw:0x20,0x10,0x00");  // Right Ctrl's own bit
    EXPECT_EQ(Format(0x20, 0x00, 0x70), "raw:0x20,0x00,0x70");  // a usage no row names
    EXPECT_EQ(Format(0x70, 0, 4), "raw:0x70,0x00,0x04");        // no play mode 4
    EXPECT_EQ(Format(0x70, 3, 0), "raw:0x70,0x03,0x00");        // a second "Burst"
    EXPECT_EQ(Format(0x71, 4, 1), "raw:0x71,0x04,0x01");        // an empty name
    EXPECT_EQ(Format(0x71, 5, 1), "raw:0x71,0x05,0x01");        // past the list
    EXPECT_EQ(Format(0x16, 0x90, 0x01), "raw:0x16,0x90,0x01");  // DPI shift
    EXPECT_EQ(Format(0xA0, 0x1B, 0x00), "raw:0xA0,0x1B,0x00");  // GM key
    EXPECT_EQ(Format(0x72, 4, 0), "raw:0x72,0x04,0x00");
}

}  // namespace
}  // namespace panels::keys
