// t418-zenctl profile show|check FILE: the unpacked records of a profile file, and its
// validation.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "profile/FileNames.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "profile/KeyboardProfiledata.h"
#include "profile/MouseProfiledata.h"
#include "profile/ProfileCheck.h"
#include "tools/zenctl/Command.h"

namespace zenctl {
namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: t418-zenctl profile show FILE [--index N]\n"
                 "       t418-zenctl profile check FILE [--type mouse|keyboard|MousePad|HD] "
                 "[--complete]\n");
    return 2;
}

std::string Hex(const uint8_t* bytes, size_t n) {
    std::string text;
    char part[4];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(part, sizeof part, i ? " %02x" : "%02x", bytes[i]);
        text += part;
    }
    return text;
}

void ShowStages(profile::CMouseProfiledata& p) {
    auto stages = p.GetDpiStages();
    std::printf("DPI stages: %zu, active stage %d\n", stages.size(), p.GetActiveStage());
    for (size_t i = 0; i < stages.size(); ++i) {
        const auto& s = stages[i];
        auto bytes = s.ToBytes();
        std::printf("  stage %zu: %-3s xy %u  x %5u  y %5u  colour #%02X%02X%02X   [%s]\n", i,
                    s.enabled ? "on" : "off", s.separateXY, s.x, s.y, s.red, s.green, s.blue,
                    Hex(bytes.data(), bytes.size()).c_str());
    }
}

void ShowMouseSystem(profile::CMouseProfiledata& p) {
    auto words = p.GetSystemRecord();
    std::printf("system record:\n");
    for (int w = 0; w < 8; ++w) {
        std::string halves[2] = {"-", "-"};
        for (const auto& half : profile::kMouseSystemKeys) {
            if (half.word != w)
                continue;
            uint16_t v = half.high ? profile::HighHalf(words[w]) : profile::LowHalf(words[w]);
            halves[half.high ? 1 : 0] = std::string(half.key) + " " + std::to_string(v);
        }
        std::printf("  word %d: 0x%08x  low %-24s high %s\n", w, words[w], halves[0].c_str(),
                    halves[1].c_str());
    }
}

void ShowKeyboardSystem(profile::CKeyboardProfiledata& p) {
    auto words = p.GetKeyboardSystemRecord();
    std::printf("keyboard system record:\n");
    for (int w = 0; w < 3; ++w) {
        std::printf("  word %d: 0x%08x  low %s %u  high %s %u\n", w, words[w],
                    profile::kKeyboardSystemKeys[2 * w], profile::LowHalf(words[w]),
                    profile::kKeyboardSystemKeys[2 * w + 1], profile::HighHalf(words[w]));
    }
}

void ShowKeys(profile::CBasicProfiledata& p) {
    auto keys = p.GetKeyList();
    std::printf("key list: %zu keys\n", keys.size());
    for (const auto& k : keys) {
        auto bytes = k.ToBytes();
        std::printf("  key %2u: current %02x %02x %02x  default %02x %02x %02x   [%s]\n",
                    k.current.keyIndex, k.current.type, k.current.param1, k.current.param2,
                    k.defaults.type, k.defaults.param1, k.defaults.param2,
                    Hex(bytes.data(), bytes.size()).c_str());
    }
}

void ShowLight(profile::CBasicProfiledata& p) {
    auto l = p.GetLightRecord();
    std::printf(
        "light: mode %u  brightness %u  speed %u  direction %u  multicolour %u  "
        "colour #%02X%02X%02X  previous mode %u\n",
        l.mode, l.brightness, l.speed, l.direction, l.multiColour, l.red, l.green, l.blue,
        l.previousMode);
    auto a = p.GetAudioLightRecord();
    std::printf(
        "audio light: mode %u  background #%02X%02X%02X  foreground #%02X%02X%02X  "
        "multicolour %u\n",
        a.mode, a.backgroundRed, a.backgroundGreen, a.backgroundBlue, a.foregroundRed,
        a.foregroundGreen, a.foregroundBlue, a.multiColour);
    auto leds = p.GetLedList();
    size_t valid = 0;
    for (const auto& led : leds)
        valid += led.valid;
    std::printf("per-LED list: %zu entries, %zu in use\n", leds.size(), valid);
}

