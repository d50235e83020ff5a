// The device page: binding its key and LED buttons, and switching its function pages.
#include "controls/DeviceKeyButtonUI.h"
#include "controls/LedColour.h"
#include "controls/SelectPanelUI.h"
#include "devices/IndexedName.h"
#include "devices/OrvaneUSBDevice.h"
#include "ui/core/PaintManager.h"
#include "ui/layout/TabLayoutUI.h"

namespace devices {
namespace {

ui::CTabLayoutUI* FindTab(ui::CPaintManagerUI* manager, ui::CControlUI* parent,
                          const std::string& name) {
    if (manager == nullptr)
        return nullptr;
    return dynamic_cast<ui::CTabLayoutUI*>(manager->FindSubControlByName(parent, name));
}

}  // namespace

void COrvaneUSBDevice::BindPanelControls() {
    if (skinFile_.empty()) {
        keyCount_ = 0;
        ledCount_ = 0;
        ledColours_.Resize(0);
        ledButtons_.clear();
        keyButtons_.clear();
        return;
    }
    selectPanel_ = nullptr;
    for (ui::CControlUI* child : m_items) {
        if (child->GetClass() == controls::CSelectPanelUI::kClassName) {
            selectPanel_ = child;
            break;
        }
    }
    if (auto* panel = dynamic_cast<ui::CContainerUI*>(selectPanel_))
        BindSelectPanel(*panel);
}

void COrvaneUSBDevice::BindSelectPanel(ui::CContainerUI& panel) {
    for (int i = 0; i < panel.GetCount(); ++i) {
        ui::CControlUI* child = panel.GetItemAt(i);
        if (child->GetClass() != controls::CDeviceKeyButtonUI::kClassName)
            continue;
        if (auto key = IndexFor(child->GetName(), "key_", keyButtons_.size()))
            keyButtons_[*key] = child;
        if (auto led = IndexFor(child->GetUserData(), "light_", ledButtons_.size())) {
            ledButtons_[*led] = child;
            if (auto* button = dynamic_cast<controls::CDeviceKeyButtonUI*>(child))
                button->SetLightColour(controls::PackLedColour(255, 255, 255), 255, true);
        }
    }
}

void COrvaneUSBDevice::ShowFunctionPage(int page) {
    functionPage_ = page;
    if (functionSwitch_ == nullptr)
        functionSwitch_ = FindTab(m_pManager, this, "device_function_switch");
    if (keyFunctionSwitch_ == nullptr)
        keyFunctionSwitch_ = FindTab(m_pManager, this, "device_key_function_switch");
    if (functionSwitch_ == nullptr || keyFunctionSwitch_ == nullptr)
        return;
    // Pages of the two tab layouts by function page; -1 leaves the key switch as it is.
    int function = 0;
    int key = 0;
    switch (page) {
        case 2:
        case 6:
            key = 1;
            break;
        case 3:
        case 8:
            function = 1;
            key = -1;
            break;
        case 4:
            // Keyboards and mice, on their cable or their receiver alike.
            if (kind_ == hid::kKindKeyboard || kind_ == hid::kKindMouseCable ||
                kind_ == hid::kKindMouseReceiver || kind_ == hid::kKindKeyboardReceiver) {
                function = 3;
                key = -1;
            } else {
                key = 2;
            }
            break;
        case 7:
            key = 2;
            break;
        case 5:
            function = 2;
            key = -1;
            break;
        case 9:
            function = 4;
            key = -1;
            break;
        default:
            break;
    }
    functionSwitch_->SelectItem(function, false);
    if (key >= 0)
        keyFunctionSwitch_->SelectItem(key, false);
}

}  // namespace devices
