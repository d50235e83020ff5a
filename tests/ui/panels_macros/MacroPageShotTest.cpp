// The mouse page on its macro tab rendered offscreen from the real skin: a macro with
// keyboard, mouse button and pointer move rows, idle and recording, to
// build/screenshots/macro-page-<pose>.png and macro-page-<pose>-cn.png.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "app/PanelTags.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "panels/macros/MacroControlUI.h"
#include "profile/JsonFile.h"
#include "tests/ui/support/MousePageWindow.h"
#include "tests/ui/support/ProgramQtBackend.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtWindow.h"
#include "ui/skin/ResourceManager.h"

namespace {

using t418test::ColourCount;

namespace fs = std::filesystem;
using panels::CMacroControlUI;
using panels::macros::MakeEvent;

constexpr int kWidth = 976;
constexpr int kHeight = 500;

class PageWindow : public t418test::MousePageWindow {
  public:
    PageWindow() : MousePageWindow("MacroPageShot") {}
};

ui::qt::QtBackend& Backend() {
    return t418test::ProgramQtBackend("panels_macros_shot_tests");
}

// A data folder with two macros, the first holding keyboard, mouse and move events.
// One folder per language: the instances run side by side.
std::string MakeFolder(const std::string& language) {
    const std::string folder =
        (fs::temp_directory_path() / ("t418-macro-shot-data-" + language)).string() + "/";
    fs::remove_all(folder);
    fs::create_directories(folder);
    Json::Value list;
    const char* names[] = {"Reload", "Burst fire", "Build"};
    for (int i = 0; i < 3; ++i) {
        Json::Value entry;
        entry["MacroName"] = names[i];
        entry["Guid"] = "2024_03_05_14_07_09_04" + std::to_string(i);
        list["MacroInfo"].append(entry);
    }
    profile::WriteJsonFile(folder + "macro.config", list);
    Json::Value doc;
    doc["MacroName"] = "Reload";
    doc["Guid"] = "2024_03_05_14_07_09_040";
    const Json::Value events[] = {
        MakeEvent(true, 0x02, 9, 30),    MakeEvent(true, 0x15, 10, 50),
        MakeEvent(false, 0x15, 10, 40),  MakeEvent(false, 0x02, 9, 120),
        MakeEvent(true, 0x01, 1, 20),    MakeEvent(false, 0x01, 1, 35),
        MakeEvent(true, 40, 4, 10),      MakeEvent(false, 12, 5, 10),
        MakeEvent(true, 0x10, 1, 65535),
    };
    for (const Json::Value& e : events)
        doc["Events"].append(e);
    doc["Version"] = 64;
    profile::WriteJsonFile(folder + "2024_03_05_14_07_09_040.mac", doc);
    return folder;
}

class MacroPageShot : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        Backend();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage(std::string("lan_") +
                                                                      GetParam() + ".xml"));
    }
    void TearDown() override { ui::CResourceManager::GetInstance()->Release(); }

    QImage Shot(const std::string& pose, const std::function<void(CMacroControlUI&)>& set) {
        PageWindow window;
        EXPECT_NE(
            window.Create(nullptr, "shot", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, kWidth, kHeight),
            nullptr);
        int timer = Backend().StartTimer(50, [] { Backend().QuitLoop(0); });
        Backend().RunLoop();
        Backend().StopTimer(timer);
        auto* panel = dynamic_cast<CMacroControlUI*>(window.FindControl("MacroControlItem"));
        QImage image;
        EXPECT_NE(panel, nullptr);
        if (panel == nullptr)
            return image;
        dynamic_cast<ui::CTabLayoutUI*>(window.FindControl("device_function_switch"))
            ->SelectItem(3, false);
        if (auto* tab = dynamic_cast<ui::COptionUI*>(window.FindControl("macro_Op_tab")))
            tab->Selected(true, false);
        panel->SetDataFolder(MakeFolder(GetParam()));
        panel->LoadMacroList();
        panel->SelectMacroItem(0);
        panel->SelectRow(4);
        set(*panel);
        window.GetPaintManager()->UpdateLayout();
        // Every event row's three parts fit in the list.
        const ui::Rect list = window.FindControl(CMacroControlUI::kActionListName)->GetPos();
        const ui::Rect delay = panel->RowDelayEdit(0)->GetPos();
        EXPECT_LE(delay.right, list.right);
        EXPECT_LE(panel->GetPos().bottom, kHeight);
        const ui::Rect start = window.FindControl(CMacroControlUI::kStartButtonName)->GetPos();
        EXPECT_LE(start.right, panel->GetPos().right);
        // A control's place on the screen follows the window's (a left click on the stop
        // button is told from others by it).
        const ui::Rect frame{40, 30, 40 + kWidth, 30 + kHeight};
        window.GetNativeWindow()->SetRect(frame);
        EXPECT_EQ(window.GetNativeWindow()->GetRect().left, 40);
        const std::optional<ui::Rect> onScreen =
            window.FindControl(CMacroControlUI::kStartButtonName)->GetScreenPos();
        EXPECT_TRUE(onScreen.has_value());
        if (onScreen) {
            EXPECT_EQ(*onScreen, start.Offset(40, 30));
        }
        auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
        auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
        if (widget != nullptr)
            image = widget->RenderToImage();
        fs::create_directories(T418_SCREENSHOT_DIR);
        const std::string file =
            "macro-page-" + pose + (std::string(GetParam()) == "en" ? "" : "-cn") + ".png";
        image.save(QString::fromStdString((fs::path(T418_SCREENSHOT_DIR) / file).string()), "PNG");
        ui::DestroyWindow(window.GetHWND());
        return image;
    }
};

TEST_P(MacroPageShot, IdleAndRecording) {
    const struct {
        const char* pose;
        bool recording;
    } poses[] = {{"idle", false}, {"recording", true}};
    for (const auto& p : poses) {
        SCOPED_TRACE(p.pose);
        QImage image = Shot(p.pose, [&](CMacroControlUI& panel) {
            if (p.recording)
                panel.EnterRecordingState();
        });
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(kWidth, kHeight));
        EXPECT_GT(ColourCount(image), 150u) << "the page is nearly blank";
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, MacroPageShot, ::testing::Values("en", "cn"));

}  // namespace
