// Control of the simulated firmware: link state, faults, key presses, packet log, memory dump.
// Installed explicitly by the programs that serve the firmware (a static library would drop
// self-registering commands as unreferenced).
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/ControlCommands.h"
#include "sim/Firmware.h"
#include "sim/firmware/DeviceModel.h"
#include "sim/firmware/FirmwareControl.h"
#include "sim/firmware/PadModel.h"
#include "sim/firmware/SimulatedDevices.h"

namespace sim {
namespace {

using firmware::Devices;

// Accepts decimal or 0x-prefixed hexadecimal; false on anything else or out of range.
bool ParseNumber(const std::string& text, unsigned long maximum, unsigned long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(text.c_str(), &end, 0);
    return errno == 0 && end && *end == '\0' && text[0] != '-' && value <= maximum;
}

bool RunLink(const std::vector<std::string>& args, ControlContext&, std::string& reply) {
    if (args.size() != 1 || (args[0] != "on" && args[0] != "off")) {
        reply = "usage: link on|off";
        return false;
    }
    Devices().SetLinked(args[0] == "on");
    return true;
}

bool RunFault(const std::vector<std::string>& args, ControlContext&, std::string& reply) {
    firmware::FaultInjector& faults = Devices().Faults();
    const std::string usage =
        "usage: fault none|noanswer|echo once|echo always|status 0xFE|0xFF at N|slow MS|"
        "unlink at N|"
        "short N";
    if (args.empty()) {
        reply = "faults: " + faults.Describe();
        return true;
    }
    unsigned long n = 0;
    if (args.size() == 1 && args[0] == "none") {
        faults.Clear();
    } else if (args.size() == 1 && args[0] == "noanswer") {
        faults.SetNoAnswer(true);
    } else if (args.size() == 2 && args[0] == "echo" &&
               (args[1] == "once" || args[1] == "always")) {
        faults.SetWrongEcho(args[1] == "always");
    } else if (args.size() == 4 && args[0] == "status" && args[2] == "at" &&
               ParseNumber(args[3], 1000000, n) && n > 0) {
        unsigned long status = 0;
        if (!ParseNumber(args[1], 0xFF, status) || (status != 0xFE && status != 0xFF)) {
            reply = "status must be 0xFE or 0xFF";
            return false;
        }
        faults.SetStatusAt(static_cast<uint8_t>(status), static_cast<uint32_t>(n));
    } else if (args.size() == 2 && args[0] == "slow" && ParseNumber(args[1], 60000, n)) {
        faults.SetSlow(static_cast<uint32_t>(n));
    } else if (args.size() == 2 && args[0] == "short" && ParseNumber(args[1], 63, n) && n > 0) {
        faults.SetShortAnswer(static_cast<uint32_t>(n));
    } else if (args.size() == 3 && args[0] == "unlink" && args[1] == "at" &&
               ParseNumber(args[2], 1000000, n) && n > 0) {
        faults.SetUnlinkFrom(static_cast<uint32_t>(n));
    } else {
        reply = usage;
        return false;
    }
    reply = "faults: " + faults.Describe();
    return true;
}

bool RunPress(const std::vector<std::string>& args, ControlContext&, std::string& reply) {
    if (args.size() == 1 && args[0] == "pad-light") {
        const int told = Devices().PressPadLight();
        const uint8_t profile = Devices().Pad().Memory(0, 1).at(0) % firmware::kPadProfiles;
        reply = "pad light mode " +
                std::to_string(
                    Devices().Pad().Memory(profile * firmware::kPadProfileStride + 1, 1).at(0)) +
                ", " + std::to_string(told) + " event connection(s) told";
        return true;
    }
    if (args.size() != 1 || (args[0] != "dpi" && args[0] != "profile")) {
        reply = "usage: press dpi|profile|pad-light";
        return false;
    }
    firmware::SimulatedDevices& devices = Devices();
    const int told = args[0] == "dpi" ? devices.PressDpi() : devices.PressProfile();
    reply = "profile " + std::to_string(devices.Mouse().CurrentProfile()) + ", stage " +
            std::to_string(devices.Mouse().ActiveStage()) + ", " + std::to_string(told) +
            " event connection(s) told";
    return true;
}

bool RunPad(const std::vector<std::string>& args, ControlContext&, std::string& reply) {
    unsigned long phone = 0;
    if (args.size() != 2 || args[0] != "phone" || !ParseNumber(args[1], 0xFF, phone)) {
        reply = "usage: pad phone N (0: none)";
        return false;
    }
    Devices().SetPadPhone(static_cast<uint8_t>(phone));
    reply = "pad phone " + std::to_string(phone);
    return true;
}

bool RunLog(const std::vector<std::string>& args, ControlContext&, std::string& reply) {
    if (args.size() != 1 || (args[0] != "on" && args[0] != "off")) {
        reply = "usage: log on|off";
        return false;
    }
    if (args[0] == "on") {
        Devices().Log().SetListener([](const firmware::PacketLogEntry& entry) {
            std::printf("%s\n", firmware::PacketLog::Format(entry).c_str());
            std::fflush(stdout);
        });
    } else {
        Devices().Log().SetListener(nullptr);
    }
    return true;
}

bool RunDump(const std::vector<std::string>& args, ControlContext&, std::string& reply) {
    unsigned long address = 0, length = 0, bank = 0;
    std::vector<uint8_t> bytes;
    if (args.size() == 3 && args[0] == "memory" && ParseNumber(args[1], 0xFFFF, address) &&
        ParseNumber(args[2], 4096, length)) {
        bytes = Devices().Mouse().Memory(address, length);
    } else if (args.size() == 3 && args[0] == "pad" && ParseNumber(args[1], 0xFFFF, address) &&
               ParseNumber(args[2], 4096, length)) {
        bytes = Devices().Pad().Memory(address, length);
    } else if (args.size() == 3 && args[0] == "keymap" &&
               ParseNumber(args[1], firmware::kKeyBanks - 1, bank) &&
               ParseNumber(args[2], firmware::kKeyTableSize, length)) {
        // The active key map is written by the key-table write and read by no command.
        bytes = Devices().Mouse().ActiveKeyMap(bank);
        bytes.resize(length);
    } else if (args.size() == 2 && args[0] == "shoot" && ParseNumber(args[1], 0xFFFF, length)) {
        // The shoot area is written by 0x17 and read by no command.
        bytes = Devices().Mouse().ShootArea(length);
    } else {
        reply =
            "usage: dump memory ADDR LEN (LEN at most 4096) | dump keymap BANK LEN | "
            "dump shoot LEN | dump pad ADDR LEN";
        return false;
    }
    for (size_t i = 0; i < bytes.size(); ++i) {
        char cell[16];
        if (i % 16 == 0) {
            std::snprintf(cell, sizeof cell, "%s%04lx:", i ? "\n" : "", address + i);
            reply += cell;
        }
        std::snprintf(cell, sizeof cell, " %02x", bytes[i]);
        reply += cell;
    }
    return true;
}

bool RunInfo(const std::vector<std::string>& args, ControlContext&, std::string& reply) {
    unsigned long offset = 0, value = 0;
    if (args.size() != 3 || args[0] != "set" || !ParseNumber(args[1], 33, offset) ||
        !ParseNumber(args[2], 0xFF, value)) {
        reply = "usage: info set OFFSET VALUE";
        return false;
    }
    Devices().Mouse().SetInfoByte(offset, static_cast<uint8_t>(value));
    return true;
}

bool RunCheck(const std::vector<std::string>& args, ControlContext&, std::string& reply) {
    firmware::ExchangeMonitor& monitor = Devices().Monitor();
    if (args.size() == 1 && args[0] == "reset") {
        monitor.Reset();
    } else if (!args.empty()) {
        reply = "usage: check [reset]";
        return false;
    }
    reply = "requests " + std::to_string(monitor.Requests()) + ", interleaved " +
            std::to_string(monitor.Violations());
    return true;
}

}  // namespace
}  // namespace sim

