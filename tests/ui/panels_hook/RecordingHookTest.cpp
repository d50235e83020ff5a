// The hook controller in the recording modes: mouse buttons of the program's windows with
// their X buttons, the scripted input on the virtual clock, the fall-back when no input device
// can be read, and (where the kernel lets a test make one) a virtual input device read
// desktop-wide.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../../unit/platform/TestFolders.h"
#include "../core/UiTestSupport.h"
#include "panels/hook/DeviceHook.h"
#include "panels/hook/GlobalInput.h"
#include "panels/hook/ScriptedInput.h"
#include "panels/hook/WindowKeyboardHook.h"
#include "panels/hook/WindowMouseHook.h"
#include "platform/InputDevices.h"
#include "platform/MessageBus.h"
#include "ui/core/KeyInput.h"
#include "ui/core/LinuxKeyCodes.h"
#include "ui/core/MessageModel.h"

#ifdef T418_TEST_HAVE_LIBEVDEV
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#endif

namespace panels::hook {
namespace {

using ui::testing::LayoutWindow;

constexpr const char* kRecordLayout = R"(
<Window size="300,200"><VerticalLayout name="root"/></Window>)";
constexpr int kWindowLeft = 40;
constexpr int kWindowTop = 30;

struct Heard {
    ui::UINT message;
    ui::WPARAM wParam;
    platform::HookKeyboardRecord key;
    platform::HookMouseRecord mouse;
};

class RecordingHookTest : public ui::testing::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        window = std::make_unique<LayoutWindow>(kRecordLayout);
        ASSERT_NE(window->Create(nullptr, "recording", ui::WS_POPUP, 0, kWindowLeft, kWindowTop,
                                 300, 200),
                  nullptr);
        keyMessages = {
            Registered("WM_HOOK_KEY_KBMACRO_MSG"), Registered("WM_HOOK_KEY_KBMACROPREVIOUS_MSG"),
            Registered("WM_HOOK_KEY_KBMACROLATER_MSG"), Registered("WM_HOOK_KEY_KBMACROSINGLE_MSG"),
            Registered("WM_HOOK_KEY_SINGLEKEY_MSG")};
        mouseMessages = {Registered("WM_HOOK_KEY_MSMACRO_MSG"),
                         Registered("WM_HOOK_KEY_MSMACROPREVIOUS_MSG"),
                         Registered("WM_HOOK_KEY_MSMACROLATER_MSG"),
                         Registered("WM_HOOK_KEY_MSMACROSINGLE_MSG")};
        window->onMessage = [this](ui::UINT msg, ui::WPARAM w, ui::LPARAM l, bool& handled) {
            handled = false;
            if (msg == ui::WM_XBUTTONDOWN || msg == ui::WM_XBUTTONUP) {
                xMessages.push_back({msg, w, {}, {}});
                handled = true;
            }
            for (ui::UINT m : keyMessages) {
                if (msg == m && m != 0) {
                    heard.push_back(
                        {msg, w, *reinterpret_cast<const platform::HookKeyboardRecord*>(l), {}});
                    handled = true;
                }
            }
            for (ui::UINT m : mouseMessages) {
                if (msg == m && m != 0) {
                    heard.push_back(
                        {msg, w, {}, *reinterpret_cast<const platform::HookMouseRecord*>(l)});
                    handled = true;
                }
            }
            return ui::LRESULT{0};
        };
    }
    static ui::UINT Registered(const char* name) { return platform::RegisterMessage(name); }
    ui::headless::HeadlessWindow* Input() { return window->Native(); }

    t418test::TempFolder runtime;
    t418test::ScopedEnv env{"XDG_RUNTIME_DIR", runtime.path()};
    std::unique_ptr<LayoutWindow> window;
    std::vector<ui::UINT> keyMessages;
    std::vector<ui::UINT> mouseMessages;
    std::vector<Heard> heard;
    std::vector<Heard> xMessages;
};

