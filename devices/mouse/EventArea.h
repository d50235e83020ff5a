#pragma once
// The event area the macros and the shoot-data sets reach the mouse in: a 16-byte header
// (0x55AA, total length, item count), one 16-bit offset per item, then the items (event
// count, two zero bytes, four bytes per event). Pure byte rules.
// Threads: any (no state).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include <json/value.h>

namespace devices::mouse {

constexpr size_t kEventAreaHeader = 16;
constexpr size_t kEventBytes = 4;
constexpr size_t kMaxMacroEvents = 60;
// Lengths and offsets are 16-bit fields of the header.
constexpr size_t kMaxEventArea = 0xFFFF;

using EncodedEvent = std::array<uint8_t, kEventBytes>;

// One event object ("Action", "Button", "Type", "Delay" as decimal text or number): delay
// low, delay high, type with bit 7 for "down", button.
EncodedEvent EncodeEvent(const Json::Value& event);
// Every element of an "Events" array; a non-array gives none.
std::vector<EncodedEvent> EncodeEvents(const Json::Value& events);

size_t EventAreaSize(const std::vector<std::vector<EncodedEvent>>& items);

// The whole area; nothing when its size or an item's event count does not fit the 16-bit
// fields of the format.
std::optional<std::vector<uint8_t>> BuildEventArea(
    const std::vector<std::vector<EncodedEvent>>& items);

}  // namespace devices::mouse
