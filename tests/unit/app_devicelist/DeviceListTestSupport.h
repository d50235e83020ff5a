#pragma once
// A headless main window for the device list: the containers and layouts the list uses, a
// host that records what the list asks of the window, skin files of the test's own in a
// temporary folder, and a device class that counts what its list item's timers ask of it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/devicelist/DeviceListControls.h"
#include "app/devicelist/DeviceOptionUI.h"
#include "app/devicelist/DeviceRegistry.h"
#include "app/devicelist/FindChild.h"
#include "app/devicelist/MpDevicePowerUI.h"
#include "controls/ProgramControls.h"
#include "devices/DeviceControls.h"
#include "devices/OrvaneUSBDevice.h"
#include "hid/DeviceSlotList.h"
#include "platform/Folders.h"
#include "platform/HidTransport.h"
#include "platform/Log.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/layout/TabLayoutUI.h"

namespace devicelist_test {

// Counts the device operations the list item's timers call.
class CountingDevice : public devices::COrvaneUSBDevice {
  public:
    using COrvaneUSBDevice::COrvaneUSBDevice;
    int refreshes = 0;
    int connects = 0;
    int powerQueries = 0;
    int probes = 0;
    bool linked = true;
    int keepAliveMinutes = 1;
    void RefreshPreview() override { ++refreshes; }
    void ConnectDevice() override { ++connects; }
    void QueryPowerState() override { ++powerQueries; }
    bool ProbeWirelessLink() override {
        ++probes;
        return linked;
    }
    int GetKeepAliveMinutes() override { return keepAliveMinutes; }
};

struct WindowMessage {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
};

constexpr const char* kMainLayout = R"(<Window size="900,600">
  <VerticalLayout name="root">
    <HorizontalLayout name="device_select_layout" height="40"/>
    <TabLayout name="device_switch"><Control name="welcome_page"/></TabLayout>
    <TabLayout name="device_power_switch" height="40"><Control name="no_power_page"/></TabLayout>
    <VerticalLayout name="No_device_Link" visible="false"><Button name="nodevice_ok_btn"/></VerticalLayout>
    <VerticalLayout name="Error_device_Link" visible="false"><Button name="errordevice_ok_btn"/></VerticalLayout>
  </VerticalLayout>
</Window>)";

constexpr const char* kItemLayout = R"(<DeviceOption width="80" height="40">
  <Option name="device_select"/>
  <Option name="synchro_device_select"/>
  <Label name="device_select_name"/>
</DeviceOption>)";

constexpr const char* kPowerLayout = R"(<MpDevicePower height="40">
  <HorizontalLayout name="device_power_Layout">
    <Label name="device_power_value"/>
    <Label name="device_wuxian_logo" visible="false"/>
    <Progress name="device_Power_progress" visible="false"/>
    <Label name="device_power_status"/>
  </HorizontalLayout>
  <Label name="device_phone_type"/>
</MpDevicePower>)";

// A page whose root tag the host's builder callback turns into a CountingDevice.
constexpr const char* kCountingPage =
    R"(<CountingDevice><Control name="picture"/></CountingDevice>)";

class HostWindow : public ui::WindowImplBase {
  public:
    std::function<ui::CControlUI*(const std::string&)> maker;
    std::function<void(const WindowMessage&)> onMessage;
    std::vector<WindowMessage> messages;

    ui::CControlUI* CreateControl(const std::string& className) override {
        return maker ? maker(className) : nullptr;
    }
    ui::CPaintManagerUI& Manager() { return m_pm; }
    template <typename T>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(m_pm.FindControl(name));
    }

  protected:
    std::string GetWindowClassName() const override { return "DeviceListTest"; }
    std::string GetSkinFile() override { return kMainLayout; }
    ui::LRESULT HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& bHandled) override {
        if (uMsg >= 1000 && uMsg < 4000) {
            WindowMessage m{uMsg, static_cast<uintptr_t>(wParam), static_cast<intptr_t>(lParam)};
            messages.push_back(m);
            if (onMessage)
                onMessage(m);
            bHandled = true;
        }
        return 0;
    }
};

// The main window as the list sees it.
class FakeHost : public app::IDeviceListHost {
  public:
    explicit FakeHost(HostWindow& window) : window_(window) { slots.FillFromMatchTable(); }
    hid::DeviceSlotList slots;
    app::IDeviceList* list = nullptr;
    int restores = 0;
    int subWindowCloses = 0;
    int saved = 1;
    std::vector<std::pair<bool, int>> savedStateCalls;

