// The settings window against the real skin, headless: the language combo and its 3089, the
// last-check file, the update rows (their versions, statuses and frame), the header, the
// buttons and the closing rule.
#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>
#include <vector>

#include "SkinTestSupport.h"
#include "controls/UpdateInfoListItemUI.h"
#include "platform/FileIO.h"
#include "tests/unit/platform/TestFolders.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/WindowWnd.h"
#include "ui/headless/RecordingRenderTarget.h"
#include "ui/layout/TabLayoutUI.h"
#include "windows/AboutWnd.h"
#include "windows/SetWnd.h"

namespace {

using controls::CUpdateInfoListItemUI;
using skintest::ClickOn;
using windows::CSetWnd;
using windows::UpdateEntry;
using windows::UpdateHeader;

// Stands in for the main window: records the messages the settings window sends it.
class SetWndSink : public ui::CWindowWnd {
  public:
    std::string GetWindowClassName() const override { return "SetWndSink"; }
    ui::LRESULT HandleMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam) override {
        if (msg == windows::kMsgLanguageChanged || msg == windows::kMsgClearSettingsBadge)
            received.emplace_back(msg, wParam);
        return CWindowWnd::HandleMessage(msg, wParam, lParam);
    }
    std::vector<std::pair<ui::UINT, ui::WPARAM>> received;
};

UpdateEntry SetWndEntry(int format, uint32_t version, const char* code, const char* shortName,
                        const char* text = "") {
    UpdateEntry entry;
    entry.versionFormat = format;
    entry.version = version;
    entry.code = code;
    entry.shortName = shortName;
    entry.versionText = text;
    return entry;
}

constexpr const char* kSetWndFourLanguages = R"({"Language": [
  {"Language_ID": 2052, "Language_name": "zh_CN", "Language_file": "lan_cn.xml", "Language_text": "language_cn_text"},
  {"Language_ID": 1033, "Language_name": "en_US", "Language_file": "lan_en.xml", "Language_text": "language_en_text"},
  {"Language_ID": 1054, "Language_name": "th", "Language_file": "lan_en.xml", "Language_text": "language_en_text"},
  {"Language_ID": 1036, "Language_name": "fr", "Language_file": "lan_en.xml", "Language_text": "language_en_text"}
]})";

class SetWndTest : public skintest::SkinTest {
  protected:
    void SetUp() override {
        SkinTest::SetUp();
        std::ofstream(folder / "Language.config") << kSetWndFourLanguages;
        ASSERT_NE(sink.Create(nullptr, "sink", ui::WS_POPUP, 0), nullptr);
    }
    void TearDown() override {
        window.reset();
        if (ui::IsWindow(sink.GetHWND()))
            ui::DestroyWindow(sink.GetHWND());
        SkinTest::TearDown();
    }

    windows::SetWndRequest Request() {
        windows::SetWndRequest request;
        request.mainWindow = sink.GetHWND();
        request.languageIndex = 1;
        request.entries = {SetWndEntry(1, 0x0105, "QP22M41B", "MS"),
                           SetWndEntry(1, 0, "QP22M40B", "KB"),
                           SetWndEntry(2, 0x01ab, "QP22M33B_1", "J71"),
                           SetWndEntry(0, 0x0100, "ALL", "AP", "V0100")};
        request.languageConfigPath = (folder / "Language.config").string();
        request.updateTimePath = (folder / "updatetime.config").string();
        request.installerFolder = (folder / "UpdateData/").string();
        request.clock = [] { return platform::LocalTime{2025, 3, 7, 10, 0, 0, 0}; };
        return request;
    }
    // Opens the window without its modal loop and waits for the list.
    CSetWnd& Open(windows::SetWndRequest request) {
        window = std::make_unique<CSetWnd>(std::move(request));
        EXPECT_NE(window->Create(nullptr, windows::kSetWndTitle, ui::WS_POPUP | ui::WS_VISIBLE,
                                 ui::WS_EX_TOOLWINDOW, 0, 0, 630, 500),
                  nullptr);
        EXPECT_TRUE(backend.PumpUntil([this] { return window->ListBuilt(); }));
        return *window;
    }
    CSetWnd& Open() { return Open(Request()); }
    ui::CComboUI* Combo() {
        return dynamic_cast<ui::CComboUI*>(window->FindControl("Language_combox_info"));
    }
    std::string Text(const char* name) { return window->FindControl(name)->GetText(); }
    std::string RowText(CUpdateInfoListItemUI* row, const char* name) {
        return row->GetManager()->FindSubControlByName(row, name)->GetText();
    }
    bool RowShows(CUpdateInfoListItemUI* row, const char* name) {
        return row->GetManager()->FindSubControlByName(row, name)->IsVisible();
    }
    size_t LanguageMessages() const {
        size_t n = 0;
        for (const auto& m : sink.received)
            n += m.first == windows::kMsgLanguageChanged ? 1 : 0;
        return n;
    }

