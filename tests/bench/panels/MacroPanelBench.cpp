// The macro page from the real skin in an offscreen Qt window: selecting a macro of 60 events
// (its rows built and the page painted) and loading a list of 50 macros. Budget: 20 ms each.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "app/PanelTags.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "panels/macros/MacroControlUI.h"
#include "panels/macros/MacroFiles.h"
#include "profile/JsonFile.h"
#include "tests/ui/support/ProgramQtBackend.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtWindow.h"
#include "ui/skin/ResourceManager.h"

namespace {

namespace fs = std::filesystem;
using panels::CMacroControlUI;

class MacroPageWindow : public ui::WindowImplBase {
  public:
    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, "OrvaneMouseDevice"))
            return new devices::COrvaneMouseDevice;
        return app::CreatePanelControl(tag, this, m_pm);
    }

  protected:
    std::string GetWindowClassName() const override { return "MacroPanelBench"; }
    std::string GetSkinFile() override {
        return R"(<Window size="976,500"><VerticalLayout bkcolor="#FF15181D">
  <Include source="XML/DeviceXml/mousedevice.xml"/></VerticalLayout></Window>)";
    }
};

ui::qt::QtBackend& Backend() {
    ui::qt::QtBackend& backend = t418test::ProgramQtBackend("macro_panel_bench");
    static const bool resources = [] {
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ui::CResourceManager::GetInstance()->LoadResource("res.xml");
        return ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml");
    }();
    (void)resources;
    return backend;
}

// A data folder with 50 macros of 60 events each (keys, buttons and moves).
std::string MakeFolder() {
    const fs::path folder =
        fs::temp_directory_path() / ("t418-macro-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    Json::Value list(Json::objectValue);
    for (int m = 0; m < 50; ++m) {
        const std::string id = "bench_" + std::to_string(m);
        Json::Value entry(Json::objectValue);
        entry["MacroName"] = "macro " + std::to_string(m);
        entry["Guid"] = id;
        list["MacroInfo"].append(entry);
        Json::Value doc(Json::objectValue);
        doc["MacroName"] = entry["MacroName"];
        doc["Guid"] = id;
        doc["Version"] = 64;
        for (int e = 0; e < 60; ++e) {
            const int kind = e % 3;
            doc["Events"].append(panels::macros::MakeEvent(e % 2 == 0,
                                                           kind == 0   ? 0x04 + e % 20
                                                           : kind == 1 ? 0x01
                                                                       : 12,
                                                           kind == 0   ? 10
                                                           : kind == 1 ? 1
                                                                       : 4,
                                                           20 + e));
        }
        profile::WriteJsonFile((folder / (id + ".mac")).string(), doc);
    }
    profile::WriteJsonFile((folder / "macro.config").string(), list);
    return folder.string() + "/";
}

struct Page {
    MacroPageWindow window;
    CMacroControlUI* panel = nullptr;
    std::string folder = MakeFolder();

    Page() {
        Backend();
        window.Create(nullptr, "bench", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 976, 500);
        panel = dynamic_cast<CMacroControlUI*>(window.FindControl("MacroControlItem"));
        dynamic_cast<ui::CTabLayoutUI*>(window.FindControl("device_function_switch"))
            ->SelectItem(3, false);
        panel->SetDataFolder(folder);
        panel->LoadMacroList();
    }
    ~Page() {
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

void BM_SelectMacroOf60Events(benchmark::State& state) {
    Page page;
    int next = 0;
    for (auto _ : state) {
        page.panel->SelectMacroItem(next);
        next = (next + 1) % 50;
        page.Paint();
    }
    state.counters["rows"] = page.panel->RowCount();
}
BENCHMARK(BM_SelectMacroOf60Events)->Unit(benchmark::kMillisecond);

void BM_Load50Macros(benchmark::State& state) {
    Page page;
    for (auto _ : state) {
        page.panel->LoadMacroList();
        page.Paint();
    }
    state.counters["macros"] = static_cast<double>(page.panel->GetMacroNames().size());
}
BENCHMARK(BM_Load50Macros)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
