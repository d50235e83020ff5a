// Windows built from layouts and driven like a user would: clicks, options in a group,
// check boxes, focus, timers on the virtual clock, language switches, modal dialogs.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/core/KeyState.h"
#include "ui/core/MessageModel.h"
#include "ui/layout/ContainerUI.h"
#include "ui/skin/ResourceManager.h"

namespace ui {
namespace {

using testing::LayoutWindow;

const char* kWindowLayout = R"(
<Window size="300,200">
  <VerticalLayout name="root">
    <HorizontalLayout height="40">
      <Button name="ok_btn" text="ok_text" resourcetext="true"/>
      <Button name="off_btn" enabled="false"/>
    </HorizontalLayout>
    <HorizontalLayout height="40">
      <Option name="rate_option_0" group="rate" selected="true"/>
      <Option name="rate_option_1" group="rate"/>
      <Option name="rate_option_2" group="rate"/>
    </HorizontalLayout>
    <HorizontalLayout height="40">
      <CheckBox name="check"/>
      <Label name="caption" text="plain"/>
      <Progress name="progress" min="0" max="10" value="5" forecolor="#FF00FF00"/>
    </HorizontalLayout>
    <Control/>
  </VerticalLayout>
</Window>)";

class WindowTest : public testing::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        window = new LayoutWindow(kWindowLayout);
        window->ownsItself = true;
        window->onFinal = [this] { window = nullptr; };
        ASSERT_NE(window->Create(nullptr, "test", WS_POPUP | WS_VISIBLE, 0, 0, 0, 10, 10), nullptr);
        backend.ProcessPending();
    }
    void TearDown() override {
        if (window != nullptr)
            DestroyWindow(window->GetHWND());
        CResourceManager::GetInstance()->Release();
    }
    COptionUI* Option(const std::string& name) {
        return static_cast<COptionUI*>(window->Find(name)->GetInterface("Option"));
    }
    LayoutWindow* window = nullptr;
};

TEST_F(WindowTest, LayoutSizeWinsAndWindowInitArrivesAfterTheLayoutIsBuilt) {
    EXPECT_EQ(window->GetWindowRect().Width(), 300);
    EXPECT_EQ(window->GetWindowRect().Height(), 200);
    ASSERT_FALSE(window->seen.empty());
    auto types = window->Types();
    EXPECT_NE(std::find(types.begin(), types.end(), "windowinit"), types.end());
    EXPECT_EQ(window->GetPaintManager()->GetRoot()->GetName(), "root");
}

TEST_F(WindowTest, ClickingAButtonRaisesClickAndDisabledButtonsStaySilent) {
    window->seen.clear();
    window->ClickOn("ok_btn");
    window->ClickOn("off_btn");
    EXPECT_EQ(window->TypesFrom("ok_btn"), (std::vector<std::string>{"setfocus", "click"}));
    EXPECT_TRUE(window->TypesFrom("off_btn").empty());
}

TEST_F(WindowTest, PressingThenLeavingTheButtonDoesNotClick) {
    window->seen.clear();
    Point p = window->CentreOf("ok_btn");
    auto* native = window->Native();
    native->MouseMove(p.x, p.y);
    native->MouseDown(p.x, p.y);
    auto* button = static_cast<CButtonUI*>(window->Find("ok_btn"));
    EXPECT_TRUE(button->GetButtonState() & UISTATE_PUSHED);
    native->MouseMove(p.x, 190);
    EXPECT_FALSE(button->GetButtonState() & UISTATE_PUSHED);
    EXPECT_TRUE(button->GetButtonState() & UISTATE_CAPTURED);
    native->MouseUp(p.x, 190);
    EXPECT_EQ(button->GetButtonState() & (UISTATE_CAPTURED | UISTATE_PUSHED), 0u);
    auto types = window->TypesFrom("ok_btn");
    EXPECT_EQ(std::count(types.begin(), types.end(), "click"), 0);
}

