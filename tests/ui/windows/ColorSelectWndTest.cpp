// The colour palette window, headless against the real skin: typed channels, presets, the
// collected slots and their file, multicolour, the DPI rule and how the modal dialog ends.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <regex>
#include <vector>

#include "SkinTestSupport.h"
#include "platform/Trace.h"
#include "profile/JsonFile.h"
#include "ui/controls/ColorPaletteUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "windows/AboutWnd.h"
#include "windows/ColorSelectWnd.h"

namespace {

namespace fs = std::filesystem;
using skintest::ClickOn;
using windows::CColorSelectWnd;

constexpr uint32_t kStart = 0xFF102030;

// The palette with a skin of its own (layout text): one without the palette control.
class NoPaletteWnd : public CColorSelectWnd {
  protected:
    std::string GetSkinFile() override {
        return R"(<Window size="300,200"><VerticalLayout>
                    <Button name="color_show_btn" height="40"/>
                    <Button name="okbtn" height="40"/>
                  </VerticalLayout></Window>)";
    }
};

class ColorSelectWndTest : public skintest::SkinTest {
  protected:
    void SetUp() override {
        SkinTest::SetUp();
        dir_ = fs::temp_directory_path() /
               ("t418-palette-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        for (auto& window : windows_) {
            if (ui::IsWindow(window->GetHWND()))
                ui::DestroyWindow(window->GetHWND());
        }
        windows_.clear();
        fs::remove_all(dir_);
        SkinTest::TearDown();
    }

    std::string UserFile() const { return (dir_ / "color_option_info.config").string(); }
    static std::string DefaultFile() {
        return std::string(T418_RESOURCES_DIR) + "/DefaultData/color_option_info.config";
    }

    // Opens a palette as the program does, without its modal loop, and lets "windowinit" run.
    template <typename Wnd = CColorSelectWnd>
    Wnd* Open(uint32_t colour = kStart) {
        auto window = std::make_unique<Wnd>();
        Wnd* raw = window.get();
        raw->SetOptionFiles(UserFile(), DefaultFile());
        EXPECT_NE(raw->Create(nullptr, "PalletDialog", ui::WS_POPUP | ui::WS_VISIBLE,
                              ui::WS_EX_TOOLWINDOW, 0, 0, 800, 572),
                  nullptr);
        raw->SetDialogDpi(96);
        raw->SetColour(colour);
        raw->EnableMultiColour(0);
        backend.ProcessPending();
        windows_.push_back(std::move(window));
        return raw;
    }
    static void Close(CColorSelectWnd* window) { ui::DestroyWindow(window->GetHWND()); }

    static ui::CEditUI* Edit(CColorSelectWnd* w, const char* name) {
        return dynamic_cast<ui::CEditUI*>(w->FindControl(name));
    }
    static ui::COptionUI* Option(CColorSelectWnd* w, const std::string& name) {
        return dynamic_cast<ui::COptionUI*>(w->FindControl(name));
    }
    static ui::CColorPaletteUI* Palette(CColorSelectWnd* w) {
        return dynamic_cast<ui::CColorPaletteUI*>(w->FindControl("Pallet"));
    }
    static std::string Channels(CColorSelectWnd* w) {
        return Edit(w, "color_edit_r")->GetText() + "," + Edit(w, "color_edit_g")->GetText() + "," +
               Edit(w, "color_edit_b")->GetText();
    }
    // Types into an edit and leaves it, as the user does.
    static void Type(CColorSelectWnd* w, const char* edit, const std::string& text) {
        ui::CPaintManagerUI* pm = w->GetPaintManager();
        pm->SetFocus(Edit(w, edit));
        Edit(w, edit)->SetText(text, false);
        pm->SetFocus(nullptr);
    }
    // The user picks a colour in the palette control.
    static void Pick(CColorSelectWnd* w, uint32_t colour) { Palette(w)->SetSelectColor(colour); }
    Json::Value Saved() const { return profile::LoadJsonFile(UserFile()); }

    fs::path dir_;
    std::vector<std::unique_ptr<CColorSelectWnd>> windows_;
};

