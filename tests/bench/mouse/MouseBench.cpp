// The mouse object's command sequences over the simulated bus: the connect sequence on the
// cable and WriteSettings on the cable and through the receiver. The floor is the 10 ms the
// device is given before each answer; the counters say how far above it a sequence runs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "hid/HidChannel.h"
#include "platform/HidTransport.h"
#include "sim/Simulator.h"
#include "sim/firmware/SimulatedDevices.h"

namespace {

using Clock = std::chrono::steady_clock;

class Bench {
  public:
    Bench() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("t418-mouse-bench-" + std::to_string(std::random_device{}()));
        ::setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
        simulator_ = std::make_unique<sim::Simulator>((folder_ / "bus").string());
        simulator_->SetFirmwareFactory(
            [this](const sim::BusDevice& d, const sim::BusInterface& i,
                   const sim::BusCollection& c) { return devices_.HandlerFor(d, i, c); });
        simulator_->Start();
        simulator_->Plug("mouse-cable");
        simulator_->Plug("mouse-receiver");
        transport_ = platform::MakeSimBusTransport((folder_ / "bus").string());
    }
    ~Bench() {
        simulator_->Stop();
        std::filesystem::remove_all(folder_);
    }

    std::unique_ptr<devices::COrvaneMouseDevice> Open(bool receiver) {
        auto mouse = std::make_unique<devices::COrvaneMouseDevice>(transport_.get());
        std::vector<std::string> paths;
        transport_->EnumeratePaths(paths);
        const std::string id = receiver ? "/mouse-receiver-if1-col2#" : "/mouse-cable-if1-col2#";
        hid::CHidChannel& channel = mouse->Channel();
        for (const std::string& path : paths) {
            if (path.find(id) == std::string::npos)
                continue;
            hid::CHidDevice& device = receiver ? channel.ReceiverDevice() : channel.CableDevice();
            if (device.Open(path, true, true, true, false)) {
                channel.SetOpen(true);
                channel.SetConnection(receiver ? hid::kConnectionReceiver : hid::kConnectionCable);
            }
        }
        mouse->SetProfileBaseName("bench");
        mouse->SetMessageSink([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
        return mouse;
    }

    sim::firmware::SimulatedDevices& Devices() { return devices_; }

  private:
    std::filesystem::path folder_;
    sim::firmware::SimulatedDevices devices_;
    std::unique_ptr<sim::Simulator> simulator_;
    std::unique_ptr<platform::HidTransport> transport_;
};

Bench& Shared() {
    static Bench bench;
    return bench;
}

// Answer leads the requests since the last call cost: one each, and one more before an end
// (the device is given a moment after the last command of a group).
size_t Requests(sim::firmware::SimulatedDevices& devices) {
    size_t n = 0;
    for (const auto& entry : devices.Log().Entries()) {
        if (!entry.request)
            continue;
        n += entry.bytes.size() > 3 && entry.bytes[3] == 0x02 ? 2 : 1;
    }
    devices.Log().Clear();
    return n;
}

void Report(benchmark::State& state, Clock::duration total, size_t leads) {
    const double operations = static_cast<double>(state.iterations());
    const double ms = std::chrono::duration<double, std::milli>(total).count() / operations;
    const double perOperation = static_cast<double>(leads) / operations;
    const double floorMs = perOperation * hid::kAnswerLeadMs;
    state.counters["leads"] = perOperation;
    state.counters["ms_per_op"] = ms;
    state.counters["floor_ms"] = floorMs;
    state.counters["ratio"] = floorMs > 0 ? ms / floorMs : 0;
}

void BM_ConnectCable(benchmark::State& state) {
    auto mouse = Shared().Open(false);
    mouse->LoadProfile();  // the profile file exists from the first run on
    Requests(Shared().Devices());
    Clock::duration total{};
    for (auto _ : state) {
        const auto start = Clock::now();
        mouse->ReadDeviceData();
        mouse->LoadProfile();
        mouse->ReadSettingsBlock();
        mouse->RefreshPanel();
        total += Clock::now() - start;
    }
    Report(state, total, Requests(Shared().Devices()));
}
BENCHMARK(BM_ConnectCable)->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_WriteSettings(benchmark::State& state) {
    auto mouse = Shared().Open(state.range(0) != 0);
    mouse->LoadProfile();
    Requests(Shared().Devices());
    Clock::duration total{};
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(mouse->WriteSettings(0, 0, 1, 0, 0));
        total += Clock::now() - start;
    }
    Report(state, total, Requests(Shared().Devices()));
}
BENCHMARK(BM_WriteSettings)->Arg(0)->Arg(1)->Iterations(20)->Unit(benchmark::kMillisecond);

// The parts of the connect sequence, to see where time above the floor goes.
void BM_ConnectPart(benchmark::State& state) {
    auto mouse = Shared().Open(false);
    mouse->LoadProfile();
    Requests(Shared().Devices());
    Clock::duration total{};
    for (auto _ : state) {
        const auto start = Clock::now();
        switch (state.range(0)) {
            case 0:
                mouse->ReadDeviceData();
                break;
            case 1:
                mouse->LoadProfile();
                break;
            default:
                mouse->ReadSettingsBlock();
                break;
        }
        total += Clock::now() - start;
    }
    Report(state, total, Requests(Shared().Devices()));
}
BENCHMARK(BM_ConnectPart)->Arg(0)->Arg(1)->Arg(2)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