TEST_F(WindowTest, HotStateFollowsTheMouse) {
    auto* button = static_cast<CButtonUI*>(window->Find("ok_btn"));
    Point p = window->CentreOf("ok_btn");
    window->Native()->MouseMove(p.x, p.y);
    EXPECT_TRUE(button->GetButtonState() & UISTATE_HOT);
    window->Native()->MouseMove(p.x, 190);
    EXPECT_FALSE(button->GetButtonState() & UISTATE_HOT);
    window->Native()->MouseMove(p.x, p.y);
    window->Native()->MouseLeave();
    EXPECT_FALSE(button->GetButtonState() & UISTATE_HOT);
}

TEST_F(WindowTest, ClickingAnOptionSelectsItAloneInItsGroup) {
    window->seen.clear();
    window->ClickOn("rate_option_2");
    EXPECT_FALSE(Option("rate_option_0")->IsSelected());
    EXPECT_FALSE(Option("rate_option_1")->IsSelected());
    EXPECT_TRUE(Option("rate_option_2")->IsSelected());
    // Only the option that became selected reports the change.
    EXPECT_EQ(window->TypesFrom("rate_option_2"),
              (std::vector<std::string>{"setfocus", "click", "selectchanged"}));
    EXPECT_TRUE(window->TypesFrom("rate_option_0").empty());
    // Clicking the selected option again changes nothing.
    window->seen.clear();
    window->ClickOn("rate_option_2");
    EXPECT_EQ(window->TypesFrom("rate_option_2"), (std::vector<std::string>{"click"}));
}

TEST_F(WindowTest, OptionsSetByCodeRaiseTheirNotificationOnlyWhenAsked) {
    window->seen.clear();
    Option("rate_option_1")->Selected(true, false);
    EXPECT_TRUE(window->seen.empty());
    EXPECT_FALSE(Option("rate_option_0")->IsSelected());
    Option("rate_option_2")->Selected(true);
    EXPECT_EQ(window->TypesFrom("rate_option_2"), (std::vector<std::string>{"selectchanged"}));
}

TEST_F(WindowTest, CheckBoxTogglesAndRaisesCheckClickOnlyForTheUser) {
    auto* check = static_cast<CCheckBoxUI*>(window->Find("check")->GetInterface("CheckBox"));
    ASSERT_NE(check, nullptr);
    window->seen.clear();
    window->ClickOn("check");
    EXPECT_TRUE(check->GetCheck());
    EXPECT_EQ(window->TypesFrom("check"),
              (std::vector<std::string>{"setfocus", "click", "selectchanged", "checkclick"}));
    window->ClickOn("check");
    EXPECT_FALSE(check->GetCheck());
    window->seen.clear();
    check->SetCheck(true);
    EXPECT_EQ(window->TypesFrom("check"), (std::vector<std::string>{"selectchanged"}));
}

TEST_F(WindowTest, KeyboardActivatesTheFocusedButtonAndTabMovesFocus) {
    window->Find("ok_btn")->SetFocus();
    window->seen.clear();
    window->Native()->PressKey(VK_SPACE);
    EXPECT_EQ(window->TypesFrom("ok_btn"), (std::vector<std::string>{"click"}));
    window->Native()->PressKey(VK_TAB);
    // The disabled button is skipped.
    EXPECT_EQ(window->GetPaintManager()->GetFocus(), window->Find("rate_option_0"));
    auto killed = window->TypesFrom("ok_btn");
    EXPECT_EQ(killed.back(), "killfocus");
}

TEST_F(WindowTest, ControlTimersTickOnTheVirtualClockAndStayDeadWhenKilledInTheirHandler) {
    auto* pm = window->GetPaintManager();
    CControlUI* caption = window->Find("caption");
    int ticks = 0;
    window->AddNotifyHandler("timer", "caption", [&](TNotifyUI& msg) {
        EXPECT_EQ(msg.wParam, 7u);
        if (++ticks == 2)
            pm->KillTimer(caption, 7);
    });
    ASSERT_TRUE(pm->SetTimer(caption, 7, 100));
    backend.AdvanceTime(99);
    EXPECT_EQ(ticks, 0);
    backend.AdvanceTime(1);
    EXPECT_EQ(ticks, 1);
    backend.AdvanceTime(1000);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(pm->HasTimer(caption, 7));
}

