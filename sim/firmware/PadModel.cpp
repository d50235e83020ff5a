// The mouse pad as it leaves the factory.
#include "sim/firmware/PadModel.h"
#include "sim/firmware/DeviceModel.h"

namespace sim::firmware {

DeviceModel MousePadModel() {
    DeviceModel model;
    model.name = "mousepad";
    model.infoBlock[0] = 0xAA;  // 0x55AA little-endian
    model.infoBlock[1] = 0x55;
    model.infoBlock[2] = 0x02;  // firmware version 1.02
    model.infoBlock[3] = 0x01;
    model.infoBlock[7] = kInitialisedMark;
    model.memory.assign(kMemorySize, 0);
    for (size_t p = 0; p < kPadProfiles; ++p) {
        uint8_t* block = model.memory.data() + p * kPadProfileStride;
        block[0] = static_cast<uint8_t>(p);
        block[1] = static_cast<uint8_t>(1 + p);  // light mode code: colour cycle, breathing ...
        block[2] = 4;                            // brightness
        block[3] = 2;                            // 4 - speed
        block[4] = 1;                            // direction
        block[5] = 0;                            // multicolour
        block[6] = 0x00;                         // red, green, blue
        block[7] = 0x80;
        block[8] = 0xFF;
        // Bytes the program never changes: they must come back as they were read.
        for (size_t i = 9; i < kPadBlockSize; ++i)
            block[i] = static_cast<uint8_t>(0x30 + i);
    }
    model.memory[0] = 0;  // current onboard profile (also byte 0 of profile 0's block)
    model.keyIdentity.assign(kKeyTableSize, 0);
    model.keyByteTable.assign(kKeyTableSize, 0);
    model.powerState = {100, 0, 0, 0, 0, 0};  // no phone on the pad
    return model;
}

}  // namespace sim::firmware
