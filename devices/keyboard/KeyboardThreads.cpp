// The keyboard's worker threads: what its notification channels' threads do with a code, and
// the preview thread that paces its LED preview steps.
#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "platform/Trace.h"

namespace devices {
namespace {

constexpr uint16_t kKbSettingsChanged = 0x0401;
constexpr uint16_t kKbProfileReload = 0x0402;
constexpr uint8_t kKbProfileChanged = 0x10;
constexpr uint8_t kKbProfileAndLayerChanged = 0x11;
constexpr int kKbRefreshTimer = 1002;
constexpr uint32_t kKbRefreshDelayMs = 50;
constexpr uint32_t kKbClosedIdleMs = 100;
constexpr uint32_t kKbInactiveIdleMs = 1000;
constexpr size_t kKbBlockLayerByte = 17;

}  // namespace

void COrvaneKeyboardDevice::RequestRefresh() {
    platform::Trace("接收到自动添加设备的同步信息要求\n");
    OnWindowThread([this] {
        if (!RequestTimer(kKbRefreshTimer, kKbRefreshDelayMs))
            RefreshFromDevice();
    });
}

void COrvaneKeyboardDevice::HandleNotification(int kind, uint16_t code) {
    platform::TraceF("接收到自动添加设备的同步信息要求  TEST 0x%04X (kind %d)\n", code, kind);
    if (code == kKbSettingsChanged) {
        RequestRefresh();
        return;
    }
    if (code == kKbProfileReload) {
        reloadPending_ = 1;
        RequestRefresh();
        return;
    }
    if (code == 0) {
        // The keyboard runs its own effect: it reports its changes with an empty code.
        uint8_t mode = 0;
        {
            platform::LockGuard guard(previewLock_);
            mode = previewLight_.mode;
        }
        if (mode == keyboard::kOnboardMode)
            RequestRefresh();
        return;
    }
    if (code < kKbProfileReload || !channel_.IsOpen())
        return;
    const uint8_t high = static_cast<uint8_t>(code >> 8);
    if (high != kKbProfileChanged && high != kKbProfileAndLayerChanged)
        return;
    const uint8_t onboard = static_cast<uint8_t>(code & 0x0F);
    const bool layer = high == kKbProfileAndLayerChanged;
    const uint8_t value = static_cast<uint8_t>((code >> 4) & 0x0F);
    onboardProfile_ = onboard;
    OnWindowThread([this, onboard, layer, value] {
        settingsBlock_[0] = onboard;
        if (layer)
            settingsBlock_[kKbBlockLayerByte] = value;
        RefreshPanel();
    });
}

void COrvaneKeyboardDevice::StartPreviewThread() {
    StopPreviewThread();
    previewThread_.Start([this](platform::Event& stop) { PreviewThreadBody(stop); });
}

void COrvaneKeyboardDevice::StopPreviewThread() {
    previewThread_.RequestStop();
    if (!previewThread_.Join(kPreviewStopWaitMs)) {
        platform::Trace("keyboard preview thread: no end within the wait\n");
        previewThread_.Join(5000);
    }
}

void COrvaneKeyboardDevice::PreviewThreadBody(platform::Event& stop) {
    uint32_t lastTick = SystemTickClock().NowMs();
    uint32_t counter = 0;
    while (!stop.Wait(1)) {
        if (!channel_.IsOpen()) {
            if (stop.Wait(kKbClosedIdleMs))
                break;
            continue;
        }
        if (GetPreviewActive() == 0) {
            platform::Event::WaitAny({&stop, &previewResume_}, kKbInactiveIdleMs);
            continue;
        }
        PreviewPass(lastTick, counter);
    }
    platform::Trace("KB灯光线程设定退出\n");
}

void COrvaneKeyboardDevice::PreviewPass(uint32_t& lastTick, uint32_t& counter) {
    if (channel_.Hold() != 0)
        return;
    const uint32_t now = SystemTickClock().NowMs();
    const uint32_t moved = now - lastTick;
    // A tick counts only after at least 2 ms.
    if (moved >= 2) {
        lastTick = now;
        ++counter;
    }
    profile::LightRecord light;
    {
        platform::LockGuard guard(previewLock_);
        light = previewLight_;
    }
    const uint8_t mode = light.mode;
    // Five to one ticks from the slowest speed to the fastest.
    uint32_t threshold = light.speed > 4 ? 0u : 5u - light.speed;
    bool custom = false;
    switch (mode) {
        case 12:
        case 14:
            threshold = 4;
            break;
        case 28:
        case 30:
            threshold = light.speed == 0 ? 1 : 0;
            break;
        case 29:
            threshold = 2;  // whenever more than one tick has passed
            break;
        case 0:
        case 19:
            custom = true;
            break;
        default:
            custom = mode > 30;
            break;
    }
    if (custom) {
        PlayCustomEffect();
    } else if (counter >= threshold) {
        counter = 0;
        switch (mode) {
            case 4:
                PreviewColourCycle();
                break;
            case 5:
                PreviewBreathe();
                break;
            case 6:
                PreviewStatic();
                break;
            case 23:
                PreviewFlash();
                break;
            case 26:
                PreviewBreatheFourColours();
                break;
            case 27:
                PreviewFlashFourColours();
                break;
            case 28:
                PreviewOff();
                break;
            default:
                PreviewKeyboardStep(mode);
                break;
        }
    }
    // The per-key settings lie over the frame.
    platform::LockGuard guard(ledListLock_);
    for (size_t i = 0; i < ledList_.size(); ++i) {
        const profile::LedEntry& entry = ledList_[i];
        if (entry.valid != 0 && entry.mode != 0)
            SetLedColour(static_cast<int>(i), LedColour{entry.red, entry.green, entry.blue,
                                                        ScaledLevel(255, entry.brightness)});
    }
}

}  // namespace devices
