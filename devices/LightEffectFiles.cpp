#include "devices/LightEffectFiles.h"

#include <filesystem>
#include <system_error>

#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "profile/FileNames.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "profile/Utf8.h"

namespace devices {
namespace {

namespace json = profile::json;

// List indices are small device-model numbers; a larger one would only grow the file.
constexpr int kMaxListIndex = 63;
constexpr size_t kMaxEffectNameBytes = 64;
// A custom effect is chosen by its mode byte, 12 + its position.
constexpr Json::ArrayIndex kMaxCustomEffects = 256 - 12;

// A step member read as a byte: an integer 0-255, or a boolean; false for anything else.
// A missing member counts as 0, as everywhere the program reads its documents.
bool EffectByte(const Json::Value& step, const char* key, uint8_t& out) {
    const Json::Value& value = json::Member(step, key);
    if (value.isNull()) {
        out = 0;
        return true;
    }
    if (value.isBool()) {
        out = value.asBool() ? 1 : 0;
        return true;
    }
    if (!value.isIntegral() || !value.isInt64())
        return false;
    const int64_t n = value.asInt64();
    if (n < 0 || n > 255)
        return false;
    out = static_cast<uint8_t>(n);
    return true;
}

// An integer member from `low` up to the largest 32-bit signed value; booleans do not count.
bool EffectCount(const Json::Value& step, const char* key, int64_t low, uint32_t& out) {
    const Json::Value& value = json::Member(step, key);
    if (!value.isIntegral() || value.isBool() || !value.isInt64())
        return false;
    const int64_t n = value.asInt64();
    if (n < low || n > INT32_MAX)
        return false;
    out = static_cast<uint32_t>(n);
    return true;
}

std::string StepError(size_t index, const char* what) {
    return "step " + std::to_string(index + 1) + ": " + what;
}

bool ReadStep(const Json::Value& item, size_t index, LightEffectStep& step, std::string& error) {
    if (!item.isObject()) {
        error = StepError(index, "not an object");
        return false;
    }
    struct ByteField {
        const char* key;
        uint8_t LightEffectStep::*field;
    };
    static constexpr ByteField kBytes[] = {
        {"LEDREGMode", &LightEffectStep::mode},
        {"LEDBrightness", &LightEffectStep::brightness},
        {"LEDSpeed", &LightEffectStep::speed},
        {"LEDDirection", &LightEffectStep::direction},
        {"LEDMultiColor", &LightEffectStep::multiColour},
        {"red", &LightEffectStep::red},
        {"green", &LightEffectStep::green},
        {"blue", &LightEffectStep::blue},
    };
    for (const ByteField& byte : kBytes) {
        if (!EffectByte(item, byte.key, step.*byte.field)) {
            error = StepError(index, byte.key) + " is not a number from 0 to 255";
            return false;
        }
    }
    if (!EffectCount(item, "Time", 1, step.timeMs)) {
        error = StepError(index, "Time is not a whole number of milliseconds from 1");
        return false;
    }
    // A step without a repeat count plays once.
    if (json::Member(item, "Cyle").isNull()) {
        step.cycles = 0;
    } else if (!EffectCount(item, "Cyle", 0, step.cycles)) {
        error = StepError(index, "Cyle is not a whole number from 0");
        return false;
    }
    return true;
}

// "LightInfo" of a config, made ready to hold list `listIndex`: false when the document is
// not one this module may rewrite (the user's data would be lost).
bool PrepareList(Json::Value& config, int listIndex, std::string& error) {
    if (config.isNull())
        config = Json::Value(Json::objectValue);
    if (!config.isObject()) {
        error = std::string(kEffectConfigName) + " is not an effect list";
        return false;
    }
    Json::Value& info = config["LightInfo"];
    if (info.isNull())
        info = Json::Value(Json::arrayValue);
    if (!info.isArray()) {
        error = std::string(kEffectConfigName) + ": LightInfo is not a list";
        return false;
    }
    while (info.size() <= static_cast<Json::ArrayIndex>(listIndex))
        info.append(Json::Value(Json::arrayValue));
    Json::Value& list = info[static_cast<Json::ArrayIndex>(listIndex)];
    if (list.isNull())
        list = Json::Value(Json::arrayValue);
    if (!list.isArray()) {
        error = std::string(kEffectConfigName) + ": the device's entry is not a list";
        return false;
    }
    return true;
}

// The config of the folder for a change: missing is an empty one; present but not JSON is
// refused rather than overwritten.
bool LoadConfigForChange(const std::string& folder, Json::Value& config, std::string& error) {
    const std::string path = folder + kEffectConfigName;
    if (!platform::FileExists(path)) {
        config = Json::Value(Json::nullValue);
        return true;
    }
    std::string text;
    if (!platform::ReadWholeFile(path, text, profile::kMaxJsonFileBytes) ||
        !profile::ParseJsonText(text, config)) {
        error = std::string(kEffectConfigName) + " cannot be read as JSON";
        return false;
    }
    return true;
}

bool EffectNameTaken(const Json::Value& list, const std::string& name) {
    auto lower = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    const std::string wanted = lower(name);
    for (const Json::Value& entry : list) {
        if (lower(json::StringOf(json::Member(entry, "LightName"))) == wanted)
            return true;
    }
    return false;
}

bool GuidListed(const Json::Value& config, const std::string& guid) {
    const Json::Value& info = json::Member(config, "LightInfo");
    for (uint32_t i = 0; i < json::ArraySize(info); ++i) {
        const Json::Value& list = json::Element(info, i);
        for (uint32_t j = 0; j < json::ArraySize(list); ++j) {
            if (json::StringOf(json::Member(json::Element(list, j), "Guid")) == guid)
                return true;
        }
    }
    return false;
}

// A timestamp name no file of the folder and no entry of the config has yet: two effects
// added within one millisecond get a suffix.
std::string NewEffectGuid(const std::string& folder, const Json::Value& config) {
    const std::string stem = profile::MakeTimestampName();
    std::string guid = stem;
    for (int n = 2;; ++n) {
        const std::string path = folder + guid + kEffectExtension;
        if (!platform::FileExists(path) && !platform::FolderExists(path) &&
            !GuidListed(config, guid))
            return guid;
        guid = stem + "_" + std::to_string(n);
    }
}

Json::Value EffectDocument(const std::vector<LightEffectStep>& steps) {
    Json::Value root(Json::objectValue);
    Json::Value& list = root["LEDEffectList"] = Json::Value(Json::arrayValue);
    for (const LightEffectStep& step : steps) {
        Json::Value item(Json::objectValue);
        item["LEDREGMode"] = step.mode;
        item["LEDBrightness"] = step.brightness;
        item["LEDSpeed"] = step.speed;
        item["LEDDirection"] = step.direction;
        item["LEDMultiColor"] = step.multiColour;
        item["red"] = step.red;
        item["green"] = step.green;
        item["blue"] = step.blue;
        item["Time"] = step.timeMs;
        item["Cyle"] = step.cycles;
        list.append(item);
    }
    return root;
}

bool ValidEffectName(const std::string& name, std::string& error) {
    if (name.empty()) {
        error = "the effect needs a name";
        return false;
    }
    if (name.size() > kMaxEffectNameBytes) {
        error = "the name is longer than " + std::to_string(kMaxEffectNameBytes) + " bytes";
        return false;
    }
    if (!profile::IsValidUtf8(name)) {
        error = "the name is not UTF-8 text";
        return false;
    }
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F) {
            error = "the name holds a control character";
            return false;
        }
    }
    return true;
}