// Records what the observers are shown and may consume it.
class ProbeObserver : public ui::InputObserver {
  public:
    bool consume = false;
    std::vector<ui::MouseEvent> events;
    std::vector<ui::Point> at;
    bool OnKeyInput(ui::HWND, const ui::KeyEvent&) override { return false; }
    bool OnMouseInput(ui::HWND, const ui::MouseEvent& e, ui::Point screen) override {
        events.push_back(e);
        at.push_back(screen);
        return consume;
    }
};

TEST_F(RecordingHookTest, XButtonsReachWindowsAndObserversAsTheDesktopReportsThem) {
    ProbeObserver probe;
    ui::RegisterInputObserver(&probe);
    Input()->MouseDown(10, 20, ui::MouseButton::X1);
    Input()->MouseUp(10, 20, ui::MouseButton::X1);
    Input()->MouseDown(11, 21, ui::MouseButton::X2);
    Input()->MouseMove(12, 22);  // motion is not a button event
    ASSERT_EQ(xMessages.size(), 3u);
    EXPECT_EQ(xMessages[0].message, static_cast<ui::UINT>(ui::WM_XBUTTONDOWN));
    EXPECT_EQ(xMessages[0].wParam >> 16, 1u);
    EXPECT_EQ(xMessages[1].message, static_cast<ui::UINT>(ui::WM_XBUTTONUP));
    EXPECT_EQ(xMessages[2].wParam >> 16, 2u);
    ASSERT_EQ(probe.events.size(), 3u);
    EXPECT_EQ(probe.events[2].button, ui::MouseButton::X2);
    EXPECT_EQ(probe.at[0].x, kWindowLeft + 10);
    EXPECT_EQ(probe.at[0].y, kWindowTop + 20);
    // A consumed button reaches no window.
    probe.consume = true;
    Input()->MouseDown(10, 20, ui::MouseButton::X1);
    EXPECT_EQ(xMessages.size(), 3u);
    ui::UnregisterInputObserver(&probe);
    Input()->MouseUp(10, 20, ui::MouseButton::X1);
    EXPECT_EQ(xMessages.size(), 4u);
}

TEST_F(RecordingHookTest, RecordingModesSendTheWindowsButtonsWithTheirMessages) {
    CDeviceHook hook(std::make_unique<WindowKeyboardHook>(), [] { return WindowRecordingInput(); });
    ASSERT_EQ(hook.Install(0, kHookRecordAppend, window->GetHWND(), true, true), 1);
    EXPECT_TRUE(hook.MouseInstalled());
    EXPECT_EQ(hook.Source(), RecordingSource::kWindow);
    EXPECT_FALSE(hook.GlobalInputUnavailable());
    backend.AdvanceTime(100);
    Input()->Click(10, 20);
    backend.AdvanceTime(30);
    Input()->MouseDown(5, 6, ui::MouseButton::X2);
    Input()->MouseUp(5, 6, ui::MouseButton::Right);
    ASSERT_EQ(heard.size(), 4u);
    const ui::WPARAM buttons[] = {0x201, 0x202, 0x20B, 0x205};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(heard[i].message, mouseMessages[0]);
        EXPECT_EQ(heard[i].wParam, buttons[i]);
    }
    EXPECT_EQ(heard[0].mouse.x, kWindowLeft + 10);
    EXPECT_EQ(heard[0].mouse.y, kWindowTop + 20);
    EXPECT_EQ(heard[0].mouse.hitTest, 1u);
    EXPECT_EQ(platform::HookXButtonOf(heard[2].mouse), 2u);
    EXPECT_EQ(heard[2].mouse.time - heard[1].mouse.time, 30u);
    // Keys come with the keyboard message of the mode.
    Input()->PressNativeKey(30 + ui::kDesktopKeycodeOffset);  // A
    ASSERT_EQ(heard.size(), 6u);
    EXPECT_EQ(heard[4].message, keyMessages[0]);
    EXPECT_EQ(heard[4].key.scanCode, 0x1Eu);

    // Each recording mode has its own mouse message.
    const int modes[] = {kHookRecordBefore, kHookRecordAfter, kHookRecordSingle};
    for (int i = 0; i < 3; ++i) {
        heard.clear();
        ASSERT_EQ(hook.Install(0, modes[i], window->GetHWND(), true, true), 1);
        Input()->MouseDown(1, 1, ui::MouseButton::Middle);
        ASSERT_EQ(heard.size(), 1u);
        EXPECT_EQ(heard[0].message, mouseMessages[static_cast<size_t>(i + 1)]);
        EXPECT_EQ(heard[0].wParam, 0x207u);
    }
    // Single-key capture and no library: no buttons. Removed: nothing.
    heard.clear();
    ASSERT_EQ(hook.Install(0, kHookSingleKey, window->GetHWND(), true, true), 1);
    EXPECT_FALSE(hook.MouseInstalled());
    Input()->Click(10, 20);
    ASSERT_EQ(hook.Install(0, kHookRecordAppend, window->GetHWND(), true, false), 1);
    Input()->Click(10, 20);
    EXPECT_TRUE(heard.empty());
    ASSERT_EQ(hook.Install(0, kHookRecordAppend, window->GetHWND(), true, true), 1);
    EXPECT_EQ(hook.Remove(), 1);
    Input()->Click(10, 20);
    Input()->PressNativeKey(30 + ui::kDesktopKeycodeOffset);
    EXPECT_TRUE(heard.empty());
}

