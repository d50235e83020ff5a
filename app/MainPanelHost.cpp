#include "app/MainPanelHost.h"

#include "devices/OrvaneUSBDevice.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManager.h"
#include "ui/shell/FileDialog.h"
#include "ui/skin/ResourceManager.h"
#include "windows/ColorSelectWnd.h"
#include "windows/MsgWnd.h"

namespace app {

bool MainPanelHost::Confirm(const std::string& key) {
    return windows::ShowMessage(window_, "", key, dpi_, true,
                                windows::kMsgButtonsConfirmAndCancel) == 1;
}

void MainPanelHost::ShowKey(const std::string& key) {
    windows::ShowMessage(window_, "", key, dpi_, true, windows::kMsgButtonsConfirm);
}

void MainPanelHost::ShowText(const std::string& text) {
    windows::ShowMessage(window_, "", text, dpi_, false, windows::kMsgButtonsConfirm);
}

std::string MainPanelHost::LanguageText(const std::string& key) {
    return ui::CResourceManager::GetInstance()->GetText(key);
}

std::optional<uint32_t> MainPanelHost::PickColour(uint32_t initial) {
    return windows::PickColour(window_, dpi_, initial);
}

std::string MainPanelHost::OpenFileDialog(const std::string& title,
                                          const std::vector<std::string>& filters) {
    return ui::ShowOpenFileDialog(window_, title, filters);
}

std::string MainPanelHost::SaveFileDialog(const std::string& title,
                                          const std::vector<std::string>& filters,
                                          const std::string& fileName) {
    return ui::ShowSaveFileDialog(window_, title, filters, "", fileName);
}

void MainPanelHost::RestartItemTimer(devices::COrvaneUSBDevice& device, int id, uint32_t ms) {
    ui::CControlUI* item = device.GetListItem();
    if (item == nullptr || item->GetManager() == nullptr)
        return;
    ui::CPaintManagerUI* manager = item->GetManager();
    manager->KillTimer(item, static_cast<ui::UINT>(id));
    manager->SetTimer(item, static_cast<ui::UINT>(id), ms);
}

}  // namespace app
