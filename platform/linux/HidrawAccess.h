#pragma once
// The hidraw access check on a sysfs class folder and a device folder; tests inject fake
// trees and the open check (root opens any node whatever its mode bits). Any thread.
#include <functional>
#include <string>

#include "platform/HidAccess.h"

namespace platform {

// True when the node at the path can be opened for reading and writing.
using HidNodeOpenCheck = std::function<bool(const std::string& devPath)>;

std::vector<HidAccessProblem> FindInaccessibleHidraw(
    const std::vector<std::pair<uint16_t, uint16_t>>& ids, const std::string& classRoot,
    const std::string& devRoot, const HidNodeOpenCheck& canOpen);

// Opens the node read-write without blocking and closes it again.
bool CanOpenHidNode(const std::string& devPath);

}  // namespace platform
