#include "windows/ColorSelectWnd.h"

#include <memory>
#include <string_view>

#include "platform/Folders.h"
#include "ui/controls/ColorPaletteUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/ControlUI.h"
#include "ui/core/StringUtil.h"
#include "windows/AboutWnd.h"
#include "windows/ColorOptionChannels.h"
#include "windows/DialogDpi.h"
#include "windows/DpiChange.h"

namespace windows {

namespace {

CColorSelectWnd* g_openPalette = nullptr;  // the one open palette (window thread only)

constexpr ui::DWORD kPaletteStyle = ui::WS_POPUP | ui::WS_VISIBLE;
constexpr ui::DWORD kPaletteExStyle = ui::WS_EX_TOOLWINDOW;

constexpr char kPresetPrefix[] = "color_option_";
constexpr char kSlotPrefix[] = "collect_color_option_";
constexpr char kShowButton[] = "color_show_btn";
constexpr char kMultiColour[] = "7color";
constexpr char kMultiColourLayout[] = "7color_layout";
constexpr char kMultiColourImage[] = "common/base1.png";
constexpr const char* kChannelEdits[] = {"color_edit_r", "color_edit_g", "color_edit_b"};

// n of a control named prefix + n (n from 0 to 19, decimal digits only).
std::optional<int> IndexAfter(std::string_view name, std::string_view prefix) {
    if (!ui::StartsWithNoCase(name, prefix))
        return std::nullopt;
    std::string_view digits = name.substr(prefix.size());
    if (digits.empty() || digits.size() > 2)
        return std::nullopt;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n < kColourOptionCount ? std::optional<int>(n) : std::nullopt;
}

ui::COptionUI* AsOption(ui::CControlUI* control) {
    return control != nullptr ? static_cast<ui::COptionUI*>(control->GetInterface("Option"))
                              : nullptr;
}

}  // namespace

PaletteOutcome ShowColourPalette(ui::HWND parent, int dpi, uint32_t initial) {
    if (g_openPalette != nullptr) {
        g_openPalette->ShowWindow(true, true);
        return PaletteOutcome{};
    }
    auto palette = std::make_unique<CColorSelectWnd>();
    if (palette->Create(parent, "PalletDialog", kPaletteStyle, kPaletteExStyle, 0, 0, 800, 572) ==
        nullptr)
        return PaletteOutcome{};
    palette->SetDialogDpi(dpi);
    palette->SetColour(initial);
    palette->EnableMultiColour(0);
    palette->CenterWindow();
    PaletteOutcome outcome;
    outcome.result = static_cast<int>(palette->ShowModal());
    // Ended otherwise than by its own buttons (a quit message, the owner going): no choice.
    if (outcome.result != kPaletteConfirmed && outcome.result != kPaletteMissing)
        outcome.result = kPaletteClosed;
    outcome.colour = palette->GetCurrentColour();
    return outcome;
}

std::optional<uint32_t> PickColour(ui::HWND parent, int dpi, uint32_t initial) {
    PaletteOutcome outcome = ShowColourPalette(parent, dpi, initial);
    if (outcome.result != kPaletteConfirmed)
        return std::nullopt;
    return outcome.colour;
}

CColorSelectWnd::CColorSelectWnd() {
    AddNotifyHandler("windowinit", [this](ui::TNotifyUI&) { OnWindowInit(); });
    AddNotifyHandler("selectchanged", [this](ui::TNotifyUI& msg) {
        ui::COptionUI* option = AsOption(msg.pSender);
        if (option == nullptr)
            return;
        const std::string name = option->GetName();
        if (std::optional<int> n = IndexAfter(name, kPresetPrefix))
            OnPresetChosen(*n, *option);
        else if (std::optional<int> m = IndexAfter(name, kSlotPrefix))
            OnSlotChosen(*m, *option);
    });
    AddNotifyHandler("colorchanged", "Pallet", [this](ui::TNotifyUI&) { OnPaletteChanged(); });
    // Leaving an edit takes what was typed; so does Return, without leaving it.
    auto typed = [this](ui::TNotifyUI& msg) {
        if (msg.pSender == nullptr)
            return;
        for (const char* edit : kChannelEdits) {
            if (ui::EqualsNoCase(msg.pSender->GetName(), edit)) {
                OnChannelTyped();
                return;
            }
        }
    };
    AddNotifyHandler("killfocus", typed);
    AddNotifyHandler("return", typed);
    AddNotifyHandler("checkclick", kMultiColour,
                     [this](ui::TNotifyUI&) { OnMultiColourSwitched(); });
}

CColorSelectWnd::~CColorSelectWnd() {
    if (g_openPalette == this)
        g_openPalette = nullptr;
}

ui::HWND CColorSelectWnd::Current() {
    return g_openPalette != nullptr ? g_openPalette->GetHWND() : nullptr;
}

void CColorSelectWnd::SetOptionFiles(std::string userPath, std::string defaultPath) {
    m_userFile = std::move(userPath);
    m_defaultFile = std::move(defaultPath);
}

void CColorSelectWnd::InitWindow() {
    g_openPalette = this;
    m_palette = dynamic_cast<ui::CColorPaletteUI*>(m_pm.FindControl("Pallet"));
    m_closeBtn = m_pm.FindControl("closebtn");
    m_maxBtn = m_pm.FindControl("maxbtn");
    m_restoreBtn = m_pm.FindControl("restorebtn");
    m_minBtn = m_pm.FindControl("minbtn");
    m_menuBtn = m_pm.FindControl("menubtn");
    m_laterBtn = m_pm.FindControl("laterbtn");
}

ui::COptionUI* CColorSelectWnd::Preset(int n) const {
    return AsOption(m_pm.FindControl(kPresetPrefix + std::to_string(n)));
}

ui::COptionUI* CColorSelectWnd::Slot(int n) const {
    return AsOption(m_pm.FindControl(kSlotPrefix + std::to_string(n)));
}

ui::COptionUI* CColorSelectWnd::MultiColourOption() const {
    return AsOption(m_pm.FindControl(kMultiColour));
}

void CColorSelectWnd::SetColour(uint32_t colour) {
    // An alpha of 0 would leave the preview unpainted: the dialog's colours are opaque.
    colour |= 0xFF000000u;
    if (ui::CControlUI* show = m_pm.FindControl(kShowButton)) {
        show->SetBkImage("");
        show->SetBkColor(colour);
        show->Invalidate();
    }
    if (m_palette != nullptr)
        m_palette->SetSelectColor(colour, false);
    m_colour = colour;
    WriteChannels(colour);
}

uint32_t CColorSelectWnd::GetColour() const {
    ui::CControlUI* show = m_pm.FindControl(kShowButton);
    return show != nullptr ? show->GetBkColor() : 0;
}

void CColorSelectWnd::SetMultiColour(int flag) {
    m_multiColour = flag;
    if (ui::COptionUI* option = MultiColourOption())
        option->Selected(flag != 0, false);
    if (ui::CControlUI* show = m_pm.FindControl(kShowButton))
        show->SetBkImage(flag != 0 ? kMultiColourImage : "");
}

void CColorSelectWnd::EnableMultiColour(int flag) {
    if (ui::COptionUI* option = MultiColourOption()) {
        option->SetEnabled(flag != 0);
        if (flag == 0)
            option->Selected(false, false);
    }
    if (ui::CControlUI* layout = m_pm.FindControl(kMultiColourLayout))
        layout->SetVisible(flag != 0);
}

void CColorSelectWnd::SetDialogDpi(int dpi) {
    DpiChoice choice = windows::SetDialogDpi(m_dpi, dpi, "SET_WND DPI SET ERROR");
    if (!choice.apply)
        return;
    m_dpi = choice.dpi;
    m_pm.SetDPI(m_dpi);
}

void CColorSelectWnd::WriteChannels(uint32_t colour) {
    const int channels[] = {RedOf(colour), GreenOf(colour), BlueOf(colour)};
    for (int i = 0; i < 3; ++i) {
        if (auto* edit = dynamic_cast<ui::CEditUI*>(m_pm.FindControl(kChannelEdits[i])))
            edit->SetText(std::to_string(channels[i]), false);
    }
}

void CColorSelectWnd::OnWindowInit() {
    // Found only now: finding the user folder creates it.
    if (m_userFile.empty()) {
        m_userFile = platform::UserFolder() + kColourOptionFileName;
        m_defaultFile = platform::DefaultDataFolder() + kColourOptionFileName;
    }
    m_file.Load(m_userFile, m_defaultFile);
    SetColour(m_colour);
    SetMultiColour(m_multiColour);
    // The presets keep the skin's colours; only the last choice is remembered.
    if (std::optional<int> preset = m_file.PresetSelection())
        m_selectedPreset = *preset;
    for (int n = 0; n < kColourOptionCount; ++n) {
        ui::COptionUI* option = Slot(n);
        std::optional<ColourSlot> stored = m_file.Slot(n);
        if (option == nullptr)
            continue;
        // No slot starts selected: a colour change must not fill one the user did not pick.
        option->Selected(false, false);
        if (!stored)
            continue;
        option->SetUserData(stored->userData);
        // An empty slot keeps the skin's look of an empty slot.
        if (stored->IsFilled()) {
            option->SetBkColor(stored->colour);
            option->SetSelectedBkColor(stored->colour);
            option->SetBorderSize(0);
        }
    }
    m_selectedSlot = -1;
}

void CColorSelectWnd::SavePresets() {
    for (int n = 0; n < kColourOptionCount; ++n) {
        if (ui::COptionUI* option = Preset(n))
            m_file.SetPresetColour(n, option->GetBkColor());
    }
    m_file.SetPresetSelection(m_selectedPreset);
    m_file.Save();
}

void CColorSelectWnd::SaveSlots() {
    for (int n = 0; n < kColourOptionCount; ++n) {
        if (ui::COptionUI* option = Slot(n))
            m_file.SetSlot(n, ColourSlot{option->GetBkColor(), option->GetUserData()});
    }
    m_file.SetSlotSelection(m_selectedSlot);
    m_file.Save();
}

void CColorSelectWnd::ColourChanged() {
    ui::COptionUI* slot = m_selectedSlot >= 0 ? Slot(m_selectedSlot) : nullptr;
    if (slot != nullptr && slot->IsSelected()) {
        slot->SetBkColor(m_colour);
        slot->SetSelectedBkColor(m_colour);
        slot->Selected(true, true);
        slot->SetUserData(kFilledSlotMark);
        slot->SetBorderSize(0);
        SaveSlots();
    }
    if (ui::CControlUI* show = m_pm.FindControl(kShowButton))
        show->SetBkColor(m_colour);
    SetMultiColour(0);
}

void CColorSelectWnd::OnPresetChosen(int n, ui::COptionUI& preset) {
    m_selectedPreset = n;
    SavePresets();
    m_colour = preset.GetBkColor();
    if (m_palette != nullptr)
        m_palette->SetSelectColor(m_colour, false);
    ColourChanged();
    WriteChannels(m_colour);
}

void CColorSelectWnd::OnSlotChosen(int n, ui::COptionUI& slot) {
    m_selectedSlot = n;
    if (slot.GetUserData() != kFilledSlotMark)
        return;  // an empty slot waits for the next colour change
    SaveSlots();
    const uint32_t colour = slot.GetBkColor();
    // Shown and answered, but the current colour stays: the next change fills this slot.
    if (ui::CControlUI* show = m_pm.FindControl(kShowButton))
        show->SetBkColor(colour);
    SetMultiColour(0);
    if (m_palette != nullptr)
        m_palette->SetSelectColor(colour, false);
    WriteChannels(colour);
}

void CColorSelectWnd::OnPaletteChanged() {
    if (m_palette == nullptr)
        return;
    m_colour = m_palette->GetSelectColor();
    ColourChanged();
    WriteChannels(m_colour);
}

void CColorSelectWnd::OnChannelTyped() {
    int channels[] = {RedOf(m_colour), GreenOf(m_colour), BlueOf(m_colour)};
    for (int i = 0; i < 3; ++i) {
        auto* edit = dynamic_cast<ui::CEditUI*>(m_pm.FindControl(kChannelEdits[i]));
        if (edit == nullptr)
            continue;  // a channel without its edit keeps its value
        TypedChannel typed = ReadTypedChannel(edit->GetText());
        if (typed.corrected)
            edit->SetText(typed.text, false);
        channels[i] = typed.value;
    }
    m_colour = OpaqueColour(channels[0], channels[1], channels[2]);
    if (m_palette != nullptr)
        m_palette->SetSelectColor(m_colour, false);
    ColourChanged();
}

void CColorSelectWnd::OnMultiColourSwitched() {
    ui::COptionUI* option = MultiColourOption();
    m_multiColour = option != nullptr && option->IsSelected() ? 1 : 0;
    if (ui::CControlUI* show = m_pm.FindControl(kShowButton))
        show->SetBkImage(m_multiColour != 0 ? kMultiColourImage : "");
}

void CColorSelectWnd::OnClick(ui::TNotifyUI& msg) {
    if (msg.pSender == nullptr)
        return;
    const std::string name = msg.pSender->GetName();
    if (msg.pSender == m_closeBtn || msg.pSender == m_laterBtn) {
        Close(kPaletteClosed);
    } else if (msg.pSender == m_minBtn) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_MINIMIZE, 0);
    } else if (msg.pSender == m_maxBtn) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_MAXIMIZE, 0);
    } else if (msg.pSender == m_restoreBtn) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);
    } else if (msg.pSender == m_menuBtn) {
        return;
    } else if (ui::EqualsNoCase(name, "okbtn")) {
        if (m_palette == nullptr) {
            Close(kPaletteMissing);
            return;
        }
        m_colour = GetColour();
        Close(kPaletteConfirmed);
    } else if (std::optional<int> n = IndexAfter(name, kPresetPrefix)) {
        // A click on the preset already selected raises no "selectchanged"; it must still
        // bring its colour back after the colour was changed elsewhere.
        ui::COptionUI* preset = AsOption(msg.pSender);
        if (preset != nullptr && preset->IsSelected())
            OnPresetChosen(*n, *preset);
    }
}

