#pragma once
// The music window: the four colour styles of the music light, each a name and a colour of
// three sliders (0-9), and which style is current. It edits a copy of the program's music
// settings; EditMusicSettings is how the program opens it. One at a time.
// Threads: window thread only.
#include <optional>
#include <string>

#include "ui/core/WindowImplBase.h"
#include "windows/MusicSettings.h"

namespace windows {

constexpr int kMusicWidth = 369;
constexpr int kMusicHeight = 276;
constexpr int kMusicConfirmed = 1;  // "okbtn"

// Opens the music window over parent at the dialog DPI (trace "SET_WND DPI SET ERROR") with
// a copy of `settings`, centred and modal. The edited settings when the user confirmed;
// nothing when not, or when a music window is open already (that one comes to the front).
std::optional<MusicSettings> EditMusicSettings(ui::HWND parent, int dpi,
                                               const MusicSettings& settings);

// The window itself. Whoever creates it destroys the object after the window has gone.
class CMusicWnd : public ui::WindowImplBase {
  public:
    CMusicWnd();
    ~CMusicWnd() override;

    // The open music window's handle, nullptr when none is open.
    static ui::HWND Current();

    void SetSettings(const MusicSettings& settings) { settings_ = settings; }
    const MusicSettings& GetSettings() const { return settings_; }
    void SetDialogDpi(int dpi);
    int GetDialogDpi() const { return dpi_; }

  protected:
    std::string GetWindowClassName() const override { return "MusicWnd"; }
    std::string GetSkinFile() override { return "music.xml"; }
    void OnClick(ui::TNotifyUI& msg) override;
    ui::LRESULT OnSysCommand(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                             bool& bHandled) override;
    ui::LRESULT HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& bHandled) override;
    void OnFinalMessage(ui::HWND hWnd) override;

  private:
    void OnWindowInit();
    // The style of the first selected tab option (style 0 when none is); empty (and the
    // trace "GetAudioLightInfo control is NULL") when a tab option is missing.
    std::optional<int> SelectedStyle();
    // The sliders show the style's colour; false (and the trace) when a slider is missing.
    bool ShowStyleColour(int style);
    void OnSliderMoved(int channel);
    void OnNameLeft(int style);

    MusicSettings settings_;
    int dpi_ = 96;
};

}  // namespace windows
