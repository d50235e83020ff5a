// The macro panel built from the real skin through the program's panel tag and driven
// headless over a data folder of its own: the list and the rows it shows, the list rules as
// the panel applies them, saving, editing the rows, inserting mouse actions, the recording
// state and what the recorder asks of the event list.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/PanelTags.h"
#include "panels/macros/MacroControlUI.h"
#include "profile/JsonFile.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ListUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/skin/ResourceManager.h"

namespace {

namespace fs = std::filesystem;
using panels::CMacroControlUI;
using panels::macros::MacroList;
using panels::macros::MakeEvent;

class PanelWindow : public ui::WindowImplBase {
  public:
    ui::CControlUI* CreateControl(const std::string& tag) override {
        return app::CreatePanelControl(tag, this, m_pm);
    }

  protected:
    std::string GetWindowClassName() const override { return "MacroPanelTest"; }
    std::string GetSkinFile() override {
        return R"(<Window size="800,420"><VerticalLayout>
                    <MacroControl name="MacroControlItem"><MacroSetControlUI/></MacroControl>
                  </VerticalLayout></Window>)";
    }
};

Json::Value Ev(bool down, int button, int type, int delay) {
    return MakeEvent(down, button, type, delay);
}

class MacroPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = (fs::temp_directory_path() /
                  ("t418-macro-panel-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())))
                     .string() +
                 "/";
        fs::remove_all(folder);
        fs::create_directories(folder);
        backend.Install();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml"));
        window = new PanelWindow;
        ASSERT_NE(
            window->Create(nullptr, "macros", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 800, 420),
            nullptr);
        backend.ProcessPending();
        window->GetPaintManager()->UpdateLayout();
        panel = dynamic_cast<CMacroControlUI*>(window->FindControl("MacroControlItem"));
        ASSERT_NE(panel, nullptr);
        panel->SetDataFolder(folder);
    }
    void TearDown() override {
        if (window != nullptr && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        delete window;
        backend.ProcessPending();
        ui::CResourceManager::GetInstance()->Release();
        fs::remove_all(folder);
    }

    // A macro list file naming these macros, and the first macro's file with events.
    void WriteMacros(const std::vector<std::string>& names,
                     const std::vector<Json::Value>& events) {
        Json::Value list;
        for (size_t i = 0; i < names.size(); ++i) {
            Json::Value entry;
            entry["MacroName"] = names[i];
            entry["Guid"] = "2024_03_05_14_07_09_04" + std::to_string(i);
            list["MacroInfo"].append(entry);
        }
        ASSERT_EQ(profile::WriteJsonFile(folder + "macro.config", list), 0);
        Json::Value doc;
        doc["MacroName"] = names.empty() ? "" : names[0];
        doc["Guid"] = "2024_03_05_14_07_09_040";
        doc["Events"] = Json::Value(Json::arrayValue);
        for (const Json::Value& e : events)
            doc["Events"].append(e);
        doc["Version"] = 64;
        ASSERT_EQ(profile::WriteJsonFile(folder + "2024_03_05_14_07_09_040.mac", doc), 0);
    }

    template <typename T = ui::CControlUI>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(window->FindControl(name));
    }
    ui::CListUI* Actions() { return Get<ui::CListUI>(CMacroControlUI::kActionListName); }
    ui::CListUI* Names() { return Get<ui::CListUI>(CMacroControlUI::kNameListName); }
    ui::CLabelUI* RowLabel(int row, int child) {
        auto* element = dynamic_cast<ui::CContainerUI*>(Actions()->GetItemAt(row));
        return dynamic_cast<ui::CLabelUI*>(element->GetItemAt(child));
    }
    std::string NameEdit() { return Get<ui::CEditUI>(CMacroControlUI::kNameEditName)->GetText(); }
    bool MacroControlsEnabled() {
        bool all = true;
        for (const char* name :
             {CMacroControlUI::kActionLayoutName, CMacroControlUI::kMoveLayoutName,
              CMacroControlUI::kExportButtonName, CMacroControlUI::kDeleteMacroButtonName,
              CMacroControlUI::kRenameButtonName})
            all = all && Get(name)->IsEnabled();
        return all;
    }
    // Types and buttons of the rows, as "type:button:action".
    std::vector<std::string> Rows() {
        std::vector<std::string> out;
        for (int i = 0; i < panel->RowCount(); ++i) {
            const Json::Value e = panel->RowEvent(i);
            out.push_back(e.isNull() ? "-"
                                     : std::to_string(e["Type"].asInt()) + ":" +
                                           std::to_string(e["Button"].asInt()) + ":" +
                                           e["Action"].asString());
        }
        return out;
    }
    Json::Value SavedEvents() {
        return profile::LoadJsonFile(folder + "2024_03_05_14_07_09_040.mac")["Events"];
    }

    std::string folder;
    ui::headless::HeadlessBackend backend;
    PanelWindow* window = nullptr;
    CMacroControlUI* panel = nullptr;
};

