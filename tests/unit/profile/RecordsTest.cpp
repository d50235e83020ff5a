#include <gtest/gtest.h>

#include <array>

#include "profile/BasicProfiledata.h"
#include "profile/KeyboardProfiledata.h"
#include "profile/MouseProfiledata.h"
#include "tests/unit/profile/TestFiles.h"

namespace profile {
namespace {

using test::Parse;

Json::Value StagesDocument(int count, int base) {
    Json::Value doc;
    for (int i = 0; i < count; ++i) {
        Json::Value& s = doc["DPIStages"]["StageDPIs"][i];
        s["StageActive"] = 1;
        s["StageDPIX"] = base + i;
        s["StageDPIY"] = base + i;
        s["StageColorR"] = base;
    }
    doc["DPIStages"]["StageActive"] = count - 1;
    return doc;
}

TEST(KeyRecords, UnpackIntoTheTwelveByteLayout) {
    CBasicProfiledata profile;
    profile.SetDocument(Parse(R"({"KeyList":[{"Assignment":1048832,"DefaultAssignment":1048832},
        {"Assignment":7340033,"DefaultAssignment":1311232},{},"junk"]})"));
    auto keys = profile.GetKeyList();
    ASSERT_EQ(keys.size(), 4u);
    // 0x70 x 65536 + 0x00 x 256 + 0x01.
    EXPECT_EQ(keys[1].current.type, 0x70);
    EXPECT_EQ(keys[1].current.param1, 0x00);
    EXPECT_EQ(keys[1].current.param2, 0x01);
    std::array<uint8_t, 12> bytes = {1, 0, 0x70, 0x00, 0x01, 0, 1, 0, 0x14, 0x02, 0x00, 0};
    EXPECT_EQ(keys[1].ToBytes(), bytes);
    EXPECT_EQ(KeyRecord::FromBytes(bytes), keys[1]);
    EXPECT_EQ(keys[3].ToBytes(), (std::array<uint8_t, 12>{3, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0}));
}

TEST(KeyRecords, StoringWritesOnlyTheCurrentAssignment) {
    CBasicProfiledata profile;
    profile.SetDocument(Parse(R"({"KeyList":[{"Assignment":1,"DefaultAssignment":2,"x":3}]})"));
    auto keys = profile.GetKeyList();
    keys[0].current = KeyAssignment::FromCode(0, 0x200106);
    keys[0].defaults = KeyAssignment::FromCode(0, 0x999);
    keys.push_back({KeyAssignment::FromCode(1, 0x130100), {}});
    profile.SetKeyList(keys);
    EXPECT_EQ(profile.Document()["KeyList"],
              Parse(R"([{"Assignment":2097414,"DefaultAssignment":2,"x":3},
                        {"Assignment":1245440}])"));
    EXPECT_TRUE(profile.GetKeyList()[0].current.SameFunction(keys[0].current));
}

TEST(DpiStages, FiveStagesAfterSevenKeepTheLastTwo) {
    CMouseProfiledata profile;
    profile.SetDocument(StagesDocument(7, 100));
    ASSERT_EQ(profile.GetDpiStages().size(), 7u);
    profile.SetDocument(StagesDocument(5, 200));
    auto stages = profile.GetDpiStages();
    ASSERT_EQ(stages.size(), 7u);
    EXPECT_EQ(stages[4].x, 204);
    EXPECT_EQ(stages[5].x, 105);
    EXPECT_EQ(stages[6].x, 106);
    EXPECT_EQ(profile.GetActiveStage(), 4);
    // Without a document the list stays as it was.
    profile.SetDocument(Json::Value());
    EXPECT_EQ(profile.GetDpiStages(), stages);
}

TEST(DpiStages, RecordBytesAndTruncationToTheRecordWidth) {
    CMouseProfiledata profile;
    profile.SetDocument(Parse(R"({"DPIStages":{"StageActive":9,"StageDPIs":[
        {"StageActive":1,"StageXY":1,"StageDPIX":70000,"StageDPIY":519,
         "StageColorR":256,"StageColorG":"red","StageColorB":-1}]}})"));
    auto stage = profile.GetDpiStages().at(0);
    EXPECT_EQ(stage.ToBytes(),
              (std::array<uint8_t, 9>{1, 1, 0x70, 0x11, 0x07, 0x02, 0x00, 0x00, 0xFF}));
    EXPECT_EQ(DpiStageRecord::FromBytes(stage.ToBytes()), stage);
    EXPECT_EQ(profile.GetActiveStage(), 0);  // 9 is no stage of the device
}