TEST_F(WindowTest, WindowTimersArriveAsWmTimerAndEndWithTheWindow) {
    std::vector<WPARAM> ids;
    window->onMessage = [&](UINT msg, WPARAM w, LPARAM, bool& handled) -> LRESULT {
        handled = msg == WM_TIMER;
        if (msg == WM_TIMER) {
            ids.push_back(w);
            KillTimer(window->GetHWND(), w);  // a one-shot timer
        }
        return 0;
    };
    int before = backend.ActiveTimerCount();
    SetTimer(window->GetHWND(), 1011, 100);
    SetTimer(window->GetHWND(), 1032, 10);
    SetTimer(window->GetHWND(), 1055, 400);
    backend.AdvanceTime(150);
    EXPECT_EQ(ids, (std::vector<WPARAM>{1032, 1011}));
    DestroyWindow(window->GetHWND());
    EXPECT_EQ(backend.ActiveTimerCount(), before);
}

TEST_F(WindowTest, DestroyingAControlForgetsItsTimersAndName) {
    auto* pm = window->GetPaintManager();
    CControlUI* caption = window->Find("caption");
    pm->SetTimer(caption, 1, 10);
    auto* parent = static_cast<IContainerUI*>(caption->GetParent()->GetInterface("IContainer"));
    ASSERT_TRUE(parent->Remove(caption));
    EXPECT_EQ(window->Find("caption"), nullptr);
    backend.AdvanceTime(100);  // no tick reaches the deleted control
}

TEST_F(WindowTest, SwitchingTheLanguageRetranslatesResourceTexts) {
    auto* rm = CResourceManager::GetInstance();
    ASSERT_TRUE(rm->LoadLanguage(R"(<Language><Text id="ok_text" value="OK"/></Language>)"));
    EXPECT_EQ(window->Find("ok_btn")->GetText(), "OK");
    EXPECT_EQ(window->Find("caption")->GetText(), "plain");
    ASSERT_TRUE(
        rm->LoadLanguage(R"(<Language><Text id="ok_text" value="Bestätigen"/></Language>)"));
    rm->ReloadText();
    EXPECT_EQ(window->Find("ok_btn")->GetText(), "Bestätigen");
    const auto& paint = window->Native()->Paint();
    EXPECT_EQ(paint.Texts("Bestätigen").size(), 1u);
    // Keys the language lacks are asked of the query interface, then shown as they are.
    struct Query : IQueryControlText {
        std::string QueryControlText(const std::string& key, const std::string&) override {
            return key == "other" ? "Other" : "";
        }
    } query;
    rm->SetTextQueryInterface(&query);
    window->Find("caption")->SetResourceText(true);
    window->Find("caption")->SetText("other");
    EXPECT_EQ(window->Find("caption")->GetText(), "Other");
    window->Find("caption")->SetText("unknown_key");
    EXPECT_EQ(window->Find("caption")->GetText(), "unknown_key");
    rm->SetTextQueryInterface(nullptr);
}

TEST_F(WindowTest, PaintingDrawsBackgroundTextAndProgress) {
    const auto& paint = window->Native()->Paint();
    auto fills = paint.OfKind(headless::OpKind::FillRect);
    Rect progress = window->Find("progress")->GetPos();
    bool foundProgress = false;
    for (const auto& op : fills) {
        if (op.color == 0xFF00FF00u) {
            foundProgress = true;
            EXPECT_EQ(op.rect.left, progress.left);
            EXPECT_EQ(op.rect.Width(), progress.Width() / 2);
        }
    }
    EXPECT_TRUE(foundProgress);
    EXPECT_EQ(paint.Texts("plain").size(), 1u);
}