TEST_F(MacroPanelTest, LoadsTheListAndShowsEachEventTypeWithItsStyles) {
    WriteMacros({"Reload", "Burst"},
                {Ev(true, 0x04, 10, 50), Ev(false, 0x02, 9, 70000), Ev(true, 0x01, 1, 30),
                 Ev(true, 20, 4, 0), Ev(false, 7, 2, 5)});
    EXPECT_TRUE(panel->LoadMacroList());
    EXPECT_EQ(panel->GetMacroNames(), (std::vector<std::string>{"Reload", "Burst"}));
    EXPECT_EQ(Names()->GetCount(), 2);
    EXPECT_EQ(Names()->GetItemAt(1)->GetToolTip(), "Burst");
    EXPECT_EQ(Names()->GetItemAt(1)->GetUserData(), "2024_03_05_14_07_09_041");
    EXPECT_EQ(Names()->GetItemAt(1)->GetFixedHeight(), 30);
    EXPECT_EQ(panel->SelectedMacroIndex(), -1);
    EXPECT_FALSE(MacroControlsEnabled());

    panel->SelectMacroItem(0);
    EXPECT_TRUE(MacroControlsEnabled());
    EXPECT_EQ(NameEdit(), "Reload");
    ASSERT_EQ(panel->RowCount(), 5);
    EXPECT_EQ(Actions()->GetItemAt(0)->GetName(), "macro_action");
    EXPECT_EQ(Actions()->GetItemAt(0)->GetFixedHeight(), 30);
    // Keyboard rows: the key's name in the keyboard style; press and release by style.
    auto* keyboardStyleName = RowLabel(0, 0);
    EXPECT_EQ(keyboardStyleName->GetText(), "A");
    EXPECT_EQ(RowLabel(0, 1)->GetText(), "Press");
    EXPECT_EQ(RowLabel(1, 1)->GetText(), "Release");
    EXPECT_NE(RowLabel(0, 1)->GetTextColor(), RowLabel(1, 1)->GetTextColor());
    // Mouse rows in the mouse style; a move shows its distance; types 2 and 3 no name.
    EXPECT_EQ(RowLabel(2, 0)->GetText(), "Left button");
    EXPECT_NE(RowLabel(2, 0)->GetTextColor(), keyboardStyleName->GetTextColor());
    EXPECT_EQ(RowLabel(3, 0)->GetText(), "Move left");
    EXPECT_EQ(RowLabel(3, 1)->GetText(), "20");
    EXPECT_EQ(RowLabel(4, 0)->GetText(), "");
    EXPECT_EQ(RowLabel(4, 0)->GetTextColor(), RowLabel(2, 0)->GetTextColor());
    EXPECT_EQ(RowLabel(4, 1)->GetText(), "");
    // The delay edits: stored delays, the largest shown as 65535; their look and limits.
    ui::CEditUI* delay = panel->RowDelayEdit(1);
    ASSERT_NE(delay, nullptr);
    EXPECT_EQ(delay->GetName(), "macro_delay");
    EXPECT_EQ(delay->GetText(), "65535");
    EXPECT_EQ(panel->RowDelayEdit(0)->GetText(), "50");
    EXPECT_EQ(delay->GetBkColor(), 0xFF444444u);
    EXPECT_EQ(delay->GetFixedHeight(), 25);
    EXPECT_EQ(delay->GetMaxChar(), 6u);

    // The scroll timer runs once.
    EXPECT_TRUE(window->GetPaintManager()->HasTimer(panel, CMacroControlUI::kScrollTimerId));
    backend.AdvanceTime(60);
    EXPECT_FALSE(window->GetPaintManager()->HasTimer(panel, CMacroControlUI::kScrollTimerId));

    // A macro without a file shows no rows; no selection shows a blank name.
    panel->SelectMacroItem(1);
    EXPECT_EQ(panel->RowCount(), 0);
    EXPECT_EQ(NameEdit(), "Burst");
    panel->SelectMacroItem(-1);
    EXPECT_EQ(NameEdit(), " ");
}