TEST(DpiStages, SettersWriteTheStageKeysAndTheActiveStageSeparately) {
    CMouseProfiledata profile;
    profile.SetDocument(Parse(R"({"DPIStages":{"StageActive":2,"StageDPIs":[{},{},{"keep":1}]}})"));
    DpiStageRecord r{1, 0, 31, 32, 255, 0, 128};
    profile.SetDpiStages({r, r});
    const Json::Value& dpi = profile.Document()["DPIStages"];
    EXPECT_EQ(dpi["StageActive"], 2);
    EXPECT_EQ(dpi["StageDPIs"].size(), 3u);
    EXPECT_EQ(dpi["StageDPIs"][1], Parse(R"({"StageActive":1,"StageXY":0,"StageDPIX":31,
        "StageDPIY":32,"StageColorR":255,"StageColorG":0,"StageColorB":128})"));
    EXPECT_TRUE(profile.SetActiveStage(6));
    EXPECT_FALSE(profile.SetActiveStage(7));
    EXPECT_FALSE(profile.SetActiveStage(-1));
    EXPECT_EQ(profile.Document()["DPIStages"]["StageActive"], 6);
    EXPECT_EQ(profile.GetActiveStage(), 6);
}

TEST(SystemRecord, WithoutReportStagesOnlyTheSystemHalvesAndTheLogoMode) {
    CMouseProfiledata profile;
    profile.SetDocument(Parse(R"({"SystemStages":{"DoubleClickTime":5,"MouseSpeed":10,
        "PointerPrecision":1,"ScorllPage":1,"WheelScorlllinse":3,"Logoledmode":2}})"));
    SystemRecord expected = {0x000A0005, 0x00010001, 0x00000003, 0, 0, 0, 0, 0x00020000};
    EXPECT_EQ(profile.GetSystemRecord(), expected);
}

TEST(SystemRecord, AllFifteenHalvesRoundTripThroughTheDocument) {
    CMouseProfiledata profile;
    SystemRecord words = {0x00020001, 0x00040003, 0x00060005, 0x00080007,
                          0xABCD0009, 0x000B000A, 0x000D000C, 0x000F000E};
    profile.SetSystemRecord(words[0], words[1], words[2], words[3], words[4], words[5], words[6],
                            words[7]);
    const Json::Value& doc = profile.Document();
    EXPECT_EQ(doc["SystemStages"].size(), 6u);
    EXPECT_EQ(doc["ReportStages"].size(), 9u);
    EXPECT_EQ(doc["SystemStages"]["WheelScorlllinse"], 5);
    EXPECT_EQ(doc["ReportStages"]["StageActive"], 6);
    EXPECT_EQ(doc["ReportStages"]["key_debounce_time"], 0x0E);
    EXPECT_EQ(doc["SystemStages"]["Logoledmode"], 0x0F);
    words[4] = 0x0009;  // the high half of word 4 is not stored
    EXPECT_EQ(profile.GetSystemRecord(), words);
    // A combo with no selection is stored as its 16-bit form.
    profile.SetSystemRecord({0, 0, 0, 0, 0, 0, 0, 0xFFFF});
    EXPECT_EQ(profile.Document()["ReportStages"]["key_debounce_time"], 65535);
    EXPECT_EQ(profile.GetSystemRecord()[7], 0xFFFFu);
}

TEST(KeyboardRecord, ThreeWordsOfTwoHalves) {
    CKeyboardProfiledata profile;
    profile.SetKeyboardSystemRecord(0x00020010, 0x00030001, 0x00010000);
    EXPECT_EQ(profile.Document()["SystemStages"],
              Parse(R"({"Repeat":16,"RepeatDelay":2,"Key6Flag":1,"PollingRate":3,"WFlag":0,
                        "WinFlag":1})"));
    EXPECT_EQ(profile.GetKeyboardSystemRecord(),
              (KeyboardSystemRecord{0x00020010, 0x00030001, 0x00010000}));
    profile.SetCustomColours(1, {{1, 2, 3, 4}});
    profile.SetCustomLightGroupIndex(1);
    EXPECT_EQ(profile.GetCustomLightGroupIndex(), 1);
    EXPECT_EQ(profile.GetCustomColours(1), (std::vector<CustomKeyColour>{{1, 2, 3, 4}}));
    EXPECT_TRUE(profile.GetCustomColours(0).empty());
    EXPECT_TRUE(profile.GetCustomColours(-3).empty());
}

