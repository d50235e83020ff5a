// The scan thread reporting to a headless window: arrivals and removals handled on the window
// thread while the scan waits, the product-title message posted once.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "hid/DeviceScanThread.h"
#include "hid/window/WindowScanReporter.h"
#include "tests/integration/hid/SimBusFixture.h"
#include "ui/core/WindowWnd.h"
#include "ui/headless/HeadlessBackend.h"

namespace {

constexpr ui::UINT kTitleMessage = 0xC042;

struct Handled {
    ui::UINT message;
    ui::WPARAM slot;
    bool slotClaimed;
};

// The main window's part in this: reads the slot a message names, on the window thread.
class DeviceWindow : public ui::CWindowWnd {
  public:
    explicit DeviceWindow(hid::DeviceSlotList& slots) : slots_(slots) {}
    std::vector<Handled> handled;

    std::string GetWindowClassName() const override { return "DeviceWindow"; }
    ui::LRESULT HandleMessage(ui::UINT msg, ui::WPARAM w, ui::LPARAM l) override {
        if (msg == hid::WM_USB_MAINMESS_DEVICE_ADD || msg == hid::WM_USB_MAINMESS_DEVICE_REMOVE ||
            msg == kTitleMessage) {
            auto slot = slots_.Slot(w);
            handled.push_back({msg, w, slot && slot->Connected == 1});
            return 0;
        }
        return CWindowWnd::HandleMessage(msg, w, l);
    }

  private:
    hid::DeviceSlotList& slots_;
};

class ScanToWindowTest : public testsupport::SimBusTest {
  protected:
    void SetUp() override {
        SimBusTest::SetUp();
        backend_.Install();
        slots_.FillFromMatchTable();
    }
    ui::headless::HeadlessBackend backend_;
    hid::DeviceSlotList slots_;
};

TEST_F(ScanToWindowTest, WindowHandlesArrivalAndRemovalWhileTheScanWaits) {
    DeviceWindow window(slots_);
    ASSERT_NE(window.Create(nullptr, "main", 0, 0, 0, 0, 100, 100), nullptr);
    hid::WindowScanReporter reporter(window.GetHWND());
    hid::DeviceScanThread scanner(slots_, reporter, kTitleMessage);
    ASSERT_TRUE(simulator_->Plug("pad"));
    ASSERT_TRUE(scanner.Start());

    auto count = [&](ui::UINT message) {
        int n = 0;
        for (const Handled& h : window.handled)
            n += h.message == message;
        return n;
    };
    EXPECT_TRUE(backend_.PumpUntil([&] { return count(hid::WM_USB_MAINMESS_DEVICE_ADD) == 2; }));
    EXPECT_TRUE(backend_.PumpUntil([&] { return count(kTitleMessage) == 1; }));
    ASSERT_TRUE(simulator_->Unplug("pad"));
    EXPECT_TRUE(backend_.PumpUntil([&] { return count(hid::WM_USB_MAINMESS_DEVICE_REMOVE) == 2; }));
    // The scan thread may be waiting in a send: keep pumping while it stops.
    std::atomic<bool> stopped{false};
    std::thread stopper([&] {
        scanner.Stop(5000);
        stopped = true;
    });
    EXPECT_TRUE(backend_.PumpUntil([&] { return stopped.load(); }));
    stopper.join();

    for (const Handled& h : window.handled) {
        if (h.message == hid::WM_USB_MAINMESS_DEVICE_ADD) {
            EXPECT_TRUE(h.slotClaimed) << "slot " << h.slot;
        } else if (h.message == hid::WM_USB_MAINMESS_DEVICE_REMOVE) {
            EXPECT_FALSE(h.slotClaimed) << "slot " << h.slot;
        }
    }
    EXPECT_EQ(count(kTitleMessage), 1);
    EXPECT_EQ(count(hid::WM_USB_MAINMESS_DEVICE_ADD), 2);
    EXPECT_EQ(count(hid::WM_USB_MAINMESS_DEVICE_REMOVE), 2);
}

TEST_F(ScanToWindowTest, ADestroyedWindowDoesNotHoldTheScanBack) {
    auto window = std::make_unique<DeviceWindow>(slots_);
    ASSERT_NE(window->Create(nullptr, "main", 0, 0, 0, 0, 100, 100), nullptr);
    hid::WindowScanReporter reporter(window->GetHWND());
    ui::DestroyWindow(window->GetHWND());
    hid::DeviceScanThread scanner(slots_, reporter, kTitleMessage);
    ASSERT_TRUE(simulator_->Plug("headset"));
    EXPECT_TRUE(scanner.RunPass());  // the send to the dead window returns at once
    EXPECT_FALSE(slots_.Slot(10)->IsFree());
}

}  // namespace
