// A DPI slider dragged on the real page reaches the profile file and the simulated mouse; the
// report rate too, and only from the cable mouse; with the mouse gone the profile is saved.
#include "devices/mouse/SettingsBlock.h"
#include "profile/MouseProfiledata.h"
#include "tests/integration/proto/BusFixture.h"
#include "tests/ui/panels_performance/PerformancePageSupport.h"

namespace {

class PerformanceEndToEnd : public prototest::BusTest {
  protected:
    // The page with a mouse whose channel is open on the cable or the receiver, connected.
    void Connect(bool receiver) {
        page = std::make_unique<perftest::PageFixture>(
            [this] { return new devices::COrvaneMouseDevice(transport.get()); });
        devices::COrvaneMouseDevice& m = *page->mouse;
        hid::CHidChannel& channel = m.Channel();
        hid::CHidDevice& device = receiver ? channel.ReceiverDevice() : channel.CableDevice();
        ASSERT_TRUE(
            device.Open(PathOf(receiver ? "mouse-receiver-if1-col2" : "mouse-cable-if1-col2"), true,
                        true, true, false));
        channel.SetOpen(true);
        channel.SetConnection(receiver ? hid::kConnectionReceiver : hid::kConnectionCable);
        page->SetKind(receiver ? hid::kKindMouseReceiver : hid::kKindMouseCable);
        m.SetMessageSink([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
        m.BindPanelControls();
        m.ConnectDevice();
        m.StopPreviewThread();
    }
    void TearDown() override {
        page.reset();
        BusTest::TearDown();
    }
    std::vector<uint8_t> DeviceBlock() {
        return devices.Mouse().Memory(0, devices::mouse::kSettingsBlockSize);
    }
    profile::DpiStageRecord SavedStage(int i) {
        profile::CMouseProfiledata saved;
        saved.LoadDocument(page->mouse->GetProfilePath());
        return saved.GetDpiStages().at(static_cast<size_t>(i));
    }
    std::unique_ptr<perftest::PageFixture> page;
};

TEST_F(PerformanceEndToEnd, ADraggedSliderReachesTheProfileAndTheMouse) {
    Connect(false);
    // The simulated mouse has sensor 0x3395 and holds 1600 DPI raw in stage 2.
    EXPECT_EQ(page->Slider("DPI_slider_2")->GetMaxValue(), 519);
    auto* slider = page->Slider("DPI_slider_2");
    slider->SetValue(62, false);
    page->window->GetPaintManager()->SendNotify(slider, "movevaluechanged");
    EXPECT_EQ(page->Edit("DPI_edit_2")->GetText(), "3150");
    slider->SetValue(63);  // released: "valuechanged"
    EXPECT_EQ(page->Edit("DPI_edit_2")->GetText(), "3200");
    EXPECT_EQ(SavedStage(2).x, 63);
    const std::vector<uint8_t> block = DeviceBlock();
    EXPECT_EQ(block[14 + 9 * 2 + 2], 63);
    EXPECT_EQ(block[14 + 9 * 2 + 3], 0);

    page->Edit("DPI_edit_5")->SetText("800", false);
    page->window->GetPaintManager()->SendNotify(page->Edit("DPI_edit_5"), "killfocus");
    EXPECT_EQ(DeviceBlock()[14 + 9 * 5 + 2], 15);

    page->Option("polling_rate_option_3")->Selected(true);
    EXPECT_EQ(DeviceBlock()[11], 3);
}

TEST_F(PerformanceEndToEnd, TheReceiverMouseTakesStagesButNotTheReportRate) {
    Connect(true);
    const uint8_t rate = DeviceBlock()[11];
    page->Option("polling_rate_option_0")->Selected(true);
    page->Option("polling_rate_option_4")->Selected(true);
    EXPECT_EQ(DeviceBlock()[11], rate);
    page->Slider("DPI_slider_0")->SetValue(20);
    EXPECT_EQ(DeviceBlock()[14 + 2], 20);
}

TEST_F(PerformanceEndToEnd, WithTheMouseGoneTheProfileIsStillSaved) {
    Connect(false);
    ASSERT_TRUE(simulator->Unplug("mouse-cable"));
    page->Slider("DPI_slider_1")->SetValue(40);
    EXPECT_EQ(SavedStage(1).x, 40);
    EXPECT_EQ(page->Edit("DPI_edit_1")->GetText(), "2050");
}

}  // namespace
