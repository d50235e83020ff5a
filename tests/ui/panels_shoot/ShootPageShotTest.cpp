// The mouse page on its shoot tab rendered offscreen from the real skin with the factory sets:
// set 3 with bullet 12 selected, at 96 and 144 DPI, in English and Chinese, to
// build/screenshots/shoot-page[-144][-cn].png. And the Qt realisation's reading of the
// dialogs' expanded patterns.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRegularExpression>
#include <QString>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>

#include "app/PanelTags.h"
#include "controls/ShootPatternUI.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "panels/shoot/ShootControlUI.h"
#include "tests/ui/support/MousePageWindow.h"
#include "tests/ui/support/ProgramQtBackend.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtWindow.h"
#include "ui/shell/FileDialog.h"
#include "ui/skin/ResourceManager.h"

namespace {

using t418test::ColourCount;

namespace fs = std::filesystem;
using panels::CShootControlUI;

constexpr int kWidth = 976;
constexpr int kHeight = 500;

class ShootPageWindow : public t418test::MousePageWindow {
  public:
    ShootPageWindow() : MousePageWindow("ShootPageShot") {}
};

ui::qt::QtBackend& Backend() {
    return t418test::ProgramQtBackend("panels_shoot_shot_tests");
}

bool NearColour(const QColor& a, const QColor& b, int tolerance = 12) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Any pixel of the colour inside the rectangle.
bool Holds(const QImage& image, const ui::Rect& r, const QColor& colour) {
    for (int y = std::max(0, r.top); y < std::min(image.height(), r.bottom); ++y)
        for (int x = std::max(0, r.left); x < std::min(image.width(), r.right); ++x)
            if (NearColour(image.pixelColor(x, y), colour, 24))
                return true;
    return false;
}

QColor Centre(const QImage& image, const ui::Rect& r) {
    return image.pixelColor((r.left + r.right) / 2, r.top + 3);
}

class ShootPageShot : public ::testing::TestWithParam<std::tuple<int, const char*>> {
  protected:
    int Dpi() const { return std::get<0>(GetParam()); }
    std::string Language() const { return std::get<1>(GetParam()); }
    int S(int value) const { return value * Dpi() / 96; }
    std::string File() const {
        return std::string("shoot-page") + (Dpi() == 96 ? "" : "-" + std::to_string(Dpi())) +
               (Language() == "en" ? "" : "-cn") + ".png";
    }
    void SetUp() override {
        Backend();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(
            ui::CResourceManager::GetInstance()->LoadLanguage("lan_" + Language() + ".xml"));
        // One user folder per instance: the instances run side by side.
        folder_ = (fs::temp_directory_path() /
                   ("t418-shoot-shot-" + std::to_string(Dpi()) + "-" + Language()))
                      .string() +
                  "/";
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        ui::CResourceManager::GetInstance()->Release();
        fs::remove_all(folder_);
    }
    std::string folder_;
};

TEST_P(ShootPageShot, SetThreeWithBulletTwelve) {
    ShootPageWindow window;
    ASSERT_NE(
        window.Create(nullptr, "shot", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, kWidth, kHeight),
        nullptr);
    window.GetPaintManager()->SetDPI(Dpi());
    int timer = Backend().StartTimer(50, [] { Backend().QuitLoop(0); });
    Backend().RunLoop();
    Backend().StopTimer(timer);
    ASSERT_NE(window.mouse, nullptr);
    window.mouse->ShowFunctionPage(9);
    if (auto* tab = dynamic_cast<ui::COptionUI*>(window.FindControl("otherset_Op_tab")))
        tab->Selected(true, false);
    auto* panel = dynamic_cast<CShootControlUI*>(window.FindControl("ShootControlItem"));
    ASSERT_NE(panel, nullptr);
    // As the page build does, over the program's factory sets.
    panel->SetDataFolder(folder_);
    panel->SetDefaultFolder(std::string(T418_RESOURCES_DIR) + "/DefaultData/");
    panel->Init();
    panel->SelectSet(3);
    panel->SelectBullet(12);
    window.GetPaintManager()->UpdateLayout();

    // Everything sits inside its card (cards have a 10-pixel inset) and inside the page.
    EXPECT_LE(panel->GetPos().bottom, S(kHeight));
    for (const char* name : {"bullet_op_29", "shootdate_save_btn", "bullet_selected_next",
                             "bullet_delay_eidt", "shoot_gun_op_3"}) {
        const ui::Rect r = window.FindControl(name)->GetPos();
        EXPECT_LE(r.right, panel->GetPos().right) << name;
        EXPECT_GT(r.Width(), 0) << name;
        ui::CControlUI* card = window.FindControl(name)->GetParent();
        while (card != nullptr && card->GetBkColor() != 0xFF20252D)
            card = card->GetParent();
        if (card != nullptr) {
            EXPECT_LE(r.bottom, card->GetPos().bottom - S(10)) << name;
            EXPECT_LE(r.right, card->GetPos().right - S(10)) << name;
        }
    }
    controls::CShootPatternUI* plot = panel->Pattern(3);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->Steps().size(), 30u) << "the factory set is complete";
    EXPECT_EQ(plot->Selected(), 12);

    auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
    auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
    ASSERT_NE(widget, nullptr);
    const QImage image = widget->RenderToImage();
    fs::create_directories(T418_SCREENSHOT_DIR);
    image.save(QString::fromStdString((fs::path(T418_SCREENSHOT_DIR) / File()).string()), "PNG");
    ui::DestroyWindow(window.GetHWND());

    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(S(kWidth), S(kHeight)));
    EXPECT_GT(ColourCount(image), 150u) << "the page is nearly blank";
    const QColor accent(0x4C, 0x8D, 0xFF);
    EXPECT_TRUE(NearColour(Centre(image, window.FindControl("bullet_op_12")->GetPos()), accent))
        << "the selected bullet";
    EXPECT_TRUE(NearColour(Centre(image, window.FindControl("shoot_gun_op_3")->GetPos()), accent))
        << "the selected set";
    EXPECT_TRUE(Holds(image, plot->GetPos(), QColor(0xF2, 0xA6, 0x5A))) << "the marked bullet";
}

INSTANTIATE_TEST_SUITE_P(DpiAndLanguage, ShootPageShot,
                         ::testing::Combine(::testing::Values(96, 144),
                                            ::testing::Values("en", "cn")),
                         [](const auto& info) {
                             return "At" + std::to_string(std::get<0>(info.param)) + "_" +
                                    std::get<1>(info.param);
                         });

TEST(ShootFilePattern, TheQtReadingOfTheExpandedPatternFindsEverySpelling) {
    const std::vector<std::string> patterns =
        ui::FilterPatterns(ui::CaseInsensitiveFilter("Shoot Files(*.shoot)"));
    ASSERT_EQ(patterns.size(), 1u);
    const QRegularExpression re(
        QRegularExpression::wildcardToRegularExpression(QString::fromStdString(patterns[0])));
    for (const char* name : {"B.Shoot", "A.SHOOT", "c.shoot"})
        EXPECT_TRUE(re.match(QString::fromUtf8(name)).hasMatch()) << name;
    EXPECT_FALSE(re.match(QStringLiteral("B.shot")).hasMatch());
}

}  // namespace