TEST_F(WindowTest, AnIdleWindowRunsNoTimer) {
    // Nothing wakes the window thread unless the program sets a timer.
    EXPECT_EQ(backend.ActiveTimerCount(), 0);
    window->Native()->Paint();
    window->ClickOn("ok_btn");
    EXPECT_EQ(backend.ActiveTimerCount(), 0);
}

TEST_F(WindowTest, ShiftTabWalksTheFocusBackwardsAndModifiersAreReadable) {
    window->Find("rate_option_1")->SetFocus();
    window->Native()->KeyDown(VK_SHIFT, kModShift);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    window->Native()->PressKey(VK_TAB, kModShift);
    window->Native()->KeyUp(VK_SHIFT);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(window->GetPaintManager()->GetFocus(), window->Find("rate_option_0"));
    Point p = window->CentreOf("caption");
    window->Native()->MouseMove(p.x, p.y, kModControl);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    window->Native()->MouseMove(p.x, p.y);
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
}

TEST_F(WindowTest, ClosingTheWindowRunsOnFinalMessageOnce) {
    HWND hwnd = window->GetHWND();
    window->Close(IDOK);
    EXPECT_TRUE(IsWindow(hwnd));  // closing happens from the queue
    backend.ProcessPending();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(window, nullptr);
}

}  // namespace
}  // namespace ui

namespace ui {
namespace {

// A drop-down that takes no activation: it notes the messages the frame reacts to.
class NoActivateWindow : public CWindowWnd {
  public:
    std::vector<UINT> seen;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        if (uMsg == WM_KILLFOCUS || uMsg == WM_CLOSE || uMsg == WM_ACTIVATE)
            seen.push_back(uMsg);
        if (uMsg == WM_KILLFOCUS) {
            Close();
            return 0;
        }
        return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    }
    headless::HeadlessWindow* Native() const {
        return static_cast<headless::HeadlessWindow*>(GetNativeWindow());
    }

  protected:
    std::string GetWindowClassName() const override { return "NoActivateTest"; }
};

TEST_F(WindowTest, ClientPointsTurnIntoScreenPointsOfTheWindow) {
    window->SetWindowPos(Rect{200, 150, 500, 350});
    POINT pt{30, 40};
    EXPECT_TRUE(window->ClientToScreen(pt));
    EXPECT_EQ(pt, (POINT{230, 190}));
    NoActivateWindow unshown;  // never created: no native window, nothing changes
    POINT same{5, 6};
    EXPECT_FALSE(unshown.ClientToScreen(same));
    EXPECT_EQ(same, (POINT{5, 6}));
}

TEST_F(WindowTest, ANoActivateWindowIsAPopupThatAPressOutsideClosesThroughKillFocus) {
    NoActivateWindow frame;
    ASSERT_NE(frame.Create(nullptr, "frame", WS_POPUP | WS_VISIBLE,
                           WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 100, 100, 80, 60),
              nullptr);
    EXPECT_EQ(frame.GetExStyle(), WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    ASSERT_NE(frame.Native(), nullptr);
    EXPECT_TRUE(frame.Native()->Params().popup);
    EXPECT_TRUE(frame.IsWindowVisible());

    EXPECT_EQ(backend.PressOutsidePopups(Point{120, 130}), 0) << "a press inside is its own";
    EXPECT_TRUE(frame.seen.empty());
    // The ordinary window below is no pop-up: a press on it leaves it alone.
    EXPECT_EQ(backend.PressOutsidePopups(Point{5, 5}), 1);
    EXPECT_EQ(frame.seen, (std::vector<UINT>{WM_ACTIVATE, WM_KILLFOCUS, WM_CLOSE}));
    backend.ProcessPending();
    EXPECT_FALSE(IsWindow(frame.GetHWND()));
    EXPECT_TRUE(IsWindow(window->GetHWND()));
    EXPECT_EQ(backend.PressOutsidePopups(Point{5, 5}), 0) << "nothing left to dismiss";
}

}  // namespace
}  // namespace ui
