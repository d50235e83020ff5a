// The main window's message handling: the table of MainWndMessages.h, the timers, the tray,
// the power notices and the records of other processes.
#include <algorithm>
#include <cstring>
#include <utility>

#include "app/AppMessages.h"
#include "app/AutostartChoice.h"
#include "app/MainWnd.h"
#include "app/TrayMenuPlacement.h"
#include "app/WorkToolRecord.h"
#include "devices/OrvaneUSBDevice.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "panels/keys/KeySetControlUI.h"
#include "platform/InputHook.h"
#include "platform/MessageBus.h"
#include "platform/Trace.h"
#include "ui/controls/ButtonUI.h"
#include "ui/core/Backend.h"
#include "ui/core/MessageModel.h"
#include "ui/shell/MenuWnd.h"
#include "ui/shell/SessionBusBridge.h"

namespace app {

ui::LRESULT CMainWnd::HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                          bool& bHandled) {
    bHandled = false;
    if (uMsg == ui::WM_PAINT && !painted_) {
        // The first paint is done here, so that its end can be told (start-up measurements,
        // the fonts that wait for it).
        painted_ = true;
        ui::LRESULT result = 0;
        m_pm.MessageHandler(uMsg, wParam, lParam, result);
        platform::Trace("MainWnd: first paint");
        if (auto notice = std::exchange(options_.onFirstPaint, nullptr))
            notice();
        bHandled = true;
        return result;
    }
    if (programsChangedMessage_ != 0 && uMsg == programsChangedMessage_) {
        OnProgramsChanged();
        bHandled = true;
        return 0;
    }
    if (uMsg == ui::WM_TIMER && wParam == kTimerProgramRules) {
        ui::KillTimer(m_hWnd, kTimerProgramRules);
        OnProgramsChanged();
        bHandled = true;
        return 0;
    }
    if (uMsg == ui::WM_TIMER && wParam == kTimerScreenshots) {
        ui::KillTimer(m_hWnd, kTimerScreenshots);
        WriteScreenshots();
        return 0;
    }
    if (audio_ && audio_->HandleMessage(uMsg, wParam, lParam))
        return 0;
    std::optional<MessageRow> row = FindMessageRow(messageTable_, uMsg);
    if (!row)
        return 0;
    if (row->gated && awake_ == 0)
        return 0;
    return Dispatch(*row, wParam, lParam, bHandled);
}

