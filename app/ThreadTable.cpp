#include "app/ThreadTable.h"

#include <thread>

#include "platform/Trace.h"

namespace app {

ThreadTable::~ThreadTable() {
    bool any = false;
    for (const auto& entry : entries_)
        any = any || entry != nullptr;
    if (any)
        StopAll();
}

bool ThreadTable::Set(size_t index, std::shared_ptr<ThreadEntry> entry) {
    if (index >= kEntries || entries_[index] != nullptr || entry == nullptr)
        return false;
    entries_[index] = std::move(entry);
    return true;
}

std::array<StopOutcome, ThreadTable::kEntries> ThreadTable::StopAll(uint32_t waitMs) {
    std::array<StopOutcome, kEntries> outcomes{};
    for (auto& entry : entries_) {
        if (entry)
            entry->RequestStop();
    }
    for (size_t i = 0; i < kEntries; ++i) {
        std::shared_ptr<ThreadEntry> entry = std::move(entries_[i]);
        entries_[i] = nullptr;
        if (!entry) {
            outcomes[i] = StopOutcome::Empty;
            continue;
        }
        if (entry->Join(waitMs)) {
            platform::Trace("所有对象处于激发状态\n");
            outcomes[i] = StopOutcome::Ended;
            continue;
        }
        platform::TraceF("所有对象处于非激发状态，超时\n(entry %zu left to end on its own)", i);
        outcomes[i] = StopOutcome::TimedOut;
        // The entry owns what its thread touches; drop it only once the thread has ended.
        std::thread([left = std::move(entry)] { left->Join(kReaperWaitMs); }).detach();
    }
    return outcomes;
}

}  // namespace app
