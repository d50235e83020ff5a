#pragma once
// The window messages the program shares with other processes and its own threads: the
// product-title message (single-instance hand-over, first scan done), the five companion
// messages, the input-hook messages, the admitted mouse messages and the game events. Each
// is registered by name on the session bus, so every process that registers the same name
// gets the same number.
//
// Threads: RegisterAll* run on the window thread at start-up, before any other thread
// starts; afterwards every thread may read Messages().
#include <array>
#include <cstdint>

namespace app {

inline constexpr const char* kProductTitle = "Draxmoor T418-ZEN";
inline constexpr const char* kMainCaption = "T418-ZEN";

inline constexpr std::array<const char*, 5> kCompanionMessageNames = {
    "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}", "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}",
    "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}", "{4695579F-999A-41d4-9FAF-EFFCE93EBF18}",
    "{4695579F-999A-41d4-9FAF-EFFCE93EBE19}"};

inline constexpr std::array<const char*, 14> kHookMessageNames = {
    "WM_HOOK_KEY_SINGLEKEY_MSG",       "WM_HOOK_KEY_HITKEY_MSG",
    "WM_HOOK_KEY_KBMACRO_MSG",         "WM_HOOK_KEY_MSMACRO_MSG",
    "WM_HOOK_KEY_KBMACROSINGLE_MSG",   "WM_HOOK_KEY_KBMACROPREVIOUS_MSG",
    "WM_HOOK_KEY_KBMACROLATER_MSG",    "WM_HOOK_MOU_SINGLEKEY_MSG",
    "WM_HOOK_MOU_HITKEY_MSG",          "WM_HOOK_MOU_KBMACRO_MSG",
    "WM_HOOK_MOU_MSMACRO_MSG",         "WM_HOOK_KEY_MSMACROSINGLE_MSG",
    "WM_HOOK_KEY_MSMACROPREVIOUS_MSG", "WM_HOOK_KEY_MSMACROLATER_MSG"};

inline constexpr std::array<const char*, 5> kAdmittedMouseMessageNames = {
    "UWM_MOUSERBUTTONDOWN_USER_MSG", "UWM_MOUSELBUTTONUP_USER_MSG", "UWM_MOUSELBUTTONDOWN_USER_MSG",
    "UWM_MOUSERBUTTONUP_USER_MSG", "UWM_MOUSEMOVE_USER_MSG"};

inline constexpr std::array<const char*, 4> kGameMessageNames = {"Game_Start", "Game_End",
                                                                 "Game_Kill", "Game_Death"};

struct AppMessages {
    uint32_t productTitle = 0;
    uint32_t settingsForward = 0;     // ...EBF15: handed on to the settings window
    uint32_t lightAnnounce = 0;       // ...EBF16: we broadcast our light control
    uint32_t lightCommand = 0;        // ...EBF17: another process sets our light control
    uint32_t workToolQuery = 0;       // ...EBF18: answered to the "ZoviDuri" window
    uint32_t audioCommand = 0;        // ...EBE19: to the audio daemon
    std::array<uint32_t, 14> hook{};  // in the order of kHookMessageNames
    std::array<uint32_t, 5> mouse{};
    std::array<uint32_t, 4> game{};
};

// The process-wide numbers (zero until registered).
const AppMessages& Messages();

// A number the session's name table can hand out (0 means the registration failed).
bool IsRegisteredMessageNumber(uint32_t number);

// Registers the product-title message and traces "软件标示：%d"; answers its number.
uint32_t RegisterProductTitleMessage();
// The five companion messages, in table order.
void RegisterCompanionMessages();
// The hook, admitted-mouse and game messages (every module that uses them registers them).
void RegisterHookAndGameMessages();

// Tests: sets the numbers as if registered.
void SetMessagesForTesting(const AppMessages& messages);

}  // namespace app
