#pragma once
// The main window's device slots, one per match-table row. The scan thread claims and
// releases them; the window thread reads them. Every access takes the list's lock, and the
// scan thread never holds it while it waits for the window thread, so the window's reads
// always see whole slots.
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "hid/DeviceIdentity.h"

namespace hid {

class DeviceSlotList {
  public:
    DeviceSlotList() = default;  // empty until filled
    DeviceSlotList(const DeviceSlotList&) = delete;
    DeviceSlotList& operator=(const DeviceSlotList&) = delete;

    // One free slot per match-table row, in table order.
    void FillFromMatchTable();
    // One free slot per given row, in their order (tests that serve other products).
    void Fill(std::vector<DeviceIdentity> rows);

    size_t Size() const;
    std::optional<DeviceIdentity> Slot(size_t index) const;
    std::vector<DeviceIdentity> Snapshot() const;
    bool AnyFree() const;
    std::vector<size_t> ClaimedSlots() const;

    // First free slot equal to the candidate in its four path values (and, when withUsage,
    // also usage page and usage).
    std::optional<size_t> FindFree(const DeviceIdentity& candidate, bool withUsage) const;

    // Claim sets Connected and the path of a free slot; Release frees a claimed one. Both
    // return false when the slot was not in the expected state.
    bool Claim(size_t index, const std::string& path);
    bool Release(size_t index);

  private:
    mutable std::mutex mutex_;
    std::vector<DeviceIdentity> slots_;
};

}  // namespace hid
