#include "app/MainWndMessages.h"

#include "hid/ScanReporter.h"
#include "ui/core/UIDefs.h"

namespace app {

namespace {
// The mouse's "page filled" notice and the list's link state (devices/, app/devicelist/).
constexpr uint32_t kMsgDeviceInitUI = 3333;
constexpr uint32_t kMsgLinkState = 3331;

// Hook messages the main window hands on to the recorder; the others it ignores.
bool HookIsHandled(size_t index) {
    switch (index) {
        case 1:   // WM_HOOK_KEY_HITKEY_MSG
        case 7:   // WM_HOOK_MOU_SINGLEKEY_MSG
        case 8:   // WM_HOOK_MOU_HITKEY_MSG
        case 9:   // WM_HOOK_MOU_KBMACRO_MSG
        case 10:  // WM_HOOK_MOU_MSMACRO_MSG
            return false;
        default:
            return true;
    }
}
}  // namespace

std::vector<MessageRow> BuildMessageTable(const AppMessages& m) {
    std::vector<MessageRow> rows = {
        {ui::WM_ACTIVATE, MsgHandler::Activate, false},
        {ui::WM_MOUSELEAVE, MsgHandler::MouseLeave, false},
        {ui::WM_MOUSEHOVER, MsgHandler::MouseHover, false},
        {ui::WM_MOUSEWHEEL, MsgHandler::MouseWheel, false},
        {m.productTitle, MsgHandler::ProductTitle, false},
        {m.settingsForward, MsgHandler::SettingsForward, false},
        {m.lightCommand, MsgHandler::LightCommand, false},
        {m.workToolQuery, MsgHandler::WorkToolQuery, false},
        {ui::WM_DESTROY, MsgHandler::Destroy, false},
        {ui::WM_POWERBROADCAST, MsgHandler::Power, false},
    };
    for (size_t i = 0; i < m.hook.size(); ++i)
        rows.push_back({m.hook[i], HookIsHandled(i) ? MsgHandler::Hook : MsgHandler::HookIgnored,
                        true, static_cast<int>(i)});
    for (size_t i = 0; i < m.game.size(); ++i)
        rows.push_back({m.game[i], MsgHandler::Game, true, static_cast<int>(i)});
    const MessageRow fixed[] = {
        {kMsgShowSettingProgress, MsgHandler::ShowSettingProgress, true},
        {kMsgLanguage, MsgHandler::Language, true},
        {hid::WM_USB_MAINMESS_DEVICE_ADD, MsgHandler::DeviceAdd, false},
        {hid::WM_USB_MAINMESS_DEVICE_REMOVE, MsgHandler::DeviceRemove, false},
        {kMsgOpenSettings, MsgHandler::OpenSettings, true},
        {kMsgClearSetButtonImage, MsgHandler::ClearSetButtonImage, true},
        {kMsgNothing, MsgHandler::Nothing, true},
        {kMsgLinkState, MsgHandler::LinkState, false},
        {kMsgForcedUpgrade, MsgHandler::ForcedUpgrade, true},
        {kMsgDeviceInitUI, MsgHandler::DeviceInitUI, false},
        {ui::UIMSG_TRAYICON, MsgHandler::TrayIcon, true},
        {kMsgInputHook, MsgHandler::InputHook, true},
        {ui::WM_MENUCLICK, MsgHandler::MenuCommand, true},
        {kMsgDpiNotice, MsgHandler::DpiNotice, true},
        {ui::WM_DPICHANGED, MsgHandler::DpiChanged, true},
        {ui::WM_COPYDATA, MsgHandler::CopyData, true},
        {ui::WM_DISPLAYCHANGE, MsgHandler::DisplayChange, true},
        {ui::WM_TIMER, MsgHandler::Timer, true},
    };
    rows.insert(rows.end(), std::begin(fixed), std::end(fixed));
    std::erase_if(rows, [](const MessageRow& row) { return row.message == 0; });
    return rows;
}

std::optional<MessageRow> FindMessageRow(const std::vector<MessageRow>& table, uint32_t message) {
    for (const MessageRow& row : table) {
        if (row.message == message)
            return row;
    }
    return std::nullopt;
}

}  // namespace app
