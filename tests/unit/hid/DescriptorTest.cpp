// The report-descriptor parser and report decoding on realistic descriptors.
#include <gtest/gtest.h>

#include "platform/HidDescriptor.h"
#include "sim/BusDevices.h"

namespace {

using namespace platform;

// A boot mouse (report ID 1: 3 buttons, X, Y, wheel) with a consumer collection (report ID 2,
// a 16-bit array) in one interface.
const std::vector<uint8_t> kMouseWithConsumer = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x09, 0x01, 0xA1, 0x00,  //
    0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03,  //
    0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x01,              //
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F,  //
    0x35, 0x00, 0x45, 0x64, 0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0,  //
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x19, 0x01, 0x2A, 0x9C,  //
    0x02, 0x15, 0x01, 0x26, 0x9C, 0x02, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0};

TEST(ReportDescriptor, SplitsTopLevelCollectionsWithTheirReportsAndLengths) {
    HidReportDescriptor d;
    ASSERT_TRUE(ParseReportDescriptor(kMouseWithConsumer.data(), kMouseWithConsumer.size(), d));
    ASSERT_EQ(d.collections.size(), 2u);
    const HidCollection& mouse = d.collections[0];
    EXPECT_EQ(mouse.usagePage, 0x01);
    EXPECT_EQ(mouse.usage, 0x02);
    EXPECT_TRUE(mouse.usesReportIds);
    EXPECT_EQ(mouse.inputReportIds, std::vector<uint8_t>{1});
    EXPECT_EQ(mouse.inputReportByteLength, 5);  // ID + buttons + 3 bytes
    EXPECT_EQ(mouse.outputReportByteLength, 0);
    auto buttons = mouse.InputButtonCaps();
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_TRUE(buttons[0].isRange);
    EXPECT_EQ(buttons[0].usageMin, 1);
    EXPECT_EQ(buttons[0].usageMax, 3);
    auto values = mouse.InputValueCaps();
    ASSERT_EQ(values.size(), 3u);  // X, Y and wheel, one capability each
    EXPECT_EQ(values[2].usageMin, 0x38);
    EXPECT_EQ(values[0].logicalMin, -127);
    EXPECT_EQ(values[0].physicalMax, 100);

    const HidCollection& consumer = d.collections[1];
    EXPECT_EQ(consumer.usagePage, 0x0C);
    EXPECT_EQ(consumer.usage, 0x01);
    EXPECT_EQ(consumer.inputReportByteLength, 3);
    ASSERT_EQ(consumer.InputButtonCaps().size(), 1u);  // an array counts as buttons
    EXPECT_EQ(consumer.InputButtonCaps()[0].usageMax, 0x29C);
}

