#include "sim/SimBus.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <json/json.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/HidDescriptor.h"
#include "platform/Trace.h"

namespace sim {

struct SimBus::Connection : public ReportSink {
    std::mutex mutex;
    int fd = -1;
    bool closed = false;
    std::string id;
    SimBus* bus = nullptr;

    void SendInputReport(const Report& report) override {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (closed || report.empty())
                return;
            // A host that does not read loses reports, as a full device queue would.
            [[maybe_unused]] ssize_t n =
                send(fd, report.data(), report.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        }
        PacketObserver observer;
        {
            std::lock_guard<std::mutex> lock(bus->mutex_);
            observer = bus->observer_;
        }
        if (observer)
            observer(id, true, report);
    }

    void CloseFd() {
        std::lock_guard<std::mutex> lock(mutex);
        if (!closed) {
            closed = true;
            close(fd);
        }
    }
};

struct SimBus::Published {
    std::string id;
    std::string dir;
    int listenFd = -1;
    std::shared_ptr<CollectionHandler> handler;
    std::vector<std::shared_ptr<Connection>> connections;
    int accepted = 0;
};

namespace {

void RemoveFolder(const std::string& dir) {
    unlink((dir + "/socket").c_str());
    unlink((dir + "/device.json").c_str());
    rmdir(dir.c_str());
}

}  // namespace

SimBus::SimBus(std::string folder) : folder_(std::move(folder)) {
    while (folder_.size() > 1 && folder_.back() == '/')
        folder_.pop_back();
}

SimBus::~SimBus() {
    Stop();
}

bool SimBus::Start() {
    if (thread_.joinable())
        return true;
    if (!platform::EnsureFolder(folder_))
        return false;
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd_ < 0)
        return false;
    stopping_ = false;
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void SimBus::Stop() {
    std::vector<std::string> ids;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& [id, p] : published_)
            ids.push_back(id);
    }
    for (const std::string& id : ids)
        Unpublish(id);
    if (thread_.joinable()) {
        stopping_ = true;
        Wake();
        thread_.join();
    }
    // Whatever the thread did not get to.
    for (auto& p : retired_) {
        for (auto& c : p->connections)
            c->CloseFd();
        if (p->listenFd >= 0)
            close(p->listenFd);
    }
    retired_.clear();
    if (wakeFd_ >= 0) {
        close(wakeFd_);
        wakeFd_ = -1;
    }
}

void SimBus::Wake() {
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(wakeFd_, &one, sizeof one);
}

bool SimBus::WriteDeviceJson(const std::string& dir, const BusEntry& entry) {
    platform::HidReportDescriptor parsed;
    if (!platform::ParseReportDescriptor(entry.reportDescriptor.data(),
                                         entry.reportDescriptor.size(), parsed))
        return false;
    size_t index = entry.collection == 0 ? 0 : static_cast<size_t>(entry.collection - 1);
    if (index >= parsed.collections.size())
        return false;
    const platform::HidCollection& c = parsed.collections[index];
    Json::Value root(Json::objectValue);
    root["vendor_id"] = entry.vendorId;
    root["product_id"] = entry.productId;
    root["version"] = entry.version;
    root["interface"] = entry.interfaceNumber;
    root["collection"] = entry.collection;
    root["usage_page"] = c.usagePage;
    root["usage"] = c.usage;
    root["input_report_length"] = c.inputReportByteLength;
    root["output_report_length"] = c.outputReportByteLength;
    root["report_descriptor"] = platform::BytesToHex(entry.reportDescriptor);
    Json::StyledWriter writer;
    return platform::WriteFileAtomic(dir + "/device.json", writer.write(root));
}

