#include "app/audio/AudioRules.h"

#include <algorithm>
#include <cmath>

namespace app::audio {
namespace {

uint32_t AudioRulesU32(std::string_view data, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(data[at + static_cast<size_t>(i)]);
    return v;
}

void AudioRulesPutU32(uint8_t* out, uint32_t value) {
    for (size_t b = 0; b < 4; ++b)
        out[b] = static_cast<uint8_t>((value >> (8 * b)) & 0xFF);
}

// Band k covers values [edges[k], edges[k + 1]): geometric from 1 to 500, each at least one
// value wide.
std::array<size_t, kBands + 1> AudioBandEdges() {
    std::array<size_t, kBands + 1> edges{};
    for (size_t k = 1; k <= kBands; ++k) {
        double edge = std::pow(static_cast<double>(kSpectrumValues),
                               static_cast<double>(k) / static_cast<double>(kBands));
        edges[k] = std::max(edges[k - 1] + 1, static_cast<size_t>(edge));
    }
    edges[kBands] = kSpectrumValues;
    return edges;
}

}  // namespace

std::string StatusKey(AudioState state) {
    return "music_status_" + std::to_string(static_cast<int>(state));
}

std::optional<SpectrumValues> DecodeSpectrum(std::string_view data) {
    if (data.size() != kSpectrumBytes)
        return std::nullopt;
    SpectrumValues values{};
    for (size_t i = 0; i < kSpectrumValues; ++i)
        values[i] = AudioRulesU32(data, i * 4);
    return values;
}

std::optional<std::array<uint8_t, kKeyboardBytes>> DecodeKeyboard(std::string_view data) {
    if (data.size() != kKeyboardBytes)
        return std::nullopt;
    std::array<uint8_t, kKeyboardBytes> bytes{};
    std::copy(data.begin(), data.end(), bytes.begin());
    return bytes;
}

std::optional<StateRecord> DecodeState(std::string_view data) {
    if (data.empty() || data.size() > 201)
        return std::nullopt;
    const auto state = static_cast<uint8_t>(data[0]);
    if (state > 3)
        return std::nullopt;
    return StateRecord{static_cast<AudioState>(state), std::string(data.substr(1))};
}

Bands SpectrumBands(const SpectrumValues& values) {
    static const std::array<size_t, kBands + 1> edges = AudioBandEdges();
    Bands bands{};
    for (size_t k = 0; k < kBands; ++k)
        bands[k] = *std::max_element(values.begin() + static_cast<long>(edges[k]),
                                     values.begin() + static_cast<long>(edges[k + 1]));
    return bands;
}

uint32_t KeyboardScale(uint32_t value) {
    return static_cast<uint32_t>(uint64_t{value} * kKeyboardFullScale / kGraphFullScale);
}

std::array<uint8_t, kBands * 4> BandBytes(const Bands& bands) {
    std::array<uint8_t, kBands * 4> bytes{};
    for (size_t k = 0; k < kBands; ++k)
        AudioRulesPutU32(&bytes[k * 4], KeyboardScale(bands[k]));
    return bytes;
}

std::array<uint8_t, kStyleColourBytes> StyleColourRecord(int red, int green, int blue) {
    std::array<uint8_t, kStyleColourBytes> record{};
    auto level = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 9)); };
    AudioRulesPutU32(&record[0], level(red));
    AudioRulesPutU32(&record[4], std::max<uint32_t>(level(green), 1));
    AudioRulesPutU32(&record[8], level(blue));
    return record;
}

bool RestartLimiter::Allow(uint64_t nowMs) {
    while (!times_.empty() && nowMs - times_.front() >= kRestartWindowMs)
        times_.pop_front();
    if (times_.size() >= kMaxRestarts)
        return false;
    times_.push_back(nowMs);
    return true;
}

}  // namespace app::audio