void RemoveEffectFile(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    if (ec)
        platform::TraceF("LightEffectFiles: cannot remove \"%s\": %s", path.c_str(),
                         ec.message().c_str());
}

}  // namespace

bool IsSafeGuid(std::string_view guid) {
    if (guid.empty() || guid.find("..") != std::string_view::npos)
        return false;
    for (unsigned char c : guid) {
        if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

std::vector<CustomEffect> LoadCustomEffects(const std::string& folder, int listIndex) {
    std::vector<CustomEffect> effects;
    if (listIndex < 0)
        return effects;
    const Json::Value config = profile::LoadJsonFile(folder + kEffectConfigName);
    const Json::Value& list = json::Element(json::Member(config, "LightInfo"), listIndex);
    const uint32_t count = json::ArraySize(list);
    effects.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const Json::Value& entry = json::Element(list, i);
        effects.push_back({json::StringOf(json::Member(entry, "LightName")),
                           json::StringOf(json::Member(entry, "Guid"))});
    }
    return effects;
}

EffectRead ReadEffectFile(const std::string& path) {
    EffectRead read;
    std::string text;
    if (!platform::ReadWholeFile(path, text, profile::kMaxJsonFileBytes)) {
        read.error = "cannot be read (missing, unreadable or larger than " +
                     std::to_string(profile::kMaxJsonFileBytes >> 20) + " MiB)";
        return read;
    }
    Json::Value root;
    std::string parseError;
    if (!profile::ParseJsonText(text, root, &parseError)) {
        read.error = "not JSON";
        return read;
    }
    const Json::Value& list = json::Member(root, "LEDEffectList");
    if (!list.isArray()) {
        read.error = "no LEDEffectList list";
        return read;
    }
    // Counted before anything is read: a huge list is refused at once.
    if (list.size() > kMaxEffectSteps) {
        read.error = std::to_string(list.size()) + " steps (at most " +
                     std::to_string(kMaxEffectSteps) + ")";
        return read;
    }
    if (list.empty()) {
        read.error = "no steps";
        return read;
    }
    std::vector<LightEffectStep> steps(list.size());
    for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
        if (!ReadStep(list[i], i, steps[i], read.error))
            return read;
    }
    read.steps = std::move(steps);
    return read;
}

