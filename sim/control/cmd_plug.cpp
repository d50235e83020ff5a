// plug / unplug / devices: the bus presence of the simulated devices.
#include "sim/BusDevices.h"
#include "sim/ControlCommands.h"
#include "sim/Simulator.h"

namespace sim {
namespace {

std::vector<std::string> Targets(const std::vector<std::string>& args) {
    if (args.size() == 1 && args[0] == "all") {
        std::vector<std::string> all;
        for (const BusDevice& d : KnownBusDevices())
            if (!d.onRequest)
                all.push_back(d.name);
        return all;
    }
    return args;
}

bool Apply(const std::vector<std::string>& args, ControlContext& context, std::string& reply,
           bool plug) {
    if (args.empty()) {
        reply = plug ? "usage: plug DEVICE...|all" : "usage: unplug DEVICE...|all";
        return false;
    }
    bool all = args.size() == 1 && args[0] == "all";
    bool ok = true;
    for (const std::string& name : Targets(args)) {
        if (!FindBusDevice(name)) {
            reply += "unknown device '" + name + "'\n";
            ok = false;
            continue;
        }
        bool changed = plug ? context.simulator.Plug(name) : context.simulator.Unplug(name);
        if (!changed && !all) {
            reply += name + (plug ? " is already plugged\n" : " is not plugged\n");
            ok = false;
        }
    }
    return ok;
}

bool RunPlug(const std::vector<std::string>& args, ControlContext& context, std::string& reply) {
    return Apply(args, context, reply, true);
}

bool RunUnplug(const std::vector<std::string>& args, ControlContext& context, std::string& reply) {
    return Apply(args, context, reply, false);
}

bool RunDevices(const std::vector<std::string>&, ControlContext& context, std::string& reply) {
    for (const BusDevice& d : KnownBusDevices()) {
        reply += d.name + (context.simulator.IsPlugged(d.name) ? " plugged\n" : " unplugged\n");
    }
    return true;
}

const ControlCommandRegistration plug({"plug", "plug DEVICE...|all", "plug devices in", RunPlug});
const ControlCommandRegistration unplug({"unplug", "unplug DEVICE...|all", "unplug devices",
                                         RunUnplug});
const ControlCommandRegistration devices({"devices", "devices",
                                          "list the known devices and their state", RunDevices});

}  // namespace
}  // namespace sim
