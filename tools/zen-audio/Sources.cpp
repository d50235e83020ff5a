#include "Sources.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>

namespace zenaudio {
namespace {

using SourceClock = std::chrono::steady_clock;

// Paces generated frames at the rate the sound would play.
class FramePacer {
  public:
    void Wait() {
        if (frames_ == 0)
            start_ = SourceClock::now();
        auto due = start_ + std::chrono::microseconds(frames_ * kFrameSamples * 1000000 /
                                                      static_cast<uint64_t>(kSampleRate));
        ++frames_;
        std::this_thread::sleep_until(due);
    }

  private:
    SourceClock::time_point start_;
    uint64_t frames_ = 0;
};

class ToneSource : public SampleSource {
  public:
    explicit ToneSource(double hz) : step_(2.0 * std::numbers::pi * hz / kSampleRate) {}
    bool ReadFrame(float* out) override {
        pacer_.Wait();
        for (size_t i = 0; i < kFrameSamples; ++i) {
            out[i] = static_cast<float>(0.5 * std::sin(phase_));
            phase_ = std::fmod(phase_ + step_, 2.0 * std::numbers::pi);
        }
        return true;
    }
    bool IsTest() const override { return true; }

  private:
    double step_;
    double phase_ = 0.0;
    FramePacer pacer_;
};

class LoopSource : public SampleSource {
  public:
    explicit LoopSource(std::vector<float> samples) : samples_(std::move(samples)) {}
    bool ReadFrame(float* out) override {
        pacer_.Wait();
        for (size_t i = 0; i < kFrameSamples; ++i) {
            out[i] = samples_[position_];
            position_ = (position_ + 1) % samples_.size();
        }
        return true;
    }
    bool IsTest() const override { return true; }

  private:
    std::vector<float> samples_;
    size_t position_ = 0;
    FramePacer pacer_;
};

class ServerSource : public SampleSource {
  public:
    explicit ServerSource(pa_simple* stream) : stream_(stream) {}
    ~ServerSource() override { pa_simple_free(stream_); }
    bool ReadFrame(float* out) override {
        int16_t raw[kFrameSamples];
        int error = 0;
        if (pa_simple_read(stream_, raw, sizeof raw, &error) < 0)
            return false;
        for (size_t i = 0; i < kFrameSamples; ++i)
            out[i] = static_cast<float>(raw[i]) / 32768.0f;
        return true;
    }
    bool IsTest() const override { return false; }

  private:
    pa_simple* stream_;
};

}  // namespace

std::unique_ptr<SampleSource> MakeToneSource(double hz) {
    return std::make_unique<ToneSource>(hz);
}

std::unique_ptr<SampleSource> MakeLoopSource(std::vector<float> samples) {
    if (samples.empty())
        return nullptr;
    return std::make_unique<LoopSource>(std::move(samples));
}

std::unique_ptr<SampleSource> OpenSoundServer(std::string* why) {
    pa_sample_spec sampleFormat{};
    sampleFormat.format = PA_SAMPLE_S16LE;
    sampleFormat.rate = kSampleRate;
    sampleFormat.channels = 1;
    // One frame per fragment keeps the delay from sound to record near one frame.
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<uint32_t>(-1);
    attributes.fragsize = static_cast<uint32_t>(kFrameSamples * sizeof(int16_t));
    attributes.tlength = attributes.prebuf = attributes.minreq = static_cast<uint32_t>(-1);
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, "T418-ZEN", PA_STREAM_RECORD, "@DEFAULT_MONITOR@",
                                      "music light", &sampleFormat, nullptr, &attributes, &error);
    if (stream == nullptr) {
        if (why)
            *why = pa_strerror(error);
        return nullptr;
    }
    return std::make_unique<ServerSource>(stream);
}

}  // namespace zenaudio
