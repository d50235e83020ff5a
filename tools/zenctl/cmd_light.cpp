// light set|audio set: a light change made as the light tab's handlers make it, through the
// shared change path; light show and light effect live beside (LightShow.cpp,
// LightEffectsCmd.cpp).
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

#include "panels/light/LightCommit.h"
#include "panels/light/LightRules.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "tools/zenctl/LightCommands.h"
#include "tools/zenctl/LightPresets.h"
#include "tools/zenctl/LightSession.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

namespace light = panels::light;
constexpr int kLightExitFailed = 1;
constexpr int kMaxLightLevel = 4;  // the brightness and speed sliders' maximum

// Each option as typed; checked before anything is opened.
struct SetRequest {
    std::string mode;
    std::optional<int> brightness, speed, direction, preset;
    std::optional<uint32_t> colour;
    std::optional<int> channels[3];
    std::optional<bool> multiColour;
    std::string profileFile, device;
};

bool SetFail(const std::string& message) {
    std::fprintf(stderr, "light set: %s\n", message.c_str());
    return false;
}

// An option's text as typed, and whether it was given.
struct TypedOption {
    std::string text;
    bool given = false;
};

bool TakeLevel(const char* name, const TypedOption& typed, std::optional<int>& out, int high,
               const char* range) {
    if (!typed.given)
        return true;
    out = ParseNumberIn(typed.text, 0, high);
    return out ? true : SetFail(std::string(name) + " takes " + range);
}

bool ReadSetRequest(std::vector<std::string> args, SetRequest& request) {
    if (!TakeDeviceOption(args, request.device))
        return false;
    TypedOption profile, brightness, speed, direction, colour, color, preset, multi;
    TypedOption channels[3];
    const std::pair<const char*, TypedOption*> named[] = {
        {"--profile", &profile},     {"--brightness", &brightness}, {"--speed", &speed},
        {"--direction", &direction}, {"--colour", &colour},         {"--color", &color},
        {"--red", &channels[0]},     {"--green", &channels[1]},     {"--blue", &channels[2]},
        {"--preset", &preset},       {"--multicolour", &multi}};
    for (const auto& [name, typed] : named) {
        if (!TakeLightOption(args, name, typed->text, typed->given))
            return false;
    }
    if (args.size() > 1 || (args.size() == 1 && args[0].rfind("--", 0) == 0))
        return SetFail("unexpected '" + args.back() + "'");
    if (!args.empty())
        request.mode = args[0];
    request.profileFile = profile.text;
    if (!TakeLevel("--brightness", brightness, request.brightness, kMaxLightLevel, "0 to 4") ||
        !TakeLevel("--speed", speed, request.speed, kMaxLightLevel, "0 to 4") ||
        !TakeLevel("--direction", direction, request.direction, 1,
                   "1 (the first direction) or 0 (the second)"))
        return false;
    for (const TypedOption* typed : {&colour, &color}) {
        if (typed->given && !(request.colour = ParseHexColour(typed->text)))
            return SetFail("--colour takes six hexadecimal digits RRGGBB");
    }
    static constexpr const char* kChannelNames[3] = {"--red", "--green", "--blue"};
    bool channelGiven = false;
    for (int i = 0; i < 3; ++i) {
        if (!TakeLevel(kChannelNames[i], channels[i], request.channels[i], 255, "0 to 255"))
            return false;
        channelGiven = channelGiven || channels[i].given;
    }
    if (!TakeLevel("--preset", preset, request.preset, 999, "a preset number"))
        return false;
    const int colourForms =
        (request.colour ? 1 : 0) + (channelGiven ? 1 : 0) + (request.preset ? 1 : 0);
    if (colourForms > 1)
        return SetFail("give the colour one way: --colour, --red/--green/--blue or --preset");
    if (multi.given) {
        if (multi.text != "on" && multi.text != "off")
            return SetFail("--multicolour takes on or off");
        request.multiColour = multi.text == "on";
    }
    if (request.mode.empty() && !request.brightness && !request.speed && !request.direction &&
        colourForms == 0 && !request.multiColour)
        return SetFail("nothing to set");
    return true;
}

