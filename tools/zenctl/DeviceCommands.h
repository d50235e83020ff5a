#pragma once
// The device objects t418-zenctl runs besides the mouse: a table from the --device name to
// the device's kind, its user data folder and its parts of connect and settings. Each
// device's file adds its row with a static DeviceCommandsRegistration; a name of the table
// without a row answers that the tool does not have that device yet.
//
// Threads: the tool's main thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "devices/HostLink.h"
#include "devices/OrvaneUSBDevice.h"
#include "hid/HidChannel.h"
#include "tools/zenctl/Command.h"

namespace zenctl {

struct ConnectRequest {
    bool follow = false;  // keep the object and its threads; print notifications and reads
    long seconds = -1;    // --follow: stop after this long (-1: until interrupted)
};

struct DeviceSession {
    std::unique_ptr<devices::COrvaneUSBDevice> device;
    std::string path;
};

struct DeviceCommands {
    const char* name;        // the --device name: "pad", "keyboard"
    uint16_t kind;           // the device kind of its command interface
    const char* dataFolder;  // its user data folder: "MousePad", "keyboard"
    std::unique_ptr<devices::COrvaneUSBDevice> (*create)();
    // connect: the program's connect sequence, then what it read (and --follow).
    int (*connect)(DeviceSession& session, const ConnectRequest& request, const Options& options);
    // settings show: the onboard block read with the bare channel, decoded.
    int (*show)(hid::CHidChannel& channel, const std::string& path);
    // settings write: LoadProfile, then WriteSettings as the program sends it.
    int (*write)(DeviceSession& session);
};

struct DeviceCommandsRegistration {
    explicit DeviceCommandsRegistration(const DeviceCommands& commands);
};

// Whether the name is one of this table's devices (the mouse's names are not).
bool IsTableDevice(const std::string& name);
// The row of a table device; null (after a message) when the tool does not have it.
const DeviceCommands* FindDeviceCommands(const std::string& name);

// Finds the device's command interface, opens the new device object's channel on it and
// gives the object its identity, data folder and the current profile's name. Null device
// (after a message) when there is none.
DeviceSession OpenDeviceSession(const DeviceCommands& commands, const Options& options);

// Opens the event interfaces of the device whose command interface is at commandPath on the
// object's notification channel; answers how many opened.
int OpenEventInterfaces(devices::COrvaneUSBDevice& device, const std::string& commandPath,
                        uint16_t kind);

class FollowLoop;

// connect --follow of a table device: the object's tasks and timers go to the loop, each
// notification is printed before the object handles it, the event interfaces open, and the
// loop runs until interrupted or `seconds` have passed; onTimer does a timer's work (1002
// re-read, 1005 power query) and prints what it read. Stops the object's threads at the end.
int FollowDevice(devices::COrvaneUSBDevice& device, devices::HostLink& link,
                 const std::string& commandPath, long seconds, FollowLoop& loop,
                 const std::function<void(int timer)>& onTimer);

}  // namespace zenctl
