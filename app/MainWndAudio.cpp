// The main window's link to the audio-capture process of the music light: what the link
// needs of the window (the lighting panels, the first keyboard, the style colour).
#include "app/MainWnd.h"
#include "app/audio/AudioStyleFile.h"
#include "devices/OrvaneUSBDevice.h"
#include "panels/light/LightControlUI.h"
#include "panels/light/LightHandlers.h"
#include "platform/Folders.h"

namespace app {

void CMainWnd::MakeAudioLink() {
    audio::AudioLinkHost host;
    host.window = m_hWnd;
    host.lightPanels = [this] {
        std::vector<ui::CControlUI*> panels;
        for (const auto* group :
             {&list_->Mice(), &list_->Keyboards(), &list_->MousePads(), &list_->Headsets()})
            for (devices::COrvaneUSBDevice* device : *group)
                if (ui::CControlUI* panel = panels::CLightHandlers::PanelOf(device))
                    panels.push_back(panel);
        return panels;
    };
    host.shownLightPanel = [this]() -> ui::CControlUI* {
        ui::CControlUI* panel = panels::CLightHandlers::PanelOf(list_->SelectedDevice());
        return panel && panel->IsVisible() ? panel : nullptr;
    };
    // The keyboards in the order the list made them; the first one takes the music.
    host.firstKeyboard = [this]() -> devices::COrvaneUSBDevice* {
        const auto& keyboards = list_->Keyboards();
        return keyboards.empty() ? nullptr : keyboards.front();
    };
    host.styleColour = [folder = options_.dataFolder] {
        return audio::ReadStyleColour(platform::UserFolder() + "AudioFile.json",
                                      folder + "AudioFile.json");
    };
    audio_ = std::make_unique<audio::AudioLink>(std::move(host), options_.audioProgram);
}

}  // namespace app
