#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/FileIO.h"
#include "profile/BasicProfiledata.h"
#include "profile/JsonFile.h"
#include "tests/unit/profile/TestFiles.h"

namespace profile {
namespace {

using test::Bytes;
using test::Parse;
using test::Put;
using test::TempFolder;

const char* kFactory =
    R"({"Device":[{"KeyList":[{"Assignment":1048832,"DefaultAssignment":1048832}],
                            "LightInfo":{"SelectItem":2}}]})";

struct Fixture : ::testing::Test {
    TempFolder dir;
    std::string factory = dir / "mouse.Json";
    std::string file = dir / "profile.Json";
    CBasicProfiledata profile;
    Json::Value factoryDocument = Parse(kFactory)["Device"][0];

    Fixture() {
        Put(factory, kFactory);
        profile.SetDefaultDocumentPath(factory);
        profile.SetProfilePath(file);
    }
    size_t BadCopies() const {
        size_t n = 0;
        for (auto& e : std::filesystem::directory_iterator(dir.path()))
            n += e.path().extension() == ".bad";
        return n;
    }
};

using ProfileDocument = Fixture;

TEST_F(ProfileDocument, EmptyObjectIsCompletedFromTheFactoryDocumentAndRewritten) {
    Put(file, "{}");
    EXPECT_EQ(profile.LoadDocument(file), factoryDocument);
    Json::Value expected(Json::objectValue);
    expected["Device"][0] = factoryDocument;
    EXPECT_EQ(Bytes(file), StyledJsonText(expected));
    EXPECT_TRUE(Bytes(factory) == kFactory);  // the factory document is never written
}

TEST_F(ProfileDocument, MissingFileIsCreatedAndAPresentDocumentIsNotRewritten) {
    EXPECT_EQ(profile.LoadDocument(file), factoryDocument);
    std::string created = Bytes(file);
    ASSERT_FALSE(created.empty());
    Put(file, R"({"Device":[{"LightInfo":{"SelectItem":5}}]})");
    EXPECT_EQ(profile.LoadDocument(file)["LightInfo"]["SelectItem"], 5);
    EXPECT_EQ(Bytes(file), R"({"Device":[{"LightInfo":{"SelectItem":5}}]})");
}

TEST_F(ProfileDocument, WithoutAFactoryDocumentNothingIsWritten) {
    profile.SetDefaultDocumentPath(dir / "none.Json");
    Put(file, "{}");
    EXPECT_TRUE(profile.LoadDocument(file).isNull());
    EXPECT_EQ(Bytes(file), "{}");
    EXPECT_FALSE(profile.Save());  // a null document is never stored
    EXPECT_EQ(Bytes(file), "{}");
    EXPECT_TRUE(profile.LoadDocument(dir / "other.Json").isNull());
    EXPECT_FALSE(platform::FileExists(dir / "other.Json"));
    EXPECT_TRUE(profile.GetKeyList().empty());
}

TEST_F(ProfileDocument, StoreChangesOnlyItsElementAndKeepsEverythingElse) {
    Put(file, R"({"profilename":"Work","profileUUID":"2024_01_01_00_00_00_000",
                 "Device":[{"KeyList":[],"SystemSetStages":{"EqType":3},"Unknown":[1,"x",null]},
                           {"other":true}]})");
    Json::Value loaded = profile.LoadDocument(file);
    profile.SetKeyList({{KeyAssignment::FromCode(0, 0x100200), KeyAssignment::FromCode(0, 0)}});
    ASSERT_TRUE(profile.Save());
    Json::Value root = Parse(Bytes(file));
    EXPECT_EQ(root["profilename"], "Work");
    EXPECT_EQ(root["profileUUID"], "2024_01_01_00_00_00_000");
    EXPECT_EQ(root["Device"][1], Parse(R"({"other":true})"));
    EXPECT_EQ(root["Device"][0]["SystemSetStages"], loaded["SystemSetStages"]);
    EXPECT_EQ(root["Device"][0]["Unknown"], loaded["Unknown"]);
    EXPECT_EQ(root["Device"][0]["KeyList"][0]["Assignment"], 0x100200);
    // Stored a second time, the bytes do not move.
    std::string once = Bytes(file);
    ASSERT_TRUE(profile.Save());
    EXPECT_EQ(Bytes(file), once);
}

