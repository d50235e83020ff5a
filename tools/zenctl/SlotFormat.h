#pragma once
// One device slot as a line of t418-zenctl output.
#include <cstdio>
#include <string>

#include "hid/DeviceIdentity.h"
#include "hid/DeviceMatchTable.h"

namespace zenctl {

inline std::string FormatSlot(size_t index, const hid::DeviceIdentity& slot) {
    char line[160];
    std::snprintf(line, sizeof line, "%2zu  %-17s %-7s %04x:%04x  mi %u  col %u  %04x:%04x  ",
                  index, hid::KindName(slot.Kind), hid::RoleName(slot.Role), slot.VendorID,
                  slot.ProductID, slot.InterfaceNumber, slot.CollectionNumber, slot.UsagePage,
                  slot.Usage);
    return line + slot.Path;
}

}  // namespace zenctl
