// CHidDevice across threads: Close, documented as callable from any thread, while another
// thread decodes reports. Meant to run clean under the sanitizers.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "hid/HidDevice.h"
#include "sim/BusDevices.h"

namespace {

// A connection that moves nothing; only its collection matters here.
class StillConnection : public platform::HidConnection {
  public:
    explicit StillConnection(platform::HidCollection collection)
        : collection_(std::move(collection)) {}
    platform::HidTransferResult Read(uint8_t*, uint32_t, uint32_t& transferred, uint32_t) override {
        transferred = 0;
        return platform::HidTransferResult::TimedOut;
    }
    platform::HidTransferResult Write(const uint8_t*, uint32_t, uint32_t& transferred,
                                      uint32_t) override {
        transferred = 0;
        return platform::HidTransferResult::Failed;
    }
    void Abort() override {}
    bool Flush() override { return true; }
    bool SendOutputReport(const uint8_t*, uint32_t) override { return false; }
    const platform::HidAttributes& Attributes() const override { return attributes_; }
    const platform::HidCollection& Collection() const override { return collection_; }

  private:
    platform::HidAttributes attributes_;
    platform::HidCollection collection_;
};

// Opens every path as the simulated mouse's pointer collection.
class PointerTransport : public platform::HidTransport {
  public:
    PointerTransport() {
        const auto& bytes = sim::FindBusDevice("mouse-cable")->interfaces[0].reportDescriptor;
        EXPECT_TRUE(platform::ParseReportDescriptor(bytes.data(), bytes.size(), descriptor_));
    }
    bool EnumeratePaths(std::vector<std::string>& paths) override {
        paths = {"pointer"};
        return true;
    }
    std::unique_ptr<platform::HidConnection> Open(const std::string&,
                                                  const platform::HidOpenOptions&) override {
        return std::make_unique<StillConnection>(descriptor_.collections[0]);
    }
    bool IsPresent(const std::string&) override { return true; }
    const char* Name() const override { return "pointer"; }

  private:
    platform::HidReportDescriptor descriptor_;
};

TEST(HidDeviceThreads, CloseOnAnotherThreadWhileReportsAreUnpacked) {
    PointerTransport transport;
    hid::CHidDevice device(&transport);
    uint8_t report[64] = {1, 0x05, 0x10, 0x00, 0xF0, 0xFF, 0x01};
    EXPECT_FALSE(device.UnpackInputReport(report, sizeof report));  // closed: nothing to fill

    ASSERT_TRUE(device.Open("pointer", true, false, true, false));
    ASSERT_TRUE(device.UnpackInputReport(report, sizeof report));
    const std::vector<hid::HidData> list = device.InputUsageList();
    ASSERT_FALSE(list.empty());
    EXPECT_TRUE(list[0].IsDataSet);
    EXPECT_EQ(list[0].ButtonData.Usages[0], 1);
    EXPECT_EQ(list[0].ButtonData.Usages[1], 3);

    std::atomic<bool> stop{false};
    std::atomic<int> decoded{0};
    std::thread unpacker([&] {
        while (!stop) {
            if (device.UnpackInputReport(report, sizeof report))
                ++decoded;
            for (const hid::HidData& d : device.InputUsageList())
                EXPECT_TRUE(!d.IsButtonData ||
                            d.ButtonData.Usages.size() == d.ButtonData.MaxUsageLength);
            std::this_thread::yield();
        }
    });
    for (int i = 0; i < 2000 || decoded.load() < 100; ++i) {
        device.Close();
        ASSERT_TRUE(device.Open("pointer", true, false, true, false));
        std::this_thread::yield();
    }
    stop = true;
    unpacker.join();
    device.Close();
    EXPECT_TRUE(device.InputUsageList().empty());
}

}  // namespace