ui::LRESULT CMainWnd::Dispatch(const MessageRow& row, ui::WPARAM wParam, ui::LPARAM lParam,
                               bool& bHandled) {
    switch (row.handler) {
        case MsgHandler::Activate:
            windowActive_ = wParam != 0;
            SetPreviewActive(wParam != 0 ? 1 : 0);
            break;
        case MsgHandler::MouseLeave:
            platform::Trace("鼠标移出");
            SetPreviewActive(0);
            break;
        case MsgHandler::MouseHover:
            platform::Trace("鼠标移入");
            SetPreviewActive(1);
            break;
        case MsgHandler::MouseWheel:
            if (setButton_)
                setButton_->SetFocus();
            break;
        case MsgHandler::ProductTitle:
            OnProductTitle(wParam, lParam);
            break;
        case MsgHandler::SettingsForward:
            // Handed on to the settings window while it is open; it is not built yet.
            break;
        case MsgHandler::LightCommand:
            if (wParam == 1 && (lParam == 0 || lParam == 1))
                SetLightControl(static_cast<int>(lParam), false);
            break;
        case MsgHandler::WorkToolQuery:
            AnswerWorkToolQuery();
            break;
        case MsgHandler::Destroy:
            platform::Trace("退出测试");
            ShowWindow(false, false);
            StopThreads();
            if (audio_)
                audio_->Shutdown();
            list_->StopDevices();
            bus_.reset();
            if (options_.quitOnDestroy)
                ui::PostQuitMessage(0);
            bHandled = true;
            break;
        case MsgHandler::Power:
            OnPower(wParam);
            break;
        case MsgHandler::Hook:
            if (OnRecordingHookMessage(row.index, wParam, lParam)) {
                bHandled = true;
                break;
            }
            if (row.index == 0) {  // WM_HOOK_KEY_SINGLEKEY_MSG: a key for the key page
                if (const auto* record =
                        reinterpret_cast<const platform::HookKeyboardRecord*>(lParam))
                    keys_.OnCapturedKey(list_->SelectedDevice(), list_->SelectedKind(),
                                        static_cast<uint32_t>(wParam), record->scanCode,
                                        record->flags);
                bHandled = true;
                break;
            }
            platform::TraceF(
                "MainWnd: hook message %s belongs to the macro recorder, not built yet",
                kHookMessageNames[static_cast<size_t>(row.index)]);
            break;
        case MsgHandler::HookIgnored:
        case MsgHandler::Nothing:
            break;
        case MsgHandler::Game:
            OnGameRequest(wParam, lParam);
            break;
        case MsgHandler::ShowSettingProgress:
            if (ui::CControlUI* progress = FindControl("setting_progress"))
                progress->SetVisible(true);
            break;
        case MsgHandler::Language:
            ApplyLanguage(static_cast<int>(wParam));
            // The key lists beside the pictures and the key panels' texts, in the new language.
            for (devices::COrvaneUSBDevice* device : list_->Mice()) {
                if (auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device))
                    mouse->RefreshKeyNames();
                if (panels::CKeySetControlUI* panel = panels::CKeyHandlers::PanelOf(device);
                    panel && panel->IsVisible())
                    panel->ShowCurrent();
            }
            break;
        case MsgHandler::DeviceAdd:
            upgradePending_ = false;  // the device is present again
            list_->OnDeviceAdd(static_cast<size_t>(wParam));
            RefreshSyncDevices();
            break;
        case MsgHandler::DeviceRemove:
            list_->OnDeviceRemove(static_cast<size_t>(wParam));
            break;
        case MsgHandler::OpenSettings:
            OpenSettings(true);
            break;
        case MsgHandler::ClearSetButtonImage:
            if (auto* button = dynamic_cast<ui::CButtonUI*>(setButton_))
                button->SetForeImage("");
            break;
        case MsgHandler::LinkState:
            list_->OnLinkState(static_cast<int>(wParam), static_cast<int>(lParam));
            break;
        case MsgHandler::ForcedUpgrade:
            OnForcedUpgrade(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
            break;
        case MsgHandler::DeviceInitUI:
            list_->OnDeviceInitUI(static_cast<int>(wParam));
            OnDevicesReady();
            if (screenshotsArmed_ && awake_)
                ui::SetTimer(m_hWnd, kTimerScreenshots, 300);  // let the page lay out first
            break;
        case MsgHandler::TrayIcon:
            OnTrayIcon(lParam);
            break;
        case MsgHandler::InputHook:
            if (wParam == 1)
                hook_.Install(0, panels::hook::kHookSingleKey, m_hWnd, true, true);
            else if (wParam == 0)
                hook_.Remove();
            bHandled = true;
            break;
        case MsgHandler::MenuCommand: {
            auto* command = reinterpret_cast<ui::MenuCmd*>(wParam);
            std::string item = command ? command->szName : std::string();
            if (command)
                m_pm.DeletePtr(command);
            OnMenuCommand(item);
            bHandled = true;
            break;
        }
        case MsgHandler::DpiNotice:
            platform::Trace("界面 DPI 1发生变化");
            break;
        case MsgHandler::DpiChanged: {
            int dpi = static_cast<int>(ui::LOWORD(wParam));
            m_pm.SetDPI(dpi);
            m_pm.ResetDPIAssets();
            dpi_ = m_pm.GetDPI();
            CenterWindow();
            m_pm.NeedUpdate();
            platform::Trace("界面 DPI 发生变化");
            break;
        }
        case MsgHandler::CopyData:
            OnCopyData(wParam, lParam);
            break;
        case MsgHandler::DisplayChange:
            platform::Trace("显示器分辨率发生变化");
            displayChanged_ = true;
            FitDpi();
            break;
        case MsgHandler::Timer:
            OnTimer(wParam);
            break;
    }
    return 0;
}

void CMainWnd::OnTimer(uintptr_t id) {
    switch (id) {
        case kTimerFit:
            ui::KillTimer(m_hWnd, kTimerFit);
            FitDpi();
            m_pm.Invalidate();
            if (audio_)
                audio_->Start();
            break;
        case kTimerTrayMenu:
            ui::KillTimer(m_hWnd, kTimerTrayMenu);
            OpenTrayMenu();
            break;
        case kTimerProfileSelect:
            ui::KillTimer(m_hWnd, kTimerProfileSelect);
            profiles_.Select(list_->SelectedDevice());
            break;
        case kTimerGameLight:
            ui::KillTimer(m_hWnd, kTimerGameLight);
            OnGameLightTimer();
            break;
        default:
            break;
    }
}

void CMainWnd::ApplyLightToDevices(int flag) {
    for (const auto* group : {&list_->Mice(), &list_->Keyboards(), &list_->MousePads()}) {
        for (devices::COrvaneUSBDevice* device : *group)
            device->SetLightControl(flag);
    }
}

void CMainWnd::OnPower(ui::WPARAM event) {
    if (event == kPbtApmResumeAutomatic) {
        awake_ = 1;
        ApplyLightToDevices(lightControl_);
    } else if (event == kPbtApmSuspend) {
        awake_ = 0;
        ApplyLightToDevices(0);
    }
}

