#include "tools/zenctl/ShootUpload.h"

#include <cstdio>

#include "devices/mouse/EventArea.h"
#include "devices/mouse/ShootArea.h"
#include "hid/HidChannel.h"
#include "hid/Packet.h"
#include "hid/ResultCode.h"
#include "panels/shoot/ShootFiles.h"
#include "platform/Folders.h"
#include "tools/zenctl/MouseSession.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

constexpr int kExitNotSent = 1;

int ShootUploadUsage() {
    std::fprintf(stderr, "usage: t418-zenctl shoot upload [--device cable|receiver]\n");
    return kExitUsage;
}

std::string EventCounts(const devices::mouse::ShootArea& area) {
    std::string text;
    for (size_t count : area.eventCounts)
        text += (text.empty() ? "" : ", ") + std::to_string(count);
    return text;
}

}  // namespace

int RunShootUpload(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device;
    if (!TakeDeviceOption(args, device) || !args.empty())
        return ShootUploadUsage();
    if (device == "pad") {
        std::fprintf(stderr, "shoot upload: the mouse pad has no shoot sets\n");
        return kExitUsage;
    }
    MouseSession session = OpenMouseSession(device, options);
    if (!session.device)
        return kExitNoDevice;
    devices::COrvaneMouseDevice& mouse = *session.device;
    const std::string folder = mouse.GetUserDataFolder();
    // As the shoot page does when it opens: every set the user has not got is the factory's.
    const int copied = panels::shoot::EnsureUserSets(folder, platform::DefaultDataFolder());
    if (copied > 0)
        std::printf("factory sets copied: %d\n", copied);

    const devices::mouse::ShootArea area = devices::mouse::BuildShootArea(folder);
    if (!area.bytes) {
        std::fprintf(stderr,
                     "shoot upload: the sets (%s events) need %zu bytes, more than the %zu the "
                     "mouse's area can describe; nothing was sent\n",
                     EventCounts(area).c_str(), area.size, devices::mouse::kMaxEventArea);
        return kExitNotSent;
    }
    // The upload drops itself silently when the link is down; asked here once so that the
    // exit code can tell that apart from a mouse that did not take the sets.
    hid::CHidChannel& channel = mouse.Channel();
    if (channel.Wireless() && !channel.ProbeLink()) {
        std::fprintf(stderr,
                     "shoot upload: the receiver reports the mouse is not linked; nothing was "
                     "sent\n");
        return ExitCodeForResult(hid::kResultNotLinked);
    }
    if (mouse.WriteShootData() != 1) {
        std::fprintf(stderr,
                     "shoot upload: the mouse did not take the sets (no answer, or refused); "
                     "what it holds is not known\n");
        return kExitNotSent;
    }
    // The shoot block goes in chunks of a full packet on both links.
    const size_t packets = (area.bytes->size() + hid::kMaxPacketData - 1) / hid::kMaxPacketData;
    std::printf("sent: 4 sets (%s events), %zu bytes in %zu packets (%s)\n",
                EventCounts(area).c_str(), area.bytes->size(), packets, session.kind.c_str());
    return kExitOk;
}

}  // namespace zenctl
