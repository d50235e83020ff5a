#include "tools/zenctl/ProtoChannel.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "hid/PathParsers.h"
#include "hid/ResultCode.h"
#include "platform/HidTransport.h"

namespace zenctl {
namespace {

constexpr uint16_t kVendor = 0x320F;
constexpr uint16_t kCommandUsagePage = 0xFF1C;
constexpr uint16_t kCommandUsage = 0x92;

struct Kind {
    const char* name;
    uint16_t product;
    int connection;
};
constexpr Kind kKinds[] = {{"cable", 0x22A4, hid::kConnectionCable},
                           {"receiver", 0x226F, hid::kConnectionReceiver},
                           {"pad", 0x1004, hid::kConnectionCable},
                           {"keyboard", 0x0000, hid::kConnectionCable}};

}  // namespace

int ExitCodeForResult(int result) {
    switch (result) {
        case hid::kResultOk:
            return kExitOk;
        case hid::kResultNoAnswer:
            return 4;
        case hid::kResultWriteFailed:
            return 5;
        case hid::kResultNotLinked:
            return 6;
        case hid::kResultStatusFailed:
            return 7;
        case hid::kResultStatusRejected:
            return 8;
        case hid::kResultInvalidBank:
            return 9;
        default:
            return 1;
    }
}

bool TakeDeviceOption(std::vector<std::string>& args, std::string& device) {
    device.clear();
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--device")
            continue;
        if (i + 1 >= args.size()) {
            std::fprintf(stderr, "--device needs cable, receiver, pad or keyboard\n");
            return false;
        }
        device = args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i + 2));
        for (const Kind& kind : kKinds)
            if (device == kind.name)
                return true;
        std::fprintf(stderr, "unknown device '%s' (cable, receiver, pad or keyboard)\n",
                     device.c_str());
        return false;
    }
    return true;
}

OpenedChannel OpenCommandChannel(const std::string& device, const Options& options) {
    if (options.trace)
        ::setenv("T418_ZEN_TRACE", "1", 1);  // the channel's packet trace goes to stderr
    OpenedChannel opened;
    std::vector<std::string> paths;
    if (!platform::DefaultHidTransport().EnumeratePaths(paths)) {
        std::fprintf(stderr, "cannot list the HID devices\n");
        return opened;
    }
    for (const Kind& kind : kKinds) {
        if (!device.empty() && device != kind.name)
            continue;
        for (const std::string& path : paths) {
            if (hid::VendorFromPath(path) != kVendor || hid::ProductFromPath(path) != kind.product)
                continue;
            auto channel = std::make_unique<hid::CHidChannel>();
            hid::CHidDevice& hidDevice = kind.connection == hid::kConnectionReceiver
                                             ? channel->ReceiverDevice()
                                             : channel->CableDevice();
            if (!hidDevice.Open(path, true, true, true, false))
                continue;
            if (hidDevice.UsagePage() != kCommandUsagePage || hidDevice.Usage() != kCommandUsage) {
                hidDevice.Close();
                continue;
            }
            channel->SetOpen(true);
            channel->SetConnection(kind.connection);
            opened.channel = std::move(channel);
            opened.kind = kind.name;
            opened.path = path;
            return opened;
        }
    }
    std::fprintf(stderr, "no %s command interface found%s\n",
                 device.empty() ? "mouse or mouse-pad" : device.c_str(),
                 std::getenv("T418_ZEN_SIMBUS") ? " on the simulated bus" : "");
    return opened;
}

int ReportFailure(const char* what, int result) {
    std::fprintf(stderr, "%s: %s (result %d)\n", what, hid::ResultText(result), result);
    return ExitCodeForResult(result);
}

bool ParseUnsigned(const std::string& text, unsigned long maximum, unsigned long& value) {
    if (text.empty() || text[0] == '-' || text[0] == '+')
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(text.c_str(), &end, 0);
    return errno == 0 && end && *end == '\0' && value <= maximum;
}

void PrintHexDump(const uint8_t* bytes, size_t length, unsigned long firstAddress) {
    for (size_t i = 0; i < length; ++i) {
        if (i % 16 == 0)
            std::printf("%s%04lx:", i ? "\n" : "", firstAddress + i);
        std::printf(" %02x", bytes[i]);
    }
    if (length)
        std::printf("\n");
}

}  // namespace zenctl
