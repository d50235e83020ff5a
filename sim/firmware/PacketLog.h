#pragma once
// What the simulated devices received and answered, in order, with a bounded memory.
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace sim::firmware {

struct PacketLogEntry {
    std::string path;  // e.g. "mouse-cable"
    bool request = true;
    std::vector<uint8_t> bytes;
    std::chrono::steady_clock::time_point when;
};

class PacketLog {
  public:
    explicit PacketLog(size_t capacity = 4096) : capacity_(capacity) {}

    void Record(const std::string& path, bool request, const std::vector<uint8_t>& bytes);
    std::vector<PacketLogEntry> Entries() const;
    void Clear();
    // Called for every entry as it is recorded (e.g. printing while "log on").
    void SetListener(std::function<void(const PacketLogEntry&)> listener);

    // "<path> > " or "<path> < " followed by the packet's two trace lines.
    static std::string Format(const PacketLogEntry& entry);

  private:
    mutable std::mutex mutex_;
    size_t capacity_;
    std::deque<PacketLogEntry> entries_;
    std::function<void(const PacketLogEntry&)> listener_;
};

}  // namespace sim::firmware
