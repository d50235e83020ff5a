#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <memory>
#include <thread>

#include "HelperProcess.h"
#include "platform/FileLock.h"
#include "platform/Folders.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"

using t418test::Helper;
using t418test::SessionFolders;

namespace {

const std::string kProduct = "Draxmoor T418-ZEN";
const std::string kKey = "SOFTWARE\\Draxmoor T418-ZEN";

TEST(SingleInstanceProcesses, SecondHolderFailsWhileTheFirstLivesAndSucceedsAfterIt) {
    SessionFolders session;
    Helper holder({"hold-instance", kProduct, "700"});
    ASSERT_TRUE(holder.WaitForLine("first"));
    {
        platform::SingleInstance second(kProduct);
        EXPECT_FALSE(second.IsFirst());
        EXPECT_TRUE(platform::InstanceIsRunning(kProduct));
    }
    ASSERT_EQ(holder.Finish(), 0);
    platform::SingleInstance next(kProduct);
    EXPECT_TRUE(next.IsFirst());
    EXPECT_TRUE(next.Held());

    // Now this process holds it: a helper is the second one.
    Helper late({"hold-instance", kProduct, "0"});
    ASSERT_EQ(late.Finish(), 0);
    EXPECT_EQ(late.Lines(), std::vector<std::string>{"second"});
}

TEST(SingleInstanceProcesses, TheHolderIsKnownByItsProcessId) {
    SessionFolders session;
    EXPECT_EQ(platform::InstanceHolderId(kProduct), 0);
    Helper holder({"hold-instance", kProduct, "60000"});
    ASSERT_TRUE(holder.WaitForLine("first"));
    EXPECT_EQ(platform::InstanceHolderId(kProduct), holder.Process().Id());
    holder.Process().Kill();
    ASSERT_TRUE(holder.Process().Wait(5000));
    EXPECT_EQ(platform::InstanceHolderId(kProduct), 0) << "its file outlives it, its lock not";
}

// A probe (InstanceIsRunning) holds the lock for a moment: a start that meets it retries
// instead of taking itself for the second instance; a lock held longer stays busy.
TEST(SingleInstanceProcesses, AStartMeetingAMomentaryHoldRetries) {
    SessionFolders session;
    ASSERT_TRUE(platform::EnsureRuntimeFolder());
    const std::string path = platform::InstanceLockPath(kProduct);
    {
        auto probe = std::make_unique<platform::FileLock>(path, platform::FileLock::Mode::Try);
        ASSERT_TRUE(probe->Held());
        std::thread release([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
            probe->Release();
        });
        platform::SingleInstance instance(kProduct);
        release.join();
        EXPECT_TRUE(instance.IsFirst());
        EXPECT_TRUE(instance.Held());
    }
    platform::FileLock longHold(path, platform::FileLock::Mode::Try);
    ASSERT_TRUE(longHold.Held());
    const auto start = std::chrono::steady_clock::now();
    platform::SingleInstance late(kProduct);
    EXPECT_FALSE(late.IsFirst());
    EXPECT_GE(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(platform::SingleInstance::kStartRetryMs));
}

TEST(SingleInstanceProcesses, AKilledHolderDoesNotBlockTheNextStart) {
    SessionFolders session;
    Helper holder({"hold-instance", kProduct, "60000"});
    ASSERT_TRUE(holder.WaitForLine("first"));
    EXPECT_FALSE(platform::SingleInstance(kProduct).IsFirst());
    holder.Process().Kill();
    ASSERT_TRUE(holder.Process().Wait(5000));
    EXPECT_FALSE(platform::InstanceIsRunning(kProduct));
    EXPECT_TRUE(platform::SingleInstance(kProduct).IsFirst());
}

TEST(SingleInstanceProcesses, MissingRuntimeFolderIsCreatedPrivate) {
    SessionFolders session;
    platform::SingleInstance instance(kProduct);
    EXPECT_TRUE(instance.Held());
    struct stat st {};
    ASSERT_EQ(::stat(platform::RuntimeFolder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(RegistryProcesses, ValuesPersistAcrossProcesses) {
    SessionFolders session;
    Helper writer({"registry-set", kKey, "LANGUAGE", "1033"});
    ASSERT_EQ(writer.Finish(), 0);
    auto key = platform::OpenKey(kKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->GetDword("LANGUAGE"), 1033u);

    ASSERT_TRUE(key->SetDword("LANGUAGE", 2052));
    Helper reader({"registry-get", kKey, "language"});
    ASSERT_EQ(reader.Finish(), 0);
    EXPECT_EQ(reader.Lines(), std::vector<std::string>{"2052"});
}

TEST(RegistryProcesses, AKeyDeletedByAnotherProcessIsNotRecreatedByAWrite) {
    SessionFolders session;
    auto key = platform::CreateKey(kKey);
    ASSERT_TRUE(key);
    ASSERT_TRUE(platform::DeleteKey(kKey));
    EXPECT_FALSE(key->SetDword("LANGUAGE", 1));
    Helper reader({"registry-get", kKey, "LANGUAGE"});
    ASSERT_EQ(reader.Finish(), 0);
    EXPECT_EQ(reader.Lines(), std::vector<std::string>{"missing"});
    EXPECT_FALSE(platform::OpenKey(kKey));
}

}  // namespace