TEST_F(ProfileDocument, SecondDocumentEditsAnotherFileInPlace) {
    std::string other = dir / "other.Json";
    Put(other, R"({"profilename":"B","Device":[{"KeyList":[{"Assignment":7340033}]}]})");
    profile.LoadDocument(file);
    profile.LoadSecondDocument(other);
    auto keys = profile.GetSecondKeyList();
    ASSERT_EQ(keys.size(), 1u);
    keys[0].current = KeyAssignment::FromCode(0, 0x100100);
    profile.SetSecondKeyList(keys);
    ASSERT_TRUE(profile.SaveSecondDocument(other));
    EXPECT_EQ(Parse(Bytes(other))["Device"][0]["KeyList"][0]["Assignment"], 0x100100);
    EXPECT_EQ(Parse(Bytes(other))["profilename"], "B");
    EXPECT_EQ(Parse(Bytes(file))["Device"][0], factoryDocument);
}

TEST_F(ProfileDocument, UnusableFileIsKeptBesideBeforeItIsReplaced) {
    const std::string cases[] = {R"({"Device":[{"KeyList":[{"Assign)", "[1,2,3]",
                                 R"({"Device":{"0":{}},"profilename":"Kept"})", "\xff\xfe{"};
    for (const std::string& bad : cases) {
        Put(file, bad);
        size_t before = BadCopies();
        EXPECT_EQ(profile.LoadDocument(file), factoryDocument) << bad;
        EXPECT_EQ(BadCopies(), before + 1) << bad;
        Json::Value root = Parse(Bytes(file));
        EXPECT_EQ(root["Device"][0], factoryDocument);
        for (auto& e : std::filesystem::directory_iterator(dir.path()))
            if (e.path().extension() == ".bad" && Bytes(e.path().string()) == bad)
                std::filesystem::remove(e.path());
        EXPECT_EQ(BadCopies(), before) << "the copy holds the old bytes: " << bad;
    }
    // An object root keeps its other members when only "Device" was unusable.
    Put(file, R"({"Device":5,"profilename":"Kept"})");
    profile.LoadDocument(file);
    EXPECT_EQ(Parse(Bytes(file))["profilename"], "Kept");
}

TEST_F(ProfileDocument, ElementOfTheWrongTypeIsTakenAsMissing) {
    Put(file, R"({"Device":[5]})");
    EXPECT_EQ(profile.LoadDocument(file), factoryDocument);
    EXPECT_EQ(Parse(Bytes(file))["Device"][0], factoryDocument);
}

TEST_F(ProfileDocument, DocumentIndexSelectsTheElementAndRejectsBadIndices) {
    Put(file, R"({"Device":[{"a":0},{"a":1}]})");
    EXPECT_FALSE(profile.SetDocumentIndex(-1));
    EXPECT_FALSE(profile.SetDocumentIndex(1 << 30));
    EXPECT_EQ(profile.GetDocumentIndex(), 0);
    ASSERT_TRUE(profile.SetDocumentIndex(1));
    EXPECT_EQ(profile.LoadDocument(file)["a"], 1);
    // Index 2 is missing from this file and from the factory file: nothing is written.
    ASSERT_TRUE(profile.SetDocumentIndex(2));
    EXPECT_TRUE(profile.LoadDocument(file).isNull());
    EXPECT_EQ(Parse(Bytes(file))["Device"].size(), 2u);
}

TEST_F(ProfileDocument, InterruptedStoreLeavesTheOldFileByteIdentical) {
    profile.LoadDocument(file);
    std::string before = Bytes(file);
    profile.SetKeyList({{KeyAssignment::FromCode(0, 0x200004), {}}});
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_FALSE(profile.Save());
    EXPECT_EQ(Bytes(file), before);
    EXPECT_EQ(dir.FileCount(), 2u);  // no temporary file left
    EXPECT_TRUE(profile.Save());
    EXPECT_NE(Bytes(file), before);
}

TEST_F(ProfileDocument, AFolderWhereTheProfileShouldBeStaysAFolder) {
    std::filesystem::create_directory(file);
    EXPECT_EQ(profile.LoadDocument(file), factoryDocument);
    EXPECT_FALSE(profile.Save());
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(ProfileDocument, PathsKeepTheirOldValueWhenGivenEmptyOnes) {
    profile.SetProfilePath("");
    profile.SetDefaultDocumentPath("");
    EXPECT_EQ(profile.GetProfilePath(), file);
    EXPECT_EQ(profile.GetDefaultDocumentPath(), factory);
    Put(dir / "kesta_light.config", R"({"LightInfo":[[],[{"LightName":"a","Guid":"g"}]]})");
    profile.SetConfigPath(dir / "kesta_light.config");
    Json::Value config = profile.LoadConfigDocument(profile.GetConfigPath());
    EXPECT_EQ(config["LightInfo"][1][0]["Guid"], "g");
    EXPECT_EQ(profile.ConfigDocument(), config);
}

}  // namespace
}  // namespace profile
