#include <gtest/gtest.h>

#include "TestFolders.h"
#include "platform/FileIO.h"
#include "platform/Registry.h"
#include "platform/RegistryStore.h"
#include "platform/Trace.h"

using t418test::ScopedEnv;
using t418test::TempFolder;

namespace {

const std::string kKey = "SOFTWARE\\Draxmoor T418-ZEN";

class RegistryTest : public ::testing::Test {
  protected:
    TempFolder config_;
    ScopedEnv env_{"XDG_CONFIG_HOME", config_.path()};
};

TEST_F(RegistryTest, AMissingKeyStaysMissing) {
    EXPECT_FALSE(platform::OpenKey(kKey));
    EXPECT_FALSE(platform::FileExists(platform::RegistryStorePath()));

    auto other = platform::CreateKey("SOFTWARE\\Other");
    ASSERT_TRUE(other);
    EXPECT_TRUE(platform::OpenKey("SOFTWARE"));  // parents come with a created key
    EXPECT_FALSE(platform::OpenKey(kKey));
    EXPECT_FALSE(platform::OpenKey(""));
    EXPECT_FALSE(platform::CreateKey("\\\\"));
}

TEST_F(RegistryTest, ValuesAreTypedAndNamesIgnoreCase) {
    auto key = platform::CreateKey(kKey);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->GetDword("LANGUAGE"));
    ASSERT_TRUE(key->SetDword("LANGUAGE", 0xFFFFFFFFu));
    ASSERT_TRUE(key->SetString("Skin", "dark\tblue\nline\\"));
    auto again = platform::OpenKey("software\\draxmoor t418-zen\\");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->GetDword("language"), 0xFFFFFFFFu);
    EXPECT_EQ(again->GetString("SKIN"), "dark\tblue\nline\\");
    EXPECT_FALSE(again->GetDword("Skin"));  // a string is not a DWORD
    EXPECT_FALSE(again->GetString("LANGUAGE"));

    ASSERT_TRUE(key->SetDword("Language", 7));  // overwrites, keeps one value
    EXPECT_EQ(key->GetDword("LANGUAGE"), 7u);
    EXPECT_TRUE(key->DeleteValue("language"));
    EXPECT_FALSE(key->DeleteValue("language"));
    EXPECT_FALSE(key->GetDword("LANGUAGE"));
    EXPECT_EQ(key->GetString("skin"), "dark\tblue\nline\\");
}

TEST_F(RegistryTest, DeleteKeyRemovesSubkeysButNotNeighbours) {
    ASSERT_TRUE(platform::CreateKey("SOFTWARE\\A\\B"));
    ASSERT_TRUE(platform::CreateKey("SOFTWARE\\AB"));
    EXPECT_TRUE(platform::DeleteKey("software\\a"));
    EXPECT_FALSE(platform::OpenKey("SOFTWARE\\A\\B"));
    EXPECT_TRUE(platform::OpenKey("SOFTWARE\\AB"));
    EXPECT_FALSE(platform::DeleteKey("SOFTWARE\\A"));
}

TEST_F(RegistryTest, ACorruptStoreIsTracedTreatedAsEmptyAndKeptAside) {
    ASSERT_TRUE(platform::CreateKey(kKey));
    std::string store;
    ASSERT_TRUE(platform::ReadWholeFile(platform::RegistryStorePath(), store));
    for (const std::string& damaged :
         {store.substr(0, store.size() - 1), std::string("garbage\n"),
          store + "D\tX\t99999999999\n", store + "D\tX\t12a\n", std::string("\0\1\2", 3)}) {
        ASSERT_TRUE(platform::WriteFileAtomic(platform::RegistryStorePath(), damaged));
        platform::TraceCapture trace;
        EXPECT_FALSE(platform::OpenKey(kKey)) << damaged;
        EXPECT_TRUE(trace.Contains("corrupt"));
        std::string aside;
        EXPECT_TRUE(platform::ReadWholeFile(platform::RegistryStorePath() + ".corrupt", aside));
        EXPECT_EQ(aside, damaged);
    }
    // Writing again starts a fresh, valid store.
    auto key = platform::CreateKey(kKey);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->SetDword("LANGUAGE", 1));
    EXPECT_EQ(platform::OpenKey(kKey)->GetDword("LANGUAGE"), 1u);
}

TEST(RegistryStoreFormat, RejectsValuesBeforeAnyKeyAndRepeatedNames) {
    platform::registry_store::Store store;
    EXPECT_TRUE(platform::registry_store::Parse("", store));
    EXPECT_FALSE(platform::registry_store::Parse("T418-ZEN registry 1\nD\tA\t1\n", store));
    EXPECT_FALSE(
        platform::registry_store::Parse("T418-ZEN registry 1\nK\tS\nD\tA\t1\nD\ta\t2\n", store));
    EXPECT_FALSE(platform::registry_store::Parse("T418-ZEN registry 1\nK\tS\nK\ts\n", store));
    EXPECT_FALSE(
        platform::registry_store::Parse("T418-ZEN registry 1\nK\tS\nS\tA\tbad\\q\n", store));
    ASSERT_TRUE(platform::registry_store::Parse(
        "T418-ZEN registry 1\nK\tS\\\\T\nD\tA\t4294967295\nS\tB\t\\t\n", store));
    ASSERT_EQ(store.keys.size(), 1u);
    EXPECT_EQ(platform::registry_store::Serialise(store),
              "T418-ZEN registry 1\nK\tS\\\\T\nD\tA\t4294967295\nS\tB\t\\t\n");
}

}  // namespace
