#include "ui/controls/SliderModel.h"

#include <algorithm>
#include <cmath>

namespace ui {

void SliderModel::SetRange(int minValue, int maxValue) {
    min_ = minValue;
    max_ = std::max(minValue, maxValue);
    value_ = std::clamp(value_, min_, max_);
}

void SliderModel::SetStep(int step) {
    step_ = std::max(1, step);
}

bool SliderModel::SetValue(int value) {
    value = std::clamp(value, min_, max_);
    if (value == value_)
        return false;
    value_ = value;
    return true;
}

bool SliderModel::StepBy(int steps) {
    const long long target = static_cast<long long>(value_) + static_cast<long long>(steps) * step_;
    return SetValue(static_cast<int>(std::clamp<long long>(target, min_, max_)));
}

int SliderModel::Snap(int value) const {
    value = std::clamp(value, min_, max_);
    if (step_ <= 1)
        return value;
    const long long from = static_cast<long long>(value) - min_;
    long long snapped = (from + step_ / 2) / step_ * step_ + min_;
    if (snapped > max_)
        snapped = max_;
    // The last partial step: the nearer of the last step and the maximum.
    const long long lastStep = (static_cast<long long>(max_) - min_) / step_ * step_ + min_;
    if (value > lastStep && (max_ - value) < (value - lastStep))
        snapped = max_;
    return static_cast<int>(snapped);
}

int SliderModel::OffsetForValue(int value, int trackLength) const {
    if (max_ == min_ || trackLength <= 0)
        return 0;
    value = std::clamp(value, min_, max_);
    return static_cast<int>(std::lround(static_cast<double>(value - min_) * trackLength /
                                        (static_cast<double>(max_) - min_)));
}

int SliderModel::ValueForOffset(int offset, int trackLength) const {
    if (trackLength <= 0)
        return min_;
    offset = std::clamp(offset, 0, trackLength);
    const double exact =
        min_ + static_cast<double>(offset) * (static_cast<double>(max_) - min_) / trackLength;
    return Snap(static_cast<int>(std::lround(exact)));
}

}  // namespace ui
