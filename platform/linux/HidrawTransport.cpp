// The system's HID devices through hidraw. Each top-level collection of an interface gets its
// own path "/dev/hidrawN#vid_XXXX&pid_XXXX&mi_XX&colXX#<hid instance>"; the trailing instance
// (the kernel's HID device name, unique until reboot) lets the presence check tell a replugged
// device from another one that got the same hidraw number. A node whose report descriptor we
// cannot parse is still listed, as one path without "&col", and is never opened.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "platform/linux/FdWait.h"
#include "platform/linux/HidrawTransport.h"

namespace platform {
namespace {

using linux_fd::WaitResult;

constexpr size_t kMaxDescriptor = 4096;  // the kernel's own limit
constexpr size_t kMaxReport = kMaxHidReportBytes;

struct RawDevice {
    std::string node;      // "hidraw3"
    std::string instance;  // "0003:320F:22A4.0007"
    HidAttributes attributes;
    int interfaceNumber = -1;  // -1 when not a USB interface
    HidReportDescriptor descriptor;
    std::string parseError;  // why the descriptor was not understood
};

enum class ReadOutcome {
    Gone,        // the node or part of what the kernel tells of it is missing
    Parsed,      // with its collections
    Unparsable,  // what the kernel tells, but a descriptor we do not understand
};

std::string Basename(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The kernel's name of the HID device behind a hidraw node, or empty when it is gone.
// The device link's target ends in that name; one readlink keeps the scan cheap. A link
// whose target is gone counts as gone.
std::string InstanceOf(const std::string& classRoot, const std::string& node, bool checkTarget) {
    char target[PATH_MAX];
    std::string link = classRoot + "/" + node + "/device";
    ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0)
        return std::string();
    target[n] = '\0';
    if (checkTarget && access(link.c_str(), F_OK) != 0)
        return std::string();
    return Basename(target);
}

bool ReadSmallFile(const std::string& path, std::string& out, size_t limit) {
    // sysfs files report a size of 4096 whatever they hold; read them as a stream.
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    out.clear();
    char buffer[1024];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        out.append(buffer, n);
        if (out.size() > limit) {
            std::fclose(f);
            return false;
        }
    }
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

// HID_ID=0003:0000320F:000022A4 in the device's uevent.
bool ParseHidId(const std::string& uevent, HidAttributes& attributes) {
    size_t at = uevent.find("HID_ID=");
    if (at == std::string::npos)
        return false;
    unsigned bus = 0, vid = 0, pid = 0;
    if (std::sscanf(uevent.c_str() + at + 7, "%x:%x:%x", &bus, &vid, &pid) != 3)
        return false;
    if (vid > 0xFFFF || pid > 0xFFFF)
        return false;
    attributes.vendorId = static_cast<uint16_t>(vid);
    attributes.productId = static_cast<uint16_t>(pid);
    return true;
}

int ReadHexFile(const std::string& path, unsigned max) {
    std::string text;
    unsigned value = 0;
    if (!ReadSmallFile(path, text, 64) || std::sscanf(text.c_str(), "%x", &value) != 1 ||
        value > max)
        return -1;
    return static_cast<int>(value);
}

// Everything about one hidraw node. Gone when any of it is missing (the device may be going
// away while we read); Unparsable when only its descriptor is beyond us.
ReadOutcome ReadRawDevice(const std::string& classRoot, const std::string& node,
                          RawDevice& device) {
    device.node = node;
    std::string base = classRoot + "/" + node + "/device";
    device.instance = InstanceOf(classRoot, node, true);
    if (device.instance.empty())
        return ReadOutcome::Gone;
    std::string uevent;
    if (!ReadSmallFile(base + "/uevent", uevent, 16384) || !ParseHidId(uevent, device.attributes))
        return ReadOutcome::Gone;
    std::string descriptor;
    if (!ReadSmallFile(base + "/report_descriptor", descriptor, kMaxDescriptor) ||
        descriptor.empty())
        return ReadOutcome::Gone;
    device.interfaceNumber = ReadHexFile(base + "/../bInterfaceNumber", 0xFF);
    int version = ReadHexFile(base + "/../../bcdDevice", 0xFFFF);
    device.attributes.version = static_cast<uint16_t>(version < 0 ? 0 : version);
    if (!ParseReportDescriptor(reinterpret_cast<const uint8_t*>(descriptor.data()),
                               descriptor.size(), device.descriptor, &device.parseError))
        return ReadOutcome::Unparsable;
    return ReadOutcome::Parsed;
}

struct ParsedPath {
    std::string node;
    std::string instance;
    int collection = 0;
};

bool ParsePath(const std::string& devRoot, const std::string& path, ParsedPath& out) {
    std::string prefix = devRoot + "/";
    if (path.compare(0, prefix.size(), prefix) != 0)
        return false;
    size_t first = path.find('#', prefix.size());
    size_t last = path.rfind('#');
    if (first == std::string::npos || last == first)
        return false;
    out.node = path.substr(prefix.size(), first - prefix.size());
    if (out.node.compare(0, 6, "hidraw") != 0 || out.node.find('/') != std::string::npos)
        return false;
    out.instance = path.substr(last + 1);
    std::string middle = path.substr(first, last - first);
    size_t col = middle.find("&col");
    out.collection = 0;
    if (col != std::string::npos) {
        unsigned value = 0;
        if (std::sscanf(middle.c_str() + col + 4, "%x", &value) == 1 && value <= 0xFF)
            out.collection = static_cast<int>(value);
    }
    return !out.instance.empty();
}

std::string PathOf(const std::string& devRoot, const RawDevice& d, size_t collectionIndex) {
    int collection =
        d.descriptor.collections.size() > 1 ? static_cast<int>(collectionIndex + 1) : 0;
    return devRoot + "/" + d.node +
           HidPathSuffix(d.attributes.vendorId, d.attributes.productId, d.interfaceNumber,
                         collection) +
           "#" + d.instance;
}

// The one path of a node whose descriptor we cannot parse: no collection split.
std::string UnsplitPathOf(const std::string& devRoot, const RawDevice& d) {
    return devRoot + "/" + d.node +
           HidPathSuffix(d.attributes.vendorId, d.attributes.productId, d.interfaceNumber, 0) +
           "#" + d.instance;
}

class HidrawConnection : public HidConnection {
  public:
    HidrawConnection(int fd, int abortFd, HidAttributes attributes, HidCollection collection)
        : fd_(fd), abort_(abortFd), attributes_(attributes), collection_(std::move(collection)) {}
    ~HidrawConnection() override {
        close(fd_);
        close(abort_);
    }

