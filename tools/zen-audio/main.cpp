// t418-zen-audio: captures the desktop's sound for the music light of t418-zen and sends its
// spectrum and the keyboard's colours to the program over the session bus.
//
//   t418-zen-audio [--source FILE.wav | --tone HZ] [--stats]
//   t418-zen-audio --probe
//
// One runs per session (a second one ends with 0 at once). It ends on command 5, or by
// itself once "T418-ZEN" has been missing from the bus for 10 s.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "AudioAgent.h"
#include "Capture.h"
#include "Sources.h"
#include "platform/FileIO.h"
#include "platform/MessageBus.h"
#include "platform/SingleInstance.h"

namespace {

using namespace zenaudio;
using Clock = std::chrono::steady_clock;

constexpr auto kServerRetry = std::chrono::seconds(5);
constexpr auto kProgramGoneLimit = std::chrono::seconds(10);
constexpr auto kProgramCheck = std::chrono::seconds(1);
constexpr uint32_t kRecordTimeoutMs = 250;

struct Options {
    std::string wavPath;
    double toneHz = 0.0;
    bool probe = false;
    bool stats = false;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: t418-zen-audio [--source FILE.wav | --tone HZ] [--stats]\n"
                 "       t418-zen-audio --probe\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--source" && i + 1 < argc) {
            options.wavPath = argv[++i];
        } else if (a == "--tone" && i + 1 < argc) {
            char* end = nullptr;
            options.toneHz = std::strtod(argv[++i], &end);
            if (end == argv[i] || *end != '\0' || !(options.toneHz >= 1.0) ||
                options.toneHz > kSampleRate / 2.0)
                return false;
        } else if (a == "--probe") {
            options.probe = true;
        } else if (a == "--stats") {
            options.stats = true;
        } else {
            return false;
        }
    }
    return options.wavPath.empty() || options.toneHz == 0.0;
}

// What the bus listener hands to the main loop.
struct Inbox {
    std::mutex lock;
    std::deque<platform::BusMessage> messages;
    platform::Event wake{false, false};

    void Push(const platform::BusMessage& message) {
        {
            std::lock_guard<std::mutex> guard(lock);
            if (messages.size() < 256)
                messages.push_back(message);
        }
        wake.Set();
    }
    std::deque<platform::BusMessage> TakeAll() {
        std::lock_guard<std::mutex> guard(lock);
        return std::exchange(messages, {});
    }
};

class Agent {
  public:
    Agent(const Options& options, std::vector<float> wav, uint32_t command)
        : options_(options), wav_(std::move(wav)), command_(command), capture_(inbox_.wake) {}

    int Run() {
        auto endpoint = platform::JoinBus(kBusTitle, [this](const platform::BusMessage& m) {
            // Copy-data is taken here on the listener thread and counts as handled at once.
            inbox_.Push(m);
        });
        if (!endpoint) {
            std::fprintf(stderr, "t418-zen-audio: the session bus cannot be joined\n");
            return 1;
        }
        lastSeen_ = Clock::now();
        nextCheck_ = lastSeen_;
        while (!state_.end) {
            inbox_.wake.Wait(100);
            auto now = Clock::now();
            for (const platform::BusMessage& m : inbox_.TakeAll())
                Handle(m);
            if (state_.end)
                break;
            Capturing(now);
            if (now >= nextCheck_) {
                nextCheck_ = now + kProgramCheck;
                if (platform::WindowExists(kProgramTitle))
                    lastSeen_ = now;
                else if (now - lastSeen_ >= kProgramGoneLimit) {
                    std::fprintf(stderr, "t418-zen-audio: T418-ZEN is gone; ending\n");
                    break;
                }
            }
        }
        capture_.Stop();
        endpoint.reset();
        if (options_.stats)
            PrintStats();
        return 0;
    }

  private:
    void Handle(const platform::BusMessage& m) {
        if (m.kind == platform::BusMessage::Kind::CopyData) {
            if (m.tag == kTagStyle)
                ApplyStyleRecord(state_, m.data);
            return;
        }
        if (m.message != command_)
            return;
        const bool wasKnown = state_.windowKnown;
        ApplyCommand(state_, m.wParam, m.lParam);
        if (m.wParam == 0 && !wasKnown)
            SendState(true);
    }

    void Capturing(Clock::time_point now) {
        if (!state_.captureWanted) {
            if (capture_.Running())
                capture_.Stop();
            return;
        }
        if (capture_.Running() && capture_.Lost()) {
            capture_.Stop();
            SetState(CaptureState::StreamLost, "the sound server's stream was lost");
            nextRetry_ = now + kServerRetry;
        }
        if (!capture_.Running() && now >= nextRetry_)
            Open(now);
        if (auto frame = capture_.Take(); frame && state_.sending && state_.windowKnown)
            Send(*frame);
    }

