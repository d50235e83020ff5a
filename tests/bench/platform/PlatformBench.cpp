// Costs of the platform services the program uses on every event: a log line, a registered
// message look-up, and a message or copy-data record through the session bus; and the parse
// of a large registry store, done under the store's cross-process lock.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/Event.h"
#include "platform/Log.h"
#include "platform/MessageBus.h"
#include "platform/MessageNames.h"
#include "platform/RegistryStore.h"

namespace {

// Each run works in a private session folder.
struct Session {
    Session() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "t418-bench-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        ::setenv("XDG_RUNTIME_DIR", (root + "/run").c_str(), 1);
        ::setenv("XDG_DATA_HOME", root.c_str(), 1);
        std::filesystem::create_directories(root + "/R207QX-ACE");
    }
    ~Session() { std::filesystem::remove_all(root); }
    std::string root;
};

void BM_LogLine(benchmark::State& state) {
    Session session;
    for (auto _ : state)
        platform::Log("Hid2_4GDeviceIsLink>0xAA    false");
}
BENCHMARK(BM_LogLine);

void BM_RegisterMessageFirstTime(benchmark::State& state) {
    Session session;
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::RegisterMessage("name " + std::to_string(n++)));
}
BENCHMARK(BM_RegisterMessageFirstTime)->Iterations(2000);

void BM_RegisterMessageAgain(benchmark::State& state) {
    Session session;
    platform::RegisterMessage("Game_Start");
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::RegisterMessage("Game_Start"));
}
BENCHMARK(BM_RegisterMessageAgain);

void BM_NameTableParse(benchmark::State& state) {
    platform::message_names::Table table;
    for (int i = 0; i < state.range(0); ++i)
        table.Add("WM_HOOK_KEY_MESSAGE_" + std::to_string(i));
    std::string text = table.Serialise();
    for (auto _ : state)
        benchmark::DoNotOptimize(table.Parse(text));
}
BENCHMARK(BM_NameTableParse)->Arg(30)->Arg(1000);

// A store of N keys with three values each (about 35 bytes a key), and one of a single key
// with N values: both were quadratic once.
void BM_RegistryStoreParse(benchmark::State& state) {
    platform::registry_store::Store store;
    for (int i = 0; i < state.range(0); ++i)
        store.keys.push_back({"SOFTWARE\\K" + std::to_string(i),
                              {{"a", uint32_t(1)}, {"B", std::string("x")}, {"c", uint32_t(3)}}});
    const std::string text = platform::registry_store::Serialise(store);
    platform::registry_store::Store back;
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::registry_store::Parse(text, back));
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_RegistryStoreParse)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_RegistryStoreParseOneKey(benchmark::State& state) {
    platform::registry_store::Store store;
    store.keys.push_back({"SOFTWARE\\Draxmoor T418-ZEN", {}});
    for (int i = 0; i < state.range(0); ++i)
        store.keys[0].values.push_back({"Value" + std::to_string(i), uint32_t(i)});
    const std::string text = platform::registry_store::Serialise(store);
    platform::registry_store::Store back;
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::registry_store::Parse(text, back));
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_RegistryStoreParseOneKey)->Arg(10000)->Unit(benchmark::kMillisecond);

// Post and wait until the receiving endpoint's handler has it.
void BM_PostRoundTrip(benchmark::State& state) {
    Session session;
    platform::Event arrived;
    auto endpoint =
        platform::JoinBus("T418-ZEN", [&](const platform::BusMessage&) { arrived.Set(); });
    for (auto _ : state) {
        platform::PostToWindow("T418-ZEN", 0xC000, 1, 0);
        arrived.Wait(1000);
    }
}
BENCHMARK(BM_PostRoundTrip);

void BM_CopyData(benchmark::State& state) {
    Session session;
    auto endpoint = platform::JoinBus("T418-ZEN", [](const platform::BusMessage&) {});
    std::string data(static_cast<size_t>(state.range(0)), 'c');
    for (auto _ : state)
        platform::SendCopyData("T418-ZEN", 10, data);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CopyData)->Arg(40)->Arg(65536);

}  // namespace

BENCHMARK_MAIN();
