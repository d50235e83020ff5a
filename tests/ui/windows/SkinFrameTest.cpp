// The skin frame against the real skin: placed under the skin button, its five clicks, what
// reaches the receivers and what "main.ini" keeps; and the observer it publishes on.
#include <algorithm>
#include <filesystem>

#include "../../unit/platform/TestFolders.h"
#include "SkinTestSupport.h"
#include "platform/FileIO.h"
#include "platform/IniFile.h"
#include "ui/shell/FileDialog.h"
#include "windows/ProgramIcons.h"
#include "windows/SkinChoiceFile.h"
#include "windows/SkinFrame.h"

namespace {

using windows::CSkinFrame;
using windows::SkinChangedParam;

// Notes every change it receives.
class NotingReceiver : public windows::SkinReceiver {
  public:
    int Receive(SkinChangedParam change) override {
        changes.push_back(change);
        if (onReceive)
            onReceive();
        return 1;
    }
    std::vector<SkinChangedParam> changes;
    std::function<void()> onReceive;
};

// A main window with nothing but the skin button at a known place.
class SkinButtonWindow : public ui::WindowImplBase {
  protected:
    std::string GetWindowClassName() const override { return "SkinButtonHost"; }
    std::string GetSkinFile() override {
        return R"(<Window size="600,400"><VerticalLayout><HorizontalLayout height="40">
            <Control/><Button name="skinbtn" width="32" height="32" padding="0,4,100,0"/>
            </HorizontalLayout><Control/></VerticalLayout></Window>)";
    }
};

class SkinFrameTest : public skintest::SkinTest {
  protected:
    void SetUp() override {
        SkinTest::SetUp();
        windows::RegisterProgramIcons();
        windows::SetSkinIniPathForTesting(ini);
        windows::ProgramSkinObserver().RegisterReceiver(&receiver);
        main = new SkinButtonWindow();
        ASSERT_NE(main->Create(nullptr, "main", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 10, 10),
                  nullptr);
        main->SetWindowPos(ui::Rect{300, 200, 900, 600});
        main->GetPaintManager()->UpdateLayout();
    }
    void TearDown() override {
        if (ui::HWND frame = CSkinFrame::Current())
            ui::DestroyWindow(frame);
        ui::DestroyWindow(main->GetHWND());
        delete main;
        windows::ProgramSkinObserver().UnregisterReceiver(&receiver);
        windows::SetSkinIniPathForTesting("");
        SkinTest::TearDown();
    }

    CSkinFrame* OpenFrame() {
        ui::HWND hwnd = CSkinFrame::Open(main->GetHWND(), main->FindControl("skinbtn"));
        return hwnd != nullptr ? static_cast<CSkinFrame*>(ui::GetWindowObject(hwnd)) : nullptr;
    }
    static ui::headless::HeadlessWindow* Native(CSkinFrame* frame) {
        return static_cast<ui::headless::HeadlessWindow*>(frame->GetNativeWindow());
    }
    // Clicks the visible control of that name (and, when given, user data) like a user.
    static bool Click(CSkinFrame* frame, const std::string& name, const std::string& data = "") {
        ui::CPaintManagerUI* pm = frame->GetPaintManager();
        pm->UpdateLayout();
        for (const char* cls : {"ButtonUI", "OptionUI"}) {
            for (ui::CControlUI* c : pm->FindSubControlsByClass(pm->GetRoot(), cls)) {
                if (!ui::EqualsNoCase(c->GetName(), name) || !c->IsVisible() ||
                    (!data.empty() && c->GetUserData() != data))
                    continue;
                const ui::Rect& r = c->GetPos();
                Native(frame)->Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                return true;
            }
        }
        return false;
    }
    std::optional<std::string> Kept(const char* key) const {
        return platform::ReadIniString(ini, windows::kSkinIniSection, key);
    }

    t418test::TempFolder folder;
    std::string ini = folder / "main.ini";
    NotingReceiver receiver;
    SkinButtonWindow* main = nullptr;
};

