#include "profile/Records.h"

namespace profile {
namespace {

void PutAssignment(uint8_t* out, const KeyAssignment& a) {
    out[0] = static_cast<uint8_t>(a.keyIndex & 0xFF);
    out[1] = static_cast<uint8_t>(a.keyIndex >> 8);
    out[2] = a.type;
    out[3] = a.param1;
    out[4] = a.param2;
    out[5] = a.spare;
}

KeyAssignment TakeAssignment(const uint8_t* in) {
    KeyAssignment a;
    a.keyIndex = static_cast<uint16_t>(in[0] | in[1] << 8);
    a.type = in[2];
    a.param1 = in[3];
    a.param2 = in[4];
    a.spare = in[5];
    return a;
}

}  // namespace

KeyAssignment KeyAssignment::FromCode(uint16_t keyIndex, uint32_t code) {
    KeyAssignment a;
    a.keyIndex = keyIndex;
    a.type = static_cast<uint8_t>(code >> 16);
    a.param1 = static_cast<uint8_t>(code >> 8);
    a.param2 = static_cast<uint8_t>(code);
    return a;
}

std::array<uint8_t, KeyRecord::kSize> KeyRecord::ToBytes() const {
    std::array<uint8_t, kSize> bytes{};
    PutAssignment(bytes.data(), current);
    PutAssignment(bytes.data() + 6, defaults);
    return bytes;
}

KeyRecord KeyRecord::FromBytes(const std::array<uint8_t, kSize>& bytes) {
    return {TakeAssignment(bytes.data()), TakeAssignment(bytes.data() + 6)};
}

std::array<uint8_t, DpiStageRecord::kSize> DpiStageRecord::ToBytes() const {
    return {enabled,
            separateXY,
            static_cast<uint8_t>(x & 0xFF),
            static_cast<uint8_t>(x >> 8),
            static_cast<uint8_t>(y & 0xFF),
            static_cast<uint8_t>(y >> 8),
            red,
            green,
            blue};
}

DpiStageRecord DpiStageRecord::FromBytes(const std::array<uint8_t, kSize>& bytes) {
    DpiStageRecord r;
    r.enabled = bytes[0];
    r.separateXY = bytes[1];
    r.x = static_cast<uint16_t>(bytes[2] | bytes[3] << 8);
    r.y = static_cast<uint16_t>(bytes[4] | bytes[5] << 8);
    r.red = bytes[6];
    r.green = bytes[7];
    r.blue = bytes[8];
    return r;
}

}  // namespace profile