TEST_F(RecordingHookTest, ARecordingMayStopItselfFromInsideAButtonEvent) {
    CDeviceHook hook(std::make_unique<WindowKeyboardHook>(), [] { return WindowRecordingInput(); });
    ASSERT_EQ(hook.Install(0, kHookRecordAppend, window->GetHWND(), true, true), 1);
    auto inner = window->onMessage;
    window->onMessage = [&](ui::UINT msg, ui::WPARAM w, ui::LPARAM l, bool& handled) {
        const ui::LRESULT r = inner(msg, w, l, handled);
        if (msg == mouseMessages[0])
            hook.Remove();  // the stop button's click
        return r;
    };
    Input()->Click(10, 20);
    EXPECT_EQ(heard.size(), 1u);
    EXPECT_FALSE(hook.IsInstalled());
}

TEST_F(RecordingHookTest, AScriptDrivesTheRecordingOnTheVirtualClock) {
    t418test::TempFolder folder;
    const std::string path = folder.path() + "/input.txt";
    std::ofstream(path) << "# Ctrl+C, a click and a back button\n"
                           "10 key down 0x1D\n"
                           "40 key down 0x2E\n"
                           "55 key up 0x2E\n"
                           "60 key up 0x1D ext\n"
                           "100 mouse 0x201 640 480\n"
                           "130 mouse 0x202\n"
                           "200 mouse 0x20B x1 1 2\n"
                           "900 key down 0x1E\n";
    t418test::ScopedEnv script{kInputScriptVariable, path};
    backend.SetCursorPos(ui::Point{7, 8});
    CDeviceHook hook;
    // The key panel's capture keeps to the windows whatever the script says.
    ASSERT_EQ(hook.Install(0, kHookSingleKey, window->GetHWND(), true, true), 1);
    backend.AdvanceTime(1000);
    EXPECT_TRUE(heard.empty());
    Input()->PressNativeKey(30 + ui::kDesktopKeycodeOffset);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].message, keyMessages[4]);
    heard.clear();

    ASSERT_EQ(hook.Install(0, kHookRecordAfter, window->GetHWND(), true, true), 1);
    EXPECT_EQ(hook.Source(), RecordingSource::kScripted);
    const uint64_t start = backend.NowMs();
    backend.AdvanceTime(9);
    EXPECT_TRUE(heard.empty());
    backend.AdvanceTime(191);
    ASSERT_EQ(heard.size(), 7u);
    const ui::WPARAM params[] = {0x100, 0x100, 0x101, 0x101, 0x201, 0x202, 0x20B};
    for (size_t i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(heard[i].message, i < 4 ? keyMessages[2] : mouseMessages[2]);
        EXPECT_EQ(heard[i].wParam, params[i]);
    }
    EXPECT_EQ(heard[0].key.time, static_cast<uint32_t>(start + 10));
    EXPECT_EQ(heard[1].key.scanCode, 0x2Eu);
    EXPECT_EQ(heard[1].key.vkCode, static_cast<uint32_t>('C'));
    EXPECT_EQ(heard[3].key.flags, 0x81u);
    EXPECT_EQ(heard[3].key.vkCode, 0xA3u);
    EXPECT_EQ(heard[4].mouse.x, 640);
    EXPECT_EQ(heard[4].mouse.time - heard[3].key.time, 40u);
    EXPECT_EQ(heard[5].mouse.x, 7);  // no position: the cursor's
    EXPECT_EQ(heard[5].mouse.y, 8);
    EXPECT_EQ(platform::HookXButtonOf(heard[6].mouse), 1u);
    // Stopped: the rest of the script is not played.
    hook.Remove();
    backend.AdvanceTime(1000);
    EXPECT_EQ(heard.size(), 7u);
    // A new recording plays it from its start again.
    ASSERT_EQ(hook.Install(0, kHookRecordAppend, window->GetHWND(), true, true), 1);
    backend.AdvanceTime(10);
    ASSERT_EQ(heard.size(), 8u);
    EXPECT_EQ(heard[7].message, keyMessages[0]);
}

