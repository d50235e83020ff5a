#include "sim/firmware/ExchangeMonitor.h"

namespace sim::firmware {

void ExchangeMonitor::OnRequest(const void* connection) {
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard<std::mutex> lock(mutex_);
    ++requests_;
    auto it = lastRequest_.find(connection);
    if (it != lastRequest_.end() && now - it->second < minimumGap_)
        ++violations_;
    lastRequest_[connection] = now;
}

void ExchangeMonitor::OnConnectionClosed(const void* connection) {
    std::lock_guard<std::mutex> lock(mutex_);
    lastRequest_.erase(connection);
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
    lastRequest_.clear();
    requests_ = violations_ = 0;
}

}  // namespace sim::firmware
