// The keyboard controls of the performance page from the real skin in a keyboard object,
// reached through their own notifications as the main window routes them: what each stores
// in the keyboard system record and the profile file, and the kinds they act for.
#include "PerformancePageSupport.h"
#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "profile/KeyboardProfiledata.h"

namespace perftest {
namespace {

using profile::HighHalf;
using profile::LowHalf;

class KeyboardPerfWindow : public ui::WindowImplBase {
  public:
    explicit KeyboardPerfWindow(panels::CPerformanceHandlers& handlers) : handlers_(handlers) {}
    devices::COrvaneKeyboardDevice* keyboard = nullptr;
    int kind = hid::kKindKeyboard;

    ui::CControlUI* CreateControl(const std::string& className) override {
        if (ui::EqualsNoCase(className, devices::COrvaneKeyboardDevice::kClassName)) {
            keyboard = new devices::COrvaneKeyboardDevice;
            return keyboard;
        }
        return nullptr;
    }
    void Notify(ui::TNotifyUI& msg) override {
        if (msg.pSender == nullptr)
            return;
        const std::string name = msg.pSender->GetName();
        if (msg.sType == "selectchanged")
            handlers_.OnSelectChanged(keyboard, kind, name);
        else if (msg.sType == "valuechanged")
            handlers_.OnValueChanged(keyboard, kind, name);
    }

  protected:
    std::string GetWindowClassName() const override { return "KeyboardPerformanceTest"; }
    std::string GetSkinFile() override {
        return R"(<Window size="600,500"><VerticalLayout>
  <OrvaneKeyboardDevice name="page"><VerticalLayout>
    <Include source="XML/DeviceXml/keyboard_performance.xml"/>
  </VerticalLayout></OrvaneKeyboardDevice>
</VerticalLayout></Window>)";
    }

  private:
    panels::CPerformanceHandlers& handlers_;
};

class KeyboardHandlersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        backend.Install();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        controls::ControlCreators creators;
        controls::AddCustomControlCreators(creators);
        devices::AddDeviceControlCreators(creators);
        controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
        window = new KeyboardPerfWindow(handlers);
        window->Create(nullptr, "page", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 600, 500);
        backend.ProcessPending();
        ASSERT_NE(window->keyboard, nullptr);
        hid::DeviceIdentity identity;
        identity.Kind = hid::kKindKeyboard;
        k().SetIdentity(identity);
        k().SetProfileBaseName("keyboard_test");
        k().LoadProfile();
        k().RefreshPanel();
    }
    void TearDown() override {
        if (window != nullptr && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        delete window;
        backend.ProcessPending();
    }
    devices::COrvaneKeyboardDevice& k() { return *window->keyboard; }
    template <typename T>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(window->GetPaintManager()->FindControl(name));
    }
    // The system record the profile file holds now.
    profile::KeyboardSystemRecord Saved() {
        profile::CKeyboardProfiledata saved;
        saved.SetDefaultDocumentPath("");
        saved.LoadDocument(k().GetProfilePath());
        return saved.GetKeyboardSystemRecord();
    }

    t418test::TempFolder folder;
    t418test::ScopedEnv data{"XDG_DATA_HOME", folder.path()};
    t418test::ScopedEnv program{"T418_ZEN_PROGRAM_DIR", std::string(T418_RESOURCES_DIR) + "/"};
    ui::headless::HeadlessBackend backend;
    ScriptedHost host;
    panels::CPerformanceHandlers handlers{host};
    KeyboardPerfWindow* window = nullptr;
};

TEST_F(KeyboardHandlersTest, ThePageShowsTheProfileAndEachControlStoresItsHalf) {
    // The factory profile: repeat 10, delay option 1, report rate 3, no flags.
    EXPECT_EQ(Get<ui::CSliderUI>("repeat_rate_slider")->GetValue(), 10);
    EXPECT_TRUE(Get<ui::COptionUI>("repeat_delay_check_1")->IsSelected());
    EXPECT_TRUE(Get<ui::COptionUI>("polling_rate_option_3")->IsSelected());
    EXPECT_FALSE(Get<ui::COptionUI>("6flag_option")->IsSelected());

    Get<ui::COptionUI>("polling_rate_option_1")->Selected(true);
    Get<ui::COptionUI>("repeat_delay_check_3")->Selected(true);
    Get<ui::COptionUI>("6flag_option")->Selected(true);
    Get<ui::COptionUI>("winlockflag_option")->Selected(true);
    Get<ui::CSliderUI>("repeat_rate_slider")->SetValue(20);
    backend.ProcessPending();

    const profile::KeyboardSystemRecord words = k().GetSystemWords();
    EXPECT_EQ(LowHalf(words[0]), 20);  // Repeat
    EXPECT_EQ(HighHalf(words[0]), 3);  // RepeatDelay
    EXPECT_EQ(LowHalf(words[1]), 1);   // Key6Flag
    EXPECT_EQ(HighHalf(words[1]), 1);  // PollingRate
    EXPECT_EQ(LowHalf(words[2]), 0);   // WFlag
    EXPECT_EQ(HighHalf(words[2]), 1);  // WinFlag
    EXPECT_EQ(Saved(), words) << "every change is in the file";
    EXPECT_FALSE(Get<ui::COptionUI>("polling_rate_option_3")->IsSelected());
    const std::string label = Get<ui::CControlUI>("repeat_delay_time_label1")->GetText();
    EXPECT_EQ(label.substr(label.size() - 6), "1000ms") << label;

    // Unchecking stores 0 again.
    Get<ui::COptionUI>("6flag_option")->Selected(false);
    backend.ProcessPending();
    EXPECT_EQ(LowHalf(Saved()[1]), 0);
}

TEST_F(KeyboardHandlersTest, OtherKindsLeaveTheKeyboardRecordAlone) {
    const profile::KeyboardSystemRecord before = k().GetSystemWords();
    for (int kind : {hid::kKindKeyboardReceiver, hid::kKindMouseCable}) {
        window->kind = kind;
        Get<ui::COptionUI>("repeat_delay_check_2")->Selected(true);
        Get<ui::COptionUI>("wflag_option")->Selected(true);
        Get<ui::CSliderUI>("repeat_rate_slider")->SetValue(25);
        backend.ProcessPending();
        EXPECT_EQ(k().GetSystemWords(), before) << kind;
    }
}

TEST_F(KeyboardHandlersTest, TheResetButtonEmptiesTheRepeatBoxOfAKeyboardOnly) {
    auto* box = Get<ui::CEditUI>("repeat_input_richedit");
    ASSERT_NE(box, nullptr);
    box->SetText("jjjjjj", false);
    handlers.OnRepeatReset(&k(), hid::kKindMouseCable);
    EXPECT_EQ(box->GetText(), "jjjjjj");
    handlers.OnRepeatReset(&k(), hid::kKindKeyboard);
    EXPECT_EQ(box->GetText(), "");
    handlers.OnRepeatReset(nullptr, hid::kKindKeyboard);  // no device: nothing
}

}  // namespace
}  // namespace perftest
