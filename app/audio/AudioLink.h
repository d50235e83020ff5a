#pragma once
// The main window's side of the audio-capture process: starts it (timer 1011) unless its
// lock is held, sends it the start sequence (commands 0, 3, 1), the gains and the style
// colour once its window is on the bus, restarts it when its lock vanishes (at most three
// times a minute), takes its records (spectrum, keyboard colours, state; each checked for
// size and sender), feeds the first keyboard and the light page's graph, shows its state in
// every light page's "music_status_label", handles the gain sliders and ends it at shutdown.
//
// Threads: window thread only. The watchdog reports the lock through a posted message
// (kMsgAudioLock), which the window hands to OnLockMessage.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/audio/AudioRules.h"
#include "ui/core/UIDefs.h"

namespace devices {
class COrvaneUSBDevice;
}
namespace platform {
class ChildProcess;
}
namespace ui {
class CControlUI;
}

namespace app {
class ThreadEntry;
}

namespace app::audio {

inline constexpr uint32_t kTimerAudioWindow = 1012;  // waits for its window on the bus
inline constexpr uint32_t kTimerAudioPaint = 1013;   // paces the graph's repaint
inline constexpr uint32_t kMsgAudioLock = 3340;      // wParam 1: the lock is held, 0: not
inline constexpr uint32_t kWindowPollMs = 100;
inline constexpr uint32_t kWindowWaitMs = 10000;
inline constexpr uint32_t kPaintIntervalMs = 34;  // at most 30 repaints a second
inline constexpr uint32_t kShutdownWaitMs = 1000;

struct AudioLinkHost {
    ui::HWND window = nullptr;
    // Every device's lighting panel (status and sliders follow on all of them).
    std::function<std::vector<ui::CControlUI*>()> lightPanels;
    // The lighting panel in sight (the selected device's), null when none.
    std::function<ui::CControlUI*()> shownLightPanel;
    std::function<devices::COrvaneUSBDevice*()> firstKeyboard;
    // The music light's current style colour, 0-9 each.
    std::function<std::array<int, 3>()> styleColour;
};

class AudioLink {
  public:
    // program: the command line that starts the process (split like one); empty: none.
    AudioLink(AudioLinkHost host, std::string program);
    ~AudioLink();
    AudioLink(const AudioLink&) = delete;
    AudioLink& operator=(const AudioLink&) = delete;

    // Timer 1011: starts the process unless its lock is held, then waits for its window.
    void Start();
    // The watchdog of thread entry 1, posting kMsgAudioLock to the window.
    std::shared_ptr<ThreadEntry> MakeWatchdog();
    // kMsgAudioLock, kTimerAudioWindow and kTimerAudioPaint; false for anything else.
    bool HandleMessage(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);
    // WM_COPYDATA (wParam the sender's process id); false when the tag is not one of its.
    bool OnCopyData(ui::WPARAM sender, const ui::COPYDATASTRUCT& record);
    // "valuechanged" of R_light_slider, G_light_slider, B_light_slider.
    bool OnValueChanged(const std::string& name, ui::CControlUI* sender);
    // "selectchanged" of "music_live_option": its page shows the live view or the colours.
    bool OnSelectChanged(const std::string& name, ui::CControlUI* sender);
    // Shutdown: commands 2, 4, 5, then up to kShutdownWaitMs for the process to end.
    void Shutdown();
    // Sends the current style colour (tag 10) when the process's window is on the bus.
    bool SendStyleColour();

    // What tests and the benchmark read.
    AudioState State() const { return state_; }
    const SpectrumValues& LastSpectrum() const { return spectrum_; }
    uint64_t Frames() const { return frames_; }
    uint64_t Rejected() const { return rejected_; }
    uint64_t Repaints() const { return repaints_; }
    int Restarts() const { return restarts_; }
    platform::ChildProcess* Child() const { return child_.get(); }
    int AudioProcessId() const { return audioPid_; }

  private:
    enum class Phase { Idle, WaitingWindow, Running };

    bool Launch();
    void WaitForWindow();
    void OnWindowTimer();
    void OnLock(bool held);
    void OnPaintTimer();
    bool FromAudioProcess(ui::WPARAM sender);
    void SetState(AudioState state, const std::string& detail);
    void ShowGains();

    AudioLinkHost host_;
    std::string program_;
    std::unique_ptr<platform::ChildProcess> child_;
    Phase phase_ = Phase::Idle;
    AudioState state_ = AudioState::Missing;
    std::string detail_;
    uint64_t waitStartMs_ = 0;
    uint64_t lastPidLookupMs_ = 0;
    int audioPid_ = 0;
    RestartLimiter limiter_;
    int restarts_ = 0;
    bool shutDown_ = false;
    std::array<int, 3> gains_{100, 100, 100};
    SpectrumValues spectrum_{};
    uint64_t frames_ = 0;
    uint64_t rejected_ = 0;
    uint64_t repaints_ = 0;
    bool paintArmed_ = false;
    bool graphDirty_ = false;
};

}  // namespace app::audio
