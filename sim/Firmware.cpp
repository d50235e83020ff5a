#include "sim/Firmware.h"

#include <mutex>

namespace sim {
namespace {

std::mutex g_mutex;
FirmwareFactory g_factory;

}  // namespace

void SetFirmwareFactory(FirmwareFactory factory) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_factory = std::move(factory);
}

FirmwareFactory GetFirmwareFactory() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_factory;
}

}  // namespace sim
