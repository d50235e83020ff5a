#include "devices/keyboard/KeyboardAudio.h"

#include <atomic>

namespace devices::keyboard {
namespace {

std::atomic<uint32_t> gAudioCounter{0};

}  // namespace

uint32_t AudioLoudness(const uint32_t* values, size_t count) {
    if (values == nullptr || count == 0)
        return 0;
    if (count > kAudioBands)
        count = kAudioBands;
    uint64_t sum = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint64_t p = uint64_t{values[i]} * 600 / 2000;
        sum += p > 600 ? 500 : 600 - p;
    }
    const uint64_t a = sum / count;
    return static_cast<uint32_t>(25 - a * 25 / 600);
}

bool AddAudioLoudness(uint32_t loudness) {
    uint32_t now = gAudioCounter.load();
    for (;;) {
        const uint32_t next = now + loudness;
        const bool fire = next >= kAudioTriggerAt;
        if (gAudioCounter.compare_exchange_weak(now, fire ? 0 : next))
            return fire;
    }
}

void ResetAudioCounter() {
    gAudioCounter = 0;
}

}  // namespace devices::keyboard
