// The sensors' DPI rules at their boundaries: shown numbers, typed numbers, stored positions.
#include <gtest/gtest.h>

#include "devices/mouse/DpiConversion.h"

namespace {

using namespace devices::mouse;

SensorParams Sensor(uint16_t id, uint8_t step = 0, uint8_t count = 0, uint16_t base = 0) {
    return SensorParams{id, step, count, base};
}

TEST(DpiConversion, ShownNumbersPerSensor) {
    const SensorParams s8925 = Sensor(kSensor8925);
    EXPECT_EQ(DpiOfPosition(s8925, 0), 50);
    EXPECT_EQ(DpiOfPosition(s8925, 99), 5000);
    EXPECT_EQ(DpiOfPosition(s8925, 100), 5100);
    EXPECT_EQ(DpiOfPosition(s8925, 149), 10000);
    const SensorParams s3104 = Sensor(kSensor3104, 0, 114);
    EXPECT_EQ(DpiOfPosition(s3104, 0), 200);
    EXPECT_EQ(DpiOfPosition(s3104, 1), 400);
    EXPECT_EQ(DpiOfPosition(s3104, 2), 400);
    EXPECT_EQ(DpiOfPosition(s3104, 52), 2900);
    EXPECT_EQ(DpiOfPosition(s3104, 53), 2900);
    EXPECT_EQ(DpiOfPosition(s3104, 103), 7900);
    EXPECT_EQ(DpiOfPosition(s3104, 104), 8000);
    EXPECT_EQ(DpiOfPosition(s3104, 300), 8000) << "capped";
    EXPECT_EQ(DpiOfPosition(Sensor(kSensor3395), 519), 26000);
    const SensorParams s3325 = Sensor(kSensor3325, 100, 0, 100);
    EXPECT_EQ(DpiOfPosition(s3325, 48), 4900);
    EXPECT_EQ(DpiOfPosition(s3325, 49), 5100);
    EXPECT_EQ(DpiOfPosition(Sensor(0x1111, 50, 0, 100), 3), 250);
}

TEST(DpiConversion, TypedTextIsReadAsTheCLibraryReadsIt) {
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("  1600dpi"), 1600);
    EXPECT_EQ(LeadingNumber("-20"), -20);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber("99999999999999"), INT_MAX);
    EXPECT_EQ(TypedDpi(""), 50);
    EXPECT_EQ(TypedDpi("49"), 50);
    EXPECT_EQ(TypedDpi("-400"), 50);
    EXPECT_EQ(TypedDpi("51"), 51);
}

TEST(DpiConversion, PositionsOfTypedNumbers) {
    const SensorParams s8925 = Sensor(kSensor8925);
    EXPECT_EQ(PositionOfDpi(s8925, 50), 0);
    EXPECT_EQ(PositionOfDpi(s8925, 5000), 99);
    EXPECT_EQ(PositionOfDpi(s8925, 5050), 99);
    EXPECT_EQ(PositionOfDpi(s8925, 7000), 119);
    EXPECT_EQ(PositionOfDpi(s8925, 10000), 149);
    const SensorParams s3104 = Sensor(kSensor3104, 0, 114);
    EXPECT_EQ(PositionOfDpi(s3104, 350), 0);
    EXPECT_EQ(PositionOfDpi(s3104, 380), 1);
    EXPECT_EQ(PositionOfDpi(s3104, 449), 1);
    EXPECT_EQ(PositionOfDpi(s3104, 450), 3);
    EXPECT_EQ(PositionOfDpi(s3104, 2600), 46);
    EXPECT_EQ(PositionOfDpi(s3104, 2650), 51);
    EXPECT_EQ(PositionOfDpi(s3104, 2700), 51);
    EXPECT_EQ(PositionOfDpi(s3104, 8000), 104);
    EXPECT_EQ(PositionOfDpi(Sensor(kSensor3395), 1600), 31);
    EXPECT_EQ(PositionOfDpi(Sensor(kSensor3395), 50), 0);
    const SensorParams s3325 = Sensor(kSensor3325, 100, 0, 100);
    EXPECT_EQ(PositionOfDpi(s3325, 4900), 48);
    EXPECT_EQ(PositionOfDpi(s3325, 5300), 49);
    EXPECT_EQ(PositionOfDpi(Sensor(0x1111, 50, 0, 100), 300), 4);
}

