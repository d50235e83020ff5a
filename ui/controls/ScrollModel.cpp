#include "ui/controls/ScrollModel.h"

#include <algorithm>

namespace ui {

void ScrollModel::SetRange(int range) {
    range_ = std::max(0, range);
    pos_ = std::clamp(pos_, 0, range_);
}

void ScrollModel::SetPage(int page) {
    page_ = std::max(0, page);
}

void ScrollModel::SetLine(int line) {
    line_ = std::max(1, line);
}

bool ScrollModel::SetPos(int pos) {
    pos = std::clamp(pos, 0, range_);
    if (pos == pos_)
        return false;
    pos_ = pos;
    return true;
}

ThumbGeometry ScrollModel::Thumb(int trackLength, int minThumb) const {
    if (range_ <= 0 || trackLength <= 0)
        return {};
    const long long content = static_cast<long long>(range_) + std::max(page_, 1);
    int length =
        static_cast<int>(static_cast<long long>(trackLength) * std::max(page_, 1) / content);
    length = std::clamp(length, std::min(minThumb, trackLength), trackLength);
    const int travel = trackLength - length;
    const int start = static_cast<int>(static_cast<long long>(travel) * pos_ / range_);
    return {start, length};
}

int ScrollModel::PosForThumbDrag(int startPos, int delta, int trackLength, int minThumb) const {
    const ThumbGeometry thumb = Thumb(trackLength, minThumb);
    const int travel = trackLength - thumb.length;
    if (thumb.length == 0 || travel <= 0)
        return pos_;
    const long long moved = static_cast<long long>(delta) * range_;
    // Rounded to the nearest position so that a drag back to the start lands exactly.
    const long long step = (moved >= 0 ? moved + travel / 2 : moved - travel / 2) / travel;
    return std::clamp(static_cast<int>(startPos + step), 0, range_);
}

ScrollPart ScrollModel::HitTrack(int offset, int trackLength, int minThumb) const {
    if (offset < 0 || offset >= trackLength)
        return ScrollPart::None;
    const ThumbGeometry thumb = Thumb(trackLength, minThumb);
    if (thumb.length == 0)
        return ScrollPart::None;
    if (offset < thumb.start)
        return ScrollPart::PageUp;
    if (offset >= thumb.start + thumb.length)
        return ScrollPart::PageDown;
    return ScrollPart::Thumb;
}

}  // namespace ui
