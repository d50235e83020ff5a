// The parser on the shapes of real devices beyond ours (TestDescriptors.h): the exact
// collections and lengths it gives, and the decoding of one report of each.
#include <gtest/gtest.h>

#include <cstdint>

#include "TestDescriptors.h"
#include "platform/HidDescriptor.h"

namespace {

using namespace platform;

HidReportDescriptor Parse(const std::vector<uint8_t>& bytes) {
    HidReportDescriptor d;
    std::string why;
    EXPECT_TRUE(ParseReportDescriptor(bytes.data(), bytes.size(), d, &why)) << why;
    return d;
}

// Puts `bits` bits of value (low first) at bitOffset of the report's data (after the ID).
void PutBits(std::vector<uint8_t>& report, uint32_t bitOffset, uint32_t bits, uint64_t value) {
    for (uint32_t i = 0; i < bits; ++i) {
        uint32_t bit = bitOffset + i;
        if (i < 64 && (value >> i) & 1)
            report[1 + bit / 8] |= static_cast<uint8_t>(1u << (bit % 8));
    }
}

TEST(DescriptorShapes, APenWithA64BitSerialParsesAndDecodesAroundIt) {
    HidReportDescriptor d = Parse(hidtest::kPenWithSerial);
    ASSERT_EQ(d.collections.size(), 1u);
    const HidCollection& pen = d.collections[0];
    EXPECT_TRUE(pen.refusal.empty());
    EXPECT_EQ(pen.usagePage, 0x0D);
    EXPECT_EQ(pen.usage, 0x02);
    EXPECT_EQ(pen.inputReportIds, std::vector<uint8_t>{2});
    EXPECT_EQ(pen.inputReportByteLength, 17);  // ID + 3 bits + pad + 2x16 + 16 + 64 + 8
    auto values = pen.InputValueCaps();
    ASSERT_EQ(values.size(), 5u);  // X, Y, pressure, serial, index
    EXPECT_EQ(values[3].usageMin, 0x5B);
    EXPECT_EQ(values[3].bitSize, 64);

    std::vector<uint8_t> report(17, 0);
    report[0] = 2;
    PutBits(report, 0, 3, 0b101);  // tip switch and in range
    PutBits(report, 8, 16, 1000);
    PutBits(report, 24, 16, 32767);
    PutBits(report, 40, 16, 512);
    PutBits(report, 56, 64, 0x0123456789ABCDEFull);
    PutBits(report, 120, 8, 7);
    std::vector<uint16_t> usages;
    EXPECT_EQ(GetInputUsages(pen, 0x0D, report.data(), 17, 8, usages), kHidStatusSuccess);
    EXPECT_EQ(usages, (std::vector<uint16_t>{0x42, 0x32}));
    uint32_t raw = 0;
    int32_t scaled = 0;
    EXPECT_EQ(GetInputUsageValue(pen, 0x01, 0x30, report.data(), 17, raw), kHidStatusSuccess);
    EXPECT_EQ(raw, 1000u);
    EXPECT_EQ(GetInputScaledUsageValue(pen, 0x01, 0x30, report.data(), 17, scaled),
              kHidStatusSuccess);
    EXPECT_EQ(scaled, 91);  // 1000 * 3000 / 32767
    EXPECT_EQ(GetInputScaledUsageValue(pen, 0x01, 0x31, report.data(), 17, scaled),
              kHidStatusSuccess);
    EXPECT_EQ(scaled, 3000);
    EXPECT_EQ(GetInputUsageValue(pen, 0x0D, 0x30, report.data(), 17, raw), kHidStatusSuccess);
    EXPECT_EQ(raw, 512u);
    // The serial is no 32-bit number: a distinct failure rather than a part of it.
    raw = 99;
    EXPECT_EQ(GetInputUsageValue(pen, 0x0D, 0x5B, report.data(), 17, raw), kHidStatusValueTooWide);
    EXPECT_EQ(raw, 0u);
    EXPECT_EQ(GetInputScaledUsageValue(pen, 0x0D, 0x5B, report.data(), 17, scaled),
              kHidStatusValueTooWide);
    EXPECT_EQ(GetInputUsageValue(pen, 0x0D, 0x38, report.data(), 17, raw), kHidStatusSuccess);
    EXPECT_EQ(raw, 7u);  // the field after the serial lies where the 64 bits end
    EXPECT_EQ(GetInputUsageValue(pen, 0x0D, 0x38, report.data(), 16, raw),
              kHidStatusInvalidReportLength);
}

TEST(DescriptorShapes, WideVendorFieldsCountInTheLengthAndStayOutOfTheValueReaders) {
    HidReportDescriptor d = Parse(hidtest::kTabletWideVendorFields);
    ASSERT_EQ(d.collections.size(), 1u);
    const HidCollection& tablet = d.collections[0];
    EXPECT_EQ(tablet.inputReportByteLength, 36);  // ID + 104 + 88 + 8 + 2x40 bits
    auto values = tablet.InputValueCaps();
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0].bitSize, 104);
    EXPECT_EQ(values[1].bitSize, 88);

    std::vector<uint8_t> report(36, 0xFF);
    report[0] = 0x10;
    report[1 + 192 / 8] = 0x5A;  // usage 0x22 after 104 + 88 bits
    uint32_t raw = 0;
    EXPECT_EQ(GetInputUsageValue(tablet, 0xFF00, 0x20, report.data(), 36, raw),
              kHidStatusValueTooWide);
    EXPECT_EQ(GetInputUsageValue(tablet, 0xFF00, 0x21, report.data(), 36, raw),
              kHidStatusValueTooWide);
    EXPECT_EQ(GetInputUsageValue(tablet, 0xFF00, 0x22, report.data(), 36, raw), kHidStatusSuccess);
    EXPECT_EQ(raw, 0x5Au);
    // Selectors of 40 bits name nothing that could be listed; the decode stays in bounds.
    std::vector<uint16_t> usages;
    EXPECT_EQ(GetInputUsages(tablet, 0xFF00, report.data(), 36, 8, usages), kHidStatusSuccess);
    EXPECT_TRUE(usages.empty());
}

