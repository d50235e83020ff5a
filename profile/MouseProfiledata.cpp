#include "profile/MouseProfiledata.h"

#include "profile/JsonAccess.h"

namespace profile {
namespace {

// A value of the file outside 0..6 would index past the device's seven stages.
int32_t ValidStage(int32_t index) {
    return index >= 0 && index < kDeviceStageCount ? index : 0;
}

DpiStageRecord ReadStage(const Json::Value& stage) {
    auto field = [&](const char* key) { return json::IntOf(json::Member(stage, key)); };
    DpiStageRecord r;
    r.enabled = static_cast<uint8_t>(field("StageActive"));
    r.separateXY = static_cast<uint8_t>(field("StageXY"));
    r.x = static_cast<uint16_t>(field("StageDPIX"));
    r.y = static_cast<uint16_t>(field("StageDPIY"));
    r.red = static_cast<uint8_t>(field("StageColorR"));
    r.green = static_cast<uint8_t>(field("StageColorG"));
    r.blue = static_cast<uint8_t>(field("StageColorB"));
    return r;
}

}  // namespace

std::vector<DpiStageRecord> CMouseProfiledata::GetDpiStages() {
    const Json::Value& stages = json::Member(Document(), "DPIStages");
    if (stages.isObject()) {
        activeStage_ = ValidStage(json::IntOf(json::Member(stages, "StageActive")));
        const Json::Value& list = json::Member(stages, "StageDPIs");
        uint32_t count = json::ArraySize(list);
        for (uint32_t j = 0; j < count; ++j) {
            DpiStageRecord record = ReadStage(json::Element(list, j));
            if (j < dpiStages_.size())
                dpiStages_[j] = record;
            else
                dpiStages_.push_back(record);
        }
    }
    return dpiStages_;
}

void CMouseProfiledata::SetDpiStages(const std::vector<DpiStageRecord>& records) {
    dpiStages_ = records;
    Json::Value& list =
        json::ArrayMember(json::ObjectMember(MutableDocument(), "DPIStages"), "StageDPIs");
    for (size_t i = 0; i < records.size(); ++i) {
        const DpiStageRecord& r = records[i];
        Json::Value& stage = json::ObjectElement(list, static_cast<uint32_t>(i));
        stage["StageActive"] = r.enabled;
        stage["StageXY"] = r.separateXY;
        stage["StageDPIX"] = r.x;
        stage["StageDPIY"] = r.y;
        stage["StageColorR"] = r.red;
        stage["StageColorG"] = r.green;
        stage["StageColorB"] = r.blue;
    }
}

bool CMouseProfiledata::SetActiveStage(int32_t index) {
    if (index != ValidStage(index))
        return false;
    activeStage_ = index;
    json::ObjectMember(MutableDocument(), "DPIStages")["StageActive"] = index;
    return true;
}

SystemRecord CMouseProfiledata::GetSystemRecord() {
    SystemRecord words{};
    for (const SystemHalfKey& half : kMouseSystemKeys) {
        auto value = static_cast<uint16_t>(
            json::IntOf(json::Member(json::Member(Document(), half.section), half.key)));
        words[half.word] |= half.high ? uint32_t{value} << 16 : value;
    }
    systemRecord_ = words;
    return words;
}

void CMouseProfiledata::SetSystemRecord(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3,
                                        uint32_t w4, uint32_t w5, uint32_t w6, uint32_t w7) {
    SetSystemRecord(SystemRecord{w0, w1, w2, w3, w4, w5, w6, w7});
}

void CMouseProfiledata::SetSystemRecord(const SystemRecord& words) {
    systemRecord_ = words;
    for (const SystemHalfKey& half : kMouseSystemKeys) {
        uint32_t word = words[half.word];
        json::ObjectMember(MutableDocument(), half.section)[half.key] =
            half.high ? HighHalf(word) : LowHalf(word);
    }
}

}  // namespace profile
