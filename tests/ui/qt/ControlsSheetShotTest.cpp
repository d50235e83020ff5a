// The indicator, chart and list-row controls on one sheet, rendered offscreen with Qt to
// build/screenshots/controls-sheet.png and checked for their colours where they stand.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "QtHarness.h"
#include "controls/AudioRecordUI.h"
#include "controls/ChartViewUI.h"
#include "controls/CircleProgressUI.h"
#include "controls/CloudShareListItemUI.h"
#include "controls/ComboEditContainerElementUI.h"
#include "controls/ProgramControls.h"
#include "ui/controls/ListUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowImplBase.h"
#include "ui/qt/QtWindow.h"

namespace {

namespace fs = std::filesystem;

// One card: a caption over the control(s); height 0 takes what is left.
std::string SheetCard(const std::string& caption, const std::string& body, int height = 0) {
    const std::string fixed = height > 0 ? " height=\"" + std::to_string(height) + "\"" : "";
    return "<VerticalLayout bkcolor=\"#FF20252D\" inset=\"10,8,10,10\" childpadding=\"6\" "
           "borderround=\"8,8\"" +
           fixed + "><Label text=\"" + caption +
           "\" height=\"18\" font=\"1\" textcolor=\"#FF8A93A3\"/>" + body + "</VerticalLayout>";
}

std::string SheetLayout() {
    const std::string rings =
        "<HorizontalLayout childpadding=\"24\">"
        "<CircleProgress name=\"ring_0\" width=\"90\" height=\"90\" value=\"0\" "
        "bkcolor=\"#FF2A303A\" forecolor=\"#FF4C8DFF\"/>"
        "<CircleProgress name=\"ring_37\" width=\"90\" height=\"90\" value=\"37\" "
        "bkcolor=\"#FF2A303A\" forecolor=\"#FF4C8DFF\"/>"
        "<CircleProgress name=\"ring_75\" width=\"90\" height=\"90\" min=\"100\" max=\"200\" "
        "value=\"175\" bkcolor=\"#FF2A303A\" forecolor=\"#FF3DD68C\"/></HorizontalLayout>";
    const std::string rows =
        "<List name=\"share_list\" itemhotimage=\"controls/chart_shadow.svg\" "
        "itembkcolor=\"#FF1B1F26\" itemhotbkcolor=\"#FF262B34\" itemselectedbkcolor=\"#FF4C8DFF\" "
        "itemtextcolor=\"#FFEEF2F7\" bkcolor=\"#FF1B1F26\">"
        "<CloudShareListItem name=\"share_0\" height=\"30\" inset=\"8,0,8,0\"><Label "
        "text=\"Profile A.json\" font=\"0\" textcolor=\"#FFEEF2F7\"/></CloudShareListItem>"
        "<CloudShareListItem name=\"share_1\" height=\"30\" inset=\"8,0,8,0\"><Label "
        "text=\"Profile B.json (hot)\" font=\"0\" textcolor=\"#FFEEF2F7\"/></CloudShareListItem>"
        "<CloudShareListItem name=\"share_2\" height=\"30\" inset=\"8,0,8,0\"><Label "
        "text=\"Profile C.json (selected)\" font=\"0\" textcolor=\"#FF15181D\"/>"
        "</CloudShareListItem></List>";
    const std::string combo =
        "<List name=\"combo_list\" itembkcolor=\"#FF1B1F26\" itemselectedbkcolor=\"#FF2A303A\" "
        "bkcolor=\"#FF1B1F26\">"
        "<ComboEditContainerElement name=\"combo_0\" height=\"32\"/>"
        "<ComboEditContainerElement name=\"combo_1\" height=\"32\"/>"
        "<ComboEditContainerElement name=\"combo_2\" height=\"32\"/></List>";
    return "<Window size=\"800,620\"><Font id=\"0\" name=\"\" size=\"13\" default=\"true\"/>"
           "<Font id=\"1\" name=\"\" size=\"13\" bold=\"true\"/>"
           "<HorizontalLayout bkcolor=\"#FF15181D\" inset=\"12,12,12,12\" childpadding=\"12\">"
           "<VerticalLayout childpadding=\"12\">" +
           SheetCard("CircleProgress", rings, 132) +
           SheetCard("ChartView: pie",
                     "<ChartView name=\"pie\" height=\"200\" textcolor=\"#FFEEF2F7\"/>", 242) +
           SheetCard("CloudShareListItem", rows) +
           "</VerticalLayout><VerticalLayout childpadding=\"12\">" +
           SheetCard("AudioRecord", "<AudioRecord name=\"audio\" height=\"90\"/>", 132) +
           SheetCard("ChartView: histpgram",
                     "<ChartView name=\"bars\" height=\"200\" view=\"histpgram\" "
                     "textcolor=\"#FFEEF2F7\" shadowimage=\"controls/chart_shadow.svg\" "
                     "shadowimageheight=\"12\" pillarimage=\"controls/chart_pillar.svg\" "
                     "pillarimagewidth=\"20\"/>",
                     242) +
           SheetCard("ComboEditContainerElement", combo) +
           "</VerticalLayout></HorizontalLayout></Window>";
}

class SheetWindow : public ui::WindowImplBase {
  public:
    template <typename T>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(m_pm.FindControl(name));
    }

