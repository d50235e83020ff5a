#pragma once
// What the device list needs of the main window: its paint manager and builder callback (the
// device layouts name the device classes by tag), its handle (device objects send their
// notices to it), the slot list, and the window-level reactions the list triggers.
//
// Threads: window thread only.
#include <string>

#include "ui/core/UIDefs.h"

namespace hid {
class DeviceSlotList;
}
namespace ui {
class CPaintManagerUI;
class IDialogBuilderCallback;
}  // namespace ui

namespace app {

class IDeviceListHost {
  public:
    virtual ~IDeviceListHost() = default;

    virtual ui::CPaintManagerUI& Manager() = 0;
    virtual ui::IDialogBuilderCallback* BuilderCallback() = 0;
    virtual ui::HWND Window() const = 0;
    virtual hid::DeviceSlotList& Slots() = 0;
    // The current profile base name handed to a new device object.
    virtual std::string CurrentProfileBaseName() const = 0;

    // After an arrival: refresh the no-device layout and restore and raise the window, as
    // for the product-title message.
    virtual void RestoreFromDeviceEvent() = 0;
    // Sends WM_CLOSE to every open sub-window.
    virtual void CloseSubWindows() = 0;
    // The saved-state flag (1: nothing pending) and its setter.
    virtual int SavedState() const = 0;
    virtual void SetSavedState(bool lockList, int saved) = 0;
};

}  // namespace app
