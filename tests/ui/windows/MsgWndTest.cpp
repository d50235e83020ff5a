#include <memory>

#include "SkinTestSupport.h"
#include "platform/Trace.h"
#include "windows/MsgWnd.h"

namespace {

using skintest::ClickOn;
using skintest::WindowOf;

class MsgWndTest : public skintest::SkinTest {
  protected:
    void TearDown() override {
        ui::CPaintManagerUI::SetAllDPI(96);
        SkinTest::TearDown();
    }
    // The open message box (while ShowMessage runs its loop).
    static ui::HWND Box() { return ui::FindWindow("MsgWnd", "msgwnd"); }
    static ui::CControlUI* BoxControl(const std::string& name) {
        ui::WindowImplBase* box = WindowOf(Box());
        return box != nullptr ? box->FindControl(name) : nullptr;
    }
};

TEST_F(MsgWndTest, ConfirmOnlyBoxShowsOneButtonAndAnswersOneOnIt) {
    bool checked = false;
    backend.Schedule([&] {
        ASSERT_NE(Box(), nullptr);
        ASSERT_NE(BoxControl("confirm_btn"), nullptr);
        EXPECT_TRUE(BoxControl("confirm_btn")->IsVisible());
        EXPECT_FALSE(BoxControl("cancel_btn")->IsVisible());
        EXPECT_EQ(BoxControl("MessageText")->GetText(), "The profile list is full (50 profiles).");
        checked = true;
        EXPECT_TRUE(ClickOn(Box(), "confirm_btn"));
    });
    EXPECT_EQ(
        windows::ShowMessage(nullptr, "", "message_text_32", 96, true, windows::kMsgButtonsConfirm),
        1);
    EXPECT_TRUE(checked);
    EXPECT_EQ(Box(), nullptr) << "the box is gone once it answered";
}

TEST_F(MsgWndTest, CloseAndCancelAnswerZero) {
    for (const char* button : {"closebtn", "cancel_btn"}) {
        backend.Schedule([&] {
            EXPECT_TRUE(BoxControl("cancel_btn")->IsVisible());
            EXPECT_TRUE(ClickOn(Box(), button)) << button;
        });
        EXPECT_EQ(windows::ShowMessage(nullptr, "", "message_text_22", 96, true,
                                       windows::kMsgButtonsConfirmAndCancel),
                  0)
            << button;
    }
}

TEST_F(MsgWndTest, TitleAndTextAreShownAsGivenOrKeepTheSkinDefault) {
    backend.Schedule([&] {
        // A text that is no key is shown as it stands; an empty title keeps the skin's.
        EXPECT_EQ(BoxControl("MessageText")->GetText(), "message_text_32");
        EXPECT_EQ(BoxControl("MessageTitle")->GetText(), "Notice");
        // Other button values leave both buttons as the skin has them.
        EXPECT_TRUE(BoxControl("cancel_btn")->IsVisible());
        WindowOf(Box())->Close(7);
    });
    EXPECT_EQ(windows::ShowMessage(nullptr, "", "message_text_32", 96, false, 5), 0)
        << "only the confirm button answers yes";

    backend.Schedule([&] {
        EXPECT_EQ(BoxControl("MessageTitle")->GetText(), "Firmware update");
        ClickOn(Box(), "confirm_btn");
    });
    EXPECT_EQ(windows::ShowMessage(nullptr, "UpdateTiShi", "UpdateTiShiText", 96, true, 1), 1);
}

TEST_F(MsgWndTest, RefusedDpiIsTracedAndEveryWindowUses96) {
    // Another window of the program at 144 DPI.
    ui::CPaintManagerUI other;
    other.SetDPI(144);
    platform::TraceCapture trace;
    backend.Schedule([&] {
        EXPECT_EQ(WindowOf(Box())->GetPaintManager()->GetDPI(), 96);
        EXPECT_EQ(other.GetDPI(), 96);
        ClickOn(Box(), "confirm_btn");
    });
    EXPECT_EQ(windows::ShowMessage(nullptr, "", "message_text_33", 100, true, 0), 1);
    EXPECT_TRUE(trace.Contains("MSG_WND DPI SET ERROR"));
}

TEST_F(MsgWndTest, AcceptedDpiReachesEveryWindowWithoutTrace) {
    ui::CPaintManagerUI other;
    platform::TraceCapture trace;
    backend.Schedule([&] {
        EXPECT_EQ(WindowOf(Box())->GetPaintManager()->GetDPI(), 144);
        EXPECT_EQ(other.GetDPI(), 144);
        ClickOn(Box(), "closebtn");
    });
    EXPECT_EQ(windows::ShowMessage(nullptr, "", "message_text_33", 144, true, 0), 0);
    EXPECT_FALSE(trace.Contains("DPI SET ERROR"));
}

TEST_F(MsgWndTest, FollowsADpiChangeOfItsDisplay) {
    backend.Schedule([&] {
        ui::WindowImplBase* box = WindowOf(Box());
        static_cast<ui::headless::HeadlessWindow*>(box->GetNativeWindow())->ChangeDpi(120);
        EXPECT_EQ(box->GetPaintManager()->GetDPI(), 120);
        EXPECT_EQ(static_cast<windows::CMsgWnd*>(box)->GetDPI(), 120);
        ClickOn(Box(), "confirm_btn");
    });
    EXPECT_EQ(windows::ShowMessage(nullptr, "", "message_text_33", 96, true, 0), 1);
}

TEST_F(MsgWndTest, WithoutItsLayoutNothingIsShownAndTheAnswerIsNo) {
    ui::CResourceManager::GetInstance()->Release();  // no "XML_MSG" any more
    platform::TraceCapture trace;
    EXPECT_EQ(windows::ShowMessage(nullptr, "", "message_text_33", 96, true, 0), 0);
    EXPECT_EQ(Box(), nullptr);
}

}  // namespace
