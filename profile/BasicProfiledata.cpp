#include "profile/BasicProfiledata.h"

#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "profile/FileNames.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"

namespace profile {
namespace {

std::vector<KeyRecord> ReadKeyList(const Json::Value& document) {
    const Json::Value& list = json::Member(document, "KeyList");
    std::vector<KeyRecord> records;
    uint32_t count = json::ArraySize(list);
    records.reserve(count);
    for (uint32_t k = 0; k < count; ++k) {
        const Json::Value& element = json::Element(list, k);
        auto index = static_cast<uint16_t>(k);
        records.push_back(
            {KeyAssignment::FromCode(index, json::IntOf(json::Member(element, "Assignment"))),
             KeyAssignment::FromCode(index,
                                     json::IntOf(json::Member(element, "DefaultAssignment")))});
    }
    return records;
}

void WriteKeyList(Json::Value& document, const std::vector<KeyRecord>& records) {
    Json::Value& list = json::ArrayMember(document, "KeyList");
    for (size_t k = 0; k < records.size(); ++k) {
        json::ObjectElement(list, static_cast<uint32_t>(k))["Assignment"] =
            static_cast<Json::Int>(records[k].current.Code());
    }
}

uint8_t ByteOf(const Json::Value& section, const char* key) {
    return static_cast<uint8_t>(json::IntOf(json::Member(section, key)));
}

}  // namespace

bool CBasicProfiledata::Save() {
    return StoreDocument(document_, profilePath_);
}

bool CBasicProfiledata::StoreDocument(const Json::Value& value, const std::string& path) {
    return StoreInto(value, path);
}

bool CBasicProfiledata::SaveSecondDocument(const std::string& path) {
    return StoreDocument(secondDocument_, path);
}

bool CBasicProfiledata::WriteDocumentFile(const Json::Value& value, const std::string& path) {
    return WriteJsonFile(path, value) == 0;
}

void CBasicProfiledata::SetProfilePath(const std::string& path) {
    if (!path.empty())
        profilePath_ = path;
}

void CBasicProfiledata::SetDefaultDocumentPath(const std::string& path) {
    if (!path.empty())
        defaultDocumentPath_ = path;
}

Json::Value CBasicProfiledata::LoadConfigDocument(const std::string& path) {
    configDocument_ = LoadJsonFile(path);
    return configDocument_;
}

bool CBasicProfiledata::SetDocumentIndex(int32_t index) {
    if (index < 0 || index > kMaxDocumentIndex)
        return false;
    documentIndex_ = index;
    return true;
}

Json::Value CBasicProfiledata::LoadDocument(const std::string& path) {
    return LoadInto(path, document_);
}

Json::Value CBasicProfiledata::LoadSecondDocument(const std::string& path) {
    return LoadInto(path, secondDocument_);
}

Json::Value CBasicProfiledata::LoadInto(const std::string& path, Json::Value& target) {
    Json::Value root = LoadJsonFile(path);
    const Json::Value& found = json::Element(json::Member(root, "Device"), documentIndex_);
    if (found.isObject()) {
        target = found;
        return target;
    }
    Json::Value defaults = LoadJsonFile(defaultDocumentPath_);
    const Json::Value& factory = json::Element(json::Member(defaults, "Device"), documentIndex_);
    if (!factory.isObject()) {
        // Writing a null document would turn a profile into {"Device":[null]}.
        platform::TraceF("LoadDocument: no factory document in %s; %s left as it is",
                         defaultDocumentPath_.c_str(), path.c_str());
        target = Json::Value();
        return target;
    }
    target = factory;
    StoreInto(target, path);
    return target;
}

bool CBasicProfiledata::StoreInto(const Json::Value& value, const std::string& path) {
    if (path.empty())
        return false;
    if (value.isNull()) {
        platform::TraceF("StoreDocument: no document to store in %s", path.c_str());
        return false;
    }
    std::string bytes = readjsonFile(path);
    if (bytes.empty() && platform::FileExists(path) && !platform::ReadWholeFile(path, bytes)) {
        // There, not empty, and not readable as one of our files: not ours to replace.
        platform::TraceF("StoreDocument: %s cannot be read; not replaced", path.c_str());
        return false;
    }
    Json::Value root(Json::objectValue);
    if (!bytes.empty()) {
        Json::Value parsed;
        bool parsedOk = ParseJsonText(bytes, parsed);
        const Json::Value& devices = json::Member(parsed, "Device");
        bool usable = parsedOk && parsed.isObject() && (devices.isNull() || devices.isArray());
        if (!usable) {
            std::string keep = FreeBackupName(path);
            if (!platform::WriteFileAtomic(keep, bytes)) {
                platform::TraceF(
                    "StoreDocument: %s is unusable and could not be kept; "
                    "not replaced",
                    path.c_str());
                return false;
            }
            platform::TraceF("StoreDocument: %s was unusable; kept as %s", path.c_str(),
                             keep.c_str());
            if (parsed.isObject())
                root = parsed;  // the other members survive; "Device" starts anew
        } else {
            root.swap(parsed);
        }
    }
    Json::Value& devices = json::ArrayMember(root, "Device");
    devices[static_cast<Json::ArrayIndex>(documentIndex_)] = value;
    return WriteJsonFile(path, root) == 0;
}

std::vector<KeyRecord> CBasicProfiledata::GetKeyList() {
    keyList_ = ReadKeyList(document_);
    return keyList_;
}

void CBasicProfiledata::SetKeyList(const std::vector<KeyRecord>& records) {
    keyList_ = records;
    WriteKeyList(document_, records);
}

std::vector<KeyRecord> CBasicProfiledata::GetSecondKeyList() {
    secondKeyList_ = ReadKeyList(secondDocument_);
    return secondKeyList_;
}

void CBasicProfiledata::SetSecondKeyList(const std::vector<KeyRecord>& records) {
    secondKeyList_ = records;
    WriteKeyList(secondDocument_, records);
}

LightRecord CBasicProfiledata::GetLightRecord() const {
    const Json::Value& info = json::Member(document_, "LightInfo");
    if (!info.isObject())
        return defaultLight_;
    LightRecord r;
    r.mode = ByteOf(info, "SelectItem");
    r.brightness = ByteOf(info, "Light");
    r.speed = ByteOf(info, "Speed");
    r.direction = ByteOf(info, "Fx");
    r.multiColour = json::BoolOf(json::Member(info, "MultiColor")) ? 1 : 0;
    r.red = ByteOf(info, "Red");
    r.green = ByteOf(info, "Green");
    r.blue = ByteOf(info, "Blue");
    r.zzccMode = ByteOf(info, "ZZCCLedMode");
    r.customGroup = ByteOf(info, "CustomGroup");
    r.previousMode = ByteOf(info, "OldLedmode");
    return r;
}

void CBasicProfiledata::SetLightRecord(const LightRecord& r) {
    Json::Value info(Json::objectValue);
    info["SelectItem"] = r.mode;
    info["Light"] = r.brightness;
    info["Speed"] = r.speed;
    info["MultiColor"] = r.multiColour;
    info["Red"] = r.red;
    info["Green"] = r.green;
    info["Blue"] = r.blue;
    info["Fx"] = r.direction;
    info["ZZCCLedMode"] = r.zzccMode;
    info["CustomGroup"] = r.customGroup;
    info["OldLedmode"] = r.previousMode;
    json::AsObject(document_)["LightInfo"] = info;
}

AudioLightRecord CBasicProfiledata::GetAudioLightRecord() const {
    const Json::Value& info = json::Member(document_, "AudioLightInfo");
    if (!info.isObject())
        return {};
    AudioLightRecord r;
    r.mode = ByteOf(info, "AudioMode");
    r.backgroundRed = ByteOf(info, "BkColorR");
    r.backgroundGreen = ByteOf(info, "BkColorG");
    r.backgroundBlue = ByteOf(info, "BkColorB");
    r.foregroundRed = ByteOf(info, "FgColorR");
    r.foregroundGreen = ByteOf(info, "FgColorG");
    r.foregroundBlue = ByteOf(info, "FgColorB");
    r.multiColour = json::BoolOf(json::Member(info, "7ColorFlags")) ? 1 : 0;
    r.colourType = 1;
    return r;
}

void CBasicProfiledata::SetAudioLightRecord(const AudioLightRecord& r) {
    Json::Value info(Json::objectValue);
    info["AudioMode"] = r.mode;
    info["BkColorR"] = r.backgroundRed;
    info["BkColorG"] = r.backgroundGreen;
    info["BkColorB"] = r.backgroundBlue;
    info["FgColorR"] = r.foregroundRed;
    info["FgColorG"] = r.foregroundGreen;
    info["FgColorB"] = r.foregroundBlue;
    info["7ColorFlags"] = r.multiColour ? 1 : 0;
    info["ColorTypeFlags"] = r.colourType ? 1 : 0;
    json::AsObject(document_)["AudioLightInfo"] = info;
}

std::vector<LedEntry> CBasicProfiledata::GetLedList() const {
    const Json::Value& list = json::Member(document_, "LightList");
    std::vector<LedEntry> leds(json::ArraySize(list));
    for (uint32_t i = 0; i < leds.size(); ++i) {
        const Json::Value& led = json::Element(list, i);
        if (!led.isObject())
            continue;
        LedEntry& e = leds[i];
        e.mode = ByteOf(led, "LEDREGMode");
        e.brightness = ByteOf(led, "LEDBrightness");
        e.speed = ByteOf(led, "LEDSpeed");
        e.direction = json::BoolOf(json::Member(led, "LEDDirection")) ? 1 : 0;
        e.multiColour = json::BoolOf(json::Member(led, "LEDMultiColor")) ? 1 : 0;
        e.red = ByteOf(led, "red");
        e.green = ByteOf(led, "green");
        e.blue = ByteOf(led, "blue");
        e.valid = 1;
    }
    return leds;
}

}  // namespace profile
