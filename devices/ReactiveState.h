#pragma once
// The state of the keyboard-style reactive previews: a fading intensity per key (keys 1-170;
// entry 0 unused), a level and colour index per LED, and the 23-place ring of flags that
// the wave preview rotates. Owned by the device object; the preview thread steps it.
#include <array>
#include <cstdint>

namespace devices {

struct ReactiveState {
    static constexpr int kKeys = 170;
    static constexpr int kRingSize = 23;

    std::array<uint8_t, kKeys> level{};   // per LED
    std::array<uint8_t, kKeys> colour{};  // per LED, colour wheel index
    std::array<uint8_t, kKeys + 1> keyIntensity{};
    std::array<uint8_t, kRingSize> ring{};

    // One fade step of key index + 1 (index 0-169; others are ignored). Mode 0, mode 29 and
    // every other mode fade at their own rates; a key never fades below 0.
    void FadeKey(int index, int mode);
    // Keys 1-9 light fully where the first nine ring flags are set.
    void LightPressedKeys();
    // Forward: every flag one place up, the last wraps to the first; backward the reverse.
    void RotateRing(bool forward);
    // Key intensities and the ring to zero.
    void Clear();
};

}  // namespace devices
