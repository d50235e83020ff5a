// Opening the settings window, as a click on the settings button does, until its first paint
// is done: offscreen on Qt with the real skin, three rows and both languages' list.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "controls/ProgramControls.h"
#include "ui/core/PaintManager.h"
#include "ui/qt/QtBackend.h"
#include "ui/skin/ResourceManager.h"
#include "windows/SetWnd.h"

namespace {

namespace fs = std::filesystem;

ui::qt::QtBackend& SetWndBenchBackend() {
    static ui::qt::QtBackend* backend = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "windows_setwnd_bench";
        static char* argv[] = {name, nullptr};
        auto* b = new ui::qt::QtBackend(argc, argv);
        ui::SetBackend(b);
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ui::CResourceManager::GetInstance()->LoadResource("res.xml");
        ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml");
        controls::ControlCreators creators;
        controls::AddCustomControlCreators(creators);
        controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
        return b;
    }();
    return *backend;
}

windows::UpdateEntry SetWndBenchEntry(int format, uint32_t version, const char* code,
                                      const char* shortName, const char* text) {
    windows::UpdateEntry entry;
    entry.versionFormat = format;
    entry.version = version;
    entry.code = code;
    entry.shortName = shortName;
    entry.versionText = text;
    return entry;
}

void BM_SettingsClickToFirstPaint(benchmark::State& state) {
    SetWndBenchBackend();
    const fs::path home = fs::temp_directory_path() / "t418-setwnd-bench";
    fs::create_directories(home);
    for (auto _ : state) {
        windows::SetWndRequest request;
        request.entries = {SetWndBenchEntry(1, 0x0102, "QP22M41B", "MS", ""),
                           SetWndBenchEntry(2, 0x0105, "QP22M33B_1", "J71", ""),
                           SetWndBenchEntry(0, 0x0100, "ALL", "AP", "V0100")};
        request.languageConfigPath =
            std::string(T418_RESOURCES_DIR) + "/DefaultData/Language.config";
        request.updateTimePath = (home / "updatetime.config").string();
        request.installerFolder = (home / "UpdateData/").string();
        const auto clicked = std::chrono::steady_clock::now();
        double ms = 0;
        request.onFirstPaint = [&] {
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                           clicked)
                     .count();
            if (windows::CSetWnd* window = windows::CSetWnd::CurrentWindow())
                window->Close(0);
        };
        windows::OpenSettingsWindow(std::move(request));
        state.SetIterationTime(ms / 1000.0);
    }
    fs::remove_all(home);
}
BENCHMARK(BM_SettingsClickToFirstPaint)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