    t418test::TempFolder temp;
    std::filesystem::path folder{temp.path()};
    SetWndSink sink;
    std::unique_ptr<CSetWnd> window;
};

TEST_F(SetWndTest, ListsTheDevicesWithAVersionAndSaysNothingIsFetched) {
    CSetWnd& w = Open();
    ASSERT_EQ(w.RowCount(), 3) << "the keyboard without a version is left out";
    EXPECT_EQ(RowText(w.Row(0), "check_name_select"), "MS");
    EXPECT_EQ(RowText(w.Row(0), "OldRev"), "V0105");
    EXPECT_EQ(RowText(w.Row(1), "check_name_select"), "J71");
    EXPECT_EQ(RowText(w.Row(1), "OldRev"), "V01ab");
    EXPECT_EQ(RowText(w.Row(2), "check_name_select"), "AP");
    EXPECT_EQ(RowText(w.Row(2), "OldRev"), "V0100");
    for (int i = 0; i < 3; ++i) {
        CUpdateInfoListItemUI* row = w.Row(i);
        EXPECT_EQ(row->GetStatus(), 7);
        EXPECT_FALSE(
            row->GetManager()->FindSubControlByName(row, "check_name_select")->IsEnabled());
        EXPECT_FALSE(RowShows(row, "updateRev"));
        EXPECT_EQ(row->GetFixedHeight(), 50);
    }
    EXPECT_EQ(w.Row(0)->GetInstallerPath(), (folder / "UpdateData" / "MS.exe").string());
    EXPECT_TRUE(std::filesystem::is_directory(folder / "UpdateData"));
    EXPECT_EQ(w.Header(), UpdateHeader::None);
    EXPECT_EQ(Text("Update_Status_text"), "This program does not fetch updates");
    EXPECT_FALSE(window->FindControl("update_status_ring")->IsVisible());
    EXPECT_TRUE(window->FindControl("update_status_image")->IsVisible());
}

TEST_F(SetWndTest, TheLastCheckDateIsWrittenOnceWithoutLeadingZeros) {
    Open();
    EXPECT_EQ(window->LastCheckDate(), "2025-3-7");
    std::string first;
    ASSERT_TRUE(platform::ReadWholeFile((folder / "updatetime.config").string(), first));
    EXPECT_NE(first.find("\"value\" : \"2025-3-7\""), std::string::npos) << first;
    window.reset();

    windows::SetWndRequest later = Request();
    later.clock = [] { return platform::LocalTime{2026, 12, 24, 0, 0, 0, 0}; };
    Open(std::move(later));
    EXPECT_EQ(window->LastCheckDate(), "2025-3-7");
    std::string second;
    ASSERT_TRUE(platform::ReadWholeFile((folder / "updatetime.config").string(), second));
    EXPECT_EQ(second, first);
    // The last-check header shows the date as plain text and clears the main window's badge.
    window->SetHeader(UpdateHeader::Latest);
    EXPECT_EQ(Text("Update_Status_text"), "Everything is up to date. Last checked: 2025-3-7");
    ASSERT_FALSE(sink.received.empty());
    EXPECT_EQ(sink.received.back().first, windows::kMsgClearSettingsBadge);
}

