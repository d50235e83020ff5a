#pragma once
// The keyboard page's 170 positions and how they meet the device's key slots: the factory
// assignment of every position (which identifies its slot in the device's key table), and
// the position -> slot and position -> key byte maps built from the tables the keyboard
// answers. Pure rules. Threads: any.
#include <array>
#include <cstddef>
#include <cstdint>

#include "profile/Records.h"

namespace devices::keyboard {

constexpr int kPositions = 170;
// Positions the key and macro uploads walk (the rows of keys; the rest are LEDs only).
constexpr int kKeyPositions = 126;
constexpr uint8_t kNoSlot = 255;
constexpr uint8_t kKeyType = 0x20;  // a keyboard key: modifiers, then the key code

// The factory assignment of a position (type, modifiers, key code); (0x20, 0, 0) for a
// position without a key. Out-of-range positions are keyless.
profile::KeyAssignment FactoryCode(int position);
bool HasKey(int position);

using PositionMap = std::array<uint8_t, kPositions>;

struct KeyMaps {
    PositionMap slot;     // position -> device slot (kNoSlot: none)
    PositionMap keyByte;  // position -> that slot's key byte (kNoSlot: none)
};

// Maps every keyed position to the first of the first `slots` slots of `keyData` (three
// bytes each) that holds its factory code. Keyless positions never map, whatever the table
// holds. `slots` is capped at what the tables hold.
KeyMaps BuildKeyMaps(const uint8_t* keyData, const uint8_t* keyByteData, size_t tableBytes,
                     size_t slots);

}  // namespace devices::keyboard
