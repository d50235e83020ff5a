// What the user is told after the macros were sent: the two kinds of refusal with their
// numbers, and language texts that are never used as printf formats.
#include <gtest/gtest.h>

#include "panels/profiles/MacroUploadMessage.h"

namespace {

using panels::DescribeMacroUpload;
using panels::FormatNumberText;

TEST(MacroUploadMessage, EachRefusalIsToldWithItsOwnNumber) {
    EXPECT_TRUE(DescribeMacroUpload(0, {70}, 60).key.empty());
    EXPECT_EQ(DescribeMacroUpload(-1, {}, 60).key, "message_text_7");
    EXPECT_FALSE(DescribeMacroUpload(-1, {}, 60).hasNumber);

    // A macro of 75 events: 15 too many for one macro.
    auto tooLong = DescribeMacroUpload(75, {10, 75, 90}, 60);
    EXPECT_EQ(tooLong.key, "message_text_26");
    EXPECT_EQ(tooLong.number, 15);

    // The area is 3 events too large; the same small number the old rule read as a macro
    // length and turned negative.
    for (int excess : {1, 3, 61, 300}) {
        auto area = DescribeMacroUpload(excess, {60, 60, 40}, 60);
        EXPECT_EQ(area.key, "message_text_16") << excess;
        EXPECT_EQ(area.number, excess) << excess;
        EXPECT_GT(area.number, 0);
    }
    // A count that is not the first long macro's is the area's.
    EXPECT_EQ(DescribeMacroUpload(80, {75, 80}, 60).key, "message_text_16");
}

TEST(MacroUploadMessage, NumbersGoIntoTheFirstPercentD) {
    EXPECT_EQ(FormatNumberText("%d too many", 3), "3 too many");
    EXPECT_EQ(FormatNumberText("a %d b %d", 7), "a 7 b %d");
    EXPECT_EQ(FormatNumberText("%s %n no number", 7), "%s %n no number");
    EXPECT_EQ(FormatNumberText("", 7), "");
}

}  // namespace