TEST_F(SetWndTest, TheLanguageComboSelectsSilentlyAndSendsTheChoice) {
    Open();
    ui::CComboUI* combo = Combo();
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->GetCount(), 4);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(LanguageMessages(), 0u) << "opening sends no language change";
    EXPECT_EQ(combo->GetItemAt(0)->GetText(), "简体中文");

    combo->SelectItem(3, false, true);
    ASSERT_EQ(LanguageMessages(), 1u);
    EXPECT_EQ(sink.received.back(), std::make_pair(windows::kMsgLanguageChanged, ui::WPARAM{3}));
}

TEST_F(SetWndTest, WithoutALanguageListTheComboStaysEmpty) {
    std::filesystem::remove(folder / "Language.config");
    Open();
    EXPECT_EQ(Combo()->GetCount(), 0);
    EXPECT_EQ(window->RowCount(), 3);
}

// The main window answers a choice with 3089 (wParam 0) once the new texts are loaded.
TEST_F(SetWndTest, ReTranslatesWhenTheLanguageChanges) {
    CSetWnd& w = Open();
    w.SetHeader(UpdateHeader::Latest);
    ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_cn.xml"));
    ui::CResourceManager::GetInstance()->ReloadText();
    ui::SendMessage(w.GetHWND(), windows::kMsgLanguageChanged, 0, 0);
    EXPECT_EQ(Text("Update_Status_text"), "已是最新版本。上次检查：2025-3-7");
    EXPECT_EQ(Text("setwnd_title"), "设置");
    EXPECT_EQ(Combo()->GetItemAt(1)->GetText(), "English");
    EXPECT_EQ(RowText(w.Row(0), "update_status_text"), "更新完成");
}

TEST_F(SetWndTest, RowStatusesShowTheirTextProgressAndCheck) {
    CUpdateInfoListItemUI* row = Open().Row(0);
    ASSERT_NE(row, nullptr);
    row->SetStatus(4);
    EXPECT_EQ(RowText(row, "update_status_text"), "Downloading");
    EXPECT_TRUE(RowShows(row, "update_status_ing"));
    EXPECT_EQ(RowText(row, "update_progress_value"), "0%");
    row->SetProgress(37);
    EXPECT_EQ(RowText(row, "update_progress_value"), "37%");
    // Setting the status again changes nothing, however the row was changed meanwhile.
    row->GetManager()->FindSubControlByName(row, "update_status_text")->SetText("mark");
    row->SetStatus(4);
    EXPECT_EQ(RowText(row, "update_status_text"), "mark");

    row->SetStatus(5);
    EXPECT_FALSE(RowShows(row, "update_status_ing"));
    EXPECT_TRUE(RowShows(row, "update_status_ok"));
    row->SetStatus(1);
    auto* check = static_cast<ui::COptionUI*>(
        row->GetManager()->FindSubControlByName(row, "check_name_select"));
    EXPECT_TRUE(check->IsEnabled());
    EXPECT_EQ(check->GetTextColor(), 0xFF0099FFu);
    row->SetStatus(0);
    EXPECT_FALSE(check->IsEnabled());
    EXPECT_EQ(check->GetDisabledTextColor(), 0xFF666666u);
    row->SetStatus(9);  // no such status
    EXPECT_EQ(row->GetStatus(), 0);
}

