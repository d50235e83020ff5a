// The shoot sets' costs: the upload of four complete sets over the simulated bus on the cable
// and through the receiver, against the floor of the 10 ms the device is given before each
// answer (goal: at most 1.1 times the floor); and one bullet read from its file and parsed, the
// file part of showing a bullet (goal: well under 2 ms).
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
#include "panels/shoot/ShootFiles.h"
#include "platform/Folders.h"
#include "platform/HidTransport.h"
#include "sim/Simulator.h"
#include "sim/firmware/SimulatedDevices.h"

namespace {

using Clock = std::chrono::steady_clock;

class ShootBenchBus {
  public:
    ShootBenchBus() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("t418-shoot-bench-" + std::to_string(std::random_device{}()));
        ::setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
        ::setenv("T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR, 1);
        simulator_ = std::make_unique<sim::Simulator>((folder_ / "bus").string());
        simulator_->SetFirmwareFactory(
            [this](const sim::BusDevice& d, const sim::BusInterface& i,
                   const sim::BusCollection& c) { return devices_.HandlerFor(d, i, c); });
        simulator_->Start();
        simulator_->Plug("mouse-cable");
        simulator_->Plug("mouse-receiver");
        transport_ = platform::MakeSimBusTransport((folder_ / "bus").string());
        panels::shoot::EnsureUserSets(UserFolder(), platform::DefaultDataFolder());
    }
    ~ShootBenchBus() {
        simulator_->Stop();
        std::filesystem::remove_all(folder_);
    }

    std::string UserFolder() const { return platform::DeviceDataFolder("mouse"); }

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
        mouse->SetDataFolderName("mouse");
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

ShootBenchBus& SharedShootBus() {
    static ShootBenchBus bus;
    return bus;
}

struct ShootTraffic {
    size_t leads = 0;    // answer leads: one a request, one more before an end
    size_t packets = 0;  // shoot-block chunks
};

ShootTraffic TakeShootTraffic(sim::firmware::SimulatedDevices& devices) {
    ShootTraffic traffic;
    for (const auto& entry : devices.Log().Entries()) {
        if (!entry.request || entry.bytes.size() <= 3)
            continue;
        traffic.leads += entry.bytes[3] == 0x02 ? 2 : 1;
        traffic.packets += entry.bytes[3] == 0x17 ? 1 : 0;
    }
    devices.Log().Clear();
    return traffic;
}

void BM_UploadFourSets(benchmark::State& state) {
    ShootBenchBus& bus = SharedShootBus();
    auto mouse = bus.Open(state.range(0) != 0);
    TakeShootTraffic(bus.Devices());
    Clock::duration total{};
    int failed = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        failed += mouse->WriteShootData() == 1 ? 0 : 1;
        total += Clock::now() - start;
    }
    const ShootTraffic traffic = TakeShootTraffic(bus.Devices());
    const double runs = static_cast<double>(state.iterations());
    const double ms = std::chrono::duration<double, std::milli>(total).count() / runs;
    const double floorMs = static_cast<double>(traffic.leads) / runs * hid::kAnswerLeadMs;
    state.counters["packets_0x17"] = static_cast<double>(traffic.packets) / runs;
    state.counters["leads"] = static_cast<double>(traffic.leads) / runs;
    state.counters["ms_per_op"] = ms;
    state.counters["floor_ms"] = floorMs;
    state.counters["ratio"] = floorMs > 0 ? ms / floorMs : 0;
    state.counters["failed"] = failed;
}
BENCHMARK(BM_UploadFourSets)->Arg(0)->Arg(1)->Iterations(10)->Unit(benchmark::kMillisecond);

// What a bullet view costs before the controls: the file read whole, parsed and checked, and
// the bullet's values taken out of it.
void BM_ReadBulletFromFile(benchmark::State& state) {
    const std::string path = SharedShootBus().UserFolder() + panels::shoot::SetFileName(3);
    int bullet = 0;
    for (auto _ : state) {
        const panels::shoot::SetDocument document = panels::shoot::LoadSet(path);
        benchmark::DoNotOptimize(panels::shoot::ReadBullet(document.root, bullet));
        bullet = (bullet + 1) % panels::shoot::kBulletCount;
    }
}
BENCHMARK(BM_ReadBulletFromFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
