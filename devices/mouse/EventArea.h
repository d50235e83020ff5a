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

// The fields of one event object as the mouse takes them.
struct EventFields {
    bool down = false;   // "Action" is "down"
    uint8_t button = 0;  // "Button", low byte
    uint8_t type = 0;    // "Type", seven bits (bit 7 of the encoding is the action)
    uint16_t delay = 0;  // "Delay", decimal text or number, clamped to 0-65535
};

// How a "Delay" above 65535 reaches the mouse: a macro plays its longest delay; a shoot-data
// set sends the low 16 bits of the number it stores (its delay edit takes five digits, and
// what the file keeps is what the user typed). Negative delays read as 0 and fractions are
// clamped under both rules.
enum class DelayRule { kClamp, kLow16 };

// The one reader of event objects, shared by the encoder and the macro files so that what is
// shown, saved and sent agree. Nothing when the value is not an object or a member has the
// wrong type ("Action" not text, "Button" or "Type" not a whole number, "Delay" neither text
// nor a number); a missing member reads as up, 0, 0, 0. Delay text is read as far as it is
// a decimal number. Never throws.
std::optional<EventFields> ReadEventFields(const Json::Value& event,
                                           DelayRule rule = DelayRule::kClamp);

// Delay low, delay high, type with bit 7 for "down", button.
EncodedEvent EncodeFields(const EventFields& fields);
// One event object; an unusable one encodes as zeros.
EncodedEvent EncodeEvent(const Json::Value& event);
// Every usable element of an "Events" array, in order; unusable elements are skipped and a
// non-array gives none.
std::vector<EncodedEvent> EncodeEvents(const Json::Value& events,
                                       DelayRule rule = DelayRule::kClamp);

size_t EventAreaSize(const std::vector<std::vector<EncodedEvent>>& items);

// The whole area; nothing when its size or an item's event count does not fit the 16-bit
// fields of the format.
std::optional<std::vector<uint8_t>> BuildEventArea(
    const std::vector<std::vector<EncodedEvent>>& items);

}  // namespace devices::mouse
