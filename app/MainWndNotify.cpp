// The main window's notification routing: by type, then by control name through the tables
// of MainWndRoutes.h.
#include <cstdlib>
#include <string_view>
#include <utility>

#include "app/AppMessages.h"
#include "app/AutostartChoice.h"
#include "app/DeviceSettingsProgram.h"
#include "app/MainWnd.h"
#include "app/SubWindows.h"
#include "devices/OrvaneUSBDevice.h"
#include "panels/FunctionTabs.h"
#include "panels/keys/KeyHandlers.h"
#include "panels/profiles/DeviceProfileUI.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/Trace.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/ControlUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/StringUtil.h"

namespace app {

void CMainWnd::NotBuilt(const char* kind, const std::string& name, Route route) const {
    // The headset's audio controls need the audio chip's library, which this system lacks:
    // they are only traced.
    if (route == Route::Headset) {
        platform::TraceF("MainWnd: headset %s \"%s\": audio effects are not available here", kind,
                         name.c_str());
        return;
    }
    platform::TraceF("MainWnd: %s \"%s\" belongs to %s, not built yet", kind, name.c_str(),
                     RouteFeature(route));
}

void CMainWnd::Notify(ui::TNotifyUI& msg) {
    const std::string name = msg.pSender ? msg.pSender->GetName() : std::string();
    if (msg.sType != "timer")
        platform::TraceF("%s %s", msg.sType.c_str(), name.c_str());
    // The key page's keyboard text takes keys through the input hook while it has the focus.
    if (std::optional<int> hook = panels::CKeyHandlers::InputHookRequest(msg.sType, name))
        SendMessage(kMsgInputHook, static_cast<ui::WPARAM>(*hook), 0);
    std::optional<RouteHit> hit = FindRoute(NotifyTypeRoutes(), msg.sType);
    if (hit) {
        switch (hit->route) {
            case Route::WindowInit:
                OnWindowInit();
                break;
            case Route::WindowSize:
                if (name == "root" && displayChanged_) {
                    displayChanged_ = false;
                    FitDpi();
                }
                break;
            case Route::Click:
                OnClickNotify(msg);
                break;
            case Route::SelectChanged:
                OnOptionNotify(msg);
                break;
            case Route::ItemSelect:
                OnComboNotify(msg);
                break;
            case Route::ValueChanged:
            case Route::MoveValueChanged:
            case Route::KillFocus:
                OnValueNotify(msg.sType, name, msg.pSender);
                break;
            case Route::ItemActivate:
                macros_.OnItemActivate(list_->SelectedDevice(), list_->SelectedKind(), name);
                break;
            case Route::ColorChanged:
                if (!light_.OnColorChanged(list_->SelectedDevice(), list_->SelectedKind(), name))
                    NotBuilt(msg.sType.c_str(), name, hit->route);
                break;
            case Route::ClickSelectEnd:
                light_.OnClickSelectEnd(list_->SelectedDevice(), list_->SelectedKind(),
                                        msg.pSender);
                break;
            case Route::Quiet:
                break;
            case Route::Swallowed:
                return;  // never passed on
            default:
                NotBuilt(msg.sType.c_str(), name, hit->route);
                break;
        }
    }
    WindowImplBase::Notify(msg);
}

void CMainWnd::OnClick(ui::TNotifyUI&) {
    // Clicks are routed by the notification tables; the base class's own close button
    // handling would end the program where ours only hides the window.
}

void CMainWnd::OnClickNotify(ui::TNotifyUI& msg) {
    ui::CControlUI* sender = msg.pSender;
    if (sender == nullptr)
        return;
    const std::string name = sender->GetName();
    // The title-bar buttons are the very controls found at InitWindow.
    if (sender == minButton_ && minButton_) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_MINIMIZE, 0);
        SetPreviewActive(0);
        return;
    }
    if (sender == maxButton_ && maxButton_) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_MAXIMIZE, 0);
        return;
    }
    if (sender == restoreButton_ && restoreButton_) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);
        return;
    }
    if (sender == skinButton_ && skinButton_) {
        OpenSkinFrame();
        return;
    }
    if (sender == setButton_ && setButton_) {
        OpenSettings(false);
        return;
    }
    std::optional<RouteHit> hit = FindRoute(ClickRoutes(), name);
    if (!hit)
        return;
    switch (hit->route) {
        case Route::CloseButton:
            CloseSubWindows();
            ShowWindow(false, false);
            SetPowerQueryOff(1);
            SetPreviewActive(0);
            break;
        case Route::HideWindow:
            ShowWindow(false, false);
            SetPreviewActive(0);
            break;
        case Route::ReconnectSelected: {
            int kind = list_->SelectedKind();
            if (kind == 2 || kind == 6)
                platform::Trace(
                    "MainWnd: re-initialising the mouse belongs to its settings writing, not built "
                    "yet");
            break;
        }
        case Route::LightControlToggle:
            SetLightControl(lightControl_ ? 0 : 1, true);
            break;
        case Route::WindowDeviceSet:
            OpenDeviceSettings(hit->index);
            break;
        case Route::DeviceSelectPrev:
            list_->SelectPrevious();
            break;
        case Route::DeviceSelectNext:
            list_->SelectNext();
            break;
        case Route::ProfileFiles:
            OnProfileClick(name);
            break;
        case Route::Performance:
            performance_.OnClick(list_->SelectedDevice(), list_->SelectedKind(), name, hit->index);
            break;
        case Route::ProfileReset:
            profiles_.ResetDevice(list_->SelectedDevice());
            break;
        case Route::KeyboardRepeatReset:
            performance_.OnRepeatReset(list_->SelectedDevice(), list_->SelectedKind());
            break;
        case Route::ProfileMenuToggle:
            profiles_.ToggleMenu(list_->SelectedDevice());
            break;
        case Route::ProgramLinks:
            if (links_)
                links_->OnClick(list_->SelectedDevice(), name);
            break;
        case Route::KeyPanel:
            keys_.OnClick(list_->SelectedDevice(), list_->SelectedKind(), name, hit->index);
            break;
        case Route::MacroPanel:
            macros_.OnClick(list_->SelectedDevice(), list_->SelectedKind(), name);
            break;
        case Route::ShootPanel:
            shoot_.OnClick(list_->SelectedDevice(), list_->SelectedKind(), name);
            break;
        case Route::MusicWindow:
            OpenMusicWindow();
            break;
        case Route::Lighting:
            // The same-mode button is the light synchronisation's.
            if (ui::EqualsNoCase(name, "deng_same_mode"))
                OnSameMode();
            else if (!light_.OnClick(list_->SelectedDevice(), list_->SelectedKind(), name))
                NotBuilt("click", name, hit->route);
            break;
        default:
            NotBuilt("click", name, hit->route);
            break;
    }
}

