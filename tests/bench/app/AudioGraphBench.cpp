// The program's side of the music light at the audio process's 43 frames a second: the mouse
// page's lighting tab in its live view, in an offscreen Qt window on the session bus, fed by
// a real t418-zen-audio playing its test tone. Reports frames and repaints a second, the CPU
// of this process (every graph repaint renders the whole window: an upper bound) and of the
// audio process; the audio process reports its sample-to-record delay when it ends.
//
//   audio_graph_bench [SECONDS]
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/AppMessages.h"
#include "app/PanelTags.h"
#include "app/audio/AudioLink.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "panels/light/LightControlUI.h"
#include "platform/MessageBus.h"
#include "platform/Process.h"
#include "tests/ui/support/ProgramQtBackend.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtWindow.h"
#include "ui/shell/SessionBusBridge.h"
#include "ui/skin/ResourceManager.h"

namespace {

class GraphBenchWindow : public ui::WindowImplBase {
  public:
    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, "OrvaneMouseDevice")) {
            mouse = new devices::COrvaneMouseDevice;
            return mouse;
        }
        return app::CreatePanelControl(tag, this, m_pm);
    }
    devices::COrvaneMouseDevice* mouse = nullptr;
    app::audio::AudioLink* link = nullptr;

  protected:
    std::string GetWindowClassName() const override { return "AudioGraphBench"; }
    std::string GetSkinFile() override {
        return R"(<Window size="976,500"><VerticalLayout bkcolor="#FF15181D">
  <Include source="XML/DeviceXml/mousedevice.xml"/></VerticalLayout></Window>)";
    }
    ui::LRESULT HandleCustomMessage(ui::UINT msg, ui::WPARAM w, ui::LPARAM l,
                                    bool& handled) override {
        handled = false;
        if (link && link->HandleMessage(msg, w, l))
            handled = true;
        else if (link && msg == ui::WM_COPYDATA && l != 0)
            handled = link->OnCopyData(w, *reinterpret_cast<const ui::COPYDATASTRUCT*>(l));
        return 0;
    }
};

double SelfCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ProcessCpuSeconds(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    size_t close = text.rfind(')');
    if (close == std::string::npos)
        return 0.0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    double ticks = 0.0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i >= 14)
            ticks += std::stod(field);
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    ui::qt::QtBackend& backend = t418test::ProgramQtBackend("audio_graph_bench");
    ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
    ui::CResourceManager::GetInstance()->LoadResource("res.xml");
    ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml");
    app::AppMessages messages;
    messages.audioCommand = platform::RegisterMessage(app::kCompanionMessageNames[4]);
    app::SetMessagesForTesting(messages);

    GraphBenchWindow window;
    window.Create(nullptr, "bench", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 976, 500);
    devices::COrvaneMouseDevice* mouse = window.mouse;
    hid::DeviceIdentity identity;
    identity.Kind = hid::kKindMouseCable;
    mouse->SetIdentity(identity);
    mouse->SetKeyCount(11);
    mouse->SetLedCount(15);
    mouse->SetSkinFile("XML/DeviceXml/mousedevice.xml");
    mouse->BindPanelControls();
    mouse->ShowFunctionPage(3);  // lighting
    if (auto* tab = dynamic_cast<ui::COptionUI*>(window.FindControl("deng_Op_tab")))
        tab->Selected(true, false);
    if (auto* live = dynamic_cast<ui::COptionUI*>(window.FindControl("music_live_option")))
        live->Selected(true, false);
    if (auto* view = dynamic_cast<ui::CTabLayoutUI*>(window.FindControl("music_view_tab")))
        view->SelectItem(1, false);
    ui::CControlUI* panel = window.FindControl("LightControlItem");

    auto bus = ui::SessionBusBridge::Join(window.GetHWND(), "T418-ZEN");
    app::audio::AudioLinkHost host;
    host.window = window.GetHWND();
    host.lightPanels = [panel] { return std::vector<ui::CControlUI*>{panel}; };
    host.shownLightPanel = [panel] { return panel; };
    host.firstKeyboard = [] { return nullptr; };
    host.styleColour = [] { return std::array<int, 3>{9, 4, 0}; };
    app::audio::AudioLink link(host,
                               std::string("\"") + T418_ZEN_AUDIO_EXE + "\" --tone 1000 --stats");
    window.link = &link;
    link.Start();

    auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
    auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
    uint64_t painted = 0;
    // Each repaint of the graph paints the window, as a visible window would.
    int poll = backend.StartTimer(5, [&] {
        if (link.Repaints() != painted && widget != nullptr) {
            painted = link.Repaints();
            (void)widget->RenderToImage();
        }
    });
    // Warm-up until frames flow, then the measured run.
    int warm = backend.StartTimer(1500, [&] { backend.QuitLoop(0); });
    backend.RunLoop();
    backend.StopTimer(warm);
    if (link.Frames() == 0 || link.Child() == nullptr) {
        std::fprintf(stderr, "audio_graph_bench: no frames from t418-zen-audio\n");
        return 1;
    }
    const uint64_t frames0 = link.Frames(), repaints0 = link.Repaints();
    const double self0 = SelfCpuSeconds(), audio0 = ProcessCpuSeconds(link.Child()->Id());
    const auto start = std::chrono::steady_clock::now();
    int stop =
        backend.StartTimer(static_cast<uint32_t>(seconds) * 1000, [&] { backend.QuitLoop(0); });
    backend.RunLoop();
    backend.StopTimer(stop);
    backend.StopTimer(poll);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double self = SelfCpuSeconds() - self0;
    const double audio = ProcessCpuSeconds(link.Child()->Id()) - audio0;
    std::printf("frames/s %.1f  repaints/s %.1f  program CPU %.2f %%  audio process CPU %.2f %%\n",
                static_cast<double>(link.Frames() - frames0) / wall,
                static_cast<double>(link.Repaints() - repaints0) / wall, 100.0 * self / wall,
                100.0 * audio / wall);
    std::fflush(stdout);
    link.Shutdown();
    ui::DestroyWindow(window.GetHWND());
    return 0;
}
