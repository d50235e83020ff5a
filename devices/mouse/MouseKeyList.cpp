// The mouse's keys on its page: selecting a key for the key panel, storing a key's record and
// the list of key labels and functions beside the picture; the macro panel's folder and list.
// Window thread.
#include "devices/MacroPanel.h"
#include "devices/mouse/MouseKeys.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ListElementUI.h"
#include "ui/core/PaintManager.h"
#include "ui/core/RenderTarget.h"

namespace devices {
namespace {

constexpr int kKeyRowHeight = 25;
constexpr int kKeyLabelWidth = 200;
constexpr int kKeyFunctionWidth = 180;
constexpr ui::Color kKeyLabelColour = 0xFFFFFFFF;
constexpr ui::Color kKeyFunctionColour = 0xFF0099FF;

// One row of the key list: the key's label and its function.
ui::CContainerUI* MakeKeyRow() {
    auto* row = new ui::CListContainerElementUI;
    row->SetFixedHeight(kKeyRowHeight);
    auto* label = new ui::CLabelUI;
    label->SetFixedWidth(kKeyLabelWidth);
    label->SetTextColor(kKeyLabelColour);
    auto* function = new ui::CLabelUI;
    function->SetFixedWidth(kKeyFunctionWidth);
    function->SetTextColor(kKeyFunctionColour);
    function->SetTextStyle(ui::kTextLeft | ui::kTextVCenter | ui::kTextSingleLine |
                           ui::kTextEndEllipsis | ui::kTextNoPrefix);
    label->SetTextStyle(ui::kTextLeft | ui::kTextVCenter | ui::kTextSingleLine | ui::kTextNoPrefix);
    row->Add(label);
    row->Add(function);
    return row;
}

}  // namespace

IKeyPanel* COrvaneMouseDevice::KeyPanel() const {
    return dynamic_cast<IKeyPanel*>(keyPanel_);
}

void COrvaneMouseDevice::BindMacroPanel() {
    ui::CControlUI* control =
        m_pManager == nullptr ? nullptr : m_pManager->FindSubControlByName(this, kMacroPanelName);
    if (auto* panel = dynamic_cast<IMacroPanel*>(control)) {
        panel->SetDataFolder(GetUserDataFolder());
        panel->LoadMacroList();
    }
}

void COrvaneMouseDevice::BindKeyPanel() {
    keyPanel_ =
        m_pManager == nullptr ? nullptr : m_pManager->FindSubControlByName(this, kKeyPanelName);
    if (IKeyPanel* panel = KeyPanel()) {
        panel->SetDeviceType(2);
        panel->SetMacroNames(macroNames_);
        keyPanel_->SetVisible(false);
    }
    RefreshKeyNames();
}

void COrvaneMouseDevice::SelectKey(int index) {
    selectedKey_ = index;
    if (keyPanel_ == nullptr)
        return;
    keyPanel_->SetVisible(false);
    if (index >= 0 && static_cast<size_t>(index) < keyRecords_.size()) {
        keyPanel_->SetVisible(true);
        if (IKeyPanel* panel = KeyPanel())
            panel->ShowKeyRecord(keyRecords_[static_cast<size_t>(index)]);
    }
}

void COrvaneMouseDevice::SetKeyRecord(int index, const profile::KeyRecord& record) {
    if (index < 0 || static_cast<size_t>(index) >= keyRecords_.size())
        return;
    keyRecords_[static_cast<size_t>(index)] = record;
    profile_.SetKeyList(keyRecords_);
}

void COrvaneMouseDevice::RefreshKeyNames() {
    IKeyPanel* panel = KeyPanel();
    auto* list = m_pManager == nullptr
                     ? nullptr
                     : dynamic_cast<ui::CContainerUI*>(
                           m_pManager->FindSubControlByName(this, kKeyNameListName));
    if (panel == nullptr)
        return;
    const size_t keys = std::min(keyRecords_.size(), mouse::kMouseKeys.size());
    // Rows past the key list go; the others are kept, so that a key whose function has no
    // name keeps what it showed.
    if (list != nullptr) {
        while (static_cast<size_t>(list->GetCount()) > keys)
            list->RemoveAt(list->GetCount() - 1);
    }
    for (size_t i = 0; i < keys; ++i) {
        const std::string label = panel->LanguageText(mouse::kMouseKeys[i].label);
        const std::optional<std::string> function =
            panel->FunctionText(keyRecords_[i].current, macroNames_);
        ui::CControlUI* button = GetKeyButton(static_cast<int>(i));
        if (function && button != nullptr)
            button->SetToolTip(label + ": " + *function);
        if (list == nullptr)
            continue;
        while (static_cast<size_t>(list->GetCount()) <= i)
            list->Add(MakeKeyRow());
        auto* row = dynamic_cast<ui::CContainerUI*>(list->GetItemAt(static_cast<int>(i)));
        if (row == nullptr || row->GetCount() < 2)
            continue;
        row->GetItemAt(0)->SetText(label);
        if (function) {
            row->GetItemAt(1)->SetText(*function);
            row->GetItemAt(1)->SetToolTip(*function);
        }
        row->SetVisible(button != nullptr && button->IsVisible());
    }
    if (list != nullptr)
        list->SetVisible(true);
}

}  // namespace devices
