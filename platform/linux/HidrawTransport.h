#pragma once
// The Linux transport of the system's HID devices, over hidraw. Any thread.
#include <memory>
#include <string>

#include "platform/HidTransport.h"

namespace platform {

// The hidraw transport on a sysfs class folder and a device folder; tests inject fake trees.
std::unique_ptr<HidTransport> MakeHidrawTransport(
    const std::string& sysClassRoot = "/sys/class/hidraw", const std::string& devRoot = "/dev");

}  // namespace platform
