#include "platform/HidTransport.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/FileIO.h"

namespace platform {
namespace {

std::atomic<HidTransport*> g_testTransport{nullptr};

}  // namespace

HidTransport& DefaultHidTransport() {
    if (HidTransport* injected = g_testTransport.load())
        return *injected;
    // Chosen once: the environment of a running process does not change its bus.
    static std::unique_ptr<HidTransport> transport = [] {
        const char* bus = std::getenv("T418_ZEN_SIMBUS");
        if (bus && *bus && FolderExists(bus))
            return MakeSimBusTransport(bus);
        return MakeSystemHidTransport();
    }();
    return *transport;
}

void SetHidTransportForTesting(HidTransport* transport) {
    g_testTransport.store(transport);
}

std::string HidPathSuffix(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                          int collection) {
    char buffer[64];
    int n = std::snprintf(buffer, sizeof buffer, "#vid_%04x&pid_%04x", vendorId, productId);
    if (interfaceNumber >= 0 && interfaceNumber <= 0xFF)
        n += std::snprintf(buffer + n, sizeof buffer - n, "&mi_%02x", interfaceNumber);
    if (collection > 0 && collection <= 0xFF)
        std::snprintf(buffer + n, sizeof buffer - n, "&col%02x", collection);
    return buffer;
}

}  // namespace platform
