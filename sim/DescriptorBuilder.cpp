#include "sim/DescriptorBuilder.h"

namespace sim {

void DescriptorBuilder::Put(uint8_t prefix, uint32_t value, int size) {
    uint8_t sizeCode = size == 4 ? 3 : static_cast<uint8_t>(size);
    bytes_.push_back(static_cast<uint8_t>(prefix | sizeCode));
    for (int i = 0; i < size; ++i) {
        bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

DescriptorBuilder& DescriptorBuilder::Unsigned(uint8_t prefix, uint32_t value) {
    int size = value <= 0xFF ? 1 : value <= 0xFFFF ? 2 : 4;
    Put(prefix, value, size);
    return *this;
}

DescriptorBuilder& DescriptorBuilder::Signed(uint8_t prefix, int32_t value) {
    int size = (value >= -128 && value <= 127) ? 1 : (value >= -32768 && value <= 32767) ? 2 : 4;
    Put(prefix, static_cast<uint32_t>(value), size);
    return *this;
}

}  // namespace sim
