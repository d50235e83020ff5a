#pragma once
// The main window's message table: which handler each window message reaches and whether the
// awake flag gates it. While the system sleeps (between a suspend notice and the next
// automatic resume) the gated rows are not handled: no UI work, no timers. Device
// bookkeeping (arrival, removal, link state, device ready) is never gated: a device that
// comes or goes meanwhile must still be counted, or the list would hold a stale item.
// Pure; any thread.
#include <cstdint>
#include <optional>
#include <vector>

#include "app/AppMessages.h"

namespace app {

// Internal window messages of the main window and its device threads.
inline constexpr uint32_t kMsgShowSettingProgress = 3072;
inline constexpr uint32_t kMsgLanguage = 3089;
inline constexpr uint32_t kMsgOpenSettings = 3093;
inline constexpr uint32_t kMsgClearSetButtonImage = 3094;
inline constexpr uint32_t kMsgNothing = 3330;
inline constexpr uint32_t kMsgForcedUpgrade = 3332;
inline constexpr uint32_t kMsgInputHook = 1054;
inline constexpr uint32_t kMsgDpiNotice = 1224;

// Power notices (wParam of WM_POWERBROADCAST).
inline constexpr uint32_t kPbtApmSuspend = 0x0004;
inline constexpr uint32_t kPbtApmResumeAutomatic = 0x0012;

enum class MsgHandler {
    Activate,
    MouseLeave,
    MouseHover,
    MouseWheel,
    ProductTitle,
    SettingsForward,
    LightCommand,
    WorkToolQuery,
    Destroy,
    Power,
    Hook,
    HookIgnored,
    Game,
    ShowSettingProgress,
    Language,
    DeviceAdd,
    DeviceRemove,
    OpenSettings,
    ClearSetButtonImage,
    Nothing,
    LinkState,
    ForcedUpgrade,
    DeviceInitUI,
    TrayIcon,
    InputHook,
    MenuCommand,
    DpiNotice,
    DpiChanged,
    CopyData,
    DisplayChange,
    Timer,
};

struct MessageRow {
    uint32_t message;
    MsgHandler handler;
    bool gated;      // not handled while the awake flag is 0
    int index = -1;  // hook and game rows: the position in their name list
};

// Every row, built from the registered numbers; a registered message that failed to register
// (number 0) has no row.
std::vector<MessageRow> BuildMessageTable(const AppMessages& messages);

// The row of a message in a table built by BuildMessageTable.
std::optional<MessageRow> FindMessageRow(const std::vector<MessageRow>& table, uint32_t message);

}  // namespace app