    HidTransferResult Read(uint8_t* buffer, uint32_t length, uint32_t& transferred,
                           uint32_t timeoutMs) override {
        transferred = 0;
        int64_t deadline = linux_fd::DeadlineAfter(timeoutMs);
        uint8_t report[kMaxReport + 1];
        for (bool first = true;; first = false) {
            // Reports of other collections keep the node readable: the time-out still holds.
            if (!first && linux_fd::Expired(deadline))
                return HidTransferResult::TimedOut;
            switch (linux_fd::WaitFd(fd_, POLLIN, abort_, deadline)) {
                case WaitResult::Aborted:
                    return HidTransferResult::Aborted;
                case WaitResult::TimedOut:
                    return HidTransferResult::TimedOut;
                case WaitResult::Failed:
                    return HidTransferResult::Failed;
                case WaitResult::Ready:
                    break;
            }
            // Unnumbered reports come without their ID byte; give them the 0 the rest expects.
            uint8_t* into = collection_.usesReportIds ? report : report + 1;
            report[0] = 0;
            ssize_t n = read(fd_, into, kMaxReport);
            if (n < 0) {
                if (errno == EAGAIN || errno == EINTR)
                    continue;
                return HidTransferResult::Failed;  // ENODEV: unplugged
            }
            if (n == 0)
                continue;
            size_t size = static_cast<size_t>(n) + (collection_.usesReportIds ? 0 : 1);
            // An interface with several collections shares one node: keep only ours.
            if (collection_.usesReportIds && !collection_.HasInputReportId(report[0]))
                continue;
            uint32_t count = std::min<uint32_t>(static_cast<uint32_t>(size), length);
            std::memcpy(buffer, report, count);
            transferred = count;
            return HidTransferResult::Ok;
        }
    }

