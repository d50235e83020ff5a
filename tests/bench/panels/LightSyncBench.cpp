// The light synchronisation thread's share of a core: idle (no device paused: one look a
// second) and playing each shared effect on two paused devices of 15 LEDs (a pass every
// millisecond). Each run lets the thread work for one second of wall time and reports the
// process's CPU time over it as cpu_percent (goal: idle near 0, playing under 2 %).
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <memory>
#include <thread>

#include "devices/OrvaneUSBDevice.h"
#include "panels/sync/LightSync.h"

namespace {

// A device whose channel counts as open, so that the thread plays on it when it is paused.
class SyncBenchDevice : public devices::COrvaneUSBDevice {
  public:
    explicit SyncBenchDevice(bool paused) {
        Channel().SetOpen(true);
        Channel().SetHold(paused ? 1 : 0);
        SetLedCount(15);
    }
    ~SyncBenchDevice() override { Channel().SetOpen(false); }
};

double ProcessCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void RunSyncThread(benchmark::State& state, bool paused, panels::sync::SharedEffect effect) {
    SyncBenchDevice first(paused), second(paused);
    auto shared = std::make_shared<panels::sync::LightSyncShared>();
    panels::sync::SyncParams params;
    params.effect = effect;
    params.brightness = 4;
    params.speed = 4;
    params.multiColour = 1;
    shared->SetParams(params);
    shared->SetDevices({&first, &second});
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        panels::sync::LightSyncThread thread(shared);
        const double cpuStart = ProcessCpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        thread.Start();
        std::this_thread::sleep_for(std::chrono::seconds(1));
        thread.Stop(1000);
        cpu += ProcessCpuSeconds() - cpuStart;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    }
    state.counters["cpu_percent"] = wall > 0 ? 100.0 * cpu / wall : 0;
}

void BM_SyncIdle(benchmark::State& state) {
    RunSyncThread(state, false, panels::sync::SharedEffect::Static);
}
void BM_SyncTwoPausedBreathing(benchmark::State& state) {
    RunSyncThread(state, true, panels::sync::SharedEffect::Breathing);
}
void BM_SyncTwoPausedCycle(benchmark::State& state) {
    RunSyncThread(state, true, panels::sync::SharedEffect::Cycle);
}

BENCHMARK(BM_SyncIdle)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SyncTwoPausedBreathing)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SyncTwoPausedCycle)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
