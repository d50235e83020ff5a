#include "SkinTestSupport.h"
#include "ui/shell/IconResources.h"
#include "windows/AboutWnd.h"
#include "windows/DialogDpi.h"
#include "windows/ProgramIcons.h"

namespace {

using skintest::ClickOn;
using skintest::WindowOf;

class AboutWndTest : public skintest::SkinTest {
  protected:
    void TearDown() override {
        if (ui::HWND open = windows::CAboutWnd::Current())
            ui::DestroyWindow(open);
        SkinTest::TearDown();
    }
    static std::string Text(ui::HWND hwnd, const std::string& name) {
        ui::CControlUI* control = WindowOf(hwnd)->FindControl(name);
        return control != nullptr ? control->GetText() : "<missing>";
    }
};

TEST_F(AboutWndTest, OpensOnceAndShowsTheTranslatedVersion) {
    ui::HWND about = windows::CAboutWnd::Open(nullptr);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(windows::CAboutWnd::Current(), about);
    EXPECT_EQ(windows::CAboutWnd::Open(nullptr), nullptr) << "a second one is refused";
    EXPECT_EQ(windows::CAboutWnd::Current(), about);

    EXPECT_EQ(Text(about, "software_ver_label"), "Software version V1.0.0");
    EXPECT_FALSE(WindowOf(about)->FindControl("text_test")->IsVisible());
    EXPECT_FALSE(WindowOf(about)->FindControl("software_ver_label")->IsResourceText());
}

TEST_F(AboutWndTest, CloseButtonClosesItAndAnotherCanOpen) {
    ui::HWND about = windows::CAboutWnd::Open(nullptr);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(ClickOn(about, "homepage_btn"));
    backend.ProcessPending();
    EXPECT_TRUE(ui::IsWindow(about)) << "the home page button does nothing";

    EXPECT_TRUE(ClickOn(about, "closebtn"));
    backend.ProcessPending();
    EXPECT_FALSE(ui::IsWindow(about));
    EXPECT_EQ(windows::CAboutWnd::Current(), nullptr);
    EXPECT_NE(windows::CAboutWnd::Open(nullptr), nullptr);
}

TEST_F(AboutWndTest, FollowsALanguageChange) {
    ui::HWND about = windows::CAboutWnd::Open(nullptr);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_cn.xml"));
    ui::SendMessage(about, windows::kMsgLanguageChanged, 0, 0);
    EXPECT_EQ(Text(about, "software_ver_label"), "软件版本 V1.0.0");
}

TEST_F(AboutWndTest, TakesTheDialogDpi) {
    ui::HWND about = windows::CAboutWnd::Open(nullptr, 144);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowOf(about)->GetPaintManager()->GetDPI(), 144);
    ui::DestroyWindow(about);
    about = windows::CAboutWnd::Open(nullptr, 100);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowOf(about)->GetPaintManager()->GetDPI(), 96);
}

TEST_F(AboutWndTest, ProgramIconResolvesToTheSkinsIcon) {
    windows::RegisterProgramIcons();
    EXPECT_NE(ui::LoadIconResource(windows::kProgramIconId), nullptr);
    EXPECT_NE(ui::LoadIconResource(windows::kSkinFrameIconId), nullptr);
}

TEST(DialogDpi, AcceptsFortyEightToOneNinetyTwoInStepsOfTwentyFour) {
    for (int dpi : {48, 72, 96, 120, 144, 168, 192})
        EXPECT_EQ(windows::DialogDpi(dpi), dpi);
    for (int dpi : {0, -96, 24, 47, 100, 150, 193, 216})
        EXPECT_EQ(windows::DialogDpi(dpi), 96) << dpi;

    windows::DpiChoice same = windows::SetDialogDpi(144, 144, "X");
    EXPECT_FALSE(same.apply);
    windows::DpiChoice refused = windows::SetDialogDpi(144, 100, "X");
    EXPECT_TRUE(refused.apply);
    EXPECT_EQ(refused.dpi, 96);
    // A refused value at 96 still applies 96: every window follows the dialog.
    windows::DpiChoice again = windows::SetDialogDpi(96, 100, "X");
    EXPECT_TRUE(again.apply);
    EXPECT_EQ(again.dpi, 96);
}

}  // namespace
