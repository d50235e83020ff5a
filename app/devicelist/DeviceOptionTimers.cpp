// The list item's timers: what they ask of the device object, and when they run again.
// Each timer stops itself first and re-arms only where its rule says so.
#include "app/devicelist/DeviceList.h"
#include "app/devicelist/DeviceOptionUI.h"
#include "devices/OrvaneUSBDevice.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "platform/Trace.h"
#include "ui/core/MessageModel.h"

namespace app {

bool QueriesPower(const devices::COrvaneUSBDevice& device) {
    return device.HasBattery() || device.GetKind() == hid::kKindMousePad;
}

void CDeviceOptionUI::OnTimer(uint32_t id) {
    StopTimer(id);
    if (device_ == nullptr)
        return;
    switch (id) {
        case kTimerPreview:
            OnPreview();
            break;
        case kTimerConnect:
            OnConnect();
            break;
        case kTimerRefresh:
            device_->RefreshFromDevice();
            break;
        case kTimerHook1003:
            device_->TimerHook1003();
            break;
        case kTimerHook1004:
            device_->TimerHook1004();
            break;
        case kTimerPower:
            OnPowerQuery();
            break;
        case kTimerLinkWatch:
            OnLinkWatch();
            break;
        case kTimerKeepAlive:
            OnKeepAlive();
            break;
        default:
            break;
    }
}

void CDeviceOptionUI::SendLinkState(int linked) {
    const ui::HWND window = device_->GetMainWindow();
    if (window != nullptr)
        ui::SendMessage(window, WM_USB_MAINMESS_LINK_STATE, static_cast<ui::WPARAM>(listIndex_),
                        linked);
}

void CDeviceOptionUI::OnPreview() {
    hid::CHidChannel& channel = device_->Channel();
    // Nobody sees the picture: no refresh, and only a slow look at whether that changed.
    if (!device_->GetPreviewActive()) {
        if (channel.IsOpen())
            StartTimer(kTimerPreview, kPreviewIdleMs);
        return;
    }
    // The LED buttons repaint themselves when their colour changes, so an unchanged picture
    // costs nothing to paint.
    device_->RefreshPreview();
    if (channel.IsOpen())
        StartTimer(kTimerPreview, channel.Wireless() ? kPreviewReceiverMs : kPreviewCableMs);
}

void CDeviceOptionUI::OnConnect() {
    hid::CHidChannel& channel = device_->Channel();
    const bool receiver = channel.IsOpen() && channel.Wireless();
    if (receiver) {
        if (!device_->ProbeWirelessLink()) {
            retry_ = (retry_ + 1) % kConnectRetryWrap;
            if (IsShown())
                SendLinkState(0);
            StartTimer(kTimerConnect, kConnectRetryMs);
            return;
        }
        StartTimer(kTimerKeepAlive, kKeepAliveFirstMs);
        SendLinkState(1);
    }
    device_->ConnectDevice();
    retry_ = 0;
    StartTimer(kTimerPreview, kPreviewCableMs);
    // A device without a battery is not queried on selection: at connection instead.
    if (!device_->HasBattery() && QueriesPower(*device_) && channel.IsOpen())
        StartTimer(kTimerPower, kPowerFirstMs);
    if (receiver && channel.IsOpen())
        StartTimer(kTimerLinkWatch, kLinkWatchFirstMs);
}

void CDeviceOptionUI::OnPowerQuery() {
    device_->QueryPowerState();
    if (QueriesPower(*device_))
        StartTimer(kTimerPower, kPowerRepeatMs);
}

void CDeviceOptionUI::OnLinkWatch() {
    hid::CHidChannel& channel = device_->Channel();
    if (!channel.IsOpen())
        return;
    if (!channel.Wireless()) {
        platform::Trace("2.4gcesvdfherhue  12312423\n");
        return;
    }
    const bool linked = device_->ProbeWirelessLink();
    if (linked && !IsShown()) {
        SendLinkState(1);
        if (device_->HasBattery())
            device_->QueryPowerState();
        platform::Trace("2.4gcesvdfherhue  12312423 123342341\n");
    } else if (!linked && IsShown()) {
        SendLinkState(0);
        platform::Trace("2.4gcesvdfherhue\n");
    }
    if (channel.IsOpen() && channel.Wireless())
        StartTimer(kTimerLinkWatch, kLinkWatchMs);
}

void CDeviceOptionUI::OnKeepAlive() {
    hid::CHidChannel& channel = device_->Channel();
    channel.BeginTransaction();
    channel.EndTransaction();
    const uint32_t period =
        devices::COrvaneMouseDevice::KeepAlivePeriodMs(device_->GetKeepAliveMinutes());
    // A closed channel has nothing to keep awake; the next switch or connect starts it again.
    if (period > 0 && channel.IsOpen())
        StartTimer(kTimerKeepAlive, period);
}

}  // namespace app
