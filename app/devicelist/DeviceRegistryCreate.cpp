// The registry's entries: which command interface stands for a slot, creating a device
// object with its list item and power item, and the glue between a new device object and
// the window.
#include <memory>

#include "app/devicelist/DeviceOptionUI.h"
#include "app/devicelist/DeviceRegistry.h"
#include "app/devicelist/DeviceTables.h"
#include "app/devicelist/ListNames.h"
#include "app/devicelist/MpDevicePowerUI.h"
#include "devices/HostLink.h"
#include "devices/OrvaneUSBDevice.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "hid/DeviceMatchTable.h"
#include "hid/DeviceSlotList.h"
#include "platform/Log.h"
#include "platform/Trace.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/skin/DialogBuilder.h"

namespace app {
namespace {

// A receiver's device is the device of its cable.
uint16_t TypeKind(uint16_t kind) {
    if (kind == hid::kKindMouseReceiver)
        return hid::kKindMouseCable;
    if (kind == hid::kKindKeyboardReceiver)
        return hid::kKindKeyboard;
    return kind;
}

template <typename T>
std::unique_ptr<T> Build(std::string_view layout, ui::IDialogBuilderCallback* callback,
                         ui::CPaintManagerUI& manager) {
    ui::CDialogBuilder builder;
    std::unique_ptr<ui::CControlUI> built(
        builder.Create(std::string(layout), "", callback, &manager));
    if (dynamic_cast<T*>(built.get()) == nullptr)
        return nullptr;
    return std::unique_ptr<T>(static_cast<T*>(built.release()));
}

}  // namespace

DeviceRegistry::DeviceRegistry(IDeviceListHost& host) : host_(host) {}

std::optional<size_t> DeviceRegistry::CommandSlotFor(size_t slot) const {
    const std::vector<hid::DeviceIdentity> slots = host_.Slots().Snapshot();
    if (slot >= slots.size())
        return std::nullopt;
    size_t index = slot;
    if (slots[index].Role == hid::kRoleEvent) {
        std::optional<size_t> command;
        for (size_t i = 0; i < slots.size() && !command; ++i) {
            const hid::DeviceIdentity& s = slots[i];
            if (s.Role == hid::kRoleCommand && s.VendorID == slots[slot].VendorID &&
                s.ProductID == slots[slot].ProductID && s.Kind == slots[slot].Kind)
                command = i;
        }
        if (!command)
            return std::nullopt;
        index = *command;
    }
    if (IsReceiverKind(slots[index].Kind) && slots[index].HasPartner != 0 &&
        slots[index].PartnerSlot < slots.size())
        index = slots[index].PartnerSlot;
    return index;
}

std::optional<hid::DeviceIdentity> DeviceRegistry::IdentityFor(size_t slot) const {
    const std::optional<size_t> command = CommandSlotFor(slot);
    if (!command)
        return std::nullopt;
    return host_.Slots().Slot(*command);
}

DeviceRegistry::Entry* DeviceRegistry::EntryFor(size_t slot) {
    const std::optional<hid::DeviceIdentity> identity = IdentityFor(slot);
    if (!identity)
        return nullptr;
    for (Entry& entry : entries_) {
        if (entry.identity == *identity)
            return &entry;
    }
    return nullptr;
}

int DeviceRegistry::IndexForSlot(size_t slot) const {
    const Entry* entry = const_cast<DeviceRegistry*>(this)->EntryFor(slot);
    return entry == nullptr ? -1 : IndexOf(*entry);
}

int DeviceRegistry::IndexOf(const Entry& entry) const {
    return static_cast<int>(&entry - entries_.data());
}

CDeviceOptionUI* DeviceRegistry::Item(int listIndex) const {
    if (listIndex < 0 || static_cast<size_t>(listIndex) >= entries_.size())
        return nullptr;
    return entries_[static_cast<size_t>(listIndex)].item;
}

CMpDevicePowerUI* DeviceRegistry::PowerItem(int listIndex) const {
    if (listIndex < 0 || static_cast<size_t>(listIndex) >= entries_.size())
        return nullptr;
    return entries_[static_cast<size_t>(listIndex)].power;
}

devices::COrvaneUSBDevice* DeviceRegistry::Device(int listIndex) const {
    if (listIndex < 0 || static_cast<size_t>(listIndex) >= entries_.size())
        return nullptr;
    return entries_[static_cast<size_t>(listIndex)].device;
}

void DeviceRegistry::CreateStartupDevices() {
    const auto& table = hid::DeviceMatchTable();
    for (size_t type : {kTypeMouse, kTypeKeyboard}) {
        const DeviceType& t = DeviceTypes()[type];
        for (size_t row = 0; row < table.size(); ++row) {
            const hid::DeviceIdentity& r = table[row];
            if (r.VendorID == t.vendorId && r.ProductID == t.productId && r.Kind == t.kind &&
                r.Role == t.subKind) {
                if (EntryFor(row) == nullptr)
                    CreateDevice(row);
                break;
            }
        }
    }
}

DeviceRegistry::Entry* DeviceRegistry::CreateDevice(size_t slot) {
    // Every interface of a device, whichever comes first, makes the object of its command
    // interface, so that the later ones find it.
    const std::optional<hid::DeviceIdentity> identity = IdentityFor(slot);
    if (!identity)
        return nullptr;
    const std::optional<size_t> type =
        FindDeviceType(identity->VendorID, identity->ProductID, TypeKind(identity->Kind), 0);
    if (!type)
        return nullptr;
    const DeviceType& t = DeviceTypes()[*type];
    const DeviceLayout& l = DeviceLayouts()[*type];

    ui::CPaintManagerUI& manager = host_.Manager();
    auto* tabs = dynamic_cast<ui::CTabLayoutUI*>(manager.FindControl(kDeviceSwitch));
    auto* powers =
        dynamic_cast<ui::CTabLayoutUI*>(manager.FindControl(std::string(t.powerContainer)));
    auto* list = dynamic_cast<ui::CContainerUI*>(manager.FindControl(kDeviceSelectLayout));
    if (tabs == nullptr || powers == nullptr || list == nullptr) {
        platform::TraceF("device list: the main layout lacks its device containers (%s)\n",
                         std::string(t.typeName).c_str());
        return nullptr;
    }
    ui::IDialogBuilderCallback* callback = host_.BuilderCallback();
    auto power = Build<CMpDevicePowerUI>(kPowerItemLayout, callback, manager);
    auto item = Build<CDeviceOptionUI>(t.itemLayout, callback, manager);
    auto device = Build<devices::COrvaneUSBDevice>(l.deviceLayout, callback, manager);
    if (!power || !item || !device) {
        const std::string line = "CreateDevice>" + std::string(t.typeName) + "    " +
                                 (!power  ? "no power item"
                                  : !item ? "no list item"
                                          : "no page");
        platform::Trace(line + "\n");
        platform::Log(line);
        return nullptr;
    }

    Entry entry;
    entry.typeIndex = *type;
    entry.identity = *identity;
    entry.power = power.get();
    entry.item = item.get();
    entry.device = device.get();

    // The power item.
    powers->Add(power.release());
    entry.power->SetKind(identity->Kind);
    entry.power->ShowPowerLayout(l.hasBattery);

    // The device object: on its page first, so that binding finds its controls.
    tabs->Add(device.release());
    devices::COrvaneUSBDevice& d = *entry.device;
    d.SetSkinFile(std::string(l.deviceLayout));
    d.SetMainWindow(host_.Window());
    d.SetKeyCount(l.keyButtons);
    d.SetLedCount(l.lightElements);
    d.SetModelIndex(static_cast<int>(*type));
    d.SetHasBattery(l.hasBattery);
    d.SetProfileBaseName(host_.CurrentProfileBaseName());
    d.SetDataFolderName(std::string(t.typeName));
    d.SetPowerItem(entry.power);
    d.SetIdentity(*identity);
    d.SetLightListIndex(t.lightListIndex);
    d.SetConfigBaseName(std::string(l.configName));
    d.BindPanelControls();
    byType_[*type].push_back(entry.device);

    // The list item.
    list->Add(item.release());
    CDeviceOptionUI& i = *entry.item;
    i.ShowSynchro(false);
    i.SetGroup(std::string(t.itemGroup));
    i.BindTab(kDeviceSwitch, tabs->GetItemIndex(entry.device));
    i.SetPowerTab(std::string(t.powerContainer), powers->GetItemIndex(entry.power));
    i.SetIcons(t.kind, t.subKind);
    i.SetVisible(false);
    i.SetName(std::string(t.typeName));
    i.SetListIndex(static_cast<int>(entries_.size()));
    i.Link(entry.device, d.GetSelectPanel());
    d.SetListItem(entry.item);

    entries_.push_back(std::move(entry));
    WireDevice(entries_.back());
    return &entries_.back();
}

void DeviceRegistry::WireDevice(Entry& entry) {
    if (auto* link = dynamic_cast<devices::HostLink*>(entry.device)) {
        WireHostLink(*link, entry);
        return;
    }
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(entry.device);
    if (mouse == nullptr)
        return;
    const ui::HWND window = host_.Window();
    CDeviceOptionUI* item = entry.item;
    CMpDevicePowerUI* power = entry.power;
    mouse->SetWindowPoster(
        [window](std::function<void()> task) { ui::PostTask(window, std::move(task)); });
    mouse->SetTimerRequest(
        [item](int id, uint32_t ms) { item->StartTimer(static_cast<uint32_t>(id), ms); });
    // The power item shows each power record the mouse reads; the window hears of it too.
    auto showPower = [mouse, power] {
        const auto& record = mouse->PowerRecord();
        power->UpdatePower(record.data(), record.size());
    };
    mouse->SetMessageSink(
        [window, showPower](uint32_t msg, uintptr_t wParam, intptr_t lParam) -> intptr_t {
            if (msg == devices::WM_USB_MAINMESS_POWER) {
                if (ui::IsWindowThread())
                    showPower();
                else
                    ui::PostTask(window, showPower);
            }
            if (window == nullptr)
                return 0;
            return static_cast<intptr_t>(ui::SendMessage(window, msg, wParam, lParam));
        });
}

void DeviceRegistry::WireHostLink(devices::HostLink& link, Entry& entry) {
    // The same glue as the mouse's: tasks and timers on the window thread, each power
    // record to the power item.
    const ui::HWND window = host_.Window();
    CDeviceOptionUI* item = entry.item;
    CMpDevicePowerUI* power = entry.power;
    link.SetWindowPoster(
        [window](std::function<void()> task) { ui::PostTask(window, std::move(task)); });
    link.SetTimerRequest(
        [item](int id, uint32_t ms) { item->StartTimer(static_cast<uint32_t>(id), ms); });
    auto showPower = [&link, power] {
        const devices::HostLink::PowerState record = link.PowerRecord();
        power->UpdatePower(record.data(), record.size());
    };
    link.SetMessageSink(
        [window, showPower](uint32_t msg, uintptr_t wParam, intptr_t lParam) -> intptr_t {
            if (msg == devices::WM_USB_MAINMESS_POWER) {
                if (ui::IsWindowThread())
                    showPower();
                else
                    ui::PostTask(window, showPower);
            }
            if (window == nullptr)
                return 0;
            return static_cast<intptr_t>(ui::SendMessage(window, msg, wParam, lParam));
        });
}

void DeviceRegistry::StopDevices() {
    for (Entry& entry : entries_) {
        entry.item->StopAllTimers();
        if (auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(entry.device))
            mouse->StopPreviewThread();
        if (auto* link = dynamic_cast<devices::HostLink*>(entry.device))
            link->StopDeviceThreads();
        // Every kind's event interfaces: the cable's channel and the receiver's.
        entry.device->CloseNotifyChannel(hid::kKindMouseCable);
        entry.device->CloseNotifyChannel(hid::kKindMouseReceiver);
        CloseDevice(entry);
    }
}

void DeviceRegistry::SetPreviewActive(int flag) {
    for (Entry& entry : entries_) {
        if (entry.typeIndex == kTypeHeadset)
            continue;
        const bool was = entry.device->GetPreviewActive() != 0;
        entry.device->SetPreviewActive(flag);
        // Back in sight: the idle preview timer would wait up to its slow period.
        if (flag != 0 && !was && entry.device->Channel().IsOpen())
            entry.item->StartTimer(kTimerPreview, kPreviewCableMs);
    }
}

}  // namespace app
