// The device base on a page: binding, function pages, notifications, the LED preview
// reaching the picture, and the device's folders.
#include <filesystem>

#include "PageTestSupport.h"
#include "controls/DeviceKeyButtonUI.h"
#include "controls/LedColour.h"
#include "devices/OrvaneUSBDevice.h"
#include "devices/PreviewModes.h"
#include "tests/unit/platform/TestFolders.h"
#include "ui/layout/TabLayoutUI.h"

namespace devices_test {
namespace {

using controls::CDeviceKeyButtonUI;
using devices::COrvaneUSBDevice;

const char* kPage = R"(
<Window size="600,400">
  <HorizontalLayout>
    <OrvaneUSBDevice name="dev">
      <Control name="filler" width="4"/>
      <SelectPanel name="panel" width="300">
        <DeviceKeyButton name="key_0" userdata="light_0" float="true" pos="10,10,30,30" lightimage="led.png"/>
        <DeviceKeyButton name="key_12" userdata="light_12" float="true" pos="40,10,60,30"/>
        <DeviceKeyButton name="logo" userdata="glow" float="true" pos="70,10,90,30"/>
        <DeviceKeyButton name="key_3" userdata="light_5" float="true" pos="100,10,120,30" lightimage="led.png"/>
        <DeviceKeyButton name="key_-1" userdata="light_-1" float="true" pos="130,10,150,30"/>
        <DeviceKeyButton name="KEY_9" userdata="LIGHT_9" float="true" pos="160,10,180,30" lightimage="led.png"/>
        <Button name="key_1" userdata="light_2" float="true" pos="190,10,210,30"/>
      </SelectPanel>
      <SelectPanel name="second" width="20">
        <DeviceKeyButton name="key_2" userdata="light_3"/>
      </SelectPanel>
      <VerticalLayout>
        <TabLayout name="device_function_switch">
          <Control/><Control/><Control/><Control/><Control/>
        </TabLayout>
        <TabLayout name="device_key_function_switch">
          <Control/><Control/><Control/>
        </TabLayout>
        <Button name="ok" height="20"/>
      </VerticalLayout>
    </OrvaneUSBDevice>
    <OrvaneUSBDevice name="dev2" width="50">
      <Button name="ok"/>
    </OrvaneUSBDevice>
  </HorizontalLayout>
</Window>)";

class DevicePageTest : public PageTest {
  protected:
    void SetUp() override {
        Open(kPage);
        AddImage("led.png", 8, 8);
        device = window->Get<COrvaneUSBDevice>("dev");
        ASSERT_NE(device, nullptr);
        device->SetSkinFile("XML/DeviceXml/test.xml");
        device->SetKeyCount(10);
        device->SetLedCount(10);
        device->BindPanelControls();
    }
    CDeviceKeyButtonUI* Button(const std::string& name) {
        return window->Get<CDeviceKeyButtonUI>(name);
    }
    void SetKind(int kind) {
        hid::DeviceIdentity identity;
        identity.Kind = static_cast<uint16_t>(kind);
        device->SetIdentity(identity);
    }
    std::pair<int, int> Tabs() {
        return {window->Get<ui::CTabLayoutUI>("device_function_switch")->GetCurSel(),
                window->Get<ui::CTabLayoutUI>("device_key_function_switch")->GetCurSel()};
    }
    COrvaneUSBDevice* device = nullptr;
};

TEST_F(DevicePageTest, BindsKeysByNameAndLedsByUserDataInTheFirstPanelOnly) {
    EXPECT_EQ(device->GetSelectPanel(), window->Get<ui::CControlUI>("panel"));
    EXPECT_EQ(device->GetKeyButton(0), Button("key_0"));
    EXPECT_EQ(device->GetKeyButton(3), Button("key_3"));
    EXPECT_EQ(device->GetLedButton(5), Button("key_3")) << "one control is key 3 and LED 5";
    EXPECT_EQ(device->GetKeyButton(9), Button("KEY_9"));
    EXPECT_EQ(device->GetLedButton(9), Button("KEY_9"));
    EXPECT_EQ(device->GetKeyButton(1), nullptr) << "a plain button is no key";
    EXPECT_EQ(device->GetLedButton(2), nullptr);
    EXPECT_EQ(device->GetKeyButton(2), nullptr) << "the second panel is not looked at";
    EXPECT_EQ(device->GetLedButton(3), nullptr);
    for (int i : {4, 6, 7, 8})
        EXPECT_EQ(device->GetKeyButton(i), nullptr) << i;
    EXPECT_EQ(device->GetKeyButton(-1), nullptr);
    EXPECT_EQ(device->GetKeyButton(12), nullptr);

    // Bound LEDs start lit white at full level; others keep their initial state.
    auto* led = Button("key_3");
    EXPECT_EQ(led->GetLightColour(), controls::PackLedColour(255, 255, 255));
    EXPECT_EQ(led->GetLightLevel(), 255);
    EXPECT_TRUE(led->IsLightShown());
    EXPECT_FALSE(Button("key_12")->IsLightShown());
    EXPECT_FALSE(Button("key_-1")->IsLightShown());
    EXPECT_FALSE(Button("logo")->IsLightShown());
}

TEST_F(DevicePageTest, WithoutSkinNothingIsBound) {
    device->SetSkinFile("");
    device->BindPanelControls();
    EXPECT_EQ(device->GetKeyCount(), 0);
    EXPECT_EQ(device->GetLedCount(), 0);
    EXPECT_EQ(device->GetKeyButton(0), nullptr);
    EXPECT_EQ(device->GetLedButton(0), nullptr);
    device->SetLedColour(0, devices::LedColour{1, 2, 3, 4});
    EXPECT_EQ(device->GetLedColour(0), devices::LedColour{});
}

TEST_F(DevicePageTest, LedCountZeroesColoursAndLedListEveryTime) {
    device->SetLedColour(4, devices::LedColour{1, 2, 3, 4});
    EXPECT_EQ(device->GetLedColour(4), (devices::LedColour{1, 2, 3, 4}));
    device->SetLedColour(-1, devices::LedColour{9, 9, 9, 9});
    device->SetLedColour(10, devices::LedColour{9, 9, 9, 9});
    EXPECT_EQ(device->GetLedColour(-1), devices::LedColour{});
    EXPECT_EQ(device->GetLedColour(10), devices::LedColour{});
    device->SetLedCount(10);
    EXPECT_EQ(device->GetLedColour(4), devices::LedColour{});
    EXPECT_EQ(device->GetLedList().size(), 10u);
    device->SetLedCount(-3);
    EXPECT_EQ(device->GetLedCount(), 0);
    device->SetKeyCount(100000);
    EXPECT_EQ(device->GetKeyCount(), COrvaneUSBDevice::kMaxButtons);
}

TEST_F(DevicePageTest, PreviewColourReachesThePictureTinted) {
    // Static, brightness 3, red 0x20 green 0x80 blue 0xC0.
    device->SetLightSettings(0 | (3u << 8), 0 | (0x20u << 8) | (0x80u << 16) | (0xC0u << 24), 0, 0);
    ASSERT_TRUE(devices::RunBasePreviewStep(*device, 0));
    device->RefreshPreview();
    EXPECT_EQ(Button("key_3")->GetLightColour(), controls::PackLedColour(0x20, 0x80, 0xC0));
    auto images = window->Native()->Paint().OfKind(ui::headless::OpKind::Image);
    ASSERT_EQ(images.size(), 3u);  // LEDs 0, 5 and 9 have a light image
    for (const auto& op : images) {
        EXPECT_TRUE(op.tinted);
        EXPECT_EQ(op.color, ui::MakeColor(0x20, 0x80, 0xC0));
        EXPECT_EQ(op.alpha, 175);
    }

    // Off, but the program does not control the lights: the picture keeps its colour.
    device->SetLightControl(0);
    devices::RunBasePreviewStep(*device, 4);
    device->RefreshPreview();
    EXPECT_EQ(Button("key_3")->GetLightLevel(), 175);
    device->SetLightControl(1);
    // A hidden LED is left as it is.
    Button("key_0")->SetVisible(false);
    device->RefreshPreview();
    EXPECT_EQ(Button("key_3")->GetLightLevel(), 0);
    EXPECT_EQ(Button("key_0")->GetLightLevel(), 175);
    EXPECT_FALSE(devices::RunBasePreviewStep(*device, 5));
    EXPECT_FALSE(devices::RunBasePreviewStep(*device, 12));
}

TEST_F(DevicePageTest, FlashFollowsTheInjectedClock) {
    struct Clock : devices::TickClock {
        uint32_t now = 50000;
        uint32_t NowMs() override { return now; }
    } clock;
    device->SetTickClock(&clock);
    device->SetLightSettings(6 | (4u << 8) | (4u << 16), 0xFFu << 8, 0, 0);
    device->PreviewFlash();
    EXPECT_EQ(device->GetLedColour(0), (devices::LedColour{255, 0, 0, 255}));
    clock.now += 1399;
    device->PreviewFlash();
    EXPECT_EQ(device->GetLedColour(7).level, 255);
    clock.now += 1;
    device->PreviewFlash();
    EXPECT_EQ(device->GetLedColour(7), devices::LedColour{});
    device->SetTickClock(nullptr);
}

TEST_F(DevicePageTest, FunctionPagesFollowThePageAndTheKind) {
    SetKind(hid::kKindMouseCable);
    device->ShowFunctionPage(4);
    EXPECT_EQ(Tabs(), std::make_pair(3, 0));
    EXPECT_EQ(device->GetFunctionPage(), 4);
    device->ShowFunctionPage(2);
    EXPECT_EQ(Tabs(), std::make_pair(0, 1));
    device->ShowFunctionPage(8);
    EXPECT_EQ(Tabs(), std::make_pair(1, 1)) << "the key page stays";
    device->ShowFunctionPage(5);
    EXPECT_EQ(Tabs(), std::make_pair(2, 1));
    device->ShowFunctionPage(9);
    EXPECT_EQ(Tabs(), std::make_pair(4, 1));
    device->ShowFunctionPage(7);
    EXPECT_EQ(Tabs(), std::make_pair(0, 2));
    device->ShowFunctionPage(1);
    EXPECT_EQ(Tabs(), std::make_pair(0, 0));
    SetKind(hid::kKindMousePad);
    device->ShowFunctionPage(4);
    EXPECT_EQ(Tabs(), std::make_pair(0, 2));
    SetKind(hid::kKindMouseReceiver);
    device->ShowFunctionPage(4);
    EXPECT_EQ(Tabs(), std::make_pair(3, 2)) << "the mouse on its receiver shows its own page";
    EXPECT_EQ(window->Count("tabselect"), 0);
}

TEST_F(DevicePageTest, NotificationsOnlyFromTheDevicesOwnPage) {
    int clicks = 0;
    device->AddNotifyHandler("click", [&clicks](ui::TNotifyUI&) { ++clicks; });
    auto* other = window->Get<COrvaneUSBDevice>("dev2");
    ui::CControlUI* mine = window->GetPaintManager()->FindSubControlByName(device, "ok");
    ui::CControlUI* theirs = window->GetPaintManager()->FindSubControlByName(other, "ok");
    ASSERT_NE(mine, theirs);
    ui::TNotifyUI msg;
    msg.sType = "click";
    msg.pSender = theirs;
    device->Notify(msg);
    EXPECT_EQ(clicks, 0);
    msg.pSender = mine;
    device->Notify(msg);
    EXPECT_EQ(clicks, 1);
    msg.pSender = nullptr;
    device->Notify(msg);
    EXPECT_EQ(clicks, 1);
}

TEST_F(DevicePageTest, UserDataFolderIsMadeEveryTimeDefaultFoldersNever) {
    t418test::TempFolder home;
    t418test::ScopedEnv data("XDG_DATA_HOME", home / "data");
    t418test::ScopedEnv program("T418_ZEN_PROGRAM_DIR", home / "program");
    device->SetDataFolderName("mouse");
    std::string folder = device->GetUserDataFolder();
    EXPECT_EQ(folder, home / "data/T418-ZEN/mouse/");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    std::filesystem::remove_all(home / "data");
    EXPECT_EQ(device->GetUserDataFolder(), folder);
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    EXPECT_EQ(device->GetDefaultDataFolder(), home / "program/DefaultData/");
    EXPECT_EQ(device->GetDefaultDocumentPath(), home / "program/DefaultData/mouse.Json");
    EXPECT_FALSE(std::filesystem::exists(home / "program"));
}

}  // namespace
}  // namespace devices_test
