#include "hid/DeviceMatchTable.h"

#include <algorithm>

namespace hid {
namespace {

DeviceIdentity Row(uint16_t vid, uint16_t pid, uint16_t iface, uint16_t collection, uint16_t kind,
                   uint16_t role, uint16_t usagePage, uint16_t usage, uint16_t hasPartner,
                   uint16_t partner) {
    DeviceIdentity r;
    r.VendorID = vid;
    r.ProductID = pid;
    r.InterfaceNumber = iface;
    r.CollectionNumber = collection;
    r.Kind = kind;
    r.Role = role;
    r.UsagePage = usagePage;
    r.Usage = usage;
    r.HasPartner = hasPartner;
    r.PartnerSlot = partner;
    return r;
}

}  // namespace

const std::vector<DeviceIdentity>& DeviceMatchTable() {
    // Keyboards carry product 0 and so are never claimed here; their rows keep slot numbers.
    static const std::vector<DeviceIdentity> table = {
        Row(0x320F, 0x0000, 1, 4, kKindKeyboard, kRoleCommand, 0xFF1C, 0x92, 1, 2),
        Row(0x320F, 0x0000, 0, 3, kKindKeyboard, kRoleEvent, 0x000C, 0x01, 1, 3),
        Row(0x320F, 0x0000, 1, 4, kKindKeyboardReceiver, kRoleCommand, 0xFF1C, 0x92, 1, 0),
        Row(0x320F, 0x0000, 0, 3, kKindKeyboardReceiver, kRoleEvent, 0x000C, 0x01, 1, 1),
        Row(0x320F, 0x22A4, 1, 2, kKindMouseCable, kRoleCommand, 0xFF1C, 0x92, 1, 6),
        Row(0x320F, 0x22A4, 0, 3, kKindMouseCable, kRoleEvent, 0x000C, 0x01, 1, 7),
        Row(0x320F, 0x226F, 1, 2, kKindMouseReceiver, kRoleCommand, 0xFF1C, 0x92, 1, 4),
        Row(0x320F, 0x226F, 0, 3, kKindMouseReceiver, kRoleEvent, 0x000C, 0x01, 1, 5),
        Row(0x320F, 0x1004, 1, 4, kKindMousePad, kRoleCommand, 0xFF1C, 0x92, 0, 0),
        Row(0x320F, 0x1004, 0, 3, kKindMousePad, kRoleEvent, 0x000C, 0x01, 0, 0),
        Row(0x0C76, 0x1630, 3, 0, kKindHeadset, kRoleCommand, 0x000C, 0x01, 0, 0),
    };
    return table;
}

int FindMatchRow(const DeviceIdentity& candidate, bool withUsage) {
    const auto& table = DeviceMatchTable();
    for (size_t i = 0; i < table.size(); ++i) {
        bool same =
            withUsage ? table[i].SameInterface(candidate) : table[i].SamePathValues(candidate);
        if (same)
            return static_cast<int>(i);
    }
    return -1;
}

const char* KindName(uint16_t kind) {
    switch (kind) {
        case kKindKeyboard:
            return "keyboard";
        case kKindKeyboardReceiver:
            return "keyboard-receiver";
        case kKindMouseCable:
            return "mouse-cable";
        case kKindMouseReceiver:
            return "mouse-receiver";
        case kKindMousePad:
            return "pad";
        case kKindHeadset:
            return "headset";
        default:
            return "unknown";
    }
}

const char* RoleName(uint16_t role) {
    return role == kRoleCommand ? "command" : role == kRoleEvent ? "event" : "unknown";
}

std::vector<std::pair<uint16_t, uint16_t>> ClaimedProductIds() {
    std::vector<std::pair<uint16_t, uint16_t>> ids;
    for (const DeviceIdentity& row : DeviceMatchTable()) {
        std::pair<uint16_t, uint16_t> id(row.VendorID, row.ProductID);
        if (row.ProductID != 0 && std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
    }
    return ids;
}

}  // namespace hid
