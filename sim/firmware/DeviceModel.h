#pragma once
// What one simulated device stores when it comes out of the factory.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sim::firmware {

constexpr size_t kInfoBlockSize = 34;
constexpr size_t kMemorySize = 64 * 1024;
constexpr size_t kKeyTableSize = 512;
constexpr size_t kKeyBanks = 4;
constexpr size_t kAreaSize = 8 * 1024;  // macro area and shoot area each
constexpr size_t kLightStreamSize = 2048;
constexpr size_t kProfileCount = 5;
constexpr size_t kMouseProfileStride = 128;
constexpr size_t kMouseSettingsSize = 87;
constexpr uint8_t kInitialisedMark = 0x12;

struct DeviceModel {
    std::string name;
    std::array<uint8_t, kInfoBlockSize> infoBlock{};
    std::vector<uint8_t> memory;        // kMemorySize bytes
    std::vector<uint8_t> keyIdentity;   // kKeyTableSize bytes, answered by 0x07
    std::vector<uint8_t> keyByteTable;  // kKeyTableSize bytes, answered by 0x1B
    std::vector<uint8_t> powerState;    // answered by 0x1A at address 0
    uint8_t dpiStages = 0;              // enabled stages a DPI key press cycles through
};

// The mouse: 16 key slots, the eleven page keys at slots 0..10, five onboard profiles of
// 87 bytes at profile x 128, a 2-byte power state (battery percent, charging).
DeviceModel MouseModel();
// The mouse pad (PadModel.cpp): no keys, 21-byte onboard blocks at profile x 64, a 6-byte
// power state whose byte 5 is the phone lying on the pad.
DeviceModel MousePadModel();

}  // namespace sim::firmware
