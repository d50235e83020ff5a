#pragma once
// Delivers the scan thread's reports to a window of the GUI library: arrivals and removals by
// SendMessage (the scan thread waits until the window has handled them), the product-title
// message by PostMessage.
// Threads: any (the message model's SendMessage and PostMessage).
#include "hid/ScanReporter.h"
#include "ui/core/MessageModel.h"

namespace hid {

class WindowScanReporter : public ScanReporter {
  public:
    explicit WindowScanReporter(ui::HWND window) : window_(window) {}

    void Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        // A window being destroyed releases the send with 0; the scan goes on.
        ui::SendMessage(window_, message, wParam, lParam);
    }
    void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        ui::PostMessage(window_, message, wParam, lParam);
    }

  private:
    ui::HWND window_;
};

}  // namespace hid