TEST_F(ColorSelectWndTest, TypedChannelsAreLimitedToZeroTo255) {
    CColorSelectWnd* w = Open(0x00102030);  // an alpha of 0 is still shown opaque
    EXPECT_EQ(w->GetColour(), 0xFF102030u);
    EXPECT_EQ(Channels(w), "16,32,48");
    Type(w, "color_edit_g", "300");
    EXPECT_EQ(Channels(w), "16,255,48");
    EXPECT_EQ(w->GetColour(), 0xFF10FF30u);
    EXPECT_EQ(Palette(w)->GetSelectColor(), 0xFF10FF30u);
    Type(w, "color_edit_b", "");
    EXPECT_EQ(Channels(w), "16,255,0") << "red and green stay";
    // A negative value must not wrap round to a large channel, whatever the skin's edit lets
    // through (this one keeps digits only).
    Edit(w, "color_edit_r")->SetNumberOnly(false);
    Type(w, "color_edit_r", "-5");
    EXPECT_EQ(Channels(w), "0,255,0");
    EXPECT_EQ(w->GetCurrentColour(), 0xFF00FF00u);
}

TEST_F(ColorSelectWndTest, SelectedSlotIsFilledByTheNextColourAndKeptForTheNextOpening) {
    CColorSelectWnd* w = Open();
    EXPECT_EQ(w->GetSelectedSlot(), -1) << "no slot starts selected";
    const fs::file_time_type before = fs::last_write_time(UserFile());
    ASSERT_TRUE(ClickOn(w->GetHWND(), "collect_color_option_3"));
    EXPECT_EQ(w->GetSelectedSlot(), 3);
    EXPECT_EQ(fs::last_write_time(UserFile()), before) << "choosing an empty slot writes nothing";

    Pick(w, 0xFF44AA22);
    ui::COptionUI* slot = Option(w, "collect_color_option_3");
    EXPECT_EQ(slot->GetBkColor(), 0xFF44AA22u);
    EXPECT_EQ(slot->GetSelectedBkColor(), 0xFF44AA22u);
    EXPECT_EQ(slot->GetUserData(), "1");
    EXPECT_EQ(slot->GetBorderSize(), 0);
    EXPECT_EQ(Channels(w), "68,170,34");
    Json::Value saved = Saved()["coloroptioninfo"];
    EXPECT_EQ(saved["palletDialogcollectcoloroption"][3]["color"].asString(), "FF44AA22");
    EXPECT_EQ(saved["palletDialogcollectcoloroption"][3]["UserData"].asString(), "1");
    EXPECT_EQ(saved["palletDialogcollectcoloroption_selectitem"].asInt(), 3);
    for (const char* array : {"palletDialogcoloroption", "palletDialogcollectcoloroption"})
        for (const Json::Value& entry : saved[array])
            EXPECT_TRUE(std::regex_match(entry["color"].asString(), std::regex("FF[0-9A-F]{6}")))
                << array << ": " << entry["color"].asString();

    // A filled slot shows its colour (and answers it) without becoming the current colour.
    ASSERT_TRUE(ClickOn(w->GetHWND(), "collect_color_option_5"));
    Pick(w, 0xFF0000FF);
    ASSERT_TRUE(ClickOn(w->GetHWND(), "collect_color_option_3"));
    EXPECT_EQ(w->GetColour(), 0xFF44AA22u);
    EXPECT_EQ(Palette(w)->GetSelectColor(), 0xFF44AA22u);
    EXPECT_EQ(w->GetCurrentColour(), 0xFF0000FFu);
    Close(w);

    CColorSelectWnd* again = Open();
    ui::COptionUI* kept = Option(again, "collect_color_option_3");
    EXPECT_EQ(kept->GetBkColor(), 0xFF44AA22u);
    EXPECT_EQ(kept->GetUserData(), "1");
    EXPECT_FALSE(kept->IsSelected()) << "filled, but not selected";
    EXPECT_EQ(Option(again, "collect_color_option_5")->GetBkColor(), 0xFF0000FFu);
    EXPECT_NE(Option(again, "collect_color_option_2")->GetUserData(), "1");
    Pick(again, 0xFF000080);
    EXPECT_EQ(kept->GetBkColor(), 0xFF44AA22u) << "no slot selected: nothing is filled";
}