std::vector<LightEffectStep> LoadEffectSteps(const std::string& folder, int listIndex, int index) {
    if (listIndex < 0 || index < 0)
        return {};
    const Json::Value config = profile::LoadJsonFile(folder + kEffectConfigName);
    const Json::Value& entry =
        json::Element(json::Element(json::Member(config, "LightInfo"), listIndex), index);
    const std::string guid = json::StringOf(json::Member(entry, "Guid"));
    // The Guid names a file in the folder and nothing else.
    if (!IsSafeGuid(guid))
        return {};
    return ReadEffectFile(folder + guid + kEffectExtension).steps;
}

EffectChange AddCustomEffect(const std::string& folder, int listIndex, const std::string& name,
                             const std::string& sourceFile) {
    EffectChange change;
    if (listIndex < 0 || listIndex > kMaxListIndex) {
        change.error = "no effect list " + std::to_string(listIndex);
        return change;
    }
    if (!ValidEffectName(name, change.error))
        return change;
    const EffectRead source = ReadEffectFile(sourceFile);
    if (!source.error.empty()) {
        change.error = sourceFile + ": " + source.error;
        return change;
    }
    Json::Value config;
    if (!LoadConfigForChange(folder, config, change.error) ||
        !PrepareList(config, listIndex, change.error))
        return change;
    Json::Value& list = config["LightInfo"][static_cast<Json::ArrayIndex>(listIndex)];
    if (list.size() >= kMaxCustomEffects) {
        change.error = "the list holds " + std::to_string(kMaxCustomEffects) + " effects already";
        return change;
    }
    if (EffectNameTaken(list, name)) {
        change.error = "an effect named \"" + name + "\" exists";
        return change;
    }
    const std::string guid = NewEffectGuid(folder, config);
    const std::string effectPath = folder + guid + kEffectExtension;
    // The checked steps are stored, not the file as given: what the list names always reads.
    if (profile::WriteJsonFile(effectPath, EffectDocument(source.steps)) != 0) {
        change.error = "cannot write " + effectPath;
        return change;
    }
    Json::Value entry(Json::objectValue);
    entry["LightName"] = name;
    entry["Guid"] = guid;
    list.append(entry);
    if (profile::WriteJsonFile(folder + kEffectConfigName, config) != 0) {
        RemoveEffectFile(effectPath);
        change.error = "cannot write " + folder + kEffectConfigName;
        return change;
    }
    change.position = static_cast<int>(list.size()) - 1;
    return change;
}

