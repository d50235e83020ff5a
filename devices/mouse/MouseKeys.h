#pragma once
// The mouse's eleven programmable keys in key-list order: the language key of each key's label
// and its factory assignment, by which the key is also found in the device's key table.
// Constant data; any thread.
#include <array>
#include <cstdint>

namespace devices::mouse {

struct MouseKey {
    const char* label;
    uint8_t type;
    uint8_t p1;
    uint8_t p2;
};

inline constexpr std::array<MouseKey, 11> kMouseKeys = {{
    {"mouse_key_left", 0x10, 0x01, 0x00},
    {"mouse_key_right", 0x10, 0x02, 0x00},
    {"mouse_key_middle", 0x10, 0x04, 0x00},
    {"mouse_key_forward", 0x10, 0x10, 0x00},
    {"mouse_key_back", 0x10, 0x08, 0x00},
    {"mouse_key_DPI_add", 0x13, 0x01, 0x00},
    {"mouse_key_DPI_sub", 0x13, 0x02, 0x00},
    {"mouse_key_DPI_loop", 0x13, 0x03, 0x00},
    {"keyboard_key_GM", 0xA0, 0x1B, 0x00},
    {"mouse_key_M8_key", 0x16, 0x90, 0x01},    // DPI shift
    {"mouse_key_fire_key", 0x14, 0x78, 0x02},  // fire: interval 120, 2 shots
}};

}  // namespace devices::mouse
