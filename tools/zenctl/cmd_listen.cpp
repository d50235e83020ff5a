// t418-zenctl listen: a window on the session bus that prints what reaches it.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/HidDescriptor.h"
#include "platform/MessageBus.h"
#include "tools/zenctl/Command.h"

namespace zenctl {
namespace {

int RunListen(const std::vector<std::string>& args, const Options&) {
    std::string title;
    long count = -1;    // until interrupted
    long seconds = -1;  // no limit
    for (size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == "--title")
            title = args[i + 1];
        else if (args[i] == "--count")
            count = std::strtol(args[i + 1].c_str(), nullptr, 10);
        else if (args[i] == "--seconds")
            seconds = std::strtol(args[i + 1].c_str(), nullptr, 10);
        else
            title.clear();
    }
    if (title.empty() || args.size() % 2 != 0) {
        std::fprintf(stderr, "usage: t418-zenctl listen --title TITLE [--count N] [--seconds S]\n");
        return 2;
    }

    std::mutex mutex;
    std::condition_variable changed;
    long received = 0;
    auto endpoint = platform::JoinBus(title, [&](const platform::BusMessage& m) {
        std::lock_guard<std::mutex> lock(mutex);
        if (m.kind == platform::BusMessage::Kind::CopyData)
            std::printf("copydata tag=%u bytes=%zu data=%s\n", m.tag, m.data.size(),
                        platform::BytesToHex({m.data.begin(), m.data.end()}).c_str());
        else
            std::printf("message 0x%04X wParam=%llu lParam=%lld\n", m.message,
                        static_cast<unsigned long long>(m.wParam),
                        static_cast<long long>(m.lParam));
        std::fflush(stdout);
        ++received;
        changed.notify_all();
    });
    if (!endpoint) {
        std::fprintf(stderr, "t418-zenctl: cannot join the session bus\n");
        return 1;
    }
    std::printf("listening as \"%s\"\n", title.c_str());
    std::fflush(stdout);

    std::unique_lock<std::mutex> lock(mutex);
    auto done = [&] { return count >= 0 && received >= count; };
    if (seconds < 0)
        changed.wait(lock, done);
    else if (!changed.wait_for(lock, std::chrono::seconds(seconds), done) && count >= 0)
        return 1;  // fewer messages than asked for
    return 0;
}

const CommandRegistration registration({"listen", "listen --title TITLE [--count N]",
                                        "join the session bus as a window and print what arrives",
                                        RunListen});

}  // namespace
}  // namespace zenctl
