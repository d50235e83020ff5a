#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolders.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/Log.h"
#include "platform/Registry.h"
#include "platform/RegistryStore.h"
#include "platform/Trace.h"

using t418test::ScopedEnv;
using t418test::TempFolder;

namespace {

const std::string kKey = "SOFTWARE\\Draxmoor T418-ZEN";

class RegistryTest : public ::testing::Test {
  protected:
    RegistryTest() { std::filesystem::create_directories(data_ / "R207QX-ACE"); }

    TempFolder config_;
    ScopedEnv env_{"XDG_CONFIG_HOME", config_.path()};
    TempFolder data_;  // the log file
    ScopedEnv dataEnv_{"XDG_DATA_HOME", data_.path()};
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

// Every copy kept aside so far, oldest first.
std::vector<std::string> AsideCopies() {
    std::vector<std::string> copies;
    for (int n = 0;; ++n) {
        std::string path = platform::RegistryStorePath() + ".corrupt" +
                           (n == 0 ? std::string() : "." + std::to_string(n));
        std::string bytes;
        if (!platform::ReadWholeFile(path, bytes, 64u << 20))
            return copies;
        copies.push_back(bytes);
    }
}

TEST_F(RegistryTest, ACorruptStoreIsMovedAsideWholeAndTheNextWriteStartsAfresh) {
    ASSERT_TRUE(platform::CreateKey(kKey));
    std::string store;
    ASSERT_TRUE(platform::ReadWholeFile(platform::RegistryStorePath(), store));
    const std::vector<std::string> damaged = {
        store.substr(0, store.size() - 1), std::string("garbage\n"), store + "D\tX\t99999999999\n",
        store + "D\tX\t12a\n", std::string("\0\1\2", 3)};
    for (const std::string& bytes : damaged) {
        ASSERT_TRUE(platform::WriteFileAtomic(platform::RegistryStorePath(), bytes));
        platform::TraceCapture trace;
        EXPECT_FALSE(platform::OpenKey(kKey)) << bytes;
        EXPECT_TRUE(trace.Contains("corrupt"));
        EXPECT_FALSE(platform::FileExists(platform::RegistryStorePath()));
    }
    // Each damaged store is kept, none overwrites an earlier one.
    EXPECT_EQ(AsideCopies(), damaged);
    auto key = platform::CreateKey(kKey);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->SetDword("LANGUAGE", 1));
    EXPECT_EQ(platform::OpenKey(kKey)->GetDword("LANGUAGE"), 1u);
}

// A store past the read limit was once kept aside as an empty file and replaced by the next
// write: everything in it was lost.
TEST_F(RegistryTest, AStoreTooLargeToReadIsKeptAsideByteForByteAndLogged) {
    platform::registry_store::Store big;
    big.keys.push_back({kKey, {{"LANGUAGE", uint32_t{3}}}});
    for (int i = 0; big.keys.size() < 20000; ++i)
        big.keys.push_back({"SOFTWARE\\Bulk\\" + std::to_string(i), {{"v", std::string(40, 'x')}}});
    const std::string text = platform::registry_store::Serialise(big);
    ASSERT_GT(text.size(), platform::kMaxRegistryStoreBytes);
    ASSERT_TRUE(platform::EnsureFolder(platform::ConfigFolder()));
    ASSERT_TRUE(platform::WriteFileAtomic(platform::RegistryStorePath(), text));

    platform::TraceCapture trace;
    auto key = platform::CreateKey(kKey);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->SetDword("LANGUAGE", 7));
    EXPECT_TRUE(trace.Contains("larger than its limit"));
    EXPECT_EQ(AsideCopies(), std::vector<std::string>{text});
    EXPECT_EQ(key->GetDword("LANGUAGE"), 7u);
    std::string log;
    ASSERT_TRUE(platform::ReadWholeFile(platform::LogFilePath(), log));
    EXPECT_NE(log.find("Registry>the store is larger than its limit    moved aside to "),
              std::string::npos);
}

TEST_F(RegistryTest, WritesThatWouldPassTheLimitsAreRefusedAndChangeNothing) {
    auto key = platform::CreateKey(kKey);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->SetString("Big", std::string(platform::kMaxRegistryStringBytes + 1, 'b')));
    EXPECT_FALSE(key->SetDword(std::string(platform::kMaxRegistryNameBytes + 1, 'n'), 1));
    EXPECT_FALSE(platform::CreateKey(std::string(platform::kMaxRegistryKeyPathBytes + 1, 'k')));
    EXPECT_FALSE(key->GetString("Big"));

    // Fill the store with values of the largest size until a write is refused: the store
    // stays within its limit and fully readable, and the refused value is not in it.
    const std::string chunk(platform::kMaxRegistryStringBytes, '\\');  // doubles when escaped
    int stored = 0;
    while (key->SetString("v" + std::to_string(stored), chunk))
        ASSERT_LT(++stored, 100);
    EXPECT_GT(stored, 10);
    std::error_code ec;
    EXPECT_LE(std::filesystem::file_size(platform::RegistryStorePath(), ec),
              platform::kMaxRegistryStoreBytes);
    EXPECT_FALSE(key->GetString("v" + std::to_string(stored)));
    EXPECT_EQ(key->GetString("v0"), chunk);
    EXPECT_TRUE(key->SetDword("LANGUAGE", 2));  // small writes still fit
    EXPECT_TRUE(AsideCopies().empty());
}

TEST_F(RegistryTest, AStoreThatCannotBeReadIsNeitherUsedNorReplaced) {
    ASSERT_TRUE(platform::EnsureFolder(platform::ConfigFolder()));
    std::filesystem::create_directory(platform::RegistryStorePath());  // not a regular file
    platform::TraceCapture trace;
    EXPECT_FALSE(platform::CreateKey(kKey));
    EXPECT_FALSE(platform::OpenKey(kKey));
    EXPECT_TRUE(trace.Contains("not a regular file"));
    EXPECT_TRUE(std::filesystem::is_directory(platform::RegistryStorePath()));
}

TEST(RegistryStoreFormat, ALargeStoreRoundTripsAndKeepsItsChecks) {
    // 20000 keys of 3 values each, near the size limit. Its parse time is in platform_bench
    // (BM_RegistryStoreParse): a search of every key for each key line made it quadratic.
    platform::registry_store::Store store;
    for (int i = 0; i < 20000; ++i)
        store.keys.push_back({"SOFTWARE\\K" + std::to_string(i),
                              {{"a", uint32_t(1)}, {"B", std::string("x")}, {"c", uint32_t(3)}}});
    const std::string text = platform::registry_store::Serialise(store);
    platform::registry_store::Store back;
    ASSERT_TRUE(platform::registry_store::Parse(text, back));
    EXPECT_EQ(platform::registry_store::Serialise(back), text);
    // A repeated key or value name is found however far from its first appearance.
    EXPECT_FALSE(platform::registry_store::Parse(text + "K\tsoftware\\\\k7\n", back));
    EXPECT_FALSE(platform::registry_store::Parse(text + "D\tA\t2\n", back));
    EXPECT_TRUE(platform::registry_store::Parse(text + "K\tsoftware\\\\k7\\\\x\nD\tA\t2\n", back));
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
