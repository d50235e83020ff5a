// The skin holds every layout, control, image and text that the program finds by name.
#include <json/json.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "SkinTestSupport.h"
#include "ui/layout/HorizontalLayoutUI.h"
#include "ui/layout/VerticalLayoutUI.h"

namespace {

namespace fs = std::filesystem;

// Builds a layout with the program's own classes as plain containers of their base.
class PlainWindow : public ui::WindowImplBase {
  public:
    explicit PlainWindow(std::string skin) : skin_(std::move(skin)) {}
    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, "DeviceOption") || ui::EqualsNoCase(tag, "OrvaneMouseDevice"))
            return new ui::CHorizontalLayoutUI();
        if (ui::EqualsNoCase(tag, "MpDevicePower"))
            return new ui::CVerticalLayoutUI();
        return nullptr;
    }

  protected:
    std::string GetWindowClassName() const override { return "PlainWindow"; }
    std::string GetSkinFile() override { return skin_; }

  private:
    std::string skin_;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> LanguageKeys(const std::string& file) {
    std::set<std::string> keys;
    const std::string text = ReadAll(skintest::SkinDir() + file);
    std::regex id(R"rx(<Text id="([^"]+)")rx");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), id); it != std::sregex_iterator();
         ++it)
        keys.insert((*it)[1]);
    return keys;
}

class SkinFilesTest : public skintest::SkinTest {
  protected:
    // Builds skin in a window and checks every name is there.
    void ExpectControls(const std::string& skin, std::initializer_list<const char*> names) {
        PlainWindow window(skin);
        ASSERT_NE(window.Create(nullptr, "test", ui::WS_POPUP, 0), nullptr) << skin;
        for (const char* name : names)
            EXPECT_NE(window.FindControl(name), nullptr) << skin << ": " << name;
        ui::DestroyWindow(window.GetHWND());
    }
};

TEST_F(SkinFilesTest, MainLayoutHoldsTheSharedControlsAtTheirStartState) {
    PlainWindow main("XML_MAIN");
    ASSERT_NE(main.Create(nullptr, "T418-ZEN", ui::WS_POPUP, 0, 0, 0, 800, 572), nullptr);
    for (const char* name : {"root",
                             "closebtn",
                             "maxbtn",
                             "restorebtn",
                             "minbtn",
                             "skinbtn",
                             "gamemodebtn",
                             "cloudbtn",
                             "smarteyesbtn",
                             "setbtn",
                             "control_light_status",
                             "setting_progress",
                             "device_select_layout",
                             "device_select_prev",
                             "device_select_next",
                             "device_switch",
                             "device_power_switch",
                             "No_device_Link",
                             "nodevice_ok_btn",
                             "Error_device_Link",
                             "errordevice_ok_btn",
                             "errordevice_connect_btn"})
        EXPECT_NE(main.FindControl(name), nullptr) << name;
    for (const char* hidden : {"setting_progress", "No_device_Link", "Error_device_Link"})
        EXPECT_FALSE(main.FindControl(hidden)->IsVisible()) << hidden;
    auto* pages = dynamic_cast<ui::CContainerUI*>(main.FindControl("device_switch"));
    auto* power = dynamic_cast<ui::CContainerUI*>(main.FindControl("device_power_switch"));
    ASSERT_NE(pages, nullptr);
    ASSERT_NE(power, nullptr);
    EXPECT_EQ(pages->GetCount(), 1) << "the welcome page only";
    EXPECT_EQ(power->GetCount(), 1) << "the empty page only";
    EXPECT_NE(dynamic_cast<ui::CContainerUI*>(main.FindControl("device_select_layout")), nullptr);

    // At the size the program creates it with, the title bar and device bar still fit.
    main.ResizeClient(800, 572);
    main.GetPaintManager()->UpdateLayout();
    const ui::Rect close = main.FindControl("closebtn")->GetPos();
    const ui::Rect light = main.FindControl("control_light_status")->GetPos();
    EXPECT_LE(close.right, 800);
    EXPECT_GT(close.left, 600);
    EXPECT_LE(light.right, 800);
    EXPECT_GE(main.FindControl("device_select_layout")->GetPos().Width(), 164)
        << "room for one device at least";
    ui::DestroyWindow(main.GetHWND());
}

TEST_F(SkinFilesTest, ItemWindowAndMenuLayoutsHoldTheirControls) {
    ExpectControls("XML/CustomControlXML/DeviceOption.xml",
                   {"device_select", "synchro_device_select", "device_select_name"});
    ExpectControls("XML/CustomControlXML/MpDevicePower.xml",
                   {"device_power_Layout", "device_power_value", "device_wuxian_logo",
                    "device_Power_progress", "device_power_status", "device_phone_type"});
    ExpectControls("XML_MSG",
                   {"MessageTitle", "MessageText", "confirm_btn", "cancel_btn", "closebtn"});
    ExpectControls("AboutWnd.xml", {"software_ver_label", "text_test", "closebtn", "homepage_btn"});
    ExpectControls("setwnd.xml", {"closebtn", "maxbtn", "restorebtn", "minbtn", "laterbtn",
                                  "device_update_list_info", "Language_combox_info",
                                  "update_status_ring", "Update_Status_text", "update_status_image",
                                  "get_update_tab_layout", "update_fw_and_ap", "update_OK_btn",
                                  "update_tishi_layout", "set_in_update_wnd_btn"});
    ExpectControls("XML/CustomControlXML/device_Update_list_item.xml",
                   {"check_name_select", "OldRev", "updateRev", "update_status_text",
                    "update_status_ing", "update_progress_value", "update_status_ok"});
    const std::string menu = ReadAll(skintest::SkinDir() + "menu.xml");
    for (const char* item : {"about_menu", "setwnd_menu", "exit"})
        EXPECT_NE(menu.find(std::string("name=\"") + item + "\""), std::string::npos) << item;
}

TEST_F(SkinFilesTest, FixedImagesExistAsRealPngFiles) {
    std::vector<std::string> files;
    for (const char* stem : {"kb", "ms", "hard_mp", "soft_mp", "hd", "hub", "unknow"})
        for (const char* state : {"_device_normal.png", "_device_selected.png",
                                  "_device_synchro_normal.png", "_device_synchro_selected.png"})
            files.push_back(std::string("common/device_ico/") + stem + state);
    for (const char* power : {"powered", "powering", "power", "Phone_type_iphone",
                              "Phone_type_samsung", "Phone_type_other", "Phone_type_no_device"})
        files.push_back(std::string("power/") + power + ".png");
    files.push_back("common/icon/app_icon.png");
    files.push_back("common/background.png");  // what the skin frame resets to
    for (const std::string& file : files) {
        const std::string bytes = ReadAll(skintest::SkinDir() + file);
        EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << file;
    }
}

TEST_F(SkinFilesTest, EveryImageTheLayoutsNameExists) {
    std::regex image(R"rx((?:file='|image=")([A-Za-z0-9_/.\-]+\.(?:svg|png)))rx");
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(skintest::SkinDir() + "XML")) {
        if (entry.path().extension() != ".xml")
            continue;
        const std::string text = ReadAll(entry.path());
        for (auto it = std::sregex_iterator(text.begin(), text.end(), image);
             it != std::sregex_iterator(); ++it, ++checked)
            EXPECT_TRUE(fs::exists(skintest::SkinDir() + (*it)[1].str()))
                << entry.path().filename() << " names " << (*it)[1];
    }
    EXPECT_GT(checked, 20);
}

