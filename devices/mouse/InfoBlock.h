#pragma once
// Marks of the mouse's information block that reading and writing both check.
#include <cstdint>

namespace devices {

// The block's first two bytes when the mouse holds a valid block.
constexpr uint16_t kInfoSignature = 0x55AA;
// Written into a new mouse's block once it has been set up.
constexpr uint8_t kInitialisedMark = 0x12;

}  // namespace devices
