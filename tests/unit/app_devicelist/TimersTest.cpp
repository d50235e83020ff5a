// The list item's timers against a device that counts what they ask of it.
#include "tests/unit/app_devicelist/DeviceListTestSupport.h"

namespace devicelist_test {
namespace {

using app::kTimerConnect;
using app::kTimerKeepAlive;
using app::kTimerLinkWatch;
using app::kTimerPower;
using app::kTimerPreview;

class ItemTimerTest : public DeviceListTest {
  protected:
    void SetUp() override {
        DeviceListTest::SetUp();
        OpenWithPages(true, true, false, false);
        registry->CreateStartupDevices();
        ASSERT_EQ(registry->Count(), 2u);
        mouse = Counting(0);
        item = Item(0);
        ASSERT_NE(mouse, nullptr);
    }
    // A channel marked open with no handle behind it: commands fail at once.
    void OpenChannel(int connection) {
        mouse->Channel().SetOpen(true);
        mouse->Channel().SetConnection(connection);
    }
    CountingDevice* mouse = nullptr;
    app::CDeviceOptionUI* item = nullptr;
};

TEST_F(ItemTimerTest, PreviewRefreshPacesByConnectionAndIdlesWhileUnseen) {
    OpenChannel(hid::kConnectionCable);
    item->StartTimer(kTimerPreview, 5);
    backend.AdvanceTime(100);
    EXPECT_EQ(mouse->refreshes, 20);

    mouse->SetPreviewActive(0);
    backend.AdvanceTime(10000);
    EXPECT_LE(mouse->refreshes, 21);
    EXPECT_TRUE(item->HasTimer(kTimerPreview));
    const int idle = mouse->refreshes;
    registry->SetPreviewActive(1);  // back in sight: at once, not after the idle period
    backend.AdvanceTime(5);
    EXPECT_EQ(mouse->refreshes, idle + 1);

    mouse->Channel().SetConnection(hid::kConnectionReceiver);
    backend.AdvanceTime(5);
    const int before = mouse->refreshes;
    backend.AdvanceTime(2000);
    EXPECT_EQ(mouse->refreshes, before + 4);

    // A closed channel: one more run, then the timer stays off.
    mouse->Channel().SetOpen(false);
    backend.AdvanceTime(1000);
    EXPECT_FALSE(item->HasTimer(kTimerPreview));
}

TEST_F(ItemTimerTest, ConnectOnTheCableConnectsAndStartsThePreview) {
    OpenChannel(hid::kConnectionCable);
    item->StartTimer(kTimerConnect, app::kConnectDelayMs);
    backend.AdvanceTime(499);
    EXPECT_EQ(mouse->connects, 0);
    backend.AdvanceTime(1);
    EXPECT_EQ(mouse->connects, 1);
    EXPECT_EQ(mouse->probes, 0);
    EXPECT_FALSE(item->HasTimer(kTimerConnect));
    EXPECT_TRUE(item->HasTimer(kTimerPreview));
    EXPECT_FALSE(item->HasTimer(kTimerLinkWatch));
    EXPECT_FALSE(item->HasTimer(kTimerKeepAlive));
}

TEST_F(ItemTimerTest, ConnectThroughAReceiverWaitsForTheLink) {
    OpenChannel(hid::kConnectionReceiver);
    registry->SelectDevice(0, true, true);
    mouse->linked = false;
    item->StartTimer(kTimerConnect, app::kConnectDelayMs);
    backend.AdvanceTime(500);
    EXPECT_EQ(mouse->connects, 0);
    EXPECT_EQ(item->ConnectFailures(), 1);
    EXPECT_EQ(Messages(app::WM_USB_MAINMESS_LINK_STATE, 0), 1);
    EXPECT_FALSE(item->IsShown());
    backend.AdvanceTime(app::kConnectRetryMs);
    EXPECT_EQ(item->ConnectFailures(), 2);
    EXPECT_EQ(Messages(app::WM_USB_MAINMESS_LINK_STATE, 0), 1);  // only while shown

    mouse->linked = true;
    backend.AdvanceTime(app::kConnectRetryMs);
    EXPECT_EQ(mouse->connects, 1);
    EXPECT_EQ(item->ConnectFailures(), 0);
    EXPECT_EQ(Messages(app::WM_USB_MAINMESS_LINK_STATE, 1), 1);
    EXPECT_TRUE(item->IsShown());
    EXPECT_TRUE(item->HasTimer(kTimerKeepAlive));
    EXPECT_TRUE(item->HasTimer(kTimerLinkWatch));
    EXPECT_TRUE(item->HasTimer(kTimerPreview));
}

TEST_F(ItemTimerTest, ConnectFailureCounterWrapsAtTwenty) {
    OpenChannel(hid::kConnectionReceiver);
    mouse->linked = false;
    item->StartTimer(kTimerConnect, 1);
    backend.AdvanceTime(1);
    for (int i = 1; i < app::kConnectRetryWrap; ++i)
        backend.AdvanceTime(app::kConnectRetryMs);
    EXPECT_EQ(mouse->probes, 20);
    EXPECT_EQ(item->ConnectFailures(), 0);
}

TEST_F(ItemTimerTest, LinkWatchFollowsTheLinkWhileTheChannelIsOpen) {
    OpenChannel(hid::kConnectionReceiver);
    registry->SelectDevice(0, true, true);
    mouse->linked = false;
    item->StartTimer(kTimerLinkWatch, 10);
    backend.AdvanceTime(10);
    EXPECT_FALSE(item->IsShown());
    EXPECT_TRUE(item->HasTimer(kTimerLinkWatch));

    mouse->linked = true;
    const int queries = mouse->powerQueries;
    backend.AdvanceTime(app::kLinkWatchMs);
    EXPECT_TRUE(item->IsShown());
    EXPECT_GT(mouse->powerQueries, queries);

    // On the cable the watch ends.
    mouse->Channel().SetConnection(hid::kConnectionCable);
    backend.AdvanceTime(app::kLinkWatchMs);
    EXPECT_FALSE(item->HasTimer(kTimerLinkWatch));
    const int probes = mouse->probes;
    backend.AdvanceTime(10000);
    EXPECT_EQ(mouse->probes, probes);
}

TEST_F(ItemTimerTest, PowerQueryRepeatsOnlyForADeviceWithABattery) {
    item->StartTimer(kTimerPower, 50);
    backend.AdvanceTime(50 + 3 * app::kPowerRepeatMs);
    EXPECT_EQ(mouse->powerQueries, 4);

    CountingDevice* keyboard = Counting(1);
    Item(1)->StartTimer(kTimerPower, 50);
    backend.AdvanceTime(10000);
    EXPECT_EQ(keyboard->powerQueries, 1);
    EXPECT_FALSE(Item(1)->HasTimer(kTimerPower));
}

TEST_F(ItemTimerTest, ShowingABatteryDeviceWithAnOpenChannelQueriesItsPower) {
    OpenChannel(hid::kConnectionCable);
    mouse->Channel().SetSuspended(true);
    registry->SelectDevice(0, true, true);
    EXPECT_FALSE(mouse->Channel().Suspended());
    backend.AdvanceTime(app::kPowerFirstMs);
    EXPECT_EQ(mouse->powerQueries, 1);
}

class KeepAliveCounter : public CountingDevice {
  public:
    int asked = 0;
    int GetKeepAliveMinutes() override {
        ++asked;
        return keepAliveMinutes;
    }
};

TEST_F(DeviceListTest, KeepAliveRearmsAfterTheSleepTimeLessTenSeconds) {
    WriteSkin("XML/DeviceXml/mousedevice.xml", "<KeepAliveCounter/>");
    Open();
    KeepAliveCounter* device = nullptr;
    window->maker = [&](const std::string&) {
        device = new KeepAliveCounter;
        return device;
    };
    registry->CreateStartupDevices();
    ASSERT_NE(device, nullptr);
    app::CDeviceOptionUI* item = registry->Item(0);
    device->Channel().SetOpen(true);
    device->keepAliveMinutes = 2;
    item->StartTimer(kTimerKeepAlive, 50);
    backend.AdvanceTime(50);
    EXPECT_EQ(device->asked, 1);
    backend.AdvanceTime(2 * 60000 - 10000 - 1);
    EXPECT_EQ(device->asked, 1);
    backend.AdvanceTime(1);
    EXPECT_EQ(device->asked, 2);

    device->keepAliveMinutes = 0;  // no sleep: nothing to keep awake
    backend.AdvanceTime(2 * 60000);
    EXPECT_FALSE(item->HasTimer(kTimerKeepAlive));
}

}  // namespace
}  // namespace devicelist_test
