#include "sim/SimProgram.h"

#include <signal.h>

#include <cstdio>
#include <cstring>
#include <sstream>

#include "platform/Folders.h"
#include "sim/BusDevices.h"
#include "sim/ControlServer.h"
#include "sim/Simulator.h"

namespace sim {
namespace {

void PrintUsage(FILE* out) {
    std::fprintf(out,
                 "usage: t418-zen-sim [--bus DIR] [--devices NAME,...] [--log-packets] "
                 "[--no-stdin]\n\n"
                 "Serves the simulated devices on a simulated bus folder (point the program "
                 "at it with T418_ZEN_SIMBUS=DIR).\n"
                 "Devices:");
    for (const BusDevice& d : KnownBusDevices())
        std::fprintf(out, " %s%s", d.name.c_str(), d.onRequest ? " (on request)" : "");
    std::fprintf(out,
                 " (default: all but those on request)\n"
                 "Control: commands on standard input or, one per line, on the socket "
                 "DIR/.control; 'help' lists them.\n");
}

std::vector<std::string> SplitComma(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');) {
        if (!part.empty())
            parts.push_back(part);
    }
    return parts;
}

}  // namespace

bool ParseSimProgramOptions(int argc, char** argv, SimProgramOptions& options, int& exitCode) {
    exitCode = 2;
    bool devicesGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            PrintUsage(stdout);
            exitCode = 0;
            return false;
        } else if (arg == "--bus" && i + 1 < argc) {
            options.bus = argv[++i];
        } else if (arg == "--devices" && i + 1 < argc) {
            options.devices = SplitComma(argv[++i]);
            devicesGiven = true;
        } else if (arg == "--log-packets") {
            options.logPackets = true;
        } else if (arg == "--no-stdin") {
            options.readStdin = false;
        } else {
            std::fprintf(stderr, "t418-zen-sim: unknown option '%s'\n", arg.c_str());
            PrintUsage(stderr);
            return false;
        }
    }
    if (options.bus.empty())
        options.bus = platform::RuntimeFolder() + "simbus";
    if (!devicesGiven) {
        for (const BusDevice& d : KnownBusDevices())
            if (!d.onRequest)
                options.devices.push_back(d.name);
    }
    for (const std::string& name : options.devices) {
        if (!FindBusDevice(name)) {
            std::fprintf(stderr, "t418-zen-sim: unknown device '%s'\n", name.c_str());
            PrintUsage(stderr);
            return false;
        }
    }
    return true;
}

int RunSimProgram(const SimProgramOptions& options) {
    // Signals are taken by this thread only, so every other thread runs undisturbed.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    Simulator simulator(options.bus);
    if (options.logPackets) {
        simulator.LogPackets(
            [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    }
    if (!simulator.Start()) {
        std::fprintf(stderr, "t418-zen-sim: cannot serve the bus folder %s\n", options.bus.c_str());
        return 1;
    }
    for (const std::string& name : options.devices) {
        if (!simulator.Plug(name))
            std::fprintf(stderr, "t418-zen-sim: could not plug %s\n", name.c_str());
    }
    platform::Event quit(true, false);
    ControlServer control(simulator, quit);
    if (!control.StartSocket(options.bus + "/.control"))
        std::fprintf(stderr, "t418-zen-sim: no control socket in %s\n", options.bus.c_str());
    std::fprintf(stderr, "t418-zen-sim: serving %s (T418_ZEN_SIMBUS=%s)\n", options.bus.c_str(),
                 options.bus.c_str());
    if (options.readStdin)
        control.StartStdin();

    timespec tick{0, 100 * 1000 * 1000};
    while (!quit.IsSet()) {
        if (sigtimedwait(&signals, nullptr, &tick) > 0)
            break;
    }
    control.Stop();
    simulator.Stop();
    return 0;
}

}  // namespace sim
