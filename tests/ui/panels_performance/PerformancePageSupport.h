#pragma once
// A headless window holding the mouse's performance and system pages from the real skin in a
// mouse device object, routing the page's notifications to the performance handlers as the
// main window does, with a scripted host and the user files in a temporary folder.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/ProgramControls.h"
#include "devices/DeviceControls.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "panels/PanelHost.h"
#include "panels/performance/PerformanceHandlers.h"
#include "tests/unit/platform/TestFolders.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/skin/ResourceManager.h"

namespace perftest {

class ScriptedHost : public panels::IPanelHost {
  public:
    std::optional<uint32_t> answer;  // what the palette gives
    std::vector<uint32_t> paletteOpenedWith;
    struct TimerRestart {
        devices::COrvaneUSBDevice* device;
        int id;
        uint32_t ms;
    };
    std::vector<TimerRestart> timers;

    bool Confirm(const std::string&) override { return true; }
    void ShowKey(const std::string&) override {}
    void ShowText(const std::string&) override {}
    std::string LanguageText(const std::string& key) override { return key; }
    std::optional<uint32_t> PickColour(uint32_t initial) override {
        paletteOpenedWith.push_back(initial);
        return answer;
    }
    std::string OpenFileDialog(const std::string&, const std::vector<std::string>&) override {
        return {};
    }
    std::string SaveFileDialog(const std::string&, const std::vector<std::string>&,
                               const std::string&) override {
        return {};
    }
    void OpenContextMenu(const std::string&) override {}
    void SetSavedState(bool, int saved) override { savedState = saved; }
    int savedState = 1;
    void RestartItemTimer(devices::COrvaneUSBDevice& device, int id, uint32_t ms) override {
        timers.push_back({&device, id, ms});
    }
};

// Both pages below one mouse object, and a three-page "mouse_device_seting_layout".
inline std::string PageLayout() {
    return R"(<Window size="600,900">
 <VerticalLayout>
  <OrvaneMouseDevice name="page">
    <TabLayout name="mouse_device_seting_layout" width="20">
      <Control name="sub_0"/><Control name="sub_1"/><Control name="sub_2"/>
    </TabLayout>
    <VerticalLayout>
      <Include source="XML/DeviceXml/mouse_performance.xml"/>
      <Include source="XML/DeviceXml/mouse_system.xml"/>
    </VerticalLayout>
  </OrvaneMouseDevice>
  <Slider name="kesta_DPI_slider_0" min="0" max="8000" width="10" float="true" pos="0,0,10,10"/>
  <Edit name="kesta_DPI_edit_0" width="10" float="true" pos="0,0,10,10"/>
 </VerticalLayout>
</Window>)";
}

class PageWindow : public ui::WindowImplBase {
  public:
    using DeviceFactory = std::function<devices::COrvaneMouseDevice*()>;
    PageWindow(DeviceFactory factory, panels::CPerformanceHandlers& handlers)
        : factory_(std::move(factory)), handlers_(handlers) {}
    devices::COrvaneMouseDevice* device = nullptr;
    bool deviceSelected = true;
    std::vector<std::string> unhandled;
    int routed = 0;  // notifications of the types the handlers take

    ui::CControlUI* CreateControl(const std::string& className) override {
        if (ui::EqualsNoCase(className, "OrvaneMouseDevice")) {
            device = factory_();
            return device;
        }
        return nullptr;
    }
    // As the main window routes them: by type, then by name.
    void Notify(ui::TNotifyUI& msg) override {
        if (msg.pSender == nullptr)
            return;
        devices::COrvaneUSBDevice* selected = deviceSelected ? device : nullptr;
        const int kind = device != nullptr ? device->GetKind() : 0;
        const std::string name = msg.pSender->GetName();
        bool handled = true;
        for (const char* type : {"selectchanged", "itemselect", "valuechanged", "movevaluechanged",
                                 "killfocus", "click"})
            routed += msg.sType == type ? 1 : 0;
        if (msg.sType == "selectchanged")
            handled = handlers_.OnSelectChanged(selected, kind, name);
        else if (msg.sType == "itemselect")
            handled = handlers_.OnItemSelect(selected, kind, name);
        else if (msg.sType == "valuechanged")
            handled = handlers_.OnValueChanged(selected, kind, name);
        else if (msg.sType == "movevaluechanged")
            handled = handlers_.OnMoveValueChanged(selected, kind, name);
        else if (msg.sType == "killfocus")
            handled = handlers_.OnKillFocus(selected, kind, name);
        else if (msg.sType == "click")
            handled = handlers_.OnClick(selected, kind, name);
        if (!handled)
            unhandled.push_back(msg.sType + " " + name);
    }
    template <typename T>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(m_pm.FindControl(name));
    }

  protected:
    std::string GetWindowClassName() const override { return "PerformancePageTest"; }
    std::string GetSkinFile() override { return PageLayout(); }

  private:
    DeviceFactory factory_;
    panels::CPerformanceHandlers& handlers_;
};

