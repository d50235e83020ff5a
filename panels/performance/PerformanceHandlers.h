#pragma once
// The main window's handlers of the performance and system pages: sensitivity stages, report
// rate, sensor options, debounce, sleep times, logo light, pointer, wheel and double-click,
// the page's sub-pages, and the second DPI slider/edit pair of the window.
//
// Each entry point takes the selected device (null: nothing is done), its kind, the control
// name and the index the router split off the name (-1: taken from the name), and answers
// whether the name is one of these pages' controls (then no other feature needs it).
// Stage, pointer, wheel and double-click controls act on a mouse of either kind; report rate,
// sensor options and combos only on the cable mouse (kind 2); keyboard controls act on the
// keyboard on its cable (kind 1) and are recognised, doing nothing, on other kinds.
// Threads: window thread only.
#include <cstdint>
#include <string_view>

namespace devices {
class COrvaneUSBDevice;
class COrvaneMouseDevice;
}  // namespace devices

namespace ui {
class CPaintManagerUI;
}

namespace panels {

class IPanelHost;

class CPerformanceHandlers {
  public:
    // The keep-alive timer of a device's list item; restarted after a device sleep change.
    static constexpr int kKeepAliveTimer = 1008;
    static constexpr uint32_t kKeepAliveRestartMs = 50;
    // The second DPI pair takes values in this range.
    static constexpr int kPairMinimum = 200;
    static constexpr int kPairMaximum = 6500;

    explicit CPerformanceHandlers(IPanelHost& host);

    // The window whose "kesta_DPI_slider_"/"kesta_DPI_edit_" pair is served (null: none).
    void SetPaintManager(ui::CPaintManagerUI* window) { window_ = window; }

    // "selectchanged" of options and checks.
    bool OnSelectChanged(devices::COrvaneUSBDevice* device, int kind, std::string_view name,
                         int index = -1);
    // "itemselect" of combos.
    bool OnItemSelect(devices::COrvaneUSBDevice* device, int kind, std::string_view name,
                      int index = -1);
    // "valuechanged" of sliders (released, or changed by key or wheel).
    bool OnValueChanged(devices::COrvaneUSBDevice* device, int kind, std::string_view name,
                        int index = -1);
    // "movevaluechanged" of sliders (while dragged): only the display follows.
    bool OnMoveValueChanged(devices::COrvaneUSBDevice* device, int kind, std::string_view name,
                            int index = -1);
    // "killfocus" of edits.
    bool OnKillFocus(devices::COrvaneUSBDevice* device, int kind, std::string_view name,
                     int index = -1);
    // "click" of the stage colour buttons.
    bool OnClick(devices::COrvaneUSBDevice* device, int kind, std::string_view name,
                 int index = -1);

    // "click" of reset_repeat_btn: empties the keyboard's repeat test box (kind 1 only).
    void OnRepeatReset(devices::COrvaneUSBDevice* device, int kind);

  private:
    // A keyboard control (KeyboardHandlers.cpp): stored in the keyboard system record and
    // the profile, and sent to the keyboard for the settings it keeps.
    void KeyboardControl(devices::COrvaneUSBDevice* device, std::string_view name, int index);
    bool SystemOption(devices::COrvaneMouseDevice& mouse, int kind, std::string_view name,
                      int index);
    bool PairMoved(int index);
    bool PairEdited(int index);

    IPanelHost& host_;
    ui::CPaintManagerUI* window_ = nullptr;
};

}  // namespace panels
