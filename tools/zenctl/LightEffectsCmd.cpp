// light effect list|add|remove: the mouse's custom effects ("kesta_light.config" and the
// ".light" files of its data folder), kept by the program's own effect-file rules.
#include <cstdio>

#include "devices/LightEffectFiles.h"
#include "tools/zenctl/LightCommands.h"
#include "tools/zenctl/LightSession.h"
#include "tools/zenctl/ProtoChannel.h"
#include "ui/core/StringUtil.h"

namespace zenctl {
namespace {

constexpr int kEffectExitRefused = 1;

// The mouse object on its data folder with its names read (a new folder gets the program's
// effects, as when the program opens it).
std::unique_ptr<devices::COrvaneMouseDevice> EffectFolderMouse() {
    auto m = std::make_unique<devices::COrvaneMouseDevice>();
    m->SetDataFolderName("mouse");
    m->SetLightListIndex(kMouseLightList);
    m->LoadNameLists();
    return m;
}

int ListEffects(const std::string& folder) {
    const std::vector<devices::CustomEffect> effects =
        devices::LoadCustomEffects(folder, kMouseLightList);
    if (effects.empty()) {
        std::printf("no custom effects in %s%s\n", folder.c_str(), devices::kEffectConfigName);
        return kExitOk;
    }
    std::printf("%-5s %-24s %-7s %s\n", "mode", "name", "steps", "file");
    for (size_t i = 0; i < effects.size(); ++i) {
        const devices::CustomEffect& e = effects[i];
        std::string steps = "-";
        std::string file = e.guid + devices::kEffectExtension;
        if (!devices::IsSafeGuid(e.guid)) {
            file = "(unusable file name \"" + e.guid + "\")";
        } else {
            const devices::EffectRead read =
                devices::ReadEffectFile(folder + e.guid + devices::kEffectExtension);
            if (read.error.empty())
                steps = std::to_string(read.steps.size());
            else
                file += " (unusable: " + read.error + ")";
        }
        std::printf("%-5zu %-24s %-7s %s\n", kMouseBuiltInModes + i, e.name.c_str(), steps.c_str(),
                    file.c_str());
    }
    return kExitOk;
}

int AddEffect(const std::string& folder, const std::string& name, const std::string& file) {
    const devices::EffectChange added =
        devices::AddCustomEffect(folder, kMouseLightList, name, file);
    if (added.position < 0) {
        std::fprintf(stderr, "light effect add: %s\n", added.error.c_str());
        return kEffectExitRefused;
    }
    const std::vector<devices::CustomEffect> effects =
        devices::LoadCustomEffects(folder, kMouseLightList);
    const std::string guid = static_cast<size_t>(added.position) < effects.size()
                                 ? effects[static_cast<size_t>(added.position)].guid
                                 : std::string();
    std::printf("added: mode %d %s (%s%s)\n", kMouseBuiltInModes + added.position, name.c_str(),
                guid.c_str(), devices::kEffectExtension);
    return kExitOk;
}

int RemoveEffect(const std::string& folder, const std::string& wanted) {
    // The name as stored: exactly, else without regard to case.
    std::string name;
    for (const devices::CustomEffect& e : devices::LoadCustomEffects(folder, kMouseLightList)) {
        if (e.name == wanted) {
            name = e.name;
            break;
        }
        if (name.empty() && ui::EqualsNoCase(e.name, wanted))
            name = e.name;
    }
    if (name.empty()) {
        std::fprintf(stderr, "light effect remove: no effect named \"%s\"\n", wanted.c_str());
        return kExitUsage;
    }
    const devices::EffectChange removed =
        devices::RemoveCustomEffect(folder, kMouseLightList, name);
    if (removed.position < 0) {
        std::fprintf(stderr, "light effect remove: %s\n", removed.error.c_str());
        return kEffectExitRefused;
    }
    std::printf("removed: %s (was mode %d)\n", name.c_str(), kMouseBuiltInModes + removed.position);
    return kExitOk;
}

}  // namespace

int RunLightEffect(const std::vector<std::string>& args, const Options&) {
    if (args.empty())
        return LightUsage();
    const std::string folder = EffectFolderMouse()->GetUserDataFolder();
    if (args[0] == "list" && args.size() == 1)
        return ListEffects(folder);
    if (args[0] == "add" && args.size() == 3)
        return AddEffect(folder, args[1], args[2]);
    if (args[0] == "remove" && args.size() == 2)
        return RemoveEffect(folder, args[1]);
    return LightUsage();
}

}  // namespace zenctl
