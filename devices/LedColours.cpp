#include "devices/LedColours.h"

namespace devices {
namespace {

uint32_t Pack(LedColour c) {
    return uint32_t(c.red) | (uint32_t(c.green) << 8) | (uint32_t(c.blue) << 16) |
           (uint32_t(c.level) << 24);
}

LedColour Unpack(uint32_t word) {
    return LedColour{static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8),
                     static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 24)};
}

}  // namespace

void LedColourList::Resize(size_t count) {
    if (count != size_) {
        entries_ = count > 0 ? std::make_unique<std::atomic<uint32_t>[]>(count) : nullptr;
        size_ = count;
    }
    Clear();
}

void LedColourList::Clear() {
    Fill(LedColour{});
}

void LedColourList::Fill(LedColour colour) {
    uint32_t word = Pack(colour);
    for (size_t i = 0; i < size_; ++i)
        entries_[i].store(word, std::memory_order_relaxed);
}

void LedColourList::Set(size_t index, LedColour colour) {
    if (index < size_)
        entries_[index].store(Pack(colour), std::memory_order_relaxed);
}

LedColour LedColourList::Get(size_t index) const {
    if (index >= size_)
        return LedColour{};
    return Unpack(entries_[index].load(std::memory_order_relaxed));
}

}  // namespace devices
