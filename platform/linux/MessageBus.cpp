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
#include "platform/StoppableThread.h"
#include "platform/Trace.h"
#include "platform/linux/BusReceipt.h"

namespace platform {
namespace {

constexpr size_t kMaxConnections = 32;
constexpr auto kIdleConnectionLimit = std::chrono::seconds(5);

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

// The peer's process id through *pid when asked for.
bool PeerIsThisUser(int fd, int64_t* pid = nullptr) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    if (pid)
        *pid = credentials.pid;
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

uint32_t MsUntil(uint64_t deadlineMs) {
    uint64_t now = SteadyMs();
    return deadlineMs > now
               ? static_cast<uint32_t>(std::min<uint64_t>(deadlineMs - now, 0x7FFFFFFF))
               : 0;
}

// One answer packet of the receiver, or empty on time-out, end or error.
std::string ReadAnswer(int fd, uint32_t timeoutMs) {
    char answer[16];
    if (!WaitFor(fd, POLLIN, timeoutMs))
        return {};
    ssize_t n = ::recv(fd, answer, sizeof answer, MSG_DONTWAIT);
    if (n != static_cast<ssize_t>(bus_answer::kAnswerBytes) || answer[n - 1] != '\0')
        return {};
    return std::string(answer, static_cast<size_t>(n - 1));
}

// What the receiver of a copy-data record answered: true when it handled it. It decides
// before the deadline whether to begin; an answer sent just before it may still be on its way.
bool AwaitCopyDataAnswer(int fd, uint64_t deadlineMs) {
    constexpr uint32_t kAnswerSlackMs = 250;
    std::string answer = ReadAnswer(fd, MsUntil(deadlineMs) + kAnswerSlackMs);
    if (answer == bus_answer::kHandled)
        return true;
    if (answer != bus_answer::kTaken)
        return false;
    // Begun in time: it is delivered. Wait for its end so that the caller sees its effects.
    if (ReadAnswer(fd, kCopyDataHandlingWaitMs) != bus_answer::kHandled)
        Trace("MessageBus: a copy-data record was taken but its end was not confirmed");
    return true;
}

// Sends one record over a fresh connection to the socket; a copy-data record (deadlineMs
// set) then waits for the receiver's answer.
ConnectResult Deliver(const std::string& path, const std::string& record, uint64_t deadlineMs,
                      bool& delivered) {
    delivered = false;
    uint32_t timeoutMs = deadlineMs != 0 ? MsUntil(deadlineMs) : kDefaultSendTimeoutMs;
    int fd = -1;
    ConnectResult result = Connect(path, fd, timeoutMs);
    if (result != ConnectResult::Connected)
        return result;
    if (WaitFor(fd, POLLOUT, timeoutMs)) {
        ssize_t n = ::send(fd, record.data(), record.size(), MSG_NOSIGNAL);
        delivered = n == static_cast<ssize_t>(record.size());
    }
    if (delivered && deadlineMs != 0)
        delivered = AwaitCopyDataAnswer(fd, deadlineMs);
    ::close(fd);
    return result;
}

void RemoveStale(const std::string& path) {
    if (::unlink(path.c_str()) == 0)
        TraceF("MessageBus: removed the stale endpoint %s", path.c_str());
}

bool DeliverToTitle(const std::string& title, const std::string& record, uint64_t deadlineMs) {
    if (!detail::EnsureBusFolder())
        return false;
    for (const std::string& path : EndpointSockets(TitlePrefix(title))) {
        if (deadlineMs != 0 && SteadyMs() >= deadlineMs)
            break;
        bool delivered = false;
        if (Deliver(path, record, deadlineMs, delivered) == ConnectResult::Stale)
            RemoveStale(path);
        if (delivered)
            return true;
    }
    return false;
}

// Everything the listener thread touches; the thread owns it with the endpoint, so that an
// endpoint that cannot wait for a stuck handler may leave the thread behind.
class Listener {
  public:
    Listener(std::string title, BusHandler handler)
        : title_(std::move(title)), handler_(std::move(handler)) {}
    ~Listener() {
        for (size_t i = connections_.size(); i-- > 0;)
            Forget(i);
        if (listenFd_ >= 0)
            ::close(listenFd_);
        if (wakeFd_ >= 0)
            ::close(wakeFd_);
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // Binds and listens; the path where senders find it, empty on failure.
    std::string Open() {
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
            return {};
        listenFd_ = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (listenFd_ < 0 || wakeFd_ < 0)
            return {};
        ::unlink(temporary.c_str());
        if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listenFd_, SOMAXCONN) != 0 ||
            ::rename(temporary.c_str(), final.c_str()) != 0) {
            TraceF("MessageBus: cannot listen as %s: %s", final.c_str(), std::strerror(errno));
            ::unlink(temporary.c_str());
            return {};
        }
        return final;
    }

    // Any thread: makes the listener thread leave its loop.
    void Wake() {
        uint64_t one = 1;
        ssize_t ignored = ::write(wakeFd_, &one, sizeof one);
        (void)ignored;
    }