TEST(DescriptorShapes, ReportsUpTo16KiBParseAndLongerOnesAreRefused) {
    HidReportDescriptor d = Parse(hidtest::LongVendorReport());
    ASSERT_EQ(d.collections.size(), 1u);
    const HidCollection& touch = d.collections[0];
    EXPECT_EQ(touch.inputReportByteLength, 7488);
    std::vector<uint8_t> report(7488, 0);
    report[0] = 0x44;
    report[1] = 0x11;
    report[7487] = 0x5A;
    uint32_t raw = 0;
    EXPECT_EQ(GetInputUsageValue(touch, 0xFF00, 0x02, report.data(), 7488, raw), kHidStatusSuccess);
    EXPECT_EQ(raw, 0x5Au);
    EXPECT_EQ(GetInputUsageValue(touch, 0xFF00, 0x01, report.data(), 7488, raw), kHidStatusSuccess);
    EXPECT_EQ(raw, 0x11u);
    EXPECT_EQ(GetInputUsageValue(touch, 0xFF00, 0x02, report.data(), 7487, raw),
              kHidStatusInvalidReportLength);

    // The longest report, its ID byte included, is kMaxHidReportBytes.
    d = Parse(hidtest::LongVendorReport(kMaxHidReportBytes - 1));
    EXPECT_EQ(d.collections[0].inputReportByteLength, kMaxHidReportBytes);
    const auto tooLong = hidtest::LongVendorReport(kMaxHidReportBytes);
    std::string why;
    EXPECT_FALSE(ParseReportDescriptor(tooLong.data(), tooLong.size(), d, &why));
    EXPECT_EQ(why, "report too long");
}

TEST(DescriptorShapes, FullRange32BitValuesScaleWithoutOverflow) {
    HidReportDescriptor d = Parse(hidtest::kFullRange32);
    ASSERT_EQ(d.collections.size(), 1u);
    const HidCollection& stick = d.collections[0];
    EXPECT_FALSE(stick.usesReportIds);
    EXPECT_EQ(stick.inputReportByteLength, 13);
    auto scaled = [&](uint16_t usage, uint32_t x, uint32_t y, uint32_t z) {
        std::vector<uint8_t> report(13, 0);
        PutBits(report, 0, 32, x);
        PutBits(report, 32, 32, y);
        PutBits(report, 64, 32, z);
        int32_t value = 12345;
        EXPECT_EQ(GetInputScaledUsageValue(stick, 0x01, usage, report.data(), 13, value),
                  kHidStatusSuccess);
        return value;
    };
    constexpr int32_t kMin = INT32_MIN;
    constexpr int32_t kMax = INT32_MAX;
    // X: the full range on itself.
    for (int32_t v : {kMin, kMin + 1, -1, 0, 1, kMax - 1, kMax})
        EXPECT_EQ(scaled(0x30, static_cast<uint32_t>(v), 0, 0), v);
    // Y: the full range onto 0..1000.
    EXPECT_EQ(scaled(0x31, 0, static_cast<uint32_t>(kMin), 0), 0);
    EXPECT_EQ(scaled(0x31, 0, 0, 0), 500);
    EXPECT_EQ(scaled(0x31, 0, static_cast<uint32_t>(kMax), 0), 1000);
    // Z: 0..100 onto the full range.
    EXPECT_EQ(scaled(0x32, 0, 0, 0), kMin);
    EXPECT_EQ(scaled(0x32, 0, 0, 50), -1);  // 50 * (2^32 - 1) / 100 - 2^31, rounded down
    EXPECT_EQ(scaled(0x32, 0, 0, 100), kMax);
    std::vector<uint8_t> report(13, 0);
    report[9] = 101;
    int32_t value = 0;
    EXPECT_EQ(GetInputScaledUsageValue(stick, 0x01, 0x32, report.data(), 13, value),
              kHidStatusValueOutOfRange);
}

