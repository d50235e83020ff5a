// The music window, headless against the real skin: what it shows of the settings it is
// given, the styles' names and colours as the user edits them, how the modal dialog ends;
// the settings' document rules and the user's audio file.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "SkinTestSupport.h"
#include "platform/Trace.h"
#include "profile/JsonFile.h"
#include "tests/unit/platform/TestFolders.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "windows/MusicWnd.h"

namespace {

namespace fs = std::filesystem;
using skintest::ClickOn;
using windows::CMusicWnd;
using windows::MusicSettings;

MusicSettings SampleSettings() {
    MusicSettings s;
    s.style = 1;
    s.names = {"Rock", "Jazz", "Pop", "Calm"};
    s.colours = {{{9, 0, 0}, {1, 2, 3}, {0, 9, 0}, {4, 5, 6}}};
    return s;
}

// A window whose skin lacks the tab options and the sliders.
class BareMusicWnd : public CMusicWnd {
  protected:
    std::string GetSkinFile() override {
        return R"(<Window size="369,276"><VerticalLayout>
                    <Edit name="audio_edit_name1" height="24"/>
                    <Button name="okbtn" height="40"/>
                  </VerticalLayout></Window>)";
    }
};

class MusicWndTest : public skintest::SkinTest {
  protected:
    void TearDown() override {
        for (auto& window : windows_) {
            if (ui::IsWindow(window->GetHWND()))
                ui::DestroyWindow(window->GetHWND());
        }
        windows_.clear();
        SkinTest::TearDown();
    }
    // Opens a music window as the program does, without its modal loop.
    template <typename Wnd = CMusicWnd>
    Wnd* Open(const MusicSettings& settings = SampleSettings()) {
        auto window = std::make_unique<Wnd>();
        Wnd* raw = window.get();
        EXPECT_NE(raw->Create(nullptr, "  ", ui::WS_POPUP | ui::WS_VISIBLE, ui::WS_EX_TOOLWINDOW, 0,
                              0, windows::kMusicWidth, windows::kMusicHeight),
                  nullptr);
        raw->SetSettings(settings);
        backend.ProcessPending();  // "windowinit"
        windows_.push_back(std::move(window));
        return raw;
    }
    static ui::CSliderUI* Slider(CMusicWnd* w, const char* name) {
        return dynamic_cast<ui::CSliderUI*>(w->FindControl(name));
    }
    static std::string Sliders(CMusicWnd* w) {
        return std::to_string(Slider(w, "audio_r_slider")->GetValue()) + "," +
               std::to_string(Slider(w, "audio_g_slider")->GetValue()) + "," +
               std::to_string(Slider(w, "audio_b_slider")->GetValue());
    }
    static void Move(CMusicWnd* w, const char* slider, int value) {
        Slider(w, slider)->SetValue(value, true);
    }
    static void Select(CMusicWnd* w, int tab) {
        dynamic_cast<ui::COptionUI*>(w->FindControl("audio_select_tab" + std::to_string(tab)))
            ->Selected(true, true);
    }
    static void Type(CMusicWnd* w, const std::string& edit, const std::string& text) {
        ui::CPaintManagerUI* pm = w->GetPaintManager();
        pm->SetFocus(w->FindControl(edit));
        w->FindControl(edit)->SetText(text);
        pm->SetFocus(nullptr);
    }

    std::vector<std::unique_ptr<CMusicWnd>> windows_;
};

TEST_F(MusicWndTest, OpensOnTheCurrentStyleWithItsColourAndEveryName) {
    CMusicWnd* w = Open();
    EXPECT_TRUE(dynamic_cast<ui::COptionUI*>(w->FindControl("audio_select_tab2"))->IsSelected());
    EXPECT_EQ(Sliders(w), "1,2,3");
    EXPECT_EQ(Slider(w, "audio_g_slider")->GetMaxValue(), 9);
    EXPECT_EQ(w->FindControl("audio_edit_name4")->GetText(), "Calm");
    EXPECT_EQ(w->GetSettings(), SampleSettings()) << "showing the settings changes none";
    Select(w, 4);
    EXPECT_EQ(w->GetSettings().style, 3);
    EXPECT_EQ(Sliders(w), "4,5,6");
}

TEST_F(MusicWndTest, SlidersAndNamesChangeTheSelectedStyleOnly) {
    CMusicWnd* w = Open();
    Select(w, 3);
    Move(w, "audio_b_slider", 9);
    MusicSettings want = SampleSettings();
    want.style = 2;
    want.colours[2][2] = 9;
    EXPECT_EQ(w->GetSettings(), want);
    // An emptied name takes its default name back, shown and stored.
    Type(w, "audio_edit_name3", "");
    EXPECT_EQ(w->FindControl("audio_edit_name3")->GetText(), "第三组");
    EXPECT_EQ(w->GetSettings().names[2], "第三组");
    Type(w, "audio_edit_name1", "Loud");
    EXPECT_EQ(w->GetSettings().names[0], "Loud");
}

TEST_F(MusicWndTest, ASkinWithoutItsControlsIsTracedAndChangesNothing) {
    platform::TraceCapture trace;
    CMusicWnd* w = Open<BareMusicWnd>();
    EXPECT_EQ(w->GetSettings(), SampleSettings());
    bool traced = false;
    for (const std::string& line : trace.Lines())
        traced = traced || line.find("GetAudioLightInfo control is NULL") != std::string::npos;
    EXPECT_TRUE(traced);
}