EffectChange RemoveCustomEffect(const std::string& folder, int listIndex, const std::string& name) {
    EffectChange change;
    Json::Value config;
    if (!LoadConfigForChange(folder, config, change.error))
        return change;
    const Json::Value& list = json::Element(json::Member(config, "LightInfo"), listIndex);
    int found = -1;
    for (uint32_t i = 0; i < json::ArraySize(list) && found < 0; ++i) {
        if (json::StringOf(json::Member(json::Element(list, i), "LightName")) == name)
            found = static_cast<int>(i);
    }
    if (found < 0) {
        change.error = "no effect named \"" + name + "\"";
        return change;
    }
    const std::string guid = json::StringOf(json::Member(json::Element(list, found), "Guid"));
    Json::Value kept(Json::arrayValue);
    for (uint32_t i = 0; i < list.size(); ++i) {
        if (static_cast<int>(i) != found)
            kept.append(list[i]);
    }
    // The entry was found, so the config is an object whose LightInfo is a list holding the
    // device's list. The last effect removed leaves an empty list there.
    config["LightInfo"][static_cast<Json::ArrayIndex>(listIndex)] = kept;
    if (profile::WriteJsonFile(folder + kEffectConfigName, config) != 0) {
        change.error = "cannot write " + folder + kEffectConfigName;
        return change;
    }
    // Another entry may name the same file; a Guid that is no plain file name is never
    // followed out of the folder.
    if (IsSafeGuid(guid) && !GuidListed(config, guid))
        RemoveEffectFile(folder + guid + kEffectExtension);
    change.position = found;
    return change;
}

bool SeedCustomEffects(const std::string& folder, const std::string& defaultEffectsFolder,
                       int listIndex) {
    if (platform::FileExists(folder + kEffectConfigName))
        return true;
    if (listIndex < 0 || listIndex > kMaxListIndex)
        return false;
    const Json::Value seed = profile::LoadJsonFile(defaultEffectsFolder + kEffectConfigName);
    const Json::Value& listed = json::Element(json::Member(seed, "LightInfo"), listIndex);
    Json::Value config(Json::objectValue);
    Json::Value& info = config["LightInfo"] = Json::Value(Json::arrayValue);
    for (int i = 0; i <= listIndex; ++i)
        info.append(Json::Value(Json::arrayValue));
    Json::Value& list = info[static_cast<Json::ArrayIndex>(listIndex)];
    for (uint32_t i = 0; i < json::ArraySize(listed); ++i) {
        const Json::Value& entry = json::Element(listed, i);
        const std::string name = json::StringOf(json::Member(entry, "LightName"));
        const std::string guid = json::StringOf(json::Member(entry, "Guid"));
        std::string error;
        if (!IsSafeGuid(guid) || !ValidEffectName(name, error))
            continue;
        const std::string source = defaultEffectsFolder + guid + kEffectExtension;
        std::string bytes;
        if (!ReadEffectFile(source).error.empty() ||
            !platform::ReadWholeFile(source, bytes, profile::kMaxJsonFileBytes) ||
            !platform::WriteFileAtomic(folder + guid + kEffectExtension, bytes))
            continue;
        Json::Value copied(Json::objectValue);
        copied["LightName"] = name;
        copied["Guid"] = guid;
        list.append(copied);
    }
    // Without effects to give, the folder is left as it was: a later start tries again.
    if (list.empty())
        return false;
    return profile::WriteJsonFile(folder + kEffectConfigName, config) == 0;
}

}  // namespace devices
