// The performance and system pages of the mouse: the setters and getters of their controls,
// which the refresh and the performance handlers use. Window thread.
#include <algorithm>
#include <cstdio>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"
#include "ui/layout/TabLayoutUI.h"

namespace devices {
namespace {

constexpr const char* kDebounceCombo = "Anti_Shake_combo_timeSelect";
constexpr const char* kLogoCombo = "logo_led_mode_combo";
constexpr const char* kBleSleep1Combo = "ble_sleep1_combo";
constexpr const char* kBleSleep2Combo = "ble_sleep2_combo";
constexpr const char* kDeviceSleep1Combo = "device_sleep1_combo";
constexpr const char* kDeviceSleep2Combo = "device_sleep2_combo";
constexpr const char* kOptionPrefix = "mouse_device_seting_option_";

std::string ControlName(const char* prefix, int i) {
    return prefix + std::to_string(i);
}

bool IsStageIndex(int i) {
    return i >= 0 && i < mouse::kStageCount;
}

// A selection by value that no item has clears the combo: it never goes on showing what an
// earlier profile held.
void SelectIndexOrNone(ui::CComboUI& combo, int index) {
    if (!combo.SelectItem1(index, false, false))
        combo.SelectItem1(-1, false, false);
}

}  // namespace

ui::CControlUI* COrvaneMouseDevice::PageControl(const std::string& name) {
    if (auto found = pageControls_.find(name); found != pageControls_.end())
        return found->second;
    if (m_pManager == nullptr)
        return nullptr;
    ui::CControlUI* control = m_pManager->FindSubControlByName(this, name);
    if (control != nullptr)
        pageControls_.emplace(name, control);
    return control;
}

void COrvaneMouseDevice::SetStageEnabled(int stage, bool on) {
    if (!IsStageIndex(stage))
        return;
    if (auto* row = PageControl(ControlName("DPI_layout_", stage))) {
        row->SetEnabled(on);
        // Its controls look switched off too (a disabled row already takes no input).
        if (auto* container = dynamic_cast<ui::CContainerUI*>(row)) {
            for (int k = 0; k < container->GetCount(); ++k)
                container->GetItemAt(k)->SetEnabled(on);
        }
    }
    if (auto* check = PageControlAs<ui::COptionUI>(ControlName("DPI_enable_check_", stage)))
        check->Selected(on, false);
    if (on)
        return;
    ui::COptionUI* last = nullptr;
    int selected = 0;
    for (int i = 0; i < mouse::kStageCount; ++i) {
        auto* check = PageControlAs<ui::COptionUI>(ControlName("DPI_enable_check_", i));
        if (check != nullptr && check->IsSelected()) {
            ++selected;
            last = check;
        }
    }
    if (selected == 1)
        last->SetEnabled(false);
}

int COrvaneMouseDevice::IsStageEnableChecked(int stage) {
    auto* check = PageControlAs<ui::COptionUI>(ControlName("DPI_enable_check_", stage));
    return check != nullptr && check->IsSelected() ? 1 : 0;
}

void COrvaneMouseDevice::ShowStageValue(int stage, int position) {
    if (!IsStageIndex(stage))
        return;
    auto* slider = PageControlAs<ui::CSliderUI>(ControlName("DPI_slider_", stage));
    if (slider == nullptr)
        return;
    slider->SetValue(position, false);
    auto* edit = PageControlAs<ui::CEditUI>(ControlName("DPI_edit_", stage));
    if (edit == nullptr)
        return;
    char text[16];
    std::snprintf(text, sizeof text, "%d", mouse::DpiOfPosition(Sensor(), position));
    edit->SetText(text, false);
    const bool active = stage == profile_.GetActiveStage();
    if (auto* enable = PageControl(ControlName("DPI_enable_check_", stage)))
        enable->SetEnabled(!active);
    if (auto* select = PageControlAs<ui::COptionUI>(ControlName("DPI_select_check_", stage)))
        select->Selected(active, false);
}

int COrvaneMouseDevice::GetStagePosition(int stage) {
    auto* slider = PageControlAs<ui::CSliderUI>(ControlName("DPI_slider_", stage));
    return slider != nullptr ? slider->GetValue() : 0;
}

bool COrvaneMouseDevice::HasStageSlider(int stage) {
    return PageControlAs<ui::CSliderUI>(ControlName("DPI_slider_", stage)) != nullptr;
}

int COrvaneMouseDevice::ParseStageEdit(int stage) {
    auto* edit = PageControlAs<ui::CEditUI>(ControlName("DPI_edit_", stage));
    auto* slider = PageControlAs<ui::CSliderUI>(ControlName("DPI_slider_", stage));
    const std::string text = edit != nullptr ? edit->GetText() : std::string();
    int minimum = 0;
    int maximum = 0xFFFF;
    if (slider != nullptr) {
        minimum = slider->GetMinValue();
        maximum = slider->GetMaxValue();
    } else if (const SliderRange range = StageSliderRange(); range.set) {
        minimum = range.minimum;
        maximum = range.maximum;
    }
    return mouse::PositionOfTypedText(Sensor(), text, GetStagePosition(stage), minimum, maximum);
}

void COrvaneMouseDevice::SetActiveStage(int index) {
    if (!profile_.SetActiveStage(index))
        return;
    activeStageByte_ = static_cast<uint8_t>(index);
    for (int i = 0; i < mouse::kStageCount; ++i) {
        if (auto* check = PageControlAs<ui::COptionUI>(ControlName("DPI_select_check_", i)))
            check->Selected(i == index, false);
    }
}

uint32_t COrvaneMouseDevice::GetStageColour(int stage) {
    auto* button = PageControl(ControlName("DPI_color_option_", stage));
    return button != nullptr ? button->GetBkColor() : 0;
}

void COrvaneMouseDevice::SetStageColour(int stage, uint32_t colour) {
    if (auto* button = PageControl(ControlName("DPI_color_option_", stage)))
        button->SetBkColor(colour);
}

void COrvaneMouseDevice::SetReportRateOption(int n) {
    if (n < 0 || n >= kReportRateOptions)
        n = 0;
    for (int k = 0; k < kReportRateOptions; ++k) {
        if (auto* option = PageControlAs<ui::COptionUI>(ControlName("polling_rate_option_", k)))
            option->Selected(k == n, false);
    }
}

void COrvaneMouseDevice::SelectPairOption(const char* prefix, int n) {
    if (n < 0 || n > 1)
        n = 0;
    for (int k = 0; k < 2; ++k) {
        if (auto* option = PageControlAs<ui::COptionUI>(ControlName(prefix, k)))
            option->Selected(k == n, false);
    }
}

void COrvaneMouseDevice::SetSilentAltitudeOption(int n) {
    SelectPairOption("Silent_Altitude_option_", n);
}

void COrvaneMouseDevice::SetLinearCalibrationOption(int n) {
    SelectPairOption("Linear_Calibration_option_", n);
}

void COrvaneMouseDevice::SetRippleOption(int n) {
    SelectPairOption("Ripple_option_", n);
}

void COrvaneMouseDevice::SelectDebounce(int index) {
    if (auto* combo = PageControlAs<ui::CComboUI>(kDebounceCombo))
        SelectIndexOrNone(*combo, index);
}

void COrvaneMouseDevice::SelectLogoLedMode(int index) {
    if (auto* combo = PageControlAs<ui::CComboUI>(kLogoCombo))
        SelectIndexOrNone(*combo, index);
}

void COrvaneMouseDevice::SelectByUserData(const char* name, int value) {
    auto* combo = PageControlAs<ui::CComboUI>(name);
    if (combo != nullptr && !combo->UserDataSetSelectItem(value, false, false))
        combo->SelectItem1(-1, false, false);
}

void COrvaneMouseDevice::SelectBleSleep1(int value) {
    SelectByUserData(kBleSleep1Combo, value);
}

void COrvaneMouseDevice::SelectBleSleep2(int value) {
    SelectByUserData(kBleSleep2Combo, value);
}

void COrvaneMouseDevice::SelectDeviceSleep1(int value) {
    SelectByUserData(kDeviceSleep1Combo, value);
}

void COrvaneMouseDevice::SelectDeviceSleep2(int value) {
    SelectByUserData(kDeviceSleep2Combo, value);
}

int COrvaneMouseDevice::ComboIndex(const char* name) {
    auto* combo = PageControlAs<ui::CComboUI>(name);
    return combo != nullptr ? combo->GetCurSel() : -1;
}

std::string COrvaneMouseDevice::ComboUserData(const char* name) {
    auto* combo = PageControlAs<ui::CComboUI>(name);
    return combo != nullptr ? combo->GetItemUserData(combo->GetCurSel()) : std::string();
}

int COrvaneMouseDevice::GetDebounceIndex() {
    return ComboIndex(kDebounceCombo);
}

int COrvaneMouseDevice::GetLogoLedMode() {
    return ComboIndex(kLogoCombo);
}

std::string COrvaneMouseDevice::GetBleSleep1() {
    return ComboUserData(kBleSleep1Combo);
}

std::string COrvaneMouseDevice::GetBleSleep2() {
    return ComboUserData(kBleSleep2Combo);
}

std::string COrvaneMouseDevice::GetDeviceSleep1() {
    return ComboUserData(kDeviceSleep1Combo);
}

std::string COrvaneMouseDevice::GetDeviceSleep2() {
    return ComboUserData(kDeviceSleep2Combo);
}

int COrvaneMouseDevice::GetPointerSpeed() {
    auto* slider = PageControlAs<ui::CSliderUI>("pointer_speed_slider");
    return slider != nullptr ? slider->GetValue() : 0;
}

int COrvaneMouseDevice::GetScrollLines() {
    auto* slider = PageControlAs<ui::CSliderUI>("scroll_speed_slider");
    return slider != nullptr ? slider->GetValue() : 0;
}

int COrvaneMouseDevice::GetDoubleClickPosition() {
    auto* slider = PageControlAs<ui::CSliderUI>("double_click_slider");
    return slider != nullptr ? slider->GetValue() : 0;
}

int COrvaneMouseDevice::GetPointerPrecision() {
    auto* check = PageControlAs<ui::COptionUI>("pointer_precision_check");
    return check != nullptr && check->IsSelected() ? 1 : 0;
}

int COrvaneMouseDevice::GetScrollPage() {
    auto* check = PageControlAs<ui::COptionUI>("scrolls_page_check");
    return check != nullptr && check->IsSelected() ? 1 : 0;
}

void COrvaneMouseDevice::SetScrollControls(int page, int lines) {
    auto* check = PageControlAs<ui::COptionUI>("scrolls_page_check");
    auto* slider = PageControlAs<ui::CSliderUI>("scroll_speed_slider");
    if (check == nullptr || slider == nullptr)
        return;
    check->Selected(page != 0, false);
    slider->SetValue(lines, false);
    scrollPage_ = page != 0 ? 1 : 0;
    scrollLines_ = static_cast<uint8_t>(std::clamp(slider->GetValue(), 0, 0xFF));
}

void COrvaneMouseDevice::ShowPerformancePage(int n) {
    auto* pages = PageControlAs<ui::CTabLayoutUI>("mouse_device_seting_layout");
    if (pages == nullptr)
        return;
    if (n < 0 || n >= pages->GetCount())
        n = 0;
    pages->SelectItem(n, false);
    auto* options = PageControlAs<ui::CContainerUI>("mouse_option_layout");
    if (options == nullptr)
        return;
    const std::string wanted = ControlName(kOptionPrefix, n);
    for (int i = 0; i < options->GetCount(); ++i) {
        ui::CControlUI* child = options->GetItemAt(i);
        auto* option = dynamic_cast<ui::COptionUI*>(child);
        if (option == nullptr || child->GetClass() != "OptionUI")
            continue;
        option->Selected(ui::EqualsNoCase(child->GetName(), wanted), false);
    }
}

}  // namespace devices
