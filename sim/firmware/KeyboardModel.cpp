#include "sim/firmware/KeyboardModel.h"

#include <algorithm>
#include <array>

namespace sim::firmware {
namespace {

// The keyboard's key codes (USB keyboard usages), in no particular order; the identity
// table lists them sorted.
constexpr std::array<uint8_t, kKeyboardKeys> kKeyboardUsages = {
    0x29, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47,
    0x48, 0x35, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x2D, 0x2E, 0x2A,
    0x49, 0x4A, 0x4B, 0x53, 0x54, 0x55, 0x56, 0x2B, 0x14, 0x1A, 0x08, 0x15, 0x17, 0x1C, 0x18,
    0x0C, 0x12, 0x13, 0x2F, 0x30, 0x31, 0x4C, 0x4D, 0x4E, 0x5F, 0x60, 0x61, 0x57, 0x39, 0x04,
    0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F, 0x33, 0x34, 0x28, 0x5C, 0x5D, 0x5E, 0xE1,
    0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11, 0x10, 0x36, 0x37, 0x38, 0xE5, 0x52, 0x59, 0x5A, 0x5B,
    0x58, 0xE0, 0xE3, 0xE2, 0x2C, 0xE6, 0xE7, 0x65, 0xE4, 0x50, 0x51, 0x4F, 0x62, 0x63};

}  // namespace

DeviceModel KeyboardModel() {
    DeviceModel model;
    model.name = "keyboard";
    model.infoBlock[0] = 0xAA;
    model.infoBlock[1] = 0x55;
    model.infoBlock[2] = 0x02;  // firmware version 1.02
    model.infoBlock[3] = 0x01;
    model.infoBlock[5] = static_cast<uint8_t>(kKeyboardKeys);
    model.infoBlock[6] = 64;  // macro area in units of 128 bytes
    model.infoBlock[7] = kInitialisedMark;
    model.memory.assign(kMemorySize, 0);
    // Onboard profile 0 (the blocks of later profiles overlap it: only 0 is filled).
    uint8_t* block = model.memory.data();
    block[0] = 0;     // current onboard profile
    block[1] = 6;     // light mode code: static
    block[2] = 4;     // brightness
    block[3] = 2;     // 4 - speed
    block[4] = 1;     // direction
    block[5] = 0;     // multicolour
    block[6] = 0x20;  // red
    block[7] = 0xC0;  // green
    block[8] = 0xFF;  // blue
    block[19] = 0;    // W flag
    block[20] = 1;    // 6-key flag
    block[21] = 0;    // Win lock flag
    block[22] = 3;    // report rate
    std::array<uint8_t, kKeyboardKeys> sorted = kKeyboardUsages;
    std::sort(sorted.begin(), sorted.end());
    model.keyIdentity.assign(kKeyTableSize, 0);
    model.keyByteTable.assign(kKeyTableSize, 0);
    for (size_t slot = 0; slot < kKeyboardKeys; ++slot) {
        model.keyIdentity[3 * slot] = kKeyboardKeyType;
        model.keyIdentity[3 * slot + 2] = sorted[slot];
        model.keyByteTable[slot] = KeyboardKeyByte(slot);
    }
    // Battery 90 %, not charging; the host marks byte 3 (receiver); byte 4 is the state the
    // power message carries.
    model.powerState = {90, 0, 0, 0, 2, 0};
    return model;
}

}  // namespace sim::firmware
