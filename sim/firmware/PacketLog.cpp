#include "sim/firmware/PacketLog.h"

#include "hid/Packet.h"

namespace sim::firmware {

void PacketLog::Record(const std::string& path, bool request, const std::vector<uint8_t>& bytes) {
    PacketLogEntry entry{path, request, bytes, std::chrono::steady_clock::now()};
    std::function<void(const PacketLogEntry&)> listener;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_.push_back(entry);
        while (entries_.size() > capacity_)
            entries_.pop_front();
        listener = listener_;
    }
    if (listener)
        listener(entry);
}

std::vector<PacketLogEntry> PacketLog::Entries() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return {entries_.begin(), entries_.end()};
}

void PacketLog::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.clear();
}

void PacketLog::SetListener(std::function<void(const PacketLogEntry&)> listener) {
    std::lock_guard<std::mutex> lock(mutex_);
    listener_ = std::move(listener);
}

std::string PacketLog::Format(const PacketLogEntry& entry) {
    hid::Packet packet{};
    for (size_t i = 0; i < packet.size() && i < entry.bytes.size(); ++i)
        packet[i] = entry.bytes[i];
    const auto lines = hid::FormatPacketTrace(packet);
    const std::string head = entry.path + (entry.request ? " > " : " < ");
    return head + lines[0] + "\n" + std::string(head.size(), ' ') + lines[1];
}

}  // namespace sim::firmware
