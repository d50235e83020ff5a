#include "sim/Simulator.h"

#include "platform/HidDescriptor.h"

namespace sim {

Simulator::Simulator(std::string busFolder) : bus_(std::move(busFolder)) {}

Simulator::~Simulator() {
    Stop();
}

bool Simulator::Start() {
    return bus_.Start();
}

void Simulator::Stop() {
    for (const std::string& name : Plugged())
        Unplug(name);
    bus_.Stop();
}

void Simulator::SetFirmwareFactory(FirmwareFactory factory) {
    std::lock_guard<std::mutex> lock(mutex_);
    factory_ = std::move(factory);
}

void Simulator::LogPackets(std::function<void(const std::string& line)> sink) {
    if (!sink) {
        bus_.SetPacketObserver(nullptr);
        return;
    }
    bus_.SetPacketObserver([sink](const std::string& id, bool toHost, const Report& report) {
        sink(id + (toHost ? " <- " : " -> ") + platform::BytesToHex(report));
    });
}

bool Simulator::Plug(const std::string& name) {
    const BusDevice* device = FindBusDevice(name);
    if (!device)
        return false;
    FirmwareFactory factory;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (plugged_.count(name))
            return false;
        plugged_.insert(name);
        factory = factory_ ? factory_ : GetFirmwareFactory();
    }
    bool ok = true;
    for (const BusInterface& iface : device->interfaces) {
        for (const BusCollection& collection : iface.collections) {
            std::shared_ptr<CollectionHandler> handler;
            if (factory)
                handler = factory(*device, iface, collection);
            if (!handler)
                handler = std::make_shared<SilentHandler>();
            BusEntry entry{device->vendorId, device->productId, device->version,
                           iface.number,     collection.number, iface.reportDescriptor};
            ok = bus_.Publish(CollectionId(*device, iface, collection), entry, handler) && ok;
        }
    }
    return ok;
}

bool Simulator::Unplug(const std::string& name) {
    const BusDevice* device = FindBusDevice(name);
    if (!device)
        return false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!plugged_.erase(name))
            return false;
    }
    for (const BusInterface& iface : device->interfaces) {
        for (const BusCollection& collection : iface.collections)
            bus_.Unpublish(CollectionId(*device, iface, collection));
    }
    return true;
}

bool Simulator::IsPlugged(const std::string& name) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return plugged_.count(name) != 0;
}

std::vector<std::string> Simulator::Plugged() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return {plugged_.begin(), plugged_.end()};
}

}  // namespace sim