  protected:
    std::string GetWindowClassName() const override { return "ControlsSheet"; }
    std::string GetSkinFile() override { return SheetLayout(); }
};

bool SheetNear(const QColor& a, const QColor& b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

bool SheetHolds(const QImage& image, const ui::Rect& r, const QColor& colour, int tolerance = 10) {
    for (int y = std::max(0, r.top); y < std::min(image.height(), r.bottom); ++y)
        for (int x = std::max(0, r.left); x < std::min(image.width(), r.right); ++x)
            if (SheetNear(image.pixelColor(x, y), colour, tolerance))
                return true;
    return false;
}

QColor SheetColour(ui::Color c) {
    return QColor(ui::ColorRed(c), ui::ColorGreen(c), ui::ColorBlue(c));
}

TEST(ControlsSheet, EveryControlDrawsOnTheSheet) {
    qt_test::Backend();
    controls::ControlCreators creators;
    controls::AddCustomControlCreators(creators);
    controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
    const std::string savedPath = ui::CPaintManagerUI::GetResourcePath();
    ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");

    SheetWindow window;
    ASSERT_NE(window.Create(nullptr, "sheet", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 800, 620),
              nullptr);
    ui::CPaintManagerUI* pm = window.GetPaintManager();

    auto* audio = window.Get<controls::CAudioRecordUI>("audio");
    auto* pie = window.Get<controls::CChartViewUI>("pie");
    auto* bars = window.Get<controls::CChartViewUI>("bars");
    auto* ring = window.Get<controls::CCircleProgressUI>("ring_37");
    auto* hot = window.Get<controls::CCloudShareListItemUI>("share_1");
    ASSERT_TRUE(audio && pie && bars && ring && hot);

    std::vector<int32_t> frame(controls::CAudioRecordUI::kSampleCount);
    for (size_t i = 0; i < frame.size(); ++i) {
        const double t = static_cast<double>(i);
        frame[i] = static_cast<int32_t>(8192 * (0.5 + 0.45 * std::sin(t / 9.0)) *
                                        (0.35 + 0.65 * std::fabs(std::sin(t / 70.0))));
    }
    audio->SetSamples(frame);
    const char* names[] = {"Clicks", "Scroll", "Keys", "Macros", "Other"};
    const double values[] = {42, 21, 17, 12, 8};
    for (int i = 0; i < 5; ++i) {
        pie->AddItem(names[i], values[i]);
        bars->AddItem(names[i], values[i]);
    }
    const char* texts[][3] = {
        {"Left", "Delay", "10"}, {"Right", "Delay", "120"}, {"Middle", "Delay", "35"}};
    for (int i = 0; i < 3; ++i) {
        auto* row =
            window.Get<controls::CComboEditContainerElementUI>("combo_" + std::to_string(i));
        ASSERT_NE(row, nullptr);
        ASSERT_NE(row->DelayEdit(), nullptr) << "the row's layout was found";
        row->Text1()->SetText(texts[i][0]);
        row->Text2()->SetText(texts[i][1]);
        row->DelayEdit()->SetText(texts[i][2]);
    }
    window.Get<ui::CListUI>("share_list")->SelectItem(2, false, false);
    window.Get<ui::CListUI>("combo_list")->SelectItem(1, false, false);
    ui::TEventUI enter;
    enter.Type = ui::UIEVENT_MOUSEENTER;
    enter.pSender = hot;
    hot->Event(enter);
    pm->UpdateLayout();

    auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
    auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
    ASSERT_NE(widget, nullptr);
    const QImage image = widget->RenderToImage();
    fs::create_directories(T418_SCREENSHOT_DIR);
    image.save(
        QString::fromStdString((fs::path(T418_SCREENSHOT_DIR) / "controls-sheet.png").string()),
        "PNG");
    const ui::Rect ringPos = ring->GetPos();
    const ui::Rect audioPos = audio->GetPos();
    const ui::Rect piePos = pie->GetPos();
    const ui::Rect barsPos = bars->GetPos();
    const ui::Rect hotPos = hot->GetPos();
    ui::DestroyWindow(window.GetHWND());
    ui::CPaintManagerUI::SetResourcePath(savedPath);

    ASSERT_FALSE(image.isNull());
    // The ring: its filled part below the centre (it starts straight down), white inside.
    EXPECT_TRUE(
        SheetNear(image.pixelColor((ringPos.left + ringPos.right) / 2 - 3, ringPos.bottom - 5),
                  QColor(0x4C, 0x8D, 0xFF), 24));
    EXPECT_TRUE(SheetNear(image.pixelColor((ringPos.left + ringPos.right) / 2, ringPos.top + 45),
                          Qt::white, 4));
    EXPECT_TRUE(SheetHolds(image, audioPos, Qt::black, 4)) << "the audio bars";
    for (size_t i = 0; i < 5; ++i)
        EXPECT_TRUE(SheetHolds(image, piePos, SheetColour(controls::ChartPalette(i)), 6)) << i;
    EXPECT_TRUE(SheetHolds(image, barsPos, QColor(0x2F, 0x6F, 0xED), 24)) << "the bars";
    EXPECT_TRUE(SheetHolds(image, ui::Rect{hotPos.left, hotPos.top, hotPos.right, hotPos.top + 1},
                           QColor(0x4C, 0x8D, 0xFF), 8))
        << "the hot row's frame";
}

}  // namespace
