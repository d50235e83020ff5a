#include "app/WorkToolRecord.h"

namespace app {

std::span<const DeviceTypeIds> ProgramDeviceTypes() {
    static constexpr std::array<DeviceTypeIds, 4> kTypes = {
        {{0x320F, 0x22A4, 2}, {0x320F, 0x0000, 1}, {0x320F, 0x1004, 3}, {0x0C76, 0x1630, 7}}};
    return kTypes;
}

std::array<uint8_t, kWorkToolRecordBytes> BuildWorkToolRecord(
    std::span<const DeviceTypeIds> types) {
    std::array<uint8_t, kWorkToolRecordBytes> record{};
    size_t at = 0;
    auto put = [&record, &at](int32_t value) {
        uint32_t bits = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            record[at++] = static_cast<uint8_t>(bits >> (8 * i));
    };
    constexpr size_t kHeaderValues = 5;
    constexpr size_t kMaxTypes = (kWorkToolRecordBytes / 4 - kHeaderValues) / 3;
    size_t count = types.size() < kMaxTypes ? types.size() : kMaxTypes;
    for (int32_t v : {2, 3, 0, 2})
        put(v);
    put(static_cast<int32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        put(types[i].vendorId);
        put(types[i].productId);
        put(types[i].kind);
    }
    return record;
}

}  // namespace app
