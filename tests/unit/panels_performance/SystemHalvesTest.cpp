// The halves of the system records and the keyboard's rules.
#include <gtest/gtest.h>

#include "panels/performance/SystemHalves.h"

namespace {

using namespace panels::performance;

TEST(SystemHalves, OneHalfChangesAndTheOtherStays) {
    profile::SystemRecord words{};
    words[2] = profile::MakeWord(0x1111, 0x2222);
    words = WithHalf(words, kMouseReportRate, 3);
    EXPECT_EQ(words[2], profile::MakeWord(0x1111, 3));
    words = WithHalf(words, kMouseScrollLines, AsHalf(-1));
    EXPECT_EQ(words[2], profile::MakeWord(0xFFFF, 3)) << "no selection: all ones";
    const profile::SystemRecord before = words;
    EXPECT_EQ(WithHalf(words, Half{8, false}, 7), before) << "outside the record";
    EXPECT_EQ(AsHalf(0x12345), 0x2345);
}

TEST(SystemHalves, KeyboardControlsAndRules) {
    auto rate = KeyboardSettingOf("POLLING_RATE_OPTION_3");
    ASSERT_TRUE(rate);
    EXPECT_EQ(rate->control, KeyboardControl::ReportRate);
    EXPECT_EQ(rate->half.word, 1);
    EXPECT_TRUE(rate->half.high);
    EXPECT_TRUE(rate->writesDevice);
    EXPECT_FALSE(KeyboardSettingOf("polling_rate_option_4")) << "the keyboard has four";
    auto delay = KeyboardSettingOf("repeat_delay_check_0");
    ASSERT_TRUE(delay);
    EXPECT_FALSE(delay->writesDevice);
    EXPECT_EQ(KeyboardSettingOf("winlockflag_option")->half.high, true);
    EXPECT_FALSE(KeyboardSettingOf("repeat_rate_slider")->writesDevice);
    EXPECT_FALSE(KeyboardSettingOf("DPI_slider_0"));

    EXPECT_EQ(ClampKeyboardOption(3), 3);
    EXPECT_EQ(ClampKeyboardOption(4), 0);
    EXPECT_EQ(ClampKeyboardOption(-1), 0);
    EXPECT_EQ(RepeatDelayMs(0), 250);
    EXPECT_EQ(RepeatDelayMs(3), 1000);
    EXPECT_EQ(RepeatDelayMs(7), 250);
    EXPECT_EQ(RepeatDelayLabel("Repeat delay: ", 1), "Repeat delay: 500ms");
}

}  // namespace
