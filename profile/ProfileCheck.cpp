#include "profile/ProfileCheck.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/FileIO.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "profile/KeyboardProfiledata.h"
#include "profile/MouseProfiledata.h"
#include "profile/Utf8.h"

namespace profile {
namespace {

const char* TypeName(const Json::Value& v) {
    switch (v.type()) {
        case Json::nullValue:
            return "null";
        case Json::intValue:
        case Json::uintValue:
            return "an integer";
        case Json::realValue:
            return "a real number";
        case Json::stringValue:
            return "a string";
        case Json::booleanValue:
            return "a boolean";
        case Json::arrayValue:
            return "an array";
        case Json::objectValue:
            return "an object";
    }
    return "something else";
}

struct IntKey {
    const char* key;
    int64_t min;
    int64_t max;
};

constexpr IntKey kStageKeys[] = {{"StageActive", 0, 1},   {"StageXY", 0, 1},
                                 {"StageDPIX", 0, 65535}, {"StageDPIY", 0, 65535},
                                 {"StageColorR", 0, 255}, {"StageColorG", 0, 255},
                                 {"StageColorB", 0, 255}};
constexpr IntKey kMouseSystemRanges[] = {{"DoubleClickTime", 0, 65535},  {"MouseSpeed", 0, 65535},
                                         {"PointerPrecision", 0, 1},     {"ScorllPage", 0, 1},
                                         {"WheelScorlllinse", 0, 65535}, {"Logoledmode", 0, 65535}};
// Each is also one byte of the device's settings block.
constexpr IntKey kReportRanges[] = {
    {"StageActive", 0, 4},     {"SilentAltitude", 0, 1},  {"Linear_Calibration", 0, 1},
    {"Ripple", 0, 1},          {"ble_sleep1", 0, 255},    {"ble_sleep2", 0, 255},
    {"device_sleep1", 1, 255}, {"device_sleep2", 1, 255}, {"key_debounce_time", 0, 255}};
constexpr IntKey kKeyboardSystemRanges[] = {{"Repeat", 0, 65535}, {"RepeatDelay", 0, 3},
                                            {"Key6Flag", 0, 1},   {"PollingRate", 0, 3},
                                            {"WFlag", 0, 1},      {"WinFlag", 0, 1}};
constexpr IntKey kKeyKeys[] = {{"Assignment", 0, 0xFFFFFF}, {"DefaultAssignment", 0, 0xFFFFFF}};
constexpr IntKey kLightKeys[] = {
    {"SelectItem", 0, 255},  {"Light", 0, 4},         {"Speed", 0, 4},       {"Fx", 0, 255},
    {"MultiColor", 0, 1},    {"Red", 0, 255},         {"Green", 0, 255},     {"Blue", 0, 255},
    {"ZZCCLedMode", 0, 255}, {"CustomGroup", 0, 255}, {"OldLedmode", 0, 255}};
constexpr IntKey kAudioKeys[] = {
    {"AudioMode", 0, 255}, {"BkColorR", 0, 255},  {"BkColorG", 0, 255},
    {"BkColorB", 0, 255},  {"FgColorR", 0, 255},  {"FgColorG", 0, 255},
    {"FgColorB", 0, 255},  {"7ColorFlags", 0, 1}, {"ColorTypeFlags", 0, 1}};
constexpr IntKey kLedKeys[] = {{"LEDREGMode", 0, 255}, {"LEDBrightness", 0, 255},
                               {"LEDSpeed", 0, 255},   {"LEDMultiColor", 0, 1},
                               {"LEDDirection", 0, 1}, {"red", 0, 255},
                               {"green", 0, 255},      {"blue", 0, 255}};
constexpr IntKey kColourKeys[] = {
    {"Red", 0, 255}, {"Green", 0, 255}, {"Blue", 0, 255}, {"Alpha", 0, 255}};
constexpr IntKey kHeadsetKeys[] = {
    {"MagicEnable", INT32_MIN, INT32_MAX},      {"MagicType", INT32_MIN, INT32_MAX},
    {"EqType", INT32_MIN, INT32_MAX},           {"CustomEqSeletIndex", INT32_MIN, INT32_MAX},
    {"MicInSelect", INT32_MIN, INT32_MAX},      {"MicInValue", INT32_MIN, INT32_MAX},
    {"MicMoniterSelect", INT32_MIN, INT32_MAX}, {"MicMoniterValue", INT32_MIN, INT32_MAX}};
constexpr IntKey kEqValueKeys[] = {{"value", INT32_MIN, INT32_MAX}};

// Sizes a complete document of the device type has.
struct Counts {
    uint32_t stages = kDeviceStageCount;
    uint32_t keys = 0;
    uint32_t leds = 0;
};

class Checker {
  public:
    Checker(const CheckOptions& options, std::vector<std::string>& problems)
        : complete_(options.complete), problems_(problems) {}

    void Problem(const std::string& path, const std::string& what) {
        problems_.push_back(path + ": " + what);
    }

