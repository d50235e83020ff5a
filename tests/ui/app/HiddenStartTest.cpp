// A start with the session (T418_ZEN_START_HIDDEN): with a tray the window stays hidden at
// the scan's product-title message and at device arrivals until the user asks for it; with
// no tray it shows as usual.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/AppMessages.h"
#include "app/AutostartChoice.h"
#include "app/DeviceListFactory.h"
#include "app/LanguageRules.h"
#include "app/MainWnd.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "platform/Folders.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/shell/MenuWnd.h"
#include "ui/skin/ResourceManager.h"

namespace app {
namespace {

namespace fs = std::filesystem;

// Counts the no-device refreshes; holds no device.
class QuietList : public EmptyDeviceList {
  public:
    void RefreshNoDeviceLayout(const char*) override { ++refreshes; }
    int refreshes = 0;
};

class HiddenStartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("t418-hs-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "data");
        ::setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (folder_ / "user").c_str(), 1);  // the music settings' file
        std::ofstream(folder_ / "data" / kLanguageConfigName) << R"({"Language": []})";
        backend_.Install();
        ui::CPaintManagerUI::SetResourcePath(T418_APP_TEST_SKIN);
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        AppMessages messages;
        messages.productTitle = 0xC101;
        SetMessagesForTesting(messages);
    }
    void TearDown() override {
        if (window_ && ui::IsWindow(window_->GetHWND()))
            ui::DestroyWindow(window_->GetHWND());
        window_.reset();
        ui::CResourceManager::GetInstance()->Release();
        SetMessagesForTesting(AppMessages{});
        fs::remove_all(folder_);
    }
    CMainWnd& Open(bool startHidden, bool tray) {
        backend_.SetTrayAvailable(tray);
        MainWndOptions options;
        options.makeDeviceList = [this](IDeviceListHost&) {
            auto list = std::make_unique<QuietList>();
            list_ = list.get();
            return list;
        };
        options.startScanThread = false;
        options.joinSessionBus = false;
        options.quitOnDestroy = false;
        options.dataFolder = (folder_ / "data").string() + "/";
        options.startHidden = startHidden;
        window_ = std::make_unique<CMainWnd>(std::move(options));
        EXPECT_NE(window_->Create(nullptr, kMainCaption, ui::WS_POPUP, 0, 0, 0, 800, 572), nullptr);
        backend_.ProcessPending();
        return *window_;
    }
    void Send(ui::UINT message, ui::WPARAM w, ui::LPARAM l) {
        ui::SendMessage(window_->GetHWND(), message, w, l);
    }

    fs::path folder_;
    ui::headless::HeadlessBackend backend_;
    std::unique_ptr<CMainWnd> window_;
    QuietList* list_ = nullptr;
};

TEST_F(HiddenStartTest, WithATrayItStaysHiddenUntilTheUserAsks) {
    CMainWnd& window = Open(true, true);
    Send(0xC101, 0, 0);  // the scan's first message
    EXPECT_FALSE(window.IsWindowVisible());
    window.RestoreFromDeviceEvent();  // a device arrives
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_EQ(list_->refreshes, 2);  // the layout still follows the devices
    Send(0xC101, 0, 1);              // a second start
    EXPECT_TRUE(window.IsWindowVisible());
    // Once asked for, it behaves as after a normal start.
    window.ShowWindow(false, false);
    window.RestoreFromDeviceEvent();
    EXPECT_TRUE(window.IsWindowVisible());
}

TEST_F(HiddenStartTest, TheTrayIconShowsAHiddenStart) {
    CMainWnd& window = Open(true, true);
    Send(0xC101, 0, 0);
    Send(ui::UIMSG_TRAYICON, 0, ui::WM_LBUTTONUP);
    EXPECT_TRUE(window.IsWindowVisible());
}

TEST_F(HiddenStartTest, WithoutATrayItStartsAsANormalWindow) {
    CMainWnd& window = Open(true, false);
    Send(0xC101, 0, 0);
    EXPECT_TRUE(window.IsWindowVisible());
}

TEST_F(HiddenStartTest, ANormalStartShowsAtTheFirstMessage) {
    CMainWnd& window = Open(false, true);
    Send(0xC101, 0, 0);
    EXPECT_TRUE(window.IsWindowVisible());
}

TEST_F(HiddenStartTest, TheTrayMenuItemTogglesTheSessionStart) {
    CMainWnd& window = Open(false, true);
    auto choose = [&](const char* name) {
        auto command = std::make_unique<ui::MenuCmd>();
        command->szName = name;
        ui::MenuCmd* kept = window.GetPaintManager()->KeepMenuCmd(std::move(command));
        Send(ui::WM_MENUCLICK, reinterpret_cast<ui::WPARAM>(kept), 0);
        backend_.ProcessPending();
    };
    const fs::path entry = folder_ / "config" / "autostart" / "t418-zen.desktop";
    choose("autostart");
    EXPECT_TRUE(AutostartChosen());
    std::ifstream in(entry);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("Exec=env T418_ZEN_START_HIDDEN=1 " + platform::ExecutableFolder() +
                        "t418-zen\n"),
              std::string::npos)
        << text;
    choose("autostart");
    EXPECT_FALSE(AutostartChosen());
    EXPECT_FALSE(fs::exists(entry));
}

}  // namespace
}  // namespace app