namespace sim::firmware {

void InstallFirmware() {
    SetFirmwareFactory(
        [](const BusDevice& device, const BusInterface& iface, const BusCollection& collection) {
            return Devices().HandlerFor(device, iface, collection);
        });
    static const ControlCommandRegistration link(
        {"link", "link on|off", "link or unlink the mouse from its receiver", RunLink});
    static const ControlCommandRegistration fault(
        {"fault",
         "fault none|noanswer|echo once|echo always|status 0xFE|0xFF at N|slow MS|short N|"
         "unlink at N",
         "make the devices misbehave (no argument: show the faults)", RunFault});
    static const ControlCommandRegistration press(
        {"press", "press dpi|profile|pad-light",
         "press the mouse's DPI or profile key, or the pad's light key", RunPress});
    static const ControlCommandRegistration pad(
        {"pad", "pad phone N", "lay a phone on the mouse pad (0: take it away)", RunPad});
    static const ControlCommandRegistration log(
        {"log", "log on|off", "print every command packet both ways", RunLog});
    static const ControlCommandRegistration dump(
        {"dump", "dump memory ADDR LEN|keymap BANK LEN|shoot LEN|pad ADDR LEN",
         "print the mouse's memory, its active key map or its shoot area", RunDump});
    static const ControlCommandRegistration info({"info", "info set OFFSET VALUE",
                                                  "change a byte of the mouse's information block",
                                                  RunInfo});
    static const ControlCommandRegistration check(
        {"check", "check [reset]", "count requests and interleaved exchanges seen", RunCheck});
}

}  // namespace sim::firmware
