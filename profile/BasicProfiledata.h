#pragma once
// The profile object of a device: its JSON document (element documentIndex of the file's
// "Device" array), the file paths, the fallback to the factory document and the key list.
// The mouse pad uses it as it is; the mouse, keyboard and headset derive from it.
#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

#include "profile/LightRecords.h"
#include "profile/Records.h"

namespace profile {

class CBasicProfiledata {
  public:
    // The "Device" arrays the program writes have one element per device index; a larger
    // index only comes from a bad caller and would make a store grow the array without end.
    static constexpr int32_t kMaxDocumentIndex = 63;

    CBasicProfiledata() = default;
    virtual ~CBasicProfiledata() = default;

    // Virtual operations, in their fixed slot order. Each returns whether the file was
    // written; callers that do not look keep working.
    virtual bool Save();  // StoreDocument(document, profilePath)
    // Reads the file at path, sets its "Device"[documentIndex] to value and writes the whole
    // root back. Other members of the root stay as they are. A file that is there but
    // cannot be used (not JSON, not an object, "Device" not an array) is first kept beside
    // it as "<path>.<timestamp>.bad"; a null value is never stored.
    virtual bool StoreDocument(const Json::Value& value, const std::string& path);
    virtual bool SaveSecondDocument(const std::string& path);  // StoreDocument(second, path)
    virtual bool WriteDocumentFile(const Json::Value& value, const std::string& path);

    // An empty path leaves the old one.
    void SetProfilePath(const std::string& path);
    void SetDefaultDocumentPath(const std::string& path);
    const std::string& GetProfilePath() const { return profilePath_; }
    const std::string& GetDefaultDocumentPath() const { return defaultDocumentPath_; }

    void SetConfigPath(const std::string& path) { configPath_ = path; }
    const std::string& GetConfigPath() const { return configPath_; }
    // configDocument becomes the whole root of the file (null when unreadable); a copy.
    Json::Value LoadConfigDocument(const std::string& path);
    const Json::Value& ConfigDocument() const { return configDocument_; }

    // False (index unchanged) outside 0..kMaxDocumentIndex.
    bool SetDocumentIndex(int32_t index);
    int32_t GetDocumentIndex() const { return documentIndex_; }

    // Loads "Device"[documentIndex] of the file. When the file has none (missing, empty, not
    // JSON, or that element is not an object) the factory document's element is taken and
    // stored into the file, which is thereby created or completed; without a usable factory
    // document the document is null and nothing is written. Returns a copy.
    Json::Value LoadDocument(const std::string& path);
    Json::Value LoadSecondDocument(const std::string& path);

    const Json::Value& Document() const { return document_; }
    const Json::Value& SecondDocument() const { return secondDocument_; }
    // Uses value as the document without any file (tools, tests).
    void SetDocument(const Json::Value& value) { document_ = value; }

    // One key record per "KeyList" element (key index = position); replaces keyList.
    std::vector<KeyRecord> GetKeyList();
    // Writes "Assignment" of every element from the records; "DefaultAssignment" stays.
    void SetKeyList(const std::vector<KeyRecord>& records);
    std::vector<KeyRecord> GetSecondKeyList();
    void SetSecondKeyList(const std::vector<KeyRecord>& records);

    // "LightInfo": the default light record when the section is missing.
    LightRecord GetLightRecord() const;
    void SetLightRecord(const LightRecord& record);  // replaces the section
    void SetDefaultLightRecord(const LightRecord& record) { defaultLight_ = record; }
    // "AudioLightInfo": all zeros when missing; the colour type reads as 1 once loaded.
    AudioLightRecord GetAudioLightRecord() const;
    void SetAudioLightRecord(const AudioLightRecord& record);

    // "LightList": one entry per element; a null or non-object element gives an all-zero
    // entry that is not valid.
    std::vector<LedEntry> GetLedList() const;

  protected:
    Json::Value& MutableDocument() { return document_; }

  private:
    Json::Value LoadInto(const std::string& path, Json::Value& target);
    bool StoreInto(const Json::Value& value, const std::string& path);

    std::string profilePath_;
    std::string defaultDocumentPath_;
    LightRecord defaultLight_;
    Json::Value document_;
    Json::Value secondDocument_;
    std::string configPath_;
    Json::Value configDocument_;
    std::vector<KeyRecord> keyList_;
    std::vector<KeyRecord> secondKeyList_;
    int32_t documentIndex_ = 0;
};

}  // namespace profile
