// platform_test_helper OUT COMMAND ARGS...: runs one platform operation as a separate process
// and appends its results, one line each, to the file OUT (flushed line by line, so the test
// can follow along). Exit code 0 on success.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/BusRecord.h"
#include "platform/MessageBus.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"

namespace {

FILE* out = nullptr;

void Say(const std::string& line) {
    std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
}

uint32_t Message(const std::string& name) {
    return platform::RegisterMessage(name);
}

int Run(const std::vector<std::string>& a) {
    const std::string& command = a[0];
    if (command == "register") {
        for (size_t i = 1; i < a.size(); ++i)
            Say(std::to_string(Message(a[i])));
        return 0;
    }
    if (command == "post" && a.size() == 5)
        return platform::PostToWindow(a[1], Message(a[2]), std::stoull(a[3]), std::stoll(a[4])) ? 0
                                                                                                : 1;
    if (command == "copydata" && a.size() == 4)
        return platform::SendCopyData(a[1], static_cast<uint32_t>(std::stoul(a[2])), a[3]) ? 0 : 1;
    if (command == "broadcast" && a.size() == 4) {
        Say(std::to_string(
            platform::Broadcast(Message(a[1]), std::stoull(a[2]), std::stoll(a[3]))));
        return 0;
    }
    if (command == "listen" && a.size() == 3) {
        // Joins under the title and reports each message until COUNT arrived (at most 20 s).
        std::mutex mutex;
        std::condition_variable arrived;
        int left = std::stoi(a[2]);
        auto endpoint = platform::JoinBus(a[1], [&](const platform::BusMessage& m) {
            std::lock_guard<std::mutex> lock(mutex);
            Say("message " + std::to_string(m.message) + " " + std::to_string(m.wParam) + " " +
                std::to_string(m.lParam) + " " + m.data);
            --left;
            arrived.notify_all();
        });
        if (!endpoint)
            return 1;
        Say("ready");
        std::unique_lock<std::mutex> lock(mutex);
        return arrived.wait_for(lock, std::chrono::seconds(20), [&] { return left <= 0; }) ? 0 : 1;
    }
    if (command == "hold-instance" && a.size() == 3) {
        platform::SingleInstance instance(a[1]);
        Say(instance.IsFirst() ? "first" : "second");
        if (instance.IsFirst())
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(a[2])));
        return 0;
    }
    if (command == "registry-set" && a.size() == 4) {
        auto key = platform::CreateKey(a[1]);
        return key && key->SetDword(a[2], static_cast<uint32_t>(std::stoul(a[3]))) ? 0 : 1;
    }
    if (command == "registry-get" && a.size() == 3) {
        auto key = platform::OpenKey(a[1]);
        auto value = key ? key->GetDword(a[2]) : std::nullopt;
        Say(value ? std::to_string(*value) : std::string("missing"));
        return 0;
    }
    if (command == "post-as-user" && a.size() == 3) {
        // Connects to the socket as another user and posts; 0 when it could connect (the
        // receiver may close before the record goes out).
        if (::setgid(static_cast<gid_t>(std::stoul(a[1]))) != 0 ||
            ::setuid(static_cast<uid_t>(std::stoul(a[1]))) != 0)
            return 3;
        int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        a[2].copy(address.sun_path, sizeof address.sun_path - 1);
        if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return 4;
        platform::BusMessage message;
        message.message = 0xC000;
        std::string record = platform::bus_record::Encode(message);
        ssize_t n = ::send(fd, record.data(), record.size(), MSG_NOSIGNAL);
        (void)n;
        ::close(fd);
        return 0;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    out = std::fopen(argv[1], "a");
    if (!out)
        return 2;
    int rc = Run(std::vector<std::string>(argv + 2, argv + argc));
    std::fclose(out);
    return rc;
}
