#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "TestFolders.h"
#include "platform/FileIO.h"
#include "platform/Log.h"

namespace fs = std::filesystem;
using t418test::ScopedEnv;
using t418test::TempFolder;

namespace {

class LogTest : public ::testing::Test {
  protected:
    LogTest() : env_("XDG_DATA_HOME", data_.path()) {
        platform::testing::SetLogClock([] { return platform::LocalTime{2024, 3, 7, 9, 5, 1, 0}; });
    }
    ~LogTest() override { platform::testing::SetLogClock(nullptr); }

    std::string LogFolder() const { return data_ / "R207QX-ACE"; }
    std::string Contents() const {
        std::string bytes;
        platform::ReadWholeFile(platform::LogFilePath(), bytes);
        return bytes;
    }
    void FillLog(size_t bytes) const {
        std::ofstream(platform::LogFilePath(), std::ios::binary) << std::string(bytes, 'x');
    }

    TempFolder data_;
    ScopedEnv env_;
};

TEST_F(LogTest, LinesAreStampedAndFollowTheColonDirectly) {
    fs::create_directory(LogFolder());
    EXPECT_EQ(platform::LogFilePath(), data_.path() + "/R207QX-ACE/Linkhive.log");
    platform::Log("Hid2_4GDeviceIsLink>0xAA    false");
    platform::Log("Open>pNoDeviceLinkLyout    true");
    EXPECT_EQ(Contents(),
              "2024-03-07-09-05-01:Hid2_4GDeviceIsLink>0xAA    false\n"
              "2024-03-07-09-05-01:Open>pNoDeviceLinkLyout    true\n");
}

TEST_F(LogTest, StampPadsAYearBelowOneThousandWithSpaces) {
    EXPECT_EQ(platform::LogStamp({987, 12, 31, 23, 59, 58, 0}), " 987-12-31-23-59-58:");
    EXPECT_EQ(platform::LogStamp({5, 1, 2, 3, 4, 5, 0}), "   5-01-02-03-04-05:");
}

TEST_F(LogTest, MissingFolderIsNotCreatedAndIsReportedOnStandardOutput) {
    ::testing::internal::CaptureStdout();
    platform::Log("Open>pNoDeviceLinkLyout    false");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "unable to open log file\n");
    EXPECT_FALSE(fs::exists(LogFolder()));
}

TEST_F(LogTest, ALogOfExactlyTheLimitIsAppendedTo) {
    fs::create_directory(LogFolder());
    FillLog(4194304);
    platform::Log("m");
    std::string bytes = Contents();
    ASSERT_EQ(bytes.size(), 4194304u + 22u);
    EXPECT_EQ(bytes.substr(4194304), "2024-03-07-09-05-01:m\n");
}

TEST_F(LogTest, ALogOneByteOverTheLimitIsEmptiedAndHoldsOnlyTheNewLine) {
    fs::create_directory(LogFolder());
    FillLog(4194305);
    platform::Log("ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    1");
    EXPECT_EQ(Contents(),
              "2024-03-07-09-05-01:ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    1\n");
}

TEST_F(LogTest, ConcurrentCallsNeverInterleaveWithinALine) {
    fs::create_directory(LogFolder());
    const std::string message(500, 'a');
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 50; ++i)
                platform::Log(message);
        });
    for (auto& thread : threads)
        thread.join();
    std::string expectedLine = "2024-03-07-09-05-01:" + message + "\n";
    std::string bytes = Contents();
    ASSERT_EQ(bytes.size(), expectedLine.size() * 200);
    for (size_t at = 0; at < bytes.size(); at += expectedLine.size())
        ASSERT_EQ(bytes.compare(at, expectedLine.size(), expectedLine), 0) << "at " << at;
}

}  // namespace