void CMainWnd::OnCopyData(ui::WPARAM wParam, ui::LPARAM lParam) {
    const auto* record = reinterpret_cast<const ui::COPYDATASTRUCT*>(lParam);
    if (record == nullptr || record->lpData == nullptr || record->cbData == 0)
        return;
    // Tags 1, 2 and 11 are the audio-capture process's (checked for their sender there).
    if (audio_)
        audio_->OnCopyData(wParam, *record);
}

void CMainWnd::AnswerWorkToolQuery() {
    if (!platform::WindowExists(kWorkToolWindowTitle))
        return;
    auto record = BuildWorkToolRecord(ProgramDeviceTypes());
    std::string_view bytes(reinterpret_cast<const char*>(record.data()), record.size());
    if (!platform::SendCopyData(kWorkToolWindowTitle, kWorkToolRecordTag, bytes))
        platform::Trace("MainWnd: the work tool did not take the device table");
}

void CMainWnd::OnProductTitle(ui::WPARAM wParam, ui::LPARAM lParam) {
    platform::TraceF("软件标示 %d，%xd%xd", static_cast<int>(Messages().productTitle),
                     static_cast<unsigned>(wParam), static_cast<unsigned>(lParam));
    list_->RefreshNoDeviceLayout("Open");
    // The scan's own message (lParam 0) leaves a window started in the tray there; a second
    // start (lParam 1) is the user asking for it.
    if (stayHidden_ && lParam == 0)
        return;
    stayHidden_ = false;
    RaiseWindow();
}

void CMainWnd::OnTrayIcon(ui::LPARAM lParam) {
    if (lParam == ui::WM_LBUTTONUP) {
        stayHidden_ = false;
        list_->RefreshNoDeviceLayout("UIMSG_TRAYICON");
        if (ShownAndNotMinimised()) {
            CloseSubWindows();
            ShowWindow(false, false);
            SetPowerQueryOff(1);
            SetPreviewActive(0);
        } else {
            CloseSubWindows();
            ShowWindow(true, true);
            FitDpi();
            RaiseWindow();
            m_pm.Invalidate();
            m_pm.NeedUpdate();
        }
    } else if (lParam == ui::WM_RBUTTONUP) {
        ui::SetTimer(m_hWnd, kTimerTrayMenu, 10);
    }
}

void CMainWnd::OpenTrayMenu() {
    if (trayMenu_ && ui::IsWindow(trayMenu_))
        ui::SendMessage(trayMenu_, ui::WM_CLOSE, 0, 0);
    trayMenu_ = nullptr;
    ui::Backend& backend = ui::GetBackend();
    TrayMenuPlace place = PlaceTrayMenu(backend.CursorPos(), backend.WorkArea());
    trayMenuChecks_[kAutostartMenuItem] = AutostartChosen();
    ui::CMenuWnd* menu = ui::CMenuWnd::CreateMenu(nullptr, "menu.xml", place.point, &m_pm,
                                                  &trayMenuChecks_, place.alignment);
    if (menu == nullptr) {
        platform::Trace("MainWnd: the tray menu \"menu.xml\" cannot be built");
        return;
    }
    trayMenu_ = menu->GetHWND();
}

void CMainWnd::OpenContextMenu(const std::string& menuFile) {
    const ui::Point cursor = ui::GetBackend().CursorPos();
    if (ui::CMenuWnd::CreateMenu(nullptr, menuFile, {cursor.x, cursor.y}, &m_pm) == nullptr)
        platform::TraceF("MainWnd: the menu \"%s\" cannot be built", menuFile.c_str());
}

bool CMainWnd::OnRecordingHookMessage(int index, ui::WPARAM wParam, ui::LPARAM lParam) {
    // Positions in kHookMessageNames of the recorder's messages, and their hook modes.
    struct RecordingMessage {
        int index;
        int mode;
        bool mouse;
    };
    static constexpr RecordingMessage kRecording[] = {
        {2, 4, false}, {5, 8, false}, {6, 16, false}, {4, 32, false},
        {3, 4, true},  {12, 8, true}, {13, 16, true}, {11, 32, true},
    };
    for (const RecordingMessage& m : kRecording) {
        if (m.index != index || lParam == 0)
            continue;
        const uint32_t message = static_cast<uint32_t>(wParam);
        if (m.mouse) {
            if (m.index == 3)
                platform::Trace("WM_HOOK_KEY_MSMACRO");
            macros_.OnRecordedMouse(list_->SelectedDevice(), m.mode, message,
                                    *reinterpret_cast<const platform::HookMouseRecord*>(lParam));
        } else {
            macros_.OnRecordedKey(list_->SelectedDevice(), m.mode, message,
                                  *reinterpret_cast<const platform::HookKeyboardRecord*>(lParam));
        }
        return true;
    }
    return false;
}

}  // namespace app
