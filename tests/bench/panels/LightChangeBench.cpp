// One light change from the notification to the settings block written: the real mouse page
// (headless), a "valuechanged" of the brightness slider routed to the light handlers, the
// shared change path (record, reloaded light settings) and the block sent to the simulated
// mouse over the simulated bus, on the cable and through the receiver; the handler's whole
// time, with the profile file written after the block, is reported beside it. The floor is
// the 10 ms the device is given before each answer, and once more before each end of a
// transaction; the goal is a change within 1.2 x the floor.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "devices/mouse/SettingsBlock.h"
#include "hid/HidChannel.h"
#include "panels/light/LightControlUI.h"
#include "platform/HidTransport.h"
#include "sim/Simulator.h"
#include "sim/firmware/SimulatedDevices.h"
#include "tests/integration/panels_light/LightPage.h"
#include "ui/controls/SliderUI.h"
#include "ui/headless/HeadlessBackend.h"

namespace {

using LightClock = std::chrono::steady_clock;
constexpr uint8_t kLightEndCode = 0x02;  // the end of a transaction: one more lead before it

// The mouse, noting when each settings block it sends is written.
class LightBenchMouse : public devices::COrvaneMouseDevice {
  public:
    using COrvaneMouseDevice::COrvaneMouseDevice;
    int WriteSettings(int profileIndex, int firstByte, int flag, int extra1, int extra2) override {
        const int written =
            COrvaneMouseDevice::WriteSettings(profileIndex, firstByte, flag, extra1, extra2);
        blockWritten = LightClock::now();
        return written;
    }
    LightClock::time_point blockWritten;
};

class LightBenchRig {
  public:
    LightBenchRig() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("t418-light-bench-" + std::to_string(std::random_device{}()));
        ::setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
        ::setenv("T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR, 1);
        simulator_ = std::make_unique<sim::Simulator>((folder_ / "bus").string());
        simulator_->SetFirmwareFactory(
            [this](const sim::BusDevice& d, const sim::BusInterface& i,
                   const sim::BusCollection& c) { return devices_.HandlerFor(d, i, c); });
        simulator_->Start();
        simulator_->Plug("mouse-cable");
        simulator_->Plug("mouse-receiver");
        transport_ = platform::MakeSimBusTransport((folder_ / "bus").string());
        backend_.Install();
        lighttest::LoadLightPageSkin(T418_RESOURCES_DIR);
    }
    ~LightBenchRig() {
        Close();
        simulator_->Stop();
        std::filesystem::remove_all(folder_);
    }

    // The mouse page with the mouse connected as the program connects it.
    lighttest::LightPageWindow& Open(bool receiver) {
        Close();
        window_ = std::make_unique<lighttest::LightPageWindow>(
            host_, [this] { return mouse_ = new LightBenchMouse(transport_.get()); });
        window_->Create(nullptr, "light", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 976, 640);
        backend_.ProcessPending();
        std::vector<std::string> paths;
        transport_->EnumeratePaths(paths);
        const std::string id = receiver ? "/mouse-receiver-if1-col2#" : "/mouse-cable-if1-col2#";
        for (const std::string& path : paths) {
            if (path.find(id) != std::string::npos)
                lighttest::ConnectLightPage(*window_, path, receiver);
        }
        return *window_;
    }
    LightBenchMouse& Mouse() { return *mouse_; }

    sim::firmware::SimulatedDevices& Devices() { return devices_; }

  private:
    void Close() {
        if (window_ && ui::IsWindow(window_->GetHWND()))
            ui::DestroyWindow(window_->GetHWND());
        window_.reset();
        backend_.ProcessPending();
    }

    std::filesystem::path folder_;
    sim::firmware::SimulatedDevices devices_;
    std::unique_ptr<sim::Simulator> simulator_;
    std::unique_ptr<platform::HidTransport> transport_;
    ui::headless::HeadlessBackend backend_;
    lighttest::LightPageHost host_;
    std::unique_ptr<lighttest::LightPageWindow> window_;
    LightBenchMouse* mouse_ = nullptr;
};

LightBenchRig& SharedLightBenchRig() {
    static LightBenchRig rig;
    return rig;
}

struct LightExchanges {
    size_t requests = 0;
    size_t leads = 0;  // requests, and one more before each end
};

LightExchanges TakeLightExchanges(sim::firmware::SimulatedDevices& devices) {
    LightExchanges n;
    for (const auto& entry : devices.Log().Entries()) {
        if (!entry.request)
            continue;
        ++n.requests;
        n.leads += entry.bytes.size() > 3 && entry.bytes[3] == kLightEndCode ? 2 : 1;
    }
    devices.Log().Clear();
    return n;
}

// Arg: receiver (0 cable, 1 receiver).
void BM_LightChange(benchmark::State& state) {
    const bool receiver = state.range(0) != 0;
    LightBenchRig& rig = SharedLightBenchRig();
    lighttest::LightPageWindow& window = rig.Open(receiver);
    auto* slider = dynamic_cast<ui::CSliderUI*>(
        window.GetPaintManager()->FindControl(panels::CLightControlUI::kBrightnessSliderName));
    if (slider == nullptr) {
        state.SkipWithError("the page has no brightness slider");
        return;
    }
    TakeLightExchanges(rig.Devices());
    window.heard.clear();
    LightClock::duration toBlock{};
    LightClock::duration total{};
    int brightness = 0;
    for (auto _ : state) {
        brightness = (brightness + 1) % 5;
        const auto start = LightClock::now();
        slider->SetValue(brightness);  // raises "valuechanged"
        total += LightClock::now() - start;
        toBlock += rig.Mouse().blockWritten - start;
        const auto block = rig.Devices().Mouse().Memory(0, devices::mouse::kSettingsBlockSize);
        if (block[2] != brightness) {
            state.SkipWithError("the block does not hold the new brightness");
            break;
        }
    }
    const LightExchanges exchanges = TakeLightExchanges(rig.Devices());
    const double runs = static_cast<double>(state.iterations());
    const double ms = std::chrono::duration<double, std::milli>(toBlock).count() / runs;
    const double handlerMs = std::chrono::duration<double, std::milli>(total).count() / runs;
    const double floorMs = static_cast<double>(exchanges.leads) / runs * hid::kAnswerLeadMs;
    state.counters["notifications"] = static_cast<double>(window.heard.size()) / runs;
    state.counters["requests"] = static_cast<double>(exchanges.requests) / runs;
    state.counters["leads"] = static_cast<double>(exchanges.leads) / runs;
    state.counters["ms_to_block"] = ms;
    state.counters["ms_handler"] = handlerMs;  // the profile file's write after the block
    state.counters["floor_ms"] = floorMs;
    state.counters["ratio"] = floorMs > 0 ? ms / floorMs : 0;
}
BENCHMARK(BM_LightChange)
    ->ArgNames({"receiver"})
    ->Arg(0)
    ->Arg(1)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