TEST_F(SkinFrameTest, OpensUnderTheSkinButtonAsADropDownThatTakesNoActivation) {
    CSkinFrame* frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(static_cast<ui::CWindowWnd*>(frame)->GetWindowClassName(), "UISkinFrame");
    EXPECT_EQ(frame->GetTitle(), "skinframe");
    EXPECT_EQ(frame->GetStyle(), 0x90000000u);
    EXPECT_EQ(frame->GetExStyle(), 0x08000088u);
    EXPECT_EQ(frame->GetOwner(), nullptr);
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_TRUE(Native(frame)->HasIcon());
    // The button sits at client (468, 4)-(500, 36) of the main window at (300, 200): the
    // frame's right edge on the button's, its top on the button's bottom.
    const ui::Rect button = main->FindControl("skinbtn")->GetPos();
    ASSERT_EQ(button, (ui::Rect{468, 4, 500, 36}));
    EXPECT_EQ(frame->GetWindowRect(), (ui::Rect{800 - 292, 236, 800, 236 + 228}));

    // A second click on the button makes a new frame; the old one goes.
    ui::HWND first = frame->GetHWND();
    CSkinFrame* second = OpenFrame();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(ui::IsWindow(first));
    EXPECT_EQ(CSkinFrame::Current(), second->GetHWND());
}

TEST_F(SkinFrameTest, APressOutsideClosesTheFrameAndAPressInsideDoesNot) {
    CSkinFrame* frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    const ui::Rect r = frame->GetWindowRect();
    EXPECT_EQ(backend.PressOutsidePopups(ui::Point{r.left + 5, r.top + 5}), 0);
    EXPECT_NE(CSkinFrame::Current(), nullptr);
    EXPECT_EQ(backend.PressOutsidePopups(ui::Point{320, 220}), 1);
    backend.ProcessPending();
    EXPECT_EQ(CSkinFrame::Current(), nullptr);
    EXPECT_TRUE(ui::IsWindow(main->GetHWND()));
    EXPECT_TRUE(receiver.changes.empty());
}

TEST_F(SkinFrameTest, AnImageIsPublishedAndKeptAColourIsPublishedOnly) {
    ASSERT_TRUE(platform::WriteFileAtomic(ini, "[Window]\nPlace=1\n"));
    CSkinFrame* frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(Click(frame, "skin_color"));
    ASSERT_TRUE(Click(frame, "skin_color_btn"));
    ASSERT_EQ(receiver.changes.size(), 1u);
    EXPECT_TRUE(receiver.changes[0].bColor);
    EXPECT_EQ(receiver.changes[0].bkcolor, 0xFF0F1216u);
    EXPECT_EQ(Kept("FLAGS"), std::nullopt) << "colours are not kept";

    EXPECT_FALSE(Click(frame, "skin_image_btn")) << "the image page is hidden";
    ASSERT_TRUE(Click(frame, "skin_image"));
    ASSERT_TRUE(Click(frame, "skin_image_btn", "common/skin/grid.png"));
    ASSERT_EQ(receiver.changes.size(), 2u);
    EXPECT_FALSE(receiver.changes[1].bColor);
    EXPECT_EQ(receiver.changes[1].bgimage, "common/skin/grid.png");
    EXPECT_EQ(Kept("FLAGS"), "1");
    EXPECT_EQ(Kept("IMAGE"), "common/skin/grid.png");
    EXPECT_EQ(platform::ReadIniString(ini, "Window", "Place"), "1");
    EXPECT_EQ(windows::StoredSkinImage(ini), "common/skin/grid.png");
}

TEST_F(SkinFrameTest, ResetPublishesAndKeepsTheDefaultOtherKeysStay) {
    ASSERT_TRUE(platform::WriteFileAtomic(
        ini, "[SKINIMAGE]\nFLAGS=1\nIMAGE=common/skin/ember.png\nMINE=keep\n[Other]\nA=b\n"));
    CSkinFrame* frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(Click(frame, "skin_reset"));
    ASSERT_EQ(receiver.changes.size(), 1u);
    EXPECT_FALSE(receiver.changes[0].bColor);
    EXPECT_EQ(receiver.changes[0].bgimage, "common/background.png");
    std::string text;
    ASSERT_TRUE(platform::ReadWholeFile(ini, text));
    EXPECT_EQ(text, "[SKINIMAGE]\nFLAGS=0\nIMAGE=common/background.png\nMINE=keep\n[Other]\nA=b\n");
    EXPECT_EQ(windows::StoredSkinImage(ini), std::nullopt) << "a reset is not put back";
}

