// The key page as a user drives it: the real mouse page headless with the mouse on the
// simulated bus, notifications routed through the program's tables to the key handlers as the
// main window routes them, keys captured through the input hook, and apply reaching the
// simulated mouse's key map and the profile file.
#include <gtest/gtest.h>
#include <json/value.h>
#include <linux/input-event-codes.h>

#include <memory>
#include <string>
#include <vector>

#include "../../unit/platform/TestFolders.h"
#include "app/AppMessages.h"
#include "app/MainWndRoutes.h"
#include "app/PanelTags.h"
#include "controls/ProgramControls.h"
#include "devices/DeviceControls.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "panels/PanelHost.h"
#include "panels/hook/DeviceHook.h"
#include "panels/keys/KeyHandlers.h"
#include "panels/keys/KeySetControlUI.h"
#include "panels/macros/MacroFiles.h"
#include "panels/macros/MacroHandlers.h"
#include "platform/InputHook.h"
#include "platform/MessageBus.h"
#include "profile/JsonFile.h"
#include "profile/MouseProfiledata.h"
#include "tests/integration/proto/BusFixture.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/ListUI.h"
#include "ui/core/LinuxKeyCodes.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/skin/ResourceManager.h"

namespace {

using profile::KeyAssignment;

constexpr uint32_t Native(uint32_t evdev) {
    return evdev + ui::kDesktopKeycodeOffset;
}

class RecordingHost : public panels::IPanelHost {
  public:
    std::vector<std::string> shown;  // language keys and texts of message boxes
    int savedState = 1;

    bool Confirm(const std::string&) override { return true; }
    void ShowKey(const std::string& key) override { shown.push_back(key); }
    void ShowText(const std::string& text) override { shown.push_back(text); }
    std::string LanguageText(const std::string& key) override {
        return ui::CResourceManager::GetInstance()->GetText(key);
    }
    std::optional<uint32_t> PickColour(uint32_t) override { return std::nullopt; }
    std::string OpenFileDialog(const std::string&, const std::vector<std::string>&) override {
        return {};
    }
    std::string SaveFileDialog(const std::string&, const std::vector<std::string>&,
                               const std::string&) override {
        return {};
    }
    void RestartItemTimer(devices::COrvaneUSBDevice&, int, uint32_t) override {}
    void OpenContextMenu(const std::string&) override {}
    void SetSavedState(bool, int saved) override { savedState = saved; }
};

// The mouse page, routed as the main window routes it.
class KeyPageWindow : public ui::WindowImplBase {
  public:
    KeyPageWindow(platform::HidTransport* transport, RecordingHost& host)
        : keys(host),
          macros(
              host, keys,
              [this](int mode) {
                  hook.Install(0, mode, m_hWnd, true, true);
                  return hook.Source() != panels::hook::RecordingSource::kWindow;
              },
              [this] { hook.Remove(); }),
          transport_(transport) {}
    devices::COrvaneMouseDevice* device = nullptr;
    panels::CKeyHandlers keys;
    panels::hook::CDeviceHook hook;
    panels::CMacroHandlers macros;

    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, "OrvaneMouseDevice")) {
            device = new devices::COrvaneMouseDevice(transport_);
            return device;
        }
        return app::CreatePanelControl(tag, this, m_pm);
    }
    void Notify(ui::TNotifyUI& msg) override {
        if (msg.pSender == nullptr)
            return;
        const std::string name = msg.pSender->GetName();
        const int kind = device ? device->GetKind() : 0;
        if (std::optional<int> request = panels::CKeyHandlers::InputHookRequest(msg.sType, name))
            SendMessage(panels::CKeyHandlers::kInputHookMessage, static_cast<ui::WPARAM>(*request));
        std::optional<app::RouteHit> hit;
        if (msg.sType == "click")
            hit = app::FindRoute(app::ClickRoutes(), name);
        else if (msg.sType == "selectchanged")
            hit = app::FindRoute(app::OptionRoutes(), name);
        else if (msg.sType == "itemselect")
            hit = app::FindRoute(app::ComboRoutes(), name);
        if (msg.sType == "killfocus") {
            keys.OnKillFocus(device, kind, name);
            macros.OnKillFocus(device, kind, name);
        }
        if (hit && hit->route == app::Route::MacroPanel) {
            if (msg.sType == "click")
                macros.OnClick(device, kind, name);
            else if (msg.sType == "itemselect")
                macros.OnItemSelect(device, kind, name);
            return;
        }
        if (!hit || hit->route != app::Route::KeyPanel)
            return;
        if (msg.sType == "click")
            keys.OnClick(device, kind, name, hit->index);
        else if (msg.sType == "selectchanged")
            keys.OnSelectChanged(device, kind, name, hit->index);
        else
            keys.OnItemSelect(device, kind, name);
    }
    ui::LRESULT HandleCustomMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& handled) override {
        if (msg == panels::CKeyHandlers::kInputHookMessage) {
            if (wParam == 1)
                hook.Install(0, panels::hook::kHookSingleKey, m_hWnd, true, true);
            else
                hook.Remove();
            handled = true;
        } else if (msg != 0 && msg == platform::RegisterMessage("WM_HOOK_KEY_SINGLEKEY_MSG")) {
            const auto* record = reinterpret_cast<const platform::HookKeyboardRecord*>(lParam);
            keys.OnCapturedKey(device, device->GetKind(), static_cast<uint32_t>(wParam),
                               record->scanCode, record->flags);
            handled = true;
        } else if (msg != 0 && msg == platform::RegisterMessage("WM_HOOK_KEY_KBMACRO_MSG")) {
            macros.OnRecordedKey(device, 4, static_cast<uint32_t>(wParam),
                                 *reinterpret_cast<const platform::HookKeyboardRecord*>(lParam));
            handled = true;
        }
        return 0;
    }

  protected:
    std::string GetWindowClassName() const override { return "KeyPageTest"; }
    std::string GetSkinFile() override {
        return R"(<Window size="976,500"><VerticalLayout>
                    <Include source="XML/DeviceXml/mousedevice.xml"/>
                  </VerticalLayout></Window>)";
    }

  private:
    platform::HidTransport* transport_;
};

