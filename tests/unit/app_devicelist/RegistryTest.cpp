// Creation, arrival and removal without devices, the selection and the marks of the list.
#include "tests/unit/app_devicelist/DeviceListTestSupport.h"

namespace devicelist_test {
namespace {

constexpr size_t kPadCommand = 8, kPadEvent = 9, kHeadset = 10;
constexpr int kMouse = 0, kKeyboard = 1, kPad = 2, kHeadsetItem = 3;

TEST_F(DeviceListTest, StartUpCreatesTheMouseAndKeyboardHidden) {
    OpenWithPages(true, true, true, true);
    registry->CreateStartupDevices();
    ASSERT_EQ(registry->Count(), 2u);
    ASSERT_EQ(registry->Mice().size(), 1u);
    ASSERT_EQ(registry->Keyboards().size(), 1u);
    EXPECT_TRUE(registry->MousePads().empty());
    EXPECT_EQ(registry->ShownCount(), 0);

    devices::COrvaneUSBDevice* mouse = registry->Mice()[0];
    EXPECT_EQ(mouse, registry->Device(kMouse));
    EXPECT_EQ(mouse->GetKind(), 2);
    EXPECT_EQ(mouse->GetDataFolderName(), "mouse");
    EXPECT_EQ(mouse->GetKeyCount(), 11);
    EXPECT_EQ(mouse->GetLedCount(), 15);
    EXPECT_TRUE(mouse->HasBattery());
    EXPECT_EQ(mouse->GetProfileBaseName(), "profile_test");
    EXPECT_EQ(mouse->GetLightListIndex(), 1);
    EXPECT_EQ(mouse->GetMainWindow(), window->GetHWND());
    EXPECT_EQ(mouse->GetListItem(), Item(kMouse));
    EXPECT_EQ(mouse->GetPowerItem(), registry->PowerItem(kMouse));
    EXPECT_FALSE(registry->Keyboards()[0]->HasBattery());

    // Pages after the welcome page, power items after the empty one, items hidden.
    EXPECT_EQ(Item(kMouse)->TabIndex(), 1);
    EXPECT_EQ(Item(kKeyboard)->TabIndex(), 2);
    EXPECT_EQ(Item(kKeyboard)->PowerTabIndex(), 2);
    EXPECT_EQ(Item(kMouse)->PowerTabName(), "device_power_switch");
    EXPECT_FALSE(Item(kMouse)->IsShown());
    EXPECT_FALSE(Item(kMouse)->IsOwnVisible());
    EXPECT_EQ(app::FindChild(Item(kKeyboard), "device_select_name")->GetText(), "keyboard");
    EXPECT_EQ(registry->PowerItem(kMouse)->GetKind(), 2);
    EXPECT_TRUE(app::FindChild(registry->PowerItem(kMouse), "device_power_Layout")->IsOwnVisible());
    EXPECT_FALSE(
        app::FindChild(registry->PowerItem(kKeyboard), "device_power_Layout")->IsOwnVisible());

    // Creating again finds the objects there.
    registry->CreateStartupDevices();
    EXPECT_EQ(registry->Count(), 2u);
}

TEST_F(DeviceListTest, APageThatDoesNotBuildAddsNothing) {
    OpenWithPages(true, false, false, false);
    registry->CreateStartupDevices();
    EXPECT_EQ(registry->Count(), 1u);
    EXPECT_TRUE(registry->Keyboards().empty());
    EXPECT_EQ(window->Get<ui::CContainerUI>("device_switch")->GetCount(), 2);
    EXPECT_EQ(window->Get<ui::CContainerUI>("device_power_switch")->GetCount(), 2);
    EXPECT_EQ(window->Get<ui::CContainerUI>("device_select_layout")->GetCount(), 1);
    EXPECT_NE(LogText().find("CreateDevice>keyboard    no page"), std::string::npos);

    // A pad arriving without its page: ignored, and the list goes on.
    Arrive(kPadCommand);
    EXPECT_EQ(registry->Count(), 1u);
    EXPECT_EQ(registry->ShownCount(), 0);
    EXPECT_NE(LogText().find("CreateDevice>MousePad    no page"), std::string::npos);
}

TEST_F(DeviceListTest, PullingTheOnlyDeviceShowsTheNoDeviceLayout) {
    OpenWithPages(true, true, true, true);
    registry->CreateStartupDevices();
    Arrive(kPadCommand);
    ASSERT_EQ(registry->Count(), 3u);
    EXPECT_TRUE(Item(kPad)->IsShown());
    EXPECT_TRUE(Item(kPad)->IsSelected());
    EXPECT_EQ(registry->SelectedDevice(), registry->Device(kPad));
    EXPECT_EQ(registry->SelectedKind(), 3);
    EXPECT_EQ(TabOf("device_switch"), Item(kPad)->TabIndex());
    EXPECT_EQ(TabOf("device_power_switch"), Item(kPad)->PowerTabIndex());
    EXPECT_FALSE(Visible("No_device_Link"));
    EXPECT_EQ(host->restores, 1);
    EXPECT_NE(LogText().find("Open>pNoDeviceLinkLyout    false"), std::string::npos);

    Leave(kPadCommand);
    EXPECT_FALSE(Item(kPad)->IsShown());
    EXPECT_FALSE(Item(kPad)->IsSelected());
    EXPECT_EQ(registry->ShownCount(), 0);
    EXPECT_EQ(registry->SelectedDevice(), nullptr);
    EXPECT_TRUE(Visible("No_device_Link"));
    EXPECT_EQ(TabOf("device_switch"), 0);
    EXPECT_EQ(TabOf("device_power_switch"), 0);
    EXPECT_NE(LogText().find("DeviceSelectChanger>pNoDeviceLinkLyout    true"), std::string::npos);
    // It was shown and selected: sub-windows closed, the hook let go, the list usable.
    EXPECT_EQ(host->subWindowCloses, 1);
    EXPECT_EQ(Messages(1054, 0), 1);
    ASSERT_EQ(host->savedStateCalls.size(), 1u);
    EXPECT_EQ(host->savedStateCalls[0], std::make_pair(true, 1));

    // The object stays for the next arrival.
    Arrive(kPadCommand);
    EXPECT_EQ(registry->Count(), 3u);
    EXPECT_TRUE(Item(kPad)->IsShown());
    EXPECT_FALSE(Visible("No_device_Link"));
}

TEST_F(DeviceListTest, ErrorLayoutAndNoDeviceFlagFollowTheInitMessage) {
    OpenWithPages(true, true, true, true);
    registry->CreateStartupDevices();
    Arrive(kPadCommand);
    registry->OnDeviceInitUI(0);
    EXPECT_TRUE(Visible("Error_device_Link"));
    Leave(kPadCommand);
    // With the flag cleared the no-device layout stays as it was.
    EXPECT_FALSE(Visible("No_device_Link"));
    EXPECT_EQ(TabOf("device_switch"), 0);
    registry->OnDeviceInitUI(1);
    EXPECT_FALSE(Visible("Error_device_Link"));
    registry->RefreshNoDeviceLayout("UIMSG_TRAYICON");
    EXPECT_TRUE(Visible("No_device_Link"));
    EXPECT_NE(LogText().find("UIMSG_TRAYICON>pNoDeviceLinkLyout    true"), std::string::npos);
}

TEST_F(DeviceListTest, AnEventInterfaceBeforeItsCommandInterfaceMakesOneObject) {
    OpenWithPages(true, true, true, true);
    registry->CreateStartupDevices();
    Arrive(kPadEvent);
    ASSERT_EQ(registry->Count(), 3u);
    EXPECT_EQ(registry->Device(kPad)->GetIdentity().Role, hid::kRoleCommand);
    Arrive(kPadCommand);
    EXPECT_EQ(registry->Count(), 3u);
    EXPECT_EQ(registry->MousePads().size(), 1u);
    EXPECT_TRUE(Item(kPad)->IsShown());
    EXPECT_EQ(registry->IndexForSlot(kPadEvent), kPad);
    EXPECT_EQ(registry->IndexForSlot(kPadCommand), kPad);
    // The receiver's slots stand for the cable's object.
    EXPECT_EQ(registry->IndexForSlot(6), kMouse);
    EXPECT_EQ(registry->IndexForSlot(7), kMouse);
    EXPECT_EQ(registry->IndexForSlot(99), -1);
    registry->OnDeviceAdd(99);
    registry->OnDeviceRemove(99);
    EXPECT_EQ(registry->Count(), 3u);
}

TEST_F(DeviceListTest, SynchronisationMarksNeedTwoShownDevices) {
    OpenWithPages(true, true, true, true);
    registry->CreateStartupDevices();
    Arrive(kPadCommand);
    Arrive(kHeadset);
    ASSERT_EQ(registry->Count(), 4u);
    EXPECT_EQ(registry->ShownCount(), 2);
    Item(kPad)->SetSynchro(true);
    Item(kHeadsetItem)->SetSynchro(true);
    registry->SelectDevice(kPad, true, true);
    EXPECT_TRUE(Item(kPad)->IsSynchro());
    EXPECT_TRUE(Item(kHeadsetItem)->IsSynchro());

    Leave(kHeadset);
    EXPECT_EQ(registry->ShownCount(), 1);
    EXPECT_FALSE(Item(kPad)->IsSynchro());
    EXPECT_FALSE(Item(kHeadsetItem)->IsSynchro());
}

TEST_F(DeviceListTest, SameModeFlagAndLightHoldFollowTheShownCount) {
    OpenWithPages(true, true, true, true);
    registry->CreateStartupDevices();
    std::vector<std::pair<devices::COrvaneUSBDevice*, bool>> calls;
    registry->SetSameModeSink(
        [&](devices::COrvaneUSBDevice& d, bool allowed) { calls.emplace_back(&d, allowed); });
    Arrive(kPadCommand);
    ASSERT_EQ(calls.size(), 3u);  // keyboard, mouse, pad
    EXPECT_EQ(calls[0].first, registry->Keyboards()[0]);
    EXPECT_EQ(calls[1].first, registry->Mice()[0]);
    EXPECT_FALSE(calls[2].second);
    calls.clear();
    Arrive(kHeadset);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_TRUE(calls[3].second);
    EXPECT_EQ(calls[3].first, registry->Headsets()[0]);

    registry->Device(kPad)->Channel().SetHold(5);
    Leave(kHeadset);
    EXPECT_EQ(registry->Device(kPad)->Channel().Hold(), 0u);
}

TEST_F(DeviceListTest, PreviousAndNextSkipHiddenItemsAndStopAtTheEnds) {
    OpenWithPages(true, true, true, true);
    registry->CreateStartupDevices();
    Arrive(kPadCommand);
    Arrive(kHeadset);
    registry->SelectDevice(kMouse, true, false);
    registry->SelectDevice(kPad, true, true);
    ASSERT_EQ(registry->ShownCount(), 3);
    ASSERT_TRUE(Item(kPad)->IsSelected());

    registry->SelectPrevious();  // over the hidden keyboard
    EXPECT_TRUE(Item(kMouse)->IsSelected());
    EXPECT_FALSE(Item(kPad)->IsSelected());
    EXPECT_EQ(registry->SelectedDevice(), registry->Device(kMouse));
    EXPECT_EQ(TabOf("device_switch"), Item(kMouse)->TabIndex());
    registry->SelectPrevious();
    EXPECT_TRUE(Item(kMouse)->IsSelected());

    registry->SelectNext();
    EXPECT_TRUE(Item(kPad)->IsSelected());
    registry->SelectNext();
    EXPECT_TRUE(Item(kHeadsetItem)->IsSelected());
    EXPECT_EQ(registry->SelectedKind(), 7);
    registry->SelectNext();
    EXPECT_TRUE(Item(kHeadsetItem)->IsSelected());
    EXPECT_EQ(TabOf("device_power_switch"), Item(kHeadsetItem)->PowerTabIndex());
}

TEST_F(DeviceListTest, RemoveDeviceIgnoresBadIndexesAndKeepsAnotherSelection) {
    OpenWithPages(true, true, true, true);
    registry->CreateStartupDevices();
    Arrive(kPadCommand);
    Arrive(kHeadset);
    registry->RemoveDevice(-1);
    registry->RemoveDevice(4);
    registry->RemoveDevice(99);
    EXPECT_EQ(registry->ShownCount(), 2);
    ASSERT_TRUE(Item(kPad)->IsSelected());

    // A shown item that is not selected goes quietly.
    registry->RemoveDevice(kHeadsetItem);
    EXPECT_EQ(host->subWindowCloses, 0);
    EXPECT_TRUE(Item(kPad)->IsSelected());
    EXPECT_FALSE(Item(kHeadsetItem)->IsShown());

    // The selected one hands the selection to the other shown item.
    registry->SelectDevice(kHeadsetItem, true, false);
    registry->RemoveDevice(kPad);
    EXPECT_EQ(host->subWindowCloses, 1);
    EXPECT_TRUE(Item(kHeadsetItem)->IsSelected());
    EXPECT_TRUE(Item(kHeadsetItem)->IsShown());
    EXPECT_EQ(registry->SelectedDevice(), registry->Device(kHeadsetItem));
    EXPECT_FALSE(Visible("No_device_Link"));
}

TEST_F(DeviceListTest, LinkStateMessagesHideAndShowAnItem) {
    OpenWithPages(true, true, true, true);
    registry->CreateStartupDevices();
    registry->OnLinkState(kMouse, 1);
    EXPECT_TRUE(Item(kMouse)->IsShown());
    EXPECT_TRUE(Item(kMouse)->IsSelected());  // no item was shown before
    registry->OnLinkState(kKeyboard, 1);
    EXPECT_TRUE(Item(kKeyboard)->IsShown());
    EXPECT_FALSE(Item(kKeyboard)->IsSelected());
    registry->OnLinkState(kMouse, 0);
    EXPECT_FALSE(Item(kMouse)->IsShown());
    EXPECT_TRUE(Item(kKeyboard)->IsSelected());
    registry->OnLinkState(42, 1);
    registry->OnLinkState(42, 0);
    EXPECT_EQ(registry->ShownCount(), 1);
}

}  // namespace
}  // namespace devicelist_test
