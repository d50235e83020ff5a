// What the key panel shows for an assignment and what it stores from what the user set: the
// edge cases of each page, the round trip of everything the panel can produce, and key
// capture.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "panels/keys/KeyCodec.h"
#include "panels/keys/KeyTables.h"
#include "ui/core/ScanCodes.h"

namespace panels::keys {
namespace {

using profile::KeyAssignment;

KeyAssignment A(uint8_t type, uint8_t p1, uint8_t p2, uint16_t index = 3) {
    KeyAssignment a;
    a.keyIndex = index;
    a.type = type;
    a.param1 = p1;
    a.param2 = p2;
    return a;
}

std::string Bytes(const KeyAssignment& a) {
    char text[48];
    std::snprintf(text, sizeof text, "#%u (%02X,%02X,%02X) %u", a.keyIndex, a.type, a.param1,
                  a.param2, a.spare);
    return text;
}

constexpr int kMacros = 3;

// One row: the key's stored current and default assignments are shown, the user changes
// the state, the panel stores; `check` looks at what is shown afterwards.
struct EdgeCase {
    const char* what;
    KeyAssignment current;
    KeyAssignment defaults;
    std::function<void(KeyPanelState&)> edit;
    KeyAssignment stored;
    std::function<void(const KeyPanelState&)> check;
};

TEST(KeyCodec, EdgeCasesOfThePages) {
    const KeyAssignment left = A(0x10, 0x01, 0);
    const std::vector<EdgeCase> cases = {
        {"wheel down 3 is stored as 0xFD", A(0x12, 0, 1), left,
         [](KeyPanelState& s) {
             s.wheelDirection = 1;
             s.wheelCount = "3";
         },
         A(0x12, 0, 0xFD), nullptr},
        {"0xFD shows as down 3", A(0x12, 0x23, 0xFD), left, nullptr, A(0x12, 0x23, 0xFD),
         [](const KeyPanelState& s) {
             EXPECT_EQ(s.page, kPageWheel);
             EXPECT_EQ(s.wheelDirection, 1);
             EXPECT_EQ(s.wheelCount, "3");
             EXPECT_EQ(s.wheelDelay, "2");
             EXPECT_EQ(s.wheelSpeed, "3");
         }},
        {"tilt right 3 is stored as 0x83", A(0x11, 0, 0), left,
         [](KeyPanelState& s) {
             s.tiltDirection = 1;
             s.tiltCount = "3";
         },
         A(0x11, 0, 0x83), nullptr},
        {"delay 17 and speed 20 keep their low nibbles", A(0x11, 0, 0x05), left,
         [](KeyPanelState& s) {
             s.tiltDelay = "17";
             s.tiltSpeed = "20";
         },
         A(0x11, 0x14, 0x05), nullptr},
        {"a fire interval below 10 is stored as 10 and shown so", A(0x14, 120, 2), left,
         [](KeyPanelState& s) { s.fireInterval = "5"; }, A(0x14, 10, 2),
         [](const KeyPanelState& s) { EXPECT_EQ(s.fireInterval, "10"); }},
        {"one above a byte is stored as 255, not as its low byte", A(0x14, 120, 2), left,
         [](KeyPanelState& s) { s.fireInterval = "300"; }, A(0x14, 255, 2),
         [](const KeyPanelState& s) { EXPECT_EQ(s.fireInterval, "255"); }},
        {"the keyboard page starts as a disabled key", A(0x10, 0x02, 0), left,
         [](KeyPanelState& s) {
             s.page = kPageKeyboard;
             s.modifier = -1;
             s.keyName.clear();
         },
         A(0x20, 0, 0), nullptr},
        {"N times with \"300\" stores 300 mod 256", A(0x70, 1, 0), left,
         [](KeyPanelState& s) {
             s.macroOver = kMacroOverRepeat;
             s.cycleCount = "300";
         },
         A(0x71, 1, 44), nullptr},
        {"a function without a page hides the layout and is kept", A(0x16, 0x90, 0x01), left,
         [](KeyPanelState& s) { s.mouseButton = 2; }, A(0x16, 0x90, 0x01),
         [](const KeyPanelState& s) {
             EXPECT_EQ(s.page, kPageNone);
             EXPECT_FALSE(s.layoutVisible);
         }},
        {"the default shows page 0 and storing there stores the default", A(0x16, 0x90, 0x01),
         A(0x16, 0x90, 0x01, 9), nullptr, A(0x16, 0x90, 0x01, 9),
         [](const KeyPanelState& s) {
             EXPECT_EQ(s.page, kPageDefault);
             EXPECT_TRUE(s.layoutVisible);
         }},
        {"a key shows its name", A(0x20, 0, 0x04), left, nullptr, A(0x20, 0, 0x04),
         [](const KeyPanelState& s) {
             EXPECT_EQ(s.page, kPageKeyboard);
             EXPECT_EQ(s.modifier, 0);
             EXPECT_EQ(s.keyName, "keyboard_key_A");
         }},
        {"a key no row names is kept as disabled", A(0x20, 0, 0x03), left, nullptr, A(0x20, 0, 0),
         [](const KeyPanelState& s) {
             EXPECT_EQ(s.modifier, -1);
             EXPECT_EQ(s.keyName, "");
         }},
        {"a macro index equal to the item count selects nothing and is kept", A(0x70, kMacros, 1),
         left, nullptr, A(0x70, kMacros, 1),
         [](const KeyPanelState& s) {
             EXPECT_EQ(s.page, kPageMacro);
             EXPECT_EQ(s.macro, -1);
             EXPECT_EQ(s.macroOver, -1);
             EXPECT_FALSE(s.cycleVisible);
         }},
        {"a play mode the over combo lacks selects none of them", A(0x70, 1, 9), left, nullptr,
         A(0x70, 1, 0xFF), [](const KeyPanelState& s) { EXPECT_EQ(s.macroOver, -1); }},
        {"a gun index past the table is kept", A(0x72, 4, 0), left, nullptr, A(0x72, 4, 0),
         [](const KeyPanelState& s) {
             EXPECT_EQ(s.page, kPageGun);
             EXPECT_EQ(s.gun, -1);
         }},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.what);
        KeyPanelState state;
        KeyAssignment current = c.current;
        DecodeAssignment(c.current, c.defaults, kMacros, state, current);
        if (c.edit)
            c.edit(state);
        const KeyAssignment stored = EncodeAssignment(state, kMacros, current, c.defaults);
        EXPECT_EQ(Bytes(stored), Bytes(c.stored));
        if (c.check)
            c.check(state);
    }
}

// Every assignment the panel can produce, with the default of key 0.
std::vector<KeyAssignment> Producible(const KeyAssignment& start, const KeyAssignment& defaults) {
    std::vector<KeyAssignment> out;
    auto encode = [&](const std::function<void(KeyPanelState&)>& set) {
        KeyPanelState state;
        set(state);
        out.push_back(EncodeAssignment(state, kMacros, start, defaults));
    };
    const std::vector<std::pair<int, size_t>> tablePages = {
        {kPageMouseButton, MouseButtonTable().size()}, {kPageDpi, DpiFunctionTable().size()},
        {kPageMedia, MediaKeyTable().size()},          {kPageSystem, SystemKeyTable().size()},
        {kPageCombination, CombinationTable().size()}, {kPageGun, GunKeyTable().size()}};
    for (const auto& [page, rows] : tablePages) {
        for (int item = -1; item < static_cast<int>(rows); ++item) {
            encode([&, page = page](KeyPanelState& s) {
                s.page = page;
                s.mouseButton = s.dpi = s.media = s.system = s.combination = s.gun = item;
            });
        }
    }
    const std::vector<std::string> counts = {"0", "1", "3", "64", "127", "128", "200", "255", "x"};
    const std::vector<std::string> timings = {"0", "1", "15", "16", "17", "20"};
    for (int page : {kPageTilt, kPageWheel})
        for (int direction = -1; direction < 2; ++direction)
            for (const std::string& count : counts)
                for (const std::string& timing : timings)
                    encode([&](KeyPanelState& s) {
                        s.page = page;
                        s.tiltDirection = s.wheelDirection = direction;
                        s.tiltCount = s.wheelCount = count;
                        s.tiltDelay = s.wheelDelay = timing;
                        s.tiltSpeed = s.wheelSpeed = timing == "1" ? "15" : "2";
                    });
    for (const char* interval : {"0", "5", "10", "120", "255", "300", ""})
        for (const char* shots : {"0", "2", "255", "256"})
            encode([&](KeyPanelState& s) {
                s.page = kPageFire;
                s.fireInterval = interval;
                s.fireShots = shots;
            });
    for (int macro = -1; macro <= kMacros; ++macro)
        for (int over = -1; over <= kMacroOverRepeat; ++over)
            for (const char* cycle : {"0", "1", "255", "300"})
                encode([&](KeyPanelState& s) {
                    s.page = kPageMacro;
                    s.macro = macro;
                    s.macroOver = over;
                    s.cycleCount = cycle;
                });
    encode([](KeyPanelState& s) { s.page = kPageDefault; });
    encode([](KeyPanelState& s) { s.page = kPageNone; });
    // The keyboard page: switched to, then every key captured with every modifier option.
    encode([](KeyPanelState& s) { s.page = kPageKeyboard; });
    for (int modifier = -1; modifier < kModifierOptions; ++modifier) {
        for (const ui::ScanCodeRow& row : ui::ScanCodeTable()) {
            if (auto captured = CaptureKey(row.scan, row.extended, modifier, start))
                out.push_back(captured->assignment);
        }
    }
    return out;
}

TEST(KeyCodec, EverythingThePanelStoresShowsAsItselfAndStoresTheSameBytes) {
    const KeyAssignment defaults = A(0x10, 0x01, 0, 0);
    size_t checked = 0;
    std::set<uint32_t> codes;
    for (const KeyAssignment& start : {A(0x20, 0, 0, 0), A(0x13, 0x02, 0, 0)}) {
        for (const KeyAssignment& produced : Producible(start, defaults)) {
            SCOPED_TRACE(Bytes(produced));
            KeyPanelState state;
            KeyAssignment current = produced;
            DecodeAssignment(produced, defaults, kMacros, state, current);
            EXPECT_TRUE(state.layoutVisible);
            EXPECT_EQ(Bytes(current), Bytes(produced)) << "decoding rewrote it";
            EXPECT_EQ(Bytes(EncodeAssignment(state, kMacros, current, defaults)), Bytes(produced));
            codes.insert(produced.Code());
            ++checked;
        }
    }
    EXPECT_GT(checked, 1500u);
    EXPECT_GT(codes.size(), 500u);
}

TEST(KeyCodec, CaptureTurnsKeysIntoKeyboardAssignments) {
    const KeyAssignment start = [] {
        KeyAssignment a = A(0x10, 0x02, 0, 7);
        a.spare = 0;
        return a;
    }();
    // Ctrl, then C with Ctrl's option selected.
    auto ctrl = CaptureKey(0x1D, false, -1, start);
    ASSERT_TRUE(ctrl);
    EXPECT_EQ(ctrl->modifier, 1);
    EXPECT_EQ(ctrl->keyName, "");
    EXPECT_EQ(Bytes(ctrl->assignment), Bytes(A(0x20, 0x01, 0, 7)));
    auto c = CaptureKey(0x2E, false, ctrl->modifier, ctrl->assignment);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->keyName, "keyboard_key_C");
    EXPECT_EQ(Bytes(c->assignment), Bytes(A(0x20, 0x01, 0x06, 7)));

