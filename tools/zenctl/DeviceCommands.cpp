#include "tools/zenctl/DeviceCommands.h"

#include <cstdio>
#include <vector>

#include "hid/DeviceIdentity.h"
#include "hid/DeviceMatchTable.h"
#include "hid/PathParsers.h"
#include "platform/HidTransport.h"
#include "tools/zenctl/FollowLoop.h"
#include "tools/zenctl/MouseSession.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

constexpr const char* kTableDevices[] = {"pad", "keyboard"};

std::vector<DeviceCommands>& Rows() {
    static std::vector<DeviceCommands> rows;
    return rows;
}

}  // namespace

DeviceCommandsRegistration::DeviceCommandsRegistration(const DeviceCommands& commands) {
    Rows().push_back(commands);
}

bool IsTableDevice(const std::string& name) {
    for (const char* device : kTableDevices)
        if (name == device)
            return true;
    return false;
}

const DeviceCommands* FindDeviceCommands(const std::string& name) {
    for (const DeviceCommands& row : Rows())
        if (name == row.name)
            return &row;
    std::fprintf(stderr, "the %s is not built into this t418-zenctl yet\n", name.c_str());
    return nullptr;
}

DeviceSession OpenDeviceSession(const DeviceCommands& commands, const Options& options) {
    DeviceSession session;
    OpenedChannel found = OpenCommandChannel(commands.name, options);
    if (!found.channel)
        return session;
    found.channel.reset();  // the device object opens its own
    std::unique_ptr<devices::COrvaneUSBDevice> device = commands.create();
    hid::CHidChannel& channel = device->Channel();
    if (!channel.CableDevice().Open(found.path, true, true, true, false)) {
        std::fprintf(stderr, "cannot open %s\n", found.path.c_str());
        return session;
    }
    channel.SetOpen(true);
    if (commands.kind == hid::kKindKeyboard)
        channel.SetConnection(hid::kConnectionCable);
    hid::DeviceIdentity identity = hid::IdentityFromPath(found.path);
    identity.Kind = commands.kind;
    identity.Role = hid::kRoleCommand;
    device->SetIdentity(identity);
    device->SetDataFolderName(commands.dataFolder);
    device->SetProfileBaseName(
        CurrentProfileName(device->GetUserDataFolder(), device->GetDefaultDocumentPath()));
    session.device = std::move(device);
    session.path = found.path;
    return session;
}

int OpenEventInterfaces(devices::COrvaneUSBDevice& device, const std::string& commandPath,
                        uint16_t kind) {
    std::vector<std::string> paths;
    if (!platform::DefaultHidTransport().EnumeratePaths(paths))
        return 0;
    const uint16_t vendor = hid::VendorFromPath(commandPath);
    const uint16_t product = hid::ProductFromPath(commandPath);
    int opened = 0;
    for (const std::string& path : paths) {
        if (hid::VendorFromPath(path) != vendor || hid::ProductFromPath(path) != product)
            continue;
        const int row = hid::FindMatchRow(hid::IdentityFromPath(path), false);
        if (row < 0)
            continue;
        const hid::DeviceIdentity& r = hid::DeviceMatchTable()[static_cast<size_t>(row)];
        if (r.Role == hid::kRoleEvent && r.Kind == kind && device.OpenNotifyChannel(path, kind))
            ++opened;
    }
    return opened;
}

int FollowDevice(devices::COrvaneUSBDevice& device, devices::HostLink& link,
                 const std::string& commandPath, long seconds, FollowLoop& loop,
                 const std::function<void(int timer)>& onTimer) {
    link.SetWindowPoster([&loop](std::function<void()> task) { loop.Post(std::move(task)); });
    link.SetTimerRequest([&loop](int id, uint32_t ms) { loop.StartTimer(id, ms); });
    auto handler = device.GetNotificationHandler();
    device.SetNotificationHandler([handler](int kind, uint16_t code) {
        std::printf("notification 0x%04X (kind %d)\n", code, kind);
        std::fflush(stdout);
        if (handler)
            handler(kind, code);
    });
    const uint16_t kind = static_cast<uint16_t>(device.GetKind());
    if (OpenEventInterfaces(device, commandPath, kind) == 0)
        std::fprintf(stderr, "connect: no event interface opened; only the first read\n");
    std::printf("following; interrupt to end\n");
    std::fflush(stdout);
    loop.Run(seconds, onTimer);
    link.StopDeviceThreads();
    device.CloseNotifyChannel(kind);
    return kExitOk;
}

}  // namespace zenctl
