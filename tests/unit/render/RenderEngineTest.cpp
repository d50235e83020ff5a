#include "ui/render/RenderEngine.h"

#include <gtest/gtest.h>

#include <memory>

#include "RecordingTarget.h"

using namespace ui;
using testing_render::FakeImage;
using testing_render::RecordingTarget;

namespace {

class TestResources : public DrawResources {
  public:
    ImageCache cache{[](const std::string&) { return nullptr; }};
    int scale = 1;
    ImageCache& RenderImages() override { return cache; }
    FontSpec RenderFont(int id) override {
        FontSpec f;
        f.size = id == 2 ? 20 : 10;
        return f;
    }
    int RenderScale(int v) override { return v * scale; }
};

class RenderEngineTest : public ::testing::Test {
  protected:
    void SetUp() override { res.cache.AddImage("a.png", std::make_shared<FakeImage>(30, 30)); }
    TestResources res;
    RecordingTarget target;
    const Rect paintAll{0, 0, 1000, 1000};
};

TEST_F(RenderEngineTest, NineGridKeepsCornersAndStretchesTheRest) {
    ASSERT_TRUE(CRenderEngine::DrawImageString(target, &res, {10, 10, 110, 60}, paintAll,
                                               "file='a.png' corner='5,6,7,8'"));
    auto images = target.Of("image");
    ASSERT_EQ(images.size(), 9u);
    EXPECT_EQ(images[0].rect, (Rect{10, 10, 15, 16}));  // top left corner unscaled
    EXPECT_EQ(images[0].source, (Rect{0, 0, 5, 6}));
    EXPECT_EQ(images[4].rect, (Rect{15, 16, 103, 52}));  // centre stretched
    EXPECT_EQ(images[4].source, (Rect{5, 6, 23, 22}));
    EXPECT_EQ(images[8].rect, (Rect{103, 52, 110, 60}));
    EXPECT_EQ(images[8].source, (Rect{23, 22, 30, 30}));
    EXPECT_EQ(target.clipDepth, 0);
}

TEST_F(RenderEngineTest, HoleLeavesCentreOutAndCornersShrinkIntoSmallTargets) {
    CRenderEngine::DrawImageString(target, &res, {0, 0, 8, 8}, paintAll,
                                   "file='a.png' corner='5,5,5,5' hole='true'");
    auto images = target.Of("image");
    for (const auto& op : images) {
        EXPECT_GE(op.rect.left, 0);
        EXPECT_LE(op.rect.right, 8);
        EXPECT_FALSE(op.rect.IsEmpty());
        EXPECT_NE(op.source, (Rect{5, 5, 25, 25}));
    }
    EXPECT_EQ(images.size(), 4u);  // middle row and column vanished: only the corners
}

TEST_F(RenderEngineTest, CornersThatMeetStillLeaveAMiddleToStretch) {
    // A 30-pixel image with 15-pixel corners (a pill) drawn 100 wide: no gap in the middle.
    CRenderEngine::DrawImageString(target, &res, {0, 0, 100, 30}, paintAll,
                                   "file='a.png' corner='15,0,15,0'");
    auto images = target.Of("image");
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].rect.right, images[1].rect.left);
    EXPECT_EQ(images[1].rect.right, images[2].rect.left);
    EXPECT_EQ(images[2].rect.right, 100);
    EXPECT_EQ(images[1].source.Width(), 1);
}

TEST_F(RenderEngineTest, TilingRepeatsAndCutsTheLastTile) {
    CRenderEngine::DrawImageString(target, &res, {0, 0, 70, 20}, paintAll,
                                   "file='a.png' source='0,0,30,20' xtiled='true'");
    auto images = target.Of("image");
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[2].rect, (Rect{60, 0, 70, 20}));
    EXPECT_EQ(images[2].source, (Rect{0, 0, 10, 20}));
}

TEST_F(RenderEngineTest, DestIsRelativeScaledAndClippedToTheControl) {
    res.scale = 2;
    CRenderEngine::DrawImageString(target, &res, {100, 100, 120, 120}, paintAll,
                                   "file='a.png' dest='1,1,50,5' source='0,0,0,0'");
    auto images = target.Of("image");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].rect, (Rect{102, 102, 120, 110}));
    EXPECT_EQ(images[0].source, (Rect{0, 0, 30, 30}));  // zero source: whole image
}

TEST_F(RenderEngineTest, SourceIsClippedToTheImage) {
    CRenderEngine::DrawImageString(target, &res, {0, 0, 10, 10}, paintAll,
                                   "file='a.png' source='10,10,90,90'");
    EXPECT_EQ(target.Of("image").at(0).source, (Rect{10, 10, 30, 30}));
}

