// The mouse's page operations on the real performance and system pages: stages shown as DPI
// numbers, the enable and select checks, typed numbers, the option groups and combos, the
// sub-pages; and that the refresh raises no notification.
#include "PerformancePageSupport.h"
#include "devices/mouse/DpiConversion.h"

namespace perftest {
namespace {

class PageTest : public ::testing::Test {
  protected:
    PageFixture page;
    devices::COrvaneMouseDevice& m() { return *page.mouse; }
};

TEST_F(PageTest, RefreshShowsTheFactoryStagesAsDpiNumbersWithoutNotifications) {
    ASSERT_NE(page.mouse, nullptr);
    page.Load(devices::mouse::kSensor3395);
    // The factory profile keeps positions 7, 15, 31, 47 ...; 0x3395 shows 50 p + 50.
    EXPECT_EQ(page.Slider("DPI_slider_0")->GetValue(), 7);
    EXPECT_EQ(page.Edit("DPI_edit_0")->GetText(), "400");
    EXPECT_EQ(page.Edit("DPI_edit_2")->GetText(), "1600");
    const int active = m().Profile().GetActiveStage();
    for (int i = 0; i < 7; ++i) {
        const std::string n = std::to_string(i);
        EXPECT_EQ(page.Option("DPI_select_check_" + n)->IsSelected(), i == active) << i;
        EXPECT_EQ(page.Option("DPI_enable_check_" + n)->IsEnabled(), i != active) << i;
    }
    EXPECT_EQ(page.Edit("DPI_edit_0")->GetModel().MaxChars(), 5u);
    EXPECT_EQ(page.window->routed, 0) << "setters called by code raise nothing";
    EXPECT_TRUE(page.window->unhandled.empty());
}

TEST_F(PageTest, TheLastStageOnCannotBeSwitchedOff) {
    page.Load(devices::mouse::kSensor3395);
    m().SetActiveStage(6);
    for (int i = 0; i < 7; ++i)
        m().SetStageEnabled(i, true);
    for (int i = 0; i < 6; ++i)
        m().SetStageEnabled(i, false);
    EXPECT_FALSE(page.Get<ui::CControlUI>("DPI_layout_0")->IsEnabled());
    EXPECT_FALSE(page.Option("DPI_enable_check_0")->IsSelected());
    EXPECT_EQ(m().IsStageEnableChecked(0), 0);
    EXPECT_EQ(m().IsStageEnableChecked(6), 1);
    EXPECT_FALSE(page.Option("DPI_enable_check_6")->IsEnabled()) << "the one left on";
    // Switching another one on leaves that check disabled until the stage is shown again.
    m().SetStageEnabled(2, true);
    EXPECT_FALSE(page.Option("DPI_enable_check_6")->IsEnabled());
    EXPECT_TRUE(page.Get<ui::CControlUI>("DPI_layout_2")->IsEnabled());
    m().SetActiveStage(2);
    m().ShowStageValue(6, 10);
    EXPECT_TRUE(page.Option("DPI_enable_check_6")->IsEnabled());
    EXPECT_FALSE(page.Option("DPI_select_check_6")->IsSelected());
    m().ShowStageValue(2, 10);
    EXPECT_FALSE(page.Option("DPI_enable_check_2")->IsEnabled());
    EXPECT_TRUE(page.Option("DPI_select_check_2")->IsSelected());
}

TEST_F(PageTest, TypedNumbersBecomePositionsTheSliderCanShow) {
    struct Case {
        uint16_t sensor;
        uint8_t count;
        const char* typed;
        int position;
        const char* shown;
    };
    const Case cases[] = {
        {devices::mouse::kSensor8925, 0, "5050", 99, "5000"},
        {devices::mouse::kSensor8925, 0, "", 0, "50"},
        {devices::mouse::kSensor3395, 0, "30", 0, "50"},
        {devices::mouse::kSensor3395, 0, "1600dpi", 31, "1600"},
        {devices::mouse::kSensor3104, 114, "8000", 104, "8000"},
        // A sensor whose steps end early: the typed number is kept within the slider.
        {devices::mouse::kSensor3104, 60, "8000", 50, "2800"},
    };
    for (const Case& c : cases) {
        page.Load(c.sensor, 0, c.count);
        page.Edit("DPI_edit_3")->SetText(c.typed, false);
        const int p = m().ParseStageEdit(3);
        EXPECT_EQ(p, c.position) << c.typed;
        m().ShowStageValue(3, p);
        EXPECT_EQ(page.Slider("DPI_slider_3")->GetValue(), c.position) << c.typed;
        EXPECT_EQ(page.Edit("DPI_edit_3")->GetText(), c.shown) << c.typed;
    }
}

TEST_F(PageTest, ASensorWithoutAStepKeepsThePosition) {
    page.Load(0x1234, 0, 0, 0);  // an information block never read
    m().ShowStageValue(1, 42);
    page.Edit("DPI_edit_1")->SetText("3200", false);
    EXPECT_EQ(m().ParseStageEdit(1), 42);
    // With a step the generic rule applies: (a - base) / step.
    page.Load(0x1234, 100, 0, 100);
    page.Edit("DPI_edit_1")->SetText("3200", false);
    EXPECT_EQ(m().ParseStageEdit(1), 31);
}

TEST_F(PageTest, OptionGroupsAndCombosFollowTheSystemRecord) {
    page.Load(devices::mouse::kSensor3395);
    profile::SystemRecord words{};
    words[2] = profile::MakeWord(3, 4);     // report rate 4: the fifth option
    words[3] = profile::MakeWord(1, 7);     // lift-off high; linear 7 shows option 0
    words[4] = profile::MakeWord(1, 0);     // ripple on
    words[5] = profile::MakeWord(30, 999);  // no item holds 999
    words[6] = profile::MakeWord(5, 15);
    words[7] = profile::MakeWord(3, 2);  // debounce item 3, logo mode 2
    m().SetSystemWords(words);
    m().RefreshPanel();
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(page.Option("polling_rate_option_" + std::to_string(k))->IsSelected(), k == 4);
    EXPECT_TRUE(page.Option("Silent_Altitude_option_1")->IsSelected());
    EXPECT_FALSE(page.Option("Silent_Altitude_option_0")->IsSelected());
    EXPECT_TRUE(page.Option("Linear_Calibration_option_0")->IsSelected());
    EXPECT_TRUE(page.Option("Ripple_option_1")->IsSelected());
    EXPECT_EQ(m().GetBleSleep1(), "30");
    EXPECT_EQ(page.Combo("ble_sleep2_combo")->GetCurSel(), -1) << "no stale value";
    EXPECT_EQ(m().GetBleSleep2(), "");
    EXPECT_EQ(m().GetDeviceSleep1(), "5");
    EXPECT_EQ(m().GetDeviceSleep2(), "15");
    EXPECT_EQ(m().GetDebounceIndex(), 3);
    EXPECT_EQ(m().GetLogoLedMode(), 2);
    words[2] = profile::MakeWord(3, 9);
    m().SetSystemWords(words);
    m().RefreshPanel();
    EXPECT_TRUE(page.Option("polling_rate_option_0")->IsSelected());
    EXPECT_EQ(page.window->routed, 0);
}

TEST_F(PageTest, ScrollControlsAndSubPages) {
    page.Load(devices::mouse::kSensor3395);
    m().SetScrollControls(1, 7);
    EXPECT_EQ(m().GetScrollPage(), 1);
    EXPECT_EQ(m().GetScrollLines(), 7);
    EXPECT_EQ(m().GetPointerSpeed(), 10) << "the skin's value";

    auto* pages = page.Get<ui::CTabLayoutUI>("mouse_device_seting_layout");
    m().ShowPerformancePage(2);
    EXPECT_EQ(pages->GetCurSel(), 2);
    EXPECT_FALSE(page.Option("mouse_device_seting_option_0")->IsSelected());
    m().ShowPerformancePage(9);
    EXPECT_EQ(pages->GetCurSel(), 0);
    EXPECT_TRUE(page.Option("mouse_device_seting_option_0")->IsSelected());
    EXPECT_EQ(page.window->routed, 0);
}

TEST_F(PageTest, AControlFoundLaterIsUsedAndTheRebindForgetsOldOnes) {
    page.Load(devices::mouse::kSensor3395);
    // A page without the colour button: skipped, getters answer 0.
    auto* button = page.Get<ui::CControlUI>("DPI_color_option_5");
    auto* parent = dynamic_cast<ui::CContainerUI*>(button->GetParent());
    ASSERT_NE(parent, nullptr);
    parent->Remove(button, true);
    m().BindPanelControls();
    EXPECT_EQ(m().GetStageColour(5), 0u);
    m().SetStageColour(5, 0xFF102030);
    parent->Add(button);
    m().SetStageColour(5, 0xFF405060);
    EXPECT_EQ(m().GetStageColour(5), 0xFF405060u) << "looked up again once it is there";
}

}  // namespace
}  // namespace perftest