TEST(DescriptorShapes, AReportIdInTwoCollectionsRefusesTheLaterCollectionOnly) {
    HidReportDescriptor d = Parse(hidtest::kReportIdInTwoCollections);
    ASSERT_EQ(d.collections.size(), 3u);  // numbering kept
    EXPECT_TRUE(d.collections[0].refusal.empty());
    EXPECT_EQ(d.collections[0].inputReportByteLength, 2);  // its own bits of report 1 only
    EXPECT_EQ(d.collections[1].usagePage, 0x0C);
    EXPECT_EQ(d.collections[1].refusal, "report ID 1 already belongs to collection 1");
    EXPECT_TRUE(d.collections[1].fields.empty());
    EXPECT_EQ(d.collections[1].inputReportByteLength, 0);
    EXPECT_TRUE(d.collections[2].refusal.empty());
    EXPECT_EQ(d.collections[2].inputReportByteLength, 9);

    const uint8_t report[] = {1, 0x81};
    std::vector<uint16_t> usages;
    EXPECT_EQ(GetInputUsages(d.collections[0], 0x09, report, sizeof report, 8, usages),
              kHidStatusSuccess);
    EXPECT_EQ(usages, (std::vector<uint16_t>{1, 8}));
    EXPECT_EQ(GetInputUsages(d.collections[1], 0x0C, report, sizeof report, 8, usages),
              kHidStatusUsageNotFound);
}

TEST(DescriptorShapes, ItemsOutsideEveryCollectionKeepTheirPlaceInTheReport) {
    HidReportDescriptor d = Parse(hidtest::kItemsOutsideCollections);
    ASSERT_EQ(d.collections.size(), 1u);
    const HidCollection& mouse = d.collections[0];
    ASSERT_EQ(mouse.fields.size(), 1u);
    EXPECT_EQ(mouse.fields[0].bitOffset, 8u);   // after the byte before the collection
    EXPECT_EQ(mouse.inputReportByteLength, 5);  // ID 0 + the 4 bytes of report 0
    EXPECT_TRUE(mouse.InputValueCaps().empty());
    const uint8_t report[] = {0, 0xFF, 0x05, 0x12, 0x34};
    std::vector<uint16_t> usages;
    EXPECT_EQ(GetInputUsages(mouse, 0x09, report, sizeof report, 8, usages), kHidStatusSuccess);
    EXPECT_EQ(usages, (std::vector<uint16_t>{1, 3}));
}

TEST(DescriptorShapes, UnnumberedItemsInANumberedDescriptorRefuseTheirCollection) {
    HidReportDescriptor d = Parse(hidtest::kNumberedAndUnnumbered);
    ASSERT_EQ(d.collections.size(), 2u);
    EXPECT_FALSE(d.collections[0].refusal.empty());
    EXPECT_EQ(d.collections[0].inputReportByteLength, 0);
    const HidCollection& consumer = d.collections[1];
    EXPECT_TRUE(consumer.refusal.empty());
    EXPECT_TRUE(consumer.usesReportIds);
    EXPECT_EQ(consumer.inputReportIds, std::vector<uint8_t>{2});
    EXPECT_EQ(consumer.inputReportByteLength, 3);
    const uint8_t volumeUp[] = {2, 0xE9, 0x00};
    std::vector<uint16_t> usages;
    EXPECT_EQ(GetInputUsages(consumer, 0x0C, volumeUp, sizeof volumeUp, 1, usages),
              kHidStatusSuccess);
    EXPECT_EQ(usages, std::vector<uint16_t>{0xE9});
}

TEST(DescriptorShapes, FieldsUpTo256BitsParseAndWiderOnesAreRefused) {
    for (uint32_t bits : {33u, 255u, 256u, 257u}) {
        const std::vector<uint8_t> bytes = {0x06,
                                            0x00,
                                            0xFF,
                                            0x09,
                                            0x01,
                                            0xA1,
                                            0x01,
                                            0x09,
                                            0x02,
                                            0x76,
                                            static_cast<uint8_t>(bits),
                                            static_cast<uint8_t>(bits >> 8),
                                            0x95,
                                            0x01,
                                            0x81,
                                            0x02,
                                            0xC0};
        HidReportDescriptor d;
        EXPECT_EQ(ParseReportDescriptor(bytes.data(), bytes.size(), d), bits <= 256) << bits;
        if (bits <= 256) {
            EXPECT_EQ(d.collections[0].inputReportByteLength, 1 + (bits + 7) / 8);
        }
    }
}

}  // namespace
