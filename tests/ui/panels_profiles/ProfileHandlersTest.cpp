// The main window's profile handlers against the panel, a scripted host and a device that
// records what it is asked to do.
#include "panels/profiles/FollowSetting.h"
#include "panels/profiles/ProfileHandlers.h"
#include "panels/profiles/ProgramLinkHandlers.h"
#include "panels/profiles/ProgramRules.h"
#include "platform/Trace.h"
#include "tests/ui/panels_profiles/ProfilePanelSupport.h"
#include "tests/unit/platform/TestFolders.h"

namespace {

using profiles_ui::PanelTest;

class Handlers : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        Bind();
    }
    // What the profile-select steps ask of the device, in order.
    static std::vector<std::string> SelectCalls(const std::string& macros = "WriteMacros(0)") {
        return {"LoadProfile",
                "ValidateMacroReferences",
                "RefreshPanel",
                "WriteSettings(0,0,1,0,0)",
                "GetUsedMacroIndices",
                macros,
                "WriteCurrentKeyAssignments(0)"};
    }
    std::string IdAt(int index) { return panel->List()->Entries()[index].id; }
    std::vector<std::string> LinksOf(const std::string& id) {
        panels::ProgramRules rules(UserFolder());
        rules.Load();
        return rules.PatternsOf(id);
    }
    std::string Outside(const std::string& name) { return (root / name).string(); }

    profiles_ui::ScriptedHost host;
    panels::ProfileHandlers handlers{host};
};

TEST_F(Handlers, AddConfirmsThenLoadsTheNewProfileIntoTheDevice) {
    host.confirmAnswers = {false};
    handlers.Add(&device());
    EXPECT_EQ(ComboTexts().size(), 1u) << "declined";
    EXPECT_TRUE(device().calls.empty());

    handlers.Add(&device());
    EXPECT_EQ(host.confirmed, (std::vector<std::string>{"message_text_28", "message_text_28"}));
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"Profile1", "profile2"}));
    EXPECT_EQ(panel->GetCurrentIndex(), 1);
    EXPECT_EQ(device().GetProfileBaseName(), IdAt(1));
    EXPECT_EQ(device().loadedBaseName, IdAt(1)) << "the device works on the new profile";
    EXPECT_EQ(device().calls, SelectCalls());

    while (ComboTexts().size() < 50)
        handlers.Add(&device());
    EXPECT_TRUE(host.shownKeys.empty()) << "the 50th is fine";
    device().calls.clear();
    handlers.Add(&device());
    EXPECT_EQ(host.shownKeys, (std::vector<std::string>{"message_text_32"}));
    EXPECT_EQ(ComboTexts().size(), 50u);
    EXPECT_TRUE(device().calls.empty());
    handlers.Copy(&device());
    EXPECT_EQ(host.shownKeys.back(), "message_text_32");
}

TEST_F(Handlers, DeleteLoadsTheNewSelectionSoTheDeletedFileStaysGone) {
    handlers.Add(&device());
    handlers.Add(&device());  // Profile1 profile2 profile3, the third selected
    const std::string third = IdAt(2);
    device().calls.clear();
    handlers.Delete(&device());
    EXPECT_EQ(host.confirmed.back(), "message_text_30");
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"Profile1", "profile2"}));
    EXPECT_EQ(panel->GetCurrentIndex(), 1);
    EXPECT_EQ(device().loadedBaseName, IdAt(1));
    EXPECT_EQ(device().calls, SelectCalls());
    EXPECT_FALSE(std::filesystem::exists(UserFolder() + third + ".Json"));

    panel->SelectProfile(0, false);
    handlers.Delete(&device());
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"profile2"}));
    EXPECT_EQ(device().GetProfileBaseName(), IdAt(0));
    device().calls.clear();
    handlers.Delete(&device());
    EXPECT_EQ(ComboTexts().size(), 1u) << "the last profile stays";
    EXPECT_TRUE(device().calls.empty());
}

