// The scan thread's slot rules against the simulator.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

#include "hid/DeviceMatchTable.h"
#include "hid/DeviceScanThread.h"
#include "platform/Trace.h"
#include "tests/integration/hid/SimBusFixture.h"

namespace {

using namespace std::chrono_literals;
using hid::WM_USB_MAINMESS_DEVICE_ADD;
using hid::WM_USB_MAINMESS_DEVICE_REMOVE;

constexpr uint32_t kTitleMessage = 0xC123;

struct Message {
    uint32_t message;
    uintptr_t wParam;
    bool sent;
    bool slotClaimedWhenSent;
};

// Records every message; at each send it checks that the slot already shows the change.
class RecordingReporter : public hid::ScanReporter {
  public:
    explicit RecordingReporter(hid::DeviceSlotList& slots) : slots_(slots) {}
    void Send(uint32_t message, uintptr_t wParam, intptr_t) override {
        auto slot = slots_.Slot(wParam);
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.push_back({message, wParam, true, slot && slot->Connected == 1});
    }
    void Post(uint32_t message, uintptr_t wParam, intptr_t) override {
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.push_back({message, wParam, false, false});
    }
    std::vector<Message> Take() {
        std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(messages_, {});
    }
    std::vector<uintptr_t> Slots(uint32_t message) {  // sorted
        std::vector<uintptr_t> slots;
        for (const Message& m : Take()) {
            if (m.message == message)
                slots.push_back(m.wParam);
        }
        std::sort(slots.begin(), slots.end());
        return slots;
    }

  private:
    hid::DeviceSlotList& slots_;
    std::mutex mutex_;
    std::vector<Message> messages_;
};

class DeviceScanSimTest : public testsupport::SimBusTest {
  protected:
    void SetUp() override {
        SimBusTest::SetUp();
        slots_.FillFromMatchTable();
        scannerPtr_ = std::make_unique<hid::DeviceScanThread>(slots_, reporter_, kTitleMessage);
    }
    void TearDown() override {
        scannerPtr_.reset();
        SimBusTest::TearDown();
    }
    hid::DeviceSlotList slots_;
    RecordingReporter reporter_{slots_};
    std::unique_ptr<hid::DeviceScanThread> scannerPtr_;
    hid::DeviceScanThread& scanner() { return *scannerPtr_; }
};

TEST_F(DeviceScanSimTest, TitleIsPostedOnceAfterTheFirstScanEvenWithNothingPresent) {
    ASSERT_TRUE(scanner().RunPass());
    auto first = reporter_.Take();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].message, kTitleMessage);
    EXPECT_FALSE(first[0].sent);
    ASSERT_TRUE(simulator_->Plug("pad"));
    ASSERT_TRUE(scanner().RunPass());
    ASSERT_TRUE(scanner().RunPass());
    EXPECT_EQ(reporter_.Slots(kTitleMessage).size(), 0u);
}

TEST_F(DeviceScanSimTest, EachSupportedInterfaceClaimsItsOwnSlot) {
    for (const char* name : {"mouse-cable", "mouse-receiver", "pad", "headset"})
        ASSERT_TRUE(simulator_->Plug(name));
    ASSERT_TRUE(scanner().RunPass());
    auto messages = reporter_.Take();
    std::vector<uintptr_t> added;
    for (const Message& m : messages) {
        if (m.message == WM_USB_MAINMESS_DEVICE_ADD) {
            EXPECT_TRUE(m.sent);
            EXPECT_TRUE(m.slotClaimedWhenSent);
            added.push_back(m.wParam);
        }
    }
    std::sort(added.begin(), added.end());
    // Cable and receiver both present take rows 4-7; the headset's path has no "&col".
    EXPECT_EQ(added, (std::vector<uintptr_t>{4, 5, 6, 7, 8, 9, 10}));
    auto slots = slots_.Snapshot();
    EXPECT_NE(slots[4].Path.find("mouse-cable-if1-col2#"), std::string::npos);
    EXPECT_NE(slots[5].Path.find("mouse-cable-if0-col3#"), std::string::npos);
    EXPECT_NE(slots[10].Path.find("&mi_03"), std::string::npos);
    EXPECT_EQ(slots[10].Path.find("&col"), std::string::npos);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(slots[i].IsFree()) << "keyboard slot " << i;

    // Nothing changes on the next pass.
    ASSERT_TRUE(scanner().RunPass());
    EXPECT_TRUE(reporter_.Take().empty());
}