TEST_F(MusicWndTest, OnlyTheOkButtonKeepsTheEditedSettings) {
    backend.Schedule([&] {
        auto* open = dynamic_cast<CMusicWnd*>(ui::GetWindowObject(CMusicWnd::Current()));
        ASSERT_NE(open, nullptr);
        EXPECT_EQ(open->GetDialogDpi(), 96) << "a DPI outside the rule becomes 96";
        // A second opening meanwhile opens nothing.
        EXPECT_FALSE(windows::EditMusicSettings(nullptr, 96, MusicSettings{}).has_value());
        Select(open, 1);
        Move(open, "audio_r_slider", 5);
        ClickOn(open->GetHWND(), "okbtn");
    });
    std::optional<MusicSettings> edited =
        windows::EditMusicSettings(nullptr, 100, SampleSettings());
    ASSERT_TRUE(edited.has_value());
    EXPECT_EQ(edited->style, 0);
    EXPECT_EQ(edited->colours[0][0], 5);
    EXPECT_EQ(CMusicWnd::Current(), nullptr);

    for (int way = 0; way < 2; ++way) {
        backend.Schedule([&] {
            auto* open = dynamic_cast<CMusicWnd*>(ui::GetWindowObject(CMusicWnd::Current()));
            ASSERT_NE(open, nullptr);
            Move(open, "audio_g_slider", 7);
            if (way == 0)
                ClickOn(open->GetHWND(), "closebtn");
            else  // the desktop's close request ends this dialog only
                open->SendMessage(ui::WM_SYSCOMMAND, ui::SC_CLOSE, 0);
        });
        EXPECT_FALSE(windows::EditMusicSettings(nullptr, 144, SampleSettings()).has_value()) << way;
    }
}

TEST(MusicSettingsRules, DocumentValuesStayWithinTheFourStyles) {
    Json::Value info;
    info["nAudioStyle"] = 7;
    info["nStyleR0"] = 12;
    info["nStyleG0"] = -3;
    info["nStyleB3"] = 4;
    info["nStyleName2"] = "Two";
    info["nStyleName3"] = 5;  // not a string: empty
    MusicSettings s = windows::MusicSettingsFromJson(info);
    EXPECT_EQ(s.style, 0);
    EXPECT_EQ(s.colours[0], (std::array<uint8_t, 3>{9, 0, 0}));
    EXPECT_EQ(s.colours[3][2], 4);
    EXPECT_EQ(s.names[1], "Two");
    EXPECT_EQ(s.names[2], "");
    EXPECT_EQ(windows::MusicSettingsFromJson(Json::Value("text")), MusicSettings{});
    info["nAudioStyle"] = -1;
    EXPECT_EQ(windows::MusicSettingsFromJson(info).style, 0);

    // Stored and read back, the settings are the same; other members stay.
    Json::Value stored;
    stored["extra"] = 1;
    windows::StoreMusicSettings(SampleSettings(), stored);
    EXPECT_EQ(windows::MusicSettingsFromJson(stored), SampleSettings());
    EXPECT_EQ(stored["extra"].asInt(), 1);
    EXPECT_TRUE(stored["nStyleB2"].isInt());
}

TEST(MusicSettingsRules, TheUsersAudioFileIsSeededRepairedAndRewritten) {
    t418test::TempFolder dir;
    const std::string factory = std::string(T418_RESOURCES_DIR) + "/DefaultData/AudioFile.json";
    const std::string user = dir / "AudioFile.json";
    // Missing: made from the factory copy.
    Json::Value info = windows::LoadUserAudioFile(user, factory);
    EXPECT_EQ(windows::MusicSettingsFromJson(info).names[0], "第一组");
    EXPECT_TRUE(fs::exists(user));

    // A root that is not an object is kept aside and written anew.
    std::ofstream(user) << "[1, 2, 3]";
    info = windows::LoadUserAudioFile(user, factory);
    EXPECT_TRUE(info.isObject());
    EXPECT_TRUE(profile::LoadJsonFile(user).isObject());
    std::ifstream bad(user + ".bad");
    std::string kept((std::istreambuf_iterator<char>(bad)), {});
    EXPECT_EQ(kept, "[1, 2, 3]");

    // Writing replaces "Device" and keeps the rest of the document.
    Json::Value doc = profile::LoadJsonFile(user);
    doc["Other"] = "kept";
    doc["Device"]["Stale"] = 1;
    ASSERT_EQ(profile::WriteJsonFile(user, doc), 0);
    Json::Value edited;
    windows::StoreMusicSettings(SampleSettings(), edited);
    ASSERT_TRUE(windows::WriteUserAudioFile(user, factory, edited));
    doc = profile::LoadJsonFile(user);
    EXPECT_EQ(doc["Other"].asString(), "kept");
    EXPECT_FALSE(doc["Device"].isMember("Stale"));
    EXPECT_EQ(windows::MusicSettingsFromJson(doc["Device"]["AudioLightInfo"]), SampleSettings());
}

}  // namespace
