// Seeded random mutations of real-shaped descriptors through the parser and the report
// decoding: the GCC builds' stand-in for the fuzz target (fuzz/), bounded in time so it stays
// cheap in every test run; under the sanitizers it finds overflows and reads out of bounds.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "DescriptorExercise.h"
#include "TestDescriptors.h"
#include "sim/BusDevices.h"

namespace {

TEST(DescriptorMutations, MutatedDescriptorsNeverCrashTheParserOrTheDecoder) {
    std::vector<hidtest::Bytes> seeds;
    for (const auto& [name, bytes] : hidtest::AllTestDescriptors())
        seeds.push_back(bytes);
    for (const sim::BusDevice& device : sim::KnownBusDevices())
        for (const sim::BusInterface& iface : device.interfaces)
            seeds.push_back(iface.reportDescriptor);
    // Items that change sizes, ranges and structure the most.
    const hidtest::Bytes tokens[] = {
        {0x75, 0x40},                    // Report Size 64
        {0x76, 0x00, 0x01},              // Report Size 256
        {0x96, 0xFF, 0x3F},              // Report Count 16383
        {0x17, 0x00, 0x00, 0x00, 0x80},  // Logical Min -2^31
        {0x27, 0xFF, 0xFF, 0xFF, 0x7F},  // Logical Max 2^31 - 1
        {0x37, 0x00, 0x00, 0x00, 0x80},  // Physical Min -2^31
        {0x47, 0xFF, 0xFF, 0xFF, 0x7F},  // Physical Max 2^31 - 1
        {0x85, 0x01},                    // Report ID 1
        {0xA1, 0x01},                    // Collection
        {0xC0},                          // End Collection
        {0x81, 0x02},                    // Input (Data, Var)
        {0x81, 0x00},                    // Input (Data, Array)
        {0xA4},                          // Push
        {0xB4},                          // Pop
        {0x1B, 0x00, 0x00, 0x0D, 0x00},  // Usage Min with page
    };
    std::mt19937 random(20240611);
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int runs = 0;
    while (runs < 3000 && std::chrono::steady_clock::now() < deadline) {
        hidtest::Bytes bytes = seeds[pick(seeds.size())];
        for (size_t m = 1 + pick(6); m > 0; --m) {
            const size_t at = pick(bytes.size() + 1);
            switch (pick(4)) {
                case 0:
                    if (at < bytes.size())
                        bytes[at] = static_cast<uint8_t>(random());
                    break;
                case 1: {
                    const hidtest::Bytes& token = tokens[pick(std::size(tokens))];
                    bytes.insert(bytes.begin() + static_cast<long>(at), token.begin(), token.end());
                    break;
                }
                case 2:
                    bytes.erase(
                        bytes.begin() + static_cast<long>(at),
                        bytes.begin() + static_cast<long>(std::min(bytes.size(), at + pick(8))));
                    break;
                default: {
                    const size_t from = pick(bytes.size());
                    const hidtest::Bytes piece(
                        bytes.begin() + static_cast<long>(from),
                        bytes.begin() + static_cast<long>(std::min(bytes.size(), from + pick(32))));
                    bytes.insert(bytes.begin() + static_cast<long>(at), piece.begin(), piece.end());
                    break;
                }
            }
        }
        const uint8_t filler[] = {0xFF, 0x00, 0x80, 0x7F, 0x01, static_cast<uint8_t>(runs)};
        hidtest::ExerciseDescriptor(bytes.data(), bytes.size(), filler, sizeof filler);
        ++runs;
    }
    EXPECT_GT(runs, 100);
}

}  // namespace
