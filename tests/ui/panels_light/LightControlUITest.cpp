// The lighting panel built from the real skin and driven headless: what its layout holds, a
// light record shown, the mode list, the layout per mode with the same-mode button, the
// audio record with its colour type rule, and what a panel lacking controls does.
#include <string>
#include <vector>

#include "LightPanelSupport.h"
#include "panels/light/LightRules.h"
#include "platform/Trace.h"
#include "ui/controls/ColorPaletteUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"

namespace lighttest {
namespace {

using panels::CLightControlUI;
using profile::AudioLightRecord;
using profile::LightRecord;

const std::vector<std::string> kMouseModes = {
    "light_mode_static",         "light_mode_breathing", "light_mode_colour_cycle",
    "light_mode_four_breathing", "light_mode_off",       "light_mode_wave",
    "light_mode_flash",          "light_mode_reactive",  "light_mode_four_flash",
    "light_mode_neon",           "light_mode_marquee",   "light_mode_starlight"};
const std::vector<bool> kMouseVisible = {true, true, true, true, true,  true,
                                         true, true, true, true, false, false};

void Show(CLightControlUI& panel, const LightRecord& record) {
    const auto w = record.ToWords();
    panel.SetLightInfo(w[0], w[1], w[2], w[3]);
}

void ShowAudio(CLightControlUI& panel, const AudioLightRecord& record) {
    const devices::AudioLightWords w = panels::light::ToAudioWords(record);
    panel.SetAudioLightInfo(w.a, w.b, w.c);
}

AudioLightRecord Audio(uint8_t mode, uint8_t type) {
    AudioLightRecord r;
    r.mode = mode;
    r.backgroundRed = 0x10;
    r.backgroundGreen = 0x20;
    r.backgroundBlue = 0x30;
    r.foregroundRed = 0xA0;
    r.foregroundGreen = 0xB0;
    r.foregroundBlue = 0xC0;
    r.multiColour = 1;
    r.colourType = type;
    return r;
}

class LightControlUITest : public LightPanelTest {
  protected:
    void SetUp() override {
        Open();
        panel->SetLayoutFamily(2);
        panel->FillModeList(kMouseModes, kMouseVisible, 4, 4);
        panel->AppendCustomModes({"Aurora pulse", "Ember"});
        window->notified.clear();
    }
    ui::COptionUI* Option(const std::string& name) { return Get<ui::COptionUI>(name); }
    std::string EditText(const std::string& name) { return Get<ui::CEditUI>(name)->GetText(); }
};

TEST_F(LightControlUITest, SkinHoldsEveryNamedControl) {
    for (const char* name : {CLightControlUI::kModeComboName,
                             CLightControlUI::kCustomModeComboName,
                             CLightControlUI::kZzccComboName,
                             CLightControlUI::kAudioModeComboName,
                             CLightControlUI::kBrightnessSliderName,
                             CLightControlUI::kSpeedSliderName,
                             CLightControlUI::kRedEditName,
                             CLightControlUI::kGreenEditName,
                             CLightControlUI::kBlueEditName,
                             CLightControlUI::kPaletteName,
                             CLightControlUI::kColourButtonName,
                             CLightControlUI::kMultiColourName,
                             CLightControlUI::kFirstDirectionName,
                             CLightControlUI::kSecondDirectionName,
                             CLightControlUI::kSameModeName,
                             CLightControlUI::kAudioRedEditName,
                             CLightControlUI::kAudioGreenEditName,
                             CLightControlUI::kAudioBlueEditName,
                             CLightControlUI::kAudioPaletteName,
                             CLightControlUI::kAudioColourButtonName,
                             CLightControlUI::kAudioMultiColourName,
                             CLightControlUI::kAudioBackgroundName,
                             CLightControlUI::kAudioForegroundName,
                             CLightControlUI::kAudioColourLayoutName,
                             CLightControlUI::kAudioPaletteLayoutName,
                             "Close_bkColor_btn",
                             "lighteffect_layout",
                             "deng_color_layout",
                             "colorpallet_layout",
                             "deng_light_layout",
                             "deng_speed_layout",
                             "deng_fx_layout",
                             "deng_rgb_layout",
                             "lightcustom_layout",
                             "light_combo_ZZCCmodeSelectLayout",
                             "light_color_layout",
                             "light_combo_AudiomodeSelectLayout",
                             "light_color_tablayout"})
        EXPECT_NE(Get(name), nullptr) << name;
    for (int n = 0; n < 8; ++n) {
        EXPECT_NE(panel->GetPresetColour(n), 0u) << n;
        EXPECT_NE(panel->GetLightAudioColor(n), 0u) << n;
    }
    EXPECT_EQ(panel->GetPresetColour(8), 0u);
    EXPECT_EQ(panel->GetLightAudioColor(8), 0u);
    EXPECT_EQ(Get<ui::CComboUI>(CLightControlUI::kAudioModeComboName)->GetCount(), 4);
    // The keyboard's groups stay out of a mouse's way.
    for (const char* name :
         {"lightcustom_layout", "light_combo_ZZCCmodeSelectLayout", "light_color_layout",
          "light_combo_AudiomodeSelectLayout", "light_color_tablayout"})
        EXPECT_FALSE(Visible(name)) << name;
    EXPECT_FALSE(Visible(CLightControlUI::kSameModeName));
}

TEST_F(LightControlUITest, ShowingARecordShowsEveryPartAndRaisesNothing) {
    LightRecord r;
    r.mode = 5;
    r.brightness = 3;
    r.speed = 1;
    r.direction = 0;
    r.multiColour = 1;
    r.red = 0x11;
    r.green = 0x22;
    r.blue = 0x33;
    Show(*panel, r);
    EXPECT_EQ(panel->GetSelectedMode(), 5);
    EXPECT_EQ(panel->GetBrightness(), 3);
    EXPECT_EQ(panel->GetSpeed(), 1);
    EXPECT_EQ(EditText("deng_edit_R"), "17");
    EXPECT_EQ(EditText("deng_edit_G"), "34");
    EXPECT_EQ(EditText("deng_edit_B"), "51");
    EXPECT_EQ(panel->GetPaletteColour(), 0xFF112233u);
    EXPECT_EQ(Get("deng_colordp_btn")->GetBkColor(), 0xFF112233u);
    EXPECT_TRUE(panel->IsMultiColour());
    EXPECT_FALSE(Option("deng_FXL_check")->IsSelected());
    EXPECT_TRUE(Option("deng_FXR_check")->IsSelected());
    EXPECT_TRUE(Enabled("deng_fx_layout")) << "wave takes a direction";
    EXPECT_TRUE(Notifications().empty());

    // A second record replaces every part, the direction too.
    r = LightRecord{};
    r.mode = 0;
    r.direction = 1;
    r.red = 255;
    Show(*panel, r);
    EXPECT_EQ(panel->GetSelectedMode(), 0);
    EXPECT_EQ(EditText("deng_edit_R"), "255");
    EXPECT_EQ(EditText("deng_edit_G"), "0");
    EXPECT_FALSE(panel->IsMultiColour());
    EXPECT_TRUE(Option("deng_FXL_check")->IsSelected());
    EXPECT_FALSE(Option("deng_FXR_check")->IsSelected());
    EXPECT_FALSE(Enabled("deng_fx_layout"));
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(LightControlUITest, ColourEditsTakeThreeDigitsOnly) {
    auto* edit = Get<ui::CEditUI>("deng_edit_G");
    edit->SetFocus();
    window->GetPaintManager()->UpdateLayout();
    edit->SetText("", false);
    edit->ReplaceSel("3a0-09");
    EXPECT_EQ(edit->GetText(), "300");
    // What the handlers store for it, shown back as the panel shows numbers.
    const panels::light::ChannelValue stored = panels::light::ParseChannelText(edit->GetText());
    panel->SetColourText(1, stored.shown);
    EXPECT_EQ(panel->GetColourText(1), "255");
    EXPECT_EQ(panel->GetColourText(3), "");
}

TEST_F(LightControlUITest, ModeListHoldsTheBuiltInsThenTheCustomEffects) {
    auto* combo = Get<ui::CComboUI>(CLightControlUI::kModeComboName);
    ASSERT_EQ(combo->GetCount(), 14);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(combo->GetItemAt(i)->IsOwnVisible(), i < 10) << i;
        EXPECT_EQ(combo->GetItemUserData(i), kMouseModes[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(combo->GetItemAt(0)->GetText(), "Static") << "built-ins are translated";
    EXPECT_EQ(combo->GetItemAt(12)->GetText(), "Aurora pulse") << "effects keep their names";
    EXPECT_EQ(combo->GetItemAt(13)->GetText(), "Ember");
    EXPECT_EQ(combo->GetItemAt(4)->GetFixedHeight(), CLightControlUI::kModeItemHeight);
    // Position 12 + n is custom effect n.
    panel->SelectMode(13);
    EXPECT_EQ(panel->GetSelectedMode(), 13);
    EXPECT_EQ(combo->GetText(), "Ember");
    EXPECT_EQ(Get<ui::CSliderUI>(CLightControlUI::kBrightnessSliderName)->GetMaxValue(), 4);
    EXPECT_EQ(Get<ui::CSliderUI>(CLightControlUI::kSpeedSliderName)->GetMaxValue(), 4);
    // Filling again starts over; an index the list lacks selects nothing.
    panel->FillModeList({"light_mode_static", "light_mode_off"}, {true}, 2, 3);
    EXPECT_EQ(combo->GetCount(), 2);
    EXPECT_TRUE(combo->GetItemAt(1)->IsOwnVisible()) << "no flag: shown";
    panel->SelectMode(9);
    EXPECT_EQ(panel->GetSelectedMode(), -1);
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(LightControlUITest, SameModeButtonFollowsTheModeAndTheAllowedFlag) {
    panel->SelectMode(4);
    EXPECT_FALSE(Visible(CLightControlUI::kSameModeName)) << "one device: never";
    panel->SetSameModeAllowed(true);
    EXPECT_TRUE(Visible(CLightControlUI::kSameModeName));
    for (const char* group :
         {"deng_7color_check", "deng_color_layout", "colorpallet_layout", "deng_light_layout",
          "deng_speed_layout", "deng_fx_layout", "deng_rgb_layout"})
        EXPECT_FALSE(Enabled(group)) << group;
    EXPECT_TRUE(Enabled("lighteffect_layout"));
    panel->SelectMode(3);
    EXPECT_FALSE(Visible(CLightControlUI::kSameModeName));
    panel->SelectMode(0);
    EXPECT_TRUE(Visible(CLightControlUI::kSameModeName));
    panel->SetSameModeAllowed(false);
    EXPECT_FALSE(Visible(CLightControlUI::kSameModeName));
    panel->ShowSameModeButton(true);
    EXPECT_FALSE(Visible(CLightControlUI::kSameModeName)) << "not while disallowed";
}

TEST_F(LightControlUITest, ModesLeaveDottedGroupsAsTheyWere) {
    panel->SelectMode(0);
    ASSERT_TRUE(Enabled("deng_rgb_layout"));
    panel->SelectMode(9);
    EXPECT_TRUE(Enabled("deng_rgb_layout"));
    EXPECT_TRUE(Enabled("deng_fx_layout"));
    panel->SelectMode(4);
    ASSERT_FALSE(Enabled("deng_rgb_layout"));
    panel->SelectMode(6);
    EXPECT_FALSE(Enabled("deng_rgb_layout")) << "flash keeps the edits as they were";
    EXPECT_TRUE(Enabled("deng_color_layout"));
    panel->SelectMode(12);
    EXPECT_FALSE(Enabled("deng_light_layout")) << "a custom effect brings its own settings";
    EXPECT_TRUE(Enabled("lighteffect_layout"));
}

TEST_F(LightControlUITest, ADisabledGroupTakesNoInput) {
    panel->SelectMode(4);
    window->GetPaintManager()->UpdateLayout();
    auto* slider = Get<ui::CSliderUI>(CLightControlUI::kBrightnessSliderName);
    ASSERT_TRUE(slider->IsEnabled()) << "its own flag stays";
    const ui::Rect pos = slider->GetPos();
    auto* native = static_cast<ui::headless::HeadlessWindow*>(window->GetNativeWindow());
    native->Click(pos.right - 2, (pos.top + pos.bottom) / 2);
    EXPECT_EQ(slider->GetValue(), 0);
    panel->SelectMode(0);
    native->Click(pos.right - 2, (pos.top + pos.bottom) / 2);
    EXPECT_EQ(slider->GetValue(), 4);
}

TEST_F(LightControlUITest, AudioRecordShowsTheEditedColourByItsType) {
    ShowAudio(*panel, Audio(1, 1));
    EXPECT_EQ(Get<ui::CComboUI>(CLightControlUI::kAudioModeComboName)->GetCurSel(), 1);
    EXPECT_TRUE(Option("audio_FgColor_check")->IsSelected());
    EXPECT_FALSE(Option("audio_BkColor_check")->IsSelected());
    EXPECT_TRUE(Enabled("deng_7audiocolor_check"));
    EXPECT_TRUE(Option("deng_7audiocolor_check")->IsSelected());
    EXPECT_EQ(panel->GetAudioColourText(0), "160");
    EXPECT_EQ(panel->GetAudioPaletteColour(), 0xFFA0B0C0u);
    EXPECT_EQ(Get("deng_audiocolordp_btn")->GetBkColor(), 0xFFA0B0C0u);
    EXPECT_TRUE(Enabled("light_audiocolor_layout"));
    EXPECT_TRUE(Enabled("audiocolorpallet_layout"));

    ShowAudio(*panel, Audio(3, 0));
    EXPECT_TRUE(Option("audio_BkColor_check")->IsSelected());
    EXPECT_FALSE(Option("audio_FgColor_check")->IsSelected());
    EXPECT_FALSE(Enabled("deng_7audiocolor_check"));
    EXPECT_EQ(panel->GetAudioColourText(2), "48");
    EXPECT_EQ(Get("deng_audiocolordp_btn")->GetBkColor(), 0xFF102030u);
    EXPECT_FALSE(Enabled("light_audiocolor_layout")) << "mode 3 takes no colour";
    EXPECT_FALSE(Enabled("audiocolorpallet_layout"));
    EXPECT_EQ(panel->GetAudioColourText(3), "");
    EXPECT_EQ(panel->AudioRecord(), Audio(3, 0));
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(LightControlUITest, AudioColourTypeRuleFourCases) {
    struct Case {
        uint8_t previous;
        bool background, foreground;
        uint8_t expected;
    } cases[] = {
        {1, true, true, 0},   // background chosen while the foreground was edited
        {0, true, false, 0},  // background alone
        {0, true, true, 1},   // both selected after editing the background
        {1, false, true, 1},  // foreground
    };
    // The skin makes the two options a group; the rule also covers both selected.
    ui::COptionUI* background = Option("audio_BkColor_check");
    ui::COptionUI* foreground = Option("audio_FgColor_check");
    background->SetGroup("");
    foreground->SetGroup("");
    for (const Case& c : cases) {
        ShowAudio(*panel, Audio(0, c.previous));
        background->Selected(c.background, false);
        foreground->Selected(c.foreground, false);
        EXPECT_EQ(panel->GetAudioLightInfo(false).c, c.expected)
            << int(c.previous) << c.background << c.foreground;
        EXPECT_EQ(panel->AudioRecord().colourType, c.expected) << "the panel keeps it";
    }
}

TEST_F(LightControlUITest, AudioColourFlagStoresTheButtonColourInTheEditedColour) {
    ShowAudio(*panel, Audio(2, 1));
    Get("deng_audiocolordp_btn")->SetBkColor(0xFF010203);
    Option("deng_7audiocolor_check")->Selected(false, false);
    AudioLightRecord r = panels::light::FromAudioWords(panel->GetAudioLightInfo(true));
    EXPECT_EQ(panels::light::AudioForeground(r), (panels::light::Rgb{1, 2, 3}));
    EXPECT_EQ(panels::light::AudioBackground(r), (panels::light::Rgb{0x10, 0x20, 0x30}));
    EXPECT_EQ(r.multiColour, 0);
    EXPECT_EQ(r.mode, 2);
    // Without the flag the colours stay; choosing the background edits it next.
    Option("audio_BkColor_check")->Selected(true, false);
    Get("deng_audiocolordp_btn")->SetBkColor(0xFF777777);
    r = panels::light::FromAudioWords(panel->GetAudioLightInfo(false));
    EXPECT_EQ(r.colourType, 0);
    EXPECT_EQ(panels::light::AudioBackground(r), (panels::light::Rgb{0x10, 0x20, 0x30}));
    EXPECT_EQ(panels::light::AudioForeground(r), (panels::light::Rgb{1, 2, 3}));
}

// A panel whose skin lacks the audio controls and most light controls.
class SparseLightPanelTest : public LightPanelTest {
  protected:
    void SetUp() override {
        Open(R"(<LightControl name="LightControlItem"><VerticalLayout>
                  <Combo name="light_combo_modeSelect"/>
                  <Edit name="deng_audioedit_R"/>
                </VerticalLayout></LightControl>)");
    }
};

TEST_F(SparseLightPanelTest, MissingAudioControlsTraceAndDegrade) {
    platform::TraceCapture trace;
    ShowAudio(*panel, Audio(2, 1));
    EXPECT_TRUE(trace.Contains(" SetAudioLightInfo control is NULL"));
    EXPECT_EQ(panel->AudioRecord(), AudioLightRecord{}) << "nothing is taken";
    trace.Clear();
    EXPECT_EQ(panel->GetAudioLightInfo(true), devices::AudioLightWords{});
    EXPECT_TRUE(trace.Contains("GetAudioLightInfo control is NULL"));
    trace.Clear();
    Get<ui::CEditUI>("deng_audioedit_R")->SetText("9", false);
    EXPECT_EQ(panel->GetAudioColourText(0), "");
    EXPECT_TRUE(trace.Contains("GetLightAudioColor control is NULL"));
    EXPECT_EQ(panel->GetAudioPaletteColour(), 0xFF000000u);
    EXPECT_EQ(panel->GetLightAudioColor(0), 0u);
}

TEST_F(SparseLightPanelTest, MissingLightControlsGiveTheirDefaults) {
    panel->SetLayoutFamily(2);
    LightRecord r;
    r.mode = 1;
    r.brightness = 2;
    r.red = 9;
    Show(*panel, r);
    EXPECT_EQ(panel->GetSelectedMode(), -1) << "the combo is empty";
    EXPECT_EQ(panel->GetBrightness(), 0);
    EXPECT_EQ(panel->GetSpeed(), 0);
    EXPECT_EQ(panel->GetColourText(0), "");
    EXPECT_EQ(panel->GetPaletteColour(), 0xFF000000u);
    EXPECT_EQ(panel->GetPresetColour(0), 0u);
    EXPECT_FALSE(panel->IsMultiColour());
    EXPECT_EQ(panel->GetZzccMode(), -1);
    EXPECT_EQ(panel->GetCustomMode(), -1);
    panel->SetSameModeAllowed(true);
    EXPECT_TRUE(panel->IsSameModeAllowed());
    EXPECT_TRUE(Notifications().empty());
}

}  // namespace
}  // namespace lighttest
