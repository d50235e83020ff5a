#pragma once
// Where the simulated firmware plugs in: a factory that gives the handler of each collection
// when its device is plugged. Without one, collections answer nothing.
#include <functional>
#include <memory>

#include "sim/BusDevices.h"
#include "sim/CollectionHandler.h"

namespace sim {

// Called once per collection each time its device is plugged in. May return the same object
// for several collections (a device model that answers commands and sends notifications) or
// nullptr for "answers nothing".
using FirmwareFactory = std::function<std::shared_ptr<CollectionHandler>(
    const BusDevice& device, const BusInterface& iface, const BusCollection& collection)>;

// The factory of the process, used by every Simulator that has none of its own.
void SetFirmwareFactory(FirmwareFactory factory);
FirmwareFactory GetFirmwareFactory();

// The handler of a collection without firmware: takes every report, answers nothing.
class SilentHandler : public CollectionHandler {
  public:
    void OnOutputReport(const Report&, ReportSink&) override {}
};

}  // namespace sim
