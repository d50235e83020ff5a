#include "panels/keys/KeyApply.h"

#include "devices/OrvaneUSBDevice.h"
#include "panels/profiles/UploadGate.h"

namespace panels::keys {

ApplyOutcome ApplyKeysToDevice(devices::COrvaneUSBDevice& device,
                               const std::function<void(const ApplyOutcome&)>& afterMacros) {
    // The message boxes of afterMacros let other messages in before the key map is sent.
    const UploadGate::Scope uploading;
    ApplyOutcome outcome;
    outcome.used = device.GetUsedMacroIndices();
    outcome.macroResult = device.WriteMacros(outcome.used);
    outcome.refused = outcome.macroResult > 0;
    if (afterMacros)
        afterMacros(outcome);
    if (outcome.refused)
        return outcome;
    outcome.keyMapResult = device.WriteCurrentKeyAssignments(0);
    device.SaveProfile();
    outcome.saved = true;
    return outcome;
}

}  // namespace panels::keys
