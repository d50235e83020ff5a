// The chart, the circular progress and the audio bar graph as the recording painter sees them.
#include <limits>
#include <string>
#include <vector>

#include "PageTestSupport.h"
#include "controls/AudioRecordUI.h"
#include "controls/ChartViewUI.h"
#include "controls/CircleProgressUI.h"

namespace devices_test {
namespace {

using controls::CAudioRecordUI;
using controls::CChartViewUI;
using controls::CCircleProgressUI;
using ui::Rect;
using ui::headless::OpKind;

class ChartControlsTest : public PageTest {
  protected:
    void OpenOne(const std::string& control) {
        Open("<Window size=\"600,400\"><VerticalLayout>" + control + "</VerticalLayout></Window>");
    }
    std::vector<ui::headless::DrawOp> Painted(OpKind kind) {
        return window->Native()->Paint().OfKind(kind);
    }
    CChartViewUI* Chart() { return window->Get<CChartViewUI>("chart"); }
};

TEST_F(ChartControlsTest, PieWithLegendDrawsShadowsSlicesAndSquaresWhereTheyBelong) {
    OpenOne(R"(<ChartView name="chart" float="true" pos="0,0,300,200"/>)");
    ASSERT_TRUE(Chart()->AddItem("one", 1));
    ASSERT_TRUE(Chart()->AddItem("three", 3));
    const auto& ops = window->Native()->Paint();

    const auto ellipses = ops.OfKind(OpKind::FillEllipse);
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[0].rect, (Rect{1, 1, 199, 199}));
    EXPECT_EQ(ellipses[0].color, 0x1E1E1E1Eu);
    EXPECT_EQ(ellipses[1].rect, (Rect{4, 4, 196, 196}));
    EXPECT_EQ(ellipses[1].color, 0x64646464u);

    // Clockwise on screen from three o'clock: a quarter, then the rest.
    const auto pies = ops.OfKind(OpKind::FillPie);
    ASSERT_EQ(pies.size(), 2u);
    EXPECT_EQ(pies[0].rect, (Rect{5, 5, 195, 195}));
    EXPECT_DOUBLE_EQ(pies[0].start, 0);
    EXPECT_DOUBLE_EQ(pies[0].sweep, -90);
    EXPECT_EQ(pies[0].color, 0xFF3F96F5u);
    EXPECT_DOUBLE_EQ(pies[1].start, -90);
    EXPECT_DOUBLE_EQ(pies[1].sweep, -270);
    EXPECT_EQ(pies[1].color, 0xFFFF5A01u);

    const auto squares = ops.OfKind(OpKind::FillRect);
    ASSERT_EQ(squares.size(), 2u);
    EXPECT_EQ(squares[0].rect, (Rect{205, 73, 223, 91}));
    EXPECT_EQ(squares[0].color, pies[0].color);
    EXPECT_EQ(squares[1].rect, (Rect{205, 95, 223, 113}));
    const auto names = ops.Texts("three");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].rect.left, 228);
    EXPECT_EQ(names[0].rect.top, 95);
    EXPECT_EQ(names[0].format, ui::kTextSingleLine | ui::kTextVCenter);
    EXPECT_EQ(names[0].color, 0xFF000000u) << "black unless the skin says otherwise";

    // The palette repeats after 18 items.
    EXPECT_EQ(controls::ChartPalette(18), controls::ChartPalette(0));
    EXPECT_EQ(controls::ChartPalette(17), 0xFF882612u);
}

TEST_F(ChartControlsTest, PieWithoutTextUsesTheWholeWidthAndDrawsNoLegend) {
    // Only the exact word turns the legend on.
    OpenOne(R"(<ChartView name="chart" float="true" pos="0,0,300,200" showtext="TRUE"/>)");
    EXPECT_FALSE(Chart()->IsShowText());
    Chart()->AddItem("a", 2);
    const auto& ops = window->Native()->Paint();
    const auto pies = ops.OfKind(OpKind::FillPie);
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0].rect, (Rect{55, 5, 245, 195}));
    EXPECT_TRUE(ops.OfKind(OpKind::Text).empty());
    EXPECT_TRUE(ops.OfKind(OpKind::FillRect).empty());
}

