// t418-zenctl send: the reference client of the session message bus.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/HidDescriptor.h"
#include "platform/MessageBus.h"
#include "tools/zenctl/Command.h"

namespace zenctl {
namespace {

bool ParseNumber(const std::string& text, long long& out) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    out = std::strtoll(text.c_str(), &end, 0);
    if (errno == ERANGE) {
        // wParam may use the full unsigned range.
        errno = 0;
        out = static_cast<long long>(std::strtoull(text.c_str(), &end, 0));
    }
    return errno == 0 && end && *end == '\0';
}

// A message given as a number is used as it is; anything else is a name to register.
bool ResolveMessage(const std::string& text, uint32_t& message) {
    long long number = 0;
    if (ParseNumber(text, number)) {
        if (number <= 0 || number > 0xFFFF)
            return false;
        message = static_cast<uint32_t>(number);
        return true;
    }
    message = platform::RegisterMessage(text);
    return message != 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: t418-zenctl send --to TITLE --message NAME|NUMBER WPARAM LPARAM\n"
                 "       t418-zenctl send --broadcast --message NAME|NUMBER WPARAM LPARAM\n"
                 "       t418-zenctl send --to TITLE --copydata TAG HEX\n");
    return 2;
}

int RunSend(const std::vector<std::string>& args, const Options&) {
    std::string to, messageText, tagText, hex;
    bool broadcast = false, copyData = false;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--to" && hasValue) {
            to = args[++i];
        } else if (arg == "--message" && hasValue) {
            messageText = args[++i];
        } else if (arg == "--broadcast") {
            broadcast = true;
        } else if (arg == "--copydata" && i + 2 < args.size()) {
            copyData = true;
            tagText = args[++i];
            hex = args[++i];
        } else {
            rest.push_back(arg);
        }
    }

    if (copyData) {
        long long tag = 0;
        std::vector<uint8_t> data;
        if (to.empty() || broadcast || !messageText.empty() || !rest.empty() ||
            !ParseNumber(tagText, tag) || tag < 0 || tag > 0xFFFFFFFFll ||
            !platform::HexToBytes(hex, data))
            return Usage();
        std::string bytes(data.begin(), data.end());
        if (bytes.size() > platform::kMaxCopyDataBytes) {
            std::fprintf(stderr, "t418-zenctl: copy-data is limited to %zu bytes\n",
                         platform::kMaxCopyDataBytes);
            return 1;
        }
        if (!platform::SendCopyData(to, static_cast<uint32_t>(tag), bytes)) {
            std::fprintf(stderr, "t418-zenctl: no window \"%s\" took the record\n", to.c_str());
            return 1;
        }
        std::printf("sent %zu bytes with tag %lld to \"%s\"\n", bytes.size(), tag, to.c_str());
        return 0;
    }

    long long wParam = 0, lParam = 0;
    uint32_t message = 0;
    if (messageText.empty() || rest.size() != 2 || broadcast == !to.empty() ||
        !ParseNumber(rest[0], wParam) || !ParseNumber(rest[1], lParam))
        return Usage();
    if (!ResolveMessage(messageText, message) || message == platform::kCopyDataMessage) {
        std::fprintf(stderr, "t418-zenctl: \"%s\" is not a message that can be posted\n",
                     messageText.c_str());
        return 1;
    }
    if (broadcast) {
        int reached = platform::Broadcast(message, static_cast<uint64_t>(wParam), lParam);
        std::printf("message 0x%04X reached %d window(s)\n", message, reached);
        return 0;
    }
    if (!platform::PostToWindow(to, message, static_cast<uint64_t>(wParam), lParam)) {
        std::fprintf(stderr, "t418-zenctl: no window \"%s\" on the bus\n", to.c_str());
        return 1;
    }
    std::printf("message 0x%04X posted to \"%s\"\n", message, to.c_str());
    return 0;
}

const CommandRegistration registration(
    {"send", "send --to TITLE|--broadcast ...",
     "post a message or send copy-data to a window on the session bus", RunSend});

}  // namespace
}  // namespace zenctl
