// The key assignment panel built from the real skin through the program's panel tag and
// driven headless: what its layout holds, records shown and built back, the macro combo,
// the device type and the keyboard text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PanelTags.h"
#include "panels/keys/KeySetControlUI.h"
#include "panels/keys/KeyTables.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/skin/ResourceManager.h"

namespace {

using panels::CKeySetControlUI;
using profile::KeyAssignment;
using profile::KeyRecord;

class PanelWindow : public ui::WindowImplBase {
  public:
    std::vector<std::string> notified;  // "type:sender"

    void Notify(ui::TNotifyUI& msg) override {
        notified.push_back(msg.sType + ":" + (msg.pSender ? msg.pSender->GetName() : ""));
        WindowImplBase::Notify(msg);
    }
    ui::CControlUI* CreateControl(const std::string& tag) override {
        return app::CreatePanelControl(tag, this, m_pm);
    }

  protected:
    std::string GetWindowClassName() const override { return "KeyPanelTest"; }
    std::string GetSkinFile() override {
        return R"(<Window size="600,160"><VerticalLayout>
                    <KeySetControl name="KeySetControlItem" height="114"><KeySetControlUI/></KeySetControl>
                  </VerticalLayout></Window>)";
    }
};

KeyAssignment A(uint8_t type, uint8_t p1, uint8_t p2, uint16_t index = 4) {
    KeyAssignment a;
    a.keyIndex = index;
    a.type = type;
    a.param1 = p1;
    a.param2 = p2;
    return a;
}

KeyRecord R(const KeyAssignment& current, const KeyAssignment& defaults = A(0x10, 0x08, 0)) {
    return KeyRecord{current, defaults};
}

std::string Bytes(const KeyAssignment& a) {
    char text[40];
    std::snprintf(text, sizeof text, "#%u (%02X,%02X,%02X)", a.keyIndex, a.type, a.param1,
                  a.param2);
    return text;
}

class KeyPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        backend.Install();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml"));
        window = new PanelWindow;
        ASSERT_NE(window->Create(nullptr, "keys", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 600, 160),
                  nullptr);
        backend.ProcessPending();
        window->GetPaintManager()->UpdateLayout();
        panel = dynamic_cast<CKeySetControlUI*>(window->FindControl("KeySetControlItem"));
        ASSERT_NE(panel, nullptr);
        panel->SetMacroNames({"Reload", "Burst", "Spray"});
        window->notified.clear();
    }
    void TearDown() override {
        if (window != nullptr && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        delete window;
        backend.ProcessPending();
        ui::CResourceManager::GetInstance()->Release();
    }

    template <typename T = ui::CControlUI>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(window->FindControl(name));
    }
    ui::CComboUI* Combo(const std::string& name) { return Get<ui::CComboUI>(name); }
    int ShownPage() {
        auto* function = Combo(CKeySetControlUI::kFunctionComboName);
        const int item = function->GetCurSel();
        if (item < 0 || !Get(CKeySetControlUI::kLayoutName)->IsVisible())
            return -1;
        EXPECT_EQ(Get<ui::CTabLayoutUI>(CKeySetControlUI::kPagesName)->GetCurSel(),
                  std::stoi(function->GetItemUserData(item)));
        return std::stoi(function->GetItemUserData(item));
    }
    std::vector<std::string> Notifications() {
        backend.ProcessPending();
        return window->notified;
    }

    ui::headless::HeadlessBackend backend;
    PanelWindow* window = nullptr;
    CKeySetControlUI* panel = nullptr;
};

