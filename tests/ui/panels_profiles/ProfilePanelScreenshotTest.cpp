// The profile panel rendered offscreen through the Qt realisation, as it sits at the top of
// the mouse page's right column: closed, with its menu open, in Chinese, and with the strip
// of linked programs open.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "app/PanelTags.h"
#include "panels/profiles/DeviceProfileUI.h"
#include "profile/JsonFile.h"
#include "tests/unit/platform/TestFolders.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowImplBase.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtWindow.h"
#include "ui/skin/ResourceManager.h"

namespace {

namespace fs = std::filesystem;

ui::qt::QtBackend& Backend() {
    static ui::qt::QtBackend* backend = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // Each test runs in a process of its own, side by side: folders of its own.
        static t418test::TempFolder runtimeFolder;
        const fs::path runtime = runtimeFolder.path();
        fs::permissions(runtime, fs::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("XDG_CONFIG_HOME", runtime.c_str(), 1);
        static int argc = 1;
        static char name[] = "panels_profiles_screenshot_tests";
        static char* argv[] = {name, nullptr};
        auto* b = new ui::qt::QtBackend(argc, argv);
        ui::SetBackend(b);
        return b;
    }();
    return *backend;
}

// The right column of the mouse page, with only the profile panel in it.
class ColumnWindow : public ui::WindowImplBase {
  public:
    ui::CControlUI* CreateControl(const std::string& tag) override {
        return app::CreatePanelControl(tag, this, m_pm);
    }

  protected:
    std::string GetWindowClassName() const override { return "ProfilePanelShot"; }
    std::string GetSkinFile() override {
        return R"(<Window size="560,140">
                    <Font id="7" name="" size="14" default="true"/>
                    <VerticalLayout bkcolor="#FF15181D" inset="0,0,0,0">
                      <VerticalLayout bkcolor="#FF1B1F26" borderround="10,10" bordersize="1"
                          bordercolor="#FF2A303A" inset="14,10,14,14" childpadding="10">
                        <DeviceProfile name="DeviceProfileItem" height="88"><DeviceProfileUI/></DeviceProfile>
                        <Control/>
                      </VerticalLayout>
                    </VerticalLayout></Window>)";
    }
};

class ProfilePanelShot : public ::testing::Test {
  protected:
    void SetUp() override {
        Backend();
        data = fs::path(dataFolder.path());
        fs::create_directories(data / "user");
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
    }
    void TearDown() override { ui::CResourceManager::GetInstance()->Release(); }

    QImage Shot(const std::string& name, const std::string& language, bool menu,
                bool links = false) {
        EXPECT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage(language));
        auto* window = new ColumnWindow;
        EXPECT_NE(window->Create(nullptr, "shot", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 560, 140),
                  nullptr);
        auto* panel = dynamic_cast<panels::CDeviceProfileUI*>(
            window->GetPaintManager()->FindControl("DeviceProfileItem"));
        EXPECT_NE(panel, nullptr);
        QImage image;
        if (panel != nullptr) {
            panel->SetKind(2);
            panel->SetFolders((data / "user").string() + "/", (data / "none.Json").string());
            panel->LoadList();
            panel->RenameProfile(language == "lan_cn.xml" ? "游戏" : "Aim training");
            panel->CopyNameToEdit();
            panel->ShowMenu(menu);
            if (links) {
                panel->ShowLinkStrip(true);
                panel->ShowLinks({"cs2", "*steam_app_730*"});
                panel->SetFollowCheck(true);
                panel->SetLinkEditText("dota2");
            }
            window->GetPaintManager()->UpdateLayout();
            int timer = Backend().StartTimer(30, [] { Backend().QuitLoop(0); });
            Backend().RunLoop();
            Backend().StopTimer(timer);
            auto* native = dynamic_cast<ui::qt::QtWindow*>(window->GetNativeWindow());
            if (native != nullptr && native->Widget() != nullptr) {
                QWidget* widget = native->Widget();
                image = QImage(widget->size(), QImage::Format_RGB32);
                image.fill(Qt::black);
                QPainter painter(&image);
                painter.drawPixmap(0, 0, widget->grab());
            }
        }
        ui::DestroyWindow(window->GetHWND());
        delete window;
        fs::create_directories(T418_SCREENSHOT_DIR);
        if (!image.isNull())
            image.save(QString::fromStdString((fs::path(T418_SCREENSHOT_DIR) / name).string()),
                       "PNG");
        return image;
    }

    t418test::TempFolder dataFolder;
    fs::path data;
};

bool Near(const QColor& a, const QColor& b, int tolerance = 10) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

TEST_F(ProfilePanelShot, ClosedOpenAndInChinese) {
    QImage closed = Shot("profile-panel.png", "lan_en.xml", false);
    ASSERT_FALSE(closed.isNull());
    EXPECT_EQ(closed.size(), QSize(560, 140));
    EXPECT_TRUE(Near(closed.pixelColor(400, 30), QColor(0x1B, 0x1F, 0x26)))
        << "the panel's card where the menu is closed";
    // The selected tab (Performance) is the accent-tinted one.
    EXPECT_TRUE(Near(closed.pixelColor(50, 67), QColor(0x2C, 0x3A, 0x55), 14))
        << closed.pixelColor(50, 67).name().toStdString();
    QImage open = Shot("profile-panel-menu.png", "lan_en.xml", true);
    ASSERT_FALSE(open.isNull());
    EXPECT_FALSE(Near(open.pixelColor(400, 30), QColor(0x1B, 0x1F, 0x26), 2)) << "menu shows";
    // The spread button keeps its frame inside the card.
    EXPECT_TRUE(Near(open.pixelColor(544, 28), QColor(0x1B, 0x1F, 0x26)));
    QImage chinese = Shot("profile-panel-cn.png", "lan_cn.xml", false);
    ASSERT_FALSE(chinese.isNull());
    std::set<QRgb> colours;
    for (int y = 0; y < chinese.height(); y += 2)
        for (int x = 0; x < chinese.width(); x += 2)
            colours.insert(chinese.pixel(x, y));
    EXPECT_GT(colours.size(), 20u) << "text and icons are drawn";
}

TEST_F(ProfilePanelShot, TheLinkedProgramsStripTakesTheTabsPlace) {
    QImage strip = Shot("profile-panel-links.png", "lan_en.xml", false, true);
    ASSERT_FALSE(strip.isNull());
    EXPECT_FALSE(Near(strip.pixelColor(50, 67), QColor(0x2C, 0x3A, 0x55), 14))
        << "no selected tab where the switch is";
    // The add button is the accent-filled one at the strip's right.
    bool accent = false;
    for (int x = 300; x < 546 && !accent; ++x)
        accent = Near(strip.pixelColor(x, 75), QColor(0x2C, 0x3A, 0x55), 6);
    EXPECT_TRUE(accent) << "the add button is drawn";
    QImage chinese = Shot("profile-panel-links-cn.png", "lan_cn.xml", false, true);
    EXPECT_FALSE(chinese.isNull());
}

}  // namespace
