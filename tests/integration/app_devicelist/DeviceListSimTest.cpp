// The device list with the mouse, its receiver, the pad and the headset plugged and pulled
// on the simulated bus; the scan thread's passes report to the list as the window would.
#include <filesystem>

#include "devices/headset/OrvaneDA6533Device.h"
#include "devices/mouse/InfoBlock.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "devices/pad/OrvaneMousePadDevice.h"
#include "hid/DeviceScanThread.h"
#include "hid/ScanReporter.h"
#include "sim/Simulator.h"
#include "sim/firmware/SimulatedDevices.h"
#include "tests/unit/app_devicelist/DeviceListTestSupport.h"

namespace devicelist_test {
namespace {

constexpr uint32_t kTitleMessage = 0xC123;

// Hands the scan thread's reports to the list on the calling thread, which is the window's
// in these tests (the passes run there).
class ListReporter : public hid::ScanReporter {
  public:
    app::IDeviceList* list = nullptr;
    void Send(uint32_t message, uintptr_t wParam, intptr_t) override {
        if (list == nullptr)
            return;
        if (message == hid::WM_USB_MAINMESS_DEVICE_ADD)
            list->OnDeviceAdd(wParam);
        else if (message == hid::WM_USB_MAINMESS_DEVICE_REMOVE)
            list->OnDeviceRemove(wParam);
    }
    void Post(uint32_t, uintptr_t, intptr_t) override {}
};

class DeviceListSimTest : public DeviceListTest {
  protected:
    void SetUp() override {
        DeviceListTest::SetUp();
        ::setenv("T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR, 1);
        const std::filesystem::path page = "skin/XML/DeviceXml/mousedevice.xml";
        std::filesystem::create_directories((folder / page).parent_path());
        std::filesystem::copy_file(std::filesystem::path(T418_RESOURCES_DIR) / page, folder / page);

        simulator = std::make_unique<sim::Simulator>((folder / "bus").string());
        simulator->SetFirmwareFactory([this](const sim::BusDevice& device,
                                             const sim::BusInterface& iface,
                                             const sim::BusCollection& collection) {
            return devices.HandlerFor(device, iface, collection);
        });
        ASSERT_TRUE(simulator->Start());
        devices.Mouse().SetPowerState({57, 1});

        Open();
        reporter.list = registry.get();
        scanner = std::make_unique<hid::DeviceScanThread>(host->slots, reporter, kTitleMessage,
                                                          emptyBus.get());
        registry->CreateStartupDevices();
        ASSERT_EQ(registry->Mice().size(), 1u);
        mouse = dynamic_cast<devices::COrvaneMouseDevice*>(registry->Mice()[0]);
        ASSERT_NE(mouse, nullptr);
        item = registry->Item(0);
    }

    void TearDown() override {
        scanner.reset();
        DeviceListTest::TearDown();
        simulator->Stop();
        simulator.reset();
    }

    ui::CControlUI* MakeDevice(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, "OrvaneMouseDevice"))
            return new devices::COrvaneMouseDevice(emptyBus.get());
        if (ui::EqualsNoCase(tag, "OrvaneMousePadDevice"))
            return new devices::COrvaneMousePadDevice(emptyBus.get());
        if (ui::EqualsNoCase(tag, "OrvaneDA6533Device"))
            return new devices::COrvaneDA6533Device(emptyBus.get());
        return DeviceListTest::MakeDevice(tag);
    }

    void Pass() { ASSERT_TRUE(scanner->RunPass()); }
    void Plug(const char* name) {
        ASSERT_TRUE(simulator->Plug(name));
        Pass();
    }
    void Unplug(const char* name) {
        ASSERT_TRUE(simulator->Unplug(name));
        Pass();
    }
    std::string PathOf(const std::string& id) {
        std::vector<std::string> paths;
        emptyBus->EnumeratePaths(paths);
        for (const std::string& path : paths)
            if (path.find("/" + id + "#") != std::string::npos)
                return path;
        ADD_FAILURE() << "no collection " << id;
        return {};
    }
    hid::CHidChannel& Channel() { return mouse->Channel(); }
    std::string PowerText() {
        return app::FindChild(registry->PowerItem(0), "device_power_value")->GetText();
    }
    int InitMessages(uintptr_t flag) const {
        int n = 0;
        for (const WindowMessage& m : window->messages)
            n += m.msg == devices::WM_USB_MAINMESS_DEVICE_IS_INITUI && m.wParam == flag ? 1 : 0;
        return n;
    }
    // The page of a device type, copied from the source tree into the program folder.
    void AddPage(const char* file) {
        const std::filesystem::path page = std::string("skin/XML/DeviceXml/") + file;
        std::filesystem::copy_file(std::filesystem::path(T418_RESOURCES_DIR) / page, folder / page);
    }
    // The cable's arrival and the connect timer that follows it.
    void PlugCableAndConnect() {
        Plug("mouse-cable");
        backend.AdvanceTime(app::kConnectDelayMs);
    }

