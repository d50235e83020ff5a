#include "panels/shoot/ShootHandlers.h"

#include <array>
#include <optional>
#include <string>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "hid/DeviceIdentity.h"
#include "panels/PanelHost.h"
#include "panels/shoot/ShootControlUI.h"
#include "platform/Trace.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"

namespace panels {
namespace {

bool ShootIsMouse(int kind) {
    return kind == hid::kKindMouseCable || kind == hid::kKindMouseReceiver;
}

bool ShootIs(std::string_view name, const char* control) {
    return ui::EqualsNoCase(name, control);
}

// The decimal index after a prefix (compared without regard to case); nothing otherwise.
std::optional<int> ShootIndexAfter(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 9 ||
        !ui::EqualsNoCase(name.substr(0, prefix.size()), prefix))
        return std::nullopt;
    int value = 0;
    for (char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

constexpr std::array<const char*, 3> kShootEdits = {CShootControlUI::kHorizontalEditName,
                                                    CShootControlUI::kVerticalEditName,
                                                    CShootControlUI::kDelayEditName};

}  // namespace

CShootHandlers::CShootHandlers(IPanelHost& host) : host_(host) {}

CShootControlUI* CShootHandlers::PanelOf(devices::COrvaneUSBDevice* device) {
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device);
    if (mouse == nullptr || mouse->GetManager() == nullptr)
        return nullptr;
    return dynamic_cast<CShootControlUI*>(
        mouse->GetManager()->FindSubControlByName(mouse, devices::kShootPanelName));
}

bool CShootHandlers::OnClick(devices::COrvaneUSBDevice* device, int kind, std::string_view name) {
    static constexpr std::array kButtons = {
        CShootControlUI::kUploadButtonName,   CShootControlUI::kResetButtonName,
        CShootControlUI::kImportButtonName,   CShootControlUI::kExportButtonName,
        CShootControlUI::kPreviousButtonName, CShootControlUI::kNextButtonName,
    };
    bool known = false;
    for (const char* button : kButtons)
        known = known || ShootIs(name, button);
    if (!known)
        return false;
    CShootControlUI* panel = PanelOf(device);
    if (panel == nullptr || !ShootIsMouse(kind))
        return true;
    if (ShootIs(name, CShootControlUI::kUploadButtonName)) {
        Upload(*device);
    } else if (ShootIs(name, CShootControlUI::kResetButtonName)) {
        std::string error;
        if (!panel->ResetSet(panel->CurrentSet(), &error)) {
            platform::TraceF("ShootHandlers: reset: %s", error.c_str());
            host_.ShowKey(kFileErrorMessage);
        }
    } else if (ShootIs(name, CShootControlUI::kImportButtonName)) {
        Import(*panel);
    } else if (ShootIs(name, CShootControlUI::kExportButtonName)) {
        Export(*panel);
    } else if (ShootIs(name, CShootControlUI::kPreviousButtonName)) {
        panel->PreviousBullet();
    } else {
        panel->NextBullet();
    }
    return true;
}

bool CShootHandlers::OnSelectChanged(devices::COrvaneUSBDevice* device, int kind,
                                     std::string_view name, int index) {
    const std::optional<int> set = ShootIndexAfter(name, CShootControlUI::kSetOptionPrefix);
    const std::optional<int> bullet = ShootIndexAfter(name, CShootControlUI::kBulletOptionPrefix);
    const bool horizontal = ShootIs(name, CShootControlUI::kHorizontalCheckName);
    const bool vertical = ShootIs(name, CShootControlUI::kVerticalCheckName);
    if (!set && !bullet && !horizontal && !vertical)
        return false;
    CShootControlUI* panel = PanelOf(device);
    if (panel == nullptr || !ShootIsMouse(kind))
        return true;
    if (horizontal || vertical) {
        if (horizontal)
            panel->ShowHorizontalDirection();
        else
            panel->ShowVerticalDirection();
        // The direction is part of the bullet: kept at once, as the screen shows it.
        Save(*panel);
        return true;
    }
    const int n = index >= 0 ? index : (set ? *set : *bullet);
    if (set) {
        // Only the option that became selected acts.
        if (ui::COptionUI* option = panel->SetOption(n); option != nullptr && !option->IsSelected())
            return true;
        panel->SelectSet(n);
        panel->ShowBullet(panel->CurrentSet(), panel->CurrentBullet());
    } else {
        if (ui::COptionUI* option = panel->BulletOption(n);
            option != nullptr && !option->IsSelected())
            return true;
        panel->SelectBullet(n);
    }
    return true;
}

bool CShootHandlers::OnKillFocus(devices::COrvaneUSBDevice* device, int kind,
                                 std::string_view name) {
    bool known = false;
    for (const char* edit : kShootEdits)
        known = known || ShootIs(name, edit);
    if (!known)
        return false;
    if (CShootControlUI* panel = PanelOf(device); panel != nullptr && ShootIsMouse(kind))
        Save(*panel);
    return true;
}

void CShootHandlers::Upload(devices::COrvaneUSBDevice& device) {
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(&device);
    // Success stays silent; a write that did not happen (link down, an area too large for
    // the mouse, a failed exchange) is told.
    if (mouse == nullptr || mouse->WriteShootData() != 1) {
        platform::Trace("ShootHandlers: the shoot sets were not written to the mouse");
        host_.ShowKey(kUploadFailedMessage);
    }
}

void CShootHandlers::Import(CShootControlUI& panel) {
    const std::string path =
        host_.OpenFileDialog(host_.LanguageText("shoot_import_title"), {kFileFilter});
    if (path.empty())
        return;
    std::string error;
    if (!panel.ImportSet(path, &error)) {
        platform::TraceF("ShootHandlers: import of \"%s\": %s", path.c_str(), error.c_str());
        host_.ShowKey(kFileErrorMessage);
    }
}

void CShootHandlers::Export(CShootControlUI& panel) {
    const std::string path =
        host_.SaveFileDialog(host_.LanguageText("shoot_export_title"), {kFileFilter},
                             "ShootData_" + std::to_string(panel.CurrentSet()) + ".shoot");
    if (path.empty())
        return;
    std::string error;
    if (!panel.ExportSet(path, &error)) {
        platform::TraceF("ShootHandlers: export to \"%s\": %s", path.c_str(), error.c_str());
        host_.ShowKey(kFileErrorMessage);
    }
}

void CShootHandlers::Save(CShootControlUI& panel) {
    std::string error;
    if (!panel.SaveBullet(panel.CurrentSet(), panel.CurrentBullet(), &error) &&
        panel.CurrentBullet() >= 0) {
        platform::TraceF("ShootHandlers: bullet not saved: %s", error.c_str());
        host_.ShowKey(kFileErrorMessage);
    }
}

}  // namespace panels
