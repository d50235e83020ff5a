// Keys injected by their native code reach the focused control with the codes the key
// tables speak, and process-wide input observers see them first and may withhold them.
#include <linux/input-event-codes.h>

#include "ControlsTestSupport.h"
#include "ui/controls/EditUI.h"
#include "ui/core/KeyInput.h"
#include "ui/core/LinuxKeyCodes.h"
#include "ui/layout/ContainerUI.h"

namespace ui::controls_test {
namespace {

constexpr uint32_t Native(uint32_t evdev) {
    return evdev + kDesktopKeycodeOffset;
}

const char* kLayout = R"(
<Window size="400,300">
  <VerticalLayout name="root">
    <Edit name="name_edit" height="30" width="120" text="ab"/>
  </VerticalLayout>
</Window>)";

struct SeenKey {
    int type;
    uint32_t vk;
    uint32_t scan;
    bool extended;
    uint32_t keyVk;
};

// A focusable control that records the key events it is given.
class KeyProbeUI : public CControlUI {
  public:
    std::vector<SeenKey> keys;
    void DoEvent(TEventUI& event) override {
        if (event.Type == UIEVENT_KEYDOWN || event.Type == UIEVENT_KEYUP)
            keys.push_back(SeenKey{event.Type, event.chKey, event.wScanCode, event.bExtendedKey,
                                   event.wKeyVk});
        CControlUI::DoEvent(event);
    }
};

class Recorder : public InputObserver {
  public:
    explicit Recorder(std::function<bool(const KeyEvent&)> consume = {})
        : consume_(std::move(consume)) {}
    std::vector<KeyEvent> keys;
    HWND window = nullptr;
    bool OnKeyInput(HWND w, const KeyEvent& key) override {
        window = w;
        keys.push_back(key);
        return consume_ ? consume_(key) : false;
    }

  private:
    std::function<bool(const KeyEvent&)> consume_;
};

class KeyInputTest : public ControlsTest {
  protected:
    void SetUp() override {
        Open(kLayout);
        auto* root = window->Get<CContainerUI>("root");
        ASSERT_NE(root, nullptr);
        probe = new KeyProbeUI;
        probe->SetFixedHeight(30);
        root->Add(probe);
        window->GetPaintManager()->UpdateLayout();
    }
    void TearDown() override {
        for (InputObserver* o : registered)
            UnregisterInputObserver(o);
        ControlsTest::TearDown();
    }
    void Register(InputObserver* o) {
        RegisterInputObserver(o);
        registered.push_back(o);
    }
    KeyProbeUI* probe = nullptr;
    std::vector<InputObserver*> registered;
};

TEST_F(KeyInputTest, NativeCodesReachTheFocusedControlWithTableCodes) {
    probe->SetFocus();
    auto* keys = window->Native();
    keys->PressNativeKey(Native(KEY_KPENTER));
    keys->NativeKeyDown(Native(KEY_RIGHTCTRL));
    keys->NativeKeyDown(Native(KEY_RIGHTSHIFT));
    keys->NativeKeyDown(Native(KEY_PAUSE));
    keys->NativeKeyDown(Native(KEY_NUMLOCK));
    keys->KeyDown(VK_RETURN);  // by virtual key: the key's first row
    ASSERT_EQ(probe->keys.size(), 7u);
    const SeenKey& enterDown = probe->keys[0];
    EXPECT_EQ(enterDown.type, UIEVENT_KEYDOWN);
    EXPECT_EQ(enterDown.vk, static_cast<uint32_t>(VK_RETURN));
    EXPECT_EQ(enterDown.scan, 0x1Cu);
    EXPECT_TRUE(enterDown.extended);
    EXPECT_EQ(enterDown.keyVk, 0x101u);
    EXPECT_EQ(probe->keys[1].type, UIEVENT_KEYUP);
    const SeenKey& rctrl = probe->keys[2];
    EXPECT_EQ(rctrl.vk, static_cast<uint32_t>(VK_CONTROL));
    EXPECT_EQ(rctrl.scan, 0x1Du);
    EXPECT_TRUE(rctrl.extended);
    EXPECT_EQ(rctrl.keyVk, 0xA3u);
    EXPECT_EQ(probe->keys[3].keyVk, 0xA1u);  // Right Shift: 0x36 extended
    EXPECT_TRUE(probe->keys[3].extended);
    EXPECT_EQ(probe->keys[4].keyVk, 0x13u);  // Pause
    EXPECT_FALSE(probe->keys[4].extended);
    EXPECT_EQ(probe->keys[5].keyVk, 0x90u);  // Num Lock
    EXPECT_TRUE(probe->keys[5].extended);
    EXPECT_EQ(probe->keys[6].scan, 0x1Cu);
    EXPECT_FALSE(probe->keys[6].extended);
    EXPECT_EQ(probe->keys[6].keyVk, 0x0Du);
}

TEST_F(KeyInputTest, ObserverConsumesAKeySoTheFocusedEditNeverSeesIt) {
    auto* edit = window->Get<CEditUI>("name_edit");
    edit->SetFocus();
    Recorder capture([](const KeyEvent& key) { return key.keyVk == 'X'; });
    Register(&capture);
    auto* keys = window->Native();
    keys->PressKey(VK_END);
    keys->NativeKeyDown(Native(KEY_X));
    keys->Type("x");
    keys->NativeKeyUp(Native(KEY_X));
    EXPECT_EQ(edit->GetText(), "ab");
    // Keys the observer lets pass reach the edit, with the text they type.
    keys->NativeKeyDown(Native(KEY_C));
    keys->Type("c");
    keys->NativeKeyUp(Native(KEY_C));
    EXPECT_EQ(edit->GetText(), "abc");
    ASSERT_EQ(capture.keys.size(), 6u);  // End, X and C, each down and up
    EXPECT_EQ(capture.window, window->GetHWND());
    EXPECT_EQ(capture.keys[2].scanCode, 0x2Du);
    EXPECT_TRUE(capture.keys[2].down);
    EXPECT_FALSE(capture.keys[3].down);
    // Unregistered, it sees nothing and withholds nothing.
    UnregisterInputObserver(&capture);
    keys->NativeKeyDown(Native(KEY_X));
    keys->Type("x");
    keys->NativeKeyUp(Native(KEY_X));
    EXPECT_EQ(edit->GetText(), "abcx");
    EXPECT_EQ(capture.keys.size(), 6u);
}

TEST_F(KeyInputTest, LatestObserverFirstAndObserversMayLeaveWhileCalled) {
    probe->SetFocus();
    std::vector<std::string> order;
    Recorder first([&](const KeyEvent&) {
        order.push_back("first");
        return false;
    });
    Recorder* secondPtr = nullptr;
    Recorder second([&](const KeyEvent&) {
        order.push_back("second");
        UnregisterInputObserver(secondPtr);  // a one-shot capture
        return true;
    });
    secondPtr = &second;
    Register(&first);
    Register(&second);
    Register(&second);  // twice: still asked once
    window->Native()->PressNativeKey(Native(KEY_A));
    EXPECT_EQ(order, (std::vector<std::string>{"second", "first"}));
    ASSERT_EQ(probe->keys.size(), 1u);  // the press was withheld, the release was not
    EXPECT_EQ(probe->keys[0].type, UIEVENT_KEYUP);
}

}  // namespace
}  // namespace ui::controls_test
