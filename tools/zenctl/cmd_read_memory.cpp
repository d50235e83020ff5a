// read-memory ADDR LEN: read device memory (no transaction, as the program's own reads).
#include <cstdio>
#include <vector>

#include "hid/ResultCode.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

int RunReadMemory(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device;
    if (!TakeDeviceOption(args, device))
        return kExitUsage;
    unsigned long address = 0, length = 0;
    if (args.size() != 2 || !ParseUnsigned(args[0], 0xFFFF, address) ||
        !ParseUnsigned(args[1], 0x10000, length) || length == 0 || address + length > 0x10000) {
        std::fprintf(stderr,
                     "usage: t418-zenctl read-memory [--device D] ADDR LEN  (ADDR + LEN within "
                     "64 KiB, LEN at least 1)\n");
        return kExitUsage;
    }
    OpenedChannel opened = OpenCommandChannel(device, options);
    if (!opened.channel)
        return kExitNoDevice;
    if (!opened.channel->ProbeLink()) {
        std::fprintf(stderr, "probe-link: the receiver reports the mouse is not linked\n");
        return ExitCodeForResult(hid::kResultNotLinked);
    }
    std::vector<uint8_t> bytes(length);
    const int result =
        opened.channel->ReadMemory(bytes.data(), bytes.size(), static_cast<uint16_t>(address));
    if (result != hid::kResultOk)
        return ReportFailure("read memory", result);
    PrintHexDump(bytes.data(), bytes.size(), address);
    return kExitOk;
}

const CommandRegistration registration({"read-memory", "read-memory [--device D] ADDR LEN",
                                        "read device memory and print it in hex", RunReadMemory});

}  // namespace
}  // namespace zenctl