ui::LRESULT CColorSelectWnd::OnSysCommand(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                          bool& bHandled) {
    bHandled = true;
    if ((wParam & 0xFFF0) == ui::SC_CLOSE) {
        // Ends this dialog only, as its close button does (a quit message could end the loop
        // of whatever runs innermost).
        Close(kPaletteClosed);
        return 0;
    }
    const bool zoomed = IsMaximized();
    ui::HWND self = m_hWnd;
    ui::LRESULT result = CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    if (ui::IsWindow(self) && zoomed != IsMaximized())
        ShowZoomButtons();
    return result;
}

void CColorSelectWnd::ShowZoomButtons() {
    const bool zoomed = IsMaximized();
    if (m_restoreBtn != nullptr)
        m_restoreBtn->SetVisible(zoomed);
    if (m_maxBtn != nullptr)
        m_maxBtn->SetVisible(!zoomed);
}

ui::LRESULT CColorSelectWnd::HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam,
                                                 ui::LPARAM lParam, bool& bHandled) {
    bHandled = true;
    if (uMsg == kMsgLanguageChanged) {
        if (ui::CControlUI* root = m_pm.GetRoot())
            root->NeedUpdate();
        m_pm.NeedUpdate();
        m_pm.Invalidate();
        return 0;
    }
    if (uMsg == ui::WM_DPICHANGED) {
        m_dpi = FollowDpiChange(*this, m_pm, wParam, lParam);
        return 0;
    }
    bHandled = false;
    return 0;
}

void CColorSelectWnd::OnFinalMessage(ui::HWND /*hWnd*/) {
    if (g_openPalette == this)
        g_openPalette = nullptr;
}

}  // namespace windows
