#pragma once
// Devices of ours that are plugged in but that the system does not let us open (on Linux a
// hidraw node without read and write access for the user): the program and t418-zenctl name
// the fix instead of saying that there is no device. Any thread.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform {

struct HidAccessProblem {
    std::string node;  // the system's name of the node ("/dev/hidraw3")
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

// Nodes of the given (vendor, product) pairs that exist and cannot be opened for reading and
// writing. Empty when every one can be, when there are none, and on the simulated bus.
std::vector<HidAccessProblem> InaccessibleHidDevices(
    const std::vector<std::pair<uint16_t, uint16_t>>& ids);

// The one-line fix, for messages.
const char* HidAccessFix();

}  // namespace platform
