#pragma once
// The main window's handlers of the shoot page: choosing a set and a bullet, the direction
// options, saving a bullet when one of its edits loses the focus, resetting, importing and
// exporting the current set, and sending the four sets to the mouse.
//
// Each entry point takes the selected device (null: nothing is done) and its kind; only the
// mouse, on its cable or through its receiver (kinds 2 and 6), with a shoot panel is served.
// Entry points answer whether the name is one of the shoot page's controls. The focus leaves
// an edit before a click lands, so an edited bullet is saved before any button or option acts.
// Threads: window thread only.
#include <string_view>

namespace devices {
class COrvaneUSBDevice;
}

namespace panels {

class IPanelHost;
class CShootControlUI;

class CShootHandlers {
  public:
    // The dialogs' filter and the message of a failed copy or save.
    static constexpr const char* kFileFilter = "Shoot Files(*.shoot)";
    static constexpr const char* kFileErrorMessage = "shoot_file_error_text";
    // The message of an upload the mouse did not take (the key apply's write failure).
    static constexpr const char* kUploadFailedMessage = "message_text_7";

    explicit CShootHandlers(IPanelHost& host);

    // The shoot panel of a mouse's page (null for other devices or without one).
    static CShootControlUI* PanelOf(devices::COrvaneUSBDevice* device);

    // "click": the upload, reset, import and export buttons, previous and next bullet.
    bool OnClick(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    // "selectchanged": the set options and bullet options (index from the router) and the
    // two direction options.
    bool OnSelectChanged(devices::COrvaneUSBDevice* device, int kind, std::string_view name,
                         int index = -1);
    // "killfocus" of the three bullet edits.
    bool OnKillFocus(devices::COrvaneUSBDevice* device, int kind, std::string_view name);

  private:
    void Upload(devices::COrvaneUSBDevice& device);
    void Import(CShootControlUI& panel);
    void Export(CShootControlUI& panel);
    // Saves the current bullet; a failure is told.
    void Save(CShootControlUI& panel);

    IPanelHost& host_;
};

}  // namespace panels
