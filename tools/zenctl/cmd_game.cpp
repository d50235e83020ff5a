// t418-zenctl game and light-control: the reference clients of the game requests and of the
// light-control command, posted to the program's window on the session bus.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/AppMessages.h"
#include "platform/MessageBus.h"
#include "tools/zenctl/Command.h"

namespace zenctl {
namespace {

bool ParseDecimal(const std::string& text, long long& out) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    out = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

// Posts a registered message to the program's window; 1 when it is not on the bus.
int PostToProgram(const char* name, uint64_t wParam, int64_t lParam) {
    const uint32_t message = platform::RegisterMessage(name);
    if (message == 0) {
        std::fprintf(stderr, "t418-zenctl: the session bus's name table cannot be used\n");
        return 1;
    }
    if (!platform::PostToWindow(app::kMainCaption, message, wParam, lParam)) {
        std::fprintf(stderr, "t418-zenctl: no window \"%s\" on the bus\n", app::kMainCaption);
        return 1;
    }
    std::printf("%s (%llu, %lld) posted to \"%s\"\n", name, static_cast<unsigned long long>(wParam),
                static_cast<long long>(lParam), app::kMainCaption);
    return 0;
}

int GameUsage() {
    std::fprintf(stderr, "usage: t418-zenctl game start|end|kill|death MODE [--kind K]\n");
    return 2;
}

int RunGame(const std::vector<std::string>& args, const Options&) {
    static constexpr const char* kEvents[] = {"start", "end", "kill", "death"};
    if (args.size() != 2 && args.size() != 4)
        return GameUsage();
    int event = -1;
    for (int i = 0; i < 4; ++i) {
        if (args[0] == kEvents[i])
            event = i;
    }
    long long mode = 0, kind = 0;
    if (event < 0 || !ParseDecimal(args[1], mode))
        return GameUsage();
    if (args.size() == 4 && (args[2] != "--kind" || !ParseDecimal(args[3], kind) || kind < 0))
        return GameUsage();
    return PostToProgram(app::kGameMessageNames[static_cast<size_t>(event)],
                         static_cast<uint64_t>(kind), mode);
}

int RunLightControl(const std::vector<std::string>& args, const Options&) {
    // The program's flag says whether it drives the lights: taking them sets it to 0.
    if (args.size() != 1 || (args[0] != "take" && args[0] != "release")) {
        std::fprintf(stderr, "usage: t418-zenctl light-control take|release\n");
        return 2;
    }
    return PostToProgram(app::kCompanionMessageNames[2], 1, args[0] == "take" ? 0 : 1);
}

const CommandRegistration gameRegistration(
    {"game", "game start|end|kill|death MODE [--kind K]",
     "ask the program for a mode of the current device for five seconds", RunGame});
const CommandRegistration lightControlRegistration(
    {"light-control", "light-control take|release",
     "take the light control from the program or give it back", RunLightControl});

}  // namespace
}  // namespace zenctl