TEST_F(SetWndTest, CloseIsRefusedWhileARowIsBusy) {
    CSetWnd& w = Open();
    const ui::HWND hwnd = w.GetHWND();
    for (int status : {0, 3, 4, 5, 6}) {
        w.Row(1)->SetStatus(status);
        ui::SendMessage(hwnd, ui::WM_CLOSE, 0, 0);
        backend.ProcessPending();
        ASSERT_TRUE(ui::IsWindow(hwnd)) << "status " << status;
    }
    for (int status : {1, 2, 8}) {
        w.Row(1)->SetStatus(status);
        EXPECT_TRUE(w.MayClose()) << status;
    }
    w.Row(1)->SetStatus(7);
    EXPECT_TRUE(ClickOn(hwnd, "laterbtn"));
    backend.ProcessPending();
    EXPECT_FALSE(ui::IsWindow(hwnd));
    EXPECT_EQ(CSetWnd::Current(), nullptr);
}

TEST_F(SetWndTest, CheckedRowsWaitForTheirDownloadAfterConfirming) {
    CSetWnd& w = Open();
    ui::CControlUI* update = w.FindControl("update_fw_and_ap");
    EXPECT_FALSE(update->IsVisible());
    w.Row(0)->SetStatus(1);
    w.Row(1)->SetStatus(2);
    w.Row(0)->SetChecked(true);
    EXPECT_TRUE(update->IsVisible());
    EXPECT_TRUE(update->IsEnabled());
    EXPECT_TRUE(ClickOn(w.GetHWND(), "update_fw_and_ap"));
    auto* tabs = dynamic_cast<ui::CTabLayoutUI*>(w.FindControl("get_update_tab_layout"));
    EXPECT_EQ(tabs->GetCurSel(), 1);

    EXPECT_TRUE(ClickOn(w.GetHWND(), "update_OK_btn"));
    EXPECT_EQ(w.Row(0)->GetStatus(), 3);
    EXPECT_EQ(w.Row(1)->GetStatus(), 2);
    EXPECT_FALSE(
        w.Row(1)->GetManager()->FindSubControlByName(w.Row(1), "check_name_select")->IsEnabled());
    EXPECT_EQ(w.Row(2)->GetStatus(), 7) << "rows not offered an update stay";
    EXPECT_FALSE(update->IsEnabled());
    EXPECT_EQ(tabs->GetCurSel(), 0);
    w.Row(0)->SetChecked(false);
    EXPECT_FALSE(update->IsVisible());
}

TEST_F(SetWndTest, AHotRowIsFramedUnlessChecked) {
    CSetWnd& w = Open();
    CUpdateInfoListItemUI* row = w.Row(0);
    w.GetPaintManager()->UpdateLayout();
    auto frames = [&] {
        auto* native = static_cast<ui::headless::HeadlessWindow*>(w.GetNativeWindow());
        size_t n = 0;
        for (const auto& op : native->Paint().OfKind(ui::headless::OpKind::RectOutline))
            n += op.rect == row->GetPos() ? 1 : 0;
        return n;
    };
    EXPECT_EQ(frames(), 0u);
    ui::TEventUI enter;
    enter.Type = ui::UIEVENT_MOUSEENTER;
    row->DoEvent(enter);
    EXPECT_TRUE(row->IsHot());
    EXPECT_EQ(frames(), 1u);
    row->SetStatus(1);
    row->SetChecked(true);
    EXPECT_EQ(frames(), 0u);
    ui::TEventUI leave;
    leave.Type = ui::UIEVENT_MOUSELEAVE;
    row->DoEvent(leave);
    EXPECT_FALSE(row->IsHot());
}

TEST_F(SetWndTest, OnlyOneOpensAndItTakesTheDialogDpi) {
    windows::SetWndRequest request = Request();
    request.dpi = 144;
    backend.Schedule([&] {
        ASSERT_NE(CSetWnd::CurrentWindow(), nullptr);
        EXPECT_EQ(CSetWnd::CurrentWindow()->GetDialogDpi(), 144);
        EXPECT_EQ(windows::OpenSettingsWindow(Request()), -1) << "one at a time";
        EXPECT_TRUE(ClickOn(CSetWnd::Current(), "closebtn"));
    });
    EXPECT_EQ(windows::OpenSettingsWindow(std::move(request)), 0);
    EXPECT_EQ(CSetWnd::Current(), nullptr);
}

}  // namespace
