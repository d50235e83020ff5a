// Building a layout of 2 000 controls from XML text (the budget is 30 ms), and laying it out.
#include <benchmark/benchmark.h>

#include <string>

#include "ui/core/ControlUI.h"
#include "ui/core/PaintManager.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/skin/DialogBuilder.h"

namespace {

// 200 rows of a label, a button, an option, a check box, a progress bar, three plain
// controls and the row itself with its padding control: 2 000 controls with attributes.
std::string MakeLayout() {
    std::string xml =
        R"(<Window size="1000,640"><Default name="Button" value="height=&quot;24&quot;"/>
<VerticalLayout name="root" bkcolor="#FF202020" vscrollbar="true">)";
    for (int i = 0; i < 200; ++i) {
        std::string n = std::to_string(i);
        xml += R"(<HorizontalLayout height="30" childpadding="4" name="row_)" + n + R"(">)";
        xml += R"(<Label name="label_)" + n + R"(" text="Row )" + n +
               R"(" width="120" textcolor="#FFFFFFFF" align="right"/>)";
        xml += R"(<Button name="btn_)" + n +
               R"(" text="Apply" normalimage="btn.png" hotimage="btn_hot.png"/>)";
        xml += R"(<Option name="opt_)" + n + R"(" group="g)" + std::to_string(i % 7) +
               R"(" text="on"/>)";
        xml += R"(<CheckBox name="chk_)" + n + R"(" selected="true"/>)";
        xml += R"(<Progress name="prg_)" + n +
               R"(" min="0" max="100" value="40" forecolor="#FF00AA00"/>)";
        xml += R"(<Control width="4"/><Control bkcolor="#FF333333"/><Control width="2"/>)";
        xml += R"(<Control name="pad_)" + n + R"(" width="8"/>)";
        xml += "</HorizontalLayout>";
    }
    xml += "</VerticalLayout></Window>";
    return xml;
}

void BM_Build2000Controls(benchmark::State& state) {
    ui::headless::HeadlessBackend backend;
    backend.Install();
    const std::string xml = MakeLayout();
    for (auto _ : state) {
        ui::CPaintManagerUI pm;
        ui::CDialogBuilder builder;
        ui::CControlUI* root = builder.Create(xml, "", nullptr, &pm);
        pm.AttachDialog(root);
        benchmark::DoNotOptimize(pm.FindControl("pad_199"));
    }
}
BENCHMARK(BM_Build2000Controls)->Unit(benchmark::kMillisecond);

void BM_Layout2000Controls(benchmark::State& state) {
    ui::headless::HeadlessBackend backend;
    backend.Install();
    ui::CPaintManagerUI pm;
    ui::CDialogBuilder builder;
    ui::CControlUI* root = builder.Create(MakeLayout(), "", nullptr, &pm);
    pm.AttachDialog(root);
    for (auto _ : state) {
        root->NeedUpdate();
        root->SetPos(ui::Rect{0, 0, 1000, 6400}, false);
    }
}
BENCHMARK(BM_Layout2000Controls)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
