#include "devices/OrvaneUSBDevice.h"

#include <algorithm>

#include "platform/Trace.h"
#include "ui/core/PaintManager.h"

namespace devices {

COrvaneUSBDevice::COrvaneUSBDevice(platform::HidTransport* transport)
    : channel_(transport), notifyChannelWired_(transport), notifyChannelReceiver_(transport) {}

COrvaneUSBDevice::~COrvaneUSBDevice() {
    // The channels' threads may still call the handler: they go before anything else.
    notifyChannelWired_.Shutdown();
    notifyChannelReceiver_.Shutdown();
}

void* COrvaneUSBDevice::GetInterface(std::string_view name) {
    return CHorizontalLayoutUI::GetInterface(name);
}

void COrvaneUSBDevice::Notify(ui::TNotifyUI& msg) {
    if (msg.pSender == nullptr || m_pManager == nullptr)
        return;
    // Only controls of this device's own page: every page has the same names.
    if (m_pManager->FindSubControlByName(this, msg.pSender->GetName()) != msg.pSender)
        return;
    platform::TraceF("device %s: %s from %s\n", dataFolderName_.c_str(), msg.sType.c_str(),
                     msg.pSender->GetName().c_str());
    NotifyPump(msg);
}

void COrvaneUSBDevice::SetKeyCount(int count) {
    count = std::clamp(count, 0, kMaxButtons);
    if (count == keyCount_ && keyButtons_.size() == static_cast<size_t>(count))
        return;
    keyCount_ = count;
    keyButtons_.assign(static_cast<size_t>(count), nullptr);
}

void COrvaneUSBDevice::SetLedCount(int count) {
    count = std::clamp(count, 0, kMaxButtons);
    size_t n = static_cast<size_t>(count);
    if (count != ledCount_ || ledButtons_.size() != n) {
        ledCount_ = count;
        ledButtons_.assign(n, nullptr);
    }
    ledColours_.Resize(n);
    platform::LockGuard guard(ledListLock_);
    ledList_.assign(n, profile::LedEntry{});
}

void COrvaneUSBDevice::SetPowerQueryOff(int value) {
    if (hasBattery_)
        powerQueryOff_ = value;
}

void COrvaneUSBDevice::SetIdentity(const hid::DeviceIdentity& identity) {
    identity_ = identity;
    kind_ = identity.Kind;
    interfaceCode_ = identity.Role;
}

void COrvaneUSBDevice::SetLightControl(int flag) {
    lightControl_ = flag;
    // A keyboard on its cable or behind its receiver alike.
    if (flag == 1 && (kind_ == hid::kKindKeyboard || kind_ == hid::kKindKeyboardReceiver))
        channel_.TakeLightControl();
}

void COrvaneUSBDevice::SetLightSettings(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    lightSettings_ = profile::LightRecord::FromWords(a, b, c, d);
}

void COrvaneUSBDevice::SetAudioLightSettings(uint32_t a, uint32_t b, uint32_t c) {
    audioLight_ = AudioLightWords{a, b, static_cast<uint8_t>(c)};
    if (auto* panel = dynamic_cast<ILightPanel*>(lightPanel_))
        panel->SetAudioLightInfo(audioLight_.a, audioLight_.b, audioLight_.c);
}

AudioLightWords COrvaneUSBDevice::GetAudioLightSettings(bool colourFlag) {
    // The panel holds what the user edits (and which colour); without one the stored
    // settings are what there is.
    if (auto* panel = dynamic_cast<ILightPanel*>(lightPanel_))
        audioLight_ = panel->GetAudioLightInfo(colourFlag);
    return audioLight_;
}

ui::CControlUI* COrvaneUSBDevice::GetKeyButton(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= keyButtons_.size())
        return nullptr;
    return keyButtons_[static_cast<size_t>(index)];
}

ui::CControlUI* COrvaneUSBDevice::GetLedButton(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= ledButtons_.size())
        return nullptr;
    return ledButtons_[static_cast<size_t>(index)];
}

std::vector<profile::LedEntry> COrvaneUSBDevice::GetLedList() const {
    platform::LockGuard guard(ledListLock_);
    return ledList_;
}

}  // namespace devices
