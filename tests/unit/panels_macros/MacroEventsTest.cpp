// Events: how they are made, read from hostile files, shown in a row and encoded for the mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/mouse/EventArea.h"
#include "panels/macros/MacroFiles.h"
#include "profile/JsonFile.h"
#include "tests/unit/panels_macros/MacroFolder.h"

namespace {

namespace macros = panels::macros;
namespace mouse = devices::mouse;

TEST(MacroEvents, MakeEventClampsDelayMasksTypeAndButton) {
    const Json::Value event = macros::MakeEvent(true, 0x104, 0x8A, 70000);
    EXPECT_EQ(event["Action"].asString(), "down");
    EXPECT_EQ(event["Button"].asInt(), 0x04);
    EXPECT_EQ(event["Type"].asInt(), 0x0A);
    EXPECT_EQ(event["Delay"].asString(), "65535");
    EXPECT_EQ(macros::MakeEvent(false, 1, 1, -5)["Delay"].asString(), "0");
    EXPECT_EQ(macros::MakeEvent(false, 1, 1, -5)["Action"].asString(), "up");
}

TEST(MacroEvents, EventTextRoundTripsAndRefusesMalformedText) {
    const Json::Value event = macros::MakeEvent(true, 4, 10, 50);
    EXPECT_EQ(macros::ParseEventText(macros::EventText(event)), event);
    EXPECT_TRUE(macros::ParseEventText("").isNull());
    EXPECT_TRUE(macros::ParseEventText("{\"Action\": ").isNull());
    EXPECT_TRUE(macros::ParseEventText("[1, 2]").isNull());
    EXPECT_TRUE(macros::ParseEventText("{\"Type\": \"ten\"}").isNull());
    // A delay edit left empty reads as 0.
    EXPECT_EQ(macros::ParseEventText("{\"Delay\": \"\"}")["Delay"].asString(), "0");
}

// A ".mac" file anyone may have written: what the list reads and what the mouse is sent
// always agree, and nothing throws.
struct HostileDocument {
    const char* text;
    size_t events;
};

class HostileMacroFile : public ::testing::TestWithParam<HostileDocument> {};

TEST_P(HostileMacroFile, ReadsSafelyAndAgreesWithTheEncoder) {
    macros_test::MacroFolder folder;
    macros::MacroList list(folder.Data());
    ASSERT_TRUE(list.Add().has_value());
    folder.WriteText(list.MacroPath(0), GetParam().text);
    std::vector<Json::Value> events;
    ASSERT_NO_THROW(events = list.LoadEvents(0));
    EXPECT_EQ(events.size(), GetParam().events);
    const Json::Value document = profile::LoadJsonFile(list.MacroPath(0));
    EXPECT_EQ(mouse::EncodeEvents(document.isObject() ? document["Events"] : Json::Value()).size(),
              events.size());
    for (const Json::Value& event : events) {
        EXPECT_LE(macros::EventType(event), 0x7F);
        EXPECT_EQ(macros::ParseEventText(macros::EventText(event)), event);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostileMacroFile,
    ::testing::Values(
        HostileDocument{"", 0}, HostileDocument{"not json at all", 0},
        HostileDocument{"[{\"Events\": []}]", 0}, HostileDocument{"{\"Events\": 5}", 0},
        HostileDocument{"{\"Events\": {\"0\": {}}}", 0},
        HostileDocument{"{\"Events\": \"down\"}", 0},
        HostileDocument{"{\"Events\": [1, \"a\", null, [], true, 2.5]}", 0},
        HostileDocument{"{\"Events\": [{\"Action\": 5}, {\"Action\": [\"down\"]}]}", 0},
        HostileDocument{"{\"Events\": [{\"Button\": \"4\"}, {\"Button\": 1.5}]}", 0},
        HostileDocument{"{\"Events\": [{\"Type\": {}}, {\"Type\": true}, {\"Type\": 1e300}]}", 0},
        HostileDocument{"{\"Events\": [{\"Delay\": true}, {\"Delay\": []}, {\"Delay\": {}}]}", 0},
        HostileDocument{"{\"Events\": [{}, {\"Action\": \"sideways\"}]}", 2},
        HostileDocument{"{\"Events\": [{\"Delay\": 1e300, \"Type\": 255, \"Button\": -1}]}", 1},
        HostileDocument{"{\"Events\": [{\"Button\": 18446744073709551615, \"Type\": "
                        "-9223372036854775808}]}",
                        1},
        HostileDocument{"{\"Events\": [{\"Delay\": \"99999999999999999999999\"}, "
                        "{\"Delay\": \"-40\"}, {\"Delay\": -1e300}, {\"Delay\": 12.7}]}",
                        4},
        HostileDocument{"{\"Events\": [{\"Action\": \"down\"}, 7, {\"Action\": \"up\"}]}", 2},
        HostileDocument{"{\"Events\": [[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[["
                        "]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]}",
                        0}));

TEST(MacroEvents, OutOfRangeFieldsAreClampedAndMasked) {
    Json::Value events;
    ASSERT_TRUE(profile::ParseJsonText(
        "[{\"Delay\": 1e300, \"Type\": 255, \"Button\": -1, \"Action\": \"down\"},"
        " {\"Delay\": \"99999999999999999999999\"}, {\"Delay\": \"-40\"}, {\"Delay\": 12.7},"
        " {\"Delay\": \" 50ms\"}, {\"Delay\": 70000}]",
        events));
    const std::vector<Json::Value> safe = macros::SafeEvents(events);
    ASSERT_EQ(safe.size(), 6u);
    EXPECT_EQ(safe[0], macros::MakeEvent(true, 0xFF, 0x7F, 65535));
    EXPECT_EQ(macros::EventDelay(safe[1]), 65535);
    EXPECT_EQ(macros::EventDelay(safe[2]), 0);
    EXPECT_EQ(macros::EventDelay(safe[3]), 12);
    EXPECT_EQ(macros::EventDelay(safe[4]), 50);
    EXPECT_EQ(macros::EventDelay(safe[5]), 65535);
    // The encoder reads the raw elements the same way: type bit 7 is the action alone.
    EXPECT_EQ(mouse::EncodeEvent(events[0]), (mouse::EncodedEvent{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(mouse::EncodeEvent(events[5]), (mouse::EncodedEvent{0xFF, 0xFF, 0x00, 0x00}));
    Json::Value type = macros::MakeEvent(false, 1, 1, 0);
    type["Type"] = 0x81;
    EXPECT_EQ(mouse::EncodeEvent(type)[2], 0x01);
}

TEST(MacroEvents, SavedMacroEncodesAsTheMouseTakesIt) {
    macros_test::MacroFolder folder;
    macros::MacroList list(folder.Data());
    ASSERT_TRUE(list.Add().has_value());
    ASSERT_TRUE(list.SaveEvents(
        0, {macros::MakeEvent(true, 0x04, 10, 50), macros::MakeEvent(false, 0x04, 10, 50)}));
    const Json::Value file = profile::LoadJsonFile(list.MacroPath(0));
    EXPECT_EQ(file["Version"].asInt(), macros::kMacroFileVersion);
    EXPECT_EQ(file["MacroName"].asString(), "macro_1");
    EXPECT_EQ(file["Guid"].asString(), list.Entries()[0].id);
    const std::vector<mouse::EncodedEvent> encoded = mouse::EncodeEvents(file["Events"]);
    ASSERT_EQ(encoded.size(), 2u);
    EXPECT_EQ(encoded[0], (mouse::EncodedEvent{0x32, 0x00, 0x8A, 0x04}));
    EXPECT_EQ(encoded[1], (mouse::EncodedEvent{0x32, 0x00, 0x0A, 0x04}));
    const auto area = mouse::BuildEventArea({encoded});
    ASSERT_TRUE(area.has_value());
    ASSERT_EQ(area->size(), 30u);
    EXPECT_EQ((std::vector<uint8_t>(area->begin(), area->begin() + 6)),
              (std::vector<uint8_t>{0xAA, 0x55, 0x1E, 0x00, 0x01, 0x00}));
    EXPECT_EQ((*area)[16], 0x12);
    EXPECT_EQ((*area)[17], 0x00);
}

TEST(MacroEvents, SaveKeepsOnlyWellFormedEvents) {
    macros_test::MacroFolder folder;
    macros::MacroList list(folder.Data());
    ASSERT_TRUE(list.Add().has_value());
    Json::Value raw(Json::objectValue);
    raw["Delay"] = 99999;
    raw["Type"] = 0x8A;
    raw["Extra"] = "dropped";
    ASSERT_TRUE(list.SaveEvents(0, {raw, Json::Value("junk"), Json::Value()}));
    const std::vector<Json::Value> events = list.LoadEvents(0);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], macros::MakeEvent(false, 0, 0x0A, 65535));
}

struct LookCase {
    int type;
    bool down;
    int button;
    const char* nameKey;
    const char* nameStyle;
    const char* actionText;
    const char* actionStyle;
};

TEST(MacroEvents, RowLookForEachType) {
    const char* keyboard = "macro_label_keyboard_style";
    const char* mouseStyle = "macro_label_mouse_style";
    const char* downStyle = "macro_label_down_style";
    const char* upStyle = "macro_label_up_style";
    const char* text = "macro_label_text_style";
    const LookCase cases[] = {
        {10, true, 0x04, "keyboard_key_A", keyboard, "", downStyle},
        {10, false, 0x05, "keyboard_key_B", keyboard, "", upStyle},
        {9, true, 0x02, "keyboard_key_LShift", keyboard, "", downStyle},
        {9, false, 0x80, "keyboard_key_RWin", keyboard, "", upStyle},
        {1, true, 0x01, "mouse_key_left", mouseStyle, "", downStyle},
        {1, false, 0x02, "mouse_key_right", mouseStyle, "", upStyle},
        {1, true, 0x04, "mouse_key_middle", mouseStyle, "", downStyle},
        {1, true, 0x08, "mouse_key_back", mouseStyle, "", downStyle},
        {1, true, 0x10, "mouse_key_forward", mouseStyle, "", downStyle},
        {4, true, 20, "mouse_move_to_left_text", mouseStyle, "20", text},
        {4, false, 7, "mouse_move_to_right_text", mouseStyle, "7", text},
        {5, true, 255, "mouse_move_to_up_text", mouseStyle, "255", text},
        {5, false, 0, "mouse_move_to_down_text", mouseStyle, "0", text},
        {2, true, 3, "", mouseStyle, "", text},
        {3, false, 3, "", mouseStyle, "", text},
    };
    for (const LookCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.button));
        const macros::EventRowLook look =
            macros::LookOfEvent(macros::MakeEvent(c.down, c.button, c.type, 50));
        EXPECT_EQ(look.nameKey, c.nameKey);
        EXPECT_EQ(look.nameStyle, c.nameStyle);
        EXPECT_EQ(look.actionText, c.actionText);
        EXPECT_EQ(look.actionStyle, c.actionStyle);
        EXPECT_EQ(look.delayText, "50");
    }
    // A key no row names shows no name; a stored delay past the range shows 65535.
    EXPECT_EQ(macros::LookOfEvent(macros::MakeEvent(true, 0x03, 10, 0)).nameKey, "");
    Json::Value late = macros::MakeEvent(true, 1, 1, 0);
    late["Delay"] = "123456";
    EXPECT_EQ(macros::LookOfEvent(late).delayText, "65535");
    EXPECT_EQ(macros::LookOfEvent(Json::Value("junk")).delayText, "0");
}

}  // namespace