TEST_F(MacroPanelTest, AddRenameAndDeleteKeepListFileAndItemsTogether) {
    WriteMacros({"macro_1", "Macro_2"}, {Ev(true, 0x04, 10, 50)});
    panel->LoadMacroList();
    EXPECT_EQ(panel->AddMacro(), "macro_3");
    EXPECT_EQ(panel->SelectedMacroIndex(), 2);
    EXPECT_EQ(NameEdit(), "macro_3");
    EXPECT_EQ(profile::LoadJsonFile(folder + "macro.config")["MacroInfo"].size(), 3u);

    // Refusals leave the current name in the edit.
    auto* edit = Get<ui::CEditUI>(CMacroControlUI::kNameEditName);
    edit->SetText("MACRO_1", false);
    EXPECT_EQ(panel->RenameMacro(), MacroList::RenameResult::kTaken);
    EXPECT_EQ(NameEdit(), "macro_3");
    edit->SetText(" x", false);
    EXPECT_EQ(panel->RenameMacro(), MacroList::RenameResult::kLeadingSpace);
    edit->SetText("macro_3", false);
    EXPECT_EQ(panel->RenameMacro(), MacroList::RenameResult::kTaken);
    edit->SetText("Spray", false);
    EXPECT_EQ(panel->RenameMacro(), MacroList::RenameResult::kRenamed);
    EXPECT_EQ(Names()->GetItemAt(2)->GetText(), "Spray");
    EXPECT_EQ(Names()->GetItemAt(2)->GetToolTip(), "Spray");
    EXPECT_EQ(panel->GetMacroNames().back(), "Spray");
    EXPECT_EQ(profile::LoadJsonFile(folder + "macro.config")["MacroInfo"][2]["MacroName"], "Spray");

    // Deleting the first: its file, its entry and its item go; item 0 is shown.
    panel->SelectMacroItem(0);
    EXPECT_EQ(panel->DeleteMacro(), 0);
    EXPECT_FALSE(fs::exists(folder + "2024_03_05_14_07_09_040.mac"));
    const Json::Value info = profile::LoadJsonFile(folder + "macro.config")["MacroInfo"];
    ASSERT_EQ(info.size(), 2u);
    EXPECT_EQ(info[0]["MacroName"], "Macro_2");
    EXPECT_EQ(Names()->GetCount(), 2);
    EXPECT_EQ(panel->SelectedMacroIndex(), 0);
    EXPECT_EQ(NameEdit(), "Macro_2");
    EXPECT_TRUE(MacroControlsEnabled());
    EXPECT_EQ(panel->DeleteMacro(), 0);
    EXPECT_EQ(panel->DeleteMacro(), 0);
    EXPECT_EQ(panel->DeleteMacro(), -1);
    EXPECT_FALSE(MacroControlsEnabled());
    EXPECT_EQ(NameEdit(), " ");
    EXPECT_EQ(panel->SelectedMacroIndex(), -1);
}

TEST_F(MacroPanelTest, DeleteThatCannotWriteTheListChangesNothing) {
    WriteMacros({"Reload", "Burst"}, {Ev(true, 0x04, 10, 50)});
    panel->LoadMacroList();
    panel->SelectMacroItem(0);
    // The list file's place taken by a folder: it cannot be replaced.
    fs::remove(folder + "macro.config");
    fs::create_directories(folder + "macro.config/x");
    EXPECT_EQ(panel->DeleteMacro(), -1);
    EXPECT_EQ(Names()->GetCount(), 2);
    EXPECT_EQ(panel->RowCount(), 1);
    EXPECT_TRUE(fs::exists(folder + "2024_03_05_14_07_09_040.mac"));
}

