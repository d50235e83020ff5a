#include "hid/DeviceSlotList.h"

#include "hid/DeviceMatchTable.h"

namespace hid {

void DeviceSlotList::FillFromMatchTable() {
    std::lock_guard<std::mutex> lock(mutex_);
    slots_ = DeviceMatchTable();
}

void DeviceSlotList::Fill(std::vector<DeviceIdentity> rows) {
    std::lock_guard<std::mutex> lock(mutex_);
    slots_ = std::move(rows);
}

size_t DeviceSlotList::Size() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return slots_.size();
}

std::optional<DeviceIdentity> DeviceSlotList::Slot(size_t index) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (index >= slots_.size())
        return std::nullopt;
    return slots_[index];
}

std::vector<DeviceIdentity> DeviceSlotList::Snapshot() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return slots_;
}

bool DeviceSlotList::AnyFree() const {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const DeviceIdentity& s : slots_) {
        if (s.IsFree())
            return true;
    }
    return false;
}

std::vector<size_t> DeviceSlotList::ClaimedSlots() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<size_t> claimed;
    for (size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].Connected != 0)
            claimed.push_back(i);
    }
    return claimed;
}

std::optional<size_t> DeviceSlotList::FindFree(const DeviceIdentity& candidate,
                                               bool withUsage) const {
    std::lock_guard<std::mutex> lock(mutex_);
    for (size_t i = 0; i < slots_.size(); ++i) {
        const DeviceIdentity& s = slots_[i];
        if (!s.IsFree())
            continue;
        if (withUsage ? s.SameInterface(candidate) : s.SamePathValues(candidate))
            return i;
    }
    return std::nullopt;
}

bool DeviceSlotList::Claim(size_t index, const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (index >= slots_.size() || !slots_[index].IsFree() || path.empty())
        return false;
    slots_[index].Connected = 1;
    slots_[index].Path = path;
    return true;
}

bool DeviceSlotList::Release(size_t index) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (index >= slots_.size() || slots_[index].Connected == 0)
        return false;
    slots_[index].Connected = 0;
    slots_[index].Path.clear();
    return true;
}

}  // namespace hid
