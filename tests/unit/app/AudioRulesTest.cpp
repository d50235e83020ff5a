// The program's rules for the audio-capture process: records checked before use, the 25
// bands, the style-colour record, the restart limit, the style colour read from the audio
// file, and the watchdog's start and stop.
#include <gtest/gtest.h>
#include <json/json.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "app/audio/AudioRules.h"
#include "app/audio/AudioStyleFile.h"
#include "app/audio/AudioWatchdog.h"

namespace app::audio {
namespace {

std::string AudioTestRecord(const SpectrumValues& values) {
    std::string bytes(kSpectrumBytes, '\0');
    for (size_t i = 0; i < values.size(); ++i)
        for (size_t b = 0; b < 4; ++b)
            bytes[i * 4 + b] = static_cast<char>(values[i] >> (8 * b));
    return bytes;
}

TEST(AudioRecords, OnlyExactSizesAndKnownStatesAreTaken) {
    SpectrumValues values{};
    values[22] = 0x01020304;
    std::string record = AudioTestRecord(values);
    ASSERT_TRUE(DecodeSpectrum(record));
    EXPECT_EQ((*DecodeSpectrum(record))[22], 0x01020304u);
    EXPECT_FALSE(DecodeSpectrum(record + "x")) << "longer than 500 values";
    EXPECT_FALSE(DecodeSpectrum(record.substr(0, 1999)));
    EXPECT_FALSE(DecodeSpectrum(""));

    EXPECT_TRUE(DecodeKeyboard(std::string(6, '\x7f')));
    EXPECT_FALSE(DecodeKeyboard(std::string(5, '\0')));
    EXPECT_FALSE(DecodeKeyboard(std::string(7, '\0')));

    auto state = DecodeState(std::string("\x03") + "test tone");
    ASSERT_TRUE(state);
    EXPECT_EQ(state->state, AudioState::TestSource);
    EXPECT_EQ(state->text, "test tone");
    EXPECT_FALSE(DecodeState(std::string("\x04")));  // the program's own states are not taken
    EXPECT_FALSE(DecodeState(""));
    EXPECT_FALSE(DecodeState(std::string(1, '\0') + std::string(201, 'a')));
    EXPECT_EQ(StatusKey(AudioState::NoServer), "music_status_1");
}

TEST(AudioBands, LogSpacedBandsCoverEveryValueOnce) {
    // A single strong value shows in exactly one band; moving it up never moves the band down.
    size_t lastBand = 0;
    for (size_t i = 0; i < kSpectrumValues; ++i) {
        SpectrumValues values{};
        values[i] = 8192;
        Bands bands = SpectrumBands(values);
        size_t hits = 0, band = 0;
        for (size_t k = 0; k < kBands; ++k)
            if (bands[k] == 8192) {
                ++hits;
                band = k;
            }
        ASSERT_EQ(hits, 1u) << i;
        EXPECT_GE(band, lastBand) << i;
        lastBand = band;
    }
    EXPECT_EQ(lastBand, kBands - 1);
    // Log spacing: the lowest bands are one value wide, the top one holds many.
    SpectrumValues low{};
    low[0] = 100;
    low[1] = 200;
    Bands b = SpectrumBands(low);
    EXPECT_EQ(b[0], 100u);
    EXPECT_EQ(b[1], 200u);
}

TEST(AudioBands, KeyboardScaleAndBytes) {
    EXPECT_EQ(KeyboardScale(8192), 2000u);
    EXPECT_EQ(KeyboardScale(0), 0u);
    EXPECT_EQ(KeyboardScale(0xFFFFFFFFu), static_cast<uint32_t>(0xFFFFFFFFull * 2000 / 8192))
        << "no 32-bit overflow";
    Bands bands{};
    bands[24] = 4096;
    auto bytes = BandBytes(bands);
    EXPECT_EQ(bytes[96] | (bytes[97] << 8), 1000);
}

TEST(AudioStyleColour, GreenZeroIsSentAsOneAndColoursAreClamped) {
    auto record = StyleColourRecord(12, 0, -3);
    EXPECT_EQ(record.size(), 40u);
    EXPECT_EQ(record[0], 9);
    EXPECT_EQ(record[4], 1);
    EXPECT_EQ(record[8], 0);
    for (size_t i = 12; i < record.size(); ++i)
        EXPECT_EQ(record[i], 0) << i;

    Json::Value root;
    Json::Value& info = root["Device"]["AudioLightInfo"];
    info["nAudioStyle"] = 2;
    info["nStyleR2"] = 4;
    info["nStyleG2"] = 200;
    info["nStyleB2"] = 7;
    EXPECT_EQ(StyleColourOf(root), (std::array<int, 3>{4, 9, 7}));
    info["nAudioStyle"] = 7;  // outside 0-3: style 0
    info["nStyleR0"] = 3;
    EXPECT_EQ(StyleColourOf(root), (std::array<int, 3>{3, 0, 0}));
    EXPECT_EQ(StyleColourOf(Json::Value(Json::arrayValue)), (std::array<int, 3>{0, 0, 0}));
}

TEST(AudioRestarts, AtMostThreeWithinAMinute) {
    RestartLimiter limiter;
    EXPECT_TRUE(limiter.Allow(1000));
    EXPECT_TRUE(limiter.Allow(2000));
    EXPECT_TRUE(limiter.Allow(30000));
    EXPECT_FALSE(limiter.Allow(60999));
    EXPECT_TRUE(limiter.Allow(61000)) << "the first has left the minute";
    EXPECT_FALSE(limiter.Allow(61500));
}

TEST(AudioWatchdog, StartsAndStopsAHundredTimesEachWithinASecond) {
    std::atomic<int> probes{0};
    for (int i = 0; i < 100; ++i) {
        AudioWatchdog watchdog([](bool) {},
                               [&] {
                                   ++probes;
                                   return true;
                               });
        ASSERT_TRUE(watchdog.Start());
        const auto start = std::chrono::steady_clock::now();
        watchdog.RequestStop();
        ASSERT_TRUE(watchdog.Join(1000)) << i;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    }
    EXPECT_EQ(probes.load(), 0) << "each stop came before the first pass ended";
}

TEST(AudioWatchdog, ReportsTheFirstProbeAndEveryChange) {
    std::atomic<int> pass{0};
    std::vector<bool> seen;
    std::mutex lock;
    AudioWatchdog watchdog(
        [&](bool held) {
            std::lock_guard<std::mutex> guard(lock);
            seen.push_back(held);
        },
        [&] { return ++pass != 2; }, 20, 10);  // held, gone, held, held
    ASSERT_TRUE(watchdog.Start());
    while (pass.load() < 4)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    watchdog.RequestStop();
    ASSERT_TRUE(watchdog.Join(1000));
    std::lock_guard<std::mutex> guard(lock);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
}

}  // namespace
}  // namespace app::audio
