#include "panels/sync/GameLight.h"

#include <algorithm>

#include "devices/OrvaneUSBDevice.h"
#include "panels/light/LightControlUI.h"
#include "panels/light/LightHandlers.h"

namespace panels::sync {
namespace {

// Shows the mode in the device's panel (its layout follows) and stores it: the pause flag is
// cleared, the record stored, reloaded, written and saved.
void ShowGameMode(devices::COrvaneUSBDevice& device, uint8_t mode, bool keepOldMode,
                  uint8_t oldMode, panels::light::ScreenSize screen) {
    if (CLightControlUI* panel = CLightHandlers::PanelOf(&device))
        panel->SelectMode(mode);
    panels::light::CommitLightChange(
        device,
        [&](profile::LightRecord& record) {
            if (keepOldMode)
                record.previousMode = oldMode;
            record.mode = mode;
        },
        screen);
}

}  // namespace

bool GameLight::OnRequest(devices::COrvaneUSBDevice* device, uint64_t kind, int64_t position,
                          panels::light::ScreenSize screen) {
    if (device == nullptr || kind > 2)
        return false;
    // Any process on the bus can send this: only a position of the device's list is a mode.
    if (position < 0 || position >= device->GetLightModeCount() || position > 0xFF)
        return false;
    auto it = std::find_if(pending_.begin(), pending_.end(),
                           [device](const Pending& p) { return p.device == device; });
    const bool first = it == pending_.end();
    const uint8_t own = first ? device->LightSettings().mode : it->mode;
    if (first)
        pending_.push_back(Pending{device, own});
    ShowGameMode(*device, static_cast<uint8_t>(position), kind == 0, own, screen);
    return true;
}

int GameLight::Restore(panels::light::ScreenSize screen) {
    const std::vector<Pending> due = std::move(pending_);
    pending_.clear();
    for (const Pending& p : due)
        ShowGameMode(*p.device, p.mode, false, 0, screen);
    return static_cast<int>(due.size());
}

}  // namespace panels::sync
