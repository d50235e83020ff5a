#include "sim/ControlServer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace sim {

ControlServer::ControlServer(Simulator& simulator, platform::Event& quit)
    : simulator_(simulator), quit_(quit) {}

ControlServer::~ControlServer() {
    Stop();
}

std::string ControlServer::Execute(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    ControlContext context{simulator_};
    std::string reply = ExecuteControlLine(line, context);
    if (context.quitRequested)
        quit_.Set();
    return reply;
}

void ControlServer::StartStdin() {
    // Detached: a blocking read of standard input cannot be cut short, and it touches only
    // this object's Execute, which outlives it in the program (the process ends after quit).
    std::thread([this] {
        std::string line;
        while (std::getline(std::cin, line)) {
            std::string reply = Execute(line);
            std::fputs(reply.c_str(), stdout);
            std::fflush(stdout);
        }
    }).detach();
}

bool ControlServer::StartSocket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    unlink(path.c_str());
    listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (listenFd_ < 0 || wakeFd_ < 0 ||
        bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listenFd_, 4) != 0) {
        Stop();
        return false;
    }
    socketPath_ = path;
    socketThread_ = std::thread([this] { ServeSocket(); });
    return true;
}

void ControlServer::ServeSocket() {
    for (;;) {
        pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {listenFd_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents)
            return;
        int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        // One client at a time: commands are short, and a script sends them in order.
        std::string pending;
        char buffer[512];
        for (;;) {
            pollfd client[2] = {{wakeFd_, POLLIN, 0}, {fd, POLLIN, 0}};
            if (poll(client, 2, 10000) <= 0 || client[0].revents)
                break;
            ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            pending.append(buffer, static_cast<size_t>(n));
            if (pending.size() > 65536)
                break;  // no command is that long
            size_t end;
            while ((end = pending.find('\n')) != std::string::npos) {
                std::string reply = Execute(pending.substr(0, end));
                pending.erase(0, end + 1);
                if (reply.empty())
                    reply = "ok\n";
                [[maybe_unused]] ssize_t w = send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
            }
        }
        close(fd);
    }
}

void ControlServer::Stop() {
    if (socketThread_.joinable()) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = write(wakeFd_, &one, sizeof one);
        socketThread_.join();
    }
    if (listenFd_ >= 0) {
        close(listenFd_);
        listenFd_ = -1;
    }
    if (wakeFd_ >= 0) {
        close(wakeFd_);
        wakeFd_ = -1;
    }
    if (!socketPath_.empty()) {
        unlink(socketPath_.c_str());
        socketPath_.clear();
    }
}

}  // namespace sim
