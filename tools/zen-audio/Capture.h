#pragma once
// The capture thread: reads frames from a source, analyses them and keeps the latest one for
// the main loop (an older frame not taken yet is replaced: the light follows the sound, it
// does not catch up). A read from the sound server cannot be cut short, so stopping waits a
// little and then leaves the thread to end on its own; it owns everything it touches.
// Threads: the owner's thread calls every member; the thread itself sees only its Shared.
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "FrequencyBins.h"
#include "Sources.h"
#include "platform/Event.h"

namespace zenaudio {

struct Frame {
    Spectrum spectrum{};
    std::chrono::steady_clock::time_point captured;  // when its last sample arrived
};

class Capture {
  public:
    // wake: set after every frame and when the stream is lost.
    explicit Capture(platform::Event& wake) : wake_(wake) {}
    ~Capture() { Stop(); }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    void Start(std::unique_ptr<SampleSource> source);
    void Stop();
    bool Running() const { return shared_ != nullptr; }
    // The newest frame not taken yet.
    std::optional<Frame> Take();
    // True once the source failed (the thread has ended then).
    bool Lost() const;
    uint64_t Frames() const;

  private:
    struct Shared;
    platform::Event& wake_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace zenaudio
