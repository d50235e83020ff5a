// Exchange cost over the simulated bus. The protocol's own floor is the 10 ms the device is
// given before each answer is read; what matters is the overhead above it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "hid/HidChannel.h"
#include "hid/ResultCode.h"
#include "platform/HidTransport.h"
#include "sim/Simulator.h"
#include "sim/firmware/SimulatedDevices.h"

namespace {

using Clock = std::chrono::steady_clock;

class Bench {
  public:
    Bench() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("t418-proto-bench-" + std::to_string(std::random_device{}()));
        simulator_ = std::make_unique<sim::Simulator>(folder_.string());
        simulator_->SetFirmwareFactory(
            [this](const sim::BusDevice& d, const sim::BusInterface& i,
                   const sim::BusCollection& c) { return devices_.HandlerFor(d, i, c); });
        simulator_->Start();
        simulator_->Plug("mouse-cable");
        simulator_->Plug("mouse-receiver");
        transport_ = platform::MakeSimBusTransport(folder_.string());
    }
    ~Bench() {
        simulator_->Stop();
        std::filesystem::remove_all(folder_);
    }

    std::unique_ptr<hid::CHidChannel> Open(bool receiver) {
        std::vector<std::string> paths;
        transport_->EnumeratePaths(paths);
        const std::string id = receiver ? "/mouse-receiver-if1-col2#" : "/mouse-cable-if1-col2#";
        auto channel = std::make_unique<hid::CHidChannel>(transport_.get());
        for (const std::string& path : paths) {
            if (path.find(id) == std::string::npos)
                continue;
            hid::CHidDevice& device = receiver ? channel->ReceiverDevice() : channel->CableDevice();
            if (device.Open(path, true, true, true, false)) {
                channel->SetOpen(true);
                channel->SetConnection(receiver ? hid::kConnectionReceiver : hid::kConnectionCable);
            }
        }
        return channel;
    }

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

// Reports milliseconds per operation, the overhead above the floor per exchange and the ratio
// measured / floor.
void Report(benchmark::State& state, Clock::duration total, int exchangesPerOperation) {
    const double operations = static_cast<double>(state.iterations());
    const double msPerOperation =
        std::chrono::duration<double, std::milli>(total).count() / operations;
    const double floorMs = exchangesPerOperation * static_cast<double>(hid::kAnswerLeadMs);
    state.counters["ms_per_op"] = msPerOperation;
    state.counters["floor_ms"] = floorMs;
    state.counters["overhead_ms_per_exchange"] = (msPerOperation - floorMs) / exchangesPerOperation;
    state.counters["ratio_to_floor"] = msPerOperation / floorMs;
}

// The bare 10 ms wait on this machine: what the scheduler adds to any sleep, so the exchange
// overhead can be told apart from the machine's load.
void BM_BareLead(benchmark::State& state) {
    Clock::duration total{};
    for (auto _ : state) {
        const auto start = Clock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(hid::kAnswerLeadMs));
        total += Clock::now() - start;
    }
    Report(state, total, 1);
}

void BM_ExchangeCable(benchmark::State& state) {
    auto channel = Shared().Open(false);
    Clock::duration total{};
    for (auto _ : state) {
        const auto start = Clock::now();
        if (channel->BeginTransaction() != hid::kResultOk)
            state.SkipWithError("exchange failed");
        total += Clock::now() - start;
    }
    Report(state, total, 1);
}

void BM_ExchangeReceiver(benchmark::State& state) {
    auto channel = Shared().Open(true);
    Clock::duration total{};
    for (auto _ : state) {
        const auto start = Clock::now();
        if (channel->BeginTransaction() != hid::kResultOk)
            state.SkipWithError("exchange failed");
        total += Clock::now() - start;
    }
    Report(state, total, 1);
}

// One 87-byte settings block over the cable: two packets (56 + 31).
void BM_SettingsBlockCable(benchmark::State& state) {
    auto channel = Shared().Open(false);
    std::vector<uint8_t> block(87);
    Clock::duration total{};
    for (auto _ : state) {
        const auto start = Clock::now();
        if (channel->ReadMemory(block.data(), block.size(), 128) != hid::kResultOk)
            state.SkipWithError("read failed");
        total += Clock::now() - start;
    }
    Report(state, total, 2);
}

// The same block through the receiver: four packets of at most 24 bytes.
void BM_SettingsBlockReceiver(benchmark::State& state) {
    auto channel = Shared().Open(true);
    std::vector<uint8_t> block(87);
    Clock::duration total{};
    for (auto _ : state) {
        const auto start = Clock::now();
        if (channel->ReadMemory(block.data(), block.size(), 128) != hid::kResultOk)
            state.SkipWithError("read failed");
        total += Clock::now() - start;
    }
    Report(state, total, 4);
}

BENCHMARK(BM_BareLead)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);
BENCHMARK(BM_ExchangeCable)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);
BENCHMARK(BM_ExchangeReceiver)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);
BENCHMARK(BM_SettingsBlockCable)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(100);
BENCHMARK(BM_SettingsBlockReceiver)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

}  // namespace

BENCHMARK_MAIN();