    HidTransferResult Write(const uint8_t* buffer, uint32_t length, uint32_t& transferred,
                            uint32_t timeoutMs) override {
        transferred = 0;
        if (length == 0)
            return HidTransferResult::Failed;
        int64_t deadline = linux_fd::DeadlineAfter(timeoutMs);
        for (bool first = true;; first = false) {
            // Reports of other collections keep the node readable: the time-out still holds.
            if (!first && linux_fd::Expired(deadline))
                return HidTransferResult::TimedOut;
            switch (linux_fd::WaitFd(fd_, POLLOUT, abort_, deadline)) {
                case WaitResult::Aborted:
                    return HidTransferResult::Aborted;
                case WaitResult::TimedOut:
                    return HidTransferResult::TimedOut;
                case WaitResult::Failed:
                    return HidTransferResult::Failed;
                case WaitResult::Ready:
                    break;
            }
            // hidraw takes the report ID (0 when unnumbered) as the first byte, as we do.
            ssize_t n = write(fd_, buffer, length);
            if (n < 0) {
                if (errno == EAGAIN || errno == EINTR)
                    continue;
                return HidTransferResult::Failed;
            }
            transferred = static_cast<uint32_t>(n);
            return HidTransferResult::Ok;
        }
    }

    void Abort() override { linux_fd::SignalAbort(abort_); }

    bool Flush() override {
        uint8_t report[kMaxReport];
        for (;;) {
            ssize_t n = read(fd_, report, sizeof report);
            if (n >= 0)
                continue;
            if (errno == EINTR)
                continue;
            return errno == EAGAIN;
        }
    }

    bool SendOutputReport(const uint8_t* report, uint32_t length) override {
        uint32_t sent = 0;
        return Write(report, length, sent, 1000) == HidTransferResult::Ok && sent == length;
    }

    const HidAttributes& Attributes() const override { return attributes_; }
    const HidCollection& Collection() const override { return collection_; }

  private:
    int fd_;
    int abort_;
    HidAttributes attributes_;
    HidCollection collection_;
};

class HidrawTransport : public HidTransport {
  public:
    HidrawTransport(std::string classRoot, std::string devRoot)
        : classRoot_(std::move(classRoot)), devRoot_(std::move(devRoot)) {}

    bool EnumeratePaths(std::vector<std::string>& paths) override {
        paths.clear();
        std::lock_guard<std::mutex> lock(cacheMutex_);
        DIR* dir = opendir(classRoot_.c_str());
        if (!dir)
            return false;
        while (dirent* e = readdir(dir)) {
            std::string node = e->d_name;
            if (node.compare(0, 6, "hidraw") != 0)
                continue;
            std::string instance = InstanceOf(classRoot_, node, false);
            if (instance.empty())
                continue;  // vanished while we looked
            if (const std::vector<std::string>* cached = CachedPaths(node, instance))
                paths.insert(paths.end(), cached->begin(), cached->end());
        }
        closedir(dir);
        std::sort(paths.begin(), paths.end());
        return true;
    }

