#include "devices/ReactiveState.h"

#include <algorithm>

namespace devices {
namespace {

uint8_t Minus(uint8_t value, int amount) {
    return static_cast<uint8_t>(std::max(0, int(value) - amount));
}

uint8_t FadeStep(uint8_t v, int mode) {
    if (mode == 29) {
        if (v & 0x90)
            return Minus(v, 45);
        if (v & 0x70)
            return Minus(v, 35);
        return Minus(v, v > 0 ? 1 : 0);
    }
    if (v >= 128)
        return Minus(v, 40);
    if (v & 0x40)
        return Minus(v, 30);
    if (v & 0x20)
        return Minus(v, mode == 0 ? 15 : 10);
    if (v > 16)
        return Minus(v, 8);
    return Minus(v, v > 0 ? 1 : 0);
}

}  // namespace

void ReactiveState::FadeKey(int index, int mode) {
    if (index < 0 || index >= kKeys)
        return;
    uint8_t& v = keyIntensity[static_cast<size_t>(index) + 1];
    v = FadeStep(v, mode);
}

void ReactiveState::LightPressedKeys() {
    for (size_t i = 0; i < 9; ++i) {
        if (ring[i] != 0)
            keyIntensity[i + 1] = 255;
    }
}

void ReactiveState::RotateRing(bool forward) {
    if (forward) {
        std::rotate(ring.rbegin(), ring.rbegin() + 1, ring.rend());
    } else {
        std::rotate(ring.begin(), ring.begin() + 1, ring.end());
    }
}

void ReactiveState::Clear() {
    keyIntensity.fill(0);
    ring.fill(0);
}

}  // namespace devices
