#pragma once
// Macros as the macro page stores them: "macro.config" naming "macro i" with identifier
// prefix + i, and one ".mac" file each of the given number of events (key 0x04 down and up
// by turns, each with a delay of 50 + i ms), for tests and benchmarks of the macro upload.
#include <json/value.h>

#include <filesystem>
#include <string>
#include <vector>

#include "profile/JsonFile.h"

namespace t418test {

inline void WriteTestMacros(const std::string& userFolder, const std::vector<int>& eventCounts,
                            const std::string& idPrefix = "m") {
    std::filesystem::create_directories(userFolder);
    Json::Value config(Json::objectValue);
    config["MacroInfo"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < eventCounts.size(); ++i) {
        Json::Value entry(Json::objectValue);
        entry["MacroName"] = "macro " + std::to_string(i);
        entry["Guid"] = idPrefix + std::to_string(i);
        config["MacroInfo"].append(entry);
        Json::Value macro(Json::objectValue);
        macro["Events"] = Json::Value(Json::arrayValue);
        for (int e = 0; e < eventCounts[i]; ++e) {
            Json::Value event(Json::objectValue);
            event["Action"] = e % 2 ? "up" : "down";
            event["Button"] = 4;
            event["Type"] = 10;
            event["Delay"] = std::to_string(50 + i);
            macro["Events"].append(event);
        }
        profile::WriteJsonFile(userFolder + idPrefix + std::to_string(i) + ".mac", macro);
    }
    profile::WriteJsonFile(userFolder + "macro.config", config);
}

}  // namespace t418test
