// The hook controller over the keyboard hook of the program's windows: what the receiving
// window is sent for each key, what the controls still see, and how installing, replacing and
// removing behave.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <memory>
#include <string>
#include <vector>

#include "../../unit/platform/TestFolders.h"
#include "../core/UiTestSupport.h"
#include "app/AppMessages.h"
#include "panels/hook/DeviceHook.h"
#include "platform/MessageBus.h"
#include "ui/controls/EditUI.h"
#include "ui/core/KeyInput.h"
#include "ui/core/LinuxKeyCodes.h"
#include "ui/core/MessageModel.h"
#include "ui/layout/ContainerUI.h"

namespace panels::hook {
namespace {

using platform::HookKeyboardRecord;
using ui::testing::LayoutWindow;

constexpr uint32_t Native(uint32_t evdev) {
    return evdev + ui::kDesktopKeycodeOffset;
}

constexpr const char* kLayout = R"(
<Window size="300,200"><VerticalLayout name="root"/></Window>)";

// The focused edit, which also records the key events it is given.
class ProbeEditUI : public ui::CEditUI {
  public:
    std::vector<uint32_t> keysDown;  // table codes
    void DoEvent(ui::TEventUI& event) override {
        if (event.Type == ui::UIEVENT_KEYDOWN)
            keysDown.push_back(event.wKeyVk);
        ui::CEditUI::DoEvent(event);
    }
};

struct Delivered {
    ui::UINT message;
    ui::WPARAM key;
    HookKeyboardRecord record;
};

class DeviceHookTest : public ui::testing::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        window = Open();
        auto* root = static_cast<ui::CContainerUI*>(window->Find("root"));
        ASSERT_NE(root, nullptr);
        edit = new ProbeEditUI;
        edit->SetFixedHeight(30);
        root->Add(edit);
        window->GetPaintManager()->UpdateLayout();
        edit->SetFocus();
        window->onMessage = [this](ui::UINT msg, ui::WPARAM w, ui::LPARAM l, bool& handled) {
            handled = msg >= platform::kFirstRegisteredMessage;
            if (handled) {
                delivered.push_back({msg, w, *reinterpret_cast<const HookKeyboardRecord*>(l)});
                if (onDelivered)
                    onDelivered();
            }
            return ui::LRESULT{0};
        };
    }
    std::unique_ptr<LayoutWindow> Open() {
        auto w = std::make_unique<LayoutWindow>(kLayout);
        EXPECT_NE(w->Create(nullptr, "hooked", ui::WS_POPUP, 0, 0, 0, 300, 200), nullptr);
        return w;
    }
    ui::headless::HeadlessWindow* Keys() { return window->Native(); }
    // A press and release that types text, as a desktop sends them.
    void TypeKey(uint32_t evdev, const std::string& text) {
        Keys()->NativeKeyDown(Native(evdev));
        Keys()->Type(text);
        Keys()->NativeKeyUp(Native(evdev));
    }
    static ui::UINT Registered(const char* name) { return platform::RegisterMessage(name); }

    t418test::TempFolder runtime;
    t418test::ScopedEnv env{"XDG_RUNTIME_DIR", runtime.path()};
    std::unique_ptr<LayoutWindow> window;
    ProbeEditUI* edit = nullptr;
    std::vector<Delivered> delivered;
    std::function<void()> onDelivered;
};