// Whether the profile file holds the document's light section as it is now in memory.
bool LightSectionSaved(devices::COrvaneMouseDevice& mouse, const char* key) {
    namespace json = profile::json;
    const Json::Value file = profile::LoadJsonFile(mouse.GetProfilePath());
    const Json::Value& saved = json::Member(
        json::Element(json::Member(file, "Device"), mouse.Profile().GetDocumentIndex()), key);
    return !saved.isNull() && saved == json::Member(mouse.Profile().Document(), key);
}

}  // namespace

int RunLightSet(const std::vector<std::string>& args, const Options& options) {
    SetRequest request;
    if (!ReadSetRequest(args, request))
        return LightUsage();
    std::optional<light::Rgb> colour;
    if (request.colour) {
        colour = light::UnpackArgb(*request.colour);
    } else if (request.preset) {
        const std::optional<PresetColour> preset = LightPresetColour(*request.preset);
        if (!preset) {
            std::fprintf(stderr, "light set: no preset %d\n", *request.preset);
            return kExitUsage;
        }
        colour = light::UnpackArgb(preset->argb);
    }
    LightTarget target = OpenLightTarget(request.profileFile, true, request.device, options);
    if (!target.device)
        return request.device == "pad" ? kExitUsage : kLightExitFailed;
    devices::COrvaneMouseDevice& mouse = *target.device;
    std::optional<int> mode;
    if (!request.mode.empty()) {
        std::string error;
        if (!(mode = ParseMode(mouse, request.mode, error))) {
            std::fprintf(stderr, "light set: %s\n", error.c_str());
            return kExitUsage;
        }
    }
    // In the order of the page's handlers; multicolour last, so that it stands after a
    // colour (which clears it).
    auto change = [&](profile::LightRecord& r) {
        if (mode)
            r.mode = static_cast<uint8_t>(*mode);
        if (request.brightness)
            r.brightness = static_cast<uint8_t>(*request.brightness);
        if (request.speed)
            r.speed = static_cast<uint8_t>(*request.speed);
        if (request.direction)
            r.direction = static_cast<uint8_t>(*request.direction);
        if (colour)
            light::SetColour(r, *colour);
        for (int i = 0; i < 3; ++i) {
            if (request.channels[i])
                light::SetChannel(r, i, static_cast<uint8_t>(*request.channels[i]));
        }
        if (request.multiColour)
            r.multiColour = *request.multiColour ? 1 : 0;
    };
    // The receiver answers for an unlinked mouse too: then nothing is sent.
    hid::CHidChannel& channel = mouse.Channel();
    const bool reachable = !target.deviceKind.empty() && channel.IsOpen() &&
                           (!channel.Wireless() || channel.ProbeLink());
    const int result = light::CommitLightChange(mouse, change, {});
    PrintLightRecord(mouse, mouse.LightSettings());
    if (!LightSectionSaved(mouse, "LightInfo")) {
        std::fprintf(stderr, "light set: %s could not be written\n", target.profilePath.c_str());
        return kLightExitFailed;
    }
    std::printf("saved:   %s\n", target.profilePath.c_str());
    if (!target.currentProfile) {
        std::printf("not sent: the file is not the current profile\n");
        return kExitOk;
    }
    if (!reachable) {
        std::printf("not sent: the mouse is not reachable\n");
        return kExitNoDevice;
    }
    if (result != 1) {
        std::fprintf(stderr, "light set: the mouse did not take the settings block\n");
        return ExitCodeForResult(0);
    }
    std::printf("sent:    settings block (%s)\n", target.deviceKind.c_str());
    return kExitOk;
}

