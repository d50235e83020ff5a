// The main window's routing and message tables.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/MainWndMessages.h"
#include "app/MainWndRoutes.h"
#include "ui/core/UIDefs.h"

namespace app {
namespace {

std::optional<Route> ClickRoute(std::string_view name) {
    auto hit = FindRoute(ClickRoutes(), name);
    return hit ? std::optional<Route>(hit->route) : std::nullopt;
}

TEST(MainWndRoutes, NamesMatchWithoutCaseExceptTheExactOnes) {
    EXPECT_EQ(ClickRoute("CloseBtn"), Route::CloseButton);
    EXPECT_EQ(ClickRoute("CONTROL_LIGHT_STATUS"), Route::LightControlToggle);
    EXPECT_EQ(ClickRoute("Device_Select_Next"), Route::DeviceSelectNext);
    // The names the skins tell apart by case match only as written.
    EXPECT_EQ(ClickRoute("profile_fun_spread_btn"), Route::ProfileMenuToggle);
    EXPECT_FALSE(ClickRoute("Profile_fun_spread_btn"));
    EXPECT_EQ(ClickRoute("macro_inset_moveleftkey_btn"), Route::MacroPanel);
    EXPECT_FALSE(ClickRoute("MACRO_INSET_MOVELEFTKEY_BTN"));
    EXPECT_FALSE(ClickRoute("closebtn2"));
    EXPECT_FALSE(ClickRoute(""));
}

TEST(MainWndRoutes, PrefixesCarryTheirDecimalIndex) {
    auto hit = FindRoute(ClickRoutes(), "windowdeviceset_1");
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->route, Route::WindowDeviceSet);
    EXPECT_EQ(hit->index, 1);
    hit = FindRoute(ClickRoutes(), "Key_10");
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->route, Route::KeyPanel);
    EXPECT_EQ(hit->index, 10);
    hit = FindRoute(ClickRoutes(), "DPI_color_option_4");
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->route, Route::Performance);
    EXPECT_EQ(hit->index, 4);
    hit = FindRoute(ClickRoutes(), "audiocolor_option_0");
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->route, Route::Lighting);
    // A prefix without an index, or with more than digits after it, is no prefix match:
    // "key_butt_keysave" reaches its own row, not the key buttons' prefix.
    EXPECT_FALSE(FindRoute(ClickRoutes(), "windowdeviceset_"));
    EXPECT_FALSE(FindRoute(ClickRoutes(), "windowdeviceset_1a"));
    hit = FindRoute(ClickRoutes(), "key_butt_keysave");
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->index, -1);
}

TEST(MainWndRoutes, OptionsCombosAndMenu) {
    auto option = [](std::string_view name) { return FindRoute(OptionRoutes(), name); };
    ASSERT_TRUE(option("device_select"));
    EXPECT_EQ(option("device_select")->route, Route::DeviceSelect);
    EXPECT_EQ(option("SYNCHRO_DEVICE_SELECT")->route, Route::DeviceSelect);
    EXPECT_EQ(option("DPI_select_check_3")->index, 3);
    EXPECT_EQ(option("bullet_op_2")->route, Route::ShootPanel);
    EXPECT_EQ(option("Virtual7.1_Op_tab")->route, Route::FunctionTab);
    EXPECT_FALSE(option("device_select_name"));

    EXPECT_EQ(FindRoute(ComboRoutes(), "device_profile_combo")->route, Route::ProfileCombo);
    EXPECT_EQ(FindRoute(ComboRoutes(), "KEYSET_GUNKEY_COMBO")->route, Route::KeyPanel);

    // "exit" only as written; the other items in any case.
    EXPECT_EQ(FindRoute(MenuRoutes(), "exit")->route, Route::MenuExit);
    EXPECT_FALSE(FindRoute(MenuRoutes(), "EXIT"));
    EXPECT_FALSE(FindRoute(MenuRoutes(), "Exit"));
    EXPECT_EQ(FindRoute(MenuRoutes(), "ABOUT_MENU")->route, Route::MenuAbout);
    EXPECT_EQ(FindRoute(MenuRoutes(), "SetWnd_Menu")->route, Route::MenuSettings);
}

TEST(MainWndRoutes, EveryLightingControlReachesTheLightHandlers) {
    auto routed = [](std::span<const RouteRow> table, std::string_view name) {
        auto hit = FindRoute(table, name);
        return hit && hit->route == Route::Lighting;
    };
    for (const char* name : {"light_combo_modeSelect", "light_combo_ZZCCmodeSelect",
                             "light_combo_custommodeSelect", "light_combo_audiomodeSelect"})
        EXPECT_TRUE(routed(ComboRoutes(), name)) << name;
    for (const char* name :
         {"deng_7color_check", "deng_FXL_check", "deng_FXR_check", "deng_7audiocolor_check",
          "audio_BkColor_check", "audio_FgColor_check"})
        EXPECT_TRUE(routed(OptionRoutes(), name)) << name;
    for (const char* name : {"color_option_0", "audiocolor_option_7", "Close_bkColor_btn",
                             "custom_bright_color_btn", "custom_off_color_btn"})
        EXPECT_TRUE(routed(ClickRoutes(), name)) << name;
    // The stage colours are the performance page's, though their name ends the same way.
    EXPECT_FALSE(routed(ClickRoutes(), "DPI_color_option_2"));
    EXPECT_EQ(FindRoute(NotifyTypeRoutes(), "colorchanged")->route, Route::ColorChanged);
    EXPECT_EQ(FindRoute(NotifyTypeRoutes(), "click_select_end")->route, Route::ClickSelectEnd);
}