TEST_F(MacroPanelTest, SaveStoresEmptyDelaysAsZeroAndTrimsAfterSixtyRows) {
    WriteMacros({"Reload"}, {Ev(true, 0x04, 10, 50), Ev(false, 0x04, 10, 50)});
    panel->LoadMacroList();
    EXPECT_EQ(panel->SaveMacro().code, -1);  // nothing selected
    panel->SelectMacroItem(0);
    panel->RowDelayEdit(0)->SetText("", false);
    panel->RowDelayEdit(1)->SetText("0120", false);
    CMacroControlUI::SaveResult saved = panel->SaveMacro();
    EXPECT_EQ(saved.code, 0);
    EXPECT_EQ(saved.messageKey, nullptr);
    EXPECT_EQ(panel->RowDelayEdit(0)->GetText(), "0");
    Json::Value events = SavedEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["Delay"], "0");
    EXPECT_EQ(events[1]["Delay"], "120");
    // The rows keep what was saved.
    EXPECT_EQ(panel->RowEvent(1)["Delay"], "120");
    const Json::Value file = profile::LoadJsonFile(folder + "2024_03_05_14_07_09_040.mac");
    EXPECT_EQ(file["MacroName"], "Reload");
    EXPECT_EQ(file["Version"], 64);

    // A full list gets an empty row; saving trims it away and says so.
    while (panel->RowCount() < 60)
        ASSERT_TRUE(panel->InsertMouseAction(0x201, 0));
    ASSERT_TRUE(panel->InsertMouseAction(0x202, 0));
    ASSERT_EQ(panel->RowCount(), 61);
    EXPECT_TRUE(panel->RowEvent(60).isNull());
    EXPECT_EQ(panel->RowDelayEdit(60), nullptr);
    saved = panel->SaveMacro();
    EXPECT_EQ(saved.code, 0);
    EXPECT_STREQ(saved.messageKey, "message_text_26_1");
    EXPECT_EQ(panel->RowCount(), 60);
    EXPECT_EQ(SavedEvents().size(), 60u);
}

TEST_F(MacroPanelTest, MovesRebuildTheRowFromItsEventAndDeleteEditsTheList) {
    WriteMacros({"Reload"}, {Ev(true, 1, 1, 11), Ev(true, 2, 1, 22), Ev(true, 4, 1, 33)});
    panel->LoadMacroList();
    panel->SelectMacroItem(0);
    EXPECT_FALSE(panel->MoveActionUp());  // nothing selected
    panel->SelectRow(2);
    panel->RowDelayEdit(2)->SetText("999", false);  // typed, not saved: the move shows "33"
    EXPECT_TRUE(panel->MoveActionTop());
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1:4:down", "1:1:down", "1:2:down"}));
    EXPECT_EQ(panel->SelectedRow(), 0);
    EXPECT_EQ(panel->RowDelayEdit(0)->GetText(), "33");
    EXPECT_EQ(RowLabel(0, 0)->GetText(), "Middle button");
    EXPECT_FALSE(panel->MoveActionUp());
    EXPECT_TRUE(panel->MoveActionDown());
    EXPECT_EQ(panel->SelectedRow(), 1);
    EXPECT_TRUE(panel->MoveActionBottom());
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1:1:down", "1:2:down", "1:4:down"}));
    EXPECT_FALSE(panel->MoveActionDown());
    EXPECT_FALSE(panel->MoveActionBottom());
    EXPECT_TRUE(panel->MoveActionUp());
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1:1:down", "1:4:down", "1:2:down"}));

    EXPECT_TRUE(panel->DeleteAction());
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1:1:down", "1:2:down"}));
    panel->DeleteAllActions();
    EXPECT_EQ(panel->RowCount(), 0);
    EXPECT_EQ(panel->SelectedRow(), -1);
    EXPECT_FALSE(panel->DeleteAction());
}