TEST(DpiConversion, AStepOfZeroIsNeverADivisor) {
    EXPECT_FALSE(PositionOfDpi(Sensor(0), 800).has_value());
    EXPECT_FALSE(PositionOfDpi(Sensor(kSensor3325, 0, 0, 100), 800).has_value());
    // Above 5000 the 0x3325 rule steps by 200 and needs no step.
    EXPECT_EQ(PositionOfDpi(Sensor(kSensor3325, 0, 0, 0), 5400), 50);
    EXPECT_EQ(PositionOfTypedText(Sensor(0), "800", 17, 0, 519), 17) << "kept";
}

TEST(DpiConversion, TypedTextStaysWithinTheSlider) {
    EXPECT_EQ(PositionOfTypedText(Sensor(kSensor3104, 0, 60), "8000", 0, 0, 50), 50);
    EXPECT_EQ(PositionOfTypedText(Sensor(kSensor3395), "30", 9, 0, 519), 0);
    // Below the base the generic rule goes negative: the slider's minimum.
    EXPECT_EQ(PositionOfTypedText(Sensor(0x1111, 50, 0, 400), "100", 9, 0, 519), 0);
    EXPECT_EQ(PositionOfTypedText(Sensor(kSensor3395), "99999", 0, 0, 0x7FFFFFFF), 1998);
    EXPECT_EQ(PositionOfTypedText(Sensor(0x1111, 1, 0, 0), "99999", 0, 0, 0x7FFFFFFF), 0xFFFF)
        << "what a stage record can hold";
}

TEST(DpiConversion, StoredPositionsReadBackUnchanged) {
    profile::DpiStageRecord record{1, 1, 0x1234, 0x4321, 9, 8, 7};
    StorePosition(Sensor(kSensor8925), record, 121);
    EXPECT_EQ(record.x, 121 | 121 << 8);
    EXPECT_EQ(PositionOfRecord(Sensor(kSensor8925), record), 121);
    EXPECT_EQ(record.y, 0x4321);
    EXPECT_EQ(record.separateXY, 1);
    for (uint16_t id : {kSensor3104, kSensor3395, kSensor3325, uint16_t{0x1111}}) {
        StorePosition(Sensor(id, 50), record, 300);
        EXPECT_EQ(record.x, 300) << id;
        EXPECT_EQ(PositionOfRecord(Sensor(id), record), 300) << id;
    }
    StorePosition(Sensor(kSensor3395), record, -5);
    EXPECT_EQ(record.x, 0);
    EXPECT_EQ(record.red, 9);
}

TEST(DpiConversion, SliderRangesAndGrowth) {
    EXPECT_EQ(StageSliderRange(Sensor(kSensor8925)).maximum, 149);
    EXPECT_EQ(StageSliderRange(Sensor(kSensor3104, 0, 114)).maximum, 104);
    EXPECT_EQ(StageSliderRange(Sensor(kSensor3104, 0, 4)).maximum, 0) << "never below 0";
    EXPECT_EQ(StageSliderRange(Sensor(kSensor3395)).maximum, 519);
    EXPECT_FALSE(StageSliderRange(Sensor(kSensor3325)).set);
    std::vector<profile::DpiStageRecord> stages(2, profile::DpiStageRecord{1, 0, 5, 5, 1, 2, 3});
    GrowStages(stages, 5);
    ASSERT_EQ(stages.size(), 6u);
    EXPECT_EQ(stages[5], profile::DpiStageRecord{});
    EXPECT_EQ(stages[1].x, 5);
    GrowStages(stages, 3);
    GrowStages(stages, -1);
    EXPECT_EQ(stages.size(), 6u);
}

TEST(DpiConversion, SensorFromTheInformationBlock) {
    std::array<uint8_t, hid::kInfoBlockLength> block{};
    block[9] = 0x04;
    block[10] = 0x31;
    block[11] = 50;
    block[12] = 114;
    block[14] = 0x90;
    block[15] = 0x01;
    const SensorParams s = SensorOf(block);
    EXPECT_EQ(s.sensor, kSensor3104);
    EXPECT_EQ(s.step, 50);
    EXPECT_EQ(s.stepCount, 114);
    EXPECT_EQ(s.base, 400);
}

}  // namespace
