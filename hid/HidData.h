#pragma once
// One entry of an open interface's input usage list: a button capability with the usages
// last seen pressed, or one value usage with its last raw and scaled value.
#include <cstdint>
#include <vector>

#include "platform/HidDescriptor.h"

namespace hid {

struct HidData {
    bool IsButtonData = false;
    uint32_t Status = platform::kHidStatusSuccess;
    uint16_t UsagePage = 0;
    uint8_t ReportID = 0;
    bool IsDataSet = false;

    struct ButtonData {
        uint16_t UsageMin = 0;
        uint16_t UsageMax = 0;
        uint32_t MaxUsageLength = 0;
        std::vector<uint16_t> Usages;  // MaxUsageLength entries; a 0 ends a shorter list
    } ButtonData;

    struct ValueData {
        uint16_t Usage = 0;
        uint32_t Value = 0;
        int32_t ScaledValue = 0;
    } ValueData;
};

}  // namespace hid