TEST(ReportDescriptor, DecodesButtonsAndSignedScaledValues) {
    HidReportDescriptor d;
    ASSERT_TRUE(ParseReportDescriptor(kMouseWithConsumer.data(), kMouseWithConsumer.size(), d));
    const HidCollection& mouse = d.collections[0];
    const uint8_t report[] = {1, 0x05, 0xFE, 0x7F, 0x81};  // buttons 1+3, X -2, Y 127, wheel -127
    std::vector<uint16_t> usages;
    EXPECT_EQ(GetInputUsages(mouse, 0x09, report, sizeof report, 8, usages), kHidStatusSuccess);
    EXPECT_EQ(usages, (std::vector<uint16_t>{1, 3}));
    EXPECT_EQ(GetInputUsages(mouse, 0x09, report, sizeof report, 1, usages),
              kHidStatusBufferTooSmall);
    uint32_t raw = 0;
    EXPECT_EQ(GetInputUsageValue(mouse, 0x01, 0x30, report, sizeof report, raw), kHidStatusSuccess);
    EXPECT_EQ(raw, 0xFEu);
    int32_t scaled = 0;
    EXPECT_EQ(GetInputScaledUsageValue(mouse, 0x01, 0x31, report, sizeof report, scaled),
              kHidStatusSuccess);
    EXPECT_EQ(scaled, 100);  // logical 127 of -127..127 on physical 0..100
    EXPECT_EQ(GetInputScaledUsageValue(mouse, 0x01, 0x38, report, sizeof report, scaled),
              kHidStatusSuccess);
    EXPECT_EQ(scaled, 0);

    // Wrong report ID, short report, unknown usage.
    const uint8_t other[] = {2, 0, 0, 0, 0};
    EXPECT_EQ(GetInputUsages(mouse, 0x09, other, sizeof other, 8, usages),
              kHidStatusIncompatibleReportId);
    EXPECT_EQ(GetInputUsageValue(mouse, 0x01, 0x30, report, 2, raw), kHidStatusInvalidReportLength);
    EXPECT_EQ(GetInputUsageValue(mouse, 0x01, 0x32, report, sizeof report, raw),
              kHidStatusUsageNotFound);

    const HidCollection& consumer = d.collections[1];
    const uint8_t volumeUp[] = {2, 0xE9, 0x00};
    EXPECT_EQ(GetInputUsages(consumer, 0x0C, volumeUp, sizeof volumeUp, 1, usages),
              kHidStatusSuccess);
    EXPECT_EQ(usages, std::vector<uint16_t>{0xE9});
    const uint8_t released[] = {2, 0, 0};
    EXPECT_EQ(GetInputUsages(consumer, 0x0C, released, sizeof released, 1, usages),
              kHidStatusSuccess);
    EXPECT_TRUE(usages.empty());
}

TEST(ReportDescriptor, RejectsMalformedInput) {
    HidReportDescriptor d;
    std::string why;
    const std::vector<std::vector<uint8_t>> bad = {
        {},                                    // nothing
        {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01},  // collection never ended
        {0xC0},                                // end without start
        {0x05},                                // truncated item
        {0xB4},                                // pop without push
        {0x85, 0x00, 0xA1, 0x01, 0xC0},        // report ID 0
        {0x75, 0x08, 0x97, 0xFF, 0xFF, 0xFF, 0x7F, 0xA1, 0x01, 0x81, 0x02, 0xC0},  // huge count
        {0xFE, 0x10, 0x00, 0x01},  // truncated long item
    };
    for (const auto& bytes : bad) {
        EXPECT_FALSE(ParseReportDescriptor(bytes.data(), bytes.size(), d, &why)) << why;
    }
}

TEST(ReportDescriptor, SimulatedInterfacesNumberTheirCollectionsAsTheMatchTableExpects) {
    const sim::BusDevice* mouse = sim::FindBusDevice("mouse-cable");
    ASSERT_NE(mouse, nullptr);
    HidReportDescriptor d;
    const auto& commandInterface = mouse->interfaces[1].reportDescriptor;
    ASSERT_TRUE(ParseReportDescriptor(commandInterface.data(), commandInterface.size(), d));
    ASSERT_EQ(d.collections.size(), 2u);
    EXPECT_EQ(d.collections[1].usagePage, 0xFF1C);
    EXPECT_EQ(d.collections[1].usage, 0x92);
    EXPECT_EQ(d.collections[1].inputReportByteLength, 64);
    EXPECT_EQ(d.collections[1].outputReportByteLength, 64);
    EXPECT_EQ(d.collections[1].inputReportIds, std::vector<uint8_t>{4});
    const auto& eventInterface = mouse->interfaces[0].reportDescriptor;
    ASSERT_TRUE(ParseReportDescriptor(eventInterface.data(), eventInterface.size(), d));
    ASSERT_EQ(d.collections.size(), 3u);
    EXPECT_EQ(d.collections[2].usagePage, 0x0C);
    EXPECT_EQ(d.collections[2].usage, 0x01);
}

TEST(HexText, RoundTripsAndRejectsOddOrForeignCharacters) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(HexToBytes("05 01 a1 FF", bytes));
    EXPECT_EQ(BytesToHex(bytes), "0501a1ff");
    EXPECT_FALSE(HexToBytes("050", bytes));
    EXPECT_FALSE(HexToBytes("0g", bytes));
}

}  // namespace