    sim::firmware::SimulatedDevices devices;
    std::unique_ptr<sim::Simulator> simulator;
    ListReporter reporter;
    std::unique_ptr<hid::DeviceScanThread> scanner;
    devices::COrvaneMouseDevice* mouse = nullptr;
    app::CDeviceOptionUI* item = nullptr;
};

TEST_F(DeviceListSimTest, CableThenReceiverThenPullingBoth) {
    // Only the mouse's page exists: the keyboard makes nothing.
    EXPECT_TRUE(registry->Keyboards().empty());
    Pass();
    EXPECT_EQ(registry->ShownCount(), 0);

    Plug("mouse-cable");
    EXPECT_TRUE(item->IsShown());
    EXPECT_TRUE(item->IsSelected());
    EXPECT_TRUE(Channel().IsOpen());
    EXPECT_FALSE(Channel().Wireless());
    EXPECT_EQ(Channel().ChunkSize(), hid::kCableChunkSize);
    EXPECT_TRUE(mouse->IsNotifyChannelOpen(hid::kKindMouseCable));
    EXPECT_FALSE(Visible("No_device_Link"));

    // The connect timer reads the device and fills the page.
    backend.AdvanceTime(app::kConnectDelayMs);
    EXPECT_EQ(InitMessages(1), 1);
    EXPECT_EQ(mouse->InfoBlock()[7], devices::kInitialisedMark);
    EXPECT_TRUE(mouse->PreviewThreadRunning());
    EXPECT_TRUE(item->HasTimer(app::kTimerPreview));
    EXPECT_TRUE(std::filesystem::exists(mouse->Profile().GetProfilePath()));
    EXPECT_NE(mouse->GetKeyButton(0), nullptr);
    // Shown with a battery and an open channel: the power query runs and the item shows it.
    EXPECT_EQ(PowerText(), "57%");
    EXPECT_FALSE(app::FindChild(registry->PowerItem(0), "device_wuxian_logo")->IsOwnVisible());
    EXPECT_EQ(TabOf("device_switch"), item->TabIndex());

    // The receiver of a mouse on its cable: the same object, the same item.
    Plug("mouse-receiver");
    EXPECT_EQ(registry->Count(), 1u);
    EXPECT_EQ(window->Get<ui::CContainerUI>("device_select_layout")->GetCount(), 1);
    EXPECT_EQ(registry->ShownCount(), 1);
    EXPECT_FALSE(Channel().Wireless());
    EXPECT_TRUE(mouse->IsNotifyChannelOpen(hid::kKindMouseReceiver));

    // The cable goes: the object moves to the receiver and reads its power there.
    Unplug("mouse-cable");
    EXPECT_TRUE(Channel().IsOpen());
    EXPECT_TRUE(Channel().Wireless());
    EXPECT_EQ(Channel().ChunkSize(), hid::kWirelessChunkSize);
    EXPECT_TRUE(Channel().ReceiverDevice().IsOpen());
    EXPECT_FALSE(Channel().CableDevice().IsOpen());
    EXPECT_FALSE(mouse->IsNotifyChannelOpen(hid::kKindMouseCable));
    EXPECT_TRUE(item->IsShown());
    EXPECT_TRUE(item->HasTimer(app::kTimerLinkWatch));
    EXPECT_TRUE(item->HasTimer(app::kTimerKeepAlive));
    EXPECT_EQ(PowerText(), "57%");
    EXPECT_TRUE(app::FindChild(registry->PowerItem(0), "device_wuxian_logo")->IsOwnVisible());
    EXPECT_TRUE(Channel().ProbeLink());

    // Everything goes.
    Unplug("mouse-receiver");
    EXPECT_FALSE(Channel().IsOpen());
    EXPECT_FALSE(Channel().ReceiverDevice().IsOpen());
    EXPECT_FALSE(item->IsShown());
    EXPECT_EQ(registry->ShownCount(), 0);
    EXPECT_TRUE(Visible("No_device_Link"));
    EXPECT_EQ(TabOf("device_switch"), 0);
    EXPECT_NE(LogText().find("DeviceSelectChanger>pNoDeviceLinkLyout    true"), std::string::npos);
    // Nothing drives a device that is gone.
    EXPECT_FALSE(item->HasTimer(app::kTimerLinkWatch));
    EXPECT_FALSE(item->HasTimer(app::kTimerKeepAlive));

    // Back on the cable: the same object again.
    PlugCableAndConnect();
    EXPECT_TRUE(item->IsShown());
    EXPECT_EQ(InitMessages(1), 2);
    EXPECT_EQ(registry->Mice().size(), 1u);
}

TEST_F(DeviceListSimTest, PullingTheReceiverKeepsAMouseThatWorksOnItsCable) {
    PlugCableAndConnect();
    Plug("mouse-receiver");
    Unplug("mouse-receiver");
    EXPECT_TRUE(item->IsShown());
    EXPECT_TRUE(item->IsSelected());
    EXPECT_TRUE(Channel().IsOpen());
    EXPECT_FALSE(Channel().Wireless());
    EXPECT_TRUE(Channel().CableDevice().IsOpen());
    EXPECT_FALSE(Channel().ReceiverDevice().IsOpen());
    EXPECT_TRUE(mouse->IsNotifyChannelOpen(hid::kKindMouseCable));
    EXPECT_FALSE(mouse->IsNotifyChannelOpen(hid::kKindMouseReceiver));
    EXPECT_FALSE(Visible("No_device_Link"));
    std::array<uint8_t, hid::kInfoBlockLength> block{};
    EXPECT_EQ(Channel().ReadInfoBlock(block.data()), 1);
}

TEST_F(DeviceListSimTest, PlugingTheCableSwitchesFromTheReceiver) {
    Plug("mouse-receiver");
    EXPECT_FALSE(item->IsShown());  // until the link answers
    backend.AdvanceTime(app::kConnectDelayMs);
    EXPECT_TRUE(item->IsShown());
    EXPECT_TRUE(Channel().Wireless());
    EXPECT_EQ(Channel().ChunkSize(), hid::kWirelessChunkSize);
    EXPECT_EQ(InitMessages(1), 1);

    Plug("mouse-cable");
    EXPECT_FALSE(Channel().Wireless());
    EXPECT_EQ(Channel().ChunkSize(), hid::kCableChunkSize);
    EXPECT_TRUE(Channel().CableDevice().IsOpen());
    EXPECT_EQ(registry->Count(), 1u);
    EXPECT_TRUE(item->IsShown());
    backend.AdvanceTime(app::kConnectDelayMs);
    EXPECT_EQ(InitMessages(1), 2);
}

TEST_F(DeviceListSimTest, ReceiverLinkComesAndGoes) {
    devices.SetLinked(false);
    Plug("mouse-receiver");
    backend.AdvanceTime(app::kConnectDelayMs);
    EXPECT_FALSE(item->IsShown());
    EXPECT_EQ(item->ConnectFailures(), 1);

    devices.SetLinked(true);
    backend.AdvanceTime(app::kConnectRetryMs);
    EXPECT_TRUE(item->IsShown());

    devices.SetLinked(false);
    backend.AdvanceTime(app::kLinkWatchFirstMs);
    EXPECT_FALSE(item->IsShown());
    EXPECT_TRUE(Visible("No_device_Link"));
    devices.SetLinked(true);
    backend.AdvanceTime(app::kLinkWatchMs);
    EXPECT_TRUE(item->IsShown());
}

TEST_F(DeviceListSimTest, PadAndHeadsetWithoutTheirPagesMakeNothing) {
    Plug("pad");
    Plug("headset");
    EXPECT_EQ(registry->Count(), 1u);
    EXPECT_TRUE(registry->MousePads().empty());
    EXPECT_TRUE(registry->Headsets().empty());
    EXPECT_EQ(registry->ShownCount(), 0);
    const std::string log = LogText();
    EXPECT_NE(log.find("CreateDevice>MousePad    no page"), std::string::npos);
    EXPECT_NE(log.find("CreateDevice>HD    no page"), std::string::npos);
    Unplug("pad");
    Unplug("headset");

    PlugCableAndConnect();
    EXPECT_TRUE(item->IsShown());
    EXPECT_EQ(InitMessages(1), 1);
}

TEST_F(DeviceListSimTest, APadIsReadAtConnectionAndShowsItsPhoneEveryThreeSeconds) {
    AddPage("mousepaddevice.xml");
    devices.SetPadPhone(1);
    Plug("pad");
    ASSERT_EQ(registry->MousePads().size(), 1u);
    auto* pad = dynamic_cast<devices::COrvaneMousePadDevice*>(registry->MousePads()[0]);
    ASSERT_NE(pad, nullptr);
    const int index = registry->IndexForSlot(8);
    app::CDeviceOptionUI* padItem = registry->Item(index);
    ASSERT_NE(padItem, nullptr);
    EXPECT_TRUE(padItem->IsShown());
    EXPECT_TRUE(pad->Channel().IsOpen());
    EXPECT_TRUE(pad->IsNotifyChannelOpen(hid::kKindMousePad));
    EXPECT_EQ(pad->GetLedCount(), 15);
    EXPECT_NE(pad->GetLedButton(14), nullptr);
    // No battery: its power layout stays hidden, its phone does not.
    EXPECT_FALSE(app::FindChild(registry->PowerItem(index), "device_power_Layout")->IsOwnVisible());

    devices.Log().Clear();
    backend.AdvanceTime(app::kConnectDelayMs);
    EXPECT_TRUE(pad->BlockRead());
    EXPECT_TRUE(pad->PreviewThreadRunning());
    backend.AdvanceTime(app::kPowerFirstMs);
    EXPECT_EQ(pad->PowerRecord()[5], 1);
    backend.ProcessPending();
    auto* phone = app::FindChild(registry->PowerItem(index), "device_phone_type");
    EXPECT_EQ(phone->GetText(), "Phone_type_iphone");
    devices.SetPadPhone(2);
    backend.AdvanceTime(app::kPowerRepeatMs);
    backend.ProcessPending();
    EXPECT_EQ(phone->GetText(), "Phone_type_samsung");
    EXPECT_TRUE(padItem->HasTimer(app::kTimerPower));

    Unplug("pad");
    EXPECT_FALSE(padItem->IsShown());
    EXPECT_FALSE(pad->Channel().IsOpen());
}

TEST_F(DeviceListSimTest, AHeadsetGetsItsObjectItemPowerItemAndPageAndIsSentNothing) {
    AddPage("da6533device.xml");
    devices.Log().Clear();
    Plug("headset");
    ASSERT_EQ(registry->Headsets().size(), 1u);
    auto* headset = dynamic_cast<devices::COrvaneDA6533Device*>(registry->Headsets()[0]);
    ASSERT_NE(headset, nullptr);
    const int index = registry->IndexForSlot(10);
    ASSERT_GE(index, 0);
    app::CDeviceOptionUI* hdItem = registry->Item(index);
    EXPECT_TRUE(hdItem->IsShown());
    EXPECT_EQ(hdItem->GetKind(), hid::kKindHeadset);
    EXPECT_NE(registry->PowerItem(index), nullptr);
    EXPECT_FALSE(app::FindChild(registry->PowerItem(index), "device_power_Layout")->IsOwnVisible());
    EXPECT_EQ(headset->GetLedCount(), 13);
    EXPECT_NE(headset->GetLedButton(12), nullptr);
    EXPECT_NE(window->FindControl("hd_device_page"), nullptr);
    backend.AdvanceTime(app::kConnectDelayMs + app::kPowerRepeatMs);
    EXPECT_TRUE(devices.Log().Entries().empty());
    Unplug("headset");
    EXPECT_FALSE(hdItem->IsShown());
}

TEST_F(DeviceListSimTest, AnEarlyEventInterfaceOpensWithTheChannel) {
    ASSERT_TRUE(simulator->Plug("mouse-cable"));
    ASSERT_TRUE(host->slots.Claim(5, PathOf("mouse-cable-if0-col3")));
    registry->OnDeviceAdd(5);
    EXPECT_FALSE(mouse->IsNotifyChannelOpen(hid::kKindMouseCable));
    EXPECT_EQ(registry->Count(), 1u);
    ASSERT_TRUE(host->slots.Claim(4, PathOf("mouse-cable-if1-col2")));
    registry->OnDeviceAdd(4);
    EXPECT_TRUE(Channel().IsOpen());
    EXPECT_TRUE(mouse->IsNotifyChannelOpen(hid::kKindMouseCable));
}

TEST_F(DeviceListSimTest, ADeviceNotificationRefreshesThroughTheItemsTimer) {
    PlugCableAndConnect();
    devices.Log().Clear();
    // The notification thread hands the request to the window thread, which arms the item.
    ASSERT_GT(devices.NotifyMouse(0x0401), 0);
    ASSERT_TRUE(backend.PumpUntil([this] { return item->HasTimer(app::kTimerRefresh); }));
    backend.AdvanceTime(50);
    EXPECT_FALSE(item->HasTimer(app::kTimerRefresh));
    int reads = 0;
    for (const auto& entry : devices.Log().Entries())
        reads += entry.request && entry.bytes.size() > 3 && entry.bytes[3] == 0x05 ? 1 : 0;
    EXPECT_GE(reads, 2);  // the onboard profile number and its settings block
}

}  // namespace
}  // namespace devicelist_test
