// The performance handlers behind the real pages, reached through the page's own
// notifications: what each control stores in the profile (and so in the settings block), the
// kinds they act for, the palette, the keep-alive restart and the window's second DPI pair.
#include "PerformancePageSupport.h"
#include "devices/mouse/DpiConversion.h"
#include "devices/mouse/SettingsBlock.h"
#include "profile/MouseProfiledata.h"

namespace perftest {
namespace {

using profile::HighHalf;
using profile::LowHalf;

class HandlersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(page.mouse, nullptr);
        page.Load(devices::mouse::kSensor3395);
    }
    devices::COrvaneMouseDevice& m() { return *page.mouse; }
    // What the profile file holds now.
    profile::CMouseProfiledata Saved() {
        profile::CMouseProfiledata saved;
        saved.SetDefaultDocumentPath("");
        saved.LoadDocument(m().GetProfilePath());
        return saved;
    }
    // The settings block the mouse is sent for the profile.
    devices::mouse::SettingsBlock Block() {
        devices::mouse::SettingsSource source;
        source.stages = m().Profile().GetDpiStages();
        source.system = m().Profile().GetSystemRecord();
        source.activeStage = m().Profile().GetActiveStage();
        return devices::mouse::EncodeSettingsBlock(source);
    }
    void Notify(const std::string& name, const char* type) {
        page.window->GetPaintManager()->SendNotify(page.Get<ui::CControlUI>(name), type);
    }
    PageFixture page;
};

TEST_F(HandlersTest, ReportRateAndSensorOptionsAreStoredAndSent) {
    page.Option("polling_rate_option_2")->Selected(true);
    EXPECT_EQ(HighHalf(m().GetSystemWords()[2]), 2);
    EXPECT_EQ(HighHalf(Saved().GetSystemRecord()[2]), 2);
    EXPECT_EQ(Block()[11], 2);
    page.Option("polling_rate_option_4")->Selected(true);
    EXPECT_EQ(Block()[11], 4) << "a click stores its index";
    EXPECT_TRUE(page.Option("polling_rate_option_4")->IsSelected());

    page.Option("Silent_Altitude_option_1")->Selected(true);
    page.Option("Linear_Calibration_option_1")->Selected(true);
    page.Option("Ripple_option_0")->Selected(true);
    page.Option("Ripple_option_1")->Selected(true);
    const auto block = Block();
    EXPECT_EQ(block[82], 1);
    EXPECT_EQ(block[83], 1);
    EXPECT_EQ(block[84], 1);
    EXPECT_EQ(LowHalf(Saved().GetSystemRecord()[4]), 1);
    EXPECT_TRUE(page.window->unhandled.empty());
}

TEST_F(HandlersTest, CombosStoreIndexOrUserDataAndNoSelectionIsAllOnes) {
    page.Combo("Anti_Shake_combo_timeSelect")->SelectItem(2);
    EXPECT_EQ(LowHalf(m().GetSystemWords()[7]), 2);
    page.Combo("Anti_Shake_combo_timeSelect")->SelectItem(-1);
    EXPECT_EQ(LowHalf(m().GetSystemWords()[7]), 0xFFFF);
    EXPECT_EQ(Block()[81], 0xFF);
    page.Combo("logo_led_mode_combo")->SelectItem(3);
    EXPECT_EQ(Block()[86], 3);

    page.Combo("ble_sleep2_combo")->UserDataSetSelectItem(120);
    EXPECT_EQ(HighHalf(m().GetSystemWords()[5]), 120);
    EXPECT_TRUE(page.host.timers.empty()) << "only the device sleep restarts the keep-alive";
    page.Combo("device_sleep1_combo")->UserDataSetSelectItem(15);
    EXPECT_EQ(LowHalf(m().GetSystemWords()[6]), 15);
    EXPECT_EQ(Block()[79], 15);
    EXPECT_EQ(m().GetKeepAliveMinutes(), std::min(15, int(HighHalf(m().GetSystemWords()[6]))));
    ASSERT_EQ(page.host.timers.size(), 1u);
    EXPECT_EQ(page.host.timers[0].device, page.mouse);
    EXPECT_EQ(page.host.timers[0].id, 1008);
    EXPECT_EQ(page.host.timers[0].ms, 50u);
}

