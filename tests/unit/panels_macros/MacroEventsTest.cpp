// Events: read from hostile files, shown in a row and encoded for the mouse, always alike.
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

TEST(MacroEvents, MadeAndParsedEventsAreWellFormed) {
    EXPECT_EQ(macros::MakeEvent(true, 0x104, 0x8A, 70000),
              macros::ParseEventText(
                  "{\"Action\": \"down\", \"Button\": 4, \"Type\": 10, \"Delay\": \"65535\"}"));
    EXPECT_EQ(macros::MakeEvent(false, 1, 1, -5)["Delay"].asString(), "0");
    const Json::Value event = macros::MakeEvent(true, 4, 10, 50);
    EXPECT_EQ(macros::ParseEventText(macros::EventText(event)), event);
    for (const char* bad : {"", "{\"Action\": ", "[1, 2]", "{\"Type\": \"ten\"}"})
        EXPECT_TRUE(macros::ParseEventText(bad).isNull()) << bad;
    // A delay edit left empty is saved as 0.
    EXPECT_EQ(macros::ParseEventText("{\"Delay\": \"\"}")["Delay"].asString(), "0");
}

// A ".mac" file anyone may have written: nothing throws, and the events the list reads are
// the events the mouse is sent.
struct HostileDocument {
    const char* text;
    size_t events;
};

class HostileMacroFile : public ::testing::TestWithParam<HostileDocument> {};

TEST_P(HostileMacroFile, ReadsSafelyAndAgreesWithTheEncoder) {
    macros_test::MacroFolder folder;
    macros::MacroList list(folder.Data());
    ASSERT_TRUE(list.Add().has_value());
    folder.Write(list.MacroPath(0), GetParam().text);
    std::vector<Json::Value> events;
    ASSERT_NO_THROW(events = list.LoadEvents(0));
    EXPECT_EQ(events.size(), GetParam().events);
    const Json::Value document = profile::LoadJsonFile(list.MacroPath(0));
    EXPECT_EQ(mouse::EncodeEvents(document.isObject() ? document["Events"] : Json::Value()).size(),
              events.size());
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostileMacroFile,
    ::testing::Values(
        HostileDocument{"not json", 0}, HostileDocument{"[{\"Events\": [{}]}]", 0},
        HostileDocument{"{\"Events\": 5}", 0}, HostileDocument{"{\"Events\": {\"0\": {}}}", 0},
        HostileDocument{"{\"Events\": [1, \"a\", null, [], true, 2.5]}", 0},
        HostileDocument{"{\"Events\": [{\"Action\": 5}, {\"Button\": \"4\"}, {\"Button\": 1.5},"
                        " {\"Type\": true}, {\"Type\": 1e300}, {\"Delay\": []}]}",
                        0},
        HostileDocument{"{\"Events\": [{}, {\"Action\": \"sideways\"}, 7]}", 2},
        HostileDocument{"{\"Events\": [[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[["
                        "]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]}",
                        0}));