TEST_F(Handlers, RenameTellsWhatIsWrongWithTheName) {
    handlers.Add(&device());
    struct Case {
        const char* typed;
        const char* key;  // nullptr: renamed
    };
    const Case cases[] = {
        {"", "message_text_5_1"},       {"a/b", "message_text_35"},
        {"my game", "message_text_35"}, {"配置文件五六", "message_text_34"},  // 18 bytes
        {"PROFILE1", "message_text_5"}, {"\u3000\u3000", "message_text_25"},  // ideographic spaces
        {"配置文件五", nullptr},                                              // 15 bytes
    };
    for (const Case& c : cases) {
        host.shownKeys.clear();
        panel->SetNameEditText(c.typed);
        handlers.Rename(&device());
        if (c.key == nullptr)
            EXPECT_TRUE(host.shownKeys.empty()) << c.typed;
        else
            EXPECT_EQ(host.shownKeys, (std::vector<std::string>{c.key})) << c.typed;
    }
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"Profile1", "配置文件五"}));
    EXPECT_EQ(Combo()->GetText(), "配置文件五");
    EXPECT_EQ(profile::LoadJsonFile(UserFolder() + IdAt(1) + ".Json")["profilename"].asString(),
              "配置文件五");
}

TEST_F(Handlers, ImportAndExportGoThroughTheFileDialogs) {
    const std::string before = ComboTexts()[0];
    handlers.Import(&device());  // cancelled
    EXPECT_EQ(ComboTexts().size(), 1u);
    EXPECT_EQ(host.dialogFilters, (std::vector<std::string>{"Profile Files(*.json)"}));
    EXPECT_EQ(host.dialogTitles[0], "Import a profile");

    const std::string game = Outside("Game.json");
    profile::WriteJsonFile(game, Json::Value(Json::objectValue));
    Json::Value doc(Json::objectValue);
    doc["profilename"] = "Game";
    doc["profileUUID"] = "anything";
    profile::WriteJsonFile(game, doc);
    const std::string longName = Outside("a-title-of-17-chr.json");
    profile::WriteJsonFile(longName, doc);
    const std::string hostile = Outside("hostile.json");
    profile::WriteJsonFile(hostile, Json::Value(Json::arrayValue));
    Json::Value numbered = doc;
    numbered["profilename"] = 12;
    const std::string number = Outside("number.json");
    profile::WriteJsonFile(number, numbered);

    host.fileAnswers = {game, game, longName, hostile, number};
    platform::TraceCapture trace;
    for (int i = 0; i < 5; ++i)
        handlers.Import(&device());
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{before, "Game", "Game(1)"}));
    EXPECT_EQ(host.shownKeys, (std::vector<std::string>{"message_text_34"}));
    EXPECT_TRUE(trace.Contains("not a profile file"));
    EXPECT_EQ(panel->GetCurrentIndex(), 0) << "the selection stays";
    EXPECT_TRUE(device().calls.empty());

    panel->SelectProfile(2, false);
    const std::string out = Outside("exported.json");
    host.fileAnswers = {"", out};
    handlers.Export(&device());
    EXPECT_FALSE(std::filesystem::exists(out));
    handlers.Export(&device());
    EXPECT_EQ(host.suggestedNames.back(), "Game(1).json");
    EXPECT_EQ(profile::LoadJsonFile(out)["profilename"].asString(), "Game(1)");
}

