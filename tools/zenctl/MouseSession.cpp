#include "tools/zenctl/MouseSession.h"

#include <cstdio>

#include "hid/DeviceIdentity.h"
#include "profile/FileNames.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
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
    mouse->SetProfileBaseName(CurrentProfileName(mouse->GetUserDataFolder()));
    session.device = std::move(mouse);
    session.kind = found.kind;
    session.path = found.path;
    return session;
}

std::string CurrentProfileName(const std::string& userDataFolder) {
    namespace json = profile::json;
    const std::string listPath = userDataFolder + "ProfileList.ini";
    Json::Value list = profile::LoadJsonFile(listPath);
    const Json::Value& entries = json::Member(list, "profilelist");
    if (json::ArraySize(entries) > 0) {
        const int selected = json::IntOf(json::Member(list, "profileselect"));
        const std::string name = json::StringOf(
            json::Member(json::Element(entries, selected < 0 ? 0 : selected), "profileUUID"));
        if (!name.empty())
            return name;
    }
    // As the program's first start: one profile, selected.
    const std::string name = profile::MakeTimestampName();
    Json::Value entry(Json::objectValue);
    entry["profilename"] = "Profile1";
    entry["profileUUID"] = name;
    entry["profileislink"] = 0;
    entry["profilelinkmame"] = "";
    Json::Value root(Json::objectValue);
    root["profilelist"] = Json::Value(Json::arrayValue);
    root["profilelist"].append(entry);
    root["profileselect"] = 0;
    profile::WriteJsonFile(listPath, root);
    return name;
}

}  // namespace zenctl
