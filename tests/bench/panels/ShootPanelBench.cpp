// The shoot page from the real skin in an offscreen Qt window over the factory sets: one
// bullet view (the set file read and parsed, the bullet's controls and the set's plot shown)
// and the same with the page painted. Goal: a bullet view under 2 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "app/PanelTags.h"
#include "controls/ShootPatternUI.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "panels/shoot/ShootControlUI.h"
#include "tests/ui/support/ProgramQtBackend.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtWindow.h"
#include "ui/skin/ResourceManager.h"

namespace {

namespace fs = std::filesystem;
using panels::CShootControlUI;

class ShootPageWindow : public ui::WindowImplBase {
  public:
    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, "OrvaneMouseDevice"))
            return new devices::COrvaneMouseDevice;
        return app::CreatePanelControl(tag, this, m_pm);
    }

  protected:
    std::string GetWindowClassName() const override { return "ShootPanelBench"; }
    std::string GetSkinFile() override {
        return R"(<Window size="976,500"><VerticalLayout bkcolor="#FF15181D">
  <Include source="XML/DeviceXml/mousedevice.xml"/></VerticalLayout></Window>)";
    }
};

ui::qt::QtBackend& ShootBenchBackend() {
    ui::qt::QtBackend& backend = t418test::ProgramQtBackend("shoot_panel_bench");
    static const bool resources = [] {
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ui::CResourceManager::GetInstance()->LoadResource("res.xml");
        return ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml");
    }();
    (void)resources;
    return backend;
}

struct ShootPage {
    ShootPageWindow window;
    CShootControlUI* panel = nullptr;
    std::string folder =
        (fs::temp_directory_path() / ("t418-shoot-bench-" + std::to_string(std::random_device{}())))
            .string() +
        "/";

    ShootPage() {
        ShootBenchBackend();
        fs::create_directories(folder);
        window.Create(nullptr, "bench", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 976, 500);
        panel = dynamic_cast<CShootControlUI*>(window.FindControl("ShootControlItem"));
        panel->SetDataFolder(folder);
        panel->SetDefaultFolder(std::string(T418_RESOURCES_DIR) + "/DefaultData/");
        panel->Init();
        panel->SelectSet(0);
        panel->SelectBullet(0);
    }
    ~ShootPage() {
        ui::DestroyWindow(window.GetHWND());
        fs::remove_all(folder);
    }
    void Paint() {
        auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
        auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
        window.GetPaintManager()->UpdateLayout();
        if (widget != nullptr)
            benchmark::DoNotOptimize(widget->RenderToImage());
    }
};

void BM_ShowBullet(benchmark::State& state) {
    ShootPage page;
    int next = 0;
    for (auto _ : state) {
        page.panel->SelectBullet(next);
        next = (next + 7) % 30;
    }
    state.counters["plotted"] =
        static_cast<double>(page.panel->Pattern(0) ? page.panel->Pattern(0)->Steps().size() : 0);
}
BENCHMARK(BM_ShowBullet)->Unit(benchmark::kMicrosecond);

void BM_ShowBulletAndPaint(benchmark::State& state) {
    ShootPage page;
    int next = 0;
    for (auto _ : state) {
        page.panel->SelectBullet(next);
        next = (next + 7) % 30;
        page.Paint();
    }
}
BENCHMARK(BM_ShowBulletAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
