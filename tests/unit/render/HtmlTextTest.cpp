#include "ui/render/HtmlText.h"

#include <gtest/gtest.h>

using namespace ui;

TEST(HtmlText, StylesNestAndCloseInnermost) {
    HtmlDocument doc = ParseHtmlText("a<b>b<i>c</i>d</b><c #FF112233>e<c #FF445566>f</c>g</c>");
    ASSERT_EQ(doc.runs.size(), 7u);
    EXPECT_FALSE(doc.runs[0].bold);
    EXPECT_TRUE(doc.runs[1].bold);
    EXPECT_TRUE(doc.runs[2].bold && doc.runs[2].italic);
    EXPECT_TRUE(doc.runs[3].bold && !doc.runs[3].italic);
    EXPECT_EQ(doc.runs[4].color, 0xFF112233u);
    EXPECT_EQ(doc.runs[5].color, 0xFF445566u);
    EXPECT_EQ(doc.runs[6].color, 0xFF112233u);
}

TEST(HtmlText, LinksFontsBreaksAndEntities) {
    HtmlDocument doc = ParseHtmlText("<a http://x>go</a><n><f 3>&lt;b&gt;</f> &amp; <s>old</s>");
    ASSERT_EQ(doc.links.size(), 1u);
    EXPECT_EQ(doc.links[0], "http://x");
    EXPECT_EQ(doc.runs[0].link, 0);
    EXPECT_TRUE(doc.runs[1].lineBreak);
    EXPECT_EQ(doc.runs[2].text, "<b>");
    EXPECT_EQ(doc.runs[2].fontId, 3);
    EXPECT_EQ(doc.runs[3].text, " & ");
    EXPECT_EQ(doc.runs[3].link, -1);
    EXPECT_TRUE(doc.runs[4].strike);
}

TEST(HtmlText, UnknownOrBrokenTagsStayText) {
    EXPECT_EQ(HtmlPlainText("1 < 2 <x> <c nothex>z</c> <f -1> <b"),
              "1 < 2 <x> <c nothex>z <f -1> <b");
    EXPECT_EQ(HtmlPlainText("</b></c></a>tail"), "tail");  // stray closers are harmless
    EXPECT_EQ(HtmlPlainText("a<br>b<N>c"), "a\nb\nc");
}
