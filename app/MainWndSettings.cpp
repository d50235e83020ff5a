// The main window's settings window and the forced firmware upgrade of old cable mice.
#include "app/LanguageRules.h"
#include "app/MainWnd.h"
#include "app/SubWindows.h"
#include "app/UpdateEntries.h"
#include "app/UpgradeTool.h"
#include "app/devicelist/ListNames.h"
#include "devices/OrvaneUSBDevice.h"
#include "platform/Folders.h"
#include "platform/Log.h"
#include "platform/Process.h"
#include "platform/Trace.h"
#include "ui/core/ControlUI.h"
#include "ui/skin/ResourceManager.h"
#include "windows/MsgWnd.h"
#include "windows/SetWnd.h"

namespace app {

void CMainWnd::OpenSettings(bool centred) {
    if (windows::CSetWnd::Current() != nullptr)
        return;  // one at a time: the open one stays as it is
    windows::SetWndRequest request;
    request.mainWindow = m_hWnd;
    request.dpi = dpi_;
    request.languageIndex = languageIndex_ < 0 ? 0 : languageIndex_;
    request.entries = windows::EntriesWithVersion(BuildUpdateEntries(*list_));
    request.centred = centred;
    request.mainRect = GetWindowRect();
    request.mainDpi = dpi_;
    request.languageConfigPath = options_.dataFolder + kLanguageConfigName;
    request.updateTimePath = platform::UserFolder() + windows::kUpdateTimeFileName;
    request.installerFolder = platform::TempFolder() + windows::kInstallerFolderName;
    request.clock = options_.clock;
    if (!options_.screenshotFolder.empty())
        request.screenshotPath =
            platform::WithTrailingSlash(options_.screenshotFolder) + "settings.png";
    request.onFirstPaint = options_.onSettingsFirstPaint;
    windows::OpenSettingsWindow(std::move(request));
}

void CMainWnd::SuppressMouseChannels(bool suppressed) {
    for (devices::COrvaneUSBDevice* mouse : list_->Mice()) {
        if (mouse != nullptr)
            mouse->Channel().SetSuspended(suppressed);
    }
}

void CMainWnd::OnForcedUpgrade(uint32_t productId, uint32_t version) {
    const std::string folder = UpgradeFolder(options_.programFolder);
    if (version >= kFirstCurrentFirmware) {
        SuppressMouseChannels(false);
        if (ui::CControlUI* noDevice = FindControl(kNoDeviceLayout))
            noDevice->SetVisible(false);
        return;
    }
    platform::TraceF("MainWnd: firmware %04x of product %04x asks for the upgrade", version,
                     productId);
    upgradePending_ = true;
    list_->OnDeviceInitUI(1);  // the no-device-layout flag, the error layout hidden
    if (ui::CControlUI* noDevice = FindControl(kNoDeviceLayout))
        noDevice->SetVisible(true);
    platform::Log("UpdateMacroKbDevice>pNoDeviceLinkLyout    true");

    ui::CResourceManager* texts = ui::CResourceManager::GetInstance();
    const std::string tool = FindUpgradeTool(folder);
    auto toolMissing = [&](const char* what) {
        // No upgrade without the tool: the mouse stays behind the no-device layout, the
        // program goes on with the other devices.
        platform::Log(std::string("UpdateMacroKbDevice>UpgradeTool    ") + what);
        SuppressMouseChannels(true);
        windows::ShowMessage(m_hWnd, texts->GetText("UpdateTiShi"),
                             ToolMissingText(texts->GetText("UpdateToolMissingText"), folder), dpi_,
                             false, windows::kMsgButtonsConfirm);
    };
    if (tool.empty()) {
        toolMissing("missing");
        return;
    }
    const int answer =
        windows::ShowMessage(m_hWnd, texts->GetText("UpdateTiShi"), "UpdateTiShiText", dpi_, true,
                             windows::kMsgButtonsConfirmAndCancel);
    if (answer != 1) {
        // Old firmware: the user updates or leaves the program.
        platform::Trace("MainWnd: the firmware upgrade was declined; the program ends");
        Exit();
        return;
    }
    SuppressMouseChannels(true);
    if (!platform::ShellOpen(tool, kUpgradeToolParameters, folder))
        toolMissing("failed");
}

}  // namespace app
