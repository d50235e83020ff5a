#pragma once
// The eleven supported HID interfaces, in slot order.
#include <cstddef>
#include <utility>
#include <vector>

#include "hid/DeviceIdentity.h"

namespace hid {

constexpr size_t kDeviceMatchTableSize = 11;

const std::vector<DeviceIdentity>& DeviceMatchTable();

// Index of the first row equal to the candidate in vendor, product, interface, collection,
// usage page and usage (or only the four path values), or -1.
int FindMatchRow(const DeviceIdentity& candidate, bool withUsage);

// Short names for listings: "keyboard", "mouse-cable", ...; "command" / "event".
const char* KindName(uint16_t kind);
const char* RoleName(uint16_t role);

// The distinct (vendor, product) pairs the table claims (rows of product 0 are never claimed).
std::vector<std::pair<uint16_t, uint16_t>> ClaimedProductIds();

}  // namespace hid
