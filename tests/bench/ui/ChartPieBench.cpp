// One paint of a chart of 100 items as a pie with its legend (420 x 320, the legend running
// past the bottom as it does with that many names): through QPainter offscreen, anti-aliased,
// and through the recording painter (the control's own work without any drawing).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <string>

#include "controls/ChartViewUI.h"
#include "tests/ui/support/ProgramQtBackend.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/RecordingRenderTarget.h"
#include "ui/qt/QtRenderTarget.h"

namespace {

constexpr int kPieWidth = 420;
constexpr int kPieHeight = 320;

class PieBenchWindow : public ui::WindowImplBase {
  public:
    controls::CChartViewUI* Chart() {
        return dynamic_cast<controls::CChartViewUI*>(m_pm.FindControl("pie"));
    }

  protected:
    std::string GetWindowClassName() const override { return "ChartPieBench"; }
    std::string GetSkinFile() override {
        return "<Window size=\"420,320\"><Font id=\"0\" name=\"\" size=\"13\" default=\"true\"/>"
               "<VerticalLayout bkcolor=\"#FF20252D\"><ChartView name=\"pie\" "
               "textcolor=\"#FFEEF2F7\"/></VerticalLayout></Window>";
    }
};

PieBenchWindow* OpenPie() {
    t418test::ProgramQtBackend("chart_pie_bench");
    auto* window = new PieBenchWindow;
    window->Create(nullptr, "pie", ui::WS_POPUP, 0, 0, 0, kPieWidth, kPieHeight);
    window->GetPaintManager()->UpdateLayout();
    controls::CChartViewUI* chart = window->Chart();
    for (int i = 0; i < 100; ++i)
        chart->AddItem("Item " + std::to_string(i), 1 + (i * 37) % 23);
    return window;
}

void BM_Pie100ItemsQt(benchmark::State& state) {
    PieBenchWindow* window = OpenPie();
    controls::CChartViewUI* chart = window->Chart();
    const ui::Rect all{0, 0, kPieWidth, kPieHeight};
    QImage image(kPieWidth, kPieHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        ui::qt::QtRenderTarget target(painter, ui::Size{kPieWidth, kPieHeight});
        chart->DoPaint(target, all, nullptr);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    ui::DestroyWindow(window->GetHWND());
}
BENCHMARK(BM_Pie100ItemsQt)->Unit(benchmark::kMillisecond);

void BM_Pie100ItemsRecorded(benchmark::State& state) {
    PieBenchWindow* window = OpenPie();
    controls::CChartViewUI* chart = window->Chart();
    const ui::Rect all{0, 0, kPieWidth, kPieHeight};
    ui::headless::RecordingRenderTarget target(ui::Size{kPieWidth, kPieHeight});
    for (auto _ : state) {
        target.Clear();
        chart->DoPaint(target, all, nullptr);
        benchmark::DoNotOptimize(target.Ops().data());
    }
    state.counters["ops"] = static_cast<double>(target.Ops().size());
    ui::DestroyWindow(window->GetHWND());
}
BENCHMARK(BM_Pie100ItemsRecorded)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