TEST_F(ColorSelectWndTest, PresetGivesItsColourAndIsRemembered) {
    CColorSelectWnd* w = Open();
    EXPECT_EQ(w->GetSelectedPreset(), 4) << "the default copy's";
    const uint32_t colour = Option(w, "color_option_7")->GetBkColor();
    ASSERT_TRUE(ClickOn(w->GetHWND(), "color_option_7"));
    EXPECT_EQ(w->GetCurrentColour(), colour);
    EXPECT_EQ(w->GetColour(), colour);
    EXPECT_EQ(Palette(w)->GetSelectColor(), colour);
    EXPECT_EQ(Saved()["coloroptioninfo"]["palletDialogcoloroption_selectitem"].asInt(), 7);
    // Clicking the preset already selected brings its colour back after another choice.
    Pick(w, 0xFF202020);
    ASSERT_TRUE(ClickOn(w->GetHWND(), "color_option_7"));
    EXPECT_EQ(w->GetColour(), colour);
    Close(w);
    EXPECT_EQ(Open()->GetSelectedPreset(), 7);
}

TEST_F(ColorSelectWndTest, HostileColourFileOpensWithTheSkinsLook) {
    std::ofstream(UserFile()) << R"({ "coloroptioninfo" : { "palletDialogcollectcoloroption" : [
        { "color" : "FF00FF0", "UserData" : "1" }, { "color" : 12, "UserData" : "1" }, 7,
        { "color" : "FF00ff00", "UserData" : "1" } ],
        "palletDialogcoloroption_selectitem" : -3, "palletDialogcoloroption" : "none" } })";
    CColorSelectWnd* w = Open();
    for (int n = 0; n < 3; ++n)
        EXPECT_NE(Option(w, "collect_color_option_" + std::to_string(n))->GetUserData(), "1");
    EXPECT_EQ(Option(w, "collect_color_option_3")->GetBkColor(), 0xFF00FF00u);
    EXPECT_EQ(w->GetSelectedPreset(), 4);
    ASSERT_TRUE(ClickOn(w->GetHWND(), "color_option_1"));
    EXPECT_EQ(Saved()["coloroptioninfo"]["palletDialogcoloroption"].size(), 20u);
}

TEST_F(ColorSelectWndTest, MulticolourSwitchEndsWithAnyColourChange) {
    CColorSelectWnd* w = Open();
    ui::CControlUI* show = w->FindControl("color_show_btn");
    EXPECT_FALSE(w->FindControl("7color_layout")->IsVisible());
    w->EnableMultiColour(1);
    EXPECT_TRUE(w->FindControl("7color_layout")->IsVisible());
    ASSERT_TRUE(ClickOn(w->GetHWND(), "7color"));
    EXPECT_EQ(w->GetMultiColour(), 1);
    EXPECT_EQ(show->GetBkImage(), "common/base1.png");
    Pick(w, 0xFF00FFFF);
    EXPECT_EQ(w->GetMultiColour(), 0);
    EXPECT_FALSE(Option(w, "7color")->IsSelected());
    EXPECT_EQ(show->GetBkImage(), "");
    w->SetMultiColour(1);
    w->EnableMultiColour(0);
    EXPECT_FALSE(Option(w, "7color")->IsSelected());
    EXPECT_FALSE(w->FindControl("7color_layout")->IsVisible());
}

TEST_F(ColorSelectWndTest, DialogDpiRuleAndDpiAndLanguageMessages) {
    CColorSelectWnd* w = Open();
    {
        platform::TraceCapture trace;
        w->SetDialogDpi(100);
        EXPECT_TRUE(trace.Contains("SET_WND DPI SET ERROR"));
        EXPECT_EQ(w->GetPaintManager()->GetDPI(), 96);
    }
    w->SetDialogDpi(144);
    EXPECT_EQ(w->GetPaintManager()->GetDPI(), 144);
    ui::RECT suggested{10, 10, 910, 595};
    ui::SendMessage(w->GetHWND(), ui::WM_DPICHANGED, (120 << 16) | 120,
                    reinterpret_cast<ui::LPARAM>(&suggested));
    EXPECT_EQ(w->GetDialogDpi(), 120);
    EXPECT_EQ(w->GetPaintManager()->GetDPI(), 120);
    ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_cn.xml"));
    ui::SendMessage(w->GetHWND(), windows::kMsgLanguageChanged, 0, 0);
    EXPECT_EQ(w->FindControl("pallet_title")->GetText(), "调色板");
}

