// Cost of a scan pass with every slot free and 50 interfaces no row matches, on the simulated
// bus and on a fake hidraw tree, and the CPU share of the idle scan thread.
#include <benchmark/benchmark.h>

#include <time.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "hid/DeviceScanThread.h"
#include "hid/DeviceSlotList.h"
#include "platform/linux/HidrawTransport.h"
#include "sim/BusDevices.h"
#include "sim/SimBus.h"

namespace {

namespace fs = std::filesystem;

class NullReporter : public hid::ScanReporter {
  public:
    void Send(uint32_t, uintptr_t, intptr_t) override {}
    void Post(uint32_t, uintptr_t, intptr_t) override {}
};

std::string TempFolder(const char* name) {
    std::string pattern = std::string("/tmp/") + name + "XXXXXX";
    return mkdtemp(pattern.data());
}

// Collections of keyboards from another vendor.
void PublishForeign(sim::SimBus& bus, int count) {
    const auto& descriptor = sim::FindBusDevice("pad")->interfaces[1].reportDescriptor;
    for (int i = 0; i < count; ++i) {
        sim::BusEntry entry{0x1234, static_cast<uint16_t>(0x100 + i), 1, 0, 1, descriptor};
        bus.Publish("foreign" + std::to_string(i), entry, nullptr);
    }
}

void BM_ScanPassSimBus(benchmark::State& state) {
    std::string folder = TempFolder("t418bench");
    sim::SimBus bus(folder);
    bus.Start();
    PublishForeign(bus, 50);
    auto transport = platform::MakeSimBusTransport(folder);
    hid::DeviceSlotList slots;
    slots.FillFromMatchTable();
    NullReporter reporter;
    hid::DeviceScanThread scanner(slots, reporter, 0, transport.get());
    for (auto _ : state)
        benchmark::DoNotOptimize(scanner.RunPass());
    bus.Stop();
    fs::remove_all(folder);
}
BENCHMARK(BM_ScanPassSimBus)->Unit(benchmark::kMicrosecond);

void BM_ScanPassHidraw(benchmark::State& state) {
    fs::path root = TempFolder("t418benchsys");
    const auto& descriptor = sim::FindBusDevice("pad")->interfaces[1].reportDescriptor;
    for (int i = 0; i < 50; ++i) {
        std::string node = "hidraw" + std::to_string(i);
        char instance[32];
        std::snprintf(instance, sizeof instance, "0003:1234:%04X.%04X", 0x100 + i, i + 1);
        fs::path device = root / "devices" / ("1-" + std::to_string(i) + ":1.0") / instance;
        fs::create_directories(device);
        std::ofstream(device / "uevent")
            << "HID_ID=0003:00001234:0000" << std::hex << 0x100 + i << "\n";
        std::ofstream(device / "report_descriptor", std::ios::binary)
            .write(reinterpret_cast<const char*>(descriptor.data()), descriptor.size());
        std::ofstream(device.parent_path() / "bInterfaceNumber") << "00\n";
        fs::create_directories(root / "class" / node);
        fs::create_symlink(fs::relative(device, root / "class" / node),
                           root / "class" / node / "device");
    }
    auto transport = platform::MakeHidrawTransport(root / "class", root / "dev");
    hid::DeviceSlotList slots;
    slots.FillFromMatchTable();
    NullReporter reporter;
    hid::DeviceScanThread scanner(slots, reporter, 0, transport.get());
    for (auto _ : state)
        benchmark::DoNotOptimize(scanner.RunPass());
    fs::remove_all(root);
}
BENCHMARK(BM_ScanPassHidraw)->Unit(benchmark::kMicrosecond);

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// The scan thread at its 100 ms rhythm for 3 s after its first pass, with every slot free and
// 0 or 50 foreign collections: CPU share of one core (the simulator idles: nothing is opened).
void BM_IdleScanThreadCpuShare(benchmark::State& state) {
    std::string folder = TempFolder("t418idle");
    sim::SimBus bus(folder);
    bus.Start();
    PublishForeign(bus, static_cast<int>(state.range(0)));
    auto transport = platform::MakeSimBusTransport(folder);
    hid::DeviceSlotList slots;
    slots.FillFromMatchTable();
    NullReporter reporter;
    for (auto _ : state) {
        hid::DeviceScanThread scanner(slots, reporter, 0, transport.get());
        scanner.RunPass();  // the first pass reads every device.json once
        double cpuBefore = ProcessCpuSeconds();
        auto wallBefore = std::chrono::steady_clock::now();
        scanner.Start();
        std::this_thread::sleep_for(std::chrono::seconds(3));
        scanner.Stop(5000);
        double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        state.counters["cpu_percent"] = 100.0 * (ProcessCpuSeconds() - cpuBefore) / wall;
        state.counters["passes"] = scanner.PassesDone();
    }
    bus.Stop();
    fs::remove_all(folder);
}
BENCHMARK(BM_IdleScanThreadCpuShare)->Arg(0)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
