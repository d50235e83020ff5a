#include "FrequencyBins.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zenaudio {

bool Fft(std::vector<std::complex<float>>& data) {
    const size_t n = data.size();
    if (n < 2 || (n & (n - 1)) != 0)
        return false;
    // Bit-reversed order, then butterflies of growing span.
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(data[i], data[j]);
    }
    for (size_t span = 2; span <= n; span <<= 1) {
        const double angle = -2.0 * std::numbers::pi / static_cast<double>(span);
        const std::complex<float> step(static_cast<float>(std::cos(angle)),
                                       static_cast<float>(std::sin(angle)));
        for (size_t start = 0; start < n; start += span) {
            std::complex<float> twiddle(1.0f, 0.0f);
            for (size_t k = 0; k < span / 2; ++k) {
                std::complex<float> even = data[start + k];
                std::complex<float> odd = data[start + k + span / 2] * twiddle;
                data[start + k] = even + odd;
                data[start + k + span / 2] = even - odd;
                twiddle *= step;
            }
        }
    }
    return true;
}

SpectrumAnalyser::SpectrumAnalyser() : buffer_(kFrameSamples) {
    for (size_t i = 0; i < kFrameSamples; ++i)
        window_[i] = static_cast<float>(
            0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) /
                                 static_cast<double>(kFrameSamples)));
}

Spectrum SpectrumAnalyser::Analyse(const float* samples) {
    for (size_t i = 0; i < kFrameSamples; ++i) {
        float s = std::isfinite(samples[i]) ? std::clamp(samples[i], -1.0f, 1.0f) : 0.0f;
        buffer_[i] = {s * window_[i], 0.0f};
    }
    Fft(buffer_);
    // A sine of amplitude A on a bin gives A * N / 4 through the Hann window.
    constexpr float kScale = 4.0f * static_cast<float>(kFullScale) / kFrameSamples;
    Spectrum out{};
    for (size_t i = 0; i < kSpectrumValues; ++i) {
        float magnitude = std::abs(buffer_[i + 1]) * kScale;
        out[i] = static_cast<uint32_t>(std::min(magnitude + 0.5f, 65535.0f));
    }
    return out;
}

namespace {

uint8_t ZenAudioByteOf(uint32_t value) {
    return static_cast<uint8_t>(std::min<uint64_t>(uint64_t{value} * 255 / kFullScale, 255));
}

uint32_t ZenAudioPeak(const Spectrum& spectrum, size_t first, size_t end) {
    uint32_t peak = 0;
    for (size_t i = first; i < end && i < spectrum.size(); ++i)
        peak = std::max(peak, spectrum[i]);
    return peak;
}

}  // namespace

std::array<uint8_t, 6> KeyboardRecord(const Spectrum& spectrum, const StyleColour& colour,
                                      const Gains& gains) {
    // Value i is bin i + 1: 250 Hz is below value 5, 4 kHz below value 92.
    const uint32_t low = ZenAudioPeak(spectrum, 0, 5);
    const uint32_t mid = ZenAudioPeak(spectrum, 5, 92);
    const uint32_t high = ZenAudioPeak(spectrum, 92, kSpectrumValues);
    const uint64_t loud = std::min<uint32_t>(std::max({low, mid, high}), kFullScale);
    auto channel = [loud](uint32_t style, int gain) {
        uint64_t base = uint64_t{std::min<uint32_t>(style, 9)} * 255 / 9;
        uint64_t g = static_cast<uint64_t>(std::clamp(gain, 0, 100));
        return static_cast<uint8_t>(base * loud / kFullScale * g / 100);
    };
    return {channel(colour.red, gains.red),
            channel(colour.green, gains.green),
            channel(colour.blue, gains.blue),
            ZenAudioByteOf(low),
            ZenAudioByteOf(mid),
            ZenAudioByteOf(high)};
}

}  // namespace zenaudio
