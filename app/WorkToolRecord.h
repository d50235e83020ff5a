#pragma once
// The answer to the work-tool query: a 1024-byte record of little-endian signed 32-bit values
// sent as copy-data (tag 5) to the window titled "ZoviDuri": 2, 3, 0, 2, the number of device
// types, then vendor ID, product ID and kind of each type in table order; zero after that.
// Pure; any thread.
#include <array>
#include <cstdint>
#include <span>

namespace app {

inline constexpr const char* kWorkToolWindowTitle = "ZoviDuri";
inline constexpr uint32_t kWorkToolRecordTag = 5;
inline constexpr size_t kWorkToolRecordBytes = 1024;

struct DeviceTypeIds {
    int32_t vendorId = 0;
    int32_t productId = 0;
    int32_t kind = 0;
};

// The four device types of the program (mouse, keyboard, mouse pad, headset), in table order.
std::span<const DeviceTypeIds> ProgramDeviceTypes();

// Types beyond what the record holds are left out (the count says how many are in it).
std::array<uint8_t, kWorkToolRecordBytes> BuildWorkToolRecord(std::span<const DeviceTypeIds> types);

}  // namespace app