// isMember throws on arrays; any member of the wrong type reads as absent here.
bool Has(const Json::Value& object, const char* key) {
    return !profile::json::Member(object, key).isNull();
}

int Show(const std::string& path, int index) {
    Json::Value root = profile::LoadJsonFile(path);
    if (root.isNull()) {
        std::fprintf(stderr, "t418-zenctl: %s: missing, empty or not JSON\n", path.c_str());
        return 1;
    }
    const Json::Value& doc = profile::json::Element(profile::json::Member(root, "Device"), index);
    if (!doc.isObject()) {
        std::fprintf(stderr, "t418-zenctl: %s: no document at \"Device\"[%d]\n", path.c_str(),
                     index);
        return 1;
    }
    std::printf("file: %s\ndocument: \"Device\"[%d]\n", path.c_str(), index);
    for (const char* member : {"profilename", "profileUUID"}) {
        const Json::Value& v = profile::json::Member(root, member);
        if (v.isString())
            std::printf("%s: %s\n", member, v.asCString());
    }
    const Json::Value& system = profile::json::Member(doc, "SystemStages");
    profile::CMouseProfiledata mouse;
    mouse.SetDocument(doc);
    if (Has(doc, "DPIStages"))
        ShowStages(mouse);
    if (Has(doc, "ReportStages") || Has(system, "MouseSpeed"))
        ShowMouseSystem(mouse);
    if (Has(system, "Repeat")) {
        profile::CKeyboardProfiledata keyboard;
        keyboard.SetDocument(doc);
        ShowKeyboardSystem(keyboard);
    }
    if (Has(doc, "KeyList"))
        ShowKeys(mouse);
    if (Has(doc, "LightInfo") || Has(doc, "AudioLightInfo"))
        ShowLight(mouse);
    std::string sections;
    for (const std::string& name : doc.getMemberNames())
        sections += " " + name;
    std::printf("sections:%s\n", sections.c_str());
    return 0;
}

int Check(const std::string& path, profile::CheckOptions options) {
    if (options.complete && options.deviceType.empty()) {
        std::string title = profile::GetFileTitle(path);
        if (!profile::IsDeviceType(title)) {
            std::fprintf(stderr, "t418-zenctl: --complete needs --type for %s\n", path.c_str());
            return 2;
        }
        options.deviceType = title;
    }
    auto problems = profile::CheckProfileFile(path, options);
    for (const std::string& problem : problems)
        std::printf("%s\n", problem.c_str());
    if (problems.empty()) {
        std::printf("%s: ok\n", path.c_str());
        return 0;
    }
    std::printf("%zu problem%s\n", problems.size(), problems.size() == 1 ? "" : "s");
    return 1;
}

int RunProfile(const std::vector<std::string>& args, const Options&) {
    if (args.size() < 2)
        return Usage();
    const std::string& verb = args[0];
    const std::string& path = args[1];
    if (verb == "show") {
        int index = 0;
        for (size_t i = 2; i < args.size(); ++i) {
            if (args[i] == "--index" && i + 1 < args.size()) {
                char* end = nullptr;
                long n = std::strtol(args[++i].c_str(), &end, 10);
                if (*end || n < 0 || n > profile::CBasicProfiledata::kMaxDocumentIndex)
                    return Usage();
                index = static_cast<int>(n);
            } else {
                return Usage();
            }
        }
        return Show(path, index);
    }
    if (verb == "check") {
        profile::CheckOptions options;
        for (size_t i = 2; i < args.size(); ++i) {
            if (args[i] == "--type" && i + 1 < args.size() && profile::IsDeviceType(args[i + 1]))
                options.deviceType = args[++i];
            else if (args[i] == "--complete")
                options.complete = true;
            else
                return Usage();
        }
        return Check(path, options);
    }
    return Usage();
}

const CommandRegistration registration({"profile", "profile show|check FILE",
                                        "print the records of a profile file, or validate it",
                                        RunProfile});

}  // namespace
}  // namespace zenctl
