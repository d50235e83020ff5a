// skin-preview: shows a window of the program's skin without devices or the program around
// it: the main layout with sample devices, the message box, the about window, the colour
// palette, the skin frame under the main window, the settings window or the music window, at a
// chosen DPI and language. With --screenshot PATH it renders the window to a PNG and exits 0.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "PreviewMainWnd.h"
#include "WindowShot.h"
#include "controls/ProgramControls.h"
#include "controls/UpdateInfoListItemUI.h"
#include "platform/Folders.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/PaintManager.h"
#include "ui/qt/QtBackend.h"
#include "ui/shell/MenuWnd.h"
#include "ui/skin/ResourceManager.h"
#include "windows/AboutWnd.h"
#include "windows/ColorSelectWnd.h"
#include "windows/MsgWnd.h"
#include "windows/MusicWnd.h"
#include "windows/SetWnd.h"
#include "windows/SkinFrame.h"

namespace {

constexpr const char* kUsage =
    "usage: skin-preview [--window main|msg|about|menu|palette|skin|settings|music]\n"
    "                    [--pose POSE] [--dpi N]\n"
    "                    [--lang en|cn] [--size WxH] [--screenshot PATH]\n"
    "  --pose  main window: devices (default), sync, empty, nodevice, error;\n"
    "          message box: confirm (one button) or ask (two);\n"
    "          palette: multi (the multicolour switch shown and on);\n"
    "          skin: color (the colour page);\n"
    "          settings: list (default: a mouse, a mouse pad and the program), offer (the\n"
    "          mouse offered an update and checked)\n";

struct Options {
    std::string window = "main";
    std::string pose;
    std::string lang = "en";
    std::string screenshot;
    int dpi = 96;
    int cx = 1000;
    int cy = 640;
};

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        auto value = [&](std::string& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string dpi;
        if (std::strcmp(argv[i], "--window") == 0) {
            if (!value(o.window))
                return false;
        } else if (std::strcmp(argv[i], "--pose") == 0) {
            if (!value(o.pose))
                return false;
        } else if (std::strcmp(argv[i], "--lang") == 0) {
            if (!value(o.lang))
                return false;
        } else if (std::strcmp(argv[i], "--screenshot") == 0) {
            if (!value(o.screenshot))
                return false;
        } else if (std::strcmp(argv[i], "--size") == 0) {
            std::string size;
            if (!value(size) || std::sscanf(size.c_str(), "%dx%d", &o.cx, &o.cy) != 2 ||
                o.cx < 200 || o.cy < 200)
                return false;
        } else if (std::strcmp(argv[i], "--dpi") == 0) {
            if (!value(dpi))
                return false;
            o.dpi = std::atoi(dpi.c_str());
        } else {
            return false;
        }
    }
    return o.window == "main" || o.window == "msg" || o.window == "about" || o.window == "menu" ||
           o.window == "palette" || o.window == "skin" || o.window == "settings" ||
           o.window == "music";
}

// The palette, the settings window and the music window do not delete themselves; the preview keeps
// them until the end.
std::unique_ptr<windows::CColorSelectWnd> g_palette;
std::unique_ptr<windows::CSetWnd> g_settings;
std::unique_ptr<windows::CMusicWnd> g_music;

windows::UpdateEntry SampleEntry(int format, uint32_t version, const char* code,
                                 const char* shortName, const char* versionText) {
    windows::UpdateEntry entry;
    entry.versionFormat = format;
    entry.second = 1;
    entry.version = version;
    entry.code = code;
    entry.shortName = shortName;
    entry.name = shortName;
    entry.versionText = versionText;
    return entry;
}

