// The mouse pad's key and its phone: what a press on the pad and a phone laid on it change.
#include "sim/firmware/PadModel.h"
#include "sim/firmware/SimulatedDevices.h"

namespace sim::firmware {
namespace {

constexpr uint16_t kSettingsChanged = 0x0401;

}  // namespace

int SimulatedDevices::NotifyPad(uint16_t code) {
    const Report report = {kNotificationReportId, static_cast<uint8_t>(code & 0xFF),
                           static_cast<uint8_t>(code >> 8)};
    return padEvents_->Notify(report);
}

int SimulatedDevices::PressPadLight() {
    const uint8_t profile = static_cast<uint8_t>(pad_.Memory(0, 1).at(0) % kPadProfiles);
    const size_t address = profile * kPadProfileStride + 1;
    const uint8_t mode = pad_.Memory(address, 1).at(0);
    pad_.SetMemoryByte(address, static_cast<uint8_t>((mode + 1) % kPadModeCount));
    return NotifyPad(kSettingsChanged);
}

void SimulatedDevices::SetPadPhone(uint8_t phone) {
    pad_.SetPowerByte(kPadPhoneByte, phone);
}

}  // namespace sim::firmware
