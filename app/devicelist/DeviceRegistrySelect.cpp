// The selection of the device list: showing and hiding items, the pages they select, the
// synchronisation marks, the no-device and error layouts, and the link-state messages.
#include <string>

#include "app/devicelist/DeviceOptionUI.h"
#include "app/devicelist/DeviceRegistry.h"
#include "app/devicelist/DeviceTables.h"
#include "app/devicelist/ListNames.h"
#include "devices/OrvaneUSBDevice.h"
#include "platform/Log.h"
#include "platform/Trace.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/layout/TabLayoutUI.h"

namespace app {
namespace {

// The main window's input-hook message: wParam 0 removes the hook of a recording.
constexpr uint32_t kHookMessage = 1054;

}  // namespace

void DeviceRegistry::SetLayoutVisible(const char* name, bool visible) {
    if (ui::CControlUI* control = host_.Manager().FindControl(name))
        control->SetVisible(visible);
}

void DeviceRegistry::SelectTab(const std::string& name, int index) {
    if (auto* tab = dynamic_cast<ui::CTabLayoutUI*>(host_.Manager().FindControl(name)))
        tab->SelectItem(index);
}

int DeviceRegistry::ShownCount() const {
    int shown = 0;
    for (const Entry& entry : entries_)
        shown += entry.item->IsShown() ? 1 : 0;
    return shown;
}

void DeviceRegistry::RefreshNoDeviceLayout(const char* place) {
    const bool none = ShownCount() == 0;
    if (noDeviceFlag_ == 0)
        return;
    SetLayoutVisible(kNoDeviceLayout, none);
    platform::Log(std::string(place ? place : "") + ">pNoDeviceLinkLyout    " +
                  (none ? "true" : "false"));
}

void DeviceRegistry::SelectDevice(int listIndex, bool selected, bool show) {
    CDeviceOptionUI* item = Item(listIndex);
    if (item == nullptr)
        return;
    devices::COrvaneUSBDevice& device = *item->Device();
    item->SetVisible(selected);
    if (show) {
        auto* tabs = dynamic_cast<ui::CTabLayoutUI*>(host_.Manager().FindControl(item->TabName()));
        if (tabs != nullptr && item->TabIndex() >= 0) {
            tabs->SelectItem(item->TabIndex());
            ui::CControlUI* powers = host_.Manager().FindControl(item->PowerTabName());
            if (powers != nullptr) {
                if (item->PowerTabIndex() >= 0) {
                    powers->SetVisible(true);
                    SelectTab(item->PowerTabName(), item->PowerTabIndex());
                } else {
                    powers->SetVisible(false);
                }
            }
        }
    }
    hid::CHidChannel& channel = device.Channel();
    if (device.HasBattery() && channel.IsOpen()) {
        channel.SetSuspended(false);
        item->StartTimer(kTimerPower, kPowerFirstMs);
    }
    item->Select(show);
    if (show)
        OnDeviceSelectChanged();

    int shown = 0;
    int marked = 0;
    for (const Entry& entry : entries_) {
        if (!entry.item->IsShown())
            continue;
        ++shown;
        marked += entry.item->IsSynchro() ? 1 : 0;
    }
    if (shown == 0) {
        if (noDeviceFlag_ != 0) {
            SetLayoutVisible(kNoDeviceLayout, true);
            platform::Log("DeviceSelectChanger>pNoDeviceLinkLyout    true");
        }
        SelectTab(kPowerSwitch, 0);
        SelectTab(kDeviceSwitch, 0);
    } else if (noDeviceFlag_ != 0) {
        SetLayoutVisible(kNoDeviceLayout, false);
        platform::Log("DeviceSelectChanger>pNoDeviceLinkLyout    false");
    }
    ApplySameMode(shown >= 2);
    if (marked < 2) {
        for (Entry& entry : entries_)
            entry.item->SetSynchro(false);
    }
}

void DeviceRegistry::ApplySameMode(bool allowed) {
    // Keyboards, mice, mouse pads, headsets.
    for (size_t type : {kTypeKeyboard, kTypeMouse, kTypeMousePad, kTypeHeadset}) {
        for (devices::COrvaneUSBDevice* device : byType_[type]) {
            if (sameModeSink_)
                sameModeSink_(*device, allowed);
            if (!allowed)
                device->Channel().SetHold(0);
        }
    }
}

void DeviceRegistry::RemoveDevice(int listIndex) {
    CDeviceOptionUI* item = Item(listIndex);
    if (item == nullptr)
        return;
    if (item->IsShown() && item->IsSelected()) {
        host_.CloseSubWindows();
        // A recording or pending key changes belong to the device that went: the input hook
        // is removed and the list is usable again (the changes are dropped with the device).
        if (host_.Window() != nullptr)
            ui::SendMessage(host_.Window(), kHookMessage, 0, 0);
        host_.SetSavedState(true, 1);
    }
    int other = -1;
    for (size_t i = 0; i < entries_.size() && other < 0; ++i) {
        if (static_cast<int>(i) != listIndex && entries_[i].item->IsShown())
            other = static_cast<int>(i);
    }
    SelectDevice(listIndex, false, false);
    if (other >= 0)
        SelectDevice(other, true, true);
}

void DeviceRegistry::OnDeviceSelectChanged() {
    for (size_t i = 0; i < entries_.size(); ++i) {
        CDeviceOptionUI* item = entries_[i].item;
        if (!item->IsSelected())
            continue;
        selectedIndex_ = static_cast<int>(i);
        selectedKind_ = item->GetKind();
        selectedSubKind_ = item->GetSubKind();
        ui::CControlUI* powers = host_.Manager().FindControl(item->PowerTabName());
        if (powers != nullptr) {
            powers->SetVisible(item->PowerTabIndex() >= 0);
            if (item->PowerTabIndex() >= 0)
                SelectTab(item->PowerTabName(), item->PowerTabIndex());
        }
        return;
    }
}

devices::COrvaneUSBDevice* DeviceRegistry::SelectedDevice() const {
    CDeviceOptionUI* item = Item(selectedIndex_);
    if (item == nullptr || !item->IsShown() || !item->IsSelected())
        return nullptr;
    return item->Device();
}

int DeviceRegistry::SelectedKind() const {
    return SelectedDevice() != nullptr ? selectedKind_ : 0;
}

int DeviceRegistry::SelectedShownIndex() const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].item->IsShown() && entries_[i].item->IsSelected())
            return static_cast<int>(i);
    }
    return -1;
}

