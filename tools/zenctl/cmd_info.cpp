// info: read the information block and print it decoded.
#include <cstdio>

#include "hid/ResultCode.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

int RunInfo(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device;
    if (!TakeDeviceOption(args, device))
        return kExitUsage;
    if (!args.empty()) {
        std::fprintf(stderr, "usage: t418-zenctl info [--device cable|receiver|pad]\n");
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
    uint8_t block[hid::kInfoBlockLength] = {};
    int result = channel.BeginTransaction();
    if (result != hid::kResultOk)
        return ReportFailure("begin", result);
    result = channel.ReadInfoBlock(block);
    if (result != hid::kResultOk)
        return ReportFailure("read information block", result);
    result = channel.EndTransaction();
    if (result != hid::kResultOk)
        return ReportFailure("end", result);

    const unsigned signature = block[0] | (block[1] << 8);
    std::printf("device:          %s (%s)\n", opened.kind.c_str(), opened.path.c_str());
    std::printf("signature:       0x%04X%s\n", signature,
                signature == 0x55AA ? "" : " (not 0x55AA)");
    std::printf("key slots:       %u (key table %u bytes)\n", block[5], block[5] * 3u);
    std::printf("macro area:      %u bytes\n", block[6] * 128u);
    std::printf("initialised:     %s (0x%02X)\n", block[7] == 0x12 ? "yes" : "no", block[7]);
    std::printf("sensor:          0x%04X\n", block[9] | (block[10] << 8));
    std::printf("DPI step:        %u\n", block[11]);
    std::printf("DPI steps:       %u\n", block[12]);
    std::printf("DPI base:        %u\n", block[14] | (block[15] << 8));
    std::printf("raw:\n");
    PrintHexDump(block, sizeof block, 0);
    return kExitOk;
}

const CommandRegistration registration({"info", "info [--device D]",
                                        "read and print the device's information block", RunInfo});

}  // namespace
}  // namespace zenctl
