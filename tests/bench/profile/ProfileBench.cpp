// What a settings change costs on the profile side: parse, unpack, pack, format, store.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/FileIO.h"
#include "profile/JsonFile.h"
#include "profile/MouseProfiledata.h"

namespace {

std::string FactoryText() {
    std::string text;
    platform::ReadWholeFile(std::string(T418_FACTORY_DATA_DIR) + "/mouse.Json", text);
    return text;
}

void BM_ParseMouseProfile(benchmark::State& state) {
    std::string text = FactoryText();
    for (auto _ : state) {
        Json::Value root;
        benchmark::DoNotOptimize(profile::ParseJsonText(text, root));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_UnpackAndPackRecords(benchmark::State& state) {
    Json::Value root;
    profile::ParseJsonText(FactoryText(), root);
    profile::CMouseProfiledata mouse;
    mouse.SetDocument(root["Device"][0]);
    for (auto _ : state) {
        auto stages = mouse.GetDpiStages();
        auto keys = mouse.GetKeyList();
        auto system = mouse.GetSystemRecord();
        mouse.SetDpiStages(stages);
        mouse.SetKeyList(keys);
        mouse.SetSystemRecord(system);
    }
}

void BM_FormatMouseProfile(benchmark::State& state) {
    Json::Value root;
    profile::ParseJsonText(FactoryText(), root);
    for (auto _ : state)
        benchmark::DoNotOptimize(profile::StyledJsonText(root));
}

// The whole store of one settings change: read the file, replace the document, write it
// atomically (with its flush to disk).
void BM_SaveMouseProfile(benchmark::State& state) {
    auto dir = std::filesystem::temp_directory_path() / "t418-profile-bench";
    std::filesystem::create_directories(dir);
    std::string file = (dir / "p.Json").string();
    profile::CMouseProfiledata mouse;
    mouse.SetDefaultDocumentPath(std::string(T418_FACTORY_DATA_DIR) + "/mouse.Json");
    mouse.SetProfilePath(file);
    mouse.LoadDocument(file);
    for (auto _ : state)
        benchmark::DoNotOptimize(mouse.Save());
    std::filesystem::remove_all(dir);
}

BENCHMARK(BM_ParseMouseProfile);
BENCHMARK(BM_UnpackAndPackRecords);
BENCHMARK(BM_FormatMouseProfile);
BENCHMARK(BM_SaveMouseProfile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
