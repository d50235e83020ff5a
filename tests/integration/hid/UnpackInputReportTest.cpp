// Input reports of the simulated mouse decoded into the usage list of CHidDevice.
#include <gtest/gtest.h>

#include "hid/HidDevice.h"
#include "tests/integration/hid/SimBusFixture.h"

namespace {

// Sends one fixed input report as soon as the host opens the collection.
class GreetingHandler : public sim::CollectionHandler {
  public:
    explicit GreetingHandler(sim::Report report) : report_(std::move(report)) {}
    void OnOutputReport(const sim::Report&, sim::ReportSink&) override {}
    void OnConnectionOpened(sim::ReportSink& host) override { host.SendInputReport(report_); }

  private:
    sim::Report report_;
};

class UnpackInputReportTest : public testsupport::SimBusTest {
  protected:
    void SetUp() override {
        SimBusTest::SetUp();
        simulator_->SetFirmwareFactory(
            [](const sim::BusDevice&, const sim::BusInterface& iface,
               const sim::BusCollection& c) -> std::shared_ptr<sim::CollectionHandler> {
                if (iface.number != 0)
                    return nullptr;
                if (c.number == 1)  // buttons 1 and 3, X -2, Y 16, wheel -127, pan 0
                    return std::make_shared<GreetingHandler>(
                        sim::Report{1, 0x05, 0xFE, 0xFF, 0x10, 0x00, 0x81, 0x00});
                if (c.number == 3)  // consumer key "volume up"
                    return std::make_shared<GreetingHandler>(sim::Report{3, 0xE9, 0x00});
                return nullptr;
            });
        ASSERT_TRUE(simulator_->Plug("mouse-cable"));
    }

    // Opens the collection and decodes the report it sends at once.
    bool ReadAndUnpack(hid::CHidDevice& device, const std::string& id) {
        if (!device.Open(PathOf(id), true, false, true, false))
            return false;
        uint8_t report[64] = {};
        uint32_t moved = 0;
        return device.Read(report, sizeof report, moved, 2000) &&
               device.UnpackInputReport(report, moved);
    }
};

TEST_F(UnpackInputReportTest, ButtonsAndValuesOfThePointerReport) {
    hid::CHidDevice device;
    ASSERT_TRUE(ReadAndUnpack(device, "mouse-cable-if0-col1"));
    const auto& list = device.InputUsageList();
    ASSERT_EQ(list.size(), 5u);  // the button range, then X, Y, wheel, pan
    const hid::HidData& buttons = list[0];
    EXPECT_TRUE(buttons.IsButtonData);
    EXPECT_TRUE(buttons.IsDataSet);
    EXPECT_EQ(buttons.UsagePage, 0x09);
    EXPECT_EQ(buttons.ReportID, 1);
    EXPECT_EQ(buttons.ButtonData.UsageMin, 1);
    EXPECT_EQ(buttons.ButtonData.UsageMax, 5);
    ASSERT_EQ(buttons.ButtonData.MaxUsageLength, 5u);
    EXPECT_EQ(buttons.ButtonData.Usages, (std::vector<uint16_t>{1, 3, 0, 0, 0}));
    EXPECT_EQ(buttons.Status, platform::kHidStatusSuccess);

    EXPECT_EQ(list[1].ValueData.Usage, 0x30);
    EXPECT_EQ(list[1].ValueData.Value, 0xFFFEu);
    EXPECT_EQ(list[1].ValueData.ScaledValue, -2);
    EXPECT_EQ(list[2].ValueData.Usage, 0x31);
    EXPECT_EQ(list[2].ValueData.ScaledValue, 16);
    EXPECT_EQ(list[3].ValueData.Usage, 0x38);
    EXPECT_EQ(list[3].ValueData.ScaledValue, -127);
    EXPECT_EQ(list[4].UsagePage, 0x0C);
    EXPECT_EQ(list[4].ValueData.Usage, 0x238);
    for (const hid::HidData& d : list)
        EXPECT_TRUE(d.IsDataSet);

    // A report of another ID leaves the entries alone.
    hid::CHidDevice fresh;
    ASSERT_TRUE(fresh.Open(PathOf("mouse-cable-if0-col1"), true, false, true, false));
    const uint8_t other[] = {2, 0xFF};
    EXPECT_TRUE(fresh.UnpackInputReport(other, sizeof other));
    EXPECT_FALSE(fresh.InputUsageList()[0].IsDataSet);
    // A report too short for its values fails.
    const uint8_t shortReport[] = {1, 0x01};
    EXPECT_FALSE(fresh.UnpackInputReport(shortReport, sizeof shortReport));
}

TEST_F(UnpackInputReportTest, EventCollectionGivesItsKeyAsTheFirstUsage) {
    hid::CHidDevice device;
    ASSERT_TRUE(ReadAndUnpack(device, "mouse-cable-if0-col3"));
    ASSERT_FALSE(device.InputUsageList().empty());
    EXPECT_EQ(device.InputUsageList()[0].ButtonData.Usages[0], 0xE9);
}

}  // namespace
