#include "sim/firmware/DeviceModel.h"

namespace sim::firmware {
namespace {

void FillInfoSignature(DeviceModel& model) {
    model.infoBlock[0] = 0xAA;  // 0x55AA little-endian
    model.infoBlock[1] = 0x55;
    model.infoBlock[7] = kInitialisedMark;
}

void FillMouseProfile(std::vector<uint8_t>& memory, size_t profile) {
    uint8_t* block = memory.data() + profile * kMouseProfileStride;
    block[1] = 0;     // light mode
    block[2] = 3;     // brightness
    block[3] = 2;     // 4 - speed
    block[5] = 0;     // multicolour
    block[6] = 0xFF;  // red
    block[7] = 0x40;  // blue
    block[8] = 0x20;  // green
    block[11] = 1;    // report-rate code
    block[12] = 0;    // active stage
    const uint16_t dpis[7] = {400, 800, 1600, 2400, 3200, 6400, 12000};
    const uint8_t colours[7][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},    {255, 255, 0},
                                   {0, 255, 255}, {255, 0, 255}, {255, 255, 255}};
    for (size_t i = 0; i < 7; ++i) {
        uint8_t* stage = block + 14 + 9 * i;
        stage[0] = i < 5 ? 1 : 0;  // enabled
        stage[1] = 0;              // X and Y together
        stage[2] = static_cast<uint8_t>(dpis[i] & 0xFF);
        stage[3] = static_cast<uint8_t>(dpis[i] >> 8);
        stage[4] = stage[2];
        stage[5] = stage[3];
        stage[6] = colours[i][0];
        stage[7] = colours[i][1];
        stage[8] = colours[i][2];
    }
    block[77] = 10;  // wireless sleep times
    block[78] = 30;
    block[79] = 5;  // device sleep times
    block[80] = 10;
    block[81] = 4;  // key debounce
    block[84] = 1;  // ripple
}

}  // namespace

DeviceModel MouseModel() {
    DeviceModel model;
    model.name = "mouse";
    FillInfoSignature(model);
    model.infoBlock[2] = 0x03;  // firmware version 1.03
    model.infoBlock[3] = 0x01;
    model.infoBlock[5] = 16;    // key slots
    model.infoBlock[6] = 64;    // macro area in units of 128 bytes (8 KiB)
    model.infoBlock[9] = 0x95;  // sensor 0x3395
    model.infoBlock[10] = 0x33;
    model.infoBlock[11] = 50;   // DPI step
    model.infoBlock[12] = 120;  // DPI steps
    model.infoBlock[14] = 50;   // DPI base
    model.memory.assign(kMemorySize, 0);
    for (size_t p = 0; p < kProfileCount; ++p)
        FillMouseProfile(model.memory, p);
    model.memory[0] = 0;  // current onboard profile (also byte 0 of profile 0's block)
    // Factory codes of the eleven page keys, in slot order.
    const uint8_t codes[11][3] = {{0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00},
                                  {0x10, 0x10, 0x00}, {0x10, 0x08, 0x00}, {0x13, 0x01, 0x00},
                                  {0x13, 0x02, 0x00}, {0x13, 0x03, 0x00}, {0xA0, 0x1B, 0x00},
                                  {0x16, 0x90, 0x01}, {0x14, 0x78, 0x02}};
    model.keyIdentity.assign(kKeyTableSize, 0);
    for (size_t k = 0; k < 11; ++k)
        for (size_t b = 0; b < 3; ++b)
            model.keyIdentity[3 * k + b] = codes[k][b];
    model.keyByteTable.assign(kKeyTableSize, 0);
    for (size_t k = 0; k < 16; ++k)
        model.keyByteTable[k] = static_cast<uint8_t>(k);
    model.powerState = {85, 0};  // 85 %, not charging
    model.dpiStages = 5;
    return model;
}

}  // namespace sim::firmware
