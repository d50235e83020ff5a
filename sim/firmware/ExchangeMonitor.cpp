#include "sim/firmware/ExchangeMonitor.h"

namespace sim::firmware {

void ExchangeMonitor::OnRequest(const void* connection) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++requests_;
    auto it = pending_.find(connection);
    if (it != pending_.end() && it->second > 0)
        ++violations_;
}

void ExchangeMonitor::OnAnswerPending(const void* connection) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++pending_[connection];
}

void ExchangeMonitor::OnAnswerSent(const void* connection) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = pending_.find(connection);
    if (it != pending_.end() && --it->second <= 0)
        pending_.erase(it);
}

void ExchangeMonitor::OnConnectionClosed(const void* connection) {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.erase(connection);
}

uint64_t ExchangeMonitor::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

uint64_t ExchangeMonitor::Violations() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return violations_;
}

void ExchangeMonitor::Reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.clear();
    requests_ = violations_ = 0;
}

}  // namespace sim::firmware
