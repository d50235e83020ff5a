#include "app/audio/AudioWatchdog.h"

#include "app/audio/AudioRules.h"
#include "platform/SingleInstance.h"
#include "platform/Trace.h"

namespace app::audio {

AudioWatchdog::AudioWatchdog(std::function<void(bool held)> onChange, std::function<bool()> probe,
                             uint32_t passMs, uint32_t missingExtraMs)
    : onChange_(std::move(onChange)),
      probe_(std::move(probe)),
      passMs_(passMs),
      missingExtraMs_(missingExtraMs) {
    if (!probe_)
        probe_ = [] { return platform::InstanceIsRunning(kAudioLockName); };
}

AudioWatchdog::~AudioWatchdog() {
    thread_.Stop(1000);
}

bool AudioWatchdog::Start() {
    // The body keeps its own copies: a thread left behind at shutdown touches nothing else.
    auto onChange = onChange_;
    auto probe = probe_;
    return thread_.Start(
        [onChange, probe, passMs = passMs_, extraMs = missingExtraMs_](platform::Event& stop) {
            int last = -1;
            while (!stop.Wait(1) && !stop.Wait(passMs)) {
                const bool held = probe();
                if (static_cast<int>(held) != last) {
                    last = held ? 1 : 0;
                    if (onChange)
                        onChange(held);
                }
                if (!held && stop.Wait(extraMs))
                    break;
            }
            platform::Trace("AudioDaemonThreadPrc stop");
        });
}

}  // namespace app::audio
