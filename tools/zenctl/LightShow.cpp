// light show: the light record, the audio light record and the per-LED list of a profile, and
// with a device the light bytes of the mouse's current settings block, read only.
#include <algorithm>
#include <cstdio>

#include "devices/mouse/SettingsBlock.h"
#include "hid/ResultCode.h"
#include "tools/zenctl/LightCommands.h"
#include "tools/zenctl/LightSession.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

namespace mouse = devices::mouse;

void PrintShowLeds(const std::vector<profile::LedEntry>& leds) {
    std::printf("per-LED list:      %zu LED%s\n", leds.size(), leds.size() == 1 ? "" : "s");
    if (leds.empty())
        return;
    std::printf("  %-4s %-5s %-7s %-6s %-4s %-6s %-8s %s\n", "led", "mode", "bright", "speed",
                "dir", "multi", "colour", "valid");
    for (size_t i = 0; i < leds.size(); ++i) {
        const profile::LedEntry& e = leds[i];
        std::printf("  %-4zu %-5u %-7u %-6u %-4u %-6u #%02X%02X%02X  %u\n", i, e.mode, e.brightness,
                    e.speed, e.direction, e.multiColour, e.red, e.green, e.blue, e.valid);
    }
}

// Block bytes 1-9 of the mouse's current onboard profile, decoded as a connection reads them.
int PrintShowBlock(const devices::COrvaneMouseDevice& m, const std::string& device,
                   const Options& options) {
    OpenedChannel opened = OpenCommandChannel(device, options);
    if (!opened.channel)
        return kExitNoDevice;
    hid::CHidChannel& channel = *opened.channel;
    if (!channel.ProbeLink()) {
        std::fprintf(stderr, "light show: the receiver reports the mouse is not linked\n");
        return ExitCodeForResult(hid::kResultNotLinked);
    }
    uint8_t onboard = 0;
    int result = channel.ReadMemory(&onboard, 1, 0);
    if (result != hid::kResultOk)
        return ReportFailure("read onboard profile", result);
    mouse::SettingsBlock block{};
    const uint16_t address = static_cast<uint16_t>(onboard * mouse::kProfileStride);
    result = channel.ReadMemory(block.data(), block.size(), address);
    if (result != hid::kResultOk)
        return ReportFailure("read settings block", result);
    const mouse::SettingsReadBack r = mouse::DecodeSettingsBlock(block, m.LightValues());
    std::printf("device:            %s (%s)\n", opened.kind.c_str(), opened.path.c_str());
    std::printf("settings block of onboard profile %u at 0x%04X, bytes 1-9:\n", onboard, address);
    // The first position whose device code is the byte; a code no entry has is kept as read.
    const std::vector<int>& codes = m.LightValues();
    const bool listed = std::find(codes.begin(), codes.end(), block[1]) != codes.end();
    std::printf("  1 mode         0x%02X  %s\n", block[1],
                listed ? DescribeMode(m, r.mode).c_str()
                       : "no entry of the mode list has this code: kept as read");
    // The mouse knows no custom effect: the profile's stays while the block says 0.
    const uint8_t kept = mouse::MergeLightMode(r.mode, m.LightSettings().mode);
    if (kept != r.mode)
        std::printf("                      the profile keeps %s (sent as 0)\n",
                    DescribeMode(m, kept).c_str());
    std::printf("  2 brightness   0x%02X  %u\n", block[2], r.brightness);
    std::printf("  3 speed        0x%02X  speed %u (4 - byte)\n", block[3], r.speed);
    std::printf("  4 direction    0x%02X  %s\n", block[4], block[4] ? "first" : "second");
    std::printf("  5 multicolour  0x%02X  %u\n", block[5], r.multiColour);
    std::printf("  6 red          0x%02X\n", block[6]);
    std::printf("  7 blue         0x%02X\n", block[7]);
    std::printf("  8 green        0x%02X  colour #%02X%02X%02X\n", block[8], r.red, r.green,
                r.blue);
    std::printf("  9 spare        0x%02X\n", block[9]);
    return kExitOk;
}

}  // namespace

std::string DescribeMode(const devices::COrvaneMouseDevice& m, int position) {
    std::string text = "mode " + std::to_string(position);
    const std::string name = ModeName(m, position);
    text += name.empty() ? " (no such mode)" : " " + name;
    if (position >= kMouseBuiltInModes && !name.empty())
        text += " (custom effect " + std::to_string(position - kMouseBuiltInModes) + ")";
    const std::string key = ModeKey(m, position);
    if (!key.empty())
        text += " [" + key + "]";
    return text;
}

void PrintLightRecord(const devices::COrvaneMouseDevice& m, const profile::LightRecord& r) {
    std::printf("light:             %s\n", DescribeMode(m, r.mode).c_str());
    std::printf("brightness:        %u\n", r.brightness);
    std::printf("speed:             %u\n", r.speed);
    std::printf("direction:         %u (%s)\n", r.direction, r.direction ? "first" : "second");
    std::printf("multicolour:       %u\n", r.multiColour);
    std::printf("colour:            #%02X%02X%02X\n", r.red, r.green, r.blue);
    if (r.previousMode != 0)
        std::printf("mode after a game: %u\n", r.previousMode);
}

void PrintAudioRecord(const profile::AudioLightRecord& r) {
    std::printf("audio mode:        %u\n", r.mode);
    std::printf("audio background:  #%02X%02X%02X\n", r.backgroundRed, r.backgroundGreen,
                r.backgroundBlue);
    std::printf("audio foreground:  #%02X%02X%02X\n", r.foregroundRed, r.foregroundGreen,
                r.foregroundBlue);
    std::printf("audio multicolour: %u\n", r.multiColour);
}

int RunLightShow(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device, profileFile;
    bool deviceGiven = false, profileGiven = false;
    for (const std::string& a : args)
        deviceGiven = deviceGiven || a == "--device";
    if (!TakeDeviceOption(args, device) ||
        !TakeLightOption(args, "--profile", profileFile, profileGiven) || !args.empty())
        return LightUsage();
    if (device == "pad")
        return LightUsage();
    LightTarget target = OpenLightTarget(profileFile, false, "", options);
    if (!target.device)
        return 1;
    devices::COrvaneMouseDevice& m = *target.device;
    std::printf("profile:           %s%s\n", target.profilePath.c_str(),
                target.currentProfile ? " (current)" : "");
    PrintLightRecord(m, m.LightSettings());
    PrintAudioRecord(m.Profile().GetAudioLightRecord());
    PrintShowLeds(m.GetLedList());
    return deviceGiven ? PrintShowBlock(m, device, options) : kExitOk;
}

}  // namespace zenctl
