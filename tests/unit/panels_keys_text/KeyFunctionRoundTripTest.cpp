// Every assignment prints as a text that stores the same function again when the panel's
// encoder stores it: table rows, keyboard keys with each modifier, scrolls, bursts, macros and
// the raw bytes of everything else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panels/keys/KeyFunctionText.h"

namespace panels::keys {
namespace {

const std::vector<std::string> kRoundTripMacros = {"Burst", "two:parts", "Spray", "spray", ""};

profile::KeyAssignment OnKey(uint8_t type, uint8_t p1, uint8_t p2) {
    profile::KeyAssignment a;
    a.keyIndex = 7;
    a.type = type;
    a.param1 = p1;
    a.param2 = p2;
    return a;
}

// The key's stored current and default assignments differ from everything stored here, so a
// form that fell back on them would show.
const profile::KeyAssignment kCurrent = OnKey(0x10, 0x01, 0x00);
const profile::KeyAssignment kDefaults = OnKey(0xA0, 0x1B, 0x00);

void ExpectRoundTrip(const KeyPattern& pattern) {
    const profile::KeyAssignment a = OnKey(pattern.type, pattern.p1, pattern.p2);
    const std::string text = FormatKeyFunction(a, kRoundTripMacros);
    const KeyFunctionParse parse = ParseKeyFunction(text, kRoundTripMacros);
    ASSERT_TRUE(parse.ok) << text << ": " << parse.error;
    const profile::KeyAssignment stored = EncodeKeyFunction(
        parse.function, static_cast<int>(kRoundTripMacros.size()), kCurrent, kDefaults);
    EXPECT_EQ(stored, a) << text << " from " << std::hex << int(pattern.type) << " "
                         << int(pattern.p1) << " " << int(pattern.p2);
}

TEST(KeyFunctionRoundTrip, EveryTableRow) {
    for (auto table : {MouseButtonTable, DpiFunctionTable, MediaKeyTable, SystemKeyTable,
                       CombinationTable, GunKeyTable}) {
        for (const KeyRow& row : table()) {
            ExpectRoundTrip(row.pattern);
            EXPECT_EQ(FormatKeyFunction(OnKey(row.pattern.type, row.pattern.p1, row.pattern.p2),
                                        kRoundTripMacros),
                      row.nameKey);
        }
    }
    for (const KeyboardRow& row : KeyboardTable())
        ExpectRoundTrip(row.pattern);
}

TEST(KeyFunctionRoundTrip, EveryKeyWithEachModifierAndModifiersAlone) {
    for (uint8_t bit : {0x00, 0x01, 0x02, 0x04, 0x08}) {
        ExpectRoundTrip({kTypeKeyboard, bit, 0});
        for (int r = kFirstKeyRow; r < kKeyboardRowCount; ++r) {
            const KeyPattern& key = KeyboardTable()[static_cast<size_t>(r)].pattern;
            if (key.type == kTypeKeyboard)
                ExpectRoundTrip({kTypeKeyboard, bit, key.p2});
        }
    }
}

TEST(KeyFunctionRoundTrip, EveryScrollBurstAndMacro) {
    for (int p2 = 0; p2 < 256; ++p2) {
        for (uint8_t pace : {0x00, 0x14, 0xFF}) {
            ExpectRoundTrip({kTypeHorizontalScroll, pace, static_cast<uint8_t>(p2)});
            ExpectRoundTrip({kTypeVerticalScroll, pace, static_cast<uint8_t>(p2)});
        }
        for (uint8_t interval : {0, 9, 10, 120, 255})
            ExpectRoundTrip({kTypeFire, interval, static_cast<uint8_t>(p2)});
        for (uint8_t macro = 0; macro < 7; ++macro) {
            ExpectRoundTrip({kTypeMacroMode, macro, static_cast<uint8_t>(p2)});
            ExpectRoundTrip({kTypeMacroCount, macro, static_cast<uint8_t>(p2)});
        }
    }
}

TEST(KeyFunctionRoundTrip, AnyBytesAtAll) {
    const uint8_t params[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x08, 0x10, 0x58, 0x80, 0xFD, 0xFF};
    for (int type = 0; type < 256; ++type) {
        for (uint8_t p1 : params) {
            for (uint8_t p2 : params)
                ExpectRoundTrip({static_cast<uint8_t>(type), p1, p2});
        }
    }
}

TEST(KeyFunctionRoundTrip, TextsStoreWhatThePanelStores) {
    const auto store = [](const std::string& text) {
        const KeyFunctionParse parse = ParseKeyFunction(text, kRoundTripMacros);
        EXPECT_TRUE(parse.ok) << text << ": " << parse.error;
        return EncodeKeyFunction(parse.function, static_cast<int>(kRoundTripMacros.size()),
                                 kCurrent, kDefaults);
    };
    EXPECT_EQ(store("default"), kDefaults);
    EXPECT_EQ(store("ctrl+c"), OnKey(0x20, 0x01, 0x06));
    EXPECT_EQ(store("RCtrl"), OnKey(0x20, 0x01, 0x00));  // as capturing Right Ctrl stores it
    EXPECT_EQ(store("off"), OnKey(0x20, 0x00, 0x00));
    EXPECT_EQ(store("wheel:down:3"), OnKey(0x12, 0x00, 0xFD));
    EXPECT_EQ(store("tilt:right:3:1:4"), OnKey(0x11, 0x14, 0x83));
    EXPECT_EQ(store("fire:120:2"), OnKey(0x14, 0x78, 0x02));
    EXPECT_EQ(store("macro:SPRAY:x44"), OnKey(0x71, 0x02, 44));
    EXPECT_EQ(store("macro:spray:2"), OnKey(0x70, 0x03, 0x02));
    EXPECT_EQ(store("raw:0x16,0x90,1"), OnKey(0x16, 0x90, 0x01));
    EXPECT_EQ(FormatKeyFunction(store("ALT+num enter"), kRoundTripMacros), "Alt+Num Enter");
}

}  // namespace
}  // namespace panels::keys
