#pragma once
// The sensitivity rules of the mouse's sensors: the DPI number a stage slider position shows,
// the position a typed DPI number gives, how a position is kept in a stage record, and the
// slider range each sensor allows. Pure rules, shared by the page, its handlers and
// t418-zenctl.
// Threads: any (no state).
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "hid/HidChannel.h"
#include "profile/Records.h"

namespace devices::mouse {

// Sensors with rules of their own; any other uses the information block's step and base.
constexpr uint16_t kSensor8925 = 0x8925;
constexpr uint16_t kSensor3104 = 0x3104;
constexpr uint16_t kSensor3395 = 0x3395;
constexpr uint16_t kSensor3325 = 0x3325;

// A typed number below this is taken as this.
constexpr int kMinimumTypedDpi = 50;
// The range the stage edits take.
constexpr int kStageEditMaximum = 10000;

// What the information block says about the sensor.
struct SensorParams {
    uint16_t sensor = 0;    // bytes 9-10
    uint8_t step = 0;       // byte 11
    uint8_t stepCount = 0;  // byte 12
    uint16_t base = 0;      // bytes 14-15
};

SensorParams SensorOf(const std::array<uint8_t, hid::kInfoBlockLength>& infoBlock);

// The slider range a sensor gives; not set: the skin's range stays.
struct SliderRange {
    bool set = false;
    int minimum = 0;
    int maximum = 0;
};
SliderRange StageSliderRange(const SensorParams& sensor);

// The DPI number shown for a slider position.
int DpiOfPosition(const SensorParams& sensor, int position);

// The number at the start of a typed text, read as the C library reads a wide string into an
// int: leading white space, an optional sign, then digits (none: 0); saturated to int.
int LeadingNumber(std::string_view text);

// The DPI a stage edit's text stands for: its leading number, at least kMinimumTypedDpi.
int TypedDpi(std::string_view text);

// The slider position of a DPI number. Empty when the sensor's rule divides by its step and
// the step is 0 (an information block never read): the caller keeps its position.
std::optional<int> PositionOfDpi(const SensorParams& sensor, int dpi);

// The position a stage edit's text gives: its TypedDpi converted (the current position when the
// sensor cannot convert), kept within [minimum, maximum] and 0..0xFFFF, so that what is stored
// is what the slider shows.
int PositionOfTypedText(const SensorParams& sensor, std::string_view text, int current, int minimum,
                        int maximum);

// The position a stage record holds: the X value's low byte for 0x8925 (which keeps the
// position in both X bytes), the 16-bit X value for every other sensor.
int PositionOfRecord(const SensorParams& sensor, const profile::DpiStageRecord& record);

// Keeps a position in a stage record's X value (bytes 2-3): 0x8925 takes the position's low
// byte in both bytes; every other sensor the position as 16-bit little-endian, clamped to
// 0..0xFFFF, which PositionOfRecord reads back unchanged. The Y value and byte 1 stay.
void StorePosition(const SensorParams& sensor, profile::DpiStageRecord& record, int position);

// Grows a stage list with zero-filled records until it has one for the index (>= 0).
void GrowStages(std::vector<profile::DpiStageRecord>& stages, int index);

}  // namespace devices::mouse
