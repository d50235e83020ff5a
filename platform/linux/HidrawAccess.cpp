#include "platform/linux/HidrawAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

// HID_ID=0003:0000320F:000022A4 in a device's uevent.
bool ReadHidId(const std::string& ueventPath, uint16_t& vendor, uint16_t& product) {
    // sysfs files claim 4096 bytes whatever they hold: read as a stream, bounded.
    FILE* f = std::fopen(ueventPath.c_str(), "rb");
    if (f == nullptr)
        return false;
    char buffer[4096];
    size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    std::string text(buffer, n);
    size_t at = text.find("HID_ID=");
    unsigned bus = 0, vid = 0, pid = 0;
    if (at == std::string::npos ||
        std::sscanf(text.c_str() + at + 7, "%x:%x:%x", &bus, &vid, &pid) != 3 || vid > 0xFFFF ||
        pid > 0xFFFF)
        return false;
    vendor = static_cast<uint16_t>(vid);
    product = static_cast<uint16_t>(pid);
    return true;
}

}  // namespace

bool CanOpenHidNode(const std::string& devPath) {
    int fd = ::open(devPath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

std::vector<HidAccessProblem> FindInaccessibleHidraw(
    const std::vector<std::pair<uint16_t, uint16_t>>& ids, const std::string& classRoot,
    const std::string& devRoot, const HidNodeOpenCheck& canOpen) {
    std::vector<HidAccessProblem> problems;
    DIR* dir = ::opendir(classRoot.c_str());
    if (dir == nullptr)
        return problems;
    std::vector<std::string> nodes;
    while (const dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name.compare(0, 6, "hidraw") == 0)
            nodes.push_back(name);
    }
    ::closedir(dir);
    std::sort(nodes.begin(), nodes.end());
    for (const std::string& node : nodes) {
        HidAccessProblem p;
        if (!ReadHidId(classRoot + "/" + node + "/device/uevent", p.vendorId, p.productId))
            continue;
        if (std::find(ids.begin(), ids.end(), std::make_pair(p.vendorId, p.productId)) == ids.end())
            continue;
        p.node = devRoot + "/" + node;
        // A node the system has not made (yet) is not ours to complain about.
        if (::access(p.node.c_str(), F_OK) != 0 || canOpen(p.node))
            continue;
        problems.push_back(std::move(p));
    }
    return problems;
}

std::vector<HidAccessProblem> InaccessibleHidDevices(
    const std::vector<std::pair<uint16_t, uint16_t>>& ids) {
    if (const char* bus = std::getenv("T418_ZEN_SIMBUS"); bus && *bus)
        return {};
    return FindInaccessibleHidraw(ids, "/sys/class/hidraw", "/dev", CanOpenHidNode);
}

const char* HidAccessFix() {
    return "install the udev rule: sudo cp 70-t418-zen.rules /etc/udev/rules.d/ && sudo "
           "udevadm trigger (the package installs it), then replug";
}

}  // namespace platform
