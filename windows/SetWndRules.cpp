#include "windows/SetWndRules.h"

#include <json/value.h>

#include <cstdio>

#include "profile/JsonFile.h"

namespace windows {

std::string UpdateRowName(const UpdateEntry& entry) {
    return entry.code == "ALL" ? std::string("AP") : entry.shortName;
}

std::string UpdateRowVersion(const UpdateEntry& entry) {
    if (entry.versionFormat == 0)
        return entry.versionText;
    char text[16];
    std::snprintf(text, sizeof text, "V%04x", entry.version);
    return text;
}

UpdateRowData MakeUpdateRow(const UpdateEntry& entry, const std::string& installerFolder) {
    UpdateRowData row;
    row.name = UpdateRowName(entry);
    row.version = UpdateRowVersion(entry);
    row.installerPath = installerFolder + row.name + ".exe";
    return row;
}

std::vector<UpdateEntry> EntriesWithVersion(const std::vector<UpdateEntry>& entries) {
    std::vector<UpdateEntry> kept;
    for (const UpdateEntry& entry : entries) {
        if (entry.version != 0)
            kept.push_back(entry);
    }
    return kept;
}

std::string LastCheckDate(const platform::LocalTime& time) {
    return std::to_string(time.year) + "-" + std::to_string(time.month) + "-" +
           std::to_string(time.day);
}

std::string LoadOrStoreLastCheckDate(const std::string& path, const platform::LocalTime& today) {
    const Json::Value document = profile::LoadJsonFile(path);
    if (document.isObject()) {
        const Json::Value& last = document["updatelasttime"];
        if (last.isObject() && last["value"].isString())
            return last["value"].asString();
    }
    const std::string date = LastCheckDate(today);
    // Whatever else the document holds stays.
    Json::Value stored = document.isObject() ? document : Json::Value(Json::objectValue);
    if (!stored["updatelasttime"].isObject())
        stored["updatelasttime"] = Json::Value(Json::objectValue);
    stored["updatelasttime"]["value"] = date;
    profile::WriteJsonFile(path, stored);
    return date;
}

std::vector<std::string> LanguageComboTexts(const std::string& configText) {
    std::vector<std::string> texts;
    Json::Value root;
    if (!profile::ParseJsonText(configText, root) || !root.isObject())
        return texts;
    const Json::Value& list = root["Language"];
    if (!list.isArray())
        return texts;
    for (const Json::Value& entry : list) {
        const bool usable = entry.isObject() && entry["Language_text"].isString();
        texts.push_back(usable ? entry["Language_text"].asString() : std::string());
    }
    return texts;
}

}  // namespace windows
