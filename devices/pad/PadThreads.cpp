// The pad's worker threads: what its notification channel's thread does with a code, and the
// preview thread that paces its LED preview by the mode table.
#include "devices/pad/OrvaneMousePadDevice.h"
#include "platform/Trace.h"

namespace devices {
namespace {

constexpr uint16_t kSettingsChanged = 0x0401;
constexpr int kRefreshTimer = 1002;
constexpr uint32_t kRefreshDelayMs = 50;
constexpr uint32_t kClosedIdleMs = 100;
// While nobody sees the picture the thread looks again this often (or at once when shown).
constexpr uint32_t kInactiveIdleMs = 1000;

}  // namespace

void COrvaneMousePadDevice::HandleNotification(int kind, uint16_t code) {
    platform::TraceF("mouse pad notification 0x%04X (kind %d)\n", code, kind);
    // A change made on the pad itself; every other code means nothing to the pad.
    if (code != kSettingsChanged)
        return;
    platform::Trace("接收到自动添加设备的同步信息要求\n");
    OnWindowThread([this] {
        if (!RequestTimer(kRefreshTimer, kRefreshDelayMs))
            RefreshFromDevice();
    });
}

void COrvaneMousePadDevice::StartPreviewThread() {
    StopPreviewThread();
    previewThread_.Start([this](platform::Event& stop) { PreviewThreadBody(stop); });
}

void COrvaneMousePadDevice::StopPreviewThread() {
    previewThread_.RequestStop();
    if (!previewThread_.Join(kPreviewStopWaitMs)) {
        platform::Trace("mouse pad preview thread: no end within the wait\n");
        previewThread_.Join(5000);
    }
}

void COrvaneMousePadDevice::PreviewThreadBody(platform::Event& stop) {
    uint32_t counter = 0;
    while (!stop.Wait(1)) {
        if (!channel_.IsOpen()) {
            if (stop.Wait(kClosedIdleMs))
                break;
            continue;
        }
        if (GetPreviewActive() == 0) {
            platform::Event::WaitAny({&stop, &previewResume_}, kInactiveIdleMs);
            continue;
        }
        PreviewPass(counter);
    }
    platform::Trace("MS灯光线程设定退出\n");
}

COrvaneMousePadDevice::PreviewStep COrvaneMousePadDevice::PreviewPass(uint32_t& counter) {
    if (channel_.Hold() != 0)
        return PreviewStep::None;
    ++counter;
    const uint8_t mode = previewMode_.load();
    // The custom player keeps its own time (the tick clock): it runs on every pass.
    if (mode == 5 || mode > 8) {
        PlayCustomEffect();
        return PreviewStep::Custom;
    }
    const uint8_t speed = previewSpeed_.load();
    const uint32_t threshold = kStepThresholds[speed < kStepThresholds.size() ? speed : 4];
    if (counter < threshold)
        return PreviewStep::None;
    counter = 0;
    switch (mode) {
        case 0:
            PreviewNeon();
            return PreviewStep::Neon;
        case 1:
            PreviewColourCycle();
            return PreviewStep::ColourCycle;
        case 2:
            PreviewBreathe();
            return PreviewStep::Breathe;
        case 3:
            PreviewStatic();
            return PreviewStep::Static;
        case 4:
            PreviewFlash();
            return PreviewStep::Flash;
        case 6:
            PreviewReactive();
            return PreviewStep::Reactive;
        case 7:
            PreviewWave();
            return PreviewStep::Wave;
        default:
            PreviewOff();
            return PreviewStep::Off;
    }
}

}  // namespace devices