TEST(MacroEvents, OutOfRangeFieldsAreClampedAndMaskedAlike) {
    Json::Value events;
    ASSERT_TRUE(profile::ParseJsonText(
        "[{\"Delay\": 1e300, \"Type\": 255, \"Button\": -1, \"Action\": \"down\"},"
        " {\"Delay\": \"99999999999999999999999\", \"Button\": 18446744073709551615},"
        " {\"Delay\": \"-40\"}, {\"Delay\": 12.7}, {\"Delay\": \" 50ms\"}]",
        events));
    const std::vector<Json::Value> safe = macros::SafeEvents(events);
    ASSERT_EQ(safe.size(), 5u);
    EXPECT_EQ(safe[0], macros::MakeEvent(true, 0xFF, 0x7F, 65535));
    EXPECT_EQ(safe[1], macros::MakeEvent(false, 0xFF, 0, 65535));
    EXPECT_EQ(macros::EventDelay(safe[2]), 0);
    EXPECT_EQ(macros::EventDelay(safe[3]), 12);
    EXPECT_EQ(macros::EventDelay(safe[4]), 50);
    // Bit 7 of the type byte is the action alone.
    EXPECT_EQ(mouse::EncodeEvent(events[0]), (mouse::EncodedEvent{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(mouse::EncodeEvent(events[1]), (mouse::EncodedEvent{0xFF, 0xFF, 0x00, 0xFF}));
}

TEST(MacroEvents, SavedMacroEncodesAsTheMouseTakesIt) {
    macros_test::MacroFolder folder;
    macros::MacroList list(folder.Data());
    ASSERT_TRUE(list.Add().has_value());
    Json::Value raw = macros::MakeEvent(false, 0x04, 10, 50);
    raw["Delay"] = "50";
    raw["Extra"] = "dropped";
    ASSERT_TRUE(list.SaveEvents(0, {macros::MakeEvent(true, 0x04, 10, 50), Json::Value("x"), raw}));
    const Json::Value file = profile::LoadJsonFile(list.MacroPath(0));
    EXPECT_EQ(file["Version"].asInt(), macros::kMacroFileVersion);
    EXPECT_EQ(file["Guid"].asString(), list.Entries()[0].id);
    EXPECT_FALSE(file["Events"][1].isMember("Extra"));
    const std::vector<mouse::EncodedEvent> encoded = mouse::EncodeEvents(file["Events"]);
    ASSERT_EQ(encoded.size(), 2u);
    EXPECT_EQ(encoded[0], (mouse::EncodedEvent{0x32, 0x00, 0x8A, 0x04}));
    EXPECT_EQ(encoded[1], (mouse::EncodedEvent{0x32, 0x00, 0x0A, 0x04}));
    const auto area = mouse::BuildEventArea({encoded});
    ASSERT_TRUE(area.has_value());
    ASSERT_EQ(area->size(), 30u);
    EXPECT_EQ((std::vector<uint8_t>(area->begin(), area->begin() + 6)),
              (std::vector<uint8_t>{0xAA, 0x55, 0x1E, 0x00, 0x01, 0x00}));
    EXPECT_EQ((*area)[16] | (*area)[17] << 8, 0x0012);
}

TEST(MacroEvents, RowLookForEachType) {
    struct Case {
        int type;
        bool down;
        int button;
        const char* nameKey;
        const char* actionText;
        const char* actionStyle;
    };
    const Case cases[] = {
        {10, true, 0x04, "keyboard_key_A", "", "macro_label_down_style"},
        {9, false, 0x02, "keyboard_key_LShift", "", "macro_label_up_style"},
        {1, true, 0x10, "mouse_key_forward", "", "macro_label_down_style"},
        {1, false, 0x08, "mouse_key_back", "", "macro_label_up_style"},
        {4, true, 20, "mouse_move_to_left_text", "20", "macro_label_text_style"},
        {4, false, 7, "mouse_move_to_right_text", "7", "macro_label_text_style"},
        {5, true, 255, "mouse_move_to_up_text", "255", "macro_label_text_style"},
        {5, false, 0, "mouse_move_to_down_text", "0", "macro_label_text_style"},
        {2, true, 3, "", "", "macro_label_text_style"},
        {10, true, 0x03, "", "", "macro_label_down_style"},  // no row names usage 3
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.button));
        const macros::EventRowLook look =
            macros::LookOfEvent(macros::MakeEvent(c.down, c.button, c.type, 50));
        EXPECT_EQ(look.nameKey, c.nameKey);
        EXPECT_EQ(look.nameStyle,
                  c.type >= 9 ? "macro_label_keyboard_style" : "macro_label_mouse_style");
        EXPECT_EQ(look.actionText, c.actionText);
        EXPECT_EQ(look.actionStyle, c.actionStyle);
        EXPECT_EQ(look.delayText, "50");
    }
    Json::Value late = macros::MakeEvent(true, 1, 1, 0);
    late["Delay"] = "123456";
    EXPECT_EQ(macros::LookOfEvent(late).delayText, "65535");
}

}  // namespace