TEST_F(ChartControlsTest, PieThatCannotBeSharedDrawsOnlyItsShadows) {
    OpenOne(R"(<ChartView name="chart" float="true" pos="0,0,300,200"/>)");
    EXPECT_TRUE(Painted(OpKind::FillEllipse).empty()) << "an empty chart draws nothing";
    for (const std::vector<double>& values :
         std::vector<std::vector<double>>{{0, 0}, {-1, 1}, {-4}}) {
        Chart()->RemoveAllItems();
        for (double v : values)
            Chart()->AddItem("x", v);
        const auto& ops = window->Native()->Paint();
        EXPECT_EQ(ops.OfKind(OpKind::FillEllipse).size(), 2u);
        EXPECT_TRUE(ops.OfKind(OpKind::FillPie).empty());
        EXPECT_TRUE(ops.OfKind(OpKind::Text).empty());
    }
    // Values that are not numbers are refused rather than poisoning the sum.
    EXPECT_FALSE(Chart()->AddItem("nan", std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(Chart()->AddItem("inf", std::numeric_limits<double>::infinity()));
    EXPECT_EQ(Chart()->Items().size(), 1u);
}

TEST_F(ChartControlsTest, HistogramStandsBarsOnTheShadowWithNamesBelow) {
    OpenOne(R"(<ChartView name="chart" float="true" pos="0,0,300,200" view="histpgram"
        shadowimage="shadow.png" shadowimageheight="30" pillarimage="bar.png" pillarimagewidth="20"/>)");
    AddImage("shadow.png", 10, 10);
    AddImage("bar.png", 10, 10);
    ASSERT_EQ(Chart()->GetView(), CChartViewUI::kViewHistogram);
    for (auto [name, value] : {std::pair{"a", 10.0}, {"b", 5.0}, {"c", 0.0}, {"d", -3.0}})
        Chart()->AddItem(name, value);
    const auto& ops = window->Native()->Paint();
    const auto images = ops.OfKind(OpKind::Image);
    // Gap (300 / 20) * 2 = 30; plot height 200 - 25; a bar of 0 or less is no bar.
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].rect, (Rect{0, 145, 300, 175}));
    EXPECT_EQ(images[1].rect, (Rect{30, 0, 50, 175}));
    EXPECT_EQ(images[2].rect, (Rect{80, 88, 100, 175}));
    const auto texts = ops.OfKind(OpKind::Text);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].rect, (Rect{0, 175, 80, 200}));
    EXPECT_EQ(texts[3].rect, (Rect{150, 175, 230, 200}));
    EXPECT_EQ(texts[3].format, ui::kTextSingleLine | ui::kTextVCenter | ui::kTextCenter);

    // "histogram" is not a view name; the control keeps what it has.
    Chart()->SetAttribute("view", "histogram");
    EXPECT_EQ(Chart()->GetView(), CChartViewUI::kViewHistogram);
    Chart()->SetAttribute("view", "pie");
    Chart()->SetAttribute("view", "histogram");
    EXPECT_EQ(Chart()->GetView(), CChartViewUI::kViewPie);
}

TEST_F(ChartControlsTest, HistogramWithoutAScaleDrawsOnlyItsShadowAndForgetsMissingPictures) {
    OpenOne(R"(<ChartView name="chart" float="true" pos="0,0,300,200" view="histpgram"
        shadowimage="shadow.png" shadowimageheight="30" pillarimage="bar.png" pillarimagewidth="0"/>)");
    AddImage("shadow.png", 10, 10);
    AddImage("bar.png", 10, 10);
    Chart()->AddItem("a", 10);
    EXPECT_EQ(Painted(OpKind::Image).size(), 1u) << "a bar width of 0";
    EXPECT_TRUE(Painted(OpKind::Text).empty());
    Chart()->SetAttribute("pillarimagewidth", "20");
    Chart()->RemoveAllItems();
    Chart()->AddItem("a", 0);
    Chart()->AddItem("b", -2);
    EXPECT_EQ(Painted(OpKind::Image).size(), 1u) << "a largest value of 0 or less";
    EXPECT_TRUE(Painted(OpKind::Text).empty());

    // A picture that cannot be drawn is dropped for good.
    Chart()->AddItem("c", 4);
    Chart()->SetAttribute("pillarimage", "missing.png");
    Chart()->SetAttribute("shadowimage", "missing.png");
    Painted(OpKind::Image);
    EXPECT_EQ(Chart()->GetPillarImage(), "");
    EXPECT_EQ(Chart()->GetShadowImage(), "");
}

