// The mouse's worker threads: what its notification channels' threads do with a code, and
// the preview thread that paces the LED preview steps.
#include "devices/mouse/OrvaneMouseDevice.h"
#include "platform/Trace.h"

namespace devices {
namespace {

constexpr uint16_t kSettingsChanged = 0x0401;
constexpr uint16_t kReactiveEvent = 0x0403;
constexpr uint8_t kProfileChanged = 0x10;
constexpr uint8_t kProfileAndStageChanged = 0x11;
constexpr int kRefreshTimer = 1002;
constexpr uint32_t kRefreshDelayMs = 50;
constexpr uint8_t kReactiveMode = 7;
constexpr uint32_t kClosedIdleMs = 100;
// While nobody sees the picture the thread looks again this often (or at once when shown).
constexpr uint32_t kInactiveIdleMs = 1000;

}  // namespace

void COrvaneMouseDevice::OnWindowThread(std::function<void()> task) {
    if (windowPoster_)
        windowPoster_(std::move(task));
    else
        task();
}

void COrvaneMouseDevice::HandleNotification(int kind, uint16_t code) {
    platform::TraceF("mouse notification 0x%04X (kind %d)\n", code, kind);
    if (code == kSettingsChanged) {
        OnWindowThread([this] {
            if (timerRequest_)
                timerRequest_(kRefreshTimer, kRefreshDelayMs);
            else
                RefreshFromDevice();
        });
        return;
    }
    if (code == kReactiveEvent) {
        // Only the wired interface reports key presses for the reactive light.
        if (kind == hid::kKindMouseCable && lightSettings_.mode == kReactiveMode)
            reactiveRequests_.fetch_add(1);
        return;
    }
    if (code < kSettingsChanged || !channel_.IsOpen())
        return;
    const uint8_t high = static_cast<uint8_t>(code >> 8);
    if (high != kProfileChanged && high != kProfileAndStageChanged)
        return;
    onboardProfile_ = static_cast<uint8_t>(code & 0x0F);
    const bool stageChanged = high == kProfileAndStageChanged;
    const uint8_t stage = static_cast<uint8_t>((code >> 4) & 0x0F);
    if (stageChanged)
        activeStageByte_ = stage;
    OnWindowThread([this, stageChanged, stage] {
        settingsBlock_[0] = onboardProfile_.load();
        if (stageChanged) {
            settingsBlock_[12] = stage;
            // The profile is what the page shows and what the next write sends.
            if (profile_.SetActiveStage(stage))
                profile_.Save();
        }
        RefreshPanel();
    });
}

void COrvaneMouseDevice::StartPreviewThread() {
    StopPreviewThread();
    previewThread_.Start([this](platform::Event& stop) { PreviewThreadBody(stop); });
}

void COrvaneMouseDevice::StopPreviewThread() {
    previewThread_.RequestStop();
    if (!previewThread_.Join(kPreviewStopWaitMs)) {
        platform::Trace("mouse preview thread: no end within the wait\n");
        previewThread_.Join(5000);
    }
}

void COrvaneMouseDevice::PreviewThreadBody(platform::Event& stop) {
    uint32_t lastTick = SystemTickClock().NowMs();
    uint32_t counter = 0;
    while (!stop.Wait(1)) {
        if (!channel_.IsOpen()) {
            if (stop.Wait(kClosedIdleMs))
                break;
            continue;
        }
        if (GetPreviewActive() == 0) {
            // Nobody sees the picture: sleep until it is shown again (the animation picks up
            // where the clock says).
            platform::Event::WaitAny({&stop, &previewResume_}, kInactiveIdleMs);
            continue;
        }
        PreviewPass(lastTick, counter);
    }
    platform::Trace("mouse preview thread ends\n");
}

void COrvaneMouseDevice::PreviewPass(uint32_t& lastTick, uint32_t& counter) {
    if (channel_.Hold() != 0)
        return;
    const uint32_t now = SystemTickClock().NowMs();
    // A tick counts only after at least 2 ms.
    if (now != lastTick && now - lastTick != 1) {
        lastTick = now;
        ++counter;
    }
    const uint8_t mode = previewLight_.mode;
    if (mode >= 10) {
        PlayCustomEffect();
        return;
    }
    if (counter < SpeedThreshold(previewLight_.speed))
        return;
    counter = 0;
    switch (mode) {
        case 0:
            PreviewStatic();
            break;
        case 1:
            PreviewBreathe();
            break;
        case 2:
            PreviewColourCycle();
            break;
        case 3:
            PreviewBreatheFourColours();
            break;
        case 4:
            PreviewOff();
            break;
        case 5:
            PreviewWave();
            break;
        case 6:
            PreviewFlash();
            break;
        case 7:
            PreviewReactive();
            break;
        case 8:
            PreviewFlashFourColours();
            break;
        default:
            PreviewNeon();
            break;
    }
}

}  // namespace devices