TEST_F(HandlersTest, OnlyTheCableMouseTakesReportRateOptionsAndCombos) {
    for (int kind : {hid::kKindMouseReceiver, hid::kKindMousePad}) {
        page.SetKind(kind);
        const profile::SystemRecord before = m().GetSystemWords();
        page.Option("polling_rate_option_1")->Selected(true);
        page.Option("Silent_Altitude_option_1")->Selected(true);
        page.Combo("Anti_Shake_combo_timeSelect")->SelectItem(5);
        page.Combo("device_sleep2_combo")->UserDataSetSelectItem(60);
        EXPECT_EQ(m().GetSystemWords(), before) << kind;
        EXPECT_TRUE(page.host.timers.empty()) << kind;
        EXPECT_TRUE(page.window->unhandled.empty()) << "still the page's names";
    }
}

TEST_F(HandlersTest, PointerWheelAndDoubleClickAreKeptInTheProfileOnly) {
    m().SetScrollControls(1, 4);
    page.Slider("scroll_speed_slider")->SetValue(9);
    EXPECT_FALSE(page.Option("scrolls_page_check")->IsSelected()) << "lines clear the page";
    profile::SystemRecord saved = Saved().GetSystemRecord();
    EXPECT_EQ(HighHalf(saved[1]), 0) << "ScorllPage";
    EXPECT_EQ(LowHalf(saved[2]), 9) << "WheelScorlllinse";

    page.Option("scrolls_page_check")->Selected(true);
    saved = Saved().GetSystemRecord();
    EXPECT_EQ(HighHalf(saved[1]), 1);
    EXPECT_EQ(LowHalf(saved[2]), 9);

    page.Slider("pointer_speed_slider")->SetValue(17);
    page.Slider("double_click_slider")->SetValue(2);
    page.Option("pointer_precision_check")->Selected(true);
    saved = Saved().GetSystemRecord();
    EXPECT_EQ(HighHalf(saved[0]), 17);
    EXPECT_EQ(LowHalf(saved[0]), 2);
    EXPECT_EQ(LowHalf(saved[1]), 1);
    // Any mouse: the receiver's too.
    page.SetKind(hid::kKindMouseReceiver);
    page.Slider("pointer_speed_slider")->SetValue(3);
    EXPECT_EQ(HighHalf(Saved().GetSystemRecord()[0]), 3);
}

TEST_F(HandlersTest, DraggingShowsAndReleasingStores) {
    page.Load(devices::mouse::kSensor8925);
    const std::vector<profile::DpiStageRecord> before = m().GetStageRecords();
    page.Slider("DPI_slider_1")->SetValue(120, false);
    Notify("DPI_slider_1", "movevaluechanged");
    EXPECT_EQ(page.Edit("DPI_edit_1")->GetText(), "7100");
    EXPECT_EQ(m().GetStageRecords(), before) << "nothing stored while dragging";

    page.Slider("DPI_slider_1")->SetValue(121);
    const profile::DpiStageRecord stage = Saved().GetDpiStages().at(1);
    EXPECT_EQ(stage.x, 121 | 121 << 8) << "0x8925 keeps the position in both bytes";
    EXPECT_EQ(stage.y, before[1].y) << "Y stays";
    EXPECT_EQ(page.Edit("DPI_edit_1")->GetText(), "7200");
}

TEST_F(HandlersTest, ATypedNumberIsShownAsTheDpiOfItsPosition) {
    page.Edit("DPI_edit_4")->SetText("1620", false);
    Notify("DPI_edit_4", "killfocus");
    EXPECT_EQ(page.Slider("DPI_slider_4")->GetValue(), 31);
    EXPECT_EQ(page.Edit("DPI_edit_4")->GetText(), "1600");
    EXPECT_EQ(Saved().GetDpiStages().at(4).x, 31);
    EXPECT_EQ(Block()[14 + 9 * 4 + 2], 31);
}

TEST_F(HandlersTest, EnableAndSelectChecks) {
    // A profile with four stages: selecting grows it to seven.
    std::vector<profile::DpiStageRecord> four(m().GetStageRecords().begin(),
                                              m().GetStageRecords().begin() + 4);
    m().SetStageRecords(four);
    m().RefreshPanel();
    page.Option("DPI_select_check_3")->Selected(true);
    EXPECT_EQ(m().Profile().GetActiveStage(), 3);
    EXPECT_EQ(m().GetStageRecords().size(), 7u);
    EXPECT_FALSE(page.Option("DPI_enable_check_3")->IsEnabled());
    EXPECT_EQ(Block()[12], 3);

    page.Option("DPI_enable_check_1")->Selected(false);
    EXPECT_EQ(m().GetStageRecords()[1].enabled, 0);
    EXPECT_EQ(Saved().GetDpiStages()[1].enabled, 0);
    EXPECT_FALSE(page.Get<ui::CControlUI>("DPI_layout_1")->IsEnabled());
    page.Option("DPI_enable_check_1")->Selected(true);
    EXPECT_EQ(Saved().GetDpiStages()[1].enabled, 1);
}