// As the program opens it beside a connected mouse and mouse pad, shown without its modal loop.
ui::HWND OpenSettings(const Options& o) {
    windows::SetWndRequest request;
    request.dpi = o.dpi;
    request.languageIndex = o.lang == "cn" ? 0 : 1;
    request.entries = {SampleEntry(1, o.pose == "offer" ? 0x0102 : 0x0105, "QP22M41B", "MS", ""),
                       SampleEntry(2, 0x01ab, "QP22M33B_1", "J71", ""),
                       SampleEntry(0, 0x0100, "ALL", "AP", "V0100")};
    request.languageConfigPath = platform::DefaultDataFolder() + "Language.config";
    request.updateTimePath = platform::UserFolder() + windows::kUpdateTimeFileName;
    request.installerFolder = platform::TempFolder() + windows::kInstallerFolderName;
    g_settings = std::make_unique<windows::CSetWnd>(std::move(request));
    if (g_settings->Create(nullptr, windows::kSetWndTitle, ui::WS_POPUP | ui::WS_VISIBLE,
                           ui::WS_EX_TOOLWINDOW, 0, 0, windows::kSetWndWidth,
                           windows::kSetWndHeight) == nullptr)
        return nullptr;
    g_settings->Place();
    return g_settings->GetHWND();
}

// The rows come from the list worker through the window's queue; the offer pose then shows
// the mouse's row offered an update and checked.
void PoseSettings(const Options& o) {
    if (!g_settings || o.pose != "offer")
        return;
    if (controls::CUpdateInfoListItemUI* row = g_settings->Row(0)) {
        row->SetStatus(1);
        row->SetOfferedVersion("V0103");
        row->SetChecked(true);
    }
}

