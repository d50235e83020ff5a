// probe-link: ask the receiver whether its mouse is linked.
#include <cstdio>

#include "hid/ResultCode.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

int RunProbeLink(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device;
    if (!TakeDeviceOption(args, device))
        return kExitUsage;
    if (!args.empty()) {
        std::fprintf(stderr, "usage: t418-zenctl probe-link [--device cable|receiver]\n");
        return kExitUsage;
    }
    OpenedChannel opened = OpenCommandChannel(device, options);
    if (!opened.channel)
        return kExitNoDevice;
    if (!opened.channel->Wireless()) {
        std::printf("%s: on the cable, nothing to probe (linked)\n", opened.kind.c_str());
        return kExitOk;
    }
    if (!opened.channel->ProbeLink()) {
        std::printf("receiver: mouse not linked\n");
        return ExitCodeForResult(hid::kResultNotLinked);
    }
    std::printf("receiver: mouse linked\n");
    return kExitOk;
}

const CommandRegistration registration({"probe-link", "probe-link [--device D]",
                                        "ask the receiver whether the mouse is linked",
                                        RunProbeLink});

}  // namespace
}  // namespace zenctl