TEST_F(RecordingHookTest, AnUnreadableScriptOrNoInputDeviceFallsBackToTheWindows) {
    t418test::TempFolder nodes;
    // Not input devices: a text file and a folder with the node names, another name.
    std::ofstream(nodes.path() + "/event0") << "not a device";
    std::filesystem::create_directory(nodes.path() + "/event1");
    std::ofstream(nodes.path() + "/mouse0") << "x";
    EXPECT_EQ(platform::InputDeviceReader(nodes.path()).Open(), 0);
    EXPECT_EQ(platform::InputDeviceReader(nodes.path() + "/missing").Open(), 0);
    EXPECT_EQ(std::make_shared<GlobalInput>(nodes.path())->CountReadable(), 0);

    t418test::ScopedEnv script{kInputScriptVariable, nodes.path() + "/no-such-script"};
    const std::string folder = nodes.path();
    CDeviceHook hook(std::make_unique<WindowKeyboardHook>(),
                     [folder] { return ChooseRecordingInput(folder); });
    ASSERT_EQ(hook.Install(0, kHookRecordAppend, window->GetHWND(), true, true), 1);
    EXPECT_EQ(hook.Source(), RecordingSource::kWindow);
    EXPECT_TRUE(hook.GlobalInputUnavailable());
    Input()->Click(3, 4);
    Input()->PressNativeKey(30 + ui::kDesktopKeycodeOffset);
    ASSERT_EQ(heard.size(), 4u);
    EXPECT_EQ(heard[0].message, mouseMessages[0]);
    EXPECT_EQ(heard[2].message, keyMessages[0]);

    // Told to read no device, the program's own hook does the same.
    t418test::ScopedEnv none{kInputDevicesVariable, ""};
    CDeviceHook own;
    ASSERT_EQ(own.Install(0, kHookRecordBefore, window->GetHWND(), true, true), 1);
    EXPECT_EQ(own.Source(), RecordingSource::kWindow);
    EXPECT_TRUE(own.GlobalInputUnavailable());
}

#ifdef T418_TEST_HAVE_LIBEVDEV