TEST_F(DeviceScanSimTest, LookAlikeIsOpenedOnEveryPassAndNeverClaimed) {
    ASSERT_TRUE(simulator_->Plug("lookalike"));
    const std::string id = "lookalike-if1-col4";
    for (int pass = 1; pass <= 3; ++pass) {
        ASSERT_TRUE(scanner().RunPass());
        // The simulator accepts on its own thread, possibly after the scanner closed again.
        for (int i = 0; i < 100 && simulator_->Bus().ConnectionsAccepted(id) < pass; ++i)
            std::this_thread::sleep_for(5ms);
        EXPECT_EQ(simulator_->Bus().ConnectionsAccepted(id), pass);
    }
    EXPECT_TRUE(reporter_.Slots(WM_USB_MAINMESS_DEVICE_ADD).empty());
    EXPECT_TRUE(slots_.Slot(8)->IsFree());
    // Collections no row could take are not even opened.
    EXPECT_EQ(simulator_->Bus().ConnectionsAccepted("lookalike-if1-col1"), 0);
}

TEST_F(DeviceScanSimTest, UnplugFreesTheSlotsOnceAndReplugClaimsTheSameSlots) {
    ASSERT_TRUE(simulator_->Plug("mouse-receiver"));
    ASSERT_TRUE(scanner().RunPass());
    EXPECT_EQ(reporter_.Slots(WM_USB_MAINMESS_DEVICE_ADD), (std::vector<uintptr_t>{6, 7}));

    ASSERT_TRUE(simulator_->Unplug("mouse-receiver"));
    ASSERT_TRUE(scanner().RunPass());
    EXPECT_EQ(reporter_.Slots(WM_USB_MAINMESS_DEVICE_REMOVE), (std::vector<uintptr_t>{6, 7}));
    EXPECT_TRUE(slots_.Slot(6)->IsFree());
    ASSERT_TRUE(scanner().RunPass());
    EXPECT_TRUE(reporter_.Take().empty());

    ASSERT_TRUE(simulator_->Plug("mouse-receiver"));
    ASSERT_TRUE(scanner().RunPass());
    EXPECT_EQ(reporter_.Slots(WM_USB_MAINMESS_DEVICE_ADD), (std::vector<uintptr_t>{6, 7}));
}

TEST_F(DeviceScanSimTest, ThreadFollowsPlugAndUnplugAndTracesItsEnd) {
    platform::TraceCapture trace;
    ASSERT_TRUE(scanner().Start());
    ASSERT_TRUE(simulator_->Plug("headset"));
    auto waitFor = [&](auto predicate) {
        for (int i = 0; i < 300 && !predicate(); ++i)
            std::this_thread::sleep_for(10ms);
        return predicate();
    };
    EXPECT_TRUE(waitFor([&] { return !slots_.Slot(10)->IsFree(); }));
    ASSERT_TRUE(simulator_->Unplug("headset"));
    EXPECT_TRUE(waitFor([&] { return slots_.Slot(10)->IsFree(); }));
    EXPECT_TRUE(scanner().Stop(1000));
    EXPECT_TRUE(trace.Contains("抓取设备线程设定退出"));
    auto messages = reporter_.Take();
    int adds = 0, removes = 0, titles = 0;
    for (const Message& m : messages) {
        adds += m.message == WM_USB_MAINMESS_DEVICE_ADD;
        removes += m.message == WM_USB_MAINMESS_DEVICE_REMOVE;
        titles += m.message == kTitleMessage;
    }
    EXPECT_EQ(adds, 1);
    EXPECT_EQ(removes, 1);
    EXPECT_EQ(titles, 1);
}

TEST_F(DeviceScanSimTest, ThreadEndsWhenTheBusCannotBeListed) {
    auto missing = platform::MakeSimBusTransport(folder_ + "/missing");
    hid::DeviceScanThread scanner(slots_, reporter_, kTitleMessage, missing.get());
    ASSERT_TRUE(scanner.Start());
    std::this_thread::sleep_for(50ms);
    // It ended by itself: Stop finds nothing to wait for, and nothing was posted.
    EXPECT_TRUE(scanner.Stop(0));
    EXPECT_TRUE(reporter_.Take().empty());
}

}  // namespace
