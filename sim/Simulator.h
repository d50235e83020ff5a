#pragma once
// The simulator: plugs and unplugs the known devices on a simulated bus, with the handler
// the firmware factory gives each collection.
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "sim/BusDevices.h"
#include "sim/Firmware.h"
#include "sim/SimBus.h"

namespace sim {

class Simulator {
  public:
    explicit Simulator(std::string busFolder);
    ~Simulator();

    bool Start();
    void Stop();
    SimBus& Bus() { return bus_; }

    // A factory of this simulator's own; without it the process's one (SetFirmwareFactory).
    void SetFirmwareFactory(FirmwareFactory factory);
    // Prints every report that crosses the bus to the given sink (one line each).
    void LogPackets(std::function<void(const std::string& line)> sink);

    // "mouse-cable", "mouse-receiver", "pad", "headset", "lookalike". False when unknown or
    // already in that state.
    bool Plug(const std::string& device);
    bool Unplug(const std::string& device);
    bool IsPlugged(const std::string& device) const;
    std::vector<std::string> Plugged() const;

  private:
    SimBus bus_;
    mutable std::mutex mutex_;
    std::set<std::string> plugged_;
    FirmwareFactory factory_;
};

}  // namespace sim
