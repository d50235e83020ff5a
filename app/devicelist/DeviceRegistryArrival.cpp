// Arrival and removal of an interface: which device object it belongs to, and which of the
// object's handles it opens or closes.
#include <algorithm>

#include "app/devicelist/DeviceOptionUI.h"
#include "app/devicelist/DeviceRegistry.h"
#include "app/devicelist/ListNames.h"
#include "devices/OrvaneUSBDevice.h"
#include "hid/DeviceSlotList.h"
#include "platform/Trace.h"

namespace app {
namespace {

// The trace of an arrival or a removal names the kind of device; a headset has none.
void TraceArrivalOrRemoval(uint16_t kind, bool added) {
    const char* what = nullptr;
    switch (kind) {
        case hid::kKindKeyboard:
        case hid::kKindKeyboardReceiver:
            what = added ? "添加一个键盘设备\n" : "删除一个键盘设备\n";
            break;
        case hid::kKindMouseCable:
        case hid::kKindMouseReceiver:
            what = added ? "添加一个鼠标设备\n" : "删除一个鼠标设备\n";
            break;
        case hid::kKindMousePad:
            what = added ? "添加一个鼠标垫设备\n" : "删除一个鼠标垫设备\n";
            break;
        default:
            break;
    }
    if (what != nullptr)
        platform::Trace(what);
}

}  // namespace

bool DeviceRegistry::PartnerPresent(const hid::DeviceIdentity& slot, size_t index) const {
    if (slot.HasPartner == 0)
        return false;
    const std::optional<hid::DeviceIdentity> partner = host_.Slots().Slot(slot.PartnerSlot);
    return partner && partner->HasPartner != 0 && partner->PartnerSlot == index &&
           partner->Connected != 0 && !partner->Path.empty();
}

void DeviceRegistry::OnDeviceAdd(size_t slot) {
    const std::optional<hid::DeviceIdentity> id = host_.Slots().Slot(slot);
    if (!id)
        return;
    TraceArrivalOrRemoval(id->Kind, true);
    if (EntryFor(slot) == nullptr)
        CreateDevice(slot);
    if (id->Role == hid::kRoleCommand)
        AttachCommand(slot, *id);
    else
        AttachEvent(slot, *id);
    host_.RestoreFromDeviceEvent();
}

void DeviceRegistry::AttachCommand(size_t slot, const hid::DeviceIdentity& id) {
    Entry* entry = EntryFor(slot);
    if (entry == nullptr)
        return;
    // With the partner in use, the cable takes over and the receiver waits; a channel that
    // is not open (its partner's open failed) simply opens on what arrived.
    if (PartnerPresent(id, slot) && entry->device->Channel().IsOpen()) {
        if (id.Kind == hid::kKindMouseCable)
            SwitchConnection(slot, false);
        return;
    }
    devices::COrvaneUSBDevice& device = *entry->device;
    hid::CHidChannel& channel = device.Channel();
    const bool receiver = IsReceiverKind(id.Kind);
    if (!channel.IsOpen()) {
        bool opened = false;
        {
            platform::LockGuard io(channel.IoLock());
            hid::CHidDevice& handle = receiver ? channel.ReceiverDevice() : channel.CableDevice();
            opened = handle.Open(id.Path, true, true, true, false);
            if (opened) {
                channel.SetOpen(true);
                if (receiver)
                    channel.SetConnection(hid::kConnectionReceiver);
                else if (id.Kind == hid::kKindMouseCable || id.Kind == hid::kKindKeyboard)
                    channel.SetConnection(hid::kConnectionCable);
            }
            device.SetIdentity(entry->identity);
        }
        if (opened)
            OpenPendingEvents(*entry);
        else
            platform::TraceF("device list: slot %zu did not open\n", slot);
    }
    const int index = IndexOf(*entry);
    if (!receiver)
        SelectDevice(index, true, ShownCount() == 0);
    entry->item->StartTimer(kTimerConnect, kConnectDelayMs);
}

void DeviceRegistry::AttachEvent(size_t slot, const hid::DeviceIdentity& id) {
    Entry* entry = EntryFor(slot);
    if (entry == nullptr)
        return;
    if (entry->device->Channel().IsOpen()) {
        entry->device->OpenNotifyChannel(id.Path, id.Kind);
        return;
    }
    // Before its command interface: opened as soon as the channel is.
    if (std::find(entry->pendingEvents.begin(), entry->pendingEvents.end(), slot) ==
        entry->pendingEvents.end())
        entry->pendingEvents.push_back(slot);
}

void DeviceRegistry::OpenPendingEvents(Entry& entry) {
    std::vector<size_t> waiting = std::move(entry.pendingEvents);
    entry.pendingEvents.clear();
    for (size_t slot : waiting) {
        const std::optional<hid::DeviceIdentity> id = host_.Slots().Slot(slot);
        if (id && id->Connected != 0 && !id->Path.empty())
            entry.device->OpenNotifyChannel(id->Path, id->Kind);
    }
}

void DeviceRegistry::OnDeviceRemove(size_t slot) {
    const std::optional<hid::DeviceIdentity> id = host_.Slots().Slot(slot);
    if (!id)
        return;
    TraceArrivalOrRemoval(id->Kind, false);
    if (id->Role == hid::kRoleCommand) {
        RemoveCommand(slot, *id);
        return;
    }
    Entry* entry = EntryFor(slot);
    if (entry == nullptr)
        return;
    auto& pending = entry->pendingEvents;
    pending.erase(std::remove(pending.begin(), pending.end(), slot), pending.end());
    entry->device->CloseNotifyChannel(id->Kind);
}

void DeviceRegistry::RemoveCommand(size_t slot, const hid::DeviceIdentity& id) {
    if (IsMouseKind(id.Kind))
        platform::Trace("鼠标设备丢失\n");
    if (PartnerPresent(id, slot) && id.Kind == hid::kKindMouseCable) {
        // The cable went while the receiver stays.
        SwitchConnection(slot, true);
        return;
    }
    Entry* entry = EntryFor(slot);
    if (entry == nullptr)
        return;
    hid::CHidChannel& channel = entry->device->Channel();
    const bool receiver = IsReceiverKind(id.Kind);
    if (channel.IsOpen() && receiver != channel.Wireless()) {
        // Not the connection in use (the receiver pulled while the mouse works on its
        // cable): only that handle goes; the device stays.
        platform::LockGuard io(channel.IoLock());
        (receiver ? channel.ReceiverDevice() : channel.CableDevice()).Close();
        return;
    }
    CloseDevice(*entry);
    entry->item->StopAllTimers();
    RemoveDevice(IndexOf(*entry));
}

void DeviceRegistry::CloseDevice(Entry& entry) {
    hid::CHidChannel& channel = entry.device->Channel();
    platform::LockGuard io(channel.IoLock());
    channel.SetOpen(false);
    channel.CableDevice().Close();
    channel.ReceiverDevice().Close();
}

}  // namespace app