TEST_F(MacroPanelTest, InsertsMouseActionsAfterTheSelectionWithTheFixedDelay) {
    WriteMacros({"Reload"}, {});
    panel->LoadMacroList();
    panel->SelectMacroItem(0);
    panel->SetFixedDelay(40);
    EXPECT_TRUE(panel->InsertMouseAction(0x204, 0));  // empty list: at 0
    panel->SelectRow(-1);
    EXPECT_TRUE(panel->InsertMouseAction(0x205, 0));  // nothing selected: after the first
    panel->SelectRow(0);
    EXPECT_TRUE(panel->InsertMouseAction(0x20B, CMacroControlUI::kBackButton));
    EXPECT_EQ(panel->SelectedRow(), 1);
    EXPECT_TRUE(panel->InsertMouseAction(0x20C, CMacroControlUI::kForwardButton));
    Get<ui::CEditUI>(CMacroControlUI::kLeftDistanceEditName)->SetText("300", false);
    Get<ui::CEditUI>(CMacroControlUI::kDownDistanceEditName)->SetText("12", false);
    EXPECT_TRUE(
        panel->InsertMouseAction(CMacroControlUI::kMoveMessage, CMacroControlUI::kMoveLeft));
    EXPECT_TRUE(
        panel->InsertMouseAction(CMacroControlUI::kMoveMessage, CMacroControlUI::kMoveDown));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1:2:down", "1:8:down", "1:16:up", "4:44:down",
                                                "5:12:up", "1:2:up"}));
    EXPECT_EQ(panel->SelectedRow(), 4);
    EXPECT_EQ(panel->RowEvent(3)["Delay"], "40");
    EXPECT_EQ(panel->RowDelayEdit(3)->GetText(), "40");
    EXPECT_EQ(RowLabel(4, 0)->GetText(), "Move down");
    EXPECT_TRUE(window->GetPaintManager()->HasTimer(panel, CMacroControlUI::kScrollTimerId));
    // Messages the table lacks, and X buttons of no known number.
    EXPECT_FALSE(panel->InsertMouseAction(0x20A, 0));
    EXPECT_FALSE(panel->InsertMouseAction(0x20B, 2));
    EXPECT_FALSE(panel->InsertMouseAction(CMacroControlUI::kMoveMessage, 4));
    EXPECT_EQ(panel->RowCount(), 6);
}

TEST_F(MacroPanelTest, EventListOperationsTheRecorderUses) {
    WriteMacros({"Reload"}, {});
    panel->LoadMacroList();
    panel->SelectMacroItem(0);
    panels::macros::IMacroEventList& list = *panel;
    list.InsertEventRow(0, Ev(true, 0x04, 10, 0), "10");
    list.InsertEventRow(0, Ev(true, 0x01, 1, 0), "10");
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.SelectedRow(), -1);
    list.SelectRow(1);
    EXPECT_EQ(list.SelectedRow(), 1);
    list.SetRowDelay(0, 250);
    EXPECT_EQ(list.RowEvent(0)["Delay"], "250");
    EXPECT_EQ(panel->RowDelayEdit(0)->GetText(), "250");
    // A new event for a row: labels and style follow, the delay edit stays.
    list.SetRowEvent(1, Ev(false, 0x02, 1, 0));
    EXPECT_EQ(RowLabel(1, 0)->GetText(), "Right button");
    EXPECT_EQ(RowLabel(1, 1)->GetText(), "Release");
    EXPECT_EQ(RowLabel(1, 0)->GetTextColor(), RowLabel(0, 0)->GetTextColor());
    EXPECT_EQ(panel->RowDelayEdit(1)->GetText(), "10");
    list.SetRowEvent(1, Ev(true, 33, 5, 0));
    EXPECT_EQ(RowLabel(1, 1)->GetText(), "33");
    list.AppendEmptyRow();
    EXPECT_EQ(list.RowCount(), 3);
    EXPECT_TRUE(list.RowEvent(2).isNull());
    EXPECT_TRUE(list.RowEvent(7).isNull());
    list.SetRowDelay(2, 5);  // an empty row has no event to change
    EXPECT_TRUE(list.RowEvent(2).isNull());
    // The stop button is where the window puts it on the screen.
    panel->EnterRecordingState();
    window->GetPaintManager()->UpdateLayout();
    const std::optional<ui::Rect> stop = list.StopButtonScreenRect();
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(*stop, Get(CMacroControlUI::kStopButtonName)->GetPos());
    EXPECT_FALSE(stop->IsEmpty());
}

TEST_F(MacroPanelTest, RecordingStateAndFixedDelayControls) {
    WriteMacros({"Reload"}, {});
    panel->LoadMacroList();
    EXPECT_FALSE(Get(CMacroControlUI::kStopButtonName)->IsVisible());
    EXPECT_EQ(panel->FixedTimeText(), "50");
    EXPECT_FALSE(panel->IsFixedTimeChecked());
    Get<ui::COptionUI>(CMacroControlUI::kFixedTimeCheckName)->Selected(true, false);
    EXPECT_TRUE(panel->IsFixedTimeChecked());
    panel->SetFixedTimeText("65535");
    EXPECT_EQ(panel->FixedTimeText(), "65535");

    panel->EnterRecordingState();
    EXPECT_TRUE(panel->IsRecordingState());
    for (const char* name :
         {CMacroControlUI::kNameTabName, CMacroControlUI::kActionListName,
          CMacroControlUI::kActionTabEditName, CMacroControlUI::kDelayTabEditName})
        EXPECT_FALSE(Get(name)->IsEnabled()) << name;
    EXPECT_FALSE(Get(CMacroControlUI::kStartButtonName)->IsVisible());
    EXPECT_TRUE(Get(CMacroControlUI::kStopButtonName)->IsVisible());
    panel->LeaveRecordingState();
    for (const char* name :
         {CMacroControlUI::kNameTabName, CMacroControlUI::kActionListName,
          CMacroControlUI::kActionTabEditName, CMacroControlUI::kDelayTabEditName})
        EXPECT_TRUE(Get(name)->IsEnabled()) << name;
    EXPECT_TRUE(Get(CMacroControlUI::kStartButtonName)->IsVisible());
    EXPECT_FALSE(Get(CMacroControlUI::kStopButtonName)->IsVisible());
}

