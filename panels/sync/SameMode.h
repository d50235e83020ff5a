#pragma once
// Same-mode synchronisation (the "deng_same_mode" button): the current device's effect goes
// to every connected device, each in its own mode for one of the five shared effects, and
// those devices stay paused while the light synchronisation thread plays the effect on them.
// Threads: window thread only (the kind tables are pure, any thread).
#include <cstdint>
#include <optional>
#include <vector>

#include "panels/light/LightCommit.h"
#include "panels/sync/SyncEffects.h"

namespace devices {
class COrvaneUSBDevice;
}

namespace panels::sync {

class LightSyncShared;

// The shared effect a device kind's mode stands for (keyboards 1 and 9, mice 2 and 6, mouse
// pads 3 and headsets 7); empty for any other mode or kind.
std::optional<SharedEffect> SharedEffectOf(int kind, int mode);
// The mode a device kind shows a shared effect with; empty for other kinds.
std::optional<uint8_t> ModeOf(int kind, SharedEffect effect);

// The program's device lists, in the order same-mode synchronisation walks them.
struct SameModeLists {
    std::vector<devices::COrvaneUSBDevice*> keyboards;
    std::vector<devices::COrvaneUSBDevice*> mice;
    std::vector<devices::COrvaneUSBDevice*> mousePads;
    std::vector<devices::COrvaneUSBDevice*> headsets;
};

// Steps 1-3 from `source` (the current device): when its mode has a shared effect, the
// thread's parameters become that effect and bytes 1-7 of its record, and every connected
// device of the lists (the source included) is paused, takes the source's record with its own
// mode for the effect, shows it in its panel and stores, reloads, writes and saves it.
// Answers how many devices took the effect (0: the mode has none, nothing changed).
int ApplySameMode(devices::COrvaneUSBDevice& source, const SameModeLists& lists,
                  LightSyncShared& shared, panels::light::ScreenSize screen);

}  // namespace panels::sync
