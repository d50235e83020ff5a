#pragma once
// A headless window holding the shoot panel from the real skin inside a mouse device object,
// routing the page's notifications to the shoot handlers as the main window does, with a
// scripted host, a user data folder and a factory folder of its own, and helpers that write
// and read set files event by event.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/PanelTags.h"
#include "controls/ProgramControls.h"
#include "devices/DeviceControls.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "hid/DeviceIdentity.h"
#include "panels/PanelHost.h"
#include "panels/shoot/ShootControlUI.h"
#include "panels/shoot/ShootHandlers.h"
#include "profile/JsonFile.h"
#include "tests/unit/platform/TestFolders.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/skin/ResourceManager.h"

namespace shoottest {

namespace fs = std::filesystem;
using panels::CShootControlUI;

class ScriptedHost : public panels::IPanelHost {
  public:
    std::vector<std::string> shown;   // message keys, in order
    std::deque<std::string> answers;  // the dialogs' answers ("" cancels)
    struct Request {
        bool save;
        std::string title;
        std::vector<std::string> filters;
        std::string fileName;
    };
    std::vector<Request> requests;

    bool Confirm(const std::string&) override { return true; }
    void ShowKey(const std::string& key) override { shown.push_back(key); }
    void ShowText(const std::string& text) override { shown.push_back(text); }
    std::string LanguageText(const std::string& key) override { return key; }
    std::optional<uint32_t> PickColour(uint32_t) override { return std::nullopt; }
    std::string OpenFileDialog(const std::string& title,
                               const std::vector<std::string>& filters) override {
        requests.push_back({false, title, filters, ""});
        return Next();
    }
    std::string SaveFileDialog(const std::string& title, const std::vector<std::string>& filters,
                               const std::string& fileName) override {
        requests.push_back({true, title, filters, fileName});
        return Next();
    }
    void OpenContextMenu(const std::string&) override {}
    void RestartItemTimer(devices::COrvaneUSBDevice&, int, uint32_t) override {}
    void SetSavedState(bool, int) override {}

  private:
    std::string Next() {
        if (answers.empty())
            return {};
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The panel below a mouse object, and the tab the mouse's page build needs.
inline const char* PageLayout() {
    return R"(<Window size="620,420">
 <Font id="1" name="" size="14" bold="true"/>
 <Font id="8" name="" size="12" default="true"/>
 <Font id="9" name="" size="11"/>
 <VerticalLayout>
  <OrvaneMouseDevice name="page">
    <TabLayout name="mouse_device_seting_layout" width="1"><Control/></TabLayout>
    <ShootControl name="ShootControlItem"><ShootKeySetControlUI/></ShootControl>
  </OrvaneMouseDevice>
 </VerticalLayout>
</Window>)";
}

class PageWindow : public ui::WindowImplBase {
  public:
    explicit PageWindow(panels::CShootHandlers& handlers) : handlers_(handlers) {}
    devices::COrvaneMouseDevice* device = nullptr;
    int kind = hid::kKindMouseCable;
    std::vector<std::string> notices;  // "type name" of every notification

    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, "OrvaneMouseDevice")) {
            device = new devices::COrvaneMouseDevice;
            return device;
        }
        return app::CreatePanelControl(tag, this, m_pm);
    }
    // As the main window routes them.
    void Notify(ui::TNotifyUI& msg) override {
        if (msg.pSender == nullptr)
            return;
        const std::string name = msg.pSender->GetName();
        if (msg.sType != "timer")
            notices.push_back(msg.sType + " " + name);
        if (msg.sType == "click")
            handlers_.OnClick(device, kind, name);
        else if (msg.sType == "selectchanged")
            handlers_.OnSelectChanged(device, kind, name);
        else if (msg.sType == "killfocus")
            handlers_.OnKillFocus(device, kind, name);
    }
    template <typename T = ui::CControlUI>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(m_pm.FindControl(name));
    }

  protected:
    std::string GetWindowClassName() const override { return "ShootPanelTest"; }
    std::string GetSkinFile() override { return PageLayout(); }

  private:
    panels::CShootHandlers& handlers_;
};

// One bullet's six events as the panel writes them.
struct BulletSpec {
    int x = 0, y = 0, delay = 0;
    bool left = false, up = false;
};

inline Json::Value ShootEvent(const char* action, int button, int delay, int type) {
    Json::Value e;
    e["Action"] = action;
    e["Button"] = button;
    e["Delay"] = delay;
    e["Type"] = type;
    return e;
}

