#include "devices/mouse/DpiConversion.h"

#include <algorithm>
#include <climits>

namespace devices::mouse {

SensorParams SensorOf(const std::array<uint8_t, hid::kInfoBlockLength>& infoBlock) {
    SensorParams s;
    s.sensor = static_cast<uint16_t>(infoBlock[9] | infoBlock[10] << 8);
    s.step = infoBlock[11];
    s.stepCount = infoBlock[12];
    s.base = static_cast<uint16_t>(infoBlock[14] | infoBlock[15] << 8);
    return s;
}

SliderRange StageSliderRange(const SensorParams& sensor) {
    switch (sensor.sensor) {
        case kSensor8925:
            return {true, 0, 149};
        case kSensor3104:
            // A count below 10 would give a range that ends before it starts.
            return {true, 0, std::max(0, static_cast<int>(sensor.stepCount) - 10)};
        case kSensor3395:
            return {true, 0, 519};
        default:
            return {};
    }
}

int DpiOfPosition(const SensorParams& sensor, int p) {
    const int step = sensor.step;
    const int base = sensor.base;
    switch (sensor.sensor) {
        case kSensor3395:
            return 50 * p + 50;
        case kSensor8925:
            return p <= 99 ? 50 * p + 50 : 100 * p - 4900;
        case kSensor3104: {
            int dpi = 0;
            if (p <= 0)
                dpi = 200;
            else if (p == 1)
                dpi = 400;
            else if (p <= 52)
                dpi = 50 * p + 300;
            else
                dpi = 100 * p - 2400;
            return std::min(dpi, 8000);
        }
        case kSensor3325:
            return p <= 48 ? step * p + base : step * 48 + 200 * (p - 48) + base;
        default:
            return step * p + base;
    }
}

int LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)  // saturate; the remaining digits change nothing
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int TypedDpi(std::string_view text) {
    return std::max(LeadingNumber(text), kMinimumTypedDpi);
}

std::optional<int> PositionOfDpi(const SensorParams& sensor, int a) {
    const int step = sensor.step;
    const int base = sensor.base;
    switch (sensor.sensor) {
        case kSensor3395:
            return (a - 50) / 50;
        case kSensor8925:
            return a > 5000 ? (a / 2 - 50) / 50 + 50 : (a - 50) / 50;
        case kSensor3104:
            if (a <= 350)
                return 0;
            if (a < 450)
                return 1;
            if (a <= 2600)
                return (a - 400) / 50 + 2;
            return (a - 3000) / 100 + 54;
        case kSensor3325:
            if (a > 5000)
                return (a - base - 5000) / 200 + 48;
            break;
        default:
            break;
    }
    if (step == 0)
        return std::nullopt;
    return (a - base) / step;
}

int PositionOfTypedText(const SensorParams& sensor, std::string_view text, int current, int minimum,
                        int maximum) {
    const int position = PositionOfDpi(sensor, TypedDpi(text)).value_or(current);
    const int low = std::clamp(minimum, 0, 0xFFFF);
    const int high = std::clamp(maximum, low, 0xFFFF);
    return std::clamp(position, low, high);
}

int PositionOfRecord(const SensorParams& sensor, const profile::DpiStageRecord& record) {
    return sensor.sensor == kSensor8925 ? (record.x & 0xFF) : record.x;
}

void StorePosition(const SensorParams& sensor, profile::DpiStageRecord& record, int position) {
    if (sensor.sensor == kSensor8925) {
        const uint16_t low = static_cast<uint16_t>(position & 0xFF);
        record.x = static_cast<uint16_t>(low | low << 8);
        return;
    }
    record.x = static_cast<uint16_t>(std::clamp(position, 0, 0xFFFF));
}

void GrowStages(std::vector<profile::DpiStageRecord>& stages, int index) {
    if (index >= 0 && stages.size() <= static_cast<size_t>(index))
        stages.resize(static_cast<size_t>(index) + 1);
}

}  // namespace devices::mouse
