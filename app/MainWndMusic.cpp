// The main window's music settings: the user's audio file, loaded at start-up (a missing one
// is made from the factory copy), and the music window, whose confirmed settings are sent to
// the audio-capture process, kept and written back.
#include "app/MainWnd.h"
#include "app/audio/AudioSend.h"
#include "platform/Folders.h"
#include "platform/Trace.h"
#include "windows/MusicSettings.h"
#include "windows/MusicWnd.h"

namespace app {

void CMainWnd::LoadMusicSettings() {
    audioLightInfo_ = windows::LoadUserAudioFile(platform::UserFolder() + windows::kAudioFileName,
                                                 options_.dataFolder + windows::kAudioFileName);
    if (!audioLightInfo_.isObject())
        audioLightInfo_ = Json::Value(Json::objectValue);
}

void CMainWnd::OpenMusicWindow() {
    const windows::MusicSettings current = windows::MusicSettingsFromJson(audioLightInfo_);
    std::optional<windows::MusicSettings> edited =
        windows::EditMusicSettings(m_hWnd, dpi_, current);
    if (!edited)
        return;
    const auto& colour = edited->colours[static_cast<size_t>(edited->style)];
    audio::SendStyleColour(colour[0], colour[1], colour[2]);
    windows::StoreMusicSettings(*edited, audioLightInfo_);
    if (!windows::WriteUserAudioFile(platform::UserFolder() + windows::kAudioFileName,
                                     options_.dataFolder + windows::kAudioFileName,
                                     audioLightInfo_))
        platform::Trace("MainWnd: the audio file cannot be written");
}

}  // namespace app
