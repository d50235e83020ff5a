#pragma once
// The mouse page with its light tab, headless, each notification routed through the program's
// tables to the light handlers as the main window routes it; and the mouse on it connected as
// the program connects it. Shared by the light tab's tests and its bench.
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/MainWndRoutes.h"
#include "app/PanelTags.h"
#include "controls/ProgramControls.h"
#include "devices/DeviceControls.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "panels/PanelHost.h"
#include "panels/light/LightHandlers.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/skin/ResourceManager.h"

namespace lighttest {

// The function page of the mouse page that holds the light tab.
constexpr int kLightFunctionPage = 3;

class LightPageHost : public panels::IPanelHost {
  public:
    bool Confirm(const std::string&) override { return true; }
    void ShowKey(const std::string&) override {}
    void ShowText(const std::string&) override {}
    std::string LanguageText(const std::string& key) override { return key; }
    std::optional<uint32_t> PickColour(uint32_t) override { return std::nullopt; }
    std::string OpenFileDialog(const std::string&, const std::vector<std::string>&) override {
        return {};
    }
    std::string SaveFileDialog(const std::string&, const std::vector<std::string>&,
                               const std::string&) override {
        return {};
    }
    void RestartItemTimer(devices::COrvaneUSBDevice&, int, uint32_t) override {}
    void OpenContextMenu(const std::string&) override {}
    void SetSavedState(bool, int) override {}
};

class LightPageWindow : public ui::WindowImplBase {
  public:
    using MouseFactory = std::function<devices::COrvaneMouseDevice*()>;
    LightPageWindow(LightPageHost& host, MouseFactory makeMouse)
        : light(host), makeMouse_(std::move(makeMouse)) {
        light.SetScreenSize({1920, 1080});
    }
    devices::COrvaneMouseDevice* device = nullptr;
    panels::CLightHandlers light;
    std::vector<std::string> heard;  // "type name" of every notification

    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, "OrvaneMouseDevice"))
            return device = makeMouse_();
        return app::CreatePanelControl(tag, this, m_pm);
    }
    void Notify(ui::TNotifyUI& msg) override {
        if (msg.pSender == nullptr)
            return;
        const std::string name = msg.pSender->GetName();
        heard.push_back(msg.sType + " " + name);
        const int kind = device ? device->GetKind() : 0;
        auto routed = [&](std::span<const app::RouteRow> table) {
            std::optional<app::RouteHit> hit = app::FindRoute(table, name);
            return hit && hit->route == app::Route::Lighting;
        };
        if (msg.sType == "click" && routed(app::ClickRoutes()))
            light.OnClick(device, kind, name);
        else if (msg.sType == "selectchanged" && routed(app::OptionRoutes()))
            light.OnSelectChanged(device, kind, name);
        else if (msg.sType == "itemselect" && routed(app::ComboRoutes()))
            light.OnItemSelect(device, kind, name);
        else if (msg.sType == "valuechanged")
            light.OnValueChanged(device, kind, name);
        else if (msg.sType == "killfocus")
            light.OnKillFocus(device, kind, name);
        else if (msg.sType == "colorchanged")
            light.OnColorChanged(device, kind, name);
        else if (msg.sType == "click_select_end")
            light.OnClickSelectEnd(device, kind, msg.pSender);
    }

  protected:
    std::string GetWindowClassName() const override { return "LightPage"; }
    std::string GetSkinFile() override {
        return R"(<Window size="976,640"><VerticalLayout>
                    <Include source="XML/DeviceXml/mousedevice.xml"/>
                  </VerticalLayout></Window>)";
    }

  private:
    MouseFactory makeMouse_;
};

// The skin, the English texts and the program's controls (resources: the source tree's).
inline bool LoadLightPageSkin(const std::string& resources) {
    ui::CPaintManagerUI::SetResourcePath(resources + "skin/");
    if (!ui::CResourceManager::GetInstance()->LoadResource("res.xml"))
        return false;
    ui::CResourceManager::GetInstance()->ClearLanguage();
    controls::ControlCreators creators;
    controls::AddCustomControlCreators(creators);
    devices::AddDeviceControlCreators(creators);
    controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
    return ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml");
}

// The page's mouse on its command collection (path), connected as the program connects it,
// its light tab shown; the preview thread is stopped so that nothing changes behind a test.
inline bool ConnectLightPage(LightPageWindow& window, const std::string& path, bool receiver) {
    devices::COrvaneMouseDevice& mouse = *window.device;
    hid::CHidChannel& channel = mouse.Channel();
    hid::CHidDevice& device = receiver ? channel.ReceiverDevice() : channel.CableDevice();
    if (!device.Open(path, true, true, true, false))
        return false;
    channel.SetOpen(true);
    channel.SetConnection(receiver ? hid::kConnectionReceiver : hid::kConnectionCable);
    hid::DeviceIdentity identity;
    identity.Kind = receiver ? hid::kKindMouseReceiver : hid::kKindMouseCable;
    mouse.SetIdentity(identity);
    mouse.SetMessageSink([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
    mouse.SetKeyCount(11);
    mouse.SetLedCount(15);
    mouse.SetLightListIndex(1);
    mouse.SetSkinFile("XML/DeviceXml/mousedevice.xml");
    mouse.BindPanelControls();
    mouse.ConnectDevice();
    mouse.StopPreviewThread();
    mouse.ShowFunctionPage(kLightFunctionPage);
    window.GetPaintManager()->UpdateLayout();
    return true;
}

}  // namespace lighttest
