#pragma once
// Shared by the command-protocol subcommands: finds a device's command interface on the bus,
// opens a channel on it, and turns result codes into messages and exit codes.
#include <memory>
#include <string>
#include <vector>

#include "hid/HidChannel.h"
#include "tools/zenctl/Command.h"

namespace zenctl {

// Exit codes of the protocol subcommands.
constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;
constexpr int kExitNoDevice = 3;
// A device command's result code as an exit code (success is 0).
int ExitCodeForResult(int result);

struct OpenedChannel {
    std::unique_ptr<hid::CHidChannel> channel;
    std::string kind;  // "cable", "receiver", "pad" or "keyboard"
    std::string path;
};

// Removes "--device NAME" from args. NAME is cable, receiver, pad or keyboard; empty means
// the first found in that order. False (with a message on stderr) on a bad option.
bool TakeDeviceOption(std::vector<std::string>& args, std::string& device);

// Applies --trace, finds and opens the command interface. Null (after printing why) when
// none is present.
OpenedChannel OpenCommandChannel(const std::string& device, const Options& options);

// Prints "<what>: <result text> (result N)" to stderr and returns the exit code.
int ReportFailure(const char* what, int result);

// "0x1F", "31" -> number; false when not a number or above maximum.
bool ParseUnsigned(const std::string& text, unsigned long maximum, unsigned long& value);

// Lines of 16 bytes: "ADDR: xx xx ...".
void PrintHexDump(const uint8_t* bytes, size_t length, unsigned long firstAddress);

}  // namespace zenctl