TEST_F(RenderEngineTest, TintTakesWin32ColourWordAndLevelTimesFade) {
    // 0x0000FF in Win32 order is red.
    CRenderEngine::DrawImageString(target, &res, {0, 0, 10, 10}, paintAll,
                                   "file='a.png' fade='200'", "", 0x0000FF, 128, true);
    CRenderEngine::DrawImageString(target, &res, {0, 0, 10, 10}, paintAll, "a.png", "", 0x0000FF, 0,
                                   false);
    auto images = target.Of("image");
    ASSERT_EQ(images.size(), 2u);
    EXPECT_TRUE(images[0].tinted);
    EXPECT_EQ(images[0].color, 0xFFFF0000u);
    EXPECT_EQ(images[0].alpha, 200 * 128 / 255);
    EXPECT_FALSE(images[1].tinted);  // flag off: colour and level are ignored
    EXPECT_EQ(images[1].alpha, 255);
}

TEST_F(RenderEngineTest, NothingDrawnOutsidePaintOrWithoutImage) {
    EXPECT_FALSE(
        CRenderEngine::DrawImageString(target, &res, {0, 0, 10, 10}, {50, 50, 60, 60}, "a.png"));
    EXPECT_FALSE(
        CRenderEngine::DrawImageString(target, &res, {0, 0, 10, 10}, paintAll, "missing.png"));
    EXPECT_FALSE(CRenderEngine::DrawImageString(target, &res, {0, 0, 10, 10}, paintAll, ""));
    EXPECT_FALSE(
        CRenderEngine::DrawImageString(target, nullptr, {0, 0, 10, 10}, paintAll, "a.png"));
    EXPECT_FALSE(CRenderEngine::DrawImageString(target, &res, {0, 0, 10, 10}, paintAll,
                                                "file='a.png' fade='0'") &&
                 !target.Of("image").empty());
    EXPECT_TRUE(target.Of("image").empty());
}

TEST_F(RenderEngineTest, TextCalcRectMeasuresWithoutDrawing) {
    Rect rc{5, 5, 500, 500};
    CRenderEngine::DrawText(target, &res, rc, "hello", 0xFF000000, 0,
                            kTextSingleLine | kTextCalcRect);
    EXPECT_EQ(rc, (Rect{5, 5, 40, 17}));
    EXPECT_TRUE(target.ops.empty());
    Rect box{0, 0, 100, 20};
    CRenderEngine::DrawText(target, &res, box, "x", 0x00000000, 0, 0);  // invisible colour
    CRenderEngine::DrawColor(target, box, 0x00FFFFFF);
    EXPECT_TRUE(target.ops.empty());
}

TEST_F(RenderEngineTest, HtmlWrapsWordsAlignsLinesAndReportsLinks) {
    Rect rc{0, 0, 45, 200};
    std::vector<HtmlLink> links;
    // Words measure 7 px a byte: "aaa " 28 and "bbb" 21 do not fit together in 45.
    CRenderEngine::DrawHtmlText(target, &res, rc, "aaa <a go>bbb</a><n><b>c</b>", 0xFF000000, 0,
                                kTextWordBreak | kTextCenter, &links, 0xFF0000FF);
    auto texts = target.Of("text");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].rect.top, 0);
    EXPECT_EQ(texts[0].rect.left, (45 - 21) / 2);  // the ending blank does not count
    EXPECT_EQ(texts[1].text, "bbb");
    EXPECT_EQ(texts[1].rect.top, 12);
    EXPECT_EQ(texts[1].color, 0xFF0000FFu);
    EXPECT_TRUE(texts[1].font.underline);
    EXPECT_TRUE(texts[2].font.bold);
    EXPECT_EQ(texts[2].rect.top, 24);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].target, "go");
    EXPECT_EQ(links[0].rect, texts[1].rect);
    EXPECT_EQ(target.clipDepth, 0);

    Rect calc{0, 0, 500, 0};
    CRenderEngine::DrawHtmlText(target, &res, calc, "ab<f 2>cd</f>", 0xFF000000, 0,
                                kTextSingleLine | kTextCalcRect);
    EXPECT_EQ(calc, (Rect{0, 0, 28, 22}));  // the taller font sets the line height
}

TEST_F(RenderEngineTest, HtmlVerticalCentreAndRightAlign) {
    Rect rc{0, 0, 100, 40};
    CRenderEngine::DrawHtmlText(target, &res, rc, "ab", 0xFF000000, 0,
                                kTextSingleLine | kTextVCenter | kTextRight);
    auto texts = target.Of("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rect, (Rect{86, 14, 100, 26}));
}

}  // namespace