    // Right-hand modifiers select the option of their left twin and store its bit.
    const struct {
        uint32_t scan;
        bool extended;
        int option;
        uint8_t bit;
    } modifiers[] = {{0x1D, true, 1, 0x01}, {0x36, true, 2, 0x02},  {0x38, true, 3, 0x04},
                     {0x5C, true, 4, 0x08}, {0x2A, false, 2, 0x02}, {0x5B, true, 4, 0x08}};
    for (const auto& m : modifiers) {
        auto captured = CaptureKey(m.scan, m.extended, 3, c->assignment);
        ASSERT_TRUE(captured) << m.scan;
        EXPECT_EQ(captured->modifier, m.option) << m.scan;
        EXPECT_EQ(Bytes(captured->assignment), Bytes(A(0x20, m.bit, 0, 7))) << m.scan;
    }

    // A key with no option selected selects "none"; a selected option gives its bit.
    auto enter = CaptureKey(0x1C, false, -1, start);
    ASSERT_TRUE(enter);
    EXPECT_EQ(enter->modifier, 0);
    EXPECT_EQ(Bytes(enter->assignment), Bytes(A(0x20, 0, 0x28, 7)));
    auto numEnter = CaptureKey(0x1C, true, 4, start);
    ASSERT_TRUE(numEnter);
    EXPECT_EQ(numEnter->keyName, "keyboard_key_Num Enter");
    EXPECT_EQ(Bytes(numEnter->assignment), Bytes(A(0x20, 0x08, 0x58, 7)));

    // Keys the scan-code table lacks are ignored.
    EXPECT_FALSE(CaptureKey(0x36, false, -1, start)) << "Right Shift is extended in the table";
    EXPECT_FALSE(CaptureKey(0x00, false, -1, start));
    EXPECT_FALSE(CaptureKey(0x1E, true, -1, start));
    EXPECT_FALSE(CaptureKey(0x1FF, false, -1, start));
}

TEST(KeyCodec, NumbersOfEditsAndModifierBits) {
    const std::pair<const char*, int> numbers[] = {
        {"42", 42}, {"  17ms", 17}, {"-3", -3}, {"", 0}, {"x12", 0}, {"99999999999", INT_MAX}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(LeadingNumber(text), value) << text;
    const int bits[] = {0, 0, 0x01, 0x02, 0x04, 0x08, 0};
    for (int option = -1; option <= kModifierOptions; ++option)
        EXPECT_EQ(ModifierBit(option), bits[option + 1]) << option;
}

}  // namespace
}  // namespace panels::keys
