#pragma once
// The main window's routing tables: which handler a notification, a click, an option change,
// a combo choice or a menu item reaches, by type and control name. Kept as data so that the
// tables can be read and tested on their own. A row matches a name without regard to ASCII
// case, exactly (a few names the skins distinguish by case), or as a prefix followed by a
// decimal index, which the hit carries. The first matching row wins.
// Pure; any thread.
#include <optional>
#include <span>
#include <string_view>

namespace app {

enum class Match { NoCase, Exact, Prefix };

// What a routed name does. Rows whose feature is not built yet name it, and the window
// traces that it has no handler for them.
enum class Route {
    // notification types
    WindowInit,
    WindowSize,
    ColorChanged,
    Click,
    SelectChanged,
    ValueChanged,
    MoveValueChanged,
    ItemSelect,
    Quiet,  // msleave, msenter, itemclick, textchanged: nothing of the window's own
    KillFocus,
    ItemActivate,
    ClickSelectEnd,
    Swallowed,  // click_wpremove, click_wpedit: never passed on
    // clicks
    CloseButton,
    HideWindow,
    ReconnectSelected,
    LightControlToggle,
    WindowDeviceSet,
    KeyPanel,
    Lighting,
    Performance,
    ProfileReset,
    KeyboardRepeatReset,
    ProfileFiles,
    MacroPanel,
    ShootPanel,
    Headset,
    ProfileMenuToggle,
    ProgramLinks,
    DeviceSelectPrev,
    DeviceSelectNext,
    MusicWindow,
    // options
    DeviceSelect,
    FunctionTab,
    // combos
    ProfileCombo,
    // menu items
    MenuExit,
    MenuAbout,
    MenuSettings,
    MenuAutostart,
};

struct RouteRow {
    std::string_view name;
    Match match;
    Route route;
};

struct RouteHit {
    Route route;
    int index = -1;  // the decimal index of a prefix row, else -1
};

// The first row that matches; a prefix row matches only a name that goes on with digits.
std::optional<RouteHit> FindRoute(std::span<const RouteRow> table, std::string_view name);

std::span<const RouteRow> NotifyTypeRoutes();  // by notification type (exact)
std::span<const RouteRow> ClickRoutes();
std::span<const RouteRow> OptionRoutes();
std::span<const RouteRow> ComboRoutes();
std::span<const RouteRow> MenuRoutes();

// A short name of the feature a route belongs to, for trace lines.
const char* RouteFeature(Route route);

}  // namespace app
