// The music light's analysis: the FFT against a direct transform, the scale of the 500
// values, and the keyboard record.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "FrequencyBins.h"

namespace zenaudio {
namespace {

std::vector<float> SpectrumTestSine(double hz, double amplitude) {
    std::vector<float> s(kFrameSamples);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * hz *
                                                       static_cast<double>(i) / kSampleRate));
    return s;
}

TEST(Fft, MatchesTheDirectTransform) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::vector<std::complex<float>> data(64);
    for (auto& d : data)
        d = {value(random), value(random)};
    const auto input = data;
    ASSERT_TRUE(Fft(data));
    for (size_t k = 0; k < data.size(); ++k) {
        std::complex<double> sum;
        for (size_t n = 0; n < input.size(); ++n)
            sum += std::complex<double>(input[n]) *
                   std::polar(1.0, -2.0 * std::numbers::pi * static_cast<double>(k * n) / 64.0);
        EXPECT_NEAR(data[k].real(), sum.real(), 1e-3) << k;
        EXPECT_NEAR(data[k].imag(), sum.imag(), 1e-3) << k;
    }
    std::vector<std::complex<float>> odd(48);
    EXPECT_FALSE(Fft(odd)) << "not a power of two";
}

TEST(SpectrumScale, AFullScaleSineOnABinReads8192AtValueBinMinusOne) {
    SpectrumAnalyser analyser;
    const double binHz = static_cast<double>(kSampleRate) / kFrameSamples;
    for (size_t bin : {1u, 23u, 100u, 500u}) {
        auto s = SpectrumTestSine(binHz * static_cast<double>(bin), 1.0);
        Spectrum spectrum = analyser.Analyse(s.data());
        EXPECT_NEAR(spectrum[bin - 1], 8192.0, 8192 * 0.01) << bin;
        // The Hann window keeps the energy in the bin and its two neighbours.
        if (bin > 3) {
            EXPECT_LT(spectrum[bin - 4], 50u) << bin;
        }
    }
}

TEST(SpectrumScale, TheHalfScaleTestToneOf1000HzPeaksAtIndex22) {
    SpectrumAnalyser analyser;
    auto s = SpectrumTestSine(1000.0, 0.5);
    Spectrum spectrum = analyser.Analyse(s.data());
    size_t peak = 0;
    for (size_t i = 1; i < spectrum.size(); ++i)
        if (spectrum[i] > spectrum[peak])
            peak = i;
    EXPECT_EQ(peak, 22u);
    EXPECT_GT(spectrum[22], 3000u);
    EXPECT_LT(spectrum[22], 4200u);
    // Silence, and samples that are no numbers, read as nothing.
    std::vector<float> bad(kFrameSamples, std::nanf(""));
    Spectrum quiet = analyser.Analyse(bad.data());
    for (uint32_t v : quiet)
        ASSERT_EQ(v, 0u);
}

TEST(KeyboardRecord, ColourFollowsLoudnessAndGainsAndBandsTheirPeaks) {
    Spectrum spectrum{};
    EXPECT_EQ(KeyboardRecord(spectrum, {9, 9, 9}, {}), (std::array<uint8_t, 6>{}));
    spectrum[2] = 8192;     // low
    spectrum[50] = 4096;    // middle
    spectrum[300] = 20000;  // high, louder than full scale
    auto r = KeyboardRecord(spectrum, {9, 3, 0}, {100, 50, 100});
    EXPECT_EQ(r[0], 255);
    EXPECT_EQ(r[1], 85 / 2);
    EXPECT_EQ(r[2], 0);
    EXPECT_EQ(r[3], 255);
    EXPECT_EQ(r[4], 127);
    EXPECT_EQ(r[5], 255) << "clamped";
    spectrum = {};
    spectrum[50] = 4096;  // half loud
    EXPECT_EQ(KeyboardRecord(spectrum, {9, 9, 9}, {}).at(0), 127);
}

}  // namespace
}  // namespace zenaudio
