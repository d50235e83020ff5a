// settings show|write: the settings block of the mouse's current onboard profile, read and
// decoded, or the current profile's block sent as the program sends it.
#include <cstdio>

#include "devices/mouse/SettingsBlock.h"
#include "hid/ResultCode.h"
#include "tools/zenctl/DeviceCommands.h"
#include "tools/zenctl/MouseSession.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: t418-zenctl settings show [--device cable|receiver|pad|keyboard]\n"
                 "       t418-zenctl settings write [--device cable|receiver|pad|keyboard]\n");
    return kExitUsage;
}

void PrintBlock(const devices::mouse::SettingsBlock& b, uint8_t onboard) {
    const devices::mouse::SettingsReadBack r = devices::mouse::DecodeSettingsBlock(b, {});
    std::printf("onboard profile:    %u\n", onboard);
    std::printf("light mode:         %u%s\n", b[1],
                b[1] >= devices::mouse::kFirstCustomMode ? " (not a device mode)" : "");
    std::printf("brightness:         %u\n", r.brightness);
    std::printf("speed:              %u (byte %u)\n", r.speed, b[3]);
    std::printf("direction:          %u\n", b[4]);
    std::printf("multicolour:        %u\n", r.multiColour);
    std::printf("colour:             #%02X%02X%02X\n", r.red, r.green, r.blue);
    std::printf("report-rate code:   %u\n", b[11]);
    std::printf("active stage:       %u\n", r.activeStage);
    for (int i = 0; i < devices::mouse::kStageCount; ++i) {
        const profile::DpiStageRecord s = devices::mouse::StageOf(b, i);
        std::printf("stage %d:            %-3s xy %u  x %5u  y %5u  colour #%02X%02X%02X\n", i,
                    s.enabled ? "on" : "off", s.separateXY, s.x, s.y, s.red, s.green, s.blue);
    }
    std::printf("ble_sleep1/2:       %u %u\n", b[77], b[78]);
    std::printf("device_sleep1/2:    %u %u\n", b[79], b[80]);
    std::printf("key_debounce_time:  %u\n", b[81]);
    std::printf("SilentAltitude:     %u\n", b[82]);
    std::printf("Linear_Calibration: %u\n", b[83]);
    std::printf("Ripple:             %u\n", b[84]);
    std::printf("Logoledmode:        %u\n", b[86]);
    std::printf("raw:\n");
    PrintHexDump(b.data(), b.size(), onboard * devices::mouse::kProfileStride);
}

int Show(const std::string& device, const Options& options) {
    OpenedChannel opened = OpenCommandChannel(device, options);
    if (!opened.channel)
        return kExitNoDevice;
    if (opened.kind == "pad")
        return Usage();
    hid::CHidChannel& channel = *opened.channel;
    if (!channel.ProbeLink()) {
        std::fprintf(stderr, "settings: the receiver reports the mouse is not linked\n");
        return ExitCodeForResult(hid::kResultNotLinked);
    }
    uint8_t onboard = 0;
    int result = channel.ReadMemory(&onboard, 1, 0);
    if (result != hid::kResultOk)
        return ReportFailure("read onboard profile", result);
    devices::mouse::SettingsBlock block{};
    result = channel.ReadMemory(block.data(), block.size(),
                                static_cast<uint16_t>(onboard * devices::mouse::kProfileStride));
    if (result != hid::kResultOk)
        return ReportFailure("read settings block", result);
    std::printf("device:             %s (%s)\n", opened.kind.c_str(), opened.path.c_str());
    PrintBlock(block, onboard);
    return kExitOk;
}

int Write(const std::string& device, const Options& options) {
    MouseSession session = OpenMouseSession(device, options);
    if (!session.device)
        return kExitNoDevice;
    session.device->LoadProfile();
    const int result = session.device->WriteSettings(0, 0, 1, 0, 0);
    if (result != hid::kResultOk)
        return ReportFailure("write settings", result);
    std::printf("written: %s\n", session.device->GetProfilePath().c_str());
    return kExitOk;
}

// The pad's and the keyboard's own blocks, through their rows of the device table.
int RunTableDevice(const std::string& device, const std::string& what, const Options& options) {
    const DeviceCommands* commands = FindDeviceCommands(device);
    if (commands == nullptr)
        return kExitNoDevice;
    if (what == "show") {
        OpenedChannel opened = OpenCommandChannel(device, options);
        if (!opened.channel)
            return kExitNoDevice;
        return commands->show(*opened.channel, opened.path);
    }
    DeviceSession session = OpenDeviceSession(*commands, options);
    if (!session.device)
        return kExitNoDevice;
    return commands->write(session);
}

int RunSettings(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device;
    if (!TakeDeviceOption(args, device) || args.size() != 1)
        return Usage();
    if (IsTableDevice(device) && (args[0] == "show" || args[0] == "write"))
        return RunTableDevice(device, args[0], options);
    if (args[0] == "show")
        return Show(device, options);
    if (args[0] == "write")
        return Write(device, options);
    return Usage();
}

const CommandRegistration registration({"settings", "settings show|write [--device D]",
                                        "a device's settings block: decode it, or send the "
                                        "current profile's",
                                        RunSettings});

}  // namespace
}  // namespace zenctl
