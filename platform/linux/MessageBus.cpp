// The session message bus on Unix-domain SOCK_SEQPACKET sockets: one listening socket per
// endpoint in the bus folder, named "w-<title hash>-<pid>-<n>.sock"; one connection per
// delivery, one packet per record. Every peer's uid is checked on both sides.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/BusFolder.h"
#include "platform/BusRecord.h"
#include "platform/Folders.h"
#include "platform/MessageBus.h"
#include "platform/MessageNames.h"
#include "platform/SingleInstance.h"
#include "platform/Trace.h"

namespace platform {
namespace {

constexpr size_t kMaxConnections = 32;
constexpr auto kIdleConnectionLimit = std::chrono::seconds(5);
constexpr char kAck[] = "ACK";

using Clock = std::chrono::steady_clock;

uint64_t TitleHash(const std::string& title) {
    uint64_t hash = 1469598103934665603ull;  // FNV-1a; titles match without regard to case
    for (char c : message_names::Fold(title)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string TitlePrefix(const std::string& title) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "w-%016llx-",
                  static_cast<unsigned long long>(TitleHash(title)));
    return buffer;
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        TraceF("MessageBus: socket path too long: %s", path.c_str());
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool PeerIsThisUser(int fd) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    return credentials.uid == ::geteuid();
}

// The endpoint sockets in the bus folder whose names start with the prefix, sorted.
std::vector<std::string> EndpointSockets(const std::string& prefix) {
    std::vector<std::string> sockets;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(BusFolder(), ec)) {
        std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && name.size() > 5 &&
            name.compare(name.size() - 5, 5, ".sock") == 0)
            sockets.push_back(entry.path().string());
    }
    std::sort(sockets.begin(), sockets.end());
    return sockets;
}

enum class ConnectResult { Connected, Stale, Failed };