void CMainWnd::OnProfileClick(const std::string& name) {
    using Handler = void (panels::ProfileHandlers::*)(devices::COrvaneUSBDevice*);
    static constexpr std::pair<std::string_view, Handler> kButtons[] = {
        {"device_add_btn", &panels::ProfileHandlers::Add},
        {"device_sub_btn", &panels::ProfileHandlers::Delete},
        {"device_export_btn", &panels::ProfileHandlers::Export},
        {"device_import_btn", &panels::ProfileHandlers::Import},
        {"device_copy_btn", &panels::ProfileHandlers::Copy},
        {"device_reset_btn", &panels::ProfileHandlers::ResetProfile},
        {"device_profile_edit_save_btn", &panels::ProfileHandlers::Rename},
    };
    for (const auto& [button, handler] : kButtons) {
        if (ui::EqualsNoCase(name, button)) {
            (profiles_.*handler)(list_->SelectedDevice());
            return;
        }
    }
}

void CMainWnd::OnFunctionTab(const std::string& name) {
    devices::COrvaneUSBDevice* device = list_->SelectedDevice();
    std::optional<int> page = panels::PageOfTab(name);
    if (device == nullptr || !page)
        return;
    device->ShowFunctionPage(*page);
    if (panels::CDeviceProfileUI* profiles = panels::ProfileHandlers::PanelOf(device))
        profiles->SelectTab(*page);
}

void CMainWnd::OpenDeviceSettings(int index) {
    const char* path = std::getenv("PATH");
    std::optional<SettingsProgram> program =
        FindDeviceSettingsProgram(index, path ? std::string(path) : std::string());
    if (!program) {
        platform::TraceF("MainWnd: no %s settings program is installed", index == 0   ? "keyboard"
                                                                         : index == 1 ? "mouse"
                                                                                      : "such");
        return;
    }
    // Starting a program does not wait for it: no worker thread is needed.
    if (!platform::ShellOpen(program->program, program->parameters, std::string()))
        platform::TraceF("MainWnd: \"%s\" did not start", program->program.c_str());
}

