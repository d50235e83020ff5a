#pragma once
// One way to reach a device's command interface: the cable, or the 2.4 GHz receiver whose
// link to the mouse can be down. Applies the device's faults, logs the packets and checks
// the host's exchange order; the firmware behind it is shared by every path of the device.
#include <atomic>
#include <cstdint>
#include <string>

#include "sim/CollectionHandler.h"
#include "sim/firmware/DeviceFirmware.h"
#include "sim/firmware/ExchangeMonitor.h"
#include "sim/firmware/FaultInjector.h"
#include "sim/firmware/PacketLog.h"

namespace sim::firmware {

struct PathOutcome {
    bool answered = false;
    Report answer;
    uint32_t delayMs = 0;
};

class CommandPath {
  public:
    // `link` is null for the cable; for the receiver it says whether the mouse is linked.
    CommandPath(std::string name, DeviceFirmware& firmware, FaultInjector& faults, PacketLog& log,
                ExchangeMonitor& monitor, const std::atomic<bool>* link);

    PathOutcome Handle(const Report& request, const void* connection);
    // A late answer (delayMs > 0) is announced to the exchange check when handled and
    // reported here once it has gone out.
    void OnAnswerSent(const void* connection);
    void OnConnectionClosed(const void* connection);
    const std::string& Name() const { return name_; }

    // What the receiver answers while its mouse is not linked.
    static Report NotLinkedAnswer(const Report& request);

  private:
    std::string name_;
    DeviceFirmware& firmware_;
    FaultInjector& faults_;
    PacketLog& log_;
    ExchangeMonitor& monitor_;
    const std::atomic<bool>* link_;
};

}  // namespace sim::firmware
