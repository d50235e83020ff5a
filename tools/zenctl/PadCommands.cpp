// The mouse pad's row of the device table: its connect (and --follow), its onboard block
// decoded, and its block sent from the current profile.
#include <cstdio>

#include "devices/pad/OrvaneMousePadDevice.h"
#include "hid/ResultCode.h"
#include "profile/JsonFile.h"
#include "tools/zenctl/DeviceCommands.h"
#include "tools/zenctl/FollowLoop.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

using devices::COrvaneMousePadDevice;

constexpr int kRefreshTimer = 1002;
constexpr int kPowerTimer = 1005;
constexpr uint32_t kPowerPeriodMs = 3000;

void PrintPadBlock(const uint8_t* b, uint8_t onboard) {
    std::printf("onboard profile:    %u\n", onboard);
    std::printf("light mode code:    %u\n", b[1]);
    std::printf("brightness:         %u\n", b[2]);
    std::printf("speed:              %u (byte %u)\n",
                devices::pad::kMaxSpeed - std::min<uint8_t>(b[3], devices::pad::kMaxSpeed), b[3]);
    std::printf("byte 4:             %u\n", b[4]);
    std::printf("multicolour:        %u\n", b[5]);
    std::printf("colour:             #%02X%02X%02X\n", b[6], b[7], b[8]);
}

void PrintPad(COrvaneMousePadDevice& pad) {
    const devices::pad::Block& mirror = pad.SettingsMirror();
    std::printf("%s", profile::StyledJsonText(pad.Profile().Document()).c_str());
    std::printf("profile: %s\n", pad.GetProfilePath().c_str());
    std::printf("onboard block (mode as position, speed): ");
    for (uint8_t byte : mirror)
        std::printf(" %02x", byte);
    std::printf("\n");
    std::fflush(stdout);
}

void PrintPower(COrvaneMousePadDevice& pad) {
    const auto record = pad.PowerRecord();
    std::printf("power: %u %%, phone %u\n", record[0], record[5]);
    std::fflush(stdout);
}

std::unique_ptr<devices::COrvaneUSBDevice> CreatePad() {
    return std::make_unique<COrvaneMousePadDevice>();
}

int ConnectPad(DeviceSession& session, const ConnectRequest& request, const Options&) {
    // Before the pad's threads start, so that the signals reach the loop.
    std::unique_ptr<FollowLoop> loop;
    if (request.follow)
        loop = std::make_unique<FollowLoop>();
    auto& pad = static_cast<COrvaneMousePadDevice&>(*session.device);
    pad.SetMessageSink([](uint32_t msg, uintptr_t wParam, intptr_t lParam) -> intptr_t {
        std::fprintf(stderr, "message %u wParam %zu lParam %zd\n", msg, static_cast<size_t>(wParam),
                     static_cast<ssize_t>(lParam));
        return 0;
    });
    pad.ConnectDevice();
    pad.QueryPowerState();
    if (!loop)
        pad.StopPreviewThread();
    PrintPad(pad);
    PrintPower(pad);
    if (!pad.BlockRead()) {
        pad.StopPreviewThread();
        std::fprintf(stderr, "connect: the pad's onboard block was not read\n");
        return 1;
    }
    if (!loop)
        return kExitOk;
    // The power item's query, as the device list repeats it.
    loop->StartTimer(kPowerTimer, kPowerPeriodMs);
    FollowLoop& follow = *loop;
    return FollowDevice(pad, pad, session.path, request.seconds, follow, [&pad, &follow](int id) {
        if (id == kRefreshTimer) {
            pad.RefreshFromDevice();
            std::printf("re-read:\n");
            PrintPad(pad);
        } else if (id == kPowerTimer) {
            pad.QueryPowerState();
            PrintPower(pad);
            follow.StartTimer(kPowerTimer, kPowerPeriodMs);
        }
    });
}

int ShowPad(hid::CHidChannel& channel, const std::string& path) {
    uint8_t onboard = 0;
    int result = channel.ReadMemory(&onboard, 1, 0);
    if (result != hid::kResultOk)
        return ReportFailure("read onboard profile", result);
    std::array<uint8_t, devices::pad::kReadLength> read{};
    const unsigned long address = onboard * devices::pad::kProfileStride;
    result = channel.ReadMemory(read.data(), read.size(), static_cast<uint16_t>(address));
    if (result != hid::kResultOk)
        return ReportFailure("read settings block", result);
    std::printf("device:             pad (%s)\n", path.c_str());
    PrintPadBlock(read.data(), onboard);
    std::printf("raw:\n");
    PrintHexDump(read.data(), devices::pad::kBlockSize, address);
    return kExitOk;
}

int WritePad(DeviceSession& session) {
    auto& pad = static_cast<COrvaneMousePadDevice&>(*session.device);
    // The block goes out with the bytes the pad holds: read first, as at connection.
    if (pad.ReadSettingsBlock() != 1) {
        std::fprintf(stderr, "write settings: the pad's onboard block could not be read\n");
        return ExitCodeForResult(hid::kResultNoAnswer);
    }
    pad.LoadProfile();
    if (pad.WriteSettings(0, 0, 1, 0, 0) != 1) {
        std::fprintf(stderr, "write settings: the pad did not take the block\n");
        return 1;
    }
    std::printf("written: %s\n", pad.GetProfilePath().c_str());
    return kExitOk;
}

const DeviceCommandsRegistration registration({"pad", hid::kKindMousePad, "MousePad", CreatePad,
                                               ConnectPad, ShowPad, WritePad});

}  // namespace
}  // namespace zenctl
