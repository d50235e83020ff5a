// libFuzzer target: any bytes as a report descriptor, through the parser, every collection's
// capabilities and the decoding of reports of each of its input report IDs (filled from the
// same bytes). Built only with clang (-fsanitize=fuzzer); see the folder's CMakeLists.txt.
// Run: build-clang/bin/descriptor_fuzz -max_total_time=60 tests/unit/hid/fuzz/seeds
// The seeds are the descriptors of tests/unit/hid/TestDescriptors.h and of the simulator's
// devices, one raw file each.
#include <cstddef>
#include <cstdint>

#include "tests/unit/hid/DescriptorExercise.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    hidtest::ExerciseDescriptor(data, size, data, size);
    return 0;
}
