#pragma once
// The devices the simulator can plug in: their USB identity, their HID interfaces with
// realistic report descriptors, and which top-level collection is which.
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

enum class CollectionRole { Command, Event, Other };

struct BusCollection {
    int number = 0;  // 1-based within the interface; 0 when the interface has only this one
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    CollectionRole role = CollectionRole::Other;
};

struct BusInterface {
    int number = 0;
    std::vector<uint8_t> reportDescriptor;  // of the whole interface
    std::vector<BusCollection> collections;
};

struct BusDevice {
    std::string name;  // "mouse-cable", "mouse-receiver", "pad", "headset", "lookalike", ...
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
    std::vector<BusInterface> interfaces;
    // Plugged only when named: not in the simulator's default set nor in "plug all".
    bool onRequest = false;
};

// Every device the simulator knows, in a fixed order.
const std::vector<BusDevice>& KnownBusDevices();
const BusDevice* FindBusDevice(const std::string& name);

// The product of the test-only keyboard receiver: no row of the program's tables names it;
// tests build their own slot list for it.
constexpr uint16_t kTestKeyboardReceiverProduct = 0x7FF9;

// The folder name of one published collection, e.g. "mouse-cable-if1-col2".
std::string CollectionId(const BusDevice& device, const BusInterface& iface,
                         const BusCollection& collection);

}  // namespace sim
