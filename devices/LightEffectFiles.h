#pragma once
// The custom light effects of a device's user data folder: "kesta_light.config" lists them
// ("LightInfo"[list index] = [{ "LightName", "Guid" }]) and each lives in "<Guid>.light"
// ("LEDEffectList" = steps). Every read is checked: a hostile file gives an empty list or no
// steps, never a crash; writes are atomic. The device, the main window and t418-zenctl share
// this module.
// Threads: any; the callers serialise access to one folder (window thread, or a tool).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "devices/LightEffectStep.h"

namespace devices {

inline constexpr const char* kEffectConfigName = "kesta_light.config";
inline constexpr const char* kEffectExtension = ".light";
inline constexpr size_t kMaxEffectSteps = 256;

struct CustomEffect {
    std::string name;  // "LightName", shown as it is
    std::string guid;  // "Guid": the effect file's base name
};

// Whether a Guid may name a file in the folder: not empty, no "/", "\", "..", no control
// characters.
bool IsSafeGuid(std::string_view guid);

// The effects of list `listIndex` (folder ends with a separator). A missing or unusable file,
// key or index gives none; a non-object entry gives an empty name and Guid.
std::vector<CustomEffect> LoadCustomEffects(const std::string& folder, int listIndex);

// An effect document's steps, checked: each step an object whose bytes are integers 0-255
// (booleans count as 0/1), "Time" an integer >= 1, "Cyle" an integer >= 0, and at most
// kMaxEffectSteps steps. Empty steps and the reason when unusable.
struct EffectRead {
    std::vector<LightEffectStep> steps;
    std::string error;  // empty when usable
};
EffectRead ReadEffectFile(const std::string& path);

// The steps of effect `index` of list `listIndex`: none when the entry, its Guid, the file
// or its steps are missing or unusable.
std::vector<LightEffectStep> LoadEffectSteps(const std::string& folder, int listIndex, int index);

// Adds an effect named `name` whose steps come from `sourceFile` (checked first), under a new
// Guid; answers its position among the list's effects (the mode is 12 + position on the
// mouse), or -1 and the reason.
struct EffectChange {
    int position = -1;
    std::string error;
};
EffectChange AddCustomEffect(const std::string& folder, int listIndex, const std::string& name,
                             const std::string& sourceFile);
// Removes the first effect named `name` and its file; the last one leaves an empty array.
// position is where it was.
EffectChange RemoveCustomEffect(const std::string& folder, int listIndex, const std::string& name);

// A folder without "kesta_light.config" gets the program's effects: the config listing them
// and a copy of each ".light" file of `defaultEffectsFolder`, in list `listIndex`. True when
// the folder has a config afterwards.
bool SeedCustomEffects(const std::string& folder, const std::string& defaultEffectsFolder,
                       int listIndex);

}  // namespace devices