ConnectResult Connect(const std::string& path, int& fd,
                      uint32_t timeoutMs = kDefaultSendTimeoutMs) {
    sockaddr_un address;
    if (!FillAddress(path, address))
        return ConnectResult::Failed;
    fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return ConnectResult::Failed;
    // A full backlog (a burst of senders) answers EAGAIN and cannot be polled: retry briefly.
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int rc;
    for (;;) {
        rc = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        if (rc == 0 || (errno != EINTR && errno != EAGAIN))
            break;
        if (errno == EAGAIN) {
            if (Clock::now() >= deadline)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    if (rc != 0) {
        int error = errno;
        ::close(fd);
        fd = -1;
        // Nobody listens there: the process that made it has ended.
        if (error == ECONNREFUSED)
            return ConnectResult::Stale;
        return ConnectResult::Failed;
    }
    if (!PeerIsThisUser(fd)) {
        TraceF("MessageBus: %s belongs to another user; not used", path.c_str());
        ::close(fd);
        fd = -1;
        return ConnectResult::Failed;
    }
    return ConnectResult::Connected;
}

bool WaitFor(int fd, short events, uint32_t timeoutMs) {
    pollfd p{fd, events, 0};
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        int rc = ::poll(&p, 1, static_cast<int>(std::max<long long>(0, left.count())));
        if (rc > 0)
            return (p.revents & events) != 0;
        if (rc == 0 || errno != EINTR)
            return false;
    }
}

// Sends one record over a fresh connection to the socket; with wantAck, waits for the
// receiver to confirm that its handler took it.
ConnectResult Deliver(const std::string& path, const std::string& record, bool wantAck,
                      uint32_t timeoutMs, bool& delivered) {
    delivered = false;
    int fd = -1;
    ConnectResult result = Connect(path, fd, timeoutMs);
    if (result != ConnectResult::Connected)
        return result;
    if (WaitFor(fd, POLLOUT, timeoutMs)) {
        ssize_t n = ::send(fd, record.data(), record.size(), MSG_NOSIGNAL);
        delivered = n == static_cast<ssize_t>(record.size());
    }
    if (delivered && wantAck) {
        char reply[8];
        delivered = WaitFor(fd, POLLIN, timeoutMs) &&
                    ::recv(fd, reply, sizeof reply, 0) == static_cast<ssize_t>(sizeof kAck) &&
                    std::memcmp(reply, kAck, sizeof kAck) == 0;
    }
    ::close(fd);
    return result;
}

void RemoveStale(const std::string& path) {
    if (::unlink(path.c_str()) == 0)
        TraceF("MessageBus: removed the stale endpoint %s", path.c_str());
}

bool DeliverToTitle(const std::string& title, const std::string& record, bool wantAck,
                    uint32_t timeoutMs) {
    if (!detail::EnsureBusFolder())
        return false;
    for (const std::string& path : EndpointSockets(TitlePrefix(title))) {
        bool delivered = false;
        if (Deliver(path, record, wantAck, timeoutMs, delivered) == ConnectResult::Stale)
            RemoveStale(path);
        if (delivered)
            return true;
    }
    return false;
}

class LinuxBusEndpoint : public BusEndpoint {
  public:
    LinuxBusEndpoint(std::string title, BusHandler handler)
        : title_(std::move(title)), handler_(std::move(handler)) {}

    ~LinuxBusEndpoint() override {
        if (listener_.joinable()) {
            uint64_t one = 1;
            ssize_t ignored = ::write(wakeFd_, &one, sizeof one);
            (void)ignored;
            listener_.join();
        }
        if (!path_.empty())
            ::unlink(path_.c_str());
        if (listenFd_ >= 0)
            ::close(listenFd_);
        if (wakeFd_ >= 0)
            ::close(wakeFd_);
    }

    const std::string& Title() const override { return title_; }

    bool Open() {
        static std::atomic<unsigned> counter{0};
        char unique[48];
        std::snprintf(unique, sizeof unique, "%d-%u.sock", static_cast<int>(::getpid()),
                      counter.fetch_add(1));
        // Bound under a temporary name and renamed once it listens, so a sender never
        // finds a socket that refuses connections and takes it for a stale one.
        std::string temporary = BusFolder() + "tmp-" + unique;
        std::string final = BusFolder() + TitlePrefix(title_) + unique;
        sockaddr_un address, finalAddress;
        if (!FillAddress(temporary, address) || !FillAddress(final, finalAddress))
            return false;
        listenFd_ = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (listenFd_ < 0 || wakeFd_ < 0)
            return false;
        ::unlink(temporary.c_str());
        if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listenFd_, SOMAXCONN) != 0 ||
            ::rename(temporary.c_str(), final.c_str()) != 0) {
            TraceF("MessageBus: cannot listen as %s: %s", final.c_str(), std::strerror(errno));
            ::unlink(temporary.c_str());
            return false;
        }
        path_ = final;
        listener_ = std::thread([this] { Listen(); });
        return true;
    }

  private:
    struct Connection {
        int fd;
        Clock::time_point since;
    };

    void Listen() {
        std::vector<char> buffer(bus_record::kMaxRecordBytes + 1);
        for (;;) {
            // At the connection limit, new senders wait in the backlog (never dropped).
            int listening = connections_.size() < kMaxConnections ? listenFd_ : -1;
            std::vector<pollfd> polls{{wakeFd_, POLLIN, 0}, {listening, POLLIN, 0}};
            for (const Connection& c : connections_)
                polls.push_back({c.fd, POLLIN, 0});
            int rc = ::poll(polls.data(), polls.size(), 1000);
            if (rc < 0 && errno != EINTR)
                break;
            if (polls[0].revents)
                break;
            // Connections in the order they were accepted, so that records from one sender
            // keep their order; then new connections (polls matches connections_ until then).
            std::vector<size_t> done;
            for (size_t i = 0; i < connections_.size(); ++i) {
                if (polls[i + 2].revents && !Receive(connections_[i].fd, buffer))
                    done.push_back(i);
            }
            for (size_t i = done.size(); i-- > 0;)
                Drop(done[i]);
            if (polls[1].revents & POLLIN)
                Accept();
            auto now = Clock::now();
            for (size_t i = connections_.size(); i-- > 0;)
                if (now - connections_[i].since > kIdleConnectionLimit)
                    Drop(i);
        }
        for (size_t i = connections_.size(); i-- > 0;)
            Drop(i);
    }

    void Accept() {
        while (connections_.size() < kMaxConnections) {
            int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd < 0)
                return;
            if (!PeerIsThisUser(fd)) {
                Trace("MessageBus: refused a peer of another user");
                ::close(fd);
                continue;
            }
            connections_.push_back({fd, Clock::now()});
        }
    }

    // Handles one packet; false when the connection is done (end, error or a bad record).
    bool Receive(int fd, std::vector<char>& buffer) {
        iovec io{buffer.data(), buffer.size()};
        msghdr header{};
        header.msg_iov = &io;
        header.msg_iovlen = 1;
        ssize_t n;
        do {
            n = ::recvmsg(fd, &header, MSG_TRUNC | MSG_DONTWAIT);
        } while (n < 0 && errno == EINTR);
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK;
        if (n == 0)
            return false;
        if ((header.msg_flags & MSG_TRUNC) ||
            static_cast<size_t>(n) > bus_record::kMaxRecordBytes) {
            TraceF("MessageBus: %s dropped an oversized record (%zd bytes)", title_.c_str(), n);
            return false;
        }
        std::string why;
        auto message =
            bus_record::Decode(std::string_view(buffer.data(), static_cast<size_t>(n)), &why);
        if (!message) {
            TraceF("MessageBus: %s dropped a record: %s", title_.c_str(), why.c_str());
            return false;
        }
        try {
            if (handler_)
                handler_(*message);
        } catch (...) {
            TraceF("MessageBus: the handler of %s failed", title_.c_str());
        }
        if (message->kind == BusMessage::Kind::CopyData) {
            ssize_t sent = ::send(fd, kAck, sizeof kAck, MSG_NOSIGNAL | MSG_DONTWAIT);
            (void)sent;
        }
        return true;
    }

    void Drop(size_t index) {
        ::close(connections_[index].fd);
        connections_.erase(connections_.begin() + static_cast<long>(index));
    }

    const std::string title_;
    const BusHandler handler_;
    std::string path_;
    int listenFd_ = -1;
    int wakeFd_ = -1;
    std::vector<Connection> connections_;  // listener thread only
    std::thread listener_;
};