TEST_F(KeyPanelTest, SkinListsThePagesAndTheTablesInOrder) {
    auto* function = Combo(CKeySetControlUI::kFunctionComboName);
    auto* pages = Get<ui::CTabLayoutUI>(CKeySetControlUI::kPagesName);
    ASSERT_NE(function, nullptr);
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(function->GetCount(), panels::keys::kPageCount);
    ASSERT_EQ(pages->GetCount(), panels::keys::kPageCount);
    for (int i = 0; i < panels::keys::kPageCount; ++i) {
        EXPECT_EQ(function->GetItemUserData(i), std::to_string(i));
        EXPECT_TRUE(function->GetItemAt(i)->IsResourceText()) << i;
    }
    // Combo items are the table rows in order.
    const std::vector<std::pair<const char*, std::span<const panels::keys::KeyRow>>> tables = {
        {"keyset_mousekey_combo", panels::keys::MouseButtonTable()},
        {"keyset_mousedpi_combo", panels::keys::DpiFunctionTable()},
        {"keyset_media_combo", panels::keys::MediaKeyTable()},
        {"keyset_system_combo", panels::keys::SystemKeyTable()},
        {"keyset_gunkey_combo", panels::keys::GunKeyTable()},
        {"keyset_combokey_combo", panels::keys::CombinationTable()}};
    for (const auto& [name, table] : tables) {
        auto* combo = Combo(name);
        ASSERT_EQ(combo->GetCount(), static_cast<int>(table.size())) << name;
        for (size_t i = 0; i < table.size(); ++i)
            EXPECT_EQ(combo->GetItemAt(static_cast<int>(i))->GetTextKey(), table[i].nameKey)
                << name << " " << i;
    }
    EXPECT_EQ(Combo("keyset_mouseswing_combo")->GetCount(), 2);
    EXPECT_EQ(Combo("keyset_mousewheel_combo")->GetCount(), 2);
    EXPECT_EQ(Combo("keyset_macro_over_combo")->GetCount(), 5);
    EXPECT_TRUE(Get<ui::CEditUI>("keyset_mousefire_interval_edit")->IsNumberOnly());
    EXPECT_FALSE(Get("text_test")->IsVisible());
}

TEST_F(KeyPanelTest, ARecordShownIsBuiltBackUnchangedAndQuietly) {
    const struct {
        KeyRecord record;
        int page;
    } cases[] = {
        {R(A(0x10, 0x08, 0)), 0},
        {R(A(0x10, 0x04, 0)), 1},
        {R(A(0x11, 0x2F, 0x83)), 2},
        {R(A(0x12, 0x14, 0xFD)), 3},
        {R(A(0x13, 0x03, 0)), 4},
        {R(A(0x14, 120, 2)), 5},
        {R(A(0x20, 0x01, 0x06)), 6},
        {R(A(0x20, 0x00, 0x00)), 6},
        {R(A(0x20, 0x08, 0x00)), 6},
        {R(A(0x30, 0x26, 0x02)), 7},
        {R(A(0x40, 0x02, 0)), 8},
        {R(A(0x70, 2, 3)), 9},
        {R(A(0x71, 1, 200)), 9},
        {R(A(0x70, 3, 0)), 9},  // a macro past the list: none selected, kept
        {R(A(0x72, 2, 0)), 10},
        {R(A(0x20, 0x10, 0x2E)), 11},
        {R(A(0x16, 0x90, 0x01)), -1},
        {R(A(0x16, 0x90, 0x01), A(0x16, 0x90, 0x01)), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Bytes(c.record.current));
        panel->ShowKeyRecord(c.record);
        EXPECT_EQ(ShownPage(), c.page);
        const KeyRecord built = panel->BuildKeyRecord();
        EXPECT_EQ(Bytes(built.current), Bytes(c.record.current));
        EXPECT_EQ(Bytes(built.defaults), Bytes(c.record.defaults));
        EXPECT_EQ(Bytes(panel->GetStoredCurrent()), Bytes(c.record.current));
    }
    EXPECT_EQ(Notifications(), std::vector<std::string>{}) << "setters raise nothing";
}

