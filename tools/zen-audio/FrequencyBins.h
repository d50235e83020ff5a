#pragma once
// The sound analysis of the music light: one frame of 1024 mono samples (44 100 Hz, -1..1)
// through a Hann window and a radix-2 FFT. Value i (0-499) of the spectrum is the magnitude of
// bin i + 1 (bin width 44 100 / 1024 Hz), scaled so that a full-scale sine centred on a bin
// reads 8192. Pure; any thread.
#include <array>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zenaudio {

inline constexpr int kSampleRate = 44100;
inline constexpr size_t kFrameSamples = 1024;
inline constexpr size_t kSpectrumValues = 500;
inline constexpr uint32_t kFullScale = 8192;

using Spectrum = std::array<uint32_t, kSpectrumValues>;

// In-place radix-2 FFT; the size must be a power of two (other sizes are left alone and
// answer false).
bool Fft(std::vector<std::complex<float>>& data);

class SpectrumAnalyser {
  public:
    SpectrumAnalyser();
    // samples: kFrameSamples values.
    Spectrum Analyse(const float* samples);

  private:
    std::array<float, kFrameSamples> window_{};
    std::vector<std::complex<float>> buffer_;
};

// The style colour (0-9 each) as the program last sent it, and the gains (0-100 %).
struct StyleColour {
    uint32_t red = 9, green = 9, blue = 9;
};
struct Gains {
    int red = 100, green = 100, blue = 100;
};

// The six bytes of the keyboard record: the style colour scaled to 0-255, by the frame's
// loudness (its strongest value against full scale) and by each channel's gain; then the
// strongest value of the low (below 250 Hz), middle (to 4 kHz) and high bins, 0-255.
std::array<uint8_t, 6> KeyboardRecord(const Spectrum& spectrum, const StyleColour& colour,
                                      const Gains& gains);

}  // namespace zenaudio