inline void AppendBullet(Json::Value& events, const BulletSpec& b) {
    const char* h = b.left ? "down" : "up";
    const char* v = b.up ? "down" : "up";
    events.append(ShootEvent("down", 1, 10, 1));
    events.append(ShootEvent("up", 1, 0, 1));
    events.append(ShootEvent(h, b.x, 5, 4));
    events.append(ShootEvent(v, b.y, b.delay, 5));
    events.append(ShootEvent(h, 0, 0, 4));
    events.append(ShootEvent(v, 0, 0, 5));
}

// A complete set whose bullet b is (seed + b, 2b + 1, 50 + seed + b), left on odd bullets.
inline Json::Value MakeSet(int seed) {
    Json::Value root(Json::objectValue);
    root["Events"] = Json::Value(Json::arrayValue);
    for (int b = 0; b < 30; ++b)
        AppendBullet(root["Events"], {seed + b, 2 * b + 1, 50 + seed + b, b % 2 == 1, false});
    root["Name"] = "set " + std::to_string(seed);
    return root;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Owns the backend, the window and the two folders; the panel has its folders, the four
// factory sets (seeds 100, 200, 300, 400) and nothing in the user folder until Init.
class ShootFixture {
  public:
    ShootFixture()
        : data_("XDG_DATA_HOME", home_.path()),
          program_("T418_ZEN_PROGRAM_DIR", program_folder_.path() + "/") {
        backend.Install();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        EXPECT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        EXPECT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml"));
        controls::ControlCreators creators;
        controls::AddCustomControlCreators(creators);
        devices::AddDeviceControlCreators(creators);
        controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
        fs::create_directories(factory());
        fs::create_directories(user());
        for (int set = 0; set < 4; ++set)
            EXPECT_EQ(profile::WriteJsonFile(FactoryPath(set), MakeSet(100 * (set + 1))), 0);
        window = new PageWindow(handlers);
        window->Create(nullptr, "shoot", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 620, 420);
        backend.ProcessPending();
        window->GetPaintManager()->UpdateLayout();
        mouse = window->device;
        panel = window->Get<CShootControlUI>("ShootControlItem");
        EXPECT_NE(panel, nullptr);
        if (mouse != nullptr) {
            hid::DeviceIdentity identity;
            identity.Kind = hid::kKindMouseCable;
            mouse->SetIdentity(identity);
        }
    }
    ~ShootFixture() {
        if (window != nullptr && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        delete window;
        backend.ProcessPending();
        ui::CResourceManager::GetInstance()->Release();
    }
    ShootFixture(const ShootFixture&) = delete;
    ShootFixture& operator=(const ShootFixture&) = delete;

    // The page build's calls, as the mouse makes them.
    void Start() {
        panel->SetDataFolder(user());
        panel->SetDefaultFolder(factory());
        panel->Init();
        panel->SelectSet(0);
        panel->SelectBullet(0);
    }
    std::string user() const { return home_.path() + "/T418-ZEN/mouse/"; }
    std::string factory() const { return program_folder_.path() + "/DefaultData/"; }
    std::string UserPath(int set) const {
        return user() + "ShootData_" + std::to_string(set) + ".Shoot";
    }
    std::string FactoryPath(int set) const {
        return factory() + "ShootData_" + std::to_string(set) + ".Shoot";
    }
    Json::Value Events(int set) const { return profile::LoadJsonFile(UserPath(set))["Events"]; }

    ui::CEditUI* Edit(const std::string& name) { return window->Get<ui::CEditUI>(name); }
    ui::COptionUI* Option(const std::string& name) { return window->Get<ui::COptionUI>(name); }
    std::string Text(const std::string& name) { return window->Get(name)->GetText(); }
    // The edits' texts: x, y, delay.
    std::vector<std::string> Shown() {
        return {Edit(CShootControlUI::kHorizontalEditName)->GetText(),
                Edit(CShootControlUI::kVerticalEditName)->GetText(),
                Edit(CShootControlUI::kDelayEditName)->GetText()};
    }
    ui::headless::HeadlessWindow& Native() {
        return *dynamic_cast<ui::headless::HeadlessWindow*>(window->GetNativeWindow());
    }
    // A real click in the middle of a control.
    void ClickOn(const std::string& name) {
        window->GetPaintManager()->UpdateLayout();
        const ui::Rect r = window->Get(name)->GetPos();
        Native().Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        backend.ProcessPending();
    }

    ui::headless::HeadlessBackend backend;
    ScriptedHost host;
    panels::CShootHandlers handlers{host};
    PageWindow* window = nullptr;
    devices::COrvaneMouseDevice* mouse = nullptr;
    CShootControlUI* panel = nullptr;

  private:
    t418test::TempFolder home_;
    t418test::TempFolder program_folder_;
    t418test::ScopedEnv data_;
    t418test::ScopedEnv program_;
};

}  // namespace shoottest