TEST_F(KeyPanelTest, WhatTheHandlersDoThroughThePanel) {
    // Fire interval 5 is stored as 10, and the edit says so.
    panel->ShowKeyRecord(R(A(0x14, 120, 2)));
    Get<ui::CEditUI>("keyset_mousefire_interval_edit")->SetText("5", false);
    EXPECT_EQ(Bytes(panel->BuildKeyRecord().current), Bytes(A(0x14, 10, 2)));
    EXPECT_EQ(Get<ui::CEditUI>("keyset_mousefire_interval_edit")->GetText(), "10");

    // The user picks the keyboard page: no modifier, no key, a disabled key.
    panel->ShowKeyRecord(R(A(0x20, 0x02, 0x04)));
    EXPECT_EQ(panel->GetModifier(), 2);
    Combo(CKeySetControlUI::kFunctionComboName)->SelectItem(1, false, true);
    panel->OnFunctionItemSelected();
    EXPECT_EQ(ShownPage(), 1);
    Combo(CKeySetControlUI::kFunctionComboName)->SelectItem(6, false, true);
    panel->OnFunctionItemSelected();
    EXPECT_EQ(ShownPage(), 6);
    EXPECT_EQ(panel->GetModifier(), -1);
    EXPECT_EQ(Get<ui::CEditUI>(CKeySetControlUI::kKeyboardTextEditName)->GetText(), "");
    EXPECT_EQ(Bytes(panel->BuildKeyRecord().current), Bytes(A(0x20, 0, 0)));

    // "N times" shows the count; "300" stores 44.
    panel->ShowKeyRecord(R(A(0x70, 1, 0)));
    EXPECT_FALSE(Get(CKeySetControlUI::kCycleLayoutName)->IsOwnVisible());
    Combo(CKeySetControlUI::kMacroOverComboName)->SelectItem(4, false, true);
    panel->OnMacroOverSelected();
    EXPECT_TRUE(Get(CKeySetControlUI::kCycleLayoutName)->IsOwnVisible());
    Get<ui::CEditUI>(CKeySetControlUI::kCycleEditName)->SetText("300", false);
    EXPECT_EQ(Bytes(panel->BuildKeyRecord().current), Bytes(A(0x71, 1, 44)));
    Combo(CKeySetControlUI::kMacroOverComboName)->SelectItem(2, false, true);
    panel->OnMacroOverSelected();
    EXPECT_FALSE(Get(CKeySetControlUI::kCycleLayoutName)->IsOwnVisible());

    // A function without a page hides the function part; the default shows page 0 and
    // storing there stores the default; the current comes back unchanged.
    panel->ShowKeyRecord(R(A(0x16, 0x90, 0x01)));
    EXPECT_FALSE(Get(CKeySetControlUI::kLayoutName)->IsVisible());
    EXPECT_TRUE(Get(CKeySetControlUI::kDefaultButtonName)->IsVisible());
    panel->ShowDefault();
    EXPECT_EQ(ShownPage(), 0);
    EXPECT_EQ(Bytes(panel->GetStoredCurrent()), Bytes(A(0x16, 0x90, 0x01)));
    panel->ShowCurrent();
    EXPECT_EQ(ShownPage(), -1);
    panel->ShowDefault();
    EXPECT_EQ(Bytes(panel->BuildKeyRecord().current), Bytes(A(0x10, 0x08, 0)));

    // The buttons of a pending change go together.
    panel->SetPendingButtons(true);
    for (const char* name : {"key_butt_keysave", "key_butt_keycancel", "key_butt_prosave"})
        EXPECT_TRUE(Get(name)->IsEnabled()) << name;
    panel->SetPendingButtons(false);
    for (const char* name : {"key_butt_keysave", "key_butt_keycancel", "key_butt_prosave"})
        EXPECT_FALSE(Get(name)->IsEnabled()) << name;
    EXPECT_TRUE(Get(CKeySetControlUI::kDefaultButtonName)->IsEnabled());
}

