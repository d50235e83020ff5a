// The main window's side of the light synchronisation: the thread of entry 8, the device
// snapshot it plays on, the same-mode button and the game requests with timer 1066.
#include "app/MainWnd.h"
#include "devices/OrvaneUSBDevice.h"
#include "panels/sync/SameMode.h"
#include "platform/Trace.h"
#include "ui/core/MessageModel.h"

namespace app {
namespace {

// Entry 8: the thread with the shared state it reads, so that a thread that outlives its
// wait at shutdown still has it.
class LightSyncEntry : public ThreadEntry {
  public:
    explicit LightSyncEntry(std::shared_ptr<panels::sync::LightSyncShared> shared)
        : thread_(std::move(shared)) {}
    bool Start() { return thread_.Start(); }
    void RequestStop() override { thread_.RequestStop(); }
    bool Join(uint32_t timeoutMs) override { return thread_.Join(timeoutMs); }

  private:
    panels::sync::LightSyncThread thread_;
};

}  // namespace

void CMainWnd::StartLightSync() {
    auto entry = std::make_shared<LightSyncEntry>(lightSync_);
    if (entry->Start())
        threads_.Set(kLightSyncEntry, entry);
    else
        platform::Trace("MainWnd: the light synchronisation thread did not start");
}

void CMainWnd::RefreshSyncDevices() {
    std::vector<devices::COrvaneUSBDevice*> all;
    for (const auto* group :
         {&list_->Mice(), &list_->Keyboards(), &list_->MousePads(), &list_->Headsets()})
        all.insert(all.end(), group->begin(), group->end());
    lightSync_->SetDevices(std::move(all));
}

void CMainWnd::OnSameMode() {
    devices::COrvaneUSBDevice* source = list_->SelectedDevice();
    if (source == nullptr)
        return;
    const panels::sync::SameModeLists lists{list_->Keyboards(), list_->Mice(), list_->MousePads(),
                                            list_->Headsets()};
    panels::sync::ApplySameMode(*source, lists, *lightSync_, {screenWidth_, screenHeight_});
}

void CMainWnd::OnGameRequest(ui::WPARAM kind, ui::LPARAM position) {
    gameLight_.OnRequest(list_->SelectedDevice(), kind, position, {screenWidth_, screenHeight_});
    // Every request, even one that changed nothing, restarts the restore's five seconds.
    ui::SetTimer(m_hWnd, kTimerGameLight, panels::sync::GameLight::kRestoreDelayMs);
}

void CMainWnd::OnGameLightTimer() {
    gameLight_.Restore({screenWidth_, screenHeight_});
}

}  // namespace app