    void Listen(platform::Event& stop) {
        std::vector<char> buffer(bus_record::kMaxRecordBytes + 1);
        while (!stop.IsSet()) {
            // At the connection limit, new senders wait in the backlog (never dropped).
            int listening = connections_.size() < kMaxConnections ? listenFd_ : -1;
            std::vector<pollfd> polls{{wakeFd_, POLLIN, 0}, {listening, POLLIN, 0}};
            for (const Connection& c : connections_)
                polls.push_back({c.fd, POLLIN, 0});
            int rc = ::poll(polls.data(), polls.size(), PollTimeoutMs());
            if (rc < 0 && errno != EINTR)
                break;
            if (rc > 0 && polls[0].revents)
                break;
            // Connections in the order they were accepted, so that records from one sender
            // keep their order; then new connections (polls matches connections_ until then).
            std::vector<size_t> done;
            for (size_t i = 0; i < connections_.size(); ++i) {
                if (rc > 0 && polls[i + 2].revents && !Receive(i, buffer))
                    done.push_back(i);
            }
            for (size_t i = done.size(); i-- > 0;)
                Forget(done[i]);
            if (rc > 0 && (polls[1].revents & POLLIN))
                Accept();
            auto now = Clock::now();
            for (size_t i = connections_.size(); i-- > 0;)
                if (now - connections_[i].since > kIdleConnectionLimit)
                    Forget(i);
            ExpireWaiting();
        }
        // Leaving: records not begun yet will not be, whoever still holds them.
        for (const auto& receipt : waiting_)
            receipt->Expire(UINT64_MAX, true);
        waiting_.clear();
    }

  private:
    struct Connection {
        int fd;
        Clock::time_point since;
        int64_t peerId = 0;
        bool handedOver = false;  // a copy-data receipt owns the connection now
    };

    int PollTimeoutMs() const {
        uint64_t next = SteadyMs() + 1000;
        for (const auto& receipt : waiting_)
            next = std::min(next, receipt->DeadlineMs());
        // Nobody keeps a receipt: noticed at the next round, soon enough.
        if (!waiting_.empty())
            next = std::min(next, SteadyMs() + 50);
        return static_cast<int>(MsUntil(next));
    }

    void ExpireWaiting() {
        uint64_t now = SteadyMs();
        for (size_t i = waiting_.size(); i-- > 0;) {
            if (waiting_[i]->Expire(now, waiting_[i].use_count() == 1))
                waiting_.erase(waiting_.begin() + static_cast<long>(i));
        }
    }

    void Accept() {
        while (connections_.size() < kMaxConnections) {
            int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd < 0)
                return;
            int64_t pid = 0;
            if (!PeerIsThisUser(fd, &pid)) {
                Trace("MessageBus: refused a peer of another user");
                ::close(fd);
                continue;
            }
            connections_.push_back({fd, Clock::now(), pid});
        }
    }

    // Handles one packet; false when the connection is done here (end, error, a bad record,
    // or a copy-data record whose receipt took the connection).
    bool Receive(size_t index, std::vector<char>& buffer) {
        Connection& connection = connections_[index];
        iovec io{buffer.data(), buffer.size()};
        msghdr header{};
        header.msg_iov = &io;
        header.msg_iovlen = 1;
        ssize_t n;
        do {
            n = ::recvmsg(connection.fd, &header, MSG_TRUNC | MSG_DONTWAIT);
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
        message->senderId = connection.peerId;
        std::shared_ptr<bus_answer::ConnectionReceipt> receipt;
        if (message->kind == BusMessage::Kind::CopyData) {
            receipt =
                std::make_shared<bus_answer::ConnectionReceipt>(connection.fd, message->deadlineMs);
            connection.handedOver = true;
            message->receipt = receipt;
        }
        try {
            if (handler_)
                handler_(*message);
        } catch (...) {
            TraceF("MessageBus: the handler of %s failed", title_.c_str());
        }
        message->receipt.reset();
        if (receipt && !receipt->AfterHandler())
            waiting_.push_back(std::move(receipt));
        return !receipt && message->kind != BusMessage::Kind::CopyData;
    }

    // The connection is done: closed unless a receipt owns it.
    void Forget(size_t index) {
        if (!connections_[index].handedOver)
            ::close(connections_[index].fd);
        connections_.erase(connections_.begin() + static_cast<long>(index));
    }

    const std::string title_;
    const BusHandler handler_;
    int listenFd_ = -1;
    int wakeFd_ = -1;
    std::vector<Connection> connections_;
    std::vector<std::shared_ptr<bus_answer::ConnectionReceipt>> waiting_;
};

class LinuxBusEndpoint : public BusEndpoint {
  public:
    LinuxBusEndpoint(std::string title, BusHandler handler)
        : title_(title), listener_(std::make_shared<Listener>(title, std::move(handler))) {}

    ~LinuxBusEndpoint() override {
        // Gone for senders at once; then the thread, bounded (thread_'s own destructor).
        if (!path_.empty())
            ::unlink(path_.c_str());
        if (thread_.Running())
            listener_->Wake();
    }

    const std::string& Title() const override { return title_; }

    bool Open() {
        path_ = listener_->Open();
        if (path_.empty())
            return false;
        std::shared_ptr<Listener> listener = listener_;
        return thread_.Start([listener](platform::Event& stop) { listener->Listen(stop); });
    }

  private:
    const std::string title_;
    std::shared_ptr<Listener> listener_;
    std::string path_;
    platform::StoppableThread thread_{kLeaveBusTimeoutMs};
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
    return DeliverToTitle(title, bus_record::Encode(posted), 0);
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
        if (Deliver(path, record, 0, delivered) == ConnectResult::Stale)
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
    record.deadlineMs = SteadyMs() + timeoutMs;
    return DeliverToTitle(title, bus_record::Encode(record), record.deadlineMs);
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
    return DeliverToTitle(title, bytes, 0);
}
}  // namespace testing

}  // namespace platform
