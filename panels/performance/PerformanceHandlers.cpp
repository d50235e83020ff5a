#include "panels/performance/PerformanceHandlers.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "devices/IndexedName.h"
#include "devices/mouse/DpiConversion.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "hid/DeviceIdentity.h"
#include "panels/PanelHost.h"
#include "panels/performance/SystemHalves.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"

namespace panels {
namespace {

namespace perfrules = performance;
using devices::COrvaneMouseDevice;

// The index of a name made of the prefix and a decimal number; empty for other names.
std::optional<int> IndexAfterPrefix(std::string_view name, std::string_view prefix, int routed) {
    std::optional<devices::IndexedName> split = devices::SplitIndexedName(name);
    if (!split || !ui::EqualsNoCase(split->prefix, prefix) || name.size() <= prefix.size() ||
        name[prefix.size()] < '0' || name[prefix.size()] > '9')
        return std::nullopt;
    return routed >= 0 ? routed : split->number;
}

bool IsStageIndex(int i) {
    return i >= 0 && i < devices::mouse::kStageCount;
}

COrvaneMouseDevice* AsMouse(devices::COrvaneUSBDevice* device) {
    return dynamic_cast<COrvaneMouseDevice*>(device);
}

// Saves the profile and sends the settings block of onboard profile 0. The result is not
// examined: with the mouse absent the profile is still saved.
void SaveAndSendSettings(COrvaneMouseDevice& mouse) {
    mouse.SaveProfile();
    mouse.WriteSettings(0, 0, 1, 0, 0);
}

// Positions (stage, position) kept in the profile's stage list, grown as needed.
void StoreStagePositions(COrvaneMouseDevice& mouse,
                         const std::vector<std::pair<int, int>>& positions, int growTo = -1) {
    std::vector<profile::DpiStageRecord> stages = mouse.GetStageRecords();
    const devices::mouse::SensorParams sensor = mouse.Sensor();
    devices::mouse::GrowStages(stages, growTo);
    for (const auto& [stage, position] : positions) {
        devices::mouse::GrowStages(stages, stage);
        devices::mouse::StorePosition(sensor, stages[static_cast<size_t>(stage)], position);
    }
    mouse.SetStageRecords(stages);
    SaveAndSendSettings(mouse);
}

void StoreSystemHalf(COrvaneMouseDevice& mouse, perfrules::Half half, int value, bool send) {
    mouse.SetSystemWords(
        perfrules::WithHalf(mouse.GetSystemWords(), half, perfrules::AsHalf(value)));
    if (send)
        SaveAndSendSettings(mouse);
    else
        mouse.SaveProfile();
}

}  // namespace

CPerformanceHandlers::CPerformanceHandlers(IPanelHost& host) : host_(host) {}

bool CPerformanceHandlers::OnSelectChanged(devices::COrvaneUSBDevice* device, int kind,
                                           std::string_view name, int index) {
    if (perfrules::KeyboardSettingOf(name) && kind == hid::kKindKeyboard) {
        KeyboardControl(device, name, index);
        return true;
    }
    COrvaneMouseDevice* mouse = device != nullptr ? AsMouse(device) : nullptr;
    if (auto i = IndexAfterPrefix(name, "DPI_enable_check_", index)) {
        if (mouse == nullptr || !IsStageIndex(*i))
            return true;
        const int on = mouse->IsStageEnableChecked(*i);
        mouse->SetStageEnabled(*i, on != 0);
        std::vector<profile::DpiStageRecord> stages = mouse->GetStageRecords();
        devices::mouse::GrowStages(stages, *i);
        stages[static_cast<size_t>(*i)].enabled = static_cast<uint8_t>(on);
        mouse->SetStageRecords(stages);
        SaveAndSendSettings(*mouse);
        return true;
    }
    if (auto i = IndexAfterPrefix(name, "DPI_select_check_", index)) {
        if (mouse == nullptr || !IsStageIndex(*i))
            return true;
        mouse->SetActiveStage(*i);
        std::vector<std::pair<int, int>> positions;
        for (int j = 0; j < devices::mouse::kStageCount; ++j) {
            // A stage whose slider is missing keeps what it holds rather than taking 0.
            if (!mouse->HasStageSlider(j))
                continue;
            const int p = mouse->GetStagePosition(j);
            mouse->ShowStageValue(j, p);
            positions.emplace_back(j, p);
        }
        StoreStagePositions(*mouse, positions, devices::mouse::kStageCount - 1);
        return true;
    }
    if (auto n = IndexAfterPrefix(name, "mouse_device_seting_option_", index)) {
        if (mouse != nullptr)
            mouse->ShowPerformancePage(*n);
        return true;
    }
    if (ui::EqualsNoCase(name, "pointer_precision_check")) {
        if (mouse != nullptr)
            StoreSystemHalf(*mouse, perfrules::kMousePointerPrecision, mouse->GetPointerPrecision(),
                            false);
        return true;
    }
    if (ui::EqualsNoCase(name, "scrolls_page_check")) {
        if (mouse == nullptr)
            return true;
        const int page = mouse->GetScrollPage();
        const int lines = mouse->GetScrollLines();
        mouse->SetScrollControls(page, lines);
        profile::SystemRecord words = mouse->GetSystemWords();
        words = perfrules::WithHalf(words, perfrules::kMouseScrollPage, perfrules::AsHalf(page));
        words = perfrules::WithHalf(words, perfrules::kMouseScrollLines, perfrules::AsHalf(lines));
        mouse->SetSystemWords(words);
        mouse->SaveProfile();
        return true;
    }
    if (perfrules::KeyboardSettingOf(name) &&
        !IndexAfterPrefix(name, "polling_rate_option_", index))
        return true;  // keyboard controls on another kind's page: nothing to do
    if (mouse == nullptr) {
        return IndexAfterPrefix(name, "polling_rate_option_", index) ||
               IndexAfterPrefix(name, "Silent_Altitude_option_", index) ||
               IndexAfterPrefix(name, "Linear_Calibration_option_", index) ||
               IndexAfterPrefix(name, "Ripple_option_", index);
    }
    return SystemOption(*mouse, kind, name, index);
}

bool CPerformanceHandlers::SystemOption(COrvaneMouseDevice& mouse, int kind, std::string_view name,
                                        int index) {
    struct OptionGroup {
        const char* prefix;
        perfrules::Half half;
        void (COrvaneMouseDevice::*show)(int);
    };
    static constexpr OptionGroup kGroups[] = {
        {"polling_rate_option_", perfrules::kMouseReportRate,
         &COrvaneMouseDevice::SetReportRateOption},
        {"Silent_Altitude_option_", perfrules::kMouseSilentAltitude,
         &COrvaneMouseDevice::SetSilentAltitudeOption},
        {"Linear_Calibration_option_", perfrules::kMouseLinearCalibration,
         &COrvaneMouseDevice::SetLinearCalibrationOption},
        {"Ripple_option_", perfrules::kMouseRipple, &COrvaneMouseDevice::SetRippleOption},
    };
    for (const OptionGroup& group : kGroups) {
        std::optional<int> n = IndexAfterPrefix(name, group.prefix, index);
        if (!n)
            continue;
        if (kind != hid::kKindMouseCable || *n < 0)
            return true;
        (mouse.*group.show)(*n);
        StoreSystemHalf(mouse, group.half, *n, true);
        return true;
    }
    return false;
}

bool CPerformanceHandlers::OnItemSelect(devices::COrvaneUSBDevice* device, int kind,
                                        std::string_view name, int) {
    using Getter = int (*)(COrvaneMouseDevice&);
    struct ComboRow {
        const char* name;
        perfrules::Half half;
        Getter value;
        bool deviceSleep;
    };
    // Combos stored by index, and combos stored by the number in the selected item's data.
    static constexpr ComboRow kCombos[] = {
        {"Anti_Shake_combo_timeSelect", perfrules::kMouseDebounce,
         [](COrvaneMouseDevice& m) { return m.GetDebounceIndex(); }, false},
        {"ble_sleep1_combo", perfrules::kMouseBleSleep1,
         [](COrvaneMouseDevice& m) { return devices::mouse::LeadingNumber(m.GetBleSleep1()); },
         false},
        {"ble_sleep2_combo", perfrules::kMouseBleSleep2,
         [](COrvaneMouseDevice& m) { return devices::mouse::LeadingNumber(m.GetBleSleep2()); },
         false},
        {"device_sleep1_combo", perfrules::kMouseDeviceSleep1,
         [](COrvaneMouseDevice& m) { return devices::mouse::LeadingNumber(m.GetDeviceSleep1()); },
         true},
        {"device_sleep2_combo", perfrules::kMouseDeviceSleep2,
         [](COrvaneMouseDevice& m) { return devices::mouse::LeadingNumber(m.GetDeviceSleep2()); },
         true},
        {"logo_led_mode_combo", perfrules::kMouseLogoLedMode,
         [](COrvaneMouseDevice& m) { return m.GetLogoLedMode(); }, false},
    };
    for (const ComboRow& row : kCombos) {
        if (!ui::EqualsNoCase(name, row.name))
            continue;
        COrvaneMouseDevice* mouse = device != nullptr ? AsMouse(device) : nullptr;
        if (mouse == nullptr || kind != hid::kKindMouseCable)
            return true;
        const int value = row.value(*mouse);
        StoreSystemHalf(*mouse, row.half, value, true);
        // The keep-alive runs at once and re-arms itself from the new sleep times.
        if (row.deviceSleep)
            host_.RestartItemTimer(*device, kKeepAliveTimer, kKeepAliveRestartMs);
        return true;
    }
    return false;
}

bool CPerformanceHandlers::OnValueChanged(devices::COrvaneUSBDevice* device, int kind,
                                          std::string_view name, int index) {
    COrvaneMouseDevice* mouse = device != nullptr ? AsMouse(device) : nullptr;
    if (auto i = IndexAfterPrefix(name, "DPI_slider_", index)) {
        if (mouse == nullptr || !IsStageIndex(*i))
            return true;
        const int p = mouse->GetStagePosition(*i);
        mouse->ShowStageValue(*i, p);
        StoreStagePositions(*mouse, {{*i, p}});
        return true;
    }
    if (ui::EqualsNoCase(name, "pointer_speed_slider")) {
        if (mouse != nullptr)
            StoreSystemHalf(*mouse, perfrules::kMousePointerSpeed, mouse->GetPointerSpeed(), false);
        return true;
    }
    if (ui::EqualsNoCase(name, "double_click_slider")) {
        if (mouse != nullptr)
            StoreSystemHalf(*mouse, perfrules::kMouseDoubleClick, mouse->GetDoubleClickPosition(),
                            false);
        return true;
    }
    if (ui::EqualsNoCase(name, "scroll_speed_slider")) {
        if (mouse == nullptr)
            return true;
        const int lines = mouse->GetScrollLines();
        mouse->SetScrollControls(0, lines);
        profile::SystemRecord words = mouse->GetSystemWords();
        words = perfrules::WithHalf(words, perfrules::kMouseScrollLines, perfrules::AsHalf(lines));
        words = perfrules::WithHalf(words, perfrules::kMouseScrollPage, 0);
        mouse->SetSystemWords(words);
        mouse->SaveProfile();
        return true;
    }
    if (!ui::EqualsNoCase(name, "repeat_rate_slider"))
        return false;
    if (kind == hid::kKindKeyboard)
        KeyboardControl(device, name, index);
    return true;
}

bool CPerformanceHandlers::OnMoveValueChanged(devices::COrvaneUSBDevice* device, int,
                                              std::string_view name, int index) {
    if (auto i = IndexAfterPrefix(name, "DPI_slider_", index)) {
        COrvaneMouseDevice* mouse = device != nullptr ? AsMouse(device) : nullptr;
        if (mouse != nullptr && IsStageIndex(*i))
            mouse->ShowStageValue(*i, mouse->GetStagePosition(*i));
        return true;
    }
    if (auto i = IndexAfterPrefix(name, "kesta_DPI_slider_", index))
        return PairMoved(*i);
    return false;
}

bool CPerformanceHandlers::OnKillFocus(devices::COrvaneUSBDevice* device, int,
                                       std::string_view name, int index) {
    if (auto i = IndexAfterPrefix(name, "DPI_edit_", index)) {
        COrvaneMouseDevice* mouse = device != nullptr ? AsMouse(device) : nullptr;
        if (mouse == nullptr || !IsStageIndex(*i))
            return true;
        const int p = mouse->ParseStageEdit(*i);
        mouse->ShowStageValue(*i, p);
        StoreStagePositions(*mouse, {{*i, p}});
        return true;
    }
    if (auto i = IndexAfterPrefix(name, "kesta_DPI_edit_", index))
        return PairEdited(*i);
    return false;
}

bool CPerformanceHandlers::OnClick(devices::COrvaneUSBDevice* device, int, std::string_view name,
                                   int index) {
    std::optional<int> i = IndexAfterPrefix(name, "DPI_color_option_", index);
    if (!i)
        return false;
    COrvaneMouseDevice* mouse = device != nullptr ? AsMouse(device) : nullptr;
    if (mouse == nullptr || !IsStageIndex(*i))
        return true;
    // Nothing when the palette is open already or the user closed it.
    std::optional<uint32_t> picked = host_.PickColour(mouse->GetStageColour(*i));
    if (!picked)
        return true;
    const uint32_t d = *picked;
    mouse->SetStageColour(*i, d);
    std::vector<profile::DpiStageRecord> stages = mouse->GetStageRecords();
    devices::mouse::GrowStages(stages, *i);
    profile::DpiStageRecord& stage = stages[static_cast<size_t>(*i)];
    stage.red = static_cast<uint8_t>((d >> 16) & 0xFF);
    stage.green = static_cast<uint8_t>((d >> 8) & 0xFF);
    stage.blue = static_cast<uint8_t>(d & 0xFF);
    mouse->SetStageRecords(stages);
    SaveAndSendSettings(*mouse);
    return true;
}

bool CPerformanceHandlers::PairMoved(int index) {
    if (window_ == nullptr)
        return true;
    const std::string n = std::to_string(index);
    auto* slider = dynamic_cast<ui::CSliderUI*>(window_->FindControl("kesta_DPI_slider_" + n));
    auto* edit = dynamic_cast<ui::CEditUI*>(window_->FindControl("kesta_DPI_edit_" + n));
    if (slider != nullptr && edit != nullptr)
        edit->SetText(std::to_string(slider->GetValue()), false);
    return true;
}

bool CPerformanceHandlers::PairEdited(int index) {
    if (window_ == nullptr)
        return true;
    const std::string n = std::to_string(index);
    auto* edit = dynamic_cast<ui::CEditUI*>(window_->FindControl("kesta_DPI_edit_" + n));
    if (edit == nullptr)
        return true;
    const int value =
        std::clamp(devices::mouse::LeadingNumber(edit->GetText()), kPairMinimum, kPairMaximum);
    edit->SetText(std::to_string(value), false);
    if (auto* slider = dynamic_cast<ui::CSliderUI*>(window_->FindControl("kesta_DPI_slider_" + n)))
        slider->SetValue(value, false);
    return true;
}

}  // namespace panels