void DeviceRegistry::SelectPrevious() {
    const int selected = SelectedShownIndex();
    if (selected < 0)
        return;
    for (int i = selected - 1; i >= 0; --i) {
        if (entries_[static_cast<size_t>(i)].item->IsShown()) {
            SelectDevice(i, true, true);
            return;
        }
    }
}

void DeviceRegistry::SelectNext() {
    const int selected = SelectedShownIndex();
    if (selected < 0)
        return;
    for (size_t i = static_cast<size_t>(selected) + 1; i < entries_.size(); ++i) {
        if (entries_[i].item->IsShown()) {
            SelectDevice(static_cast<int>(i), true, true);
            return;
        }
    }
}

void DeviceRegistry::OnLinkState(int listIndex, int linked) {
    if (linked == 0) {
        RemoveDevice(listIndex);
        platform::Trace("2.4gcesvdfherhue 1\n");
        return;
    }
    CDeviceOptionUI* item = Item(listIndex);
    if (item != nullptr && item->Device() != nullptr && !item->IsShown())
        SelectDevice(listIndex, true, ShownCount() == 0);
}

void DeviceRegistry::OnDeviceInitUI(int flag) {
    noDeviceFlag_ = flag;
    SetLayoutVisible(kErrorLayout, flag == 0);
}

}  // namespace app