TEST_F(MacroPanelTest, ImportAndExportGoThroughTheList) {
    WriteMacros({"Reload"}, {Ev(true, 0x04, 10, 50)});
    panel->LoadMacroList();
    EXPECT_EQ(panel->ExportMacro(folder + "out.mac"), MacroList::ExportResult::kNoMacro);
    panel->SelectMacroItem(0);
    const fs::path outside = fs::path(folder) / "outside";
    fs::create_directories(outside);
    EXPECT_EQ(panel->ExportMacro((outside / "combo.mac").string()),
              MacroList::ExportResult::kExported);
    MacroList::ImportResult result{};
    EXPECT_EQ(panel->ImportMacro((outside / "combo.mac").string(), &result), "combo");
    EXPECT_EQ(result, MacroList::ImportResult::kImported);
    EXPECT_EQ(panel->ImportMacro((outside / "combo.mac").string()), "combo_1");
    EXPECT_EQ(panel->SelectedMacroIndex(), 2);
    EXPECT_EQ(NameEdit(), "combo_1");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"10:4:down"}));
    EXPECT_EQ(panel->GetLastImportPath(), (outside / "combo.mac").string());
    std::ofstream(outside / "abcdefghijk.mac") << "{}";
    EXPECT_EQ(panel->ImportMacro((outside / "abcdefghijk.mac").string(), &result), "");
    EXPECT_EQ(result, MacroList::ImportResult::kNameTooLong);
    EXPECT_EQ(Names()->GetCount(), 3);
}

// The row menu names its 22 commands in order, and both languages name each of them and the
// panel's own texts.
TEST(MacroSkinFiles, RowMenuCommandsAndTextsInBothLanguages) {
    const std::string skin = std::string(T418_RESOURCES_DIR) + "/skin/";
    std::ifstream in(skin + "XML/Menus/macro_action_menu.xml");
    std::stringstream menu;
    menu << in.rdbuf();
    const std::string body = menu.str();
    std::vector<std::string> names;
    std::vector<std::string> keys;
    const std::regex item(R"rx(<MenuElement name="([^"]+)" text="([^"]+)")rx");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), item);
         it != std::sregex_iterator(); ++it) {
        names.push_back((*it)[1]);
        keys.push_back((*it)[2]);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"left_down",
                                               "left_up",
                                               "middle_down",
                                               "middle_up",
                                               "right_down",
                                               "right_up",
                                               "forward_down",
                                               "forward_up",
                                               "back_down",
                                               "back_up",
                                               "left_click",
                                               "middle_click",
                                               "right_click",
                                               "forward_click",
                                               "back_click",
                                               "redio_previous_record_time",
                                               "redio_previous_constant_time",
                                               "redio_previous_ignore_time",
                                               "redio_later_record_time",
                                               "redio_later_constant_time",
                                               "redio_later_ignore_time",
                                               "macro_action_edit"}));
    for (const char* key : {"mouse_move_to_left_text", "mouse_move_to_right_text",
                            "mouse_move_to_up_text", "mouse_move_to_down_text", "mouse_cursor_text",
                            "macro_action_down_text", "macro_action_up_text"})
        keys.push_back(key);
    for (const char* language : {"lan_en.xml", "lan_cn.xml"}) {
        std::ifstream file(skin + language);
        std::stringstream text;
        text << file.rdbuf();
        for (const std::string& key : keys)
            EXPECT_NE(text.str().find("id=\"" + key + "\""), std::string::npos)
                << language << ": " << key;
    }
}

}  // namespace
