// The notification channels of a device over a transport that the test feeds.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "devices/OrvaneUSBDevice.h"

namespace devices {
namespace {

// Reports the test queues come out of every connection's reads, in order.
class QueueTransport : public platform::HidTransport {
  public:
    void Push(std::vector<uint8_t> report) {
        std::lock_guard<std::mutex> lock(mutex_);
        reports_.push_back(std::move(report));
        cv_.notify_all();
    }
    int opened = 0;
    std::atomic<int> reads{0};

    bool EnumeratePaths(std::vector<std::string>& paths) override {
        paths = {"event"};
        return true;
    }
    std::unique_ptr<platform::HidConnection> Open(const std::string& path,
                                                  const platform::HidOpenOptions&) override {
        if (path != "event")
            return nullptr;
        ++opened;
        return std::make_unique<Connection>(*this);
    }
    bool IsPresent(const std::string& path) override { return path == "event"; }
    const char* Name() const override { return "queue"; }

  private:
    class Connection : public platform::HidConnection {
      public:
        explicit Connection(QueueTransport& owner) : owner_(owner) {
            collection_.inputReportByteLength = 8;
        }
        platform::HidTransferResult Read(uint8_t* buffer, uint32_t length, uint32_t& transferred,
                                         uint32_t timeoutMs) override {
            ++owner_.reads;
            std::unique_lock<std::mutex> lock(owner_.mutex_);
            bool ready = owner_.cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                             [&] { return aborted_ || !owner_.reports_.empty(); });
            if (aborted_)
                return platform::HidTransferResult::Aborted;
            if (!ready)
                return platform::HidTransferResult::TimedOut;
            std::vector<uint8_t> report = std::move(owner_.reports_.front());
            owner_.reports_.pop_front();
            transferred = std::min<uint32_t>(length, static_cast<uint32_t>(report.size()));
            std::copy_n(report.begin(), transferred, buffer);
            return platform::HidTransferResult::Ok;
        }
        platform::HidTransferResult Write(const uint8_t*, uint32_t, uint32_t& transferred,
                                          uint32_t) override {
            transferred = 0;
            return platform::HidTransferResult::Failed;
        }
        void Abort() override {
            std::lock_guard<std::mutex> lock(owner_.mutex_);
            aborted_ = true;
            owner_.cv_.notify_all();
        }
        bool Flush() override { return true; }
        bool SendOutputReport(const uint8_t*, uint32_t) override { return false; }
        const platform::HidAttributes& Attributes() const override { return attributes_; }
        const platform::HidCollection& Collection() const override { return collection_; }

      private:
        QueueTransport& owner_;
        bool aborted_ = false;
        platform::HidAttributes attributes_;
        platform::HidCollection collection_;
    };

    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<std::vector<uint8_t>> reports_;
};

TEST(NotifyChannels, CodesReachTheHandlerOnTheirKindAndCloseStopsTheThread) {
    QueueTransport transport;
    COrvaneUSBDevice device(&transport);
    std::mutex mutex;
    std::condition_variable cv;
    std::vector<std::pair<int, uint16_t>> seen;
    device.SetNotificationHandler([&](int kind, uint16_t code) {
        std::lock_guard<std::mutex> lock(mutex);
        seen.emplace_back(kind, code);
        cv.notify_all();
    });
    EXPECT_FALSE(device.OpenNotifyChannel("event", hid::kKindHeadset))
        << "kinds 1, 2 and 3 on the cable, 6 and 9 on the receiver";
    EXPECT_FALSE(device.OpenNotifyChannel("missing", hid::kKindMouseCable));
    EXPECT_FALSE(device.IsNotifyChannelOpen(hid::kKindMouseCable));
    ASSERT_TRUE(device.ReopenNotifyChannel("event", hid::kKindMouseReceiver));
    EXPECT_TRUE(device.IsNotifyChannelOpen(hid::kKindMouseReceiver));

    transport.Push({0x05, 0x01, 0x04, 0, 0, 0, 0, 0});
    transport.Push({0x05, 0x23, 0x11});
    transport.Push({0x05});  // too short to carry a code
    {
        std::unique_lock<std::mutex> lock(mutex);
        ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(5), [&] { return seen.size() >= 2; }));
    }
    auto start = std::chrono::steady_clock::now();
    device.CloseNotifyChannel(hid::kKindMouseReceiver);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(400));
    EXPECT_FALSE(device.IsNotifyChannelOpen(hid::kKindMouseReceiver));
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(seen, (std::vector<std::pair<int, uint16_t>>{{6, 0x0401}, {6, 0x1123}}));
}

// An idle channel waits in one read until a report comes or it is closed: no polling.
TEST(NotifyChannels, AnIdleChannelWaitsInOneReadAndClosesAtOnce) {
    QueueTransport transport;
    COrvaneUSBDevice device(&transport);
    std::atomic<int> codes{0};
    device.SetNotificationHandler([&](int, uint16_t) { ++codes; });
    ASSERT_TRUE(device.OpenNotifyChannel("event", hid::kKindMouseCable));
    std::this_thread::sleep_for(std::chrono::milliseconds(350));
    EXPECT_EQ(transport.reads.load(), 1);
    transport.Push({0x05, 0x01, 0x04});
    for (int i = 0; i < 500 && codes.load() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(codes.load(), 1);
    const auto start = std::chrono::steady_clock::now();
    device.CloseNotifyChannel(hid::kKindMouseCable);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_LE(transport.reads.load(), 3);

    // A channel whose interface did not open idles until it is shut down, without reads.
    COrvaneUSBDevice other(&transport);
    const int before = transport.reads.load();
    EXPECT_FALSE(other.OpenNotifyChannel("missing", hid::kKindMouseCable));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(transport.reads.load(), before);
}

}  // namespace
}  // namespace devices