ui::HWND OpenWindow(const Options& o) {
    if (o.window == "palette") {
        // As the program opens it, shown without its modal loop.
        g_palette = std::make_unique<windows::CColorSelectWnd>();
        if (g_palette->Create(nullptr, "PalletDialog", ui::WS_POPUP | ui::WS_VISIBLE,
                              ui::WS_EX_TOOLWINDOW, 0, 0, 800, 572) == nullptr)
            return nullptr;
        g_palette->SetDialogDpi(o.dpi);
        g_palette->SetColour(0xFF4C8DFF);
        g_palette->EnableMultiColour(o.pose == "multi" ? 1 : 0);
        g_palette->SetMultiColour(o.pose == "multi" ? 1 : 0);
        g_palette->CenterWindow();
        return g_palette->GetHWND();
    }
    if (o.window == "music") {
        // As the program opens it, shown without its modal loop, on a sample of styles.
        g_music = std::make_unique<windows::CMusicWnd>();
        if (g_music->Create(nullptr, "  ", ui::WS_POPUP | ui::WS_VISIBLE, ui::WS_EX_TOOLWINDOW, 0,
                            0, windows::kMusicWidth, windows::kMusicHeight) == nullptr)
            return nullptr;
        g_music->SetDialogDpi(o.dpi);
        windows::MusicSettings sample;
        sample.style = 1;
        for (size_t s = 0; s < sample.names.size(); ++s)
            sample.names[s] = windows::kDefaultStyleNames[s];
        sample.colours = {{{9, 0, 0}, {2, 9, 5}, {0, 0, 9}, {9, 9, 9}}};
        g_music->SetSettings(sample);
        g_music->CenterWindow();
        return g_music->GetHWND();
    }
    if (o.window == "about")
        return windows::CAboutWnd::Open(nullptr, o.dpi);
    if (o.window == "skin") {
        // The frame dropped down under the skin button of the main window, as a click opens it.
        auto* owner = new preview::PreviewMainWnd("devices");
        if (owner->Create(nullptr, "T418-ZEN", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 800, 572) ==
            nullptr)
            return nullptr;
        owner->Pose();
        owner->ResizeClient(o.cx, o.cy);
        owner->GetPaintManager()->SetDPI(o.dpi);
        owner->CenterWindow();
        owner->GetPaintManager()->UpdateLayout();
        ui::HWND frame = windows::CSkinFrame::Open(
            owner->GetHWND(), owner->GetPaintManager()->FindControl("skinbtn"));
        if (frame != nullptr && o.pose == "color") {
            auto* skin = static_cast<windows::CSkinFrame*>(ui::GetWindowObject(frame));
            // As a click on the head: the head selected, then its page shown.
            if (ui::CControlUI* head = skin->GetPaintManager()->FindControl("skin_color")) {
                if (auto* option = static_cast<ui::COptionUI*>(head->GetInterface("Option")))
                    option->Selected(true, false);
                skin->GetPaintManager()->SendNotify(head, "click", 0, 0, false);
            }
        }
        return frame;
    }
    if (o.window == "settings")
        return OpenSettings(o);
    if (o.window == "msg") {
        // The box as ShowMessage sets it up, shown without its modal loop.
        auto* box = new windows::CMsgWnd();
        if (box->Create(nullptr, "msgwnd", ui::WS_POPUP | ui::WS_CLIPCHILDREN,
                        ui::WS_EX_TOOLWINDOW) == nullptr)
            return nullptr;
        box->SetMessageText(o.pose == "confirm" ? "message_text_33" : "message_text_22", true);
        box->SetDPI(o.dpi);
        box->SetButtons(o.pose == "confirm" ? windows::kMsgButtonsConfirm
                                            : windows::kMsgButtonsConfirmAndCancel);
        box->CenterWindow();
        box->ShowWindow(true, true);
        return box->GetHWND();
    }
    if (o.window == "menu") {
        // The tray menu, over the main window's paint manager as the program opens it.
        auto* owner = new preview::PreviewMainWnd("empty");
        if (owner->Create(nullptr, "T418-ZEN", ui::WS_POPUP, 0) == nullptr)
            return nullptr;
        owner->GetPaintManager()->SetDPI(o.dpi);
        ui::CMenuWnd* menu = ui::CMenuWnd::CreateMenu(nullptr, "menu.xml", ui::POINT{100, 100},
                                                      owner->GetPaintManager());
        return menu != nullptr ? menu->GetHWND() : nullptr;
    }
    auto* main = new preview::PreviewMainWnd(o.pose.empty() ? "devices" : o.pose);
    if (main->Create(nullptr, "T418-ZEN", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 800, 572) ==
        nullptr)
        return nullptr;
    main->Pose();
    // As the program fits it: 1000 x 640 (or --size) at 96 DPI, then the display's DPI.
    main->ResizeClient(o.cx, o.cy);
    main->GetPaintManager()->SetDPI(o.dpi);
    main->CenterWindow();
    return main->GetHWND();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf("%s", kUsage);
        return 0;
    }
    Options o;
    if (!Parse(argc, argv, o)) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    ui::qt::QtBackend backend(argc, argv);
    ui::SetBackend(&backend);
    ui::CPaintManagerUI::SetResourcePath(ui::CPaintManagerUI::GetInstancePath() + "skin/");
    auto* resources = ui::CResourceManager::GetInstance();
    resources->LoadResource("res.xml");
    resources->LoadLanguage(o.lang == "cn" ? "lan_cn.xml" : "lan_en.xml");
    controls::ControlCreators creators;
    controls::AddCustomControlCreators(creators);
    controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);

    ui::HWND window = OpenWindow(o);
    if (window == nullptr) {
        std::fprintf(stderr, "skin-preview: the window cannot be created\n");
        return 1;
    }
    auto settle = [&backend] {
        int timer = backend.StartTimer(80, [&backend] { backend.QuitLoop(0); });
        backend.RunLoop();
        backend.StopTimer(timer);
    };
    settle();
    if (o.window == "settings") {
        PoseSettings(o);
        settle();
    }
    if (o.screenshot.empty()) {
        int code = ui::CPaintManagerUI::MessageLoop();
        g_palette.reset();
        g_settings.reset();
        g_music.reset();
        ui::SetBackend(nullptr);
        return code;
    }
    bool written = preview::WriteWindowShot(window, o.screenshot);
    if (written)
        std::printf("%s\n", o.screenshot.c_str());
    ui::DestroyWindow(window);
    g_palette.reset();
    g_settings.reset();
    g_music.reset();
    ui::SetBackend(nullptr);
    return written ? 0 : 1;
}
