#pragma once
// The identity of one HID interface: a row of the match table or a device slot.
#include <cstdint>
#include <string>

namespace hid {

// Device kinds.
constexpr uint16_t kKindKeyboard = 1;
constexpr uint16_t kKindMouseCable = 2;
constexpr uint16_t kKindMousePad = 3;
constexpr uint16_t kKindMouseReceiver = 6;
constexpr uint16_t kKindHeadset = 7;
constexpr uint16_t kKindKeyboardReceiver = 9;

// Interface roles.
constexpr uint16_t kRoleCommand = 0;
constexpr uint16_t kRoleEvent = 0xFF;

struct DeviceIdentity {
    uint16_t VendorID = 0;
    uint16_t ProductID = 0;
    uint16_t InterfaceNumber = 0;
    uint16_t CollectionNumber = 0;
    uint16_t Kind = 0;
    uint16_t Role = 0;
    uint16_t Connected = 0;
    uint16_t UsagePage = 0;
    uint16_t Usage = 0;
    uint16_t HasPartner = 0;
    uint16_t PartnerSlot = 0;
    std::string Path;

    bool IsFree() const { return Connected == 0 && Path.empty(); }
    // The four values a path gives: vendor, product, interface and collection.
    bool SamePathValues(const DeviceIdentity& other) const;
    // The path values plus usage page and usage.
    bool SameInterface(const DeviceIdentity& other) const;
};

// Equal in vendor, product, interface, collection, kind, role, usage page and usage; the
// connected flag, the partner fields and the path take no part.
bool operator==(const DeviceIdentity& a, const DeviceIdentity& b);

// Candidate identity from the values a path carries.
DeviceIdentity IdentityFromPath(const std::string& path);

}  // namespace hid
