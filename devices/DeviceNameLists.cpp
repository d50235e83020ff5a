// The name lists every device class reads from its data folder and the program's defaults.
#include "devices/LightEffectFiles.h"
#include "devices/OrvaneUSBDevice.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"

namespace devices {

void COrvaneUSBDevice::ReadNameLists(const std::string& macroFileName, bool withAreaNames,
                                     bool withCustomEffects) {
    const std::string folder = GetUserDataFolder();
    const Json::Value macros = profile::LoadJsonFile(folder + macroFileName);
    const Json::Value& macroInfo = profile::json::Member(macros, "MacroInfo");
    if (macroInfo.isArray()) {
        macroNames_.clear();
        for (const Json::Value& entry : macroInfo)
            macroNames_.push_back(
                profile::json::StringOf(profile::json::Member(entry, "MacroName")));
    }
    const Json::Value lights = profile::LoadJsonFile(GetDefaultDataFolder() + "default_light.json");
    const Json::Value& defaults =
        profile::json::Element(profile::json::Member(lights, "DefaultLightName"), lightListIndex_);
    if (defaults.isArray()) {
        lightNames_.clear();
        lightVisible_.clear();
        lightValues_.clear();
        for (const Json::Value& entry : defaults) {
            lightNames_.push_back(
                profile::json::StringOf(profile::json::Member(entry, "LightName")));
            lightVisible_.push_back(profile::json::BoolOf(profile::json::Member(entry, "visible")));
            lightValues_.push_back(profile::json::IntOf(profile::json::Member(entry, "value")));
        }
    }
    if (withAreaNames) {
        const Json::Value& areas =
            profile::json::Element(profile::json::Member(lights, "AreaLightName"), lightListIndex_);
        if (areas.isArray()) {
            areaLightNames_.clear();
            for (const Json::Value& entry : areas)
                areaLightNames_.push_back(
                    profile::json::StringOf(profile::json::Member(entry, "LightName")));
        }
    }
    if (!withCustomEffects)
        return;
    // A new data folder starts with the program's own effects.
    SeedCustomEffects(folder, GetDefaultDataFolder() + "light/", lightListIndex_);
    customLightNames_.clear();
    for (const CustomEffect& effect : LoadCustomEffects(folder, lightListIndex_))
        customLightNames_.push_back(effect.name);
}

}  // namespace devices
