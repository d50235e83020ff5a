#pragma once
// The lighting panel in a headless window, built through the program's panel tags from the
// real skin (or from a layout a test gives), recording every notification it raises.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PanelTags.h"
#include "panels/light/LightControlUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/skin/ResourceManager.h"

namespace lighttest {

// The panel tag with the real layout inside, as the mouse page has it.
inline constexpr const char* kRealPanel =
    R"(<LightControl name="LightControlItem"><LightSetControlUI/></LightControl>)";

class LightPanelWindow : public ui::WindowImplBase {
  public:
    explicit LightPanelWindow(std::string panel) : panel_(std::move(panel)) {}
    std::vector<std::string> notified;  // "type:sender"

    void Notify(ui::TNotifyUI& msg) override {
        notified.push_back(msg.sType + ":" + (msg.pSender ? msg.pSender->GetName() : ""));
        WindowImplBase::Notify(msg);
    }
    ui::CControlUI* CreateControl(const std::string& tag) override {
        return app::CreatePanelControl(tag, this, m_pm);
    }

  protected:
    std::string GetWindowClassName() const override { return "LightPanelTest"; }
    std::string GetSkinFile() override {
        return R"(<Window size="588,373"><VerticalLayout>)" + panel_ +
               R"(</VerticalLayout></Window>)";
    }

  private:
    std::string panel_;
};

class LightPanelTest : public ::testing::Test {
  protected:
    void Open(const std::string& panelLayout = kRealPanel) {
        backend.Install();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml"));
        window = new LightPanelWindow(panelLayout);
        ASSERT_NE(
            window->Create(nullptr, "light", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 588, 373),
            nullptr);
        backend.ProcessPending();
        window->GetPaintManager()->UpdateLayout();
        panel = dynamic_cast<panels::CLightControlUI*>(
            window->GetPaintManager()->FindControl("LightControlItem"));
        ASSERT_NE(panel, nullptr);
        window->notified.clear();
    }
    void TearDown() override {
        if (window != nullptr && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        delete window;
        backend.ProcessPending();
        ui::CResourceManager::GetInstance()->Release();
    }
    template <typename T = ui::CControlUI>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(window->GetPaintManager()->FindControl(name));
    }
    bool Enabled(const std::string& name) { return Get(name)->IsEnabled(); }
    bool Visible(const std::string& name) { return Get(name)->IsVisible(); }
    std::vector<std::string> Notifications() {
        backend.ProcessPending();
        return window->notified;
    }

    ui::headless::HeadlessBackend backend;
    LightPanelWindow* window = nullptr;
    panels::CLightControlUI* panel = nullptr;
};

}  // namespace lighttest
