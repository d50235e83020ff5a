// The mouse page on its keys tab rendered offscreen from the real skin: the key panel over
// the list of every key's function (filled as the mouse fills it), to
// build/screenshots/key-panel-<pose>.png and key-panel-<pose>-cn.png.
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
#include "panels/keys/KeyNames.h"
#include "panels/keys/KeySetControlUI.h"
#include "tests/ui/support/MousePageWindow.h"
#include "tests/ui/support/ProgramQtBackend.h"
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
using panels::CKeySetControlUI;
using profile::KeyAssignment;

constexpr int kWidth = 976;
constexpr int kHeight = 500;

class PageWindow : public t418test::MousePageWindow {
  public:
    PageWindow() : MousePageWindow("KeyPanelShot") {}
};

KeyAssignment A(uint16_t index, uint8_t type, uint8_t p1, uint8_t p2) {
    KeyAssignment a;
    a.keyIndex = index;
    a.type = type;
    a.param1 = p1;
    a.param2 = p2;
    return a;
}

ui::qt::QtBackend& Backend() {
    return t418test::ProgramQtBackend("panels_keys_shot_tests");
}

class KeyPanelShot : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        Backend();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage(std::string("lan_") +
                                                                      GetParam() + ".xml"));
    }
    void TearDown() override { ui::CResourceManager::GetInstance()->Release(); }

    // Builds the page on its keys tab, poses the panel, renders and saves it.
    QImage Shot(const std::string& pose, const std::function<void(CKeySetControlUI&)>& set) {
        PageWindow window;
        EXPECT_NE(
            window.Create(nullptr, "shot", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, kWidth, kHeight),
            nullptr);
        int timer = Backend().StartTimer(50, [] { Backend().QuitLoop(0); });
        Backend().RunLoop();
        Backend().StopTimer(timer);
        auto* panel = dynamic_cast<CKeySetControlUI*>(window.FindControl("KeySetControlItem"));
        QImage image;
        if (panel != nullptr) {
            // The key list as the mouse fills it from its records.
            std::vector<profile::KeyRecord> records;
            for (const auto& key : panels::keys::MouseKeys()) {
                const KeyAssignment factory =
                    A(static_cast<uint16_t>(records.size()), key.type, key.p1, key.p2);
                records.push_back({factory, factory});
            }
            records[3].current = A(3, 0x20, 0x01, 0x06);
            records[4].current = A(4, 0x14, 0x0A, 0x03);
            records[6].current = A(6, 0x12, 0x11, 0xFD);
            records[7].current = A(7, 0x30, 0xCD, 0x00);
            EXPECT_NE(window.mouse, nullptr);
            if (window.mouse != nullptr) {
                window.mouse->SetKeyCount(static_cast<int>(records.size()));
                window.mouse->SetSkinFile("XML/DeviceXml/mousedevice.xml");
                window.mouse->BindPanelControls();
                window.mouse->SetKeyRecords(records);
                window.mouse->RefreshKeyNames();
            }
            dynamic_cast<ui::CTabLayoutUI*>(window.FindControl("device_function_switch"))
                ->SelectItem(0, false);
            dynamic_cast<ui::CTabLayoutUI*>(window.FindControl("device_key_function_switch"))
                ->SelectItem(1, false);
            if (auto* tab = dynamic_cast<ui::COptionUI*>(window.FindControl("key_Op_tab")))
                tab->Selected(true, false);
            panel->SetDeviceType(CKeySetControlUI::kDeviceMouse);
            panel->SetMacroNames({"Reload", "Burst"});
            set(*panel);
            window.GetPaintManager()->UpdateLayout();
            // The panel sits above the list, and the list's two columns fit beside the picture.
            const ui::Rect list = window.FindControl("device_setkeyinfo_list")->GetPos();
            EXPECT_GE(list.right - list.left, 380);
            EXPECT_LE(list.bottom, kHeight);
            if (panel->IsVisible()) {
                EXPECT_LT(panel->GetPos().bottom, list.top);
                const ui::Rect apply = window.FindControl("key_butt_prosave")->GetPos();
                EXPECT_LE(apply.right, panel->GetPos().right);
                EXPECT_LE(apply.bottom, panel->GetPos().bottom);
                ui::CControlUI* cycle = window.FindControl("keyset_macro_cycle_edit");
                if (cycle->IsVisible()) {
                    EXPECT_LE(cycle->GetPos().right, panel->GetPos().right) << "the widest page";
                }
            }
            auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
            auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
            if (widget != nullptr)
                image = widget->RenderToImage();
            fs::create_directories(T418_SCREENSHOT_DIR);
            const std::string file =
                "key-panel-" + pose + (std::string(GetParam()) == "en" ? "" : "-cn") + ".png";
            image.save(QString::fromStdString((fs::path(T418_SCREENSHOT_DIR) / file).string()),
                       "PNG");
        }
        ui::DestroyWindow(window.GetHWND());
        return image;
    }
};

TEST_P(KeyPanelShot, Poses) {
    const struct {
        const char* pose;
        KeyAssignment current;
        KeyAssignment defaults;
        bool pending;
    } poses[] = {
        {"keyboard", A(3, 0x20, 0x01, 0x06), A(3, 0x10, 0x10, 0), true},
        {"macro", A(4, 0x71, 1, 5), A(4, 0x10, 0x08, 0), true},
    };
    for (const auto& p : poses) {
        SCOPED_TRACE(p.pose);
        QImage image = Shot(p.pose, [&](CKeySetControlUI& panel) {
            panel.SetVisible(true);
            panel.ShowKeyRecord(profile::KeyRecord{p.current, p.defaults});
            panel.SetPendingButtons(p.pending);
        });
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(kWidth, kHeight));
        EXPECT_GT(ColourCount(image), 150u) << "the page is nearly blank";
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, KeyPanelShot, ::testing::Values("en", "cn"));

}  // namespace
