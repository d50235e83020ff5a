// The switch of a mouse between its cable and its receiver, with the channel's I/O lock held
// around the handles so that the device's threads never meet a half-open channel.
#include <chrono>
#include <thread>

#include "app/devicelist/DeviceList.h"
#include "app/devicelist/DeviceOptionUI.h"
#include "app/devicelist/DeviceRegistry.h"
#include "devices/OrvaneUSBDevice.h"
#include "hid/DeviceSlotList.h"
#include "platform/Trace.h"
#include "ui/core/MessageModel.h"

namespace app {

// departed: the cable of slot was pulled (to the receiver); else it arrived (to the cable).
// The direction comes from what happened rather than from the channel's last connection,
// which a failed open may have left behind.
void DeviceRegistry::SwitchConnection(size_t slot, bool departed) {
    Entry* entry = EntryFor(slot);
    const std::optional<hid::DeviceIdentity> id = host_.Slots().Slot(slot);
    if (entry == nullptr || !id || id->HasPartner == 0)
        return;
    const bool slotIsCable = id->Kind == hid::kKindMouseCable;
    const std::optional<hid::DeviceIdentity> partner = host_.Slots().Slot(id->PartnerSlot);
    if (!partner)
        return;
    const hid::DeviceIdentity& cableSlot = slotIsCable ? *id : *partner;
    const hid::DeviceIdentity& receiverSlot = slotIsCable ? *partner : *id;

    devices::COrvaneUSBDevice& device = *entry->device;
    hid::CHidChannel& channel = device.Channel();
    const bool toReceiver = departed;
    bool opened = false;
    {
        platform::LockGuard io(channel.IoLock());
        channel.SetOpen(false);
        if (toReceiver) {
            channel.ReceiverDevice().Close();
            opened = channel.ReceiverDevice().Open(receiverSlot.Path, true, true, true, false);
            // A pulled cable leaves nothing behind to talk to.
            channel.CableDevice().Close();
        } else {
            channel.CableDevice().Close();
            opened = channel.CableDevice().Open(cableSlot.Path, true, true, true, false);
        }
    }
    if (!opened) {
        platform::TraceF("device list: the switch to the %s did not open\n",
                         toReceiver ? "receiver" : "cable");
        return;
    }
    channel.SetOpen(true);
    CDeviceOptionUI& item = *entry->item;
    const int index = IndexOf(*entry);
    if (toReceiver) {
        channel.SetConnection(hid::kConnectionReceiver);
        if (device.HasBattery()) {
            for (int attempt = 1; attempt <= kSwitchProbeAttempts; ++attempt) {
                if (channel.ProbeLink())
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(kSwitchProbeWaitMs));
                if (attempt != kSwitchProbeAttempts)
                    platform::Trace("获取2.4G模式失败\n");
            }
            platform::Trace("获取2\n");
            device.QueryPowerState();
        }
        item.StartTimer(kTimerKeepAlive, kKeepAliveFirstMs);
        channel.BeginTransaction();
        item.StartTimer(kTimerLinkWatch, kLinkWatchFirstMs);
    } else {
        channel.SetConnection(hid::kConnectionCable);
        item.StartTimer(kTimerConnect, kConnectDelayMs);
        if (host_.Window() != nullptr)
            ui::SendMessage(host_.Window(), WM_USB_MAINMESS_LINK_STATE,
                            static_cast<ui::WPARAM>(index), 1);
        if (device.HasBattery())
            device.QueryPowerState();
    }
    OpenPendingEvents(*entry);
}

}  // namespace app
