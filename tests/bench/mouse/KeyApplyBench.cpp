// The key page's apply sequence (macros in use, key map, profile) over the simulated bus, on the
// cable and through the receiver, with no macro in use and with two macros of 60 events. The
// floor is the 10 ms the device is given before each answer, and once more before each end of
// a transaction; the goal is a run within 1.1 x the floor.
#include <benchmark/benchmark.h>
#include <json/value.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "hid/HidChannel.h"
#include "panels/keys/KeyApply.h"
#include "platform/HidTransport.h"
#include "profile/JsonFile.h"
#include "sim/Simulator.h"
#include "sim/firmware/SimulatedDevices.h"
#include "tests/integration/mouse/TestMacros.h"

namespace {

using ApplyClock = std::chrono::steady_clock;

constexpr uint8_t kApplyEndCode = 0x02;  // the end of a transaction: one more lead before it
constexpr int kApplyMacroEvents = 60;    // the most a macro may hold

class KeyApplyRig {
  public:
    KeyApplyRig() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("t418-key-apply-bench-" + std::to_string(std::random_device{}()));
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
    }
    ~KeyApplyRig() {
        simulator_->Stop();
        std::filesystem::remove_all(folder_);
    }

    // A mouse connected as the program connects it: information block and key table read,
    // the profile loaded, macros of the given event counts in the user folder.
    std::unique_ptr<devices::COrvaneMouseDevice> Connect(bool receiver,
                                                         const std::vector<int>& macroEvents) {
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
        mouse->SetProfileBaseName("bench");
        mouse->SetMessageSink([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
        WriteMacros(mouse->GetUserDataFolder(), macroEvents);
        mouse->ReadDeviceData();
        mouse->LoadProfile();
        mouse->LoadNameLists();
        // Keys 2, 3, ... play macros 0, 1, ...
        std::vector<profile::KeyRecord> records = mouse->GetKeyRecords();
        for (size_t m = 0; m < macroEvents.size() && 2 + m < records.size(); ++m) {
            profile::KeyAssignment& a = records[2 + m].current;
            a.type = 0x70;
            a.param1 = static_cast<uint8_t>(m);
            a.param2 = 0;
        }
        mouse->SetKeyRecords(records);
        return mouse;
    }

    sim::firmware::SimulatedDevices& Devices() { return devices_; }

  private:
    static void WriteMacros(const std::string& userFolder, const std::vector<int>& eventCounts) {
        t418test::WriteTestMacros(userFolder, eventCounts, "bench");
    }

    std::filesystem::path folder_;
    sim::firmware::SimulatedDevices devices_;
    std::unique_ptr<sim::Simulator> simulator_;
    std::unique_ptr<platform::HidTransport> transport_;
};

KeyApplyRig& SharedKeyApplyRig() {
    static KeyApplyRig rig;
    return rig;
}

struct ApplyExchanges {
    size_t requests = 0;
    size_t leads = 0;  // requests, and one more before each end
};

ApplyExchanges TakeApplyExchanges(sim::firmware::SimulatedDevices& devices) {
    ApplyExchanges n;
    for (const auto& entry : devices.Log().Entries()) {
        if (!entry.request)
            continue;
        ++n.requests;
        n.leads += entry.bytes.size() > 3 && entry.bytes[3] == kApplyEndCode ? 2 : 1;
    }
    devices.Log().Clear();
    return n;
}

// Args: receiver (0 cable, 1 receiver), macros in use (0 or 2, of 60 events each).
void BM_ApplyKeys(benchmark::State& state) {
    const bool receiver = state.range(0) != 0;
    const std::vector<int> macros(static_cast<size_t>(state.range(1)), kApplyMacroEvents);
    KeyApplyRig& rig = SharedKeyApplyRig();
    auto mouse = rig.Connect(receiver, macros);
    TakeApplyExchanges(rig.Devices());
    ApplyClock::duration total{};
    for (auto _ : state) {
        const auto start = ApplyClock::now();
        const panels::keys::ApplyOutcome outcome = panels::keys::ApplyKeysToDevice(*mouse);
        total += ApplyClock::now() - start;
        if (outcome.macroResult != 0 || outcome.keyMapResult != 1 ||
            outcome.used.size() != macros.size()) {
            state.SkipWithError("the apply sequence failed");
            break;
        }
    }
    const ApplyExchanges exchanges = TakeApplyExchanges(rig.Devices());
    const double runs = static_cast<double>(state.iterations());
    const double ms = std::chrono::duration<double, std::milli>(total).count() / runs;
    const double floorMs = static_cast<double>(exchanges.leads) / runs * hid::kAnswerLeadMs;
    state.counters["requests"] = static_cast<double>(exchanges.requests) / runs;
    state.counters["leads"] = static_cast<double>(exchanges.leads) / runs;
    state.counters["ms_per_op"] = ms;
    state.counters["floor_ms"] = floorMs;
    state.counters["ratio"] = floorMs > 0 ? ms / floorMs : 0;
}
BENCHMARK(BM_ApplyKeys)
    ->ArgNames({"receiver", "macros"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 2})
    ->Args({1, 2})
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
