#include "windows/SetWnd.h"

#include <utility>

#include "controls/UpdateInfoListItemUI.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/Trace.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/ListElementUI.h"
#include "ui/controls/ListUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/StringUtil.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/skin/DialogBuilder.h"
#include "ui/skin/ResourceManager.h"
#include "windows/AboutWnd.h"
#include "windows/DialogDpi.h"
#include "windows/DpiChange.h"

namespace windows {

namespace {

CSetWnd* g_openSettings = nullptr;  // the one settings window (window thread only)

constexpr ui::DWORD kSetWndStyle = ui::WS_POPUP | ui::WS_VISIBLE;
constexpr ui::DWORD kSetWndExStyle = ui::WS_EX_TOOLWINDOW;
constexpr char kSetWndRowLayout[] = "XML/CustomControlXML/device_Update_list_item.xml";
constexpr char kSetWndList[] = "device_update_list_info";
constexpr char kSetWndCombo[] = "Language_combox_info";
constexpr char kSetWndRowCheck[] = "check_name_select";
constexpr char kSetWndUpdateButton[] = "update_fw_and_ap";
constexpr char kSetWndUpdateTabs[] = "get_update_tab_layout";
constexpr uint32_t kSetWndWorkerStopMs = 500;

// Only these statuses may be left by closing the window: nothing is under way in them.
bool SetWndStatusAllowsClose(int status) {
    return status == 7 || status == 1 || status == 2 || status == 8;
}

int SetWndScaled(int value, int dpi) {
    return value * dpi / 96;
}

}  // namespace

int OpenSettingsWindow(SetWndRequest request) {
    if (g_openSettings != nullptr) {
        g_openSettings->ShowWindow(true, true);
        return -1;
    }
    const ui::HWND owner = request.mainWindow;
    auto window = std::make_unique<CSetWnd>(std::move(request));
    if (window->Create(owner, kSetWndTitle, kSetWndStyle, kSetWndExStyle, 0, 0, kSetWndWidth,
                       kSetWndHeight) == nullptr)
        return -1;
    window->Place();
    window->ShowModal();
    return 0;
}

CSetWnd::CSetWnd(SetWndRequest request)
    : m_request(std::move(request)), m_languageIndex(m_request.languageIndex) {
    m_request.entries = EntriesWithVersion(m_request.entries);
    AddNotifyHandler("windowinit", [this](ui::TNotifyUI&) { OnWindowInit(); });
    AddNotifyHandler("itemselect", kSetWndCombo, [this](ui::TNotifyUI&) { OnLanguageChosen(); });
    AddNotifyHandler("selectchanged", kSetWndRowCheck, [this](ui::TNotifyUI&) { OnRowChecked(); });
}

CSetWnd::~CSetWnd() {
    StopWorkers();
    if (g_openSettings == this)
        g_openSettings = nullptr;
}

ui::HWND CSetWnd::Current() {
    return g_openSettings != nullptr ? g_openSettings->GetHWND() : nullptr;
}

CSetWnd* CSetWnd::CurrentWindow() {
    return g_openSettings;
}

void CSetWnd::InitWindow() {
    g_openSettings = this;
    m_closeBtn = m_pm.FindControl("closebtn");
    m_maxBtn = m_pm.FindControl("maxbtn");
    m_restoreBtn = m_pm.FindControl("restorebtn");
    m_minBtn = m_pm.FindControl("minbtn");
    m_menuBtn = m_pm.FindControl("menubtn");
    m_laterBtn = m_pm.FindControl("laterbtn");
    m_list = m_pm.FindControl(kSetWndList);
    m_languages = m_pm.FindControl(kSetWndCombo);
    SetDialogDpi(m_request.dpi);
}

void CSetWnd::SetDialogDpi(int dpi) {
    DpiChoice choice = windows::SetDialogDpi(m_pm.GetDPI(), dpi, "SET_WND DPI SET ERROR");
    m_dpi = choice.dpi;
    if (choice.apply)
        m_pm.SetDPI(choice.dpi);
}

void CSetWnd::Place() {
    if (m_request.centred) {
        CenterWindow();
        return;
    }
    const ui::RECT rc = GetWindowRect();
    const int x = m_request.mainRect.right - rc.Width() - SetWndScaled(30, m_request.mainDpi);
    const int y = m_request.mainRect.top + SetWndScaled(60, m_request.mainDpi);
    SetWindowPos(ui::RECT{x, y, x + rc.Width(), y + rc.Height()});
}

void CSetWnd::OnWindowInit() {
    FillLanguages();
    const platform::LocalTime today =
        m_request.clock ? m_request.clock() : platform::CurrentLocalTime();
    if (!m_request.updateTimePath.empty())
        m_lastCheck = LoadOrStoreLastCheckDate(m_request.updateTimePath, today);
    SetHeader(UpdateHeader::Checking);
    StartListWorker();
}

void CSetWnd::FillLanguages() {
    auto* combo = dynamic_cast<ui::CComboUI*>(m_languages);
    if (combo == nullptr)
        return;
    std::string config;
    if (!platform::ReadWholeFile(m_request.languageConfigPath, config, 1u << 20))
        return;  // no list: the combo stays empty
    for (const std::string& key : LanguageComboTexts(config)) {
        auto* item = new ui::CListLabelElementUI();
        item->SetResourceText(true);
        item->SetText(key);
        combo->Add(item);
    }
    // The opener's language, without telling anyone: opening changes no language.
    combo->SelectItem(m_languageIndex, false, false);
}

void CSetWnd::StartListWorker() {
    const ui::HWND self = m_hWnd;
    m_listWorker.Start([self, entries = m_request.entries,
                        folder = m_request.installerFolder](platform::Event& stop) {
        if (!folder.empty() && !platform::FolderExists(folder))
            platform::EnsureFolder(folder);
        std::vector<UpdateRowData> rows;
        for (const UpdateEntry& entry : entries) {
            if (stop.IsSet())
                return;
            rows.push_back(MakeUpdateRow(entry, folder));
        }
        // The rows are controls: the window thread makes them. A window gone meanwhile
        // drops the task.
        ui::PostTask(self, [self, rows = std::move(rows)] {
            if (auto* window = dynamic_cast<CSetWnd*>(ui::GetWindowObject(self)))
                window->AddRows(rows);
        });
    });
}

void CSetWnd::StopWorkers() {
    if (!m_listWorker.Running())
        return;
    if (m_listWorker.Stop(kSetWndWorkerStopMs))
        platform::Trace("所有对象处于激发状态\n");
    else
        platform::Trace("SetWnd: the list worker did not stop in time; it ends on its own\n");
}

void CSetWnd::AddRows(const std::vector<UpdateRowData>& rows) {
    auto* list = dynamic_cast<ui::CListUI*>(m_list);
    for (const UpdateRowData& data : rows) {
        if (list == nullptr)
            break;
        auto* row = new controls::CUpdateInfoListItemUI();
        ui::CDialogBuilder builder;
        if (builder.Create(kSetWndRowLayout, "", nullptr, &m_pm, row) == nullptr)
            platform::TraceF("SetWnd: the row layout %s cannot be built", kSetWndRowLayout);
        row->SetRowName(data.name);
        row->SetCurrentVersion(data.version);
        row->SetOfferedVersion("");
        row->SetStatus(controls::kUpdateStatusNone);
        row->EnableCheck(false);
        row->SetInstallerPath(data.installerPath);
        list->Add(row);
    }
    m_listBuilt = true;
    // Nothing is fetched: say so instead of checking for ever.
    SetHeader(UpdateHeader::None);
    ScreenshotWhenReady();
}

void CSetWnd::ScreenshotWhenReady() {
    // The picture shows the window painted with its list, once.
    if (m_request.screenshotPath.empty() || !m_painted || !m_listBuilt || m_screenshotPosted)
        return;
    m_screenshotPosted = true;
    const ui::HWND self = m_hWnd;
    ui::PostTask(self, [self] {
        if (auto* window = dynamic_cast<CSetWnd*>(ui::GetWindowObject(self)))
            window->WriteScreenshot();
    });
}

int CSetWnd::RowCount() const {
    auto* list = dynamic_cast<ui::CListUI*>(m_list);
    return list != nullptr ? list->GetCount() : 0;
}

controls::CUpdateInfoListItemUI* CSetWnd::Row(int index) const {
    auto* list = dynamic_cast<ui::CListUI*>(m_list);
    if (list == nullptr || index < 0 || index >= list->GetCount())
        return nullptr;
    return dynamic_cast<controls::CUpdateInfoListItemUI*>(list->GetItemAt(index));
}

void CSetWnd::SetHeader(UpdateHeader state) {
    m_header = state;
    ui::CControlUI* ring = m_pm.FindControl("update_status_ring");
    ui::CControlUI* text = m_pm.FindControl("Update_Status_text");
    ui::CControlUI* image = m_pm.FindControl("update_status_image");
    const bool checking = state == UpdateHeader::Checking;
    if (ring != nullptr)
        ring->SetVisible(checking);
    if (image != nullptr)
        image->SetVisible(!checking);
    if (text == nullptr)
        return;
    switch (state) {
        case UpdateHeader::Checking:
        case UpdateHeader::Available:
        case UpdateHeader::None:
        case UpdateHeader::Updating: {
            static constexpr const char* kKeys[] = {"GetUpdateInfoText", "HaveUpdateInfoText",
                                                    "NoUpdateInfoText", "ISUpdateINGText"};
            text->SetResourceText(true);
            text->SetText(kKeys[static_cast<int>(state)]);
            break;
        }
        case UpdateHeader::Latest:
            text->SetResourceText(false);
            text->SetText(ui::CResourceManager::GetInstance()->GetText("UpdateIsLastText") +
                          m_lastCheck);
            if (m_request.mainWindow != nullptr)
                ui::SendMessage(m_request.mainWindow, kMsgClearSettingsBadge, 0, 0);
            break;
    }
}

bool CSetWnd::MayClose() const {
    for (int i = 0; i < RowCount(); ++i) {
        if (const controls::CUpdateInfoListItemUI* row = Row(i);
            row != nullptr && !SetWndStatusAllowsClose(row->GetStatus()))
            return false;
    }
    return true;
}

void CSetWnd::OnClick(ui::TNotifyUI& msg) {
    if (msg.pSender == nullptr)
        return;
    const std::string name = msg.pSender->GetName();
    if (ui::EqualsNoCase(name, "closebtn") || ui::EqualsNoCase(name, "laterbtn")) {
        StopWorkers();
        Close(0);
    } else if (ui::EqualsNoCase(name, "minbtn")) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_MINIMIZE, 0);
    } else if (ui::EqualsNoCase(name, "maxbtn")) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_MAXIMIZE, 0);
    } else if (ui::EqualsNoCase(name, "restorebtn")) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);
    } else if (ui::EqualsNoCase(name, "set_in_update_wnd_btn")) {
        if (ui::CControlUI* tip = m_pm.FindControl("update_tishi_layout"))
            tip->SetVisible(false);
        ResizeClient(SetWndScaled(kSetWndWidth, m_dpi), SetWndScaled(kSetWndHeight, m_dpi));
    } else if (ui::EqualsNoCase(name, kSetWndUpdateButton)) {
        if (auto* tabs = dynamic_cast<ui::CTabLayoutUI*>(m_pm.FindControl(kSetWndUpdateTabs)))
            tabs->SelectItem(1);
    } else if (ui::EqualsNoCase(name, "update_OK_btn")) {
        OnUpdateConfirmed();
    }
    // "menubtn", "homepage_btn": nothing.
}

