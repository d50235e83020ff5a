// Repainting a 1000 x 640 window of 300 controls offscreen through QPainter (target: under
// 8 ms a frame), and the CPU an open idle window uses.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <ctime>
#include <string>

#include "ui/core/PaintManager.h"
#include "ui/core/WindowImplBase.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtRenderTarget.h"

namespace {

// 30 rows of 10 controls: labels, buttons with nine-grid images, options and progress bars.
std::string Layout() {
    std::string xml =
        "<Window size=\"1000,640\"><Font id=\"0\" size=\"13\" default=\"true\"/>"
        "<VerticalLayout bkcolor=\"#FFF3F5F8\" inset=\"4,4,4,4\">";
    for (int row = 0; row < 30; ++row) {
        xml += "<HorizontalLayout height=\"21\" childpadding=\"4\">";
        for (int col = 0; col < 10; ++col) {
            switch ((row + col) % 4) {
                case 0:
                    xml += "<Label text=\"Label " + std::to_string(col) +
                           "\" textcolor=\"#FF1E2A3B\" bkcolor=\"#FFFFFFFF\"/>";
                    break;
                case 1:
                    xml +=
                        "<Button text=\"Button\" normalimage=\"file='btn.svg' "
                        "corner='6,6,6,6'\" textcolor=\"#FFFFFFFF\"/>";
                    break;
                case 2:
                    xml +=
                        "<Option text=\"Option\" bordersize=\"1\" bordercolor=\"#FFC4CBD8\" "
                        "borderround=\"4,4\"/>";
                    break;
                default:
                    xml += "<Progress value=\"60\" bkcolor=\"#FFE4E8EF\" forecolor=\"#FF2F6FED\"/>";
            }
        }
        xml += "</HorizontalLayout>";
    }
    return xml + "</VerticalLayout></Window>";
}

class BenchWindow : public ui::WindowImplBase {
  public:
    std::string GetWindowClassName() const override { return "T418ZenBench"; }
    std::string GetSkinFile() override { return Layout(); }

  protected:
    void OnFinalMessage(ui::HWND hwnd) override {
        WindowImplBase::OnFinalMessage(hwnd);
        DeleteSelf();
    }
};

ui::qt::QtBackend& Backend() {
    static ui::qt::QtBackend* backend = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "ui_repaint_bench";
        static char* argv[] = {name, nullptr};
        auto* b = new ui::qt::QtBackend(argc, argv);
        ui::SetBackend(b);
        return b;
    }();
    return *backend;
}

const char* kButtonSvg =
    "<svg xmlns='http://www.w3.org/2000/svg' width='24' height='32'><rect x='0.5' y='0.5' "
    "width='23' height='31' rx='6' fill='#2f6fed' stroke='#2457c0'/></svg>";

void BM_Repaint300Controls(benchmark::State& state) {
    Backend();
    auto* window = new BenchWindow;
    window->Create(nullptr, "bench", ui::WS_POPUP, 0, 0, 0, 1000, 640);
    ui::CPaintManagerUI* pm = window->GetPaintManager();
    pm->GetImageCache().AddImage("btn.svg", ui::GetBackend().DecodeImage(kButtonSvg));
    QImage image(1000, 640, QImage::Format_ARGB32_Premultiplied);
    int controls = 0;
    for (auto _ : state) {
        QPainter painter(&image);
        ui::qt::QtRenderTarget target(painter, ui::Size{1000, 640});
        pm->Paint(target, ui::Rect{0, 0, 1000, 640});
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    controls = static_cast<int>(pm->FindSubControlsByClass(pm->GetRoot(), "ButtonUI").size());
    state.counters["buttons"] = controls;
    ui::DestroyWindow(window->GetHWND());
}
BENCHMARK(BM_Repaint300Controls)->Unit(benchmark::kMillisecond);

// CPU time used by an open window left alone for one second (nothing should run).
void BM_IdleWindowCpu(benchmark::State& state) {
    auto& backend = Backend();
    auto* window = new BenchWindow;
    window->Create(nullptr, "idle", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 1000, 640);
    for (auto _ : state) {
        int stop = backend.StartTimer(1000, [&] { backend.QuitLoop(0); });
        std::clock_t before = std::clock();
        backend.RunLoop();
        state.counters["cpu_ms_per_s"] = 1000.0 * double(std::clock() - before) / CLOCKS_PER_SEC;
        backend.StopTimer(stop);
    }
    ui::DestroyWindow(window->GetHWND());
}
BENCHMARK(BM_IdleWindowCpu)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