TEST_F(HandlersTest, TheColourComesFromThePalette) {
    const uint32_t before = m().GetStageColour(2);
    page.host.answer.reset();  // closed, or a palette open already
    Notify("DPI_color_option_2", "click");
    EXPECT_EQ(m().GetStageColour(2), before);
    page.host.answer = 0xFFFF0000u;
    Notify("DPI_color_option_2", "click");
    ASSERT_EQ(page.host.paletteOpenedWith.size(), 2u);
    EXPECT_EQ(page.host.paletteOpenedWith[1], before);
    EXPECT_EQ(m().GetStageColour(2), 0xFFFF0000u);
    const profile::DpiStageRecord stage = Saved().GetDpiStages().at(2);
    EXPECT_EQ(stage.red, 255);
    EXPECT_EQ(stage.green, 0);
    EXPECT_EQ(stage.blue, 0);
    const auto block = Block();
    EXPECT_EQ(block[14 + 9 * 2 + 6], 255);
    EXPECT_EQ(block[14 + 9 * 2 + 7], 0);
}

TEST_F(HandlersTest, WithoutASelectedDeviceNothingHappens) {
    page.window->deviceSelected = false;
    const std::string file = m().GetProfilePath();
    const auto stages = m().GetStageRecords();
    const auto words = m().GetSystemWords();
    page.Option("polling_rate_option_1")->Selected(true);
    page.Slider("DPI_slider_0")->SetValue(60);
    page.Option("DPI_select_check_5")->Selected(true);
    page.Combo("device_sleep1_combo")->SelectItem(0);
    page.host.answer = 0xFF00FF00u;
    Notify("DPI_color_option_0", "click");
    EXPECT_EQ(m().GetStageRecords(), stages);
    EXPECT_EQ(m().GetSystemWords(), words);
    EXPECT_TRUE(page.host.paletteOpenedWith.empty());
    EXPECT_TRUE(page.host.timers.empty());
    EXPECT_TRUE(page.window->unhandled.empty());
}

TEST_F(HandlersTest, TheSecondPairClampsAndStoresNothing) {
    auto* slider = page.Slider("kesta_DPI_slider_0");
    auto* edit = page.Edit("kesta_DPI_edit_0");
    ASSERT_NE(slider, nullptr);
    ASSERT_NE(edit, nullptr);
    slider->SetValue(3200, false);
    Notify("kesta_DPI_slider_0", "movevaluechanged");
    EXPECT_EQ(edit->GetText(), "3200");
    edit->SetText("9000", false);
    Notify("kesta_DPI_edit_0", "killfocus");
    EXPECT_EQ(edit->GetText(), "6500");
    EXPECT_EQ(slider->GetValue(), 6500);
    edit->SetText("12", false);
    Notify("kesta_DPI_edit_0", "killfocus");
    EXPECT_EQ(edit->GetText(), "200");
}

TEST_F(HandlersTest, OtherNamesAreNotThePages) {
    EXPECT_FALSE(page.handlers.OnSelectChanged(page.mouse, 2, "deng_FXL_check"));
    EXPECT_FALSE(page.handlers.OnClick(page.mouse, 2, "windowdeviceset_0"));
    EXPECT_FALSE(page.handlers.OnItemSelect(page.mouse, 2, "device_profile_combo"));
    EXPECT_FALSE(page.handlers.OnKillFocus(page.mouse, 2, "macro_name_edit"));
    EXPECT_FALSE(page.handlers.OnValueChanged(page.mouse, 2, "DPI_slider_"));
    EXPECT_TRUE(page.handlers.OnSelectChanged(page.mouse, 1, "repeat_delay_check_2"));
    EXPECT_TRUE(page.handlers.OnValueChanged(nullptr, 1, "repeat_rate_slider"));
    // Outside the seven stages: the page's name, nothing done.
    EXPECT_TRUE(page.handlers.OnValueChanged(page.mouse, 2, "DPI_slider_7"));
}

}  // namespace
}  // namespace perftest