// A virtual keyboard and mouse made through uinput; absent where the kernel has no uinput or
// the test may not write it.
class VirtualDevice {
  public:
    VirtualDevice() {
        if (access("/dev/uinput", W_OK) != 0)
            return;
        libevdev* dev = libevdev_new();
        libevdev_set_name(dev, "t418 test input");
        libevdev_enable_event_type(dev, EV_KEY);
        for (unsigned code : {KEY_A, KEY_LEFTCTRL, KEY_RIGHTCTRL, KEY_C})
            libevdev_enable_event_code(dev, EV_KEY, code, nullptr);
        for (unsigned code : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE, BTN_SIDE, BTN_EXTRA})
            libevdev_enable_event_code(dev, EV_KEY, code, nullptr);
        libevdev_enable_event_type(dev, EV_REL);
        libevdev_enable_event_code(dev, EV_REL, REL_X, nullptr);
        if (libevdev_uinput_create_from_device(dev, LIBEVDEV_UINPUT_OPEN_MANAGED, &uinput_) != 0)
            uinput_ = nullptr;
        libevdev_free(dev);
        // The desktop's input stack needs a moment to see a new device.
        usleep(200 * 1000);
    }
    ~VirtualDevice() {
        if (uinput_ != nullptr)
            libevdev_uinput_destroy(uinput_);
    }
    bool Ready() const { return uinput_ != nullptr; }
    void Send(unsigned code, int value) {
        libevdev_uinput_write_event(uinput_, EV_KEY, code, value);
        libevdev_uinput_write_event(uinput_, EV_SYN, SYN_REPORT, 0);
    }

  private:
    libevdev_uinput* uinput_ = nullptr;
};

TEST_F(RecordingHookTest, AVirtualDeviceIsReadDesktopWide) {
    VirtualDevice device;
    if (!device.Ready())
        GTEST_SKIP() << "no writable /dev/uinput: the desktop-wide reading is not tried here";
    CDeviceHook hook;
    ASSERT_EQ(hook.Install(0, kHookRecordAppend, window->GetHWND(), true, true), 1);
    ASSERT_EQ(hook.Source(), RecordingSource::kGlobal);
    backend.SetCursorPos(ui::Point{321, 123});
    device.Send(KEY_RIGHTCTRL, 1);
    device.Send(KEY_RIGHTCTRL, 0);
    device.Send(BTN_SIDE, 1);
    device.Send(BTN_SIDE, 0);
    ASSERT_TRUE(backend.PumpUntil([&] { return heard.size() >= 4; }, 3000));
    EXPECT_EQ(heard[0].message, keyMessages[0]);
    EXPECT_EQ(heard[0].key.scanCode, 0x1Du);
    EXPECT_EQ(heard[0].key.flags, 0x01u);
    EXPECT_EQ(heard[2].message, mouseMessages[0]);
    EXPECT_EQ(heard[2].wParam, 0x20Bu);
    EXPECT_EQ(heard[2].mouse.x, 321);
    EXPECT_EQ(platform::HookXButtonOf(heard[2].mouse), 1u);
    EXPECT_EQ(hook.Remove(), 1);
}

TEST_F(RecordingHookTest, TheReaderStartsAndStopsOftenAndAStopWhileBlockedIsPrompt) {
    VirtualDevice device;
    if (!device.Ready())
        GTEST_SKIP() << "no writable /dev/uinput: the reader thread is not tried here";
    platform::InputDeviceReader reader;
    for (int i = 0; i < 100; ++i) {
        ASSERT_GT(reader.Open(), 0);
        ASSERT_TRUE(reader.Start([](const platform::RawInputEvent&) {}));
        ASSERT_TRUE(reader.Stop(500));
        EXPECT_EQ(reader.OpenCount(), 0);  // closed at stop
    }
    // Blocked waiting for input: the stop cuts it short.
    ASSERT_GT(reader.Open(), 0);
    ASSERT_TRUE(reader.Start([](const platform::RawInputEvent&) {}));
    usleep(50 * 1000);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_TRUE(reader.Stop(500));
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));

    // Blocked handing an event to a window thread that does not pump: stopping the source
    // releases it.
    auto global = std::make_shared<GlobalInput>();
    auto keys = MakeKeyHook(global);
    ASSERT_TRUE(keys->Start([](uint32_t, const platform::HookKeyboardRecord&) { return false; }));
    device.Send(KEY_A, 1);
    usleep(100 * 1000);  // the reader now waits in its send
    const auto stopAt = std::chrono::steady_clock::now();
    keys->Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - stopAt, std::chrono::milliseconds(500));
    EXPECT_FALSE(global->ReaderRunning());
}

#endif  // T418_TEST_HAVE_LIBEVDEV

}  // namespace
}  // namespace panels::hook
