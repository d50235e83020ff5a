#pragma once
// Where the music light's sound comes from: the monitor of the session's default sound
// output (PulseAudio simple API, which PipeWire serves too), a test tone, or a WAV file
// looped in real time. Every source gives mono frames of kFrameSamples samples at 44 100 Hz.
// Threads: a source belongs to the thread that reads it.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FrequencyBins.h"

namespace zenaudio {

class SampleSource {
  public:
    virtual ~SampleSource() = default;
    // Fills kFrameSamples samples (-1..1), waiting for them in real time; false when the
    // stream is lost.
    virtual bool ReadFrame(float* out) = 0;
    // True for a tone or file (state 3), false for the sound server.
    virtual bool IsTest() const = 0;
};

// A sine of hz at half scale.
std::unique_ptr<SampleSource> MakeToneSource(double hz);
// Decoded samples (mono, 44 100 Hz), looped.
std::unique_ptr<SampleSource> MakeLoopSource(std::vector<float> samples);
// The default sink's monitor; empty (why said) when no sound server answers.
std::unique_ptr<SampleSource> OpenSoundServer(std::string* why);

// A RIFF WAVE file of 16-bit PCM, any channel count (mixed down) and rate (resampled to
// 44 100 Hz); empty, with the reason, when it is anything else or damaged.
std::optional<std::vector<float>> DecodeWav(std::string_view bytes, std::string* why);

}  // namespace zenaudio
