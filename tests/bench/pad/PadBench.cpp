// The pad's connect sequence over the simulated bus. The floor is the 10 ms the device is
// given before each answer; the counters say how far above it the sequence runs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "devices/pad/OrvaneMousePadDevice.h"
#include "hid/HidChannel.h"
#include "platform/HidTransport.h"
#include "sim/Simulator.h"
#include "sim/firmware/SimulatedDevices.h"

namespace {

using Clock = std::chrono::steady_clock;

class PadBench {
  public:
    PadBench() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("t418-pad-bench-" + std::to_string(std::random_device{}()));
        ::setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
        simulator_ = std::make_unique<sim::Simulator>((folder_ / "bus").string());
        simulator_->SetFirmwareFactory(
            [this](const sim::BusDevice& d, const sim::BusInterface& i,
                   const sim::BusCollection& c) { return devices_.HandlerFor(d, i, c); });
        simulator_->Start();
        simulator_->Plug("pad");
        transport_ = platform::MakeSimBusTransport((folder_ / "bus").string());
    }
    ~PadBench() {
        simulator_->Stop();
        std::filesystem::remove_all(folder_);
    }

    std::unique_ptr<devices::COrvaneMousePadDevice> Open() {
        auto pad = std::make_unique<devices::COrvaneMousePadDevice>(transport_.get());
        std::vector<std::string> paths;
        transport_->EnumeratePaths(paths);
        hid::CHidChannel& channel = pad->Channel();
        for (const std::string& path : paths) {
            if (path.find("/pad-if1-col4#") != std::string::npos &&
                channel.CableDevice().Open(path, true, true, true, false))
                channel.SetOpen(true);
        }
        pad->SetProfileBaseName("bench");
        pad->SetMessageSink([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
        return pad;
    }

    sim::firmware::SimulatedDevices& Devices() { return devices_; }

  private:
    std::filesystem::path folder_;
    sim::firmware::SimulatedDevices devices_;
    std::unique_ptr<sim::Simulator> simulator_;
    std::unique_ptr<platform::HidTransport> transport_;
};

PadBench& SharedPad() {
    static PadBench bench;
    return bench;
}

// Answer leads the requests since the last call cost: one each, and one more before an end.
size_t PadRequests(sim::firmware::SimulatedDevices& devices, size_t& packets) {
    size_t n = 0;
    packets = 0;
    for (const auto& entry : devices.Log().Entries()) {
        if (!entry.request)
            continue;
        ++packets;
        n += entry.bytes.size() > 3 && entry.bytes[3] == 0x02 ? 2 : 1;
    }
    devices.Log().Clear();
    return n;
}

void BM_ConnectPad(benchmark::State& state) {
    auto pad = SharedPad().Open();
    pad->LoadProfile();  // the profile file exists from the first run on
    size_t packets = 0;
    PadRequests(SharedPad().Devices(), packets);
    Clock::duration total{};
    for (auto _ : state) {
        const auto start = Clock::now();
        // The connect sequence without its preview thread.
        pad->ReadInfoBlock();
        pad->ReadSettingsBlock();
        pad->LoadProfile();
        pad->RefreshPanel();
        total += Clock::now() - start;
    }
    const size_t leads = PadRequests(SharedPad().Devices(), packets);
    const double operations = static_cast<double>(state.iterations());
    const double ms = std::chrono::duration<double, std::milli>(total).count() / operations;
    const double floorMs = static_cast<double>(leads) / operations * hid::kAnswerLeadMs;
    state.counters["packets"] = static_cast<double>(packets) / operations;
    state.counters["ms_per_op"] = ms;
    state.counters["floor_ms"] = floorMs;
    state.counters["ratio"] = floorMs > 0 ? ms / floorMs : 0;
}
BENCHMARK(BM_ConnectPad)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
