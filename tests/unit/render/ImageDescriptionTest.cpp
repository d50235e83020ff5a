#include "ui/render/ImageDescription.h"

#include <gtest/gtest.h>

using namespace ui;

TEST(ImageDescription, BareFileNameIsTheWholeTrimmedString) {
    TDrawInfo info = ParseImageDescription("  skin/btn normal.png ");
    EXPECT_EQ(info.file, "skin/btn normal.png");
    EXPECT_EQ(info.fade, 255);
    EXPECT_EQ(info.source, Rect{});
}

TEST(ImageDescription, ReadsEveryKey) {
    TDrawInfo info = ParseImageDescription(
        "file='a.png' source='0,0,20,20' corner='4,4,4,4' dest='1, 2,30,40' fade='200' "
        "hole='TRUE' xtiled='true' ytiled='false' mask='#FFFF00FF' restype='png' hsl='true'");
    EXPECT_EQ(info.file, "a.png");
    EXPECT_EQ(info.source, (Rect{0, 0, 20, 20}));
    EXPECT_EQ(info.corner, (Rect{4, 4, 4, 4}));
    EXPECT_EQ(info.dest, (Rect{1, 2, 30, 40}));
    EXPECT_EQ(info.fade, 200);
    EXPECT_TRUE(info.hole);
    EXPECT_TRUE(info.xTiled);
    EXPECT_FALSE(info.yTiled);
    EXPECT_EQ(info.mask, 0xFFFF00FFu);
    EXPECT_EQ(info.resType, "png");
    EXPECT_TRUE(info.hsl);
}

TEST(ImageDescription, ModifierOverridesAndResIsFile) {
    TDrawInfo info = ParseImageDescription("res='a.png' fade='100'", "fade='50' source='1,1,2,2'");
    EXPECT_EQ(info.file, "a.png");
    EXPECT_EQ(info.fade, 50);
    EXPECT_EQ(info.source, (Rect{1, 1, 2, 2}));
    EXPECT_EQ(info.drawString, "res='a.png' fade='100'");
}

TEST(ImageDescription, MalformedInputKeepsWhatWasReadAndNeverThrows) {
    TDrawInfo info = ParseImageDescription("file='a.png' source='1,2,3' fade='x' corner='1,2,3,4");
    EXPECT_EQ(info.file, "a.png");
    EXPECT_EQ(info.source, Rect{});  // three numbers are no rectangle
    EXPECT_EQ(info.fade, 255);
    EXPECT_EQ(info.corner, Rect{});  // unterminated value stops parsing
    EXPECT_EQ(ParseImageDescription("fade='999'").fade, 255);
    EXPECT_EQ(ParseImageDescription("fade='-5'").fade, 0);
    EXPECT_EQ(ParseImageDescription("source='99999999999,0,1,1'").source, Rect{});
    EXPECT_EQ(ParseImageDescription("file=''").file, "");
}

TEST(ImageDescription, Colours) {
    Color c = 0;
    EXPECT_TRUE(ParseColorValue("#80112233", c));
    EXPECT_EQ(c, 0x80112233u);
    EXPECT_TRUE(ParseColorValue("0xFF00FF00", c));
    EXPECT_EQ(c, 0xFF00FF00u);
    EXPECT_TRUE(ParseColorValue("#123456", c));
    EXPECT_EQ(c, 0xFF123456u);
    EXPECT_FALSE(ParseColorValue("#12345G", c));
    EXPECT_FALSE(ParseColorValue("#123456789", c));
    EXPECT_FALSE(ParseColorValue("", c));
}
