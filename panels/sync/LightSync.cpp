#include "panels/sync/LightSync.h"

#include "devices/OrvaneUSBDevice.h"
#include "devices/PreviewEngine.h"
#include "platform/Trace.h"

namespace panels::sync {

void LightSyncShared::SetParams(const SyncParams& params) {
    std::lock_guard<std::mutex> hold(lock_);
    params_ = params;
}

SyncParams LightSyncShared::Params() const {
    std::lock_guard<std::mutex> hold(lock_);
    return params_;
}

void LightSyncShared::SetDevices(std::vector<devices::COrvaneUSBDevice*> devices) {
    std::lock_guard<std::mutex> hold(lock_);
    devices_ = std::move(devices);
}

void LightSyncShared::CopyPaused(std::vector<devices::COrvaneUSBDevice*>& paused) const {
    paused.clear();
    std::lock_guard<std::mutex> hold(lock_);
    for (devices::COrvaneUSBDevice* device : devices_) {
        hid::CHidChannel& channel = device->Channel();
        if (channel.IsOpen() && channel.Hold() != 0)
            paused.push_back(device);
    }
}

// The thread's own state: the effect counters and the pass counter live here alone.
struct LightSyncThread::Loop {
    std::shared_ptr<LightSyncShared> shared;
    devices::TickClock* clock;
    SyncEffectState effect;
    SyncPassCounter counter;
    std::vector<devices::COrvaneUSBDevice*> paused;

    void Run(platform::Event& stop) {
        counter.noted = clock->NowMs();
        counter.passes = 0;
        for (;;) {
            if (stop.Wait(kPassWaitMs))
                break;
            shared->CopyPaused(paused);
            if (paused.empty()) {
                if (stop.Wait(kIdleWaitMs))
                    break;
                continue;
            }
            const SyncParams params = shared->Params();
            const uint32_t now = clock->NowMs();
            if (!CountPass(counter, now, params.speed))
                continue;
            const devices::LedColour colour = UnpackSyncColour(SyncStep(effect, params, now));
            for (devices::COrvaneUSBDevice* device : paused) {
                const int leds = device->GetLedCount();
                for (int led = 0; led < leds; ++led)
                    device->SetLedColour(led, colour);
            }
        }
        platform::Trace("同步灯光线程设定退出");
    }
};

LightSyncThread::LightSyncThread(std::shared_ptr<LightSyncShared> shared, devices::TickClock* clock)
    : shared_(std::move(shared)), clock_(clock ? clock : &devices::SystemTickClock()) {}

LightSyncThread::~LightSyncThread() {
    thread_.Stop(platform::StoppableThread::kDefaultStopOnDestroyMs);
}

bool LightSyncThread::Start() {
    if (!shared_)
        return false;
    auto loop = std::make_shared<Loop>();
    loop->shared = shared_;
    loop->clock = clock_;
    return thread_.Start([loop](platform::Event& stop) { loop->Run(stop); });
}

}  // namespace panels::sync