TEST_F(ColorSelectWndTest, ResultsOfTheModalDialog) {
    CColorSelectWnd* w = Open();
    backend.Schedule([&] {
        Pick(w, 0xFF5A0F3C);
        ClickOn(w->GetHWND(), "okbtn");
    });
    EXPECT_EQ(static_cast<int>(w->ShowModal()), windows::kPaletteConfirmed);
    EXPECT_EQ(w->GetCurrentColour(), 0xFF5A0F3Cu);

    for (const char* button : {"closebtn", "laterbtn"}) {
        CColorSelectWnd* other = Open();
        backend.Schedule([&] { EXPECT_TRUE(ClickOn(other->GetHWND(), button)) << button; });
        EXPECT_EQ(static_cast<int>(other->ShowModal()), windows::kPaletteClosed) << button;
    }
    // The desktop's close request ends this dialog only, as the close button does.
    CColorSelectWnd* closed = Open();
    backend.Schedule([&] { closed->SendMessage(ui::WM_SYSCOMMAND, ui::SC_CLOSE, 0); });
    EXPECT_EQ(static_cast<int>(closed->ShowModal()), windows::kPaletteClosed);

    CColorSelectWnd* bare = Open<NoPaletteWnd>();
    backend.Schedule([&] { ClickOn(bare->GetHWND(), "okbtn"); });
    EXPECT_EQ(static_cast<int>(bare->ShowModal()), windows::kPaletteMissing);
}

class PickColourTest : public ColorSelectWndTest {
  protected:
    void SetUp() override {
        ColorSelectWndTest::SetUp();
        // The entry point finds the colour file where the program does.
        SetEnv("XDG_DATA_HOME", dir_.string(), savedData_);
        SetEnv("T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR, savedProgram_);
    }
    void TearDown() override {
        Restore("XDG_DATA_HOME", savedData_);
        Restore("T418_ZEN_PROGRAM_DIR", savedProgram_);
        ColorSelectWndTest::TearDown();
    }
    static void SetEnv(const char* name, const std::string& value,
                       std::optional<std::string>& saved) {
        if (const char* old = std::getenv(name))
            saved = old;
        ::setenv(name, value.c_str(), 1);
    }
    static void Restore(const char* name, const std::optional<std::string>& saved) {
        if (saved)
            ::setenv(name, saved->c_str(), 1);
        else
            ::unsetenv(name);
    }
    static CColorSelectWnd* OpenPalette() {
        return dynamic_cast<CColorSelectWnd*>(ui::GetWindowObject(CColorSelectWnd::Current()));
    }

    std::optional<std::string> savedData_;
    std::optional<std::string> savedProgram_;
};

TEST_F(PickColourTest, ConfirmedColourIsTheAnswerAndASecondPaletteIsRefused) {
    bool checked = false;
    backend.Schedule([&] {
        CColorSelectWnd* open = OpenPalette();
        ASSERT_NE(open, nullptr);
        EXPECT_EQ(open->GetColour(), 0xFF4C8DFFu);
        EXPECT_EQ(open->GetDialogDpi(), 144);
        EXPECT_FALSE(open->FindControl("7color_layout")->IsVisible());
        // A second click on a stage colour meanwhile opens nothing.
        EXPECT_EQ(windows::ShowColourPalette(nullptr, 96, 0xFF000000).result,
                  windows::kPaletteNotShown);
        EXPECT_FALSE(windows::PickColour(nullptr, 96, 0xFF000000).has_value());
        EXPECT_EQ(OpenPalette(), open);
        Type(open, "color_edit_g", "300");
        checked = true;
        ClickOn(open->GetHWND(), "okbtn");
    });
    std::optional<uint32_t> colour = windows::PickColour(nullptr, 144, 0xFF4C8DFF);
    EXPECT_TRUE(checked);
    ASSERT_TRUE(colour.has_value());
    EXPECT_EQ(*colour, 0xFF4CFFFFu);
    EXPECT_EQ(CColorSelectWnd::Current(), nullptr) << "the handle is cleared when it ends";
    EXPECT_TRUE(fs::exists(dir_ / "T418-ZEN" / windows::kColourOptionFileName));

    backend.Schedule([&] { ClickOn(CColorSelectWnd::Current(), "closebtn"); });
    EXPECT_EQ(windows::ShowColourPalette(nullptr, 96, 0xFF4C8DFF).result, windows::kPaletteClosed);
}

}  // namespace