    ui::CPaintManagerUI& Manager() override { return window_.Manager(); }
    ui::IDialogBuilderCallback* BuilderCallback() override { return &window_; }
    ui::HWND Window() const override { return window_.GetHWND(); }
    hid::DeviceSlotList& Slots() override { return slots; }
    std::string CurrentProfileBaseName() const override { return "profile_test"; }
    void RestoreFromDeviceEvent() override {
        ++restores;
        if (list != nullptr)
            list->RefreshNoDeviceLayout("Open");
    }
    void CloseSubWindows() override { ++subWindowCloses; }
    int SavedState() const override { return saved; }
    void SetSavedState(bool lockList, int value) override {
        savedStateCalls.emplace_back(lockList, value);
        saved = value;
    }

  private:
    HostWindow& window_;
};

// The window, its host and the registry, over skin files written to a temporary folder.
class DeviceListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("t418-devicelist-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder / "data" / "R207QX-ACE");
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        WriteSkin("XML/CustomControlXML/DeviceOption.xml", kItemLayout);
        WriteSkin("XML/CustomControlXML/MpDevicePower.xml", kPowerLayout);
        ui::CPaintManagerUI::SetResourcePath((folder / "skin").string());
        // No real device is ever opened: an empty simulated bus unless a test brings one.
        std::filesystem::create_directories(folder / "bus");
        emptyBus = platform::MakeSimBusTransport((folder / "bus").string());
        platform::SetHidTransportForTesting(emptyBus.get());

        controls::ControlCreators creators;
        controls::AddCustomControlCreators(creators);
        devices::AddDeviceControlCreators(creators);
        app::AddDeviceListControlCreators(creators);
        controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
        backend.Install();
    }

    // Opens the window; the pages written so far are what the device types can build.
    void Open() {
        window = new HostWindow;
        window->maker = [this](const std::string& tag) { return MakeDevice(tag); };
        ASSERT_NE(window->Create(nullptr, "main", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 900, 600),
                  nullptr);
        backend.ProcessPending();
        host = std::make_unique<FakeHost>(*window);
        registry = std::make_unique<app::DeviceRegistry>(*host);
        host->list = registry.get();
        window->onMessage = [this](const WindowMessage& m) {
            if (m.msg == app::WM_USB_MAINMESS_LINK_STATE)
                registry->OnLinkState(static_cast<int>(m.wParam), static_cast<int>(m.lParam));
            else if (m.msg == 3333)
                registry->OnDeviceInitUI(static_cast<int>(m.wParam));
        };
    }

    virtual ui::CControlUI* MakeDevice(const std::string& tag) {
        if (ui::EqualsNoCase(tag, "CountingDevice"))
            return new CountingDevice;
        return nullptr;
    }

    void TearDown() override {
        if (registry)
            registry->StopDevices();
        if (window != nullptr && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        delete window;
        backend.ProcessPending();
        registry.reset();
        platform::SetHidTransportForTesting(nullptr);
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    void WriteSkin(const std::string& relative, const std::string& text) {
        const std::filesystem::path path = folder / "skin" / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }

    std::string LogText() const {
        std::ifstream in(platform::LogFilePath());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    bool Visible(const std::string& name) {
        ui::CControlUI* c = window->Get<ui::CControlUI>(name);
        return c != nullptr && c->IsOwnVisible();
    }
    int TabOf(const std::string& name) {
        auto* tab = window->Get<ui::CTabLayoutUI>(name);
        return tab ? tab->GetCurSel() : -2;
    }

    // The pages of the device types (counting devices), then the window.
    void OpenWithPages(bool mouse, bool keyboard, bool pad, bool headset) {
        const char* pages[] = {"mousedevice", "keyboarddevice", "mousepaddevice", "da6533device"};
        const bool wanted[] = {mouse, keyboard, pad, headset};
        for (int i = 0; i < 4; ++i) {
            if (wanted[i])
                WriteSkin(std::string("XML/DeviceXml/") + pages[i] + ".xml", kCountingPage);
        }
        Open();
    }
    CountingDevice* Counting(int index) {
        return dynamic_cast<CountingDevice*>(registry->Device(index));
    }
    app::CDeviceOptionUI* Item(int index) { return registry->Item(index); }
    // What the scan thread does on an arrival and a removal.
    void Arrive(size_t slot, const std::string& path = "nowhere") {
        ASSERT_TRUE(host->slots.Claim(slot, path + std::to_string(slot)));
        registry->OnDeviceAdd(slot);
    }
    void Leave(size_t slot) {
        ASSERT_TRUE(host->slots.Release(slot));
        registry->OnDeviceRemove(slot);
    }
    int Messages(uint32_t msg, intptr_t lParam) const {
        int n = 0;
        for (const WindowMessage& m : window->messages)
            n += m.msg == msg && m.lParam == lParam ? 1 : 0;
        return n;
    }

    std::filesystem::path folder;
    std::unique_ptr<platform::HidTransport> emptyBus;
    ui::headless::HeadlessBackend backend;
    HostWindow* window = nullptr;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<app::DeviceRegistry> registry;
};

}  // namespace devicelist_test
