#pragma once
// The mouse's profile object: DPI stages, the active stage and the system record on top of
// the base document.
#include <cstdint>
#include <vector>

#include "profile/BasicProfiledata.h"
#include "profile/Records.h"

namespace profile {

// Where each 16-bit half of the mouse system record lives in the document.
struct SystemHalfKey {
    const char* section;  // "SystemStages" or "ReportStages"
    const char* key;
    int word;
    bool high;
};
inline constexpr SystemHalfKey kMouseSystemKeys[] = {
    {"SystemStages", "DoubleClickTime", 0, false},  {"SystemStages", "MouseSpeed", 0, true},
    {"SystemStages", "PointerPrecision", 1, false}, {"SystemStages", "ScorllPage", 1, true},
    {"SystemStages", "WheelScorlllinse", 2, false}, {"ReportStages", "StageActive", 2, true},
    {"ReportStages", "SilentAltitude", 3, false},   {"ReportStages", "Linear_Calibration", 3, true},
    {"ReportStages", "Ripple", 4, false},           {"ReportStages", "ble_sleep1", 5, false},
    {"ReportStages", "ble_sleep2", 5, true},        {"ReportStages", "device_sleep1", 6, false},
    {"ReportStages", "device_sleep2", 6, true},     {"ReportStages", "key_debounce_time", 7, false},
    {"SystemStages", "Logoledmode", 7, true},
};

// The device takes this many stages; the active stage is one of them.
inline constexpr int kDeviceStageCount = 7;

class CMouseProfiledata : public CBasicProfiledata {
  public:
    // Reads "DPIStages": the active stage, and one record per "StageDPIs" element merged into
    // the stage list (entry j overwritten or appended; entries past those read keep their
    // values). Without a document the list is unchanged.
    std::vector<DpiStageRecord> GetDpiStages();
    // Writes the seven stage keys of "StageDPIs"[i] for every record; not the active stage.
    void SetDpiStages(const std::vector<DpiStageRecord>& records);
    int32_t GetActiveStage() const { return activeStage_; }
    // Stores i and writes "DPIStages"."StageActive". False (nothing changed) outside 0..6.
    bool SetActiveStage(int32_t index);

    // All fifteen halves from "SystemStages" and "ReportStages"; a missing one is 0.
    SystemRecord GetSystemRecord();
    void SetSystemRecord(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3, uint32_t w4,
                         uint32_t w5, uint32_t w6, uint32_t w7);
    void SetSystemRecord(const SystemRecord& words);

  private:
    std::vector<DpiStageRecord> dpiStages_;
    int32_t activeStage_ = 0;
    SystemRecord systemRecord_{};
};

}  // namespace profile
