#pragma once
// Game requests: another process (a game, a script) asks for a mode of the current device
// for a while ("Game_Start", "Game_End", "Game_Kill", "Game_Death", all alike: wParam the
// kind, lParam a position in the device's mode list). Kinds 0-2 set the mode; the main
// window restarts its timer 1066 with kRestoreDelayMs on every request, and when it fires
// Restore puts back the mode each changed device had before its first request.
//
// The device's own mode is kept here, per device: the first accepted request while no
// restore is pending for that device records it, later ones leave it, so two requests in a
// row still restore the user's mode; kind 0 also writes that mode into the record's
// OldLedmode byte. A device switched to in the meantime is not touched. A position outside
// the device's list, an unknown kind or no device changes nothing.
//
// Threads: window thread only.
#include <cstdint>
#include <vector>

#include "panels/light/LightCommit.h"

namespace devices {
class COrvaneUSBDevice;
}

namespace panels::sync {

class GameLight {
  public:
    static constexpr uint32_t kRestoreDelayMs = 5000;

    // Answers whether the device's mode changed.
    bool OnRequest(devices::COrvaneUSBDevice* device, uint64_t kind, int64_t position,
                   panels::light::ScreenSize screen);
    // Timer 1066 fired: every device changed since the last restore gets its mode back.
    // Answers how many did.
    int Restore(panels::light::ScreenSize screen);
    bool RestorePending() const { return !pending_.empty(); }

  private:
    struct Pending {
        devices::COrvaneUSBDevice* device;
        uint8_t mode;
    };
    std::vector<Pending> pending_;
};

}  // namespace panels::sync