void CSetWnd::OnUpdateConfirmed() {
    for (int i = 0; i < RowCount(); ++i) {
        controls::CUpdateInfoListItemUI* row = Row(i);
        if (row == nullptr || (row->GetStatus() != 1 && row->GetStatus() != 2))
            continue;
        if (row->IsChecked())
            row->SetStatus(3);
        else
            row->EnableCheck(false);
    }
    if (ui::CControlUI* button = m_pm.FindControl(kSetWndUpdateButton))
        button->SetEnabled(false);
    if (auto* tabs = dynamic_cast<ui::CTabLayoutUI*>(m_pm.FindControl(kSetWndUpdateTabs)))
        tabs->SelectItem(0);
}

void CSetWnd::OnRowChecked() {
    bool any = false;
    for (int i = 0; i < RowCount() && !any; ++i) {
        if (controls::CUpdateInfoListItemUI* row = Row(i))
            any = row->IsChecked();
    }
    if (ui::CControlUI* button = m_pm.FindControl(kSetWndUpdateButton)) {
        button->SetEnabled(any);
        button->SetVisible(any);
    }
}

void CSetWnd::OnLanguageChosen() {
    auto* combo = dynamic_cast<ui::CComboUI*>(m_languages);
    if (combo == nullptr || m_request.mainWindow == nullptr)
        return;
    m_languageIndex = combo->GetCurSel();
    ui::SendMessage(m_request.mainWindow, kMsgLanguageChanged,
                    static_cast<ui::WPARAM>(m_languageIndex), 0);
}

