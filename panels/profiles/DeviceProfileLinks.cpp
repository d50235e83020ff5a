// The linked-programs strip of the profile panel: the selected profile's program patterns,
// the edit for a new one, the picker of running programs and the on/off check.
#include "panels/profiles/DeviceProfileUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/ListElementUI.h"
#include "ui/controls/OptionUI.h"

namespace panels {
namespace {

void FillLinkCombo(ui::CComboUI* combo, const std::vector<std::string>& texts, int selected) {
    if (combo == nullptr)
        return;
    combo->RemoveAll();
    for (const std::string& text : texts) {
        auto* item = new ui::CListLabelElementUI;
        item->SetFixedHeight(CDeviceProfileUI::kItemHeight);
        item->SetText(text);
        item->SetUserData(text);
        item->SetToolTip(text);
        combo->Add(item);
    }
    if (selected >= 0 && selected < static_cast<int>(texts.size()))
        combo->SelectItem(selected, false, false);
}

std::string ChosenText(ui::CComboUI* combo) {
    ui::CControlUI* item = combo ? combo->GetCurItem() : nullptr;
    return item ? item->GetUserData() : std::string();
}

}  // namespace

void CDeviceProfileUI::ShowLinkStrip(bool show) {
    if (ui::CControlUI* strip = Find(kLinkStripName))
        strip->SetVisible(show);
    if (ui::CControlUI* tabs = Find(kTabsName))
        tabs->SetVisible(!show);
}

bool CDeviceProfileUI::IsLinkStripVisible() const {
    ui::CControlUI* strip = Find(kLinkStripName);
    return strip != nullptr && strip->IsVisible();
}

void CDeviceProfileUI::ShowLinks(const std::vector<std::string>& patterns) {
    FillLinkCombo(dynamic_cast<ui::CComboUI*>(Find(kLinkComboName)), patterns,
                  static_cast<int>(patterns.size()) - 1);
}

std::string CDeviceProfileUI::SelectedLink() const {
    return ChosenText(dynamic_cast<ui::CComboUI*>(Find(kLinkComboName)));
}

std::string CDeviceProfileUI::GetLinkEditText() const {
    auto* edit = dynamic_cast<ui::CEditUI*>(Find(kLinkEditName));
    return edit ? edit->GetText() : std::string();
}

void CDeviceProfileUI::SetLinkEditText(const std::string& text) {
    if (auto* edit = dynamic_cast<ui::CEditUI*>(Find(kLinkEditName)))
        edit->SetText(text, false);
}

void CDeviceProfileUI::ShowPicker(const std::vector<std::string>& programs) {
    FillLinkCombo(dynamic_cast<ui::CComboUI*>(Find(kLinkPickName)), programs, -1);
}

std::string CDeviceProfileUI::PickedProgram() const {
    return ChosenText(dynamic_cast<ui::CComboUI*>(Find(kLinkPickName)));
}

void CDeviceProfileUI::SetFollowCheck(bool on) {
    if (auto* check = dynamic_cast<ui::CCheckBoxUI*>(Find(kFollowCheckName)))
        check->SetCheck(on, false);
}

bool CDeviceProfileUI::IsFollowChecked() const {
    auto* check = dynamic_cast<ui::CCheckBoxUI*>(Find(kFollowCheckName));
    return check != nullptr && check->GetCheck();
}

}  // namespace panels