int RunLightAudio(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    if (args.empty() || args[0] != "set")
        return LightUsage();
    args.erase(args.begin());
    std::string profileFile, modeText, fgText, bgText;
    bool profileGiven = false, modeGiven = false, fgGiven = false, bgGiven = false;
    if (!TakeLightOption(args, "--profile", profileFile, profileGiven) ||
        !TakeLightOption(args, "--mode", modeText, modeGiven) ||
        !TakeLightOption(args, "--fg", fgText, fgGiven) ||
        !TakeLightOption(args, "--bg", bgText, bgGiven))
        return LightUsage();
    if (!args.empty() || !(modeGiven || fgGiven || bgGiven)) {
        std::fprintf(stderr, "light audio set: %s\n",
                     args.empty() ? "nothing to set" : ("unexpected '" + args[0] + "'").c_str());
        return LightUsage();
    }
    const std::optional<int> mode = modeGiven ? ParseNumberIn(modeText, 0, 255) : std::nullopt;
    const std::optional<uint32_t> fg = fgGiven ? ParseHexColour(fgText) : std::nullopt;
    const std::optional<uint32_t> bg = bgGiven ? ParseHexColour(bgText) : std::nullopt;
    if ((modeGiven && !mode) || (fgGiven && !fg) || (bgGiven && !bg)) {
        std::fprintf(stderr, "light audio set: %s\n",
                     modeGiven && !mode ? "--mode takes 0 to 255"
                                        : "--fg and --bg take six hexadecimal digits RRGGBB");
        return LightUsage();
    }
    LightTarget target = OpenLightTarget(profileFile, false, "", options);
    if (!target.device)
        return kLightExitFailed;
    devices::COrvaneMouseDevice& mouse = *target.device;
    profile::AudioLightRecord record = mouse.Profile().GetAudioLightRecord();
    // Each colour goes where the page's palette puts it for that colour type; the type the
    // page edits stays as it was.
    const uint8_t editing = record.colourType;
    if (mode)
        record.mode = static_cast<uint8_t>(*mode);
    if (fg) {
        record.colourType = 1;
        light::SetAudioColour(record, light::UnpackArgb(*fg), false);
    }
    if (bg) {
        record.colourType = 0;
        light::SetAudioColour(record, light::UnpackArgb(*bg), false);
    }
    record.colourType = editing;
    // The page's path stores (the document follows), saves and reloads it. The mouse never
    // receives the audio light.
    light::CommitAudioRecord(mouse, record);
    PrintAudioRecord(record);
    if (!LightSectionSaved(mouse, "AudioLightInfo")) {
        std::fprintf(stderr, "light audio set: %s could not be written\n",
                     target.profilePath.c_str());
        return kLightExitFailed;
    }
    std::printf("saved:   %s\nnot sent: the audio light is kept in the profile only\n",
                target.profilePath.c_str());
    return kExitOk;
}

int LightUsage() {
    std::fprintf(
        stderr,
        "usage: t418-zenctl light show [--profile FILE] [--device cable|receiver]\n"
        "       t418-zenctl light set [MODE] [--brightness 0-4] [--speed 0-4] [--direction 1|0]\n"
        "                 [--colour RRGGBB | --red/--green/--blue 0-255 | --preset N]\n"
        "                 [--multicolour on|off] [--profile FILE] [--device cable|receiver]\n"
        "       t418-zenctl light audio set [--mode N] [--fg RRGGBB] [--bg RRGGBB] [--profile "
        "FILE]\n"
        "       t418-zenctl light effect list|add NAME FILE|remove NAME\n"
        "  MODE: a position (0-9, 12 and on the custom effects), a mode's name (breathe,\n"
        "  \"colour cycle\") or a custom effect's name\n");
    return kExitUsage;
}

namespace {

int RunLight(const std::vector<std::string>& args, const Options& options) {
    if (args.empty())
        return LightUsage();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "show")
        return RunLightShow(rest, options);
    if (args[0] == "set")
        return RunLightSet(rest, options);
    if (args[0] == "audio")
        return RunLightAudio(rest, options);
    if (args[0] == "effect")
        return RunLightEffect(rest, options);
    return LightUsage();
}

const CommandRegistration registration({"light",
                                        "light show|set MODE|audio set|effect list|add|remove",
                                        "the mouse's lighting: show it, change it as the light "
                                        "tab does, keep the custom effects",
                                        RunLight});

}  // namespace
}  // namespace zenctl