TEST_F(SkinFrameTest, AnOwnPictureIsPublishedOnceAndNotKeptACancelChangesNothing) {
    CSkinFrame* frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    backend.ScriptFileDialog("");
    ASSERT_TRUE(Click(frame, "skin_Custom"));
    EXPECT_TRUE(receiver.changes.empty());
    ASSERT_EQ(backend.FileDialogRequests().size(), 1u);
    const ui::FileDialogRequest& request = backend.FileDialogRequests()[0];
    EXPECT_EQ(request.fileName, "*.png");
    EXPECT_EQ(request.defaultSuffix, "png");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(ui::FilterPatterns(request.filters[0]), std::vector<std::string>{"*.png"});
    // The desktop's dialog gets the pattern in both cases: "A.PNG" shows too.
    EXPECT_NE(ui::CaseInsensitiveFilter(request.filters[0]).find("*.[pP][nN][gG]"),
              std::string::npos);

    backend.ScriptFileDialog("/home/user/Pictures/Desk.PNG");
    ASSERT_TRUE(Click(frame, "skin_custom"));
    ASSERT_EQ(receiver.changes.size(), 1u);
    EXPECT_EQ(receiver.changes[0].bgimage, "/home/user/Pictures/Desk.PNG");
    EXPECT_FALSE(std::filesystem::exists(ini)) << "own pictures are not kept";
}

TEST_F(SkinFrameTest, ImageNamesFromTheFileAreKeptInsideTheSkinFolder) {
    for (const char* good : {"common/skin/aurora.png", "a.png", "x..y/b.png"})
        EXPECT_TRUE(windows::IsSkinImageName(good)) << good;
    for (const char* bad : {"", "/etc/passwd", "../secret.png", "common/../../x.png", "c:\\x.png",
                            "a\\..\\b.png", "file='a.png' dest='0,0,1,1'"})
        EXPECT_FALSE(windows::IsSkinImageName(bad)) << bad;
    ASSERT_TRUE(platform::WriteFileAtomic(ini, "[SKINIMAGE]\nFLAGS=1\nIMAGE=../../x.png\n"));
    EXPECT_EQ(windows::StoredSkinImage(ini), std::nullopt);
    ASSERT_TRUE(
        platform::WriteFileAtomic(ini, "[skinimage]\nflags=1\nimage=common/skin/ember.png\n"));
    EXPECT_EQ(windows::StoredSkinImage(ini), "common/skin/ember.png");
    EXPECT_EQ(windows::StoredSkinImage(folder / "missing.ini"), std::nullopt);
}

// --- the observer ------------------------------------------------------------------------

TEST(SkinObserver, AReceiverRegisteredTwiceHearsEachChangeTwiceUntilUnregistered) {
    windows::SkinObserver observer;
    NotingReceiver a, b;
    observer.RegisterReceiver(&a);
    observer.RegisterReceiver(&b);
    observer.RegisterReceiver(&a);
    observer.RegisterReceiver(nullptr);
    EXPECT_EQ(observer.ReceiverCount(), 3u);
    std::vector<char> order;
    a.onReceive = [&] { order.push_back('a'); };
    b.onReceive = [&] { order.push_back('b'); };
    SkinChangedParam change;
    change.bgimage = "x.png";
    EXPECT_EQ(observer.Publish(change), 0);
    EXPECT_EQ(order, (std::vector<char>{'a', 'b', 'a'}));
    observer.UnregisterReceiver(&a);
    observer.UnregisterReceiver(nullptr);
    observer.Publish(change);
    EXPECT_EQ(a.changes.size(), 2u);
    EXPECT_EQ(b.changes.size(), 2u);
    // The receiver's own way out reaches every observer it joined.
    windows::SkinObserver other;
    other.RegisterReceiver(&b);
    b.UnregisterObserver();
    EXPECT_EQ(observer.ReceiverCount(), 0u);
    EXPECT_EQ(other.ReceiverCount(), 0u);
}

TEST(SkinObserver, PartnersThatGoAwayAreNeverCalledAgain) {
    windows::SkinObserver observer;
    NotingReceiver stays;
    {
        NotingReceiver goes;
        observer.RegisterReceiver(&goes);
        observer.RegisterReceiver(&stays);
    }
    EXPECT_EQ(observer.ReceiverCount(), 1u);
    observer.Publish(SkinChangedParam{});  // would call into the destroyed receiver
    EXPECT_EQ(stays.changes.size(), 1u);
    {
        windows::SkinObserver brief;
        brief.RegisterReceiver(&stays);
    }
    stays.UnregisterObserver();  // would call into the destroyed observer

    // A receiver that leaves while a change is being published: the rest still hear it.
    NotingReceiver leaves, last;
    leaves.onReceive = [&] { observer.UnregisterReceiver(&leaves); };
    observer.RegisterReceiver(&leaves);
    observer.RegisterReceiver(&last);
    observer.Publish(SkinChangedParam{});
    EXPECT_EQ(leaves.changes.size(), 1u);
    EXPECT_EQ(last.changes.size(), 1u);
}

}  // namespace