TEST_F(SkinFilesTest, LanguagesHaveTheSameKeysAndEveryKeyTheProgramAsksFor) {
    const std::set<std::string> en = LanguageKeys("lan_en.xml");
    const std::set<std::string> cn = LanguageKeys("lan_cn.xml");
    EXPECT_EQ(en, cn);
    for (const char* key : {"message_text_2",
                            "message_text_4",
                            "message_text_5",
                            "message_text_5_1",
                            "message_text_6",
                            "message_text_7",
                            "message_text_16",
                            "message_text_22",
                            "message_text_25",
                            "message_text_26",
                            "message_text_26_1",
                            "message_text_27",
                            "message_text_28",
                            "message_text_29",
                            "message_text_30",
                            "message_text_32",
                            "message_text_33",
                            "message_text_34",
                            "message_text_35",
                            "message_text_36",
                            "message_text_37",
                            "message_text_38",
                            "UpdateTiShi",
                            "UpdateTiShiText",
                            "UpdateToolMissingText",
                            "LessUpdateText",
                            "NeedUpdateText",
                            "DownloadWaitText",
                            "DownloadIngText",
                            "DownloadOkText",
                            "UpdateIngText",
                            "UpdateOkText",
                            "UpdateFailText",
                            "GetUpdateInfoText",
                            "HaveUpdateInfoText",
                            "NoUpdateInfoText",
                            "ISUpdateINGText",
                            "UpdateIsLastText",
                            "language_cn_text",
                            "language_en_text",
                            "software_rev_text",
                            "Phone_type_iphone",
                            "Phone_type_samsung",
                            "Phone_type_other",
                            "Phone_type_no_device",
                            "kb_device_name_text",
                            "ms_device_name_text",
                            "hard_mp_device_name_text",
                            "soft_mp_device_name_text",
                            "hd_device_name_text",
                            "hub_device_name_text",
                            "unknow_device_name_text",
                            "控制灯光",
                            "不控制灯光"})
        EXPECT_TRUE(en.count(key)) << key;
    // Every key a layout shows through resource text has a translation.
    std::regex text(R"rx(text="([^"]+)" resourcetext="true")rx");
    std::regex tip(R"rx(tooltip="([^"]+)" resourcetext="true")rx");
    for (const auto& entry : fs::recursive_directory_iterator(skintest::SkinDir())) {
        if (entry.path().extension() != ".xml" ||
            entry.path().filename().string().rfind("lan_", 0) == 0 ||
            entry.path().string().find("/gallery/") != std::string::npos ||
            entry.path().filename() == "mousedevice.xml")
            continue;
        const std::string body = ReadAll(entry.path());
        for (const std::regex* pattern : {&text, &tip})
            for (auto it = std::sregex_iterator(body.begin(), body.end(), *pattern);
                 it != std::sregex_iterator(); ++it)
                EXPECT_TRUE(en.count((*it)[1])) << entry.path().filename() << ": " << (*it)[1];
    }
}

TEST_F(SkinFilesTest, LanguageListNamesLoadableLanguageFiles) {
    const std::string config =
        ReadAll(std::string(T418_RESOURCES_DIR) + "/DefaultData/Language.config");
    Json::Value root;
    Json::Reader reader;
    ASSERT_TRUE(reader.parse(config, root));
    const Json::Value& list = root["Language"];
    ASSERT_TRUE(list.isArray());
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list[0]["Language_file"].asString(), "lan_cn.xml") << "index 0: Chinese";
    std::set<int> ids;
    for (const Json::Value& entry : list) {
        ASSERT_TRUE(entry["Language_ID"].isInt());
        ASSERT_TRUE(entry["Language_name"].isString());
        ASSERT_TRUE(entry["Language_text"].isString());
        EXPECT_TRUE(ids.insert(entry["Language_ID"].asInt()).second) << "IDs are unique";
        EXPECT_TRUE(
            ui::CResourceManager::GetInstance()->LoadLanguage(entry["Language_file"].asString()));
        EXPECT_TRUE(
            ui::CResourceManager::GetInstance()->HasText(entry["Language_text"].asString()));
    }
}

}  // namespace
