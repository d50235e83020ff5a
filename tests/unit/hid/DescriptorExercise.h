#pragma once
// Runs a descriptor through everything the program does with one: the parse, each
// collection's capabilities, and the decoding of a report of each of its input report IDs
// made of the given filler bytes. Shared by the seeded mutation test and the fuzz target.
#include <cstdint>
#include <vector>

#include "platform/HidDescriptor.h"

namespace hidtest {

inline void ExerciseDescriptor(const uint8_t* data, size_t size, const uint8_t* filler,
                               size_t fillerSize) {
    platform::HidReportDescriptor descriptor;
    if (!platform::ParseReportDescriptor(data, size, descriptor))
        return;
    std::vector<uint16_t> usages;
    for (const platform::HidCollection& c : descriptor.collections) {
        const auto buttons = c.InputButtonCaps();
        const auto values = c.InputValueCaps();
        for (uint8_t id : c.inputReportIds) {
            // The collection's length, one byte short of it, and one more than it.
            for (int delta : {0, -1, 1}) {
                const int length = c.inputReportByteLength + delta;
                if (length <= 0)
                    continue;
                std::vector<uint8_t> report(static_cast<size_t>(length));
                for (size_t i = 0; i < report.size(); ++i)
                    report[i] = fillerSize ? filler[i % fillerSize] : static_cast<uint8_t>(i);
                report[0] = id;
                const auto n = static_cast<uint32_t>(report.size());
                for (const auto& b : buttons) {
                    platform::GetInputUsages(c, b.usagePage, report.data(), n,
                                             platform::MaxInputUsageListLength(c, b.usagePage),
                                             usages);
                }
                for (const auto& v : values) {
                    // A few usages of each range keep a run short.
                    for (uint32_t usage = v.usageMin;
                         usage <= v.usageMax && usage < v.usageMin + 16u; ++usage) {
                        uint32_t raw = 0;
                        int32_t scaled = 0;
                        const auto u = static_cast<uint16_t>(usage);
                        platform::GetInputUsageValue(c, v.usagePage, u, report.data(), n, raw);
                        platform::GetInputScaledUsageValue(c, v.usagePage, u, report.data(), n,
                                                           scaled);
                    }
                }
            }
        }
    }
}

}  // namespace hidtest
