#include "Capture.h"

#include <atomic>

namespace zenaudio {

struct Capture::Shared {
    std::unique_ptr<SampleSource> source;
    platform::Event* wake = nullptr;  // cleared under the lock when the owner leaves
    std::mutex lock;
    std::optional<Frame> latest;
    uint64_t frames = 0;
    std::atomic<bool> stop{false};
    std::atomic<bool> lost{false};
    platform::Event finished{true, false};
};

void Capture::Start(std::unique_ptr<SampleSource> source) {
    Stop();
    auto shared = std::make_shared<Shared>();
    shared->source = std::move(source);
    shared->wake = &wake_;
    shared_ = shared;
    std::thread([shared] {
        SpectrumAnalyser analyser;
        float samples[kFrameSamples];
        while (!shared->stop.load()) {
            if (!shared->source->ReadFrame(samples)) {
                shared->lost.store(true);
                break;
            }
            Frame frame;
            frame.captured = std::chrono::steady_clock::now();
            frame.spectrum = analyser.Analyse(samples);
            std::lock_guard<std::mutex> guard(shared->lock);
            shared->latest = frame;
            ++shared->frames;
            if (shared->wake)
                shared->wake->Set();
        }
        shared->source.reset();  // closes the server's stream on this thread
        {
            std::lock_guard<std::mutex> guard(shared->lock);
            if (shared->wake)
                shared->wake->Set();
        }
        shared->finished.Set();
    }).detach();
}

void Capture::Stop() {
    if (!shared_)
        return;
    std::shared_ptr<Shared> shared = std::exchange(shared_, nullptr);
    shared->stop.store(true);
    // A generated frame takes at most one frame's time; a server read about as long.
    shared->finished.Wait(200);
    std::lock_guard<std::mutex> guard(shared->lock);
    shared->wake = nullptr;
}

std::optional<Frame> Capture::Take() {
    if (!shared_)
        return std::nullopt;
    std::lock_guard<std::mutex> guard(shared_->lock);
    return std::exchange(shared_->latest, std::nullopt);
}

bool Capture::Lost() const {
    return shared_ && shared_->lost.load();
}

uint64_t Capture::Frames() const {
    if (!shared_)
        return 0;
    std::lock_guard<std::mutex> guard(shared_->lock);
    return shared_->frames;
}

}  // namespace zenaudio