inline std::array<uint8_t, hid::kInfoBlockLength> InfoBlockOf(uint16_t sensor, uint8_t step = 0,
                                                              uint8_t count = 0,
                                                              uint16_t base = 0) {
    std::array<uint8_t, hid::kInfoBlockLength> block{};
    block[0] = 0xAA;
    block[1] = 0x55;
    block[7] = 0x12;
    block[9] = static_cast<uint8_t>(sensor & 0xFF);
    block[10] = static_cast<uint8_t>(sensor >> 8);
    block[11] = step;
    block[12] = count;
    block[14] = static_cast<uint8_t>(base & 0xFF);
    block[15] = static_cast<uint8_t>(base >> 8);
    return block;
}

// Owns the backend, the window and the user folder; tests reach the page's controls by name.
class PageFixture {
  public:
    explicit PageFixture(PageWindow::DeviceFactory factory =
                             [] { return new devices::COrvaneMouseDevice; })
        : data_("XDG_DATA_HOME", folder_.path()),
          program_("T418_ZEN_PROGRAM_DIR", std::string(T418_RESOURCES_DIR) + "/") {
        backend.Install();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        controls::ControlCreators creators;
        controls::AddCustomControlCreators(creators);
        devices::AddDeviceControlCreators(creators);
        controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
        window = new PageWindow(std::move(factory), handlers);
        window->Create(nullptr, "page", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 600, 900);
        backend.ProcessPending();
        window->GetPaintManager()->UpdateLayout();
        handlers.SetPaintManager(window->GetPaintManager());
        mouse = window->device;
        if (mouse != nullptr) {
            hid::DeviceIdentity identity;
            identity.Kind = hid::kKindMouseCable;
            mouse->SetIdentity(identity);
            mouse->SetProfileBaseName("performance_test");
        }
    }
    ~PageFixture() {
        if (window != nullptr && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        delete window;
        backend.ProcessPending();
    }
    PageFixture(const PageFixture&) = delete;
    PageFixture& operator=(const PageFixture&) = delete;

    // The sensor given and the factory profile loaded, the page refreshed from it.
    void Load(uint16_t sensor, uint8_t step = 0, uint8_t count = 0, uint16_t base = 0) {
        mouse->SetInfoBlock(InfoBlockOf(sensor, step, count, base));
        mouse->BindPanelControls();
        mouse->LoadProfile();
        mouse->RefreshPanel();
    }
    void SetKind(int kind) {
        hid::DeviceIdentity identity;
        identity.Kind = static_cast<uint16_t>(kind);
        mouse->SetIdentity(identity);
    }
    template <typename T>
    T* Get(const std::string& name) {
        return window->Get<T>(name);
    }
    ui::COptionUI* Option(const std::string& name) { return Get<ui::COptionUI>(name); }
    ui::CSliderUI* Slider(const std::string& name) { return Get<ui::CSliderUI>(name); }
    ui::CEditUI* Edit(const std::string& name) { return Get<ui::CEditUI>(name); }
    ui::CComboUI* Combo(const std::string& name) { return Get<ui::CComboUI>(name); }
    std::string UserFolder() const { return folder_.path() + "/T418-ZEN/mouse/"; }

    ui::headless::HeadlessBackend backend;
    ScriptedHost host;
    panels::CPerformanceHandlers handlers{host};
    PageWindow* window = nullptr;
    devices::COrvaneMouseDevice* mouse = nullptr;

  private:
    t418test::TempFolder folder_;
    t418test::ScopedEnv data_;
    t418test::ScopedEnv program_;
};

}  // namespace perftest
