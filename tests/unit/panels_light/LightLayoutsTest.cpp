// The layout tables: which groups each mode enables, where the same-mode button may show,
// what a row leaves alone, and which families share a table.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "panels/light/LightLayouts.h"

namespace {

using panels::light::Change;
using panels::light::LayoutFor;
using panels::light::ModeLayout;
namespace light = panels::light;

// The row as "+-." per parameter group, in table order.
std::string Marks(const ModeLayout& layout) {
    std::string marks;
    for (Change c : layout.groups)
        marks += c == Change::On ? '+' : c == Change::Off ? '-' : '.';
    return marks;
}

std::set<int> SameModeModes(int family) {
    std::set<int> modes;
    for (int mode = 0; mode <= 64; ++mode) {
        if (auto layout = LayoutFor(family, mode); layout && layout->sameMode)
            modes.insert(mode);
    }
    return modes;
}

TEST(LightLayoutsTest, MouseModeFourDisablesEverythingAndMayOfferSameMode) {
    const auto off = LayoutFor(light::kFamilyMouse, 4);
    ASSERT_TRUE(off);
    EXPECT_EQ(Marks(*off), "-------");
    EXPECT_TRUE(off->sameMode);
    // Four-colour breathing keeps brightness and speed but offers no same mode.
    const auto fourColour = LayoutFor(light::kFamilyMouse, 3);
    ASSERT_TRUE(fourColour);
    EXPECT_EQ(Marks(*fourColour), "---++--");
    EXPECT_FALSE(fourColour->sameMode);
}

TEST(LightLayoutsTest, MouseWaveAndNeonTakeADirectionAndLeaveTheEditsAlone) {
    for (int mode : {5, 9}) {
        const auto layout = LayoutFor(light::kFamilyMouse, mode);
        ASSERT_TRUE(layout) << mode;
        EXPECT_EQ(layout->groups[light::kDirectionGroup], Change::On) << mode;
        EXPECT_EQ(layout->groups[light::kMultiColourGroup], Change::On) << mode;
        EXPECT_EQ(layout->groups[light::kRgbGroup], Change::Keep) << mode;
        EXPECT_FALSE(layout->sameMode) << mode;
    }
    // Every other mouse mode turns the direction off.
    for (int mode : {0, 1, 2, 3, 4, 6, 7, 8, 10})
        EXPECT_EQ(LayoutFor(light::kFamilyMouse, mode)->groups[light::kDirectionGroup], Change::Off)
            << mode;
}

TEST(LightLayoutsTest, MouseModesFromTenOnAreAllOffIncludingCustomEffects) {
    for (int mode : {10, 11, 12, 13, 40, 255}) {
        const auto layout = LayoutFor(light::kFamilyMouse, mode);
        ASSERT_TRUE(layout) << mode;
        EXPECT_EQ(Marks(*layout), "------.") << mode;
        EXPECT_FALSE(layout->sameMode) << mode;
        EXPECT_FALSE(layout->labels) << mode;
    }
}

TEST(LightLayoutsTest, MouseTableRowsAndSameModeModes) {
    const char* rows[] = {"-+++--+", "-++++-+", "---++--", "---++--", "-------",
                          "++++++.", "+++++-.", "-++++-+", "---++-.", "++++++."};
    for (int mode = 0; mode < 10; ++mode)
        EXPECT_EQ(Marks(*LayoutFor(light::kFamilyMouse, mode)), rows[mode]) << mode;
    EXPECT_EQ(SameModeModes(light::kFamilyMouse), (std::set<int>{0, 1, 2, 4, 6, 7}));
    // The mouse never touches the keyboard's groups or direction labels.
    for (int mode = 0; mode < 20; ++mode) {
        const auto layout = LayoutFor(light::kFamilyMouse, mode);
        for (Change c : layout->keyboardGroups)
            EXPECT_EQ(c, Change::Keep) << mode;
        EXPECT_FALSE(layout->labels) << mode;
    }
}

TEST(LightLayoutsTest, ReceiverKindsUseTheirDevicesTables) {
    for (int mode = 0; mode < 40; ++mode) {
        EXPECT_EQ(Marks(*LayoutFor(light::kFamilyMouseReceiver, mode)),
                  Marks(*LayoutFor(light::kFamilyMouse, mode)));
        EXPECT_EQ(Marks(*LayoutFor(light::kFamilyKeyboardReceiver, mode)),
                  Marks(*LayoutFor(light::kFamilyKeyboard, mode)));
    }
}

TEST(LightLayoutsTest, KeyboardRowsShowItsGroupsAndRelabelMovingEffects) {
    EXPECT_EQ(SameModeModes(light::kFamilyKeyboard), (std::set<int>{4, 5, 6, 23, 28}));
    std::set<std::string> firstLabels;
    for (int mode = 0; mode <= 40; ++mode) {
        const auto layout = LayoutFor(light::kFamilyKeyboard, mode);
        ASSERT_TRUE(layout) << mode;
        // Every keyboard row decides every keyboard group.
        for (Change c : layout->keyboardGroups)
            EXPECT_NE(c, Change::Keep) << mode;
        // A moving effect takes a direction and names it; nothing else does.
        const bool moves = layout->groups[light::kDirectionGroup] == Change::On;
        EXPECT_EQ(moves, layout->labels.has_value()) << mode;
        if (layout->labels) {
            EXPECT_NE(layout->labels->first, nullptr);
            EXPECT_NE(layout->labels->second, nullptr);
            firstLabels.insert(layout->labels->first);
        }
        if (mode > 30) {
            EXPECT_EQ(Marks(*layout), "-------") << mode;
        }
    }
    EXPECT_EQ(firstLabels, (std::set<std::string>{
                               "light_set_right_to_left_text", "light_set_clockwise_text",
                               "light_set_up_to_down_text", "light_set_outside_to_inside_text"}));
    // The custom colour modes show the custom combo, the music modes the audio combo.
    for (int mode : {0, 19})
        EXPECT_EQ(LayoutFor(light::kFamilyKeyboard, mode)->keyboardGroups[light::kCustomModeGroup],
                  Change::On);
    for (int mode : {29, 30})
        EXPECT_EQ(LayoutFor(light::kFamilyKeyboard, mode)->keyboardGroups[light::kAudioModeGroup],
                  Change::On);
    EXPECT_EQ(LayoutFor(light::kFamilyKeyboard, 6)->keyboardGroups[light::kAudioModeGroup],
              Change::Off);
}

TEST(LightLayoutsTest, PadAndHeadsetShareOneTableAndFamilyFiveHasNoSameMode) {
    for (int family : {light::kFamilyMousePad, light::kFamilyHeadsetFour, light::kFamilyHeadset})
        EXPECT_EQ(SameModeModes(family), (std::set<int>{1, 2, 3, 4, 8})) << family;
    for (int mode = 0; mode < 20; ++mode) {
        EXPECT_EQ(Marks(*LayoutFor(light::kFamilyHeadset, mode)),
                  Marks(*LayoutFor(light::kFamilyMousePad, mode)));
    }
    // The pad's custom effect and off take no parameter.
    EXPECT_EQ(Marks(*LayoutFor(light::kFamilyMousePad, 5)), "-------");
    EXPECT_EQ(Marks(*LayoutFor(light::kFamilyMousePad, 8)), "-------");

    EXPECT_TRUE(SameModeModes(light::kFamilyFive).empty());
    for (int mode = 0; mode <= 5; ++mode)
        EXPECT_NE(Marks(*LayoutFor(light::kFamilyFive, mode)), "------.") << mode;
    EXPECT_EQ(Marks(*LayoutFor(light::kFamilyFive, 6)), "------.");
}

TEST(LightLayoutsTest, UnknownFamiliesAndNegativeModesLeaveThePanel) {
    for (int family : {0, 8, 10, -1, 255})
        EXPECT_FALSE(LayoutFor(family, 0)) << family;
    EXPECT_FALSE(LayoutFor(light::kFamilyMouse, -1));
    EXPECT_FALSE(LayoutFor(light::kFamilyKeyboard, -5));
}

}  // namespace