TEST_F(Handlers, SelectLoadsTheChosenProfileAndIgnoresNoChoice) {
    handlers.Add(&device());
    handlers.Add(&device());
    Choose(0);
    device().calls.clear();
    handlers.Select(&device());
    EXPECT_EQ(device().loadedBaseName, IdAt(0));
    EXPECT_EQ(device().calls, SelectCalls());
    EXPECT_EQ(profile::LoadJsonFile(UserFolder() + "ProfileList.ini")["profileselect"].asInt(), 0);

    Combo()->SelectItem(-1, false, false);
    device().calls.clear();
    const std::string list =
        profile::StyledJsonText(profile::LoadJsonFile(UserFolder() + "ProfileList.ini"));
    handlers.Select(&device());
    EXPECT_TRUE(device().calls.empty());
    EXPECT_EQ(device().GetProfileBaseName(), IdAt(0));
    EXPECT_EQ(profile::StyledJsonText(profile::LoadJsonFile(UserFolder() + "ProfileList.ini")),
              list);

    handlers.Select(nullptr);  // no device: nothing
    handlers.Add(nullptr);
    EXPECT_TRUE(host.shownKeys.empty());
}

TEST_F(Handlers, MacroRefusalsAreToldWithTheirOwnNumbers) {
    // Two macros in use: the first of 75 events, the second of 10.
    Json::Value config(Json::objectValue);
    for (int m = 0; m < 2; ++m) {
        const std::string guid = "macro" + std::to_string(m);
        config["MacroInfo"][m]["Guid"] = guid;
        Json::Value macro(Json::objectValue);
        for (int e = 0; e < (m == 0 ? 75 : 10); ++e)
            macro["Events"][e]["Delay"] = 10;
        profile::WriteJsonFile(UserFolder() + guid + ".mac", macro);
    }
    profile::WriteJsonFile(UserFolder() + "macro.config", config);
    device().usedMacros = {0, 1};

    device().macroResult = 75;
    handlers.Select(&device());
    device().macroResult = 3;
    handlers.Select(&device());
    device().macroResult = -1;
    handlers.Select(&device());
    EXPECT_EQ(host.shownTexts,
              (std::vector<std::string>{"The macro holds 15 events too many for the device.",
                                        "The macros do not fit in the device: 3 too many. Shorten "
                                        "them and apply again."}));
    EXPECT_EQ(host.shownKeys, (std::vector<std::string>{"message_text_7"}));
    EXPECT_EQ(device().calls.back(), "WriteCurrentKeyAssignments(0)") << "keys go anyway";
}

TEST_F(Handlers, ResetsAndTheMenu) {
    host.confirmAnswers = {false};
    handlers.ResetDevice(&device());
    EXPECT_TRUE(device().calls.empty());
    handlers.ResetDevice(&device());
    EXPECT_EQ(host.confirmed.back(), "message_text_22");
    EXPECT_EQ(device().calls,
              (std::vector<std::string>{"ResetToDefaultData", "WriteCurrentKeyAssignments(0)",
                                        "WriteSettings(0,0,1,0,0)"}));

    const std::string file = UserFolder() + IdAt(0) + ".Json";
    Json::Value changed = profile::LoadJsonFile(file);
    changed["Device"][0]["DPIStages"]["StageActive"] = 6;
    profile::WriteJsonFile(file, changed);
    device().calls.clear();
    handlers.ResetProfile(&device());
    EXPECT_EQ(profile::LoadJsonFile(file)["Device"][0]["DPIStages"]["StageActive"].asInt(), 1);
    EXPECT_EQ(profile::LoadJsonFile(file)["profilename"].asString(), "Profile1");
    EXPECT_EQ(device().calls,
              (std::vector<std::string>{"LoadProfile", "RefreshPanel", "WriteSettings(0,0,1,0,0)",
                                        "GetUsedMacroIndices", "WriteMacros(0)",
                                        "WriteCurrentKeyAssignments(0)"}));

    handlers.ToggleMenu(&device());
    EXPECT_TRUE(panel->IsMenuVisible());
    handlers.ToggleMenu(&device());
    EXPECT_FALSE(panel->IsMenuVisible());
}

