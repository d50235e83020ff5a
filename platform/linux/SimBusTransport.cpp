// The simulated-bus client: every present collection is a folder <bus>/<id>/ with device.json
// and a SOCK_SEQPACKET socket; one connection is one open handle, one datagram one report.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <json/json.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>

#include "platform/FileIO.h"
#include "platform/HidTransport.h"
#include "platform/Trace.h"
#include "platform/linux/FdWait.h"

namespace platform {
namespace {

using linux_fd::WaitResult;

constexpr size_t kMaxDeviceJson = 256 * 1024;
constexpr size_t kMaxDatagram = 4096;

struct SimEntry {
    HidAttributes attributes;
    int interfaceNumber = 0;
    int collection = 0;  // 0 = the interface has one collection
    std::vector<uint8_t> descriptor;
};

bool ReadInt(const Json::Value& root, const char* key, int64_t min, int64_t max, int64_t& out) {
    const Json::Value& v = root[key];
    if (!v.isInt64())
        return false;
    out = v.asInt64();
    return out >= min && out <= max;
}

// Reads and validates device.json; false when it is missing or malformed.
bool ReadEntry(const std::string& folder, SimEntry& entry, bool withDescriptor) {
    std::string text;
    if (!ReadWholeFile(folder + "/device.json", text, kMaxDeviceJson))
        return false;
    Json::Value root;
    try {
        Json::CharReaderBuilder builder;
        std::string errors;
        std::istringstream in(text);
        if (!Json::parseFromStream(builder, in, &root, &errors) || !root.isObject())
            return false;
        int64_t vid, pid, version, iface, collection;
        if (!ReadInt(root, "vendor_id", 0, 0xFFFF, vid) ||
            !ReadInt(root, "product_id", 0, 0xFFFF, pid) ||
            !ReadInt(root, "version", 0, 0xFFFF, version) ||
            !ReadInt(root, "interface", 0, 0xFF, iface) ||
            !ReadInt(root, "collection", 0, 0xFF, collection))
            return false;
        entry.attributes = {static_cast<uint16_t>(vid), static_cast<uint16_t>(pid),
                            static_cast<uint16_t>(version)};
        entry.interfaceNumber = static_cast<int>(iface);
        entry.collection = static_cast<int>(collection);
        if (withDescriptor) {
            const Json::Value& hex = root["report_descriptor"];
            if (!hex.isString() || !HexToBytes(hex.asString(), entry.descriptor) ||
                entry.descriptor.empty())
                return false;
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool IsSocket(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

// A simulator whose listening queue is full (it stopped accepting) must not hold up the
// thread that opens: the device scan lists the bus ten times a second.
constexpr int64_t kConnectTimeoutMs = 1000;

// Connects the non-blocking socket, waiting at most timeoutMs. A full queue answers EAGAIN
// and cannot be polled on a Unix socket: retry briefly until the time is up.
bool ConnectWithin(int fd, const sockaddr_un& address, int64_t timeoutMs) {
    int64_t deadline = linux_fd::DeadlineAfter(static_cast<uint32_t>(timeoutMs));
    for (;;) {
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            return true;
        if (errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            int left = static_cast<int>(std::max<int64_t>(0, deadline - linux_fd::NowMs()));
            int error = 0;
            socklen_t length = sizeof error;
            return poll(&p, 1, left) == 1 &&
                   getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
        }
        const int error = errno;
        if ((error != EAGAIN && error != EINTR) || linux_fd::Expired(deadline))
            return false;
        if (error == EAGAIN)
            usleep(2000);
    }
}

// The folder of a path "<bus>/<id>#vid_...".
std::string FolderOf(const std::string& path) {
    size_t hash = path.find('#');
    return hash == std::string::npos ? std::string() : path.substr(0, hash);
}

class SimBusConnection : public HidConnection {
  public:
    SimBusConnection(int socketFd, int abortFd, HidAttributes attributes, HidCollection collection)
        : socket_(socketFd),
          abort_(abortFd),
          attributes_(attributes),
          collection_(std::move(collection)) {}
    ~SimBusConnection() override {
        close(socket_);
        close(abort_);
    }

    HidTransferResult Read(uint8_t* buffer, uint32_t length, uint32_t& transferred,
                           uint32_t timeoutMs) override {
        transferred = 0;
        int64_t deadline = linux_fd::DeadlineAfter(timeoutMs);
        uint8_t datagram[kMaxDatagram];
        for (bool first = true;; first = false) {
            if (!first && linux_fd::Expired(deadline))
                return HidTransferResult::TimedOut;
            if (peerClosed_)
                return HidTransferResult::Failed;
            switch (linux_fd::WaitFd(socket_, POLLIN, abort_, deadline)) {
                case WaitResult::Aborted:
                    return HidTransferResult::Aborted;
                case WaitResult::TimedOut:
                    return HidTransferResult::TimedOut;
                case WaitResult::Failed:
                    return HidTransferResult::Failed;
                case WaitResult::Ready:
                    break;
            }
            ssize_t n = recv(socket_, datagram, sizeof datagram, MSG_DONTWAIT);
            if (n == 0) {
                peerClosed_ = true;
                return HidTransferResult::Failed;
            }
            if (n < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                    continue;
                peerClosed_ = true;
                return HidTransferResult::Failed;
            }
            uint32_t count = std::min<uint32_t>(static_cast<uint32_t>(n), length);
            std::memcpy(buffer, datagram, count);
            transferred = count;
            return HidTransferResult::Ok;
        }
    }

    HidTransferResult Write(const uint8_t* buffer, uint32_t length, uint32_t& transferred,
                            uint32_t timeoutMs) override {
        transferred = 0;
        if (length == 0 || length > kMaxDatagram)
            return HidTransferResult::Failed;
        int64_t deadline = linux_fd::DeadlineAfter(timeoutMs);
        for (bool first = true;; first = false) {
            if (!first && linux_fd::Expired(deadline))
                return HidTransferResult::TimedOut;
            if (peerClosed_)
                return HidTransferResult::Failed;
            switch (linux_fd::WaitFd(socket_, POLLOUT, abort_, deadline)) {
                case WaitResult::Aborted:
                    return HidTransferResult::Aborted;
                case WaitResult::TimedOut:
                    return HidTransferResult::TimedOut;
                case WaitResult::Failed:
                    return HidTransferResult::Failed;
                case WaitResult::Ready:
                    break;
            }
            ssize_t n = send(socket_, buffer, length, MSG_DONTWAIT | MSG_NOSIGNAL);
            if (n < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                    continue;
                peerClosed_ = true;
                return HidTransferResult::Failed;
            }
            transferred = static_cast<uint32_t>(n);
            return HidTransferResult::Ok;
        }
    }

    void Abort() override { linux_fd::SignalAbort(abort_); }

    bool Flush() override {
        uint8_t datagram[kMaxDatagram];
        for (;;) {
            ssize_t n = recv(socket_, datagram, sizeof datagram, MSG_DONTWAIT);
            if (n > 0)
                continue;
            if (n == 0) {
                peerClosed_ = true;
                return false;
            }
            if (errno == EINTR)
                continue;
            return errno == EAGAIN || errno == EWOULDBLOCK;
        }
    }

    bool SendOutputReport(const uint8_t* report, uint32_t length) override {
        uint32_t sent = 0;
        return Write(report, length, sent, 1000) == HidTransferResult::Ok && sent == length;
    }

    const HidAttributes& Attributes() const override { return attributes_; }
    const HidCollection& Collection() const override { return collection_; }

  private:
    int socket_;
    int abort_;
    std::atomic<bool> peerClosed_{false};
    HidAttributes attributes_;
    HidCollection collection_;
};

class SimBusTransport : public HidTransport {
  public:
    explicit SimBusTransport(std::string bus) : bus_(std::move(bus)) {
        while (bus_.size() > 1 && bus_.back() == '/')
            bus_.pop_back();
    }

    bool EnumeratePaths(std::vector<std::string>& paths) override {
        paths.clear();
        DIR* dir = opendir(bus_.c_str());
        if (!dir)
            return false;
        while (dirent* e = readdir(dir)) {
            if (e->d_name[0] == '.')
                continue;
            std::string folder = bus_ + "/" + e->d_name;
            SimEntry entry;
            if (!CachedEntry(folder, e->d_ino, entry))
                continue;
            paths.push_back(folder + HidPathSuffix(entry.attributes.vendorId,
                                                   entry.attributes.productId,
                                                   entry.interfaceNumber, entry.collection));
        }
        closedir(dir);
        std::sort(paths.begin(), paths.end());
        return true;
    }

    std::unique_ptr<HidConnection> Open(const std::string& path,
                                        const HidOpenOptions& /*options*/) override {
        std::string folder = FolderOf(path);
        if (folder.empty())
            return nullptr;
        SimEntry entry;
        if (!ReadEntry(folder, entry, true))
            return nullptr;
        // The path must still name what the folder publishes.
        if (path != folder + HidPathSuffix(entry.attributes.vendorId, entry.attributes.productId,
                                           entry.interfaceNumber, entry.collection))
            return nullptr;
        HidReportDescriptor descriptor;
        std::string why;
        if (!ParseReportDescriptor(entry.descriptor.data(), entry.descriptor.size(), descriptor,
                                   &why)) {
            TraceF("simbus: %s: bad report descriptor: %s", folder.c_str(), why.c_str());
            return nullptr;
        }
        size_t index = entry.collection == 0 ? 0 : static_cast<size_t>(entry.collection - 1);
        if (index >= descriptor.collections.size())
            return nullptr;

        std::string socketPath = folder + "/socket";
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (socketPath.size() >= sizeof address.sun_path)
            return nullptr;
        std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
        int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            return nullptr;
        if (!ConnectWithin(fd, address, kConnectTimeoutMs)) {
            TraceF("simbus: %s does not accept a connection", socketPath.c_str());
            close(fd);
            return nullptr;
        }
        int abortFd = linux_fd::MakeAbortFd();
        if (abortFd < 0) {
            close(fd);
            return nullptr;
        }
        return std::make_unique<SimBusConnection>(fd, abortFd, entry.attributes,
                                                  std::move(descriptor.collections[index]));
    }

    bool IsPresent(const std::string& path) override {
        std::string folder = FolderOf(path);
        return !folder.empty() && IsSocket(folder + "/socket") &&
               FileExists(folder + "/device.json");
    }

    const char* Name() const override { return "simbus"; }

  private:
    // The scan lists the bus ten times a second: look into each published folder once. A
    // plug makes the folder anew (a new inode), so the inode from the listing names the
    // publication; a folder is taken only once its socket, made last, is there.
    bool CachedEntry(const std::string& folder, ino_t folderInode, SimEntry& entry) {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        auto it = cache_.find(folder);
        if (it != cache_.end() && it->second.inode == folderInode) {
            entry = it->second.entry;
            return true;
        }
        if (!IsSocket(folder + "/socket") || !ReadEntry(folder, entry, false))
            return false;
        if (cache_.size() > 4096)
            cache_.clear();  // a bus that churns through folders does not grow us forever
        cache_[folder] = {folderInode, entry};
        return true;
    }

    struct CacheEntry {
        ino_t inode;
        SimEntry entry;
    };

    std::string bus_;
    std::mutex cacheMutex_;
    std::map<std::string, CacheEntry> cache_;
};

}  // namespace

std::unique_ptr<HidTransport> MakeSimBusTransport(const std::string& busFolder) {
    return std::make_unique<SimBusTransport>(busFolder);
}

}  // namespace platform