bool SimBus::Publish(const std::string& id, const BusEntry& entry,
                     std::shared_ptr<CollectionHandler> handler) {
    if (id.empty() || id[0] == '.' || id.find('/') != std::string::npos)
        return false;
    std::lock_guard<std::mutex> lock(mutex_);
    if (published_.count(id))
        return false;
    auto p = std::make_shared<Published>();
    p->id = id;
    p->dir = folder_ + "/" + id;
    p->handler = std::move(handler);
    RemoveFolder(p->dir);  // left over from a simulator that did not end cleanly
    std::string socketPath = p->dir + "/socket";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path) {
        platform::TraceF("sim: socket path too long: %s", socketPath.c_str());
        return false;
    }
    if (mkdir(p->dir.c_str(), 0700) != 0 || !WriteDeviceJson(p->dir, entry)) {
        RemoveFolder(p->dir);
        return false;
    }
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    p->listenFd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (p->listenFd < 0 ||
        bind(p->listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(p->listenFd, 16) != 0) {
        if (p->listenFd >= 0)
            close(p->listenFd);
        RemoveFolder(p->dir);
        return false;
    }
    published_[id] = p;
    Wake();
    return true;
}

bool SimBus::Unpublish(const std::string& id) {
    std::shared_ptr<Published> p;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = published_.find(id);
        if (it == published_.end())
            return false;
        p = it->second;
        published_.erase(it);
        RemoveFolder(p->dir);
        // The serving thread owns the descriptors it polls; it closes them on its next turn.
        retired_.push_back(p);
    }
    Wake();
    return true;
}

bool SimBus::IsPublished(const std::string& id) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return published_.count(id) != 0;
}

int SimBus::ConnectionsAccepted(const std::string& id) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = published_.find(id);
    return it == published_.end() ? 0 : it->second->accepted;
}

void SimBus::SetPacketObserver(PacketObserver observer) {
    std::lock_guard<std::mutex> lock(mutex_);
    observer_ = std::move(observer);
}

void SimBus::Serve() {
    struct Slot {
        std::shared_ptr<Published> published;
        std::shared_ptr<Connection> connection;  // null: the listening socket
    };
    std::vector<pollfd> fds;
    std::vector<Slot> slots;
    uint8_t buffer[4096];
    for (;;) {
        std::vector<std::shared_ptr<Published>> retired;
        fds.clear();
        slots.clear();
        fds.push_back({wakeFd_, POLLIN, 0});
        slots.push_back({});
        {
            std::lock_guard<std::mutex> lock(mutex_);
            retired.swap(retired_);
            for (auto& [id, p] : published_) {
                fds.push_back({p->listenFd, POLLIN, 0});
                slots.push_back({p, nullptr});
                for (auto& c : p->connections) {
                    fds.push_back({c->fd, POLLIN, 0});
                    slots.push_back({p, c});
                }
            }
        }
        for (auto& p : retired) {
            for (auto& c : p->connections) {
                c->CloseFd();
                if (p->handler)
                    p->handler->OnConnectionClosed(*c);
            }
            close(p->listenFd);
        }
        if (stopping_)
            return;
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents & POLLIN) {
            uint64_t count;
            [[maybe_unused]] ssize_t n = read(wakeFd_, &count, sizeof count);
        }
        for (size_t i = 1; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            Slot& slot = slots[i];
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (!published_.count(slot.published->id) ||
                    published_[slot.published->id] != slot.published)
                    continue;  // unplugged meanwhile
            }
            if (!slot.connection) {
                int fd = accept4(fds[i].fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
                if (fd < 0)
                    continue;
                auto c = std::make_shared<Connection>();
                c->fd = fd;
                c->id = slot.published->id;
                c->bus = this;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    slot.published->connections.push_back(c);
                    ++slot.published->accepted;
                }
                if (slot.published->handler)
                    slot.published->handler->OnConnectionOpened(*c);
                continue;
            }
            ssize_t n = recv(fds[i].fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            if (n <= 0) {
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    auto& list = slot.published->connections;
                    list.erase(std::remove(list.begin(), list.end(), slot.connection), list.end());
                }
                slot.connection->CloseFd();
                if (slot.published->handler)
                    slot.published->handler->OnConnectionClosed(*slot.connection);
                continue;
            }
            Report report(buffer, buffer + n);
            PacketObserver observer;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                observer = observer_;
            }
            if (observer)
                observer(slot.published->id, false, report);
            if (slot.published->handler)
                slot.published->handler->OnOutputReport(report, *slot.connection);
        }
    }
}

}  // namespace sim
