#include "windows/MusicWnd.h"

#include <algorithm>
#include <array>
#include <memory>

#include "platform/Trace.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/StringUtil.h"
#include "windows/DialogDpi.h"
#include "windows/DpiChange.h"

namespace windows {
namespace {

CMusicWnd* g_openMusic = nullptr;  // the one music window (window thread only)

constexpr ui::DWORD kMusicStyle = ui::WS_POPUP | ui::WS_VISIBLE;
constexpr ui::DWORD kMusicExStyle = ui::WS_EX_TOOLWINDOW;
constexpr uint32_t kMusicTimer = 1;
constexpr const char* kMissingControlTrace = "GetAudioLightInfo control is NULL";
constexpr std::array<const char*, kMusicStyles> kTabNames = {
    "audio_select_tab1", "audio_select_tab2", "audio_select_tab3", "audio_select_tab4"};
constexpr std::array<const char*, kMusicStyles> kNameEdits = {
    "audio_edit_name1", "audio_edit_name2", "audio_edit_name3", "audio_edit_name4"};
constexpr std::array<const char*, 3> kSliderNames = {"audio_r_slider", "audio_g_slider",
                                                     "audio_b_slider"};

// The index of `name` in the table, or -1.
template <size_t N>
int MusicIndexOf(const std::array<const char*, N>& names, const std::string& name) {
    for (size_t i = 0; i < N; ++i) {
        if (ui::EqualsNoCase(name, names[i]))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

std::optional<MusicSettings> EditMusicSettings(ui::HWND parent, int dpi,
                                               const MusicSettings& settings) {
    if (g_openMusic != nullptr) {
        g_openMusic->ShowWindow(true, true);
        return std::nullopt;
    }
    auto music = std::make_unique<CMusicWnd>();
    // Two spaces: the window shows no title of its own.
    if (music->Create(parent, "  ", kMusicStyle, kMusicExStyle, 0, 0, kMusicWidth, kMusicHeight) ==
        nullptr)
        return std::nullopt;
    music->SetDialogDpi(dpi);
    music->SetSettings(settings);
    music->CenterWindow();
    if (static_cast<int>(music->ShowModal()) != kMusicConfirmed)
        return std::nullopt;
    return music->GetSettings();
}

CMusicWnd::CMusicWnd() {
    g_openMusic = this;
    AddNotifyHandler("windowinit", [this](ui::TNotifyUI&) { OnWindowInit(); });
    AddNotifyHandler("selectchanged", [this](ui::TNotifyUI& msg) {
        if (msg.pSender == nullptr)
            return;
        const int style = MusicIndexOf(kTabNames, msg.pSender->GetName());
        auto* option = dynamic_cast<ui::COptionUI*>(msg.pSender);
        if (style < 0 || option == nullptr || !option->IsSelected())
            return;
        settings_.style = style;
        ShowStyleColour(style);
    });
    AddNotifyHandler("valuechanged", [this](ui::TNotifyUI& msg) {
        if (msg.pSender != nullptr) {
            if (int channel = MusicIndexOf(kSliderNames, msg.pSender->GetName()); channel >= 0)
                OnSliderMoved(channel);
        }
    });
    AddNotifyHandler("killfocus", [this](ui::TNotifyUI& msg) {
        if (msg.pSender != nullptr) {
            if (int style = MusicIndexOf(kNameEdits, msg.pSender->GetName()); style >= 0)
                OnNameLeft(style);
        }
    });
}

CMusicWnd::~CMusicWnd() {
    if (g_openMusic == this)
        g_openMusic = nullptr;
}

ui::HWND CMusicWnd::Current() {
    return g_openMusic != nullptr ? g_openMusic->GetHWND() : nullptr;
}

void CMusicWnd::SetDialogDpi(int dpi) {
    DpiChoice choice = windows::SetDialogDpi(dpi_, dpi, "SET_WND DPI SET ERROR");
    if (!choice.apply)
        return;
    dpi_ = choice.dpi;
    m_pm.SetDPI(dpi_);
}

void CMusicWnd::OnWindowInit() {
    for (const char* name : kSliderNames) {
        if (auto* slider = dynamic_cast<ui::CSliderUI*>(m_pm.FindControl(name))) {
            slider->SetMinValue(0);
            slider->SetMaxValue(kMaxStyleColour);
        }
    }
    const auto style = static_cast<size_t>(settings_.style);
    if (auto* tab = dynamic_cast<ui::COptionUI*>(m_pm.FindControl(kTabNames[style])))
        tab->Selected(true, false);
    else
        platform::Trace(kMissingControlTrace);
    ShowStyleColour(settings_.style);
    for (size_t s = 0; s < kNameEdits.size(); ++s) {
        if (ui::CControlUI* edit = m_pm.FindControl(kNameEdits[s]))
            edit->SetText(settings_.names[s]);
    }
}

std::optional<int> CMusicWnd::SelectedStyle() {
    for (size_t s = 0; s < kTabNames.size(); ++s) {
        auto* tab = dynamic_cast<ui::COptionUI*>(m_pm.FindControl(kTabNames[s]));
        if (tab == nullptr) {
            platform::Trace(kMissingControlTrace);
            return std::nullopt;
        }
        if (tab->IsSelected())
            return static_cast<int>(s);
    }
    return 0;
}

bool CMusicWnd::ShowStyleColour(int style) {
    if (style < 0 || style >= kMusicStyles)
        return false;
    for (size_t c = 0; c < kSliderNames.size(); ++c) {
        auto* slider = dynamic_cast<ui::CSliderUI*>(m_pm.FindControl(kSliderNames[c]));
        if (slider == nullptr) {
            platform::Trace(kMissingControlTrace);
            return false;
        }
        slider->SetValue(settings_.colours[static_cast<size_t>(style)][c], false);
    }
    return true;
}

void CMusicWnd::OnSliderMoved(int channel) {
    auto* slider =
        dynamic_cast<ui::CSliderUI*>(m_pm.FindControl(kSliderNames[static_cast<size_t>(channel)]));
    const std::optional<int> style = SelectedStyle();
    if (slider == nullptr || !style)
        return;
    const int value = std::clamp(slider->GetValue(), 0, int(kMaxStyleColour));
    settings_.colours[static_cast<size_t>(*style)][static_cast<size_t>(channel)] =
        static_cast<uint8_t>(value);
}

void CMusicWnd::OnNameLeft(int style) {
    ui::CControlUI* edit = m_pm.FindControl(kNameEdits[static_cast<size_t>(style)]);
    if (edit == nullptr)
        return;
    if (edit->GetText().empty())
        edit->SetText(kDefaultStyleNames[static_cast<size_t>(style)]);
    settings_.names[static_cast<size_t>(style)] = edit->GetText();
}

void CMusicWnd::OnClick(ui::TNotifyUI& msg) {
    if (msg.pSender == nullptr)
        return;
    const std::string name = msg.pSender->GetName();
    if (ui::EqualsNoCase(name, "closebtn"))
        Close(0);
    else if (ui::EqualsNoCase(name, "okbtn"))
        Close(kMusicConfirmed);
    else
        WindowImplBase::OnClick(msg);
}

ui::LRESULT CMusicWnd::OnSysCommand(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& bHandled) {
    if ((wParam & 0xFFF0) == ui::SC_CLOSE) {
        // Ends this dialog only, as its close button does: a quit message would end the loop
        // of whatever runs innermost, the program's own included.
        bHandled = true;
        Close(0);
        return 0;
    }
    return WindowImplBase::OnSysCommand(uMsg, wParam, lParam, bHandled);
}

ui::LRESULT CMusicWnd::HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                           bool& bHandled) {
    bHandled = true;
    if (uMsg == ui::WM_TIMER && wParam == kMusicTimer) {
        ui::KillTimer(m_hWnd, kMusicTimer);
        return 0;
    }
    if (uMsg == ui::WM_DPICHANGED) {
        dpi_ = FollowDpiChange(*this, m_pm, wParam, lParam);
        return 0;
    }
    bHandled = false;
    return 0;
}

void CMusicWnd::OnFinalMessage(ui::HWND /*hWnd*/) {
    if (g_openMusic == this)
        g_openMusic = nullptr;
}

}  // namespace windows