TEST_F(Handlers, TheLinkStripLinksAndUnlinksProgramsOfTheShownProfile) {
    t418test::TempFolder config;
    t418test::ScopedEnv configHome("XDG_CONFIG_HOME", config.path());
    platform::ScriptedProcessWatcher watcher;
    watcher.Launch("zeta");
    watcher.Launch("cs2");
    watcher.Launch("cs2");
    int changes = 0;
    panels::ProgramLinkHandlers links(host, &watcher, [&] { ++changes; });
    handlers.Add(&device());  // the second profile is shown

    ASSERT_TRUE(links.OnClick(&device(), "device_link_btn"));
    EXPECT_TRUE(panel->IsLinkStripVisible());
    EXPECT_FALSE(Get<ui::CControlUI>("device_function_tabs")->IsVisible()) << "in their place";
    EXPECT_FALSE(panel->IsFollowChecked()) << "off until a first link";
    auto* picker = Get<ui::CComboUI>("device_link_pick_combo");
    ASSERT_EQ(picker->GetCount(), 2) << "each running program once, sorted";
    picker->SelectItem(0, false, false);
    ASSERT_TRUE(links.OnCombo(&device(), "device_link_pick_combo"));
    EXPECT_EQ(panel->GetLinkEditText(), "cs2");

    links.OnClick(&device(), "device_link_add_btn");
    panel->SetLinkEditText("  *steam_app_730*  ");
    links.OnClick(&device(), "device_link_add_btn");
    EXPECT_EQ(LinksOf(IdAt(1)), (std::vector<std::string>{"cs2", "*steam_app_730*"}));
    EXPECT_EQ(Get<ui::CComboUI>("device_link_combo")->GetCount(), 2);
    EXPECT_TRUE(panel->IsFollowChecked()) << "on with the first link";
    EXPECT_EQ(changes, 2);

    panel->SetLinkEditText(" ");
    links.OnClick(&device(), "device_link_add_btn");
    EXPECT_EQ(host.shownKeys, (std::vector<std::string>{"profile_link_bad"}));

    Get<ui::CComboUI>("device_link_combo")->SelectItem(0, false, false);
    links.OnClick(&device(), "device_link_sub_btn");
    EXPECT_EQ(LinksOf(IdAt(1)), std::vector<std::string>{"*steam_app_730*"});

    Get<ui::CCheckBoxUI>("device_link_follow_check")->SetCheck(false, false);
    ASSERT_TRUE(links.OnOption(&device(), "device_link_follow_check"));
    EXPECT_EQ(panels::StoredFollowChoice(), std::optional<bool>(false));
    EXPECT_FALSE(panel->IsFollowChecked()) << "off although a link exists";

    links.OnClick(&device(), "device_link_btn");
    EXPECT_FALSE(panel->IsLinkStripVisible());
    EXPECT_TRUE(Get<ui::CControlUI>("device_function_tabs")->IsVisible());
}

TEST_F(Handlers, DeletingALinkedProfileRemovesItsRulesAndARuleSwitchKeepsTheUsersChoice) {
    handlers.Add(&device());
    handlers.Add(&device());
    panels::ProgramRules(UserFolder()).Link(IdAt(1), "cs2");
    panels::ProgramRules(UserFolder()).Link(IdAt(2), "dota2");
    const std::string linked = IdAt(1);

    Choose(0);
    handlers.Select(&device());
    device().calls.clear();
    ASSERT_TRUE(handlers.SelectForRule(&device(), linked));
    EXPECT_EQ(panel->GetCurrentIndex(), 1);
    EXPECT_EQ(device().loadedBaseName, linked);
    EXPECT_EQ(device().calls, SelectCalls()) << "the same steps as a choice in the list";
    EXPECT_EQ(panel->List()->Selected(), 0) << "the user's choice stays stored";
    EXPECT_FALSE(handlers.SelectForRule(&device(), "no_such_profile"));

    handlers.Delete(&device());  // the shown (linked) profile
    EXPECT_TRUE(LinksOf(linked).empty());
    EXPECT_FALSE(LinksOf(IdAt(1)).empty()) << "the other profile keeps its rule";
}

}  // namespace
