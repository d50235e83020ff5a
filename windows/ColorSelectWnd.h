#pragma once
// The colour palette: a modal dialog in which the user picks one colour from the palette
// control, by typing red, green and blue, from twenty preset colours or from twenty collected
// slots that persist in the colour file (ColorOptionFile.h). Selecting a slot makes the next
// colour change fill it. ShowColourPalette / PickColour are how the program opens it.
// Threads: window thread only.
#include <cstdint>
#include <optional>
#include <string>

#include "ui/core/WindowImplBase.h"
#include "windows/ColorOptionFile.h"

namespace ui {
class CColorPaletteUI;
class COptionUI;
}  // namespace ui

namespace windows {

// How the palette's modal loop ended.
constexpr int kPaletteClosed = 0;     // closed without a choice
constexpr int kPaletteConfirmed = 1;  // "okbtn": the colour is the answer
constexpr int kPaletteMissing = 2;    // "okbtn" while the skin has no palette control
constexpr int kPaletteNotShown = -1;  // a palette is open already, or it could not be made

struct PaletteOutcome {
    int result = kPaletteNotShown;
    uint32_t colour = 0;  // 0xAARRGGBB; meaningful with kPaletteConfirmed
};

// Opens the palette over parent at the dialog DPI (DialogDpi.h, trace "SET_WND DPI SET
// ERROR") showing `initial`, and waits until it ends. While one palette is open another
// request opens nothing (kPaletteNotShown) and brings the open one to the front.
PaletteOutcome ShowColourPalette(ui::HWND parent, int dpi, uint32_t initial);
// The chosen colour when the user confirmed; nothing otherwise.
std::optional<uint32_t> PickColour(ui::HWND parent, int dpi, uint32_t initial);

// The dialog itself. It does not delete itself: whoever creates it destroys the object after
// the window has gone (after ShowModal returns).
class CColorSelectWnd : public ui::WindowImplBase {
  public:
    CColorSelectWnd();
    ~CColorSelectWnd() override;

    // The open palette's handle, nullptr when none is open.
    static ui::HWND Current();

    // Shows the colour (made opaque) in the preview, the palette and the three edits and
    // makes it the current colour.
    void SetColour(uint32_t colour);
    // The preview's colour: what the dialog answers (0 without the preview).
    uint32_t GetColour() const;
    // The multicolour flag: the "7color" option (quietly) and the preview's rainbow image.
    void SetMultiColour(int flag);
    int GetMultiColour() const { return m_multiColour; }
    // Enables "7color" and shows its layout; 0 also clears the option.
    void EnableMultiColour(int flag);
    // The dialog DPI rule; applied to this window's paint manager.
    void SetDialogDpi(int dpi);
    int GetDialogDpi() const { return m_dpi; }

    uint32_t GetCurrentColour() const { return m_colour; }
    int GetSelectedPreset() const { return m_selectedPreset; }
    int GetSelectedSlot() const { return m_selectedSlot; }

    // Where the colour file is read and written; before the window is created. Default: the
    // user folder's copy and the default-data folder's.
    void SetOptionFiles(std::string userPath, std::string defaultPath);

  protected:
    std::string GetWindowClassName() const override { return "ColorSelectWnd"; }
    std::string GetSkinFile() override { return "PalletDialog.xml"; }
    void InitWindow() override;
    void OnClick(ui::TNotifyUI& msg) override;
    ui::LRESULT OnSysCommand(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                             bool& bHandled) override;
    ui::LRESULT HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& bHandled) override;
    void OnFinalMessage(ui::HWND hWnd) override;

  private:
    void OnWindowInit();
    void OnPresetChosen(int n, ui::COptionUI& preset);
    void OnSlotChosen(int n, ui::COptionUI& slot);
    void OnPaletteChanged();
    void OnChannelTyped();
    void OnMultiColourSwitched();
    // What every new current colour does: fill the selected slot, show it, end multicolour.
    void ColourChanged();
    void WriteChannels(uint32_t colour);
    void SavePresets();
    void SaveSlots();
    ui::COptionUI* Preset(int n) const;
    ui::COptionUI* Slot(int n) const;
    ui::COptionUI* MultiColourOption() const;
    void ShowZoomButtons();

    uint32_t m_colour = 0xFF000000;
    int m_selectedPreset = 4;
    int m_selectedSlot = 0;
    int m_multiColour = 0;
    int m_dpi = 96;
    ui::CColorPaletteUI* m_palette = nullptr;
    ui::CControlUI* m_closeBtn = nullptr;
    ui::CControlUI* m_maxBtn = nullptr;
    ui::CControlUI* m_restoreBtn = nullptr;
    ui::CControlUI* m_minBtn = nullptr;
    ui::CControlUI* m_menuBtn = nullptr;
    ui::CControlUI* m_laterBtn = nullptr;
    CColourOptionFile m_file;
    std::string m_userFile;
    std::string m_defaultFile;
};

}  // namespace windows