TEST(MainWndRoutes, NotificationTypes) {
    auto type = [](std::string_view name) { return FindRoute(NotifyTypeRoutes(), name); };
    EXPECT_EQ(type("click_wpremove")->route, Route::Swallowed);
    EXPECT_EQ(type("click_wpedit")->route, Route::Swallowed);
    EXPECT_EQ(type("windowinit")->route, Route::WindowInit);
    EXPECT_EQ(type("textchanged")->route, Route::Quiet);
    // Types compare exactly: a type in capitals is no known type (the base class gets it).
    EXPECT_FALSE(type("CLICK"));
    EXPECT_FALSE(type("timer"));
}

TEST(MainWndRoutes, EveryTableRowIsReachable) {
    // A row shadowed by an earlier one would never act.
    for (auto table : {ClickRoutes(), OptionRoutes(), ComboRoutes(), MenuRoutes()}) {
        for (size_t i = 0; i < table.size(); ++i) {
            std::string name(table[i].name);
            if (table[i].match == Match::Prefix)
                name += "7";
            auto hit = FindRoute(table, name);
            ASSERT_TRUE(hit) << name;
            EXPECT_EQ(hit->route, table[i].route) << name;
        }
    }
}

AppMessages SomeMessages() {
    AppMessages m;
    m.productTitle = 0xC001;
    m.settingsForward = 0xC002;
    m.lightAnnounce = 0xC003;
    m.lightCommand = 0xC004;
    m.workToolQuery = 0xC005;
    m.audioCommand = 0xC006;
    for (size_t i = 0; i < m.hook.size(); ++i)
        m.hook[i] = static_cast<uint32_t>(0xC010 + i);
    for (size_t i = 0; i < m.game.size(); ++i)
        m.game[i] = static_cast<uint32_t>(0xC030 + i);
    return m;
}

TEST(MainWndMessageTable, AwakeFlagGatesUiWorkButNotDeviceBookkeeping) {
    auto table = BuildMessageTable(SomeMessages());
    auto gated = [&](uint32_t message) {
        auto row = FindMessageRow(table, message);
        EXPECT_TRUE(row) << message;
        return row && row->gated;
    };
    // Above the power row: never gated.
    EXPECT_FALSE(gated(ui::WM_ACTIVATE));
    EXPECT_FALSE(gated(0xC001));
    EXPECT_FALSE(gated(0xC004));
    EXPECT_FALSE(gated(ui::WM_DESTROY));
    EXPECT_FALSE(gated(ui::WM_POWERBROADCAST));
    // Below it: gated, timers and the tray included...
    EXPECT_TRUE(gated(ui::WM_TIMER));
    EXPECT_TRUE(gated(ui::UIMSG_TRAYICON));
    EXPECT_TRUE(gated(kMsgLanguage));
    EXPECT_TRUE(gated(0xC010));
    EXPECT_TRUE(gated(0xC033));
    EXPECT_TRUE(gated(ui::WM_COPYDATA));
    // ...but arrival, removal, link state and device ready are always counted.
    EXPECT_FALSE(gated(3090));
    EXPECT_FALSE(gated(3091));
    EXPECT_FALSE(gated(3331));
    EXPECT_FALSE(gated(3333));
}

TEST(MainWndMessageTable, RegisteredRowsAndIgnoredHooks) {
    AppMessages m = SomeMessages();
    auto table = BuildMessageTable(m);
    EXPECT_EQ(FindMessageRow(table, 0xC001)->handler, MsgHandler::ProductTitle);
    EXPECT_EQ(FindMessageRow(table, 0xC005)->handler, MsgHandler::WorkToolQuery);
    // The announcement we send and the audio command are not ours to handle.
    EXPECT_FALSE(FindMessageRow(table, 0xC003));
    EXPECT_FALSE(FindMessageRow(table, 0xC006));
    EXPECT_EQ(FindMessageRow(table, 0xC011)->handler, MsgHandler::HookIgnored);  // HITKEY
    EXPECT_EQ(FindMessageRow(table, 0xC013)->handler, MsgHandler::Hook);         // MSMACRO
    EXPECT_EQ(FindMessageRow(table, 0xC013)->index, 3);
    EXPECT_EQ(FindMessageRow(table, 0xC01A)->handler, MsgHandler::HookIgnored);  // MOU_MSMACRO
    EXPECT_EQ(FindMessageRow(table, 0xC032)->index, 2);
    EXPECT_EQ(FindMessageRow(table, 1145)->handler, MsgHandler::MenuCommand);
    // A registration that failed leaves no row behind (0 would catch WM_NULL).
    m.workToolQuery = 0;
    table = BuildMessageTable(m);
    EXPECT_FALSE(FindMessageRow(table, 0));
    std::set<uint32_t> seen;
    for (const MessageRow& row : table)
        EXPECT_TRUE(seen.insert(row.message).second) << row.message;
}

}  // namespace
}  // namespace app
