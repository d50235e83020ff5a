// What the program watcher costs with 500 processes running: a look in the steady state (a
// directory listing, every process known and old) and the first look (every process read).
// The watcher looks every 2 s: a look's CPU time / 2 s is its share of a core.
#include <benchmark/benchmark.h>
#include <dirent.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/linux/ProcessScan.h"

namespace {

constexpr size_t kWatchBenchProcesses = 500;

size_t WatchBenchProcessCount() {
    size_t count = 0;
    if (DIR* dir = ::opendir("/proc")) {
        while (const dirent* entry = ::readdir(dir))
            count += entry->d_name[0] >= '1' && entry->d_name[0] <= '9' ? 1 : 0;
        ::closedir(dir);
    }
    return count;
}

// Sleepers started until /proc lists 500 processes; ended with the object.
struct WatchBenchCrowd {
    WatchBenchCrowd() {
        while (WatchBenchProcessCount() < kWatchBenchProcesses) {
            auto child = platform::StartProcess("sleep", {"300"});
            if (!child)
                break;
            children.push_back(std::move(child));
        }
    }
    ~WatchBenchCrowd() {
        for (auto& child : children)
            child->Kill();
        for (auto& child : children)
            child->Wait(1000);
    }
    std::vector<std::unique_ptr<platform::ChildProcess>> children;
};

void BM_WatcherSteadyLook(benchmark::State& state) {
    WatchBenchCrowd crowd;
    platform::linux_proc::ProcessScan scan;
    scan.Look(0);
    uint64_t now = platform::linux_proc::ProcessScan::kYoungMs + 1;
    scan.Look(now);  // every process old now
    for (auto _ : state)
        benchmark::DoNotOptimize(scan.Look(++now));
    state.counters["processes"] = static_cast<double>(scan.LastEntries());
    state.counters["reads"] = static_cast<double>(scan.LastReads());
}
BENCHMARK(BM_WatcherSteadyLook)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_WatcherFirstLook(benchmark::State& state) {
    WatchBenchCrowd crowd;
    size_t reads = 0;
    for (auto _ : state) {
        platform::linux_proc::ProcessScan scan;
        benchmark::DoNotOptimize(scan.Look(0));
        reads = scan.LastReads();
    }
    state.counters["reads"] = static_cast<double>(reads);
}
BENCHMARK(BM_WatcherFirstLook)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

}  // namespace