TEST_F(DeviceHookTest, CtrlAndCArriveAsFourRecordsInOrderAndReachNoControl) {
    CDeviceHook hook;
    ASSERT_EQ(hook.Install(0, kHookSingleKey, window->GetHWND(), true, true), 1);
    EXPECT_TRUE(hook.KeyboardInstalled());
    EXPECT_TRUE(hook.LibraryInstalled());
    EXPECT_EQ(hook.Mode(), kHookSingleKey);
    EXPECT_EQ(hook.Window(), window->GetHWND());
    const ui::UINT single = Registered("WM_HOOK_KEY_SINGLEKEY_MSG");
    ASSERT_NE(single, 0u);
    EXPECT_EQ(hook.Message(), single);

    edit->SetText("ab", false);
    Keys()->NativeKeyDown(Native(KEY_LEFTCTRL));
    backend.AdvanceTime(40);
    TypeKey(KEY_C, "c");
    backend.AdvanceTime(25);
    Keys()->NativeKeyUp(Native(KEY_LEFTCTRL));

    ASSERT_EQ(delivered.size(), 4u);
    const uint32_t messages[] = {0x100, 0x100, 0x101, 0x101};
    const uint32_t vks[] = {0xA2, 'C', 'C', 0xA2};
    const uint32_t scans[] = {0x1D, 0x2E, 0x2E, 0x1D};
    const uint32_t flags[] = {0, 0, 0x80, 0x80};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(delivered[i].message, single);
        EXPECT_EQ(delivered[i].key, messages[i]);
        EXPECT_EQ(delivered[i].record.vkCode, vks[i]);
        EXPECT_EQ(delivered[i].record.scanCode, scans[i]);
        EXPECT_EQ(delivered[i].record.flags, flags[i]);
    }
    EXPECT_EQ(delivered[1].record.time - delivered[0].record.time, 40u);
    EXPECT_EQ(delivered[3].record.time - delivered[2].record.time, 25u);
    // Withheld: neither the keys nor the text they type reached the edit.
    EXPECT_TRUE(edit->keysDown.empty());
    EXPECT_EQ(edit->GetText(), "ab");
}

TEST_F(DeviceHookTest, ExtendedKeysCarryTheFlagAndTheirSide) {
    CDeviceHook hook;
    ASSERT_EQ(hook.Install(0, kHookSingleKey, window->GetHWND(), true, false), 1);
    Keys()->PressNativeKey(Native(KEY_RIGHTCTRL));
    Keys()->PressNativeKey(Native(KEY_KPENTER));
    Keys()->PressNativeKey(Native(KEY_RIGHTSHIFT));
    Keys()->PressNativeKey(Native(KEY_LEFT));
    ASSERT_EQ(delivered.size(), 8u);
    EXPECT_EQ(delivered[0].record.vkCode, 0xA3u);  // Right Ctrl
    EXPECT_EQ(delivered[0].record.scanCode, 0x1Du);
    EXPECT_EQ(delivered[0].record.flags, 0x01u);
    EXPECT_EQ(delivered[1].record.flags, 0x81u);
    EXPECT_EQ(delivered[1].key, 0x101u);
    EXPECT_EQ(delivered[2].record.vkCode, 0x0Du);  // keypad Enter is Enter, extended
    EXPECT_EQ(delivered[2].record.scanCode, 0x1Cu);
    EXPECT_EQ(delivered[2].record.flags, 0x01u);
    EXPECT_EQ(delivered[4].record.vkCode, 0xA1u);  // Right Shift, as the key tables have it
    EXPECT_EQ(delivered[4].record.flags, 0x01u);
    EXPECT_EQ(delivered[6].record.vkCode, 0x25u);
    EXPECT_EQ(delivered[6].record.flags, 0x01u);
}

TEST_F(DeviceHookTest, KeysWhileAltIsHeldAreSystemKeys) {
    CDeviceHook hook;
    ASSERT_EQ(hook.Install(0, kHookSingleKey, window->GetHWND(), true, false), 1);
    Keys()->NativeKeyDown(Native(KEY_LEFTALT));
    Keys()->PressNativeKey(Native(KEY_X));
    Keys()->NativeKeyUp(Native(KEY_LEFTALT));
    Keys()->PressNativeKey(Native(KEY_X));
    // Alt held before the hook came: the event's own modifier state tells.
    Keys()->PressNativeKey(Native(KEY_F4), ui::kModAlt);
    Keys()->NativeKeyDown(Native(KEY_RIGHTALT));
    Keys()->NativeKeyUp(Native(KEY_RIGHTALT));
    std::vector<ui::WPARAM> keys;
    for (const Delivered& d : delivered)
        keys.push_back(d.key);
    EXPECT_EQ(keys, (std::vector<ui::WPARAM>{0x104, 0x104, 0x105, 0x101, 0x100, 0x101, 0x104, 0x105,
                                             0x104, 0x101}));
    EXPECT_EQ(delivered[0].record.vkCode, 0xA4u);
    EXPECT_EQ(delivered[8].record.vkCode, 0xA5u);
    EXPECT_EQ(delivered[8].record.flags, 0x01u);
}

