#pragma once
// Writes HID report descriptors item by item, choosing the shortest encoding of each value.
#include <cstdint>
#include <vector>

namespace sim {

class DescriptorBuilder {
  public:
    // Main item flags.
    static constexpr uint8_t kConstant = 0x01;
    static constexpr uint8_t kDataArrayAbs = 0x00;
    static constexpr uint8_t kDataVarAbs = 0x02;
    static constexpr uint8_t kDataVarRel = 0x06;
    // Collection kinds.
    static constexpr uint8_t kPhysical = 0x00;
    static constexpr uint8_t kApplication = 0x01;

    DescriptorBuilder& UsagePage(uint16_t page) { return Unsigned(0x04, page); }
    DescriptorBuilder& Usage(uint16_t usage) { return Unsigned(0x08, usage); }
    DescriptorBuilder& UsageMin(uint16_t usage) { return Unsigned(0x18, usage); }
    DescriptorBuilder& UsageMax(uint16_t usage) { return Unsigned(0x28, usage); }
    DescriptorBuilder& LogicalMin(int32_t v) { return Signed(0x14, v); }
    DescriptorBuilder& LogicalMax(int32_t v) { return Signed(0x24, v); }
    DescriptorBuilder& PhysicalMin(int32_t v) { return Signed(0x34, v); }
    DescriptorBuilder& PhysicalMax(int32_t v) { return Signed(0x44, v); }
    DescriptorBuilder& ReportSize(uint32_t bits) { return Unsigned(0x74, bits); }
    DescriptorBuilder& ReportId(uint8_t id) { return Unsigned(0x84, id); }
    DescriptorBuilder& ReportCount(uint32_t count) { return Unsigned(0x94, count); }
    DescriptorBuilder& Input(uint8_t flags) { return Unsigned(0x80, flags); }
    DescriptorBuilder& Output(uint8_t flags) { return Unsigned(0x90, flags); }
    DescriptorBuilder& Feature(uint8_t flags) { return Unsigned(0xB0, flags); }
    DescriptorBuilder& Collection(uint8_t kind) { return Unsigned(0xA0, kind); }
    DescriptorBuilder& EndCollection() {
        bytes_.push_back(0xC0);
        return *this;
    }
    // Constant padding of the given number of bits in an input report.
    DescriptorBuilder& InputPadding(uint32_t bits) {
        return ReportSize(bits).ReportCount(1).Input(kConstant);
    }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

  private:
    DescriptorBuilder& Unsigned(uint8_t prefix, uint32_t value);
    DescriptorBuilder& Signed(uint8_t prefix, int32_t value);
    void Put(uint8_t prefix, uint32_t value, int size);

    std::vector<uint8_t> bytes_;
};

}  // namespace sim
