#pragma once
// The server side of the simulated bus: each published collection is a folder <bus>/<id>/
// with device.json and a SOCK_SEQPACKET socket. One thread accepts and serves every
// connection and hands each output report to the collection's handler.
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/CollectionHandler.h"

namespace sim {

struct BusEntry {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
    int interfaceNumber = 0;
    int collection = 0;  // 0 = the interface has one collection
    std::vector<uint8_t> reportDescriptor;
};

// Called for every report that crosses the bus (toHost: an input report).
using PacketObserver = std::function<void(const std::string& id, bool toHost, const Report&)>;

class SimBus {
  public:
    explicit SimBus(std::string folder);
    ~SimBus();
    SimBus(const SimBus&) = delete;
    SimBus& operator=(const SimBus&) = delete;

    // Creates the folder and starts the serving thread.
    bool Start();
    void Stop();  // unpublishes everything and ends the thread
    const std::string& Folder() const { return folder_; }

    // Writes the folder completely, then makes the socket appear. False when the id is in
    // use or the files cannot be written.
    bool Publish(const std::string& id, const BusEntry& entry,
                 std::shared_ptr<CollectionHandler> handler);
    // Removes the socket first (the collection is gone at once for the host), then the rest;
    // open connections are closed.
    bool Unpublish(const std::string& id);
    bool IsPublished(const std::string& id) const;

    // How many connections the host has opened on the collection since it was published.
    int ConnectionsAccepted(const std::string& id) const;
    void SetPacketObserver(PacketObserver observer);

  private:
    struct Connection;
    struct Published;

    void Serve();
    void Wake();
    bool WriteDeviceJson(const std::string& dir, const BusEntry& entry);

    std::string folder_;
    mutable std::mutex mutex_;
    std::map<std::string, std::shared_ptr<Published>> published_;
    std::vector<std::shared_ptr<Published>> retired_;  // closed by the serving thread
    PacketObserver observer_;
    int wakeFd_ = -1;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace sim