    void Open(Clock::time_point now) {
        std::unique_ptr<SampleSource> source;
        if (options_.toneHz > 0.0) {
            source = MakeToneSource(options_.toneHz);
            SetState(CaptureState::TestSource, "test tone");
        } else if (!wav_.empty()) {
            source = MakeLoopSource(wav_);
            SetState(CaptureState::TestSource, "sound file " + options_.wavPath);
        } else {
            std::string why;
            source = OpenSoundServer(&why);
            if (!source) {
                SetState(CaptureState::NoServer, "no sound server: " + why);
                nextRetry_ = now + kServerRetry;
                return;
            }
            SetState(CaptureState::Capturing, "capturing the sound output");
        }
        capture_.Start(std::move(source));
    }

    void Send(const Frame& frame) {
        const std::string spectrum = SpectrumRecord(frame.spectrum);
        const auto keyboard = KeyboardRecord(frame.spectrum, state_.colour, state_.gains);
        bool sent = platform::SendCopyData(kProgramTitle, kTagSpectrum, spectrum, kRecordTimeoutMs);
        platform::SendCopyData(
            kProgramTitle, kTagKeyboard,
            std::string_view(reinterpret_cast<const char*>(keyboard.data()), keyboard.size()),
            kRecordTimeoutMs);
        if (!sent)
            return;
        auto delay =
            std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - frame.captured);
        ++sent_;
        delaySumUs_ += static_cast<uint64_t>(delay.count());
        delayMaxUs_ = std::max<uint64_t>(delayMaxUs_, static_cast<uint64_t>(delay.count()));
    }

    void SetState(CaptureState state, const std::string& text) {
        if (haveState_ && state == shown_ && text == shownText_)
            return;
        haveState_ = true;
        shown_ = state;
        shownText_ = text;
        std::fprintf(stderr, "t418-zen-audio: state %d: %s\n", static_cast<int>(state),
                     text.c_str());
        SendState(false);
    }

    void SendState(bool again) {
        (void)again;
        if (!haveState_ || !state_.windowKnown)
            return;
        platform::SendCopyData(kProgramTitle, kTagState, StateRecord(shown_, shownText_),
                               kRecordTimeoutMs);
    }

    void PrintStats() {
        std::fprintf(
            stderr,
            "t418-zen-audio: frames %llu, records %llu, sample to record %.2f ms mean, "
            "%.2f ms max\n",
            static_cast<unsigned long long>(capture_.Frames()),
            static_cast<unsigned long long>(sent_),
            sent_ ? static_cast<double>(delaySumUs_) / static_cast<double>(sent_) / 1000.0 : 0.0,
            static_cast<double>(delayMaxUs_) / 1000.0);
    }

    const Options& options_;
    const std::vector<float> wav_;
    const uint32_t command_;
    Inbox inbox_;
    Capture capture_;
    AgentState state_;
    bool haveState_ = false;
    CaptureState shown_ = CaptureState::NoServer;
    std::string shownText_;
    Clock::time_point lastSeen_, nextCheck_, nextRetry_;
    uint64_t sent_ = 0, delaySumUs_ = 0, delayMaxUs_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options))
        return Usage();
    if (options.probe) {
        std::string why;
        auto source = OpenSoundServer(&why);
        std::printf("%s\n",
                    source ? "sound server: yes" : ("sound server: no (" + why + ")").c_str());
        return source ? 0 : 1;
    }
    std::vector<float> wav;
    if (!options.wavPath.empty()) {
        std::string bytes, why;
        if (!platform::ReadWholeFile(options.wavPath, bytes, size_t{512} << 20)) {
            std::fprintf(stderr, "t418-zen-audio: cannot read %s\n", options.wavPath.c_str());
            return 2;
        }
        auto decoded = DecodeWav(bytes, &why);
        if (!decoded) {
            std::fprintf(stderr, "t418-zen-audio: %s: %s\n", options.wavPath.c_str(), why.c_str());
            return 2;
        }
        wav = std::move(*decoded);
    }
    platform::SingleInstance instance(kLockName);
    if (!instance.IsFirst())
        return 0;
    const uint32_t command = platform::RegisterMessage(kCommandMessage);
    if (command == 0) {
        std::fprintf(stderr, "t418-zen-audio: the session's message table cannot be used\n");
        return 1;
    }
    Agent agent(options, std::move(wav), command);
    return agent.Run();
}
