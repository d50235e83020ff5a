// Key assignments after a macro goes: in one key list and across the profile files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panels/macros/MacroFiles.h"
#include "panels/profiles/ProfileListFile.h"
#include "profile/BasicProfiledata.h"
#include "profile/JsonFile.h"
#include "tests/unit/panels_macros/MacroFolder.h"

namespace {

namespace macros = panels::macros;

constexpr uint32_t kDefault = 0x100100;  // a mouse button: the key's factory function

uint32_t Macro(int index) {
    return 0x700000u | static_cast<uint32_t>(index) << 8;
}

profile::KeyRecord Record(uint32_t current) {
    return {profile::KeyAssignment::FromCode(0, current),
            profile::KeyAssignment::FromCode(0, kDefault)};
}

std::vector<uint32_t> Codes(const std::vector<profile::KeyRecord>& records) {
    std::vector<uint32_t> codes;
    for (const profile::KeyRecord& record : records)
        codes.push_back(record.current.Code());
    return codes;
}

TEST(MacroRepair, KeyListFollowsTheNewNumbering) {
    // Deleting macro 2 of 4 (index 1): macro 3 becomes macro 2, macro 2 the default.
    std::vector<profile::KeyRecord> records = {Record(Macro(2)), Record(Macro(1)),
                                               Record(Macro(0)), Record(0x710301),
                                               Record(0x200004), Record(Macro(3))};
    EXPECT_TRUE(macros::KeyListUsesMacro(records, 1));
    EXPECT_TRUE(macros::KeyListUsesMacro(records, 3));  // the count variant too (0x71)
    EXPECT_FALSE(macros::KeyListUsesMacro(records, 4));
    EXPECT_TRUE(macros::RepairKeyList(records, 1));
    EXPECT_EQ(Codes(records),
              (std::vector<uint32_t>{Macro(1), kDefault, Macro(0), 0x710201, 0x200004, Macro(2)}));
    EXPECT_FALSE(macros::KeyListUsesMacro(records, 3));
    std::vector<profile::KeyRecord> untouched = {Record(Macro(0)), Record(0x200004)};
    EXPECT_FALSE(macros::RepairKeyList(untouched, 1));
    EXPECT_FALSE(macros::RepairKeyList(untouched, -1));
    EXPECT_EQ(Codes(untouched), (std::vector<uint32_t>{Macro(0), 0x200004}));
}

class ProfilesWithMacros : public ::testing::Test {
  protected:
    void SetUp() override {
        Json::Value document(Json::objectValue);
        for (int k = 0; k < 3; ++k) {
            document["Device"][0]["KeyList"][k]["Assignment"] = kDefault;
            document["Device"][0]["KeyList"][k]["DefaultAssignment"] = kDefault;
        }
        profile::WriteJsonFile(DefaultDocument(), document);
        panels::ProfileListFile list(folder_.Data(), DefaultDocument());
        ASSERT_TRUE(list.Load());
        for (int i = 0; i < 4; ++i)
            ASSERT_EQ(list.Add().result, panels::ProfileListFile::Result::kDone);
        for (int i = 0; i < list.Count(); ++i) {
            ids_.push_back(list.Entries()[i].id);
            paths_.push_back(list.ProfilePath(i));
        }
    }
    std::string DefaultDocument() const { return folder_.Outside("mouse.Json"); }
    void SetKeys(int profileIndex, const std::vector<uint32_t>& codes) {
        Json::Value root = profile::LoadJsonFile(paths_[profileIndex]);
        for (size_t k = 0; k < codes.size(); ++k)
            root["Device"][0]["KeyList"][static_cast<int>(k)]["Assignment"] = codes[k];
        root["Extra"] = "kept";
        profile::WriteJsonFile(paths_[profileIndex], root);
    }
    std::vector<uint32_t> Keys(int profileIndex) const {
        profile::CBasicProfiledata data;
        data.SetDocument(profile::LoadJsonFile(paths_[profileIndex])["Device"][0]);
        return Codes(data.GetKeyList());
    }

    macros_test::MacroFolder folder_;
    std::vector<std::string> ids_;
    std::vector<std::string> paths_;
};

TEST_F(ProfilesWithMacros, EveryOtherUsableProfileIsRepairedAndSaved) {
    SetKeys(0, {Macro(2), Macro(1), Macro(0)});  // the current profile
    SetKeys(1, {Macro(2), Macro(1), Macro(0)});
    SetKeys(2, {Macro(1), kDefault, Macro(3)});
    SetKeys(3, {Macro(0), kDefault, kDefault});  // nothing to repair
    const std::string untouched = folder_.Read(paths_[3]);
    folder_.Write(paths_[4], "not json");
    EXPECT_EQ(macros::RepairOtherProfiles(folder_.Data(), DefaultDocument(), ids_[0], 1), 2);
    EXPECT_EQ(Keys(0), (std::vector<uint32_t>{Macro(2), Macro(1), Macro(0)}));
    EXPECT_EQ(Keys(1), (std::vector<uint32_t>{Macro(1), kDefault, Macro(0)}));
    EXPECT_EQ(Keys(2), (std::vector<uint32_t>{kDefault, kDefault, Macro(2)}));
    EXPECT_EQ(folder_.Read(paths_[3]), untouched);
    EXPECT_EQ(folder_.Read(paths_[4]), "not json");
    EXPECT_EQ(profile::LoadJsonFile(paths_[1])["Extra"].asString(), "kept");
}

}  // namespace
