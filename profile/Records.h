#pragma once
// The unpacked records of a profile document, with the exact byte layouts the device code
// copies (little-endian).
#include <array>
#include <cstddef>
#include <cstdint>

namespace profile {

// One key function: type and two parameters, stored in a document as
// type * 65536 + param1 * 256 + param2.
struct KeyAssignment {
    uint16_t keyIndex = 0;
    uint8_t type = 0;
    uint8_t param1 = 0;
    uint8_t param2 = 0;
    uint8_t spare = 0;

    uint32_t Code() const { return uint32_t{type} << 16 | uint32_t{param1} << 8 | param2; }
    static KeyAssignment FromCode(uint16_t keyIndex, uint32_t code);
    // Key index and spare take no part.
    bool SameFunction(const KeyAssignment& other) const {
        return type == other.type && param1 == other.param1 && param2 == other.param2;
    }
    friend bool operator==(const KeyAssignment&, const KeyAssignment&) = default;
};

// 12 bytes: index (u16), type, param1, param2, 0, then the same six for the default.
struct KeyRecord {
    KeyAssignment current;
    KeyAssignment defaults;

    static constexpr size_t kSize = 12;
    std::array<uint8_t, kSize> ToBytes() const;
    static KeyRecord FromBytes(const std::array<uint8_t, kSize>& bytes);
    friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};

// 9 bytes: enabled, separate X/Y, X (u16), Y (u16), red, green, blue. The same bytes are the
// stage's part of the mouse's settings block.
struct DpiStageRecord {
    uint8_t enabled = 0;
    uint8_t separateXY = 0;
    uint16_t x = 0;
    uint16_t y = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    static constexpr size_t kSize = 9;
    std::array<uint8_t, kSize> ToBytes() const;
    static DpiStageRecord FromBytes(const std::array<uint8_t, kSize>& bytes);
    friend bool operator==(const DpiStageRecord&, const DpiStageRecord&) = default;
};

// Eight 32-bit words of two 16-bit values each (low half first); see MouseProfiledata.h for
// which document key is which half.
using SystemRecord = std::array<uint32_t, 8>;

// Three words: ("Repeat", "RepeatDelay"), ("Key6Flag", "PollingRate"), ("WFlag", "WinFlag").
using KeyboardSystemRecord = std::array<uint32_t, 3>;

constexpr uint16_t LowHalf(uint32_t word) {
    return static_cast<uint16_t>(word & 0xFFFF);
}
constexpr uint16_t HighHalf(uint32_t word) {
    return static_cast<uint16_t>(word >> 16);
}
constexpr uint32_t MakeWord(uint16_t low, uint16_t high) {
    return uint32_t{low} | uint32_t{high} << 16;
}

}  // namespace profile