    // The member when it is an object; reports it when it has another type, or is missing
    // from a document that must be complete.
    const Json::Value* Object(const Json::Value& parent, const std::string& path, const char* key,
                              bool required) {
        return Typed(parent, path, key, required, Json::objectValue);
    }
    const Json::Value* Array(const Json::Value& parent, const std::string& path, const char* key,
                             bool required) {
        return Typed(parent, path, key, required, Json::arrayValue);
    }

    template <size_t N>
    void Ints(const Json::Value& object, const std::string& path, const IntKey (&keys)[N]) {
        for (const IntKey& k : keys)
            Int(object, path, k);
    }

    void Int(const Json::Value& object, const std::string& path, const IntKey& k) {
        const Json::Value& v = json::Member(object, k.key);
        std::string at = path + "." + k.key;
        if (v.isNull()) {
            if (complete_)
                Problem(at, "missing");
            return;
        }
        if (v.isBool() && k.min == 0 && k.max == 1)
            return;
        if (!v.isIntegral() || v.isBool()) {
            Problem(at, std::string("expected an integer, found ") + TypeName(v));
            return;
        }
        bool fits = v.isInt64() ? v.asInt64() >= k.min && v.asInt64() <= k.max
                                : v.asLargestUInt() <= static_cast<uint64_t>(k.max);
        if (!fits) {
            Problem(at, (v.isInt64() ? std::to_string(v.asInt64())
                                     : std::to_string(v.asLargestUInt())) +
                            " is outside " + std::to_string(k.min) + "-" + std::to_string(k.max));
        }
    }

    // Each element of the array is an object checked with `keys`.
    template <size_t N>
    void ObjectList(const Json::Value& array, const std::string& path, const IntKey (&keys)[N],
                    uint32_t completeCount, bool nullAllowed = false) {
        for (uint32_t i = 0; i < array.size(); ++i) {
            const Json::Value& element = array[i];
            std::string at = path + "[" + std::to_string(i) + "]";
            if (element.isNull() && nullAllowed)
                continue;
            if (!element.isObject()) {
                Problem(at, std::string("expected an object, found ") + TypeName(element));
                continue;
            }
            Ints(element, at, keys);
        }
        if (complete_ && array.size() < completeCount)
            Problem(path, "holds " + std::to_string(array.size()) + " entries, " +
                              std::to_string(completeCount) + " expected");
    }

    void Strings(const Json::Value& v, const std::string& path) {
        if (v.isString()) {
            if (!IsValidUtf8(v.asString()))
                Problem(path, "not valid UTF-8");
        } else if (v.isArray()) {
            for (uint32_t i = 0; i < v.size(); ++i)
                Strings(v[i], path + "[" + std::to_string(i) + "]");
        } else if (v.isObject()) {
            for (const std::string& name : v.getMemberNames())
                Strings(v[name], path.empty() ? name : path + "." + name);
        }
    }

    bool complete() const { return complete_; }

  private:
    const Json::Value* Typed(const Json::Value& parent, const std::string& path, const char* key,
                             bool required, Json::ValueType type) {
        const Json::Value& v = json::Member(parent, key);
        std::string at = path + "." + key;
        if (v.isNull()) {
            if (required && complete_)
                Problem(at, "missing");
            return nullptr;
        }
        if (v.type() != type) {
            Problem(at, std::string("expected ") +
                            (type == Json::objectValue ? "an object" : "an array") + ", found " +
                            TypeName(v));
            return nullptr;
        }
        return &v;
    }