class KeyPageTest : public prototest::BusTest {
  protected:
    void SetUp() override {
        BusTest::SetUp();
        backend.Install();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ui::CResourceManager::GetInstance()->ClearLanguage();
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml"));
        controls::ControlCreators creators;
        controls::AddCustomControlCreators(creators);
        devices::AddDeviceControlCreators(creators);
        controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
        window = std::make_unique<KeyPageWindow>(transport.get(), host);
        ASSERT_NE(window->Create(nullptr, "keys", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 976, 500),
                  nullptr);
        backend.ProcessPending();
        mouse = window->device;
        ASSERT_NE(mouse, nullptr);
        hid::CHidChannel& channel = mouse->Channel();
        ASSERT_TRUE(
            channel.CableDevice().Open(PathOf("mouse-cable-if1-col2"), true, true, true, false));
        channel.SetOpen(true);
        channel.SetConnection(hid::kConnectionCable);
        hid::DeviceIdentity identity;
        identity.Kind = hid::kKindMouseCable;
        mouse->SetIdentity(identity);
        mouse->SetMessageSink([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
        mouse->SetKeyCount(11);
        mouse->SetSkinFile("XML/DeviceXml/mousedevice.xml");
        mouse->BindPanelControls();
        mouse->ConnectDevice();
        mouse->StopPreviewThread();
        mouse->ShowFunctionPage(panels::CKeyHandlers::kKeyFunctionPage);
        window->GetPaintManager()->UpdateLayout();
        panel = panels::CKeyHandlers::PanelOf(mouse);
        ASSERT_NE(panel, nullptr);
    }
    void TearDown() override {
        if (window && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        window.reset();
        backend.ProcessPending();
        BusTest::TearDown();
    }

    template <typename T>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(window->GetPaintManager()->FindControl(name));
    }
    void Click(const std::string& name) {
        ui::CControlUI* control = window->GetPaintManager()->FindControl(name);
        ASSERT_NE(control, nullptr) << name;
        window->GetPaintManager()->SendNotify(control, "click");
    }
    // Picks the function page whose item carries this user data.
    void ChooseFunction(int page) {
        auto* combo = Get<ui::CComboUI>("keyset_function_combo");
        ASSERT_NE(combo, nullptr);
        for (int i = 0; i < combo->GetCount(); ++i) {
            if (combo->GetItemAt(i)->GetUserData() == std::to_string(page)) {
                combo->SelectItem(i);
                return;
            }
        }
        FAIL() << "no page " << page;
    }
    void Choose(const std::string& combo, int item) {
        auto* c = Get<ui::CComboUI>(combo);
        ASSERT_NE(c, nullptr) << combo;
        c->SelectItem(item);
    }
    // Types into an edit and leaves it, as the user does.
    void Type(const std::string& edit, const std::string& text) {
        auto* e = Get<ui::CEditUI>(edit);
        ASSERT_NE(e, nullptr) << edit;
        e->SetFocus();
        e->SetText(text);
        window->GetPaintManager()->SetFocus(nullptr);
    }
    KeyAssignment Current(int key) {
        return mouse->GetKeyRecords().at(static_cast<size_t>(key)).current;
    }
    uint32_t Code(int key) { return Current(key).Code(); }
    std::vector<uint8_t> MapBytesOf(int key) {
        const uint8_t slot = mouse->KeySlotMap().at(static_cast<size_t>(key));
        const auto map = devices.Mouse().ActiveKeyMap(0);
        return {map.begin() + 3 * slot, map.begin() + 3 * slot + 3};
    }
    uint32_t SavedCode(int key) {
        profile::CMouseProfiledata saved;
        saved.LoadDocument(mouse->GetProfilePath());
        return saved.GetKeyList().at(static_cast<size_t>(key)).current.Code();
    }
    std::string ListFunction(int key) {
        auto* list = Get<ui::CContainerUI>("device_setkeyinfo_list");
        if (list == nullptr || key >= list->GetCount())
            return "(no row)";
        auto* row = dynamic_cast<ui::CContainerUI*>(list->GetItemAt(key));
        if (row == nullptr || row->GetCount() < 2 || !row->IsVisible())
            return "(no row)";
        return row->GetItemAt(1)->GetText();
    }
    bool Pending() {
        auto* save = Get<ui::CControlUI>("key_butt_keysave");
        return save != nullptr && save->IsEnabled();
    }
    ui::headless::HeadlessWindow* Keys() {
        return static_cast<ui::headless::HeadlessWindow*>(window->GetNativeWindow());
    }

    t418test::TempFolder data;
    t418test::ScopedEnv dataEnv{"XDG_DATA_HOME", data.path()};
    t418test::ScopedEnv program{"T418_ZEN_PROGRAM_DIR", std::string(T418_RESOURCES_DIR) + "/"};
    // Recording takes its input from the program's windows, never from this machine's devices.
    t418test::ScopedEnv inputDevices{"T418_ZEN_INPUT_DEVICES", ""};
    t418test::TempFolder runtime;
    t418test::ScopedEnv runtimeEnv{"XDG_RUNTIME_DIR", runtime.path()};
    ui::headless::HeadlessBackend backend;
    RecordingHost host;
    std::unique_ptr<KeyPageWindow> window;
    devices::COrvaneMouseDevice* mouse = nullptr;
    panels::CKeySetControlUI* panel = nullptr;
};

TEST_F(KeyPageTest, CtrlCCapturedByPressingItIsListedAppliedAndSaved) {
    Click("key_2");
    ASSERT_TRUE(panel->IsVisible());
    ChooseFunction(6);
    EXPECT_EQ(Code(2), 0x200000u);  // the keyboard page starts empty: the key is off
    EXPECT_EQ(ListFunction(2), ui::CResourceManager::GetInstance()->GetText("close_text"));
    EXPECT_TRUE(Pending());
    EXPECT_EQ(host.savedState, 0);

    Get<ui::CEditUI>("keyset_keyboard_text_edit")->SetFocus();
    ASSERT_TRUE(window->hook.KeyboardInstalled());
    // Released in the other order than pressed: the releases change nothing.
    Keys()->NativeKeyDown(Native(KEY_LEFTCTRL));
    Keys()->NativeKeyDown(Native(KEY_C));
    Keys()->NativeKeyUp(Native(KEY_LEFTCTRL));
    Keys()->NativeKeyUp(Native(KEY_C));
    EXPECT_EQ(Code(2), 0x200106u);
    EXPECT_EQ(ListFunction(2), "Left Ctrl+C");
    window->GetPaintManager()->SetFocus(nullptr);
    EXPECT_FALSE(window->hook.IsInstalled());

    Click("key_butt_prosave");
    EXPECT_EQ(MapBytesOf(2), (std::vector<uint8_t>{0x20, 0x01, 0x06}));
    EXPECT_EQ(SavedCode(2), 0x200106u);
    EXPECT_FALSE(Pending());
    EXPECT_EQ(host.savedState, 1);
    EXPECT_TRUE(host.shown.empty());
}

TEST_F(KeyPageTest, RightCtrlAloneStoresTheCtrlBitAndAKeyAfterItKeepsIt) {
    Click("key_3");
    ChooseFunction(6);
    auto* edit = Get<ui::CEditUI>("keyset_keyboard_text_edit");
    edit->SetFocus();
    Keys()->NativeKeyDown(Native(KEY_RIGHTCTRL));
    Keys()->NativeKeyUp(Native(KEY_RIGHTCTRL));
    EXPECT_EQ(Code(3), 0x200100u);
    EXPECT_EQ(panel->GetModifier(), 1);
    // Caps Lock reaches the desktop too, and is a key like any other here.
    Keys()->NativeKeyDown(Native(KEY_CAPSLOCK));
    Keys()->NativeKeyUp(Native(KEY_CAPSLOCK));
    EXPECT_EQ(Code(3), 0x200139u);
}

TEST_F(KeyPageTest, EveryPageStoresWhatItShows) {
    Click("key_3");
    ChooseFunction(3);
    Choose("keyset_mousewheel_combo", 1);
    Type("keyset_mousewheel_num_edit", "3");
    Type("keyset_mousewheel_delay_edit", "17");
    Type("keyset_mousewheel_speed_edit", "20");
    EXPECT_EQ(Code(3), 0x1214FDu);
    ChooseFunction(2);
    Choose("keyset_mouseswing_combo", 1);
    Type("keyset_mouseswing_num_edit", "3");
    EXPECT_EQ(Current(3).param2, 0x83);
    ChooseFunction(5);
    Type("keyset_mousefire_interval_edit", "5");
    Type("keyset_mousefire_num_edit", "3");
    EXPECT_EQ(Code(3), 0x140A03u);
    EXPECT_EQ(Get<ui::CEditUI>("keyset_mousefire_interval_edit")->GetText(), "10");
    ChooseFunction(7);
    Choose("keyset_media_combo", 1);
    EXPECT_EQ(Code(3), 0x30CD00u);
    ChooseFunction(8);
    Choose("keyset_system_combo", 0);
    EXPECT_EQ(Current(3).type, 0x40);
    ChooseFunction(10);
    Choose("keyset_gunkey_combo", 2);
    EXPECT_EQ(Code(3), 0x720200u);
    ChooseFunction(11);
    Choose("keyset_combokey_combo", 4);
    EXPECT_EQ(Current(3).type, 0x20);
    EXPECT_EQ(Current(3).param1, 0x10);
    ChooseFunction(4);
    Choose("keyset_mousedpi_combo", 2);
    EXPECT_EQ(Code(3), 0x130300u);
    ChooseFunction(1);
    Choose("keyset_mousekey_combo", 1);
    EXPECT_EQ(Code(3), 0x100400u);
    ChooseFunction(0);
    EXPECT_EQ(Code(3), 0x101000u);  // the default: forward
}

TEST_F(KeyPageTest, TheLastLeftButtonCannotBeTakenAwayWhateverTheOrderOfEdits) {
    Click("key_0");
    EXPECT_EQ(host.shown, (std::vector<std::string>{"message_text_6"}));
    EXPECT_FALSE(panel->IsVisible());
    // Key 1 gets the left button (not yet applied); now key 0 may change.
    Click("key_1");
    ChooseFunction(1);
    Choose("keyset_mousekey_combo", 0);
    EXPECT_EQ(Code(1), 0x100100u);
    host.shown.clear();
    Click("key_0");
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(mouse->GetSelectedKey(), 0);
    ChooseFunction(7);
    Choose("keyset_media_combo", 1);
    // Key 1 is now the only left button, as the user has it.
    Click("key_1");
    EXPECT_EQ(host.shown, (std::vector<std::string>{"message_text_6"}));
    EXPECT_EQ(mouse->GetSelectedKey(), 0);
}

TEST_F(KeyPageTest, ARefusedMacroUploadTellsTheUserAndFallsBackToTheDefault) {
    Json::Value config(Json::objectValue);
    Json::Value entry(Json::objectValue);
    entry["MacroName"] = "long";
    entry["Guid"] = "long";
    config["MacroInfo"].append(entry);
    Json::Value macro(Json::objectValue);
    for (int e = 0; e < 61; ++e) {
        Json::Value event(Json::objectValue);
        event["Action"] = e % 2 ? "up" : "down";
        event["Button"] = 4;
        event["Type"] = 10;
        event["Delay"] = "20";
        macro["Events"].append(event);
    }
    const std::string folder = mouse->GetUserDataFolder();
    ASSERT_EQ(profile::WriteJsonFile(folder + "long.mac", macro), 0);
    ASSERT_EQ(profile::WriteJsonFile(folder + "macro.config", config), 0);
    mouse->LoadNameLists();
    panel->SetMacroNames(mouse->MacroNames());
    const auto mapBefore = devices.Mouse().ActiveKeyMap(0);

    Click("key_4");
    ChooseFunction(9);
    Choose("keyset_macro_combo", 0);
    Choose("keyset_macro_over_combo", 4);
    Type("keyset_macro_cycle_edit", "300");
    EXPECT_EQ(Code(4), 0x71002Cu);  // 300 mod 256
    Click("key_butt_prosave");
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_NE(host.shown[0].find("1"), std::string::npos) << host.shown[0];
    EXPECT_EQ(Code(4), 0x100800u);  // back to its default, pending
    EXPECT_TRUE(Pending());
    EXPECT_EQ(devices.Mouse().ActiveKeyMap(0), mapBefore);
    EXPECT_NE(SavedCode(4), 0x71002Cu);

    // Apply from the macro page, with no key selected: told again, and no key is touched.
    Click("key_4");
    ChooseFunction(9);
    Choose("keyset_macro_combo", 0);
    mouse->SelectKey(-1);
    const auto before = mouse->GetKeyRecords();
    window->keys.Apply(mouse);
    EXPECT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(mouse->GetKeyRecords(), before);
}

TEST_F(KeyPageTest, AMacroRecordedFromTheKeyboardPlaysFromAKeyAfterApply) {
    Click("macro_btn_name_add");
    ASSERT_EQ(mouse->MacroNames(), (std::vector<std::string>{"macro_1"}));
    Click("macro_btn_starredio");
    ASSERT_TRUE(window->macros.Recording());
    EXPECT_EQ(window->hook.Mode(), 4);
    // No input device is readable here: the page says that only its windows are heard.
    auto* title = Get<ui::CControlUI>("macro_record_title_label");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->GetText(), "Recording: this window only");
    Keys()->NativeKeyDown(Native(KEY_A));
    backend.AdvanceTime(250);
    Keys()->NativeKeyUp(Native(KEY_A));
    backend.AdvanceTime(40);
    Click("macro_btn_stopredio");
    EXPECT_FALSE(window->macros.Recording());
    EXPECT_FALSE(window->hook.IsInstalled());
    EXPECT_EQ(title->GetText(), "Recording");

    panels::macros::MacroList list(mouse->GetUserDataFolder());
    ASSERT_TRUE(list.Load());
    const std::vector<Json::Value> events = list.LoadEvents(0);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(panels::macros::EventIsDown(events[0]));
    EXPECT_EQ(panels::macros::EventDelay(events[0]), 250);
    EXPECT_EQ(panels::macros::EventButton(events[0]), 0x04);
    EXPECT_EQ(panels::macros::EventType(events[0]), 10);

    // The key page offers the new macro; key 2 plays it once.
    Click("key_2");
    ChooseFunction(9);
    Choose("keyset_macro_combo", 0);
    Choose("keyset_macro_over_combo", 0);
    EXPECT_EQ(Code(2), 0x700000u);
    Click("key_butt_prosave");
    EXPECT_EQ(MapBytesOf(2), (std::vector<uint8_t>{0x70, 0, 0}));
    // Header 16, one offset, the item's count and two zero bytes, two events: 30 bytes.
    const auto area = devices.Mouse().MacroArea(30);
    EXPECT_EQ((std::vector<uint8_t>(area.begin(), area.begin() + 6)),
              (std::vector<uint8_t>{0xAA, 0x55, 30, 0, 1, 0}));
    EXPECT_EQ((std::vector<uint8_t>(area.begin() + 22, area.begin() + 30)),
              (std::vector<uint8_t>{250, 0, 0x8A, 0x04, 10, 0, 0x0A, 0x04}));
}

}  // namespace