ui::LRESULT CSetWnd::OnClose(ui::UINT /*uMsg*/, ui::WPARAM /*wParam*/, ui::LPARAM /*lParam*/,
                             bool& bHandled) {
    if (!MayClose()) {
        bHandled = true;  // refused: a row is busy
        return 0;
    }
    StopWorkers();
    bHandled = false;
    return 0;
}

ui::LRESULT CSetWnd::OnSysCommand(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                  bool& bHandled) {
    bHandled = true;
    if ((wParam & 0xFFF0) == ui::SC_CLOSE) {
        // Ends this dialog only, through the close rules (a quit message could end the loop
        // of whatever runs innermost).
        StopWorkers();
        Close(0);
        return 0;
    }
    const bool zoomed = IsMaximized();
    ui::HWND self = m_hWnd;
    ui::LRESULT result = CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    if (ui::IsWindow(self) && zoomed != IsMaximized())
        ShowZoomButtons();
    return result;
}

void CSetWnd::ShowZoomButtons() {
    const bool zoomed = IsMaximized();
    if (m_restoreBtn != nullptr)
        m_restoreBtn->SetVisible(zoomed);
    if (m_maxBtn != nullptr)
        m_maxBtn->SetVisible(!zoomed);
}

ui::LRESULT CSetWnd::HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                         bool& bHandled) {
    bHandled = false;
    if (uMsg == ui::WM_PAINT && !m_painted) {
        m_painted = true;
        ui::LRESULT result = 0;
        m_pm.MessageHandler(uMsg, wParam, lParam, result);
        bHandled = true;
        if (auto notice = std::exchange(m_request.onFirstPaint, nullptr))
            notice();
        ScreenshotWhenReady();
        return result;
    }
    if (uMsg == kMsgLanguageChanged) {
        // The resource-text controls follow by themselves; the date header is plain text.
        if (m_header == UpdateHeader::Latest)
            SetHeader(UpdateHeader::Latest);
        if (ui::CControlUI* root = m_pm.GetRoot())
            root->NeedUpdate();
        m_pm.NeedUpdate();
        m_pm.Invalidate();
        bHandled = true;
        return 0;
    }
    if (uMsg == ui::WM_DPICHANGED) {
        m_dpi = FollowDpiChange(*this, m_pm, wParam, lParam);
        bHandled = true;
        return 0;
    }
    return 0;
}

void CSetWnd::WriteScreenshot() {
    m_pm.UpdateLayout();
    const std::string& path = m_request.screenshotPath;
    const size_t slash = path.rfind('/');
    const bool folder = slash == std::string::npos || platform::EnsureFolder(path.substr(0, slash));
    ui::NativeWindow* native = GetNativeWindow();
    if (!folder || native == nullptr || !native->SaveScreenshot(path))
        platform::TraceF("SetWnd: the screenshot \"%s\" cannot be written",
                         m_request.screenshotPath.c_str());
    else
        platform::TraceF("SetWnd: screenshot written to %s", m_request.screenshotPath.c_str());
}

void CSetWnd::OnFinalMessage(ui::HWND /*hWnd*/) {
    StopWorkers();
    if (g_openSettings == this)
        g_openSettings = nullptr;
}

}  // namespace windows