TEST_F(ChartControlsTest, CircleProgressFillsFromTheMinimumClockwiseFromStraightDown) {
    OpenOne(R"(<CircleProgress name="ring" float="true" pos="0,0,100,100" min="0" max="200"
        value="50" bkcolor="#FF202020" forecolor="#FF4C8DFF"/>)");
    auto* ring = window->Get<CCircleProgressUI>("ring");
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(ring->GetClass(), "CircleProgress");
    auto pies = Painted(OpKind::FillPie);
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0].rect, (Rect{0, 0, 100, 100}));
    EXPECT_DOUBLE_EQ(pies[0].start, -90);
    EXPECT_DOUBLE_EQ(pies[0].sweep, -90);
    auto discs = Painted(OpKind::FillEllipse);
    ASSERT_EQ(discs.size(), 2u);
    EXPECT_EQ(discs[0].color, 0xFF202020u);
    EXPECT_EQ(discs[1].rect, (Rect{10, 10, 90, 90}));
    EXPECT_EQ(discs[1].color, 0xFFFFFFFFu);

    // Half of 100 to 300 is half a circle, not the whole one.
    ring->SetMinValue(100);
    ring->SetMaxValue(300);
    ring->SetValue(200);
    EXPECT_EQ(ring->SweepDegrees(), 180);
    ring->SetValue(100);
    EXPECT_TRUE(Painted(OpKind::FillPie).empty());
    EXPECT_EQ(Painted(OpKind::FillEllipse).size(), 2u);
    // An empty range fills nothing and still draws the centre.
    ring->SetMaxValue(100);
    EXPECT_EQ(ring->SweepDegrees(), 0);
    EXPECT_TRUE(Painted(OpKind::FillPie).empty());
    EXPECT_EQ(Painted(OpKind::FillEllipse).size(), 2u);
}

TEST_F(ChartControlsTest, AudioBarsFitTheWidthAndStayInsideTheControl) {
    OpenOne(R"(<AudioRecord name="audio" float="true" pos="0,0,101,50"/>)");
    auto* audio = window->Get<CAudioRecordUI>("audio");
    ASSERT_NE(audio, nullptr);
    std::vector<int32_t> frame(CAudioRecordUI::kSampleCount, 4096);
    frame[0] = 8192;
    frame[1] = 100000;
    frame[2] = -5;
    audio->SetSamples(frame);
    auto fills = Painted(OpKind::FillRect);
    ASSERT_EQ(fills.size(), 1u + 50u) << "white, then one bar every second pixel but sample 2";
    EXPECT_EQ(fills[0].rect, (Rect{0, 0, 101, 50}));
    EXPECT_EQ(fills[0].color, 0xFFFFFFFFu);
    EXPECT_EQ(fills[1].rect, (Rect{0, 0, 1, 49}));
    EXPECT_EQ(fills[2].rect, (Rect{2, 0, 3, 49})) << "clamped to the top";
    EXPECT_EQ(fills[3].rect, (Rect{6, 25, 7, 49}));
    EXPECT_EQ(fills[3].color, 0xFF000000u);

    audio->SetAttribute("pos", "0,0,1200,50");
    window->GetPaintManager()->UpdateLayout();
    EXPECT_EQ(Painted(OpKind::FillRect).size(), 1u + 499u) << "at most one bar a sample";

    // A short frame leaves the rest silent; a tall control does not overflow the product.
    audio->SetSamples(std::vector<int32_t>{8192});
    EXPECT_EQ(audio->Samples()[0], 8192);
    EXPECT_EQ(audio->Samples()[1], 0);
    EXPECT_EQ(CAudioRecordUI::BarTop(8192, 0, 400000), 0);
    EXPECT_EQ(CAudioRecordUI::BarTop(4096, 10, 400000), 200010);
}

}  // namespace
}  // namespace devices_test