void CMainWnd::OnOptionNotify(ui::TNotifyUI& msg) {
    if (msg.pSender == nullptr)
        return;
    const std::string name = msg.pSender->GetName();
    if (audio_ && audio_->OnSelectChanged(name, msg.pSender))
        return;
    std::optional<RouteHit> hit = FindRoute(OptionRoutes(), name);
    if (!hit)
        return;
    if (hit->route == Route::DeviceSelect) {
        list_->OnDeviceSelectChanged();
        return;
    }
    if (hit->route == Route::ProgramLinks) {
        if (links_)
            links_->OnOption(list_->SelectedDevice(), name);
        return;
    }
    if (hit->route == Route::FunctionTab) {
        // A tab the program selects raises nothing; one the user leaves raises unselected.
        if (auto* option = dynamic_cast<ui::COptionUI*>(msg.pSender);
            option && option->IsSelected())
            OnFunctionTab(name);
        return;
    }
    if (hit->route == Route::Performance) {
        performance_.OnSelectChanged(list_->SelectedDevice(), list_->SelectedKind(), name,
                                     hit->index);
        return;
    }
    if (hit->route == Route::KeyPanel) {
        keys_.OnSelectChanged(list_->SelectedDevice(), list_->SelectedKind(), name, hit->index);
        return;
    }
    if (hit->route == Route::ShootPanel) {
        shoot_.OnSelectChanged(list_->SelectedDevice(), list_->SelectedKind(), name, hit->index);
        return;
    }
    if (hit->route == Route::Lighting &&
        light_.OnSelectChanged(list_->SelectedDevice(), list_->SelectedKind(), name))
        return;
    NotBuilt("option", name, hit->route);
}

void CMainWnd::OnValueNotify(const std::string& type, const std::string& name,
                             ui::CControlUI* sender) {
    devices::COrvaneUSBDevice* device = list_->SelectedDevice();
    const int kind = list_->SelectedKind();
    bool handled = false;
    if (type == "valuechanged")
        handled = performance_.OnValueChanged(device, kind, name) ||
                  light_.OnValueChanged(device, kind, name) ||
                  (audio_ && audio_->OnValueChanged(name, sender));
    else if (type == "movevaluechanged")
        handled = performance_.OnMoveValueChanged(device, kind, name);
    else if (type == "killfocus")
        handled =
            performance_.OnKillFocus(device, kind, name) || keys_.OnKillFocus(device, kind, name) ||
            macros_.OnKillFocus(device, kind, name) || shoot_.OnKillFocus(device, kind, name) ||
            light_.OnKillFocus(device, kind, name) ||
            panels::CKeyHandlers::InputHookRequest(type, name).has_value();
    if (!handled && !name.empty())
        platform::TraceF("MainWnd: %s \"%s\" has no handler here", type.c_str(), name.c_str());
}

void CMainWnd::OnComboNotify(ui::TNotifyUI& msg) {
    if (msg.pSender == nullptr)
        return;
    const std::string name = msg.pSender->GetName();
    std::optional<RouteHit> hit = FindRoute(ComboRoutes(), name);
    if (!hit)
        return;
    if (hit->route == Route::ProfileCombo) {
        // A further choice within the delay starts it again.
        ui::KillTimer(m_hWnd, kTimerProfileSelect);
        ui::SetTimer(m_hWnd, kTimerProfileSelect, panels::ProfileHandlers::kSelectDelayMs);
        return;
    }
    if (hit->route == Route::ProgramLinks) {
        if (links_)
            links_->OnCombo(list_->SelectedDevice(), name);
        return;
    }
    if (hit->route == Route::Performance) {
        performance_.OnItemSelect(list_->SelectedDevice(), list_->SelectedKind(), name, hit->index);
        return;
    }
    if (hit->route == Route::KeyPanel) {
        keys_.OnItemSelect(list_->SelectedDevice(), list_->SelectedKind(), name);
        return;
    }
    if (hit->route == Route::MacroPanel) {
        macros_.OnItemSelect(list_->SelectedDevice(), list_->SelectedKind(), name);
        return;
    }
    if (hit->route == Route::Lighting &&
        light_.OnItemSelect(list_->SelectedDevice(), list_->SelectedKind(), name))
        return;
    NotBuilt("combo", name, hit->route);
}

void CMainWnd::OnMenuCommand(const std::string& item) {
    // The macro page's event-row menu.
    if (macros_.OnMenuCommand(list_->SelectedDevice(), list_->SelectedKind(), item))
        return;
    std::optional<RouteHit> hit = FindRoute(MenuRoutes(), item);
    if (!hit) {
        platform::TraceF("MainWnd: the menu item \"%s\" has no handler here", item.c_str());
        return;
    }
    if (hit->route == Route::MenuExit) {
        Exit();
        return;
    }
    if (hit->route == Route::MenuAutostart) {
        bool on = !AutostartChosen();
        if (!ChooseAutostart(on, platform::ExecutableFolder() + "t418-zen"))
            platform::Trace("MainWnd: the session start could not be changed");
        return;
    }
    if (hit->route == Route::MenuAbout) {
        OpenAboutWindow(m_hWnd, dpi_);
        return;
    }
    if (hit->route == Route::MenuSettings) {
        OpenSettings(true);
        return;
    }
    NotBuilt("menu item", item, hit->route);
}

}  // namespace app
