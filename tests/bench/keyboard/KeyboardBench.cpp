// The keyboard object's connect sequence over the simulated bus, on its cable and through the
// test receiver: packets and wall time. The floor is the 10 ms the device is given before
// each answer; the ratio says how far above it the sequence runs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "hid/HidChannel.h"
#include "platform/HidTransport.h"
#include "sim/Simulator.h"
#include "sim/firmware/SimulatedDevices.h"

namespace {

using Clock = std::chrono::steady_clock;

class KeyboardBenchBus {
  public:
    KeyboardBenchBus() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("t418-keyboard-bench-" + std::to_string(std::random_device{}()));
        ::setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
        ::setenv("T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR, 1);
        simulator_ = std::make_unique<sim::Simulator>((folder_ / "bus").string());
        simulator_->SetFirmwareFactory(
            [this](const sim::BusDevice& d, const sim::BusInterface& i,
                   const sim::BusCollection& c) { return devices_.HandlerFor(d, i, c); });
        simulator_->Start();
        simulator_->Plug("keyboard");
        simulator_->Plug("keyboard-receiver");
        transport_ = platform::MakeSimBusTransport((folder_ / "bus").string());
    }
    ~KeyboardBenchBus() {
        simulator_->Stop();
        std::filesystem::remove_all(folder_);
    }

    std::unique_ptr<devices::COrvaneKeyboardDevice> Open(bool receiver) {
        auto keyboard = std::make_unique<devices::COrvaneKeyboardDevice>(transport_.get());
        std::vector<std::string> paths;
        transport_->EnumeratePaths(paths);
        const std::string id = receiver ? "/keyboard-receiver-if1-col4#" : "/keyboard-if1-col4#";
        hid::CHidChannel& channel = keyboard->Channel();
        for (const std::string& path : paths) {
            if (path.find(id) == std::string::npos)
                continue;
            hid::CHidDevice& device = receiver ? channel.ReceiverDevice() : channel.CableDevice();
            if (device.Open(path, true, true, true, false)) {
                channel.SetOpen(true);
                channel.SetConnection(receiver ? hid::kConnectionReceiver : hid::kConnectionCable);
            }
        }
        keyboard->SetProfileBaseName("bench");
        keyboard->SetMessageSink([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
        return keyboard;
    }

    sim::firmware::SimulatedDevices& Devices() { return devices_; }

  private:
    std::filesystem::path folder_;
    sim::firmware::SimulatedDevices devices_;
    std::unique_ptr<sim::Simulator> simulator_;
    std::unique_ptr<platform::HidTransport> transport_;
};

KeyboardBenchBus& Bus() {
    static KeyboardBenchBus bus;
    return bus;
}

// Requests since the last call, and answer leads they cost: one each, and one more before
// an end (the device is given a moment after the last command of a group).
struct Counted {
    size_t packets = 0;
    size_t leads = 0;
};

Counted Count(sim::firmware::SimulatedDevices& devices) {
    Counted c;
    for (const auto& entry : devices.Log().Entries()) {
        if (!entry.request)
            continue;
        ++c.packets;
        c.leads += entry.bytes.size() > 3 && entry.bytes[3] == 0x02 ? 2 : 1;
    }
    devices.Log().Clear();
    return c;
}

void BM_KeyboardConnect(benchmark::State& state) {
    auto keyboard = Bus().Open(state.range(0) != 0);
    keyboard->LoadProfile();  // the profile file exists from the first run on
    Count(Bus().Devices());
    Clock::duration total{};
    for (auto _ : state) {
        const auto start = Clock::now();
        // ConnectDevice without its preview thread.
        keyboard->ReadDeviceData();
        keyboard->LoadProfile();
        keyboard->ReadSettingsBlock();
        keyboard->RefreshPanel();
        total += Clock::now() - start;
    }
    const Counted counted = Count(Bus().Devices());
    const double operations = static_cast<double>(state.iterations());
    const double ms = std::chrono::duration<double, std::milli>(total).count() / operations;
    const double floorMs = static_cast<double>(counted.leads) / operations * hid::kAnswerLeadMs;
    state.counters["packets"] = static_cast<double>(counted.packets) / operations;
    state.counters["ms_per_op"] = ms;
    state.counters["floor_ms"] = floorMs;
    state.counters["ratio"] = floorMs > 0 ? ms / floorMs : 0;
}
BENCHMARK(BM_KeyboardConnect)->Arg(0)->Arg(1)->Iterations(10)->Unit(benchmark::kMillisecond);

// The parts of the connect sequence, to see where time above the floor goes.
void BM_KeyboardConnectPart(benchmark::State& state) {
    auto keyboard = Bus().Open(false);
    keyboard->LoadProfile();
    Count(Bus().Devices());
    for (auto _ : state) {
        switch (state.range(0)) {
            case 0:
                keyboard->ReadDeviceData();
                break;
            case 1:
                keyboard->LoadProfile();
                break;
            case 2:
                keyboard->ReadSettingsBlock();
                break;
            default:
                keyboard->RefreshPanel();
                break;
        }
    }
    state.counters["packets"] = static_cast<double>(Count(Bus().Devices()).packets) /
                                static_cast<double>(state.iterations());
}
BENCHMARK(BM_KeyboardConnectPart)->DenseRange(0, 3)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
