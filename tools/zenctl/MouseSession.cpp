#include "tools/zenctl/MouseSession.h"

#include <cstdio>

#include "hid/DeviceIdentity.h"
#include "panels/profiles/ProfileListFile.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {

MouseSession OpenMouseSession(const std::string& device, const Options& options) {
    MouseSession session;
    if (device == "pad") {
        std::fprintf(stderr, "the mouse pad has no mouse settings\n");
        return session;
    }
    std::string wanted = device;
    OpenedChannel found;
    if (wanted.empty()) {
        found = OpenCommandChannel("cable", options);
        if (!found.channel)
            found = OpenCommandChannel("receiver", options);
    } else {
        found = OpenCommandChannel(wanted, options);
    }
    if (!found.channel)
        return session;
    found.channel.reset();  // the device object opens its own
    auto mouse = std::make_unique<devices::COrvaneMouseDevice>();
    const bool receiver = found.kind == "receiver";
    hid::CHidChannel& channel = mouse->Channel();
    hid::CHidDevice& hidDevice = receiver ? channel.ReceiverDevice() : channel.CableDevice();
    if (!hidDevice.Open(found.path, true, true, true, false)) {
        std::fprintf(stderr, "cannot open %s\n", found.path.c_str());
        return session;
    }
    channel.SetOpen(true);
    channel.SetConnection(receiver ? hid::kConnectionReceiver : hid::kConnectionCable);
    hid::DeviceIdentity identity = hid::IdentityFromPath(found.path);
    identity.Kind = receiver ? hid::kKindMouseReceiver : hid::kKindMouseCable;
    identity.Role = hid::kRoleCommand;
    mouse->SetIdentity(identity);
    mouse->SetDataFolderName("mouse");
    mouse->SetProfileBaseName(
        CurrentProfileName(mouse->GetUserDataFolder(), mouse->GetDefaultDocumentPath()));
    session.device = std::move(mouse);
    session.kind = found.kind;
    session.path = found.path;
    return session;
}

std::string CurrentProfileName(const std::string& userDataFolder,
                               const std::string& defaultDocumentPath) {
    panels::ProfileListFile list(userDataFolder, defaultDocumentPath);
    list.Load();
    return list.SelectedId();
}

}  // namespace zenctl