TEST_F(KeyPanelTest, KeyboardTextIsTheKeysLanguageText) {
    panel->ShowKeyRecord(R(A(0x20, 0, 0x04)));
    EXPECT_EQ(Get<ui::CEditUI>(CKeySetControlUI::kKeyboardTextEditName)->GetText(), "A");
    EXPECT_EQ(panel->GetModifier(), 0);
    ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_cn.xml"));
    panel->ShowKeyRecord(R(A(0x20, 0x04, 0x2C)));
    EXPECT_EQ(Get<ui::CEditUI>(CKeySetControlUI::kKeyboardTextEditName)->GetText(), "空格");
    EXPECT_EQ(panel->GetModifier(), 3);
    EXPECT_EQ(panel->LanguageText("close_text"), "禁用");

    // A captured key: its option, its text and what is stored; the controls stay otherwise.
    panel->SelectModifier(-1);
    auto ctrl =
        panels::keys::CaptureKey(0x1D, true, panel->GetModifier(), panel->GetStoredCurrent());
    ASSERT_TRUE(ctrl);
    panel->SetCaptured(*ctrl);
    EXPECT_EQ(panel->GetModifier(), 1);
    EXPECT_EQ(Get<ui::CEditUI>(CKeySetControlUI::kKeyboardTextEditName)->GetText(), "");
    auto c = panels::keys::CaptureKey(0x2E, false, panel->GetModifier(), panel->GetStoredCurrent());
    ASSERT_TRUE(c);
    panel->SetCaptured(*c);
    EXPECT_EQ(Get<ui::CEditUI>(CKeySetControlUI::kKeyboardTextEditName)->GetText(), "C");
    EXPECT_EQ(Bytes(panel->GetStoredCurrent()), Bytes(A(0x20, 0x01, 0x06)));
    EXPECT_EQ(Bytes(panel->BuildKeyRecord().current), Bytes(A(0x20, 0x01, 0x06)));
    for (int i = 0; i < 5; ++i) {
        panel->SelectModifier(i);
        EXPECT_EQ(panel->GetModifier(), i);
    }
    EXPECT_EQ(Notifications(), std::vector<std::string>{});
}

TEST_F(KeyPanelTest, MacroCombo) {
    auto* macros = Combo(CKeySetControlUI::kMacroComboName);
    ASSERT_EQ(macros->GetCount(), 3);
    EXPECT_EQ(macros->GetCurSel(), -1);
    EXPECT_EQ(macros->GetItemAt(1)->GetText(), "Burst");
    EXPECT_EQ(macros->GetItemAt(1)->GetToolTip(), "Burst");
    EXPECT_EQ(macros->GetItemAt(1)->GetFixedHeight(), CKeySetControlUI::kMacroItemHeight);
    panel->RenameMacroItem(1, "Tap");
    panel->RenameMacroItem(-1, "Nothing");
    panel->RenameMacroItem(0, "");
    panel->RenameMacroItem(9, "Past the end");
    EXPECT_EQ(macros->GetItemAt(0)->GetText(), "Reload");
    EXPECT_EQ(macros->GetItemAt(1)->GetText(), "Tap");
    EXPECT_EQ(macros->GetItemAt(1)->GetToolTip(), "Tap");
    panel->RemoveMacroItem(-1);
    panel->RemoveMacroItem(0);
    ASSERT_EQ(panel->GetMacroItemCount(), 2);
    EXPECT_EQ(macros->GetItemAt(0)->GetText(), "Tap");
    // The macro at index 2 is gone: shown with nothing selected and kept when built.
    panel->ShowKeyRecord(R(A(0x70, 2, 1)));
    EXPECT_EQ(macros->GetCurSel(), -1);
    EXPECT_EQ(Bytes(panel->BuildKeyRecord().current), Bytes(A(0x70, 2, 1)));
    panel->ShowKeyRecord(R(A(0x70, 1, 1)));
    EXPECT_EQ(macros->GetCurSel(), 1);
    panel->SetMacroNames({});
    EXPECT_EQ(panel->GetMacroItemCount(), 0);
    EXPECT_EQ(Notifications(), std::vector<std::string>{});
}

TEST_F(KeyPanelTest, AKeyboardIsNotOfferedTheDpiAndGunKeyPages) {
    auto* function = Combo(CKeySetControlUI::kFunctionComboName);
    auto hidden = [&] {
        std::vector<std::string> pages;
        for (int i = 0; i < function->GetCount(); ++i)
            if (!function->GetItemAt(i)->IsVisible())
                pages.push_back(function->GetItemUserData(i));
        return pages;
    };
    panel->SetDeviceType(CKeySetControlUI::kDeviceKeyboard);
    EXPECT_EQ(hidden(), (std::vector<std::string>{"4", "10"}));
    panel->SetDeviceType(CKeySetControlUI::kDeviceMouse);
    EXPECT_EQ(hidden(), std::vector<std::string>{});
}

}  // namespace
