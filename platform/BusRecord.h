#pragma once
// The wire form of one bus record (little-endian, one socket packet each):
//   u32 magic "T4ZB", u16 version 2, u16 kind (1 posted, 2 copy-data), u32 message,
//   u32 tag, u64 wParam, i64 lParam, u32 data length, u32 reserved 0, u64 deadline (copy-data:
//   the sender's deadline in steady-clock milliseconds, 0 for none; posted: 0), then the data.
// A record is accepted only when every field is valid and the packet is exactly as long as
// its header says. Any thread.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/MessageBus.h"

namespace platform::bus_record {

constexpr size_t kHeaderBytes = 48;
constexpr size_t kMaxRecordBytes = kHeaderBytes + kMaxCopyDataBytes;

std::string Encode(const BusMessage& message);

// The message, or empty with the reason in *why.
std::optional<BusMessage> Decode(std::string_view packet, std::string* why);

}  // namespace platform::bus_record
