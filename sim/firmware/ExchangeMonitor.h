#pragma once
// Checks from the device side that the host never interleaves exchanges on one open handle.
// A well-behaved host writes a request, waits at least 10 ms, reads the answer, and only then
// writes again; two requests closer together than that mean a second request went out before
// the first one's answer was read, so an answer could reach the wrong requester.
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>

namespace sim::firmware {

class ExchangeMonitor {
  public:
    explicit ExchangeMonitor(std::chrono::microseconds minimumGap = std::chrono::microseconds(9000))
        : minimumGap_(minimumGap) {}

    // Called for each request on the connection identified by `connection`.
    void OnRequest(const void* connection);
    void OnConnectionClosed(const void* connection);

    uint64_t Requests() const;
    uint64_t Violations() const;
    void Reset();

  private:
    mutable std::mutex mutex_;
    std::chrono::microseconds minimumGap_;
    std::map<const void*, std::chrono::steady_clock::time_point> lastRequest_;
    uint64_t requests_ = 0;
    uint64_t violations_ = 0;
};

}  // namespace sim::firmware