TEST_F(DeviceHookTest, LockKeysReachTheEditWhileOtherKeysAreWithheld) {
    CDeviceHook hook;
    ASSERT_EQ(hook.Install(0, kHookSingleKey, window->GetHWND(), true, true), 1);
    Keys()->PressNativeKey(Native(KEY_CAPSLOCK));
    Keys()->PressNativeKey(Native(KEY_NUMLOCK));
    Keys()->PressNativeKey(Native(KEY_SCROLLLOCK));
    TypeKey(KEY_A, "a");
    Keys()->PressNativeKey(Native(KEY_PAUSE));  // shares Num Lock's scan code
    Keys()->PressNativeKey(Native(KEY_ESC));
    EXPECT_EQ(edit->keysDown, (std::vector<uint32_t>{0x14, 0x90, 0x91}));
    EXPECT_EQ(edit->GetText(), "");
    // The hook's window hears of the lock keys too.
    ASSERT_EQ(delivered.size(), 12u);
    EXPECT_EQ(delivered[0].record.vkCode, 0x14u);
    EXPECT_EQ(delivered[2].record.vkCode, 0x90u);
    EXPECT_EQ(delivered[8].record.vkCode, 0x13u);
}

TEST_F(DeviceHookTest, AfterRemoveNothingArrivesAndKeysReachTheControlsAgain) {
    CDeviceHook hook;
    EXPECT_EQ(hook.Remove(), 0);  // nothing installed: nothing happens
    ASSERT_EQ(hook.Install(0, kHookSingleKey, window->GetHWND(), true, true), 1);
    TypeKey(KEY_X, "x");
    EXPECT_EQ(hook.Remove(), 1);
    EXPECT_FALSE(hook.IsInstalled());
    EXPECT_FALSE(hook.LibraryInstalled());
    EXPECT_EQ(hook.Mode(), kHookModeNone);
    EXPECT_EQ(hook.Remove(), 0);
    TypeKey(KEY_Y, "y");
    EXPECT_EQ(delivered.size(), 2u);
    EXPECT_EQ(edit->GetText(), "y");
    EXPECT_EQ(edit->keysDown, (std::vector<uint32_t>{'Y'}));
}

TEST_F(DeviceHookTest, EachModeSendsItsOwnMessageAndOtherModesSendNothing) {
    CDeviceHook hook;
    const int modes[] = {1, 2, 4, 8, 16, 32, 256, 512, 1024};
    for (int mode : modes) {
        SCOPED_TRACE(mode);
        delivered.clear();
        ASSERT_EQ(hook.Install(0, mode, window->GetHWND(), true, false), 1);
        Keys()->PressNativeKey(Native(KEY_B));
        ASSERT_EQ(delivered.size(), 2u);
        EXPECT_EQ(delivered[0].message, Registered(HookMessageName(mode)));
        // One of the names the program registers for the hook.
        bool known = false;
        for (const char* name : app::kHookMessageNames)
            known = known || std::string(name) == HookMessageName(mode);
        EXPECT_TRUE(known);
    }
    // Mode 2 is no capture: the capture's message never comes.
    ASSERT_EQ(hook.Install(0, kHookHitKey, window->GetHWND(), true, false), 1);
    delivered.clear();
    Keys()->PressNativeKey(Native(KEY_B));
    ASSERT_EQ(delivered.size(), 2u);
    EXPECT_NE(delivered[0].message, Registered("WM_HOOK_KEY_SINGLEKEY_MSG"));
    for (int mode : {0, 3, 64, 128, 2048, -1}) {
        SCOPED_TRACE(mode);
        delivered.clear();
        ASSERT_EQ(hook.Install(0, mode, window->GetHWND(), true, false), 1);
        EXPECT_EQ(hook.Message(), 0u);
        TypeKey(KEY_B, "b");
        EXPECT_TRUE(delivered.empty());
        EXPECT_EQ(edit->GetText(), "");  // still withheld
    }
}