    std::unique_ptr<HidConnection> Open(const std::string& path,
                                        const HidOpenOptions& options) override {
        ParsedPath parsed;
        if (!ParsePath(devRoot_, path, parsed))
            return nullptr;
        int flags = O_CLOEXEC | O_NONBLOCK;
        flags |= options.read && options.write ? O_RDWR : options.write ? O_WRONLY : O_RDONLY;
        int fd = open((devRoot_ + "/" + parsed.node).c_str(), flags);
        if (fd < 0)
            return nullptr;
        // Checked after the open, so the descriptor is surely the device the path names.
        RawDevice device;
        size_t index = parsed.collection == 0 ? 0 : static_cast<size_t>(parsed.collection - 1);
        if (InstanceOf(classRoot_, parsed.node, true) != parsed.instance ||
            KnownUnparsable(parsed.node, parsed.instance) ||
            ReadRawDevice(classRoot_, parsed.node, device) != ReadOutcome::Parsed ||
            device.instance != parsed.instance || index >= device.descriptor.collections.size() ||
            !device.descriptor.collections[index].refusal.empty() ||
            PathOf(devRoot_, device, index) != path) {
            close(fd);
            return nullptr;
        }
        int abortFd = linux_fd::MakeAbortFd();
        if (abortFd < 0) {
            close(fd);
            return nullptr;
        }
        return std::make_unique<HidrawConnection>(fd, abortFd, device.attributes,
                                                  std::move(device.descriptor.collections[index]));
    }

    bool IsPresent(const std::string& path) override {
        ParsedPath parsed;
        if (!ParsePath(devRoot_, path, parsed))
            return false;
        struct stat st {};
        return stat((devRoot_ + "/" + parsed.node).c_str(), &st) == 0 &&
               InstanceOf(classRoot_, parsed.node, true) == parsed.instance;
    }

    const char* Name() const override { return "hidraw"; }

  private:
    // Descriptors do not change while a device stays plugged in: read and parse each HID
    // instance once, keep its paths, or that its descriptor is beyond us. A failure is traced
    // then, once per instance. Caller holds cacheMutex_.
    const std::vector<std::string>* CachedPaths(const std::string& node,
                                                const std::string& instance) {
        auto it = cache_.find(node);
        if (it != cache_.end() && it->second.instance == instance)
            return &it->second.paths;
        RawDevice device;
        ReadOutcome outcome = ReadRawDevice(classRoot_, node, device);
        if (outcome == ReadOutcome::Gone || device.instance != instance)
            return nullptr;  // read again at the next scan
        CachedNode& entry = cache_[node];
        entry.instance = instance;
        entry.paths.clear();
        entry.unparsable = outcome == ReadOutcome::Unparsable;
        if (entry.unparsable) {
            TraceF(
                "hidraw: %s (%s): report descriptor not understood (%s); listed as one "
                "path, not opened",
                node.c_str(), instance.c_str(), device.parseError.c_str());
            entry.paths.push_back(UnsplitPathOf(devRoot_, device));
            return &entry.paths;
        }
        for (size_t i = 0; i < device.descriptor.collections.size(); ++i) {
            const HidCollection& c = device.descriptor.collections[i];
            if (!c.refusal.empty()) {
                TraceF("hidraw: %s (%s): collection %zu refused: %s", node.c_str(),
                       instance.c_str(), i + 1, c.refusal.c_str());
                continue;
            }
            entry.paths.push_back(PathOf(devRoot_, device, i));
        }
        return &entry.paths;
    }

    bool KnownUnparsable(const std::string& node, const std::string& instance) {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        auto it = cache_.find(node);
        return it != cache_.end() && it->second.instance == instance && it->second.unparsable;
    }

    struct CachedNode {
        std::string instance;
        std::vector<std::string> paths;
        bool unparsable = false;
    };

    std::string classRoot_;
    std::string devRoot_;
    std::mutex cacheMutex_;
    std::map<std::string, CachedNode> cache_;
};

}  // namespace

std::unique_ptr<HidTransport> MakeHidrawTransport(const std::string& sysClassRoot,
                                                  const std::string& devRoot) {
    return std::make_unique<HidrawTransport>(sysClassRoot, devRoot);
}

std::unique_ptr<HidTransport> MakeSystemHidTransport() {
    return MakeHidrawTransport();
}

}  // namespace platform
