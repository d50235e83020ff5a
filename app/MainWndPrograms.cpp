// The main window's part in profiles that follow programs: the program watcher, whose thread
// posts a registered message here on every change, the follower that decides and switches,
// its deferred looks (timer 1088) and the linked-programs strip's handlers.
#include "app/MainWnd.h"
#include "devices/OrvaneUSBDevice.h"
#include "panels/profiles/UploadGate.h"
#include "platform/MessageBus.h"
#include "platform/Trace.h"
#include "ui/core/MessageModel.h"

namespace app {

std::vector<devices::COrvaneUSBDevice*> CMainWnd::AllDevices() const {
    std::vector<devices::COrvaneUSBDevice*> all;
    for (const auto* group :
         {&list_->Mice(), &list_->Keyboards(), &list_->MousePads(), &list_->Headsets()})
        all.insert(all.end(), group->begin(), group->end());
    return all;
}

void CMainWnd::StartProgramWatch() {
    watcher_ = options_.makeProcessWatcher ? options_.makeProcessWatcher()
                                           : platform::MakeProcessWatcher();
    panels::ProgramFollower::Hooks hooks;
    hooks.nowMs = platform::SteadyMs;
    hooks.lookAgainIn = [this](uint32_t delayMs) {
        ui::SetTimer(m_hWnd, kTimerProgramRules, delayMs);
    };
    // A game's light effect restores the previous profile's mode when timer 1066 fires; after
    // a switch that restore would land on the new profile.
    hooks.beforeSwitch = [this] { ui::KillTimer(m_hWnd, kTimerGameLight); };
    // Unsaved key changes or a recording that holds the input hook would be thrown away by a
    // switch (the key panel is reset): it waits like one during an upload.
    hooks.uploading = [this] { return panels::UploadGate::Busy() || savedState_ == 0; };
    hooks.afterSwitch = [this](devices::COrvaneUSBDevice* device) {
        if (links_)
            links_->Refresh(device);
    };
    follower_ = std::make_unique<panels::ProgramFollower>(profiles_, panelHost_, *watcher_,
                                                          std::move(hooks));
    links_ = std::make_unique<panels::ProgramLinkHandlers>(panelHost_, watcher_.get(),
                                                           [this] { OnProgramsChanged(); });
    profiles_.SetUserSelectObserver([this](devices::COrvaneUSBDevice* device) {
        if (follower_)
            follower_->UserSelected(device);
        if (links_)
            links_->Refresh(device);
    });
    programsChangedMessage_ = platform::RegisterMessage(kProgramsChangedMessageName);
    if (programsChangedMessage_ == 0) {
        platform::Trace("MainWnd: no message for program changes; profiles follow no program");
        return;
    }
    const bool started = watcher_->Start([window = m_hWnd, message = programsChangedMessage_] {
        ui::PostMessage(window, message, 0, 0);
    });
    if (!started)
        platform::Trace("MainWnd: the program watcher did not start");
}

void CMainWnd::OnProgramsChanged() {
    if (!follower_)
        return;
    if (awake_ == 0) {
        // Asleep: nothing is written to the devices; look again later.
        ui::SetTimer(m_hWnd, kTimerProgramRules, 2000);
        return;
    }
    follower_->Update(AllDevices());
}

void CMainWnd::OnDevicesReady() {
    if (!follower_)
        return;
    for (devices::COrvaneUSBDevice* device : AllDevices()) {
        if (device->GetManager() != nullptr)
            follower_->DeviceReady(device);
    }
}

}  // namespace app
