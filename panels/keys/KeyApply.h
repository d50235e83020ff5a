#pragma once
// The apply sequence of the key page, shared by the main window and t418-zenctl: the macros the
// keys use go to the mouse first, then the key map, then the profile is saved. A refused macro
// upload (too many events, or more than the device holds) stops it before the key map, so the
// mouse never holds key references to macros it does not have.
//
// Threads: window thread only (tools without a window: the thread that owns the device).
#include <functional>
#include <vector>

namespace devices {
class COrvaneUSBDevice;
}

namespace panels::keys {

struct ApplyOutcome {
    std::vector<int> used;  // macro-list indices in upload order
    int macroResult = 0;    // WriteMacros' answer
    bool refused = false;   // macroResult > 0: nothing further was written or saved
    int keyMapResult = 0;   // WriteCurrentKeyAssignments' answer (1 written)
    bool saved = false;
};

// Runs the sequence; `afterMacros` (may be empty) hears the macro upload's answer before the
// key map is written, so that a failure can be told in the order it happened.
ApplyOutcome ApplyKeysToDevice(devices::COrvaneUSBDevice& device,
                               const std::function<void(const ApplyOutcome&)>& afterMacros = {});

}  // namespace panels::keys
