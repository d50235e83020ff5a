#include "app/audio/AudioLink.h"

#include <cstdio>
#include <string_view>

#include "app/ThreadTable.h"
#include "app/audio/AudioGraph.h"
#include "app/audio/AudioSend.h"
#include "app/audio/AudioWatchdog.h"
#include "devices/OrvaneUSBDevice.h"
#include "platform/Event.h"
#include "platform/MessageBus.h"
#include "platform/Process.h"
#include "platform/SingleInstance.h"
#include "platform/Trace.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/ControlUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"
#include "ui/layout/TabLayoutUI.h"

namespace app::audio {
namespace {

constexpr const char* kSliderNames[3] = {"R_light_slider", "G_light_slider", "B_light_slider"};
constexpr const char* kLabelNames[3] = {"R_light_label", "G_light_label", "B_light_label"};
constexpr const char* kLabelFormats[3] = {"R %d", "G %d", "B %d"};
constexpr const char* kStatusLabelName = "music_status_label";
constexpr const char* kLiveOptionName = "music_live_option";
constexpr const char* kViewTabName = "music_view_tab";
// Records from another sender are looked up against the lock's holder at most this often.
constexpr uint64_t kPidLookupMs = 1000;

ui::CControlUI* AudioLinkChild(ui::CControlUI* panel, const char* name) {
    if (panel == nullptr || panel->GetManager() == nullptr)
        return nullptr;
    return panel->GetManager()->FindSubControlByName(panel, name);
}

int AudioLinkSliderIndex(const std::string& name) {
    for (int i = 0; i < 3; ++i)
        if (ui::EqualsNoCase(name, kSliderNames[i]))
            return i;
    return -1;
}

}  // namespace

AudioLink::AudioLink(AudioLinkHost host, std::string program)
    : host_(std::move(host)), program_(std::move(program)) {}

AudioLink::~AudioLink() = default;

std::shared_ptr<ThreadEntry> AudioLink::MakeWatchdog() {
    auto watchdog = std::make_shared<AudioWatchdog>([window = host_.window](bool held) {
        ui::PostMessage(window, kMsgAudioLock, held ? 1 : 0, 0);
    });
    if (!watchdog->Start())
        return nullptr;
    return watchdog;
}

void AudioLink::Start() {
    if (program_.empty()) {
        SetState(AudioState::NotStarted, "");
        return;
    }
    // One that runs already (left by an earlier start, or started by hand) is used as it is.
    if (!platform::InstanceIsRunning(kAudioLockName) && !Launch())
        return;
    WaitForWindow();
}

bool AudioLink::Launch() {
    std::vector<std::string> arguments = platform::SplitCommandLine(program_);
    if (arguments.empty()) {
        SetState(AudioState::NotStarted, "");
        return false;
    }
    const std::string program = arguments.front();
    arguments.erase(arguments.begin());
    child_ = platform::StartProcess(program, arguments);
    audioPid_ = child_ ? child_->Id() : 0;
    if (!child_) {
        platform::TraceF("AudioLink: %s cannot be started", program.c_str());
        SetState(AudioState::Missing, "");
        return false;
    }
    platform::TraceF("AudioLink: started %s (%d)", program.c_str(), audioPid_);
    return true;
}

void AudioLink::WaitForWindow() {
    phase_ = Phase::WaitingWindow;
    waitStartMs_ = platform::SteadyMs();
    ui::SetTimer(host_.window, kTimerAudioWindow, kWindowPollMs);
}

bool AudioLink::HandleMessage(ui::UINT message, ui::WPARAM wParam, ui::LPARAM) {
    if (message == kMsgAudioLock) {
        OnLock(wParam != 0);
        return true;
    }
    if (message != ui::WM_TIMER)
        return false;
    if (wParam == kTimerAudioWindow) {
        OnWindowTimer();
        return true;
    }
    if (wParam == kTimerAudioPaint) {
        OnPaintTimer();
        return true;
    }
    return false;
}

void AudioLink::OnWindowTimer() {
    if (phase_ != Phase::WaitingWindow || shutDown_) {
        ui::KillTimer(host_.window, kTimerAudioWindow);
        return;
    }
    if (!platform::WindowExists(kAudioWindowTitle)) {
        const bool gone = child_ && !child_->IsRunning();
        if (gone || platform::SteadyMs() - waitStartMs_ >= kWindowWaitMs) {
            ui::KillTimer(host_.window, kTimerAudioWindow);
            phase_ = Phase::Idle;
            platform::Trace("AudioLink: the audio process did not come onto the bus");
            SetState(AudioState::Missing, "");
        }
        return;
    }
    ui::KillTimer(host_.window, kTimerAudioWindow);
    phase_ = Phase::Running;
    if (!child_ || !child_->IsRunning())
        audioPid_ = platform::InstanceHolderId(kAudioLockName);
    // Our process id stands for the window handle: the process only needs to know we are here.
    PostAudioCommand(kAudioWindowKnown, platform::CurrentProcessId());
    PostAudioCommand(kAudioOpenCapture);
    PostAudioCommand(kAudioStartSending);
    for (int i = 0; i < 3; ++i)
        PostAudioCommand(kAudioRedGain + static_cast<uint32_t>(i), gains_[static_cast<size_t>(i)]);
    SendStyleColour();
}

void AudioLink::OnLock(bool held) {
    if (shutDown_)
        return;
    if (held) {
        // Started by someone else while we had none running: use it.
        if (phase_ == Phase::Idle && !program_.empty() && state_ == AudioState::Missing)
            WaitForWindow();
        return;
    }
    // Nothing of ours runs, or it is still starting (the lock comes a moment after it).
    if (phase_ == Phase::Idle || (phase_ == Phase::WaitingWindow && child_ && child_->IsRunning()))
        return;
    phase_ = Phase::Idle;
    ui::KillTimer(host_.window, kTimerAudioWindow);
    SetState(AudioState::Missing, "");
    if (!limiter_.Allow(platform::SteadyMs())) {
        platform::Trace(
            "AudioLink: the audio process ended three times within a minute; not restarted");
        return;
    }
    ++restarts_;
    platform::TraceF("AudioLink: the audio process is gone; restart %d", restarts_);
    if (Launch())
        WaitForWindow();
}

bool AudioLink::FromAudioProcess(ui::WPARAM sender) {
    const int id = static_cast<int>(sender);
    if (id > 0 && id == audioPid_)
        return true;
    // The process may have been started by someone else, or restarted by hand: its lock
    // says who it is now (looked up at most once a second, so a flood costs little).
    const uint64_t now = platform::SteadyMs();
    if (id > 0 && now - lastPidLookupMs_ >= kPidLookupMs) {
        lastPidLookupMs_ = now;
        audioPid_ = platform::InstanceHolderId(kAudioLockName);
        if (id == audioPid_)
            return true;
    }
    if (rejected_++ % 100 == 0)
        platform::TraceF("AudioLink: a record from process %d is not from the audio process", id);
    return false;
}

bool AudioLink::OnCopyData(ui::WPARAM sender, const ui::COPYDATASTRUCT& record) {
    if (record.dwData != kTagSpectrum && record.dwData != kTagKeyboard &&
        record.dwData != kTagState)
        return false;
    if (!FromAudioProcess(sender))
        return true;
    const std::string_view data(static_cast<const char*>(record.lpData),
                                record.lpData ? record.cbData : 0);
    if (record.dwData == kTagSpectrum) {
        auto values = DecodeSpectrum(data);
        if (!values) {
            ++rejected_;
            return true;
        }
        spectrum_ = *values;
        // Every third frame to the keyboard: its light need not follow faster.
        if (frames_++ % 3 == 0) {
            if (devices::COrvaneUSBDevice* keyboard = host_.firstKeyboard())
                keyboard->FeedAudioSpectrum(BandBytes(SpectrumBands(spectrum_)).data(), kBands);
        }
        graphDirty_ = true;
        if (!paintArmed_) {
            paintArmed_ = true;
            ui::SetTimer(host_.window, kTimerAudioPaint, kPaintIntervalMs);
        }
    } else if (record.dwData == kTagKeyboard) {
        auto colours = DecodeKeyboard(data);
        if (!colours) {
            ++rejected_;
            return true;
        }
        if (devices::COrvaneUSBDevice* keyboard = host_.firstKeyboard())
            keyboard->FeedAudioColours(colours->data(), colours->size());
    } else {
        auto state = DecodeState(data);
        if (!state) {
            ++rejected_;
            return true;
        }
        SetState(state->state, state->text);
    }
    return true;
}

void AudioLink::OnPaintTimer() {
    ui::KillTimer(host_.window, kTimerAudioPaint);
    paintArmed_ = false;
    if (!graphDirty_)
        return;
    graphDirty_ = false;
    ui::CControlUI* panel = host_.shownLightPanel ? host_.shownLightPanel() : nullptr;
    if (ui::CControlUI* graph = AudioLinkChild(panel, kGraphName);
        graph && graph->IsVisible() && ShowGraphSamples(graph, spectrum_))
        ++repaints_;
}

void AudioLink::SetState(AudioState state, const std::string& detail) {
    if (state == state_ && detail == detail_)
        return;
    state_ = state;
    detail_ = detail;
    platform::TraceF("AudioLink: state %d %s", static_cast<int>(state), detail.c_str());
    if (!host_.lightPanels)
        return;
    for (ui::CControlUI* panel : host_.lightPanels()) {
        if (ui::CControlUI* label = AudioLinkChild(panel, kStatusLabelName)) {
            label->SetText(StatusKey(state));
            label->SetToolTip(detail);
        }
    }
}

bool AudioLink::OnValueChanged(const std::string& name, ui::CControlUI* sender) {
    const int index = AudioLinkSliderIndex(name);
    if (index < 0)
        return false;
    auto* slider = dynamic_cast<ui::CSliderUI*>(sender);
    if (slider == nullptr)
        return true;
    gains_[static_cast<size_t>(index)] = slider->GetValue();
    if (phase_ == Phase::Running)
        PostAudioCommand(kAudioRedGain + static_cast<uint32_t>(index), slider->GetValue());
    ShowGains();
    return true;
}

bool AudioLink::OnSelectChanged(const std::string& name, ui::CControlUI* sender) {
    if (!ui::EqualsNoCase(name, kLiveOptionName))
        return false;
    auto* option = dynamic_cast<ui::COptionUI*>(sender);
    if (option == nullptr || !host_.lightPanels)
        return true;
    for (ui::CControlUI* panel : host_.lightPanels()) {
        if (AudioLinkChild(panel, kLiveOptionName) != sender)
            continue;
        if (auto* tab = dynamic_cast<ui::CTabLayoutUI*>(AudioLinkChild(panel, kViewTabName)))
            tab->SelectItem(option->IsSelected() ? 1 : 0);
    }
    // The live view shows the latest frame at once.
    graphDirty_ = true;
    return true;
}

void AudioLink::ShowGains() {
    if (!host_.lightPanels)
        return;
    for (ui::CControlUI* panel : host_.lightPanels()) {
        for (size_t i = 0; i < 3; ++i) {
            if (auto* slider = dynamic_cast<ui::CSliderUI*>(AudioLinkChild(panel, kSliderNames[i])))
                slider->SetValue(gains_[i], false);
            if (ui::CControlUI* label = AudioLinkChild(panel, kLabelNames[i])) {
                char text[16];
                std::snprintf(text, sizeof text, kLabelFormats[i], gains_[i]);
                label->SetText(text);
            }
        }
    }
}

bool AudioLink::SendStyleColour() {
    if (!host_.styleColour || !platform::WindowExists(kAudioWindowTitle))
        return false;
    const std::array<int, 3> colour = host_.styleColour();
    return audio::SendStyleColour(colour[0], colour[1], colour[2]);
}

void AudioLink::Shutdown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    ui::KillTimer(host_.window, kTimerAudioWindow);
    ui::KillTimer(host_.window, kTimerAudioPaint);
    if (!platform::WindowExists(kAudioWindowTitle))
        return;
    PostAudioCommand(kAudioStopSending);
    PostAudioCommand(kAudioCloseCapture);
    PostAudioCommand(kAudioEnd);
    if (child_) {
        child_->Wait(kShutdownWaitMs);
        return;
    }
    const uint64_t end = platform::SteadyMs() + kShutdownWaitMs;
    while (platform::InstanceIsRunning(kAudioLockName) && platform::SteadyMs() < end)
        platform::Event().Wait(20);
}

}  // namespace app::audio
