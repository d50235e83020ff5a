#pragma once
// Checks from the device side that the host never interleaves exchanges on one open handle:
// a request that arrives while the answer to the previous request on the same connection
// has not even been sent can only come from a second requester, who would then read an
// answer meant for someone else. The check sees this whenever answers are late (the "slow"
// fault), which is how stress tests run it.
#include <cstdint>
#include <map>
#include <mutex>

namespace sim::firmware {

class ExchangeMonitor {
  public:
    // Called for each request on the connection identified by `connection`.
    void OnRequest(const void* connection);
    // An answer to that connection is scheduled for later / has been sent.
    void OnAnswerPending(const void* connection);
    void OnAnswerSent(const void* connection);
    void OnConnectionClosed(const void* connection);

    uint64_t Requests() const;
    uint64_t Violations() const;
    void Reset();

  private:
    mutable std::mutex mutex_;
    std::map<const void*, int> pending_;
    uint64_t requests_ = 0;
    uint64_t violations_ = 0;
};

}  // namespace sim::firmware
