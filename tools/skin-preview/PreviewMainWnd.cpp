#include "PreviewMainWnd.h"

#include "ui/controls/LabelUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/core/StringUtil.h"
#include "ui/layout/HorizontalLayoutUI.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/layout/VerticalLayoutUI.h"

namespace preview {

ui::CControlUI* PreviewMainWnd::CreateControl(const std::string& className) {
    // The program's own classes, as plain containers of the same base.
    if (ui::EqualsNoCase(className, "DeviceOption") ||
        ui::EqualsNoCase(className, "OrvaneMouseDevice"))
        return new ui::CHorizontalLayoutUI();
    if (ui::EqualsNoCase(className, "MpDevicePower"))
        return new ui::CVerticalLayoutUI();
    return nullptr;
}

void PreviewMainWnd::AddDevice(const std::string& stem, bool selected, bool synchro) {
    auto* list = dynamic_cast<ui::CContainerUI*>(m_pm.FindControl("device_select_layout"));
    if (list == nullptr)
        return;
    ui::CDialogBuilder builder;
    ui::CControlUI* item =
        builder.Create("XML/CustomControlXML/DeviceOption.xml", "", this, &m_pm, list);
    auto* container = dynamic_cast<ui::CContainerUI*>(item);
    if (container == nullptr)
        return;
    auto* option = dynamic_cast<ui::COptionUI*>(m_pm.FindSubControlByName(item, "device_select"));
    auto* sync =
        dynamic_cast<ui::COptionUI*>(m_pm.FindSubControlByName(item, "synchro_device_select"));
    if (option == nullptr || sync == nullptr)
        return;
    const std::string base = "common/device_ico/" + stem;
    const std::string normal =
        base + (synchro ? "_device_synchro_normal.png" : "_device_normal.png");
    option->SetNormalImage(normal);
    option->SetHotImage(normal);
    option->SetSelectedImage(base +
                             (synchro ? "_device_synchro_selected.png" : "_device_selected.png"));
    option->SetResourceText(true);
    option->SetText(stem + "_device_name_text");
    option->Selected(selected, false);
    sync->Selected(synchro, false);
    sync->SetVisible(pose_ == "sync");  // the program shows it with two devices or more
}

void PreviewMainWnd::AddPower(int level, bool wireless, bool charging) {
    auto* tabs = dynamic_cast<ui::CTabLayoutUI*>(m_pm.FindControl("device_power_switch"));
    if (tabs == nullptr)
        return;
    ui::CDialogBuilder builder;
    ui::CControlUI* item =
        builder.Create("XML/CustomControlXML/MpDevicePower.xml", "", this, &m_pm, tabs);
    if (item == nullptr)
        return;
    if (auto* bar = dynamic_cast<ui::CProgressUI*>(
            m_pm.FindSubControlByName(item, "device_Power_progress")))
        bar->SetValue(100 - level);
    if (ui::CControlUI* value = m_pm.FindSubControlByName(item, "device_power_value"))
        value->SetText(std::to_string(level) + "%");
    if (ui::CControlUI* logo = m_pm.FindSubControlByName(item, "device_wuxian_logo"))
        logo->SetVisible(wireless);
    if (ui::CControlUI* status = m_pm.FindSubControlByName(item, "device_power_status"))
        status->SetBkImage(charging ? "file='power/powering.png'" : "file='power/power.png'");
    tabs->SelectItem(tabs->GetCount() - 1, false);
}

void PreviewMainWnd::Pose() {
    if (pose_ == "nodevice") {
        if (ui::CControlUI* layer = m_pm.FindControl("No_device_Link"))
            layer->SetVisible(true);
        return;
    }
    if (pose_ == "error") {
        if (ui::CControlUI* layer = m_pm.FindControl("Error_device_Link"))
            layer->SetVisible(true);
        return;
    }
    AddDevice("ms", true, pose_ == "sync");
    AddDevice("hard_mp", false, pose_ == "sync");
    AddPower(85, true, false);
    if (pose_ == "empty")
        return;
    auto* pages = dynamic_cast<ui::CTabLayoutUI*>(m_pm.FindControl("device_switch"));
    if (pages == nullptr)
        return;
    ui::CDialogBuilder builder;
    if (builder.Create("XML/DeviceXml/mousedevice.xml", "", this, &m_pm, pages) != nullptr)
        pages->SelectItem(pages->GetCount() - 1, false);
}

}  // namespace preview
