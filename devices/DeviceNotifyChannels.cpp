// The device's event interfaces: one notification channel for a device on its own cable
// (keyboard, mouse, mouse pad), one for a device behind its receiver.
#include "devices/OrvaneUSBDevice.h"

namespace devices {

NotifyChannel* COrvaneUSBDevice::ChannelForKind(int kind) {
    if (kind == hid::kKindKeyboard || kind == hid::kKindMouseCable || kind == hid::kKindMousePad)
        return &notifyChannelWired_;
    if (kind == hid::kKindMouseReceiver || kind == hid::kKindKeyboardReceiver)
        return &notifyChannelReceiver_;
    return nullptr;
}

const NotifyChannel* COrvaneUSBDevice::ChannelForKind(int kind) const {
    return const_cast<COrvaneUSBDevice*>(this)->ChannelForKind(kind);
}

void COrvaneUSBDevice::SetNotificationHandler(std::function<void(int, uint16_t)> handler) {
    notificationHandler_ = std::move(handler);
}

bool COrvaneUSBDevice::OpenNotifyChannel(const std::string& path, int kind) {
    NotifyChannel* channel = ChannelForKind(kind);
    if (channel == nullptr)
        return false;
    return channel->Open(path, [this, kind](uint16_t code) {
        if (notificationHandler_)
            notificationHandler_(kind, code);
    });
}

bool COrvaneUSBDevice::ReopenNotifyChannel(const std::string& path, int kind) {
    CloseNotifyChannel(kind);
    return OpenNotifyChannel(path, kind);
}

void COrvaneUSBDevice::CloseNotifyChannel(int kind) {
    if (NotifyChannel* channel = ChannelForKind(kind))
        channel->Close();
}

bool COrvaneUSBDevice::IsNotifyChannelOpen(int kind) const {
    const NotifyChannel* channel = ChannelForKind(kind);
    return channel != nullptr && channel->IsOpen();
}

}  // namespace devices
