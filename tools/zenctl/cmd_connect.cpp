// connect: the program's whole connect sequence of the mouse without a window; prints the
// profile it filled and where it lies.
#include <cstdio>

#include "profile/JsonFile.h"
#include "tools/zenctl/MouseSession.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

int RunConnect(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device;
    if (!TakeDeviceOption(args, device) || !args.empty()) {
        std::fprintf(stderr, "usage: t418-zenctl connect [--device cable|receiver]\n");
        return kExitUsage;
    }
    MouseSession session = OpenMouseSession(device, options);
    if (!session.device)
        return kExitNoDevice;
    devices::COrvaneMouseDevice& mouse = *session.device;
    bool initialised = false;
    mouse.SetMessageSink([&](uint32_t msg, uintptr_t wParam, intptr_t lParam) -> intptr_t {
        std::fprintf(stderr, "message %u wParam %zu lParam %zd\n", msg, static_cast<size_t>(wParam),
                     static_cast<ssize_t>(lParam));
        if (msg == devices::WM_USB_MAINMESS_DEVICE_IS_INITUI && wParam == 1)
            initialised = true;
        return 0;
    });
    mouse.ConnectDevice();
    mouse.StopPreviewThread();
    std::printf("%s", profile::StyledJsonText(mouse.Profile().Document()).c_str());
    std::printf("profile: %s\n", mouse.GetProfilePath().c_str());
    if (!initialised) {
        std::fprintf(stderr, "connect: the device was not read (not linked or not initialised)\n");
        return 1;
    }
    return kExitOk;
}

const CommandRegistration registration({"connect", "connect [--device D]",
                                        "run the program's connect sequence of the mouse and "
                                        "print the profile it filled",
                                        RunConnect});

}  // namespace
}  // namespace zenctl