// Temporary sockets of processes that ended before renaming them.
void RemoveDeadTemporaries() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(BusFolder(), ec)) {
        std::string name = entry.path().filename().string();
        int pid = 0;
        if (std::sscanf(name.c_str(), "tmp-%d-", &pid) == 1 && pid > 0 && ::kill(pid, 0) != 0 &&
            errno == ESRCH)
            ::unlink(entry.path().c_str());
    }
}

}  // namespace

std::string BusFolder() {
    return RuntimeFolder() + "t418-zen/";
}

namespace detail {

bool EnsureBusFolder() {
    if (!EnsureRuntimeFolder())
        return false;
    std::string folder = BusFolder();
    folder.pop_back();
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        TraceF("MessageBus: cannot create %s: %s", folder.c_str(), std::strerror(errno));
        return false;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
        TraceF("MessageBus: %s is not a folder of this user; the bus is not used", folder.c_str());
        return false;
    }
    if ((st.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0)
        return false;
    return true;
}

}  // namespace detail

std::unique_ptr<BusEndpoint> JoinBus(const std::string& title, BusHandler handler) {
    if (!detail::EnsureBusFolder())
        return nullptr;
    RemoveDeadTemporaries();
    auto endpoint = std::make_unique<LinuxBusEndpoint>(title, std::move(handler));
    if (!endpoint->Open())
        return nullptr;
    return endpoint;
}

bool PostToWindow(const std::string& title, uint32_t message, uint64_t wParam, int64_t lParam) {
    if (message == kCopyDataMessage)
        return false;  // copy-data carries bytes: SendCopyData
    BusMessage posted;
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    return DeliverToTitle(title, bus_record::Encode(posted), false, kDefaultSendTimeoutMs);
}

int Broadcast(uint32_t message, uint64_t wParam, int64_t lParam) {
    if (message == kCopyDataMessage || !detail::EnsureBusFolder())
        return 0;
    BusMessage posted;
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    std::string record = bus_record::Encode(posted);
    int reached = 0;
    for (const std::string& path : EndpointSockets("w-")) {
        bool delivered = false;
        if (Deliver(path, record, false, kDefaultSendTimeoutMs, delivered) == ConnectResult::Stale)
            RemoveStale(path);
        reached += delivered ? 1 : 0;
    }
    return reached;
}

bool SendCopyData(const std::string& title, uint32_t tag, std::string_view data,
                  uint32_t timeoutMs) {
    if (data.size() > kMaxCopyDataBytes) {
        TraceF("MessageBus: copy-data of %zu bytes is over the limit", data.size());
        return false;
    }
    BusMessage record;
    record.kind = BusMessage::Kind::CopyData;
    record.message = kCopyDataMessage;
    record.tag = tag;
    record.data.assign(data);
    return DeliverToTitle(title, bus_record::Encode(record), true, timeoutMs);
}

bool WindowExists(const std::string& title) {
    if (!detail::EnsureBusFolder())
        return false;
    for (const std::string& path : EndpointSockets(TitlePrefix(title))) {
        int fd = -1;
        ConnectResult result = Connect(path, fd);
        if (result == ConnectResult::Stale)
            RemoveStale(path);
        if (result == ConnectResult::Connected) {
            ::close(fd);
            return true;
        }
    }
    return false;
}

namespace testing {
bool SendRawRecord(const std::string& title, const std::string& bytes) {
    return DeliverToTitle(title, bytes, false, kDefaultSendTimeoutMs);
}
}  // namespace testing

}  // namespace platform
