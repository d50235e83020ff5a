#pragma once
// A generic HID transport: enumerate the paths of the present top-level collections, open one
// as a connection, move reports with time-outs that another thread can cut short. Paths look
// like those of the system's HID class ("...#vid_320f&pid_22a4&mi_01&col02"), whatever the
// realisation, so the logic above parses and matches them unchanged.
// Threads: a transport may be used from any thread (enumerate, open and presence checks may
// run at the same time); a connection as said below.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/HidDescriptor.h"

namespace platform {

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
};

struct HidOpenOptions {
    bool read = true;
    bool write = false;
    bool overlapped = true;
    bool exclusive = false;
};

enum class HidTransferResult {
    Ok,
    Aborted,   // cut short by Abort
    TimedOut,  // nothing moved within the time-out (the transfer is cancelled)
    Failed,    // the connection is gone or the report was refused
};

// One open top-level collection. Read and Write may run at the same time on two threads;
// Abort may be called from any thread while they wait.
class HidConnection {
  public:
    virtual ~HidConnection() = default;

    // Waits for one input report of this collection (first byte its report ID, 0 when the
    // interface uses none) and copies at most length bytes. timeoutMs kInfinite waits without
    // limit.
    virtual HidTransferResult Read(uint8_t* buffer, uint32_t length, uint32_t& transferred,
                                   uint32_t timeoutMs) = 0;
    // Sends one output report (first byte its report ID).
    virtual HidTransferResult Write(const uint8_t* buffer, uint32_t length, uint32_t& transferred,
                                    uint32_t timeoutMs) = 0;
    // Ends every wait in progress and every later one with Aborted. Sticky: a connection once
    // aborted is closed by its owner.
    virtual void Abort() = 0;
    // Discards the input reports queued and not yet read.
    virtual bool Flush() = 0;
    // A synchronous output report (control transfer on a real device).
    virtual bool SendOutputReport(const uint8_t* report, uint32_t length) = 0;

    virtual const HidAttributes& Attributes() const = 0;
    virtual const HidCollection& Collection() const = 0;
};

class HidTransport {
  public:
    virtual ~HidTransport() = default;
    // Paths of every present collection. False only when the bus cannot be listed at all.
    virtual bool EnumeratePaths(std::vector<std::string>& paths) = 0;
    virtual std::unique_ptr<HidConnection> Open(const std::string& path,
                                                const HidOpenOptions& options) = 0;
    // True while the collection behind the path is still the one that was plugged in; opens
    // nothing that could disturb the connections of others.
    virtual bool IsPresent(const std::string& path) = 0;
    virtual const char* Name() const = 0;
};

// The transport of the process: the simulated bus when T418_ZEN_SIMBUS names a folder, else
// the system's HID devices. A transport set for testing replaces both.
HidTransport& DefaultHidTransport();
void SetHidTransportForTesting(HidTransport* transport);  // nullptr restores the default

// Realised per system: the transport of the system's own HID devices, and the client of the
// simulated bus on a bus folder.
std::unique_ptr<HidTransport> MakeSystemHidTransport();
std::unique_ptr<HidTransport> MakeSimBusTransport(const std::string& busFolder);

// Builds the path suffix shared by every realisation: "#vid_XXXX&pid_XXXX[&mi_XX][&colXX]".
std::string HidPathSuffix(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                          int collection);

}  // namespace platform