TEST(LightRecords, DocumentSectionsAndTheFourWordForm) {
    CBasicProfiledata profile;
    LightRecord fallback;
    fallback.brightness = 4;
    profile.SetDefaultLightRecord(fallback);
    EXPECT_EQ(profile.GetLightRecord(), fallback);
    EXPECT_EQ(profile.GetAudioLightRecord(), AudioLightRecord{});

    LightRecord r = LightRecord::FromWords(0x01020305, 0x33221101, 0x07000000, 0x0902);
    EXPECT_EQ(r.mode, 5);
    EXPECT_EQ(r.direction, 1);
    EXPECT_EQ(r.green, 0x22);
    EXPECT_EQ(r.zzccMode, 7);
    EXPECT_EQ(r.previousMode, 9);
    profile.SetLightRecord(r);
    EXPECT_EQ(profile.Document()["LightInfo"].size(), 11u);
    LightRecord back = profile.GetLightRecord();
    r.spare = {};  // bytes 8-10 are not stored
    EXPECT_EQ(back, r);
    EXPECT_EQ(back.ToWords()[1], 0x33221101u);

    AudioLightRecord audio{3, 1, 2, 3, 4, 5, 6, 1, 0};
    profile.SetAudioLightRecord(audio);
    audio.colourType = 1;  // reads back as the foreground
    EXPECT_EQ(profile.GetAudioLightRecord(), audio);
    profile.SetDocument(Parse(R"({"LightInfo":{"MultiColor":true,"Red":300},
                                  "AudioLightInfo":{"7ColorFlags":true}})"));
    EXPECT_EQ(profile.GetLightRecord().multiColour, 1);
    EXPECT_EQ(profile.GetLightRecord().red, 300 & 0xFF);
    EXPECT_EQ(profile.GetAudioLightRecord().multiColour, 1);
}

TEST(LightRecords, PerLedListMarksUnusableElementsInvalid) {
    CBasicProfiledata profile;
    profile.SetDocument(Parse(R"({"LightList":[{"LEDREGMode":3,"LEDBrightness":4,"LEDSpeed":1,
        "LEDMultiColor":true,"LEDDirection":false,"red":1,"green":2,"blue":3},null,7]})"));
    auto leds = profile.GetLedList();
    ASSERT_EQ(leds.size(), 3u);
    EXPECT_EQ(leds[0], (LedEntry{3, 4, 1, 0, 1, 1, 2, 3, {}, 1}));
    EXPECT_EQ(leds[1], LedEntry{});
    EXPECT_EQ(leds[2], LedEntry{});
}

TEST(Setters, SectionsOfTheWrongTypeAreReplacedNotThrownOn) {
    CMouseProfiledata profile;
    profile.SetDocument(Parse(R"({"DPIStages":"x","KeyList":5,"SystemStages":[1],
                                  "ReportStages":null,"LightInfo":[]})"));
    EXPECT_NO_THROW({
        profile.GetDpiStages();
        profile.GetKeyList();
        profile.GetSystemRecord();
        profile.GetLightRecord();
        profile.SetDpiStages({DpiStageRecord{1, 0, 2, 2, 3, 4, 5}});
        profile.SetActiveStage(0);
        profile.SetKeyList({KeyRecord{}});
        profile.SetSystemRecord(SystemRecord{1, 2, 3, 4, 5, 6, 7, 8});
    });
    EXPECT_EQ(profile.GetDpiStages().at(0).x, 2);
    EXPECT_EQ(profile.GetSystemRecord()[0], 1u);
    EXPECT_EQ(profile.GetKeyList().size(), 1u);
    profile.SetDocument(Json::Value(42));
    EXPECT_NO_THROW(profile.SetActiveStage(1));
    EXPECT_EQ(profile.Document()["DPIStages"]["StageActive"], 1);
}

}  // namespace
}  // namespace profile
