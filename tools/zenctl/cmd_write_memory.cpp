// write-memory ADDR HEX...: write device memory inside a transaction.
#include <cstdio>
#include <vector>

#include "hid/ResultCode.h"
#include "platform/HidDescriptor.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

// "0a", "0a0b", "0x0a" each append their bytes; false on odd length or a non-hex digit.
bool ParseHexBytes(const std::string& word, std::vector<uint8_t>& out) {
    std::string digits = word;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        digits = digits.substr(2);
    std::vector<uint8_t> bytes;
    if (digits.empty() || !platform::HexToBytes(digits, bytes))
        return false;
    out.insert(out.end(), bytes.begin(), bytes.end());
    return true;
}

int RunWriteMemory(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device;
    if (!TakeDeviceOption(args, device))
        return kExitUsage;
    unsigned long address = 0;
    std::vector<uint8_t> bytes;
    bool ok = args.size() >= 2 && ParseUnsigned(args[0], 0xFFFF, address);
    for (size_t i = 1; ok && i < args.size(); ++i)
        ok = ParseHexBytes(args[i], bytes);
    if (!ok || address + bytes.size() > 0x10000) {
        std::fprintf(stderr,
                     "usage: t418-zenctl write-memory [--device D] ADDR HEX...  (e.g. 0x80 "
                     "01 ff or 0x80 01ff; within 64 KiB)\n");
        return kExitUsage;
    }
    OpenedChannel opened = OpenCommandChannel(device, options);
    if (!opened.channel)
        return kExitNoDevice;
    hid::CHidChannel& channel = *opened.channel;
    if (!channel.ProbeLink()) {
        std::fprintf(stderr, "probe-link: the receiver reports the mouse is not linked\n");
        return ExitCodeForResult(hid::kResultNotLinked);
    }
    int result = channel.BeginTransaction();
    if (result != hid::kResultOk)
        return ReportFailure("begin", result);
    result = channel.WriteMemory(bytes.data(), bytes.size(), static_cast<uint16_t>(address));
    if (result != hid::kResultOk)
        return ReportFailure("write memory", result);  // no end: the next begin starts anew
    result = channel.EndTransaction();
    if (result != hid::kResultOk)
        return ReportFailure("end", result);
    std::printf("wrote %zu byte(s) at 0x%04lx\n", bytes.size(), address);
    return kExitOk;
}

const CommandRegistration registration({"write-memory", "write-memory [--device D] ADDR HEX...",
                                        "write device memory inside a transaction",
                                        RunWriteMemory});

}  // namespace
}  // namespace zenctl