TEST_F(DeviceHookTest, ASecondInstallReplacesTheFirst) {
    CDeviceHook hook;
    auto other = Open();
    ASSERT_EQ(hook.Install(0, kHookSingleKey, window->GetHWND(), true, true), 1);
    ASSERT_EQ(hook.Install(7, kHookRecordAppend, other->GetHWND(), true, false), 1);
    EXPECT_EQ(hook.Caller(), 7);
    EXPECT_FALSE(hook.LibraryInstalled());
    std::vector<ui::UINT> otherGot;
    other->onMessage = [&](ui::UINT msg, ui::WPARAM, ui::LPARAM, bool& handled) {
        handled = msg >= platform::kFirstRegisteredMessage;
        if (handled)
            otherGot.push_back(msg);
        return ui::LRESULT{0};
    };
    // Keys of any window of the program reach the hook's window once.
    Keys()->PressNativeKey(Native(KEY_Q));
    EXPECT_TRUE(delivered.empty());
    EXPECT_EQ(otherGot, (std::vector<ui::UINT>(2, Registered("WM_HOOK_KEY_KBMACRO_MSG"))));
}

TEST_F(DeviceHookTest, TheWindowMayRemoveOrReplaceTheHookWhileItIsCalled) {
    CDeviceHook hook;
    ASSERT_EQ(hook.Install(0, kHookSingleKey, window->GetHWND(), true, false), 1);
    onDelivered = [&] {
        if (delivered.size() == 1)
            hook.Install(0, kHookRecordAfter, window->GetHWND(), true, false);
        else
            hook.Remove();
    };
    TypeKey(KEY_D, "d");  // the press replaces the hook, the release removes it
    TypeKey(KEY_E, "e");
    ASSERT_EQ(delivered.size(), 2u);
    EXPECT_EQ(delivered[1].message, Registered("WM_HOOK_KEY_KBMACROLATER_MSG"));
    EXPECT_EQ(edit->GetText(), "e");
}

TEST_F(DeviceHookTest, TheHookNeverOutlivesItsWindow) {
    CDeviceHook hook;
    EXPECT_EQ(hook.Install(0, kHookSingleKey, nullptr, true, true), 0);
    EXPECT_FALSE(hook.IsInstalled());
    auto gone = Open();
    ASSERT_EQ(hook.Install(0, kHookSingleKey, gone->GetHWND(), true, true), 1);
    ui::DestroyWindow(gone->GetHWND());
    TypeKey(KEY_G, "g");
    EXPECT_EQ(edit->GetText(), "g");  // not withheld for a window that is gone
    EXPECT_FALSE(hook.IsInstalled());

    // Destroyed by its own handler: that key is withheld, the next ones are not.
    auto receiver = Open();
    int heard = 0;
    receiver->onMessage = [&](ui::UINT msg, ui::WPARAM, ui::LPARAM, bool& handled) {
        handled = msg >= platform::kFirstRegisteredMessage;
        if (handled && ++heard == 1)
            ui::DestroyWindow(receiver->GetHWND());
        return ui::LRESULT{0};
    };
    ASSERT_EQ(hook.Install(0, kHookSingleKey, receiver->GetHWND(), true, false), 1);
    TypeKey(KEY_J, "j");
    TypeKey(KEY_K, "k");
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(edit->GetText(), "gk");
    EXPECT_FALSE(hook.IsInstalled());
}

class RefusingHook : public platform::KeyboardHook {
  public:
    bool Start(platform::KeyboardHookSink) override { return false; }
    void Stop() override {}
    bool Running() const override { return false; }
};

TEST_F(DeviceHookTest, AKeyboardHookThatCannotBeSetInstallsNothing) {
    CDeviceHook hook(std::make_unique<RefusingHook>());
    EXPECT_EQ(hook.Install(0, kHookRecordAppend, window->GetHWND(), true, true), 0);
    EXPECT_FALSE(hook.IsInstalled());
    EXPECT_EQ(hook.Mode(), kHookModeNone);
    // Without the keyboard hook the library part alone is kept.
    EXPECT_EQ(hook.Install(0, kHookRecordAppend, window->GetHWND(), false, true), 1);
    EXPECT_TRUE(hook.IsInstalled());
    EXPECT_FALSE(hook.KeyboardInstalled());
    EXPECT_EQ(hook.Remove(), 0);
    EXPECT_FALSE(hook.IsInstalled());
    TypeKey(KEY_H, "h");
    EXPECT_EQ(edit->GetText(), "h");
}

}  // namespace
}  // namespace panels::hook
