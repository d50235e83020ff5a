// The keyboard's row of t418-zenctl's device table: connect (the program's connect sequence,
// then what it read; --follow keeps it), settings show (the onboard block decoded) and
// settings write (the current profile's block, as the program sends it).
#include <cstdio>
#include <memory>
#include <string>

#include "devices/DeviceMessages.h"
#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "hid/DeviceIdentity.h"
#include "hid/ResultCode.h"
#include "profile/JsonFile.h"
#include "tools/zenctl/DeviceCommands.h"
#include "tools/zenctl/FollowLoop.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

namespace kb = devices::keyboard;

constexpr int kKeyboardRefreshTimer = 1002;
constexpr int kKeyboardPowerTimer = 1005;

void PrintBlock(const kb::SettingsBlock& block) {
    std::printf("block:");
    for (size_t i = 0; i < block.size(); ++i)
        std::printf(" %02x", block[i]);
    std::printf("\n");
}

void PrintKeyboard(devices::COrvaneKeyboardDevice& keyboard) {
    int mapped = 0;
    for (uint8_t slot : keyboard.KeySlotMap())
        mapped += slot != kb::kNoSlot ? 1 : 0;
    std::printf("key slots: %d, positions mapped: %d\n", keyboard.InfoBlock()[5], mapped);
    std::printf("onboard profile: %d\n", keyboard.OnboardProfile());
    PrintBlock(keyboard.SettingsMirror());
    std::printf("%s", profile::StyledJsonText(keyboard.Profile().Document()).c_str());
    std::printf("profile: %s\n", keyboard.GetProfilePath().c_str());
    std::fflush(stdout);
}

std::unique_ptr<devices::COrvaneUSBDevice> CreateKeyboard() {
    return std::make_unique<devices::COrvaneKeyboardDevice>();
}

int ConnectKeyboard(DeviceSession& session, const ConnectRequest& request, const Options&) {
    auto& keyboard = dynamic_cast<devices::COrvaneKeyboardDevice&>(*session.device);
    // Before any thread starts, so that the signals reach the loop.
    std::unique_ptr<FollowLoop> loop;
    if (request.follow)
        loop = std::make_unique<FollowLoop>();
    keyboard.SetMessageSink([](uint32_t msg, uintptr_t wParam, intptr_t lParam) -> intptr_t {
        std::fprintf(stderr, "message %u wParam %zu lParam %zd\n", msg, static_cast<size_t>(wParam),
                     static_cast<ssize_t>(lParam));
        return 0;
    });
    keyboard.ConnectDevice();
    if (!loop)
        keyboard.StopPreviewThread();
    PrintKeyboard(keyboard);
    if (!keyboard.SettingsRead()) {
        keyboard.StopPreviewThread();
        std::fprintf(stderr, "connect: the keyboard's settings could not be read\n");
        return 1;
    }
    if (!loop)
        return kExitOk;
    return FollowDevice(keyboard, keyboard, session.path, request.seconds, *loop,
                        [&keyboard](int timer) {
                            if (timer == kKeyboardRefreshTimer) {
                                keyboard.RefreshFromDevice();
                                std::printf("re-read:\n");
                                PrintKeyboard(keyboard);
                            } else if (timer == kKeyboardPowerTimer) {
                                keyboard.QueryPowerState();
                            }
                        });
}

int ShowKeyboard(hid::CHidChannel& channel, const std::string&) {
    uint8_t onboard = 0;
    int result = channel.ReadMemory(&onboard, 1, 0);
    kb::SettingsBlock block{};
    if (result == hid::kResultOk)
        result = channel.ReadMemory(block.data(), block.size(),
                                    static_cast<uint16_t>(onboard * kb::kProfileStride));
    if (result != hid::kResultOk)
        return ReportFailure("read settings", result);
    std::printf("onboard profile: %d\n", onboard);
    PrintBlock(block);
    std::printf("light mode code: %d%s\n", block[1],
                block[1] == kb::kHostLitCode ? " (lit by the host)" : "");
    std::printf("brightness: %d\nspeed: %d\ndirection: %d\nmulticolour: %d\n", block[2],
                4 - (block[3] > 4 ? 4 : block[3]), block[4], block[5]);
    std::printf("colour: %02x%02x%02x\n", block[6], block[7], block[8]);
    std::printf("secondary mode: %d\ncustom group: %d\n", block[18], block[25]);
    std::printf("WFlag: %d\nKey6Flag: %d\nWinFlag: %d\nPollingRate: %d\n", block[19], block[20],
                block[21], block[22]);
    return kExitOk;
}

int WriteKeyboard(DeviceSession& session) {
    auto& keyboard = dynamic_cast<devices::COrvaneKeyboardDevice&>(*session.device);
    keyboard.LoadProfile();
    if (keyboard.WriteSettings(0, 0, 1, 0, 0) != 1) {
        std::fprintf(stderr,
                     "write settings: not sent (no answer, or a light mode without code)\n");
        return 1;
    }
    std::printf("written: %s\n", keyboard.GetProfilePath().c_str());
    return kExitOk;
}

const DeviceCommandsRegistration registration({"keyboard", hid::kKindKeyboard, "keyboard",
                                               CreateKeyboard, ConnectKeyboard, ShowKeyboard,
                                               WriteKeyboard});

}  // namespace
}  // namespace zenctl
