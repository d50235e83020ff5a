// connect: the program's whole connect sequence of a device without a window; prints the
// profile it filled and where it lies. With --follow the object stays, with its threads:
// every notification and every read it causes is printed until interrupted.
#include <cstdio>
#include <cstdlib>

#include "profile/JsonFile.h"
#include "tools/zenctl/DeviceCommands.h"
#include "tools/zenctl/FollowLoop.h"
#include "tools/zenctl/MouseSession.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

constexpr int kRefreshTimer = 1002;

int Usage() {
    std::fprintf(stderr,
                 "usage: t418-zenctl connect [--device cable|receiver|pad|keyboard] "
                 "[--follow [--seconds S]]\n");
    return kExitUsage;
}

// Removes the follow options; false on a bad one.
bool TakeFollowOptions(std::vector<std::string>& args, ConnectRequest& request) {
    for (size_t i = 0; i < args.size();) {
        if (args[i] == "--follow") {
            request.follow = true;
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
        } else if (args[i] == "--seconds") {
            unsigned long seconds = 0;
            if (i + 1 >= args.size() || !ParseUnsigned(args[i + 1], 86400, seconds))
                return false;
            request.seconds = static_cast<long>(seconds);
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i + 2));
        } else {
            ++i;
        }
    }
    return request.follow || request.seconds < 0;
}

void PrintMouse(devices::COrvaneMouseDevice& mouse) {
    std::printf("%s", profile::StyledJsonText(mouse.Profile().Document()).c_str());
    std::printf("profile: %s\n", mouse.GetProfilePath().c_str());
    std::fflush(stdout);
}

int FollowMouse(devices::COrvaneMouseDevice& mouse, const MouseSession& session,
                const ConnectRequest& request, FollowLoop& loop) {
    mouse.SetWindowPoster([&loop](std::function<void()> task) { loop.Post(std::move(task)); });
    mouse.SetTimerRequest([&loop](int id, uint32_t ms) { loop.StartTimer(id, ms); });
    auto handler = mouse.GetNotificationHandler();
    mouse.SetNotificationHandler([handler](int kind, uint16_t code) {
        std::printf("notification 0x%04X (kind %d)\n", code, kind);
        std::fflush(stdout);
        if (handler)
            handler(kind, code);
    });
    const uint16_t kind =
        session.kind == "receiver" ? hid::kKindMouseReceiver : hid::kKindMouseCable;
    if (OpenEventInterfaces(mouse, session.path, kind) == 0)
        std::fprintf(stderr, "connect: no event interface opened; only the first read\n");
    std::printf("following; interrupt to end\n");
    std::fflush(stdout);
    loop.Run(request.seconds, [&mouse](int id) {
        if (id != kRefreshTimer)
            return;
        mouse.RefreshFromDevice();
        std::printf("re-read:\n");
        PrintMouse(mouse);
    });
    mouse.StopPreviewThread();
    return kExitOk;
}

int ConnectMouse(const std::string& device, const ConnectRequest& request, const Options& options) {
    // Before any thread starts, so that the signals reach the loop.
    std::unique_ptr<FollowLoop> loop;
    if (request.follow)
        loop = std::make_unique<FollowLoop>();
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
    if (!loop)
        mouse.StopPreviewThread();
    PrintMouse(mouse);
    if (!initialised) {
        mouse.StopPreviewThread();
        std::fprintf(stderr, "connect: the device was not read (not linked or not initialised)\n");
        return 1;
    }
    if (loop)
        return FollowMouse(mouse, session, request, *loop);
    return kExitOk;
}

int RunConnect(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device;
    ConnectRequest request;
    if (!TakeDeviceOption(args, device) || !TakeFollowOptions(args, request) || !args.empty())
        return Usage();
    if (!IsTableDevice(device))
        return ConnectMouse(device, request, options);
    const DeviceCommands* commands = FindDeviceCommands(device);
    if (commands == nullptr)
        return kExitNoDevice;
    // Opening starts no thread: the row's connect makes its follow loop before any starts.
    DeviceSession session = OpenDeviceSession(*commands, options);
    if (!session.device)
        return kExitNoDevice;
    return commands->connect(session, request, options);
}

const CommandRegistration registration({"connect", "connect [--device D] [--follow [--seconds S]]",
                                        "run the program's connect sequence of a device and print "
                                        "what it read (--follow: and what it reads later)",
                                        RunConnect});

}  // namespace
}  // namespace zenctl