    bool complete_;
    std::vector<std::string>& problems_;
};

std::string GuessType(const Json::Value& doc) {
    const Json::Value& system = json::Member(doc, "SystemStages");
    if (!json::Member(doc, "DPIStages").isNull() || !json::Member(doc, "ReportStages").isNull() ||
        !json::Member(system, "MouseSpeed").isNull())
        return "mouse";
    if (!json::Member(system, "Repeat").isNull() || !json::Member(doc, "CustomLightMode").isNull())
        return "keyboard";
    if (!json::Member(doc, "SystemSetStages").isNull())
        return "HD";
    return "MousePad";
}

Counts CountsOf(const std::string& type) {
    // LED and key counts of the device pictures.
    if (type == "mouse")
        return {kDeviceStageCount, 11, 15};
    if (type == "keyboard")
        return {kDeviceStageCount, 0, 170};
    if (type == "MousePad")
        return {kDeviceStageCount, 0, 15};
    return {kDeviceStageCount, 0, 13};
}

void CheckDocument(Checker& c, const Json::Value& doc, const std::string& path,
                   const std::string& type) {
    Counts counts = CountsOf(type);
    bool mouse = type == "mouse";
    bool keyboard = type == "keyboard";
    bool headset = type == "HD";

    if (const Json::Value* dpi = c.Object(doc, path, "DPIStages", mouse)) {
        std::string at = path + ".DPIStages";
        c.Int(*dpi, at, {"StageActive", 0, kDeviceStageCount - 1});
        if (const Json::Value* list = c.Array(*dpi, at, "StageDPIs", true))
            c.ObjectList(*list, at + ".StageDPIs", kStageKeys, counts.stages);
    }
    if (const Json::Value* system = c.Object(doc, path, "SystemStages", mouse || keyboard)) {
        if (keyboard)
            c.Ints(*system, path + ".SystemStages", kKeyboardSystemRanges);
        else
            c.Ints(*system, path + ".SystemStages", kMouseSystemRanges);
    }
    if (const Json::Value* report = c.Object(doc, path, "ReportStages", mouse))
        c.Ints(*report, path + ".ReportStages", kReportRanges);
    if (const Json::Value* keys = c.Array(doc, path, "KeyList", mouse || keyboard))
        c.ObjectList(*keys, path + ".KeyList", kKeyKeys, counts.keys);
    if (const Json::Value* light = c.Object(doc, path, "LightInfo", true))
        c.Ints(*light, path + ".LightInfo", kLightKeys);
    if (const Json::Value* audio = c.Object(doc, path, "AudioLightInfo", true))
        c.Ints(*audio, path + ".AudioLightInfo", kAudioKeys);
    if (const Json::Value* leds = c.Array(doc, path, "LightList", true))
        c.ObjectList(*leds, path + ".LightList", kLedKeys, counts.leds, true);
    if (const Json::Value* custom = c.Object(doc, path, "CustomLightMode", keyboard)) {
        std::string at = path + ".CustomLightMode";
        c.Int(*custom, at, {"CustomLightModeGroupIndex", 0, 63});
        if (const Json::Value* groups = c.Array(*custom, at, "LightColorInfo", true)) {
            for (uint32_t g = 0; g < groups->size(); ++g) {
                std::string groupPath = at + ".LightColorInfo[" + std::to_string(g) + "]";
                const Json::Value& group = (*groups)[g];
                if (!group.isArray())
                    c.Problem(groupPath,
                              std::string("expected an array, found ") + TypeName(group));
                else
                    c.ObjectList(group, groupPath, kColourKeys, counts.leds);
            }
        }
    }
    if (const Json::Value* set = c.Object(doc, path, "SystemSetStages", headset))
        c.Ints(*set, path + ".SystemSetStages", kHeadsetKeys);
    for (const char* name : {"EQHzValueInfo", "CustomEQHzValueInfo"}) {
        if (const Json::Value* list = c.Array(doc, path, name, headset))
            c.ObjectList(*list, path + "." + name, kEqValueKeys, 0);
    }
    if (const Json::Value* names = c.Array(doc, path, "CustomEQNameInfo", headset)) {
        for (uint32_t i = 0; i < names->size(); ++i) {
            const Json::Value& name = json::Member((*names)[i], "Name");
            if (!name.isString())
                c.Problem(path + ".CustomEQNameInfo[" + std::to_string(i) + "].Name",
                          std::string("expected a string, found ") + TypeName(name));
        }
    }
}

}  // namespace

bool IsDeviceType(const std::string& name) {
    return name == "mouse" || name == "keyboard" || name == "MousePad" || name == "HD";
}

std::vector<std::string> CheckProfileDocument(const Json::Value& root,
                                              const CheckOptions& options) {
    std::vector<std::string> problems;
    Checker c(options, problems);
    if (!root.isObject()) {
        c.Problem("(root)", std::string("expected an object, found ") + TypeName(root));
        return problems;
    }
    const Json::Value& devices = json::Member(root, "Device");
    if (!devices.isArray()) {
        c.Problem("Device", devices.isNull()
                                ? "missing"
                                : std::string("expected an array, found ") + TypeName(devices));
    } else if (devices.empty()) {
        c.Problem("Device", "holds no document");
    }
    for (uint32_t i = 0; i < json::ArraySize(devices); ++i) {
        const Json::Value& doc = devices[i];
        std::string path = "Device[" + std::to_string(i) + "]";
        if (doc.isNull() && i > 0)
            continue;  // another device index's place, unused
        if (!doc.isObject()) {
            c.Problem(path, std::string("expected an object, found ") + TypeName(doc) +
                                " (a load takes the factory document instead)");
            continue;
        }
        std::string type = options.deviceType.empty() ? GuessType(doc) : options.deviceType;
        CheckDocument(c, doc, path, type);
    }
    c.Strings(root, "");
    return problems;
}

std::vector<std::string> CheckProfileFile(const std::string& path, const CheckOptions& options) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return {path + ": no such file"};
    if (!std::filesystem::is_regular_file(path, ec))
        return {path + ": not a regular file"};
    std::string text;
    if (!platform::ReadWholeFile(path, text, kMaxJsonFileBytes)) {
        return {path + ": cannot be read, or larger than " + std::to_string(kMaxJsonFileBytes) +
                " bytes"};
    }
    if (text.empty())
        return {path + ": empty (a load takes the factory document instead)"};
    Json::Value root;
    std::string error;
    if (!ParseJsonText(text, root, &error)) {
        while (!error.empty() && error.back() == '\n')
            error.pop_back();
        return {path + ": not JSON: " + error};
    }
    return CheckProfileDocument(root, options);
}

}  // namespace profile
