// Starting the program twice: the second start hands over to the first and ends with 0.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "../../unit/platform/TestFolders.h"
#include "platform/FileIO.h"
#include "platform/Process.h"

namespace {

namespace fs = std::filesystem;

bool WaitForText(const std::string& path, const std::string& text, int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        std::string content;
        if (platform::ReadWholeFile(path, content) && content.find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

TEST(ProgramProcess, SecondStartHandsOverAndEndsWithZero) {
    t418test::TempFolder root;
    const std::string base = root / "";
    fs::create_directories(base + "prog/DefaultData");
    fs::create_directories(base + "bus");
    fs::create_directories(base + "run");
    fs::permissions(base + "run", fs::perms::owner_all);
    fs::copy(T418_APP_TEST_SKIN, base + "prog/skin", fs::copy_options::recursive);
    t418test::ScopedEnv runtime("XDG_RUNTIME_DIR", base + "run");
    t418test::ScopedEnv config("XDG_CONFIG_HOME", base + "config");
    t418test::ScopedEnv data("XDG_DATA_HOME", base + "data");
    t418test::ScopedEnv bus("T418_ZEN_SIMBUS", base + "bus");
    t418test::ScopedEnv program("T418_ZEN_PROGRAM_DIR", base + "prog");
    t418test::ScopedEnv qpa("QT_QPA_PLATFORM", "offscreen");
    t418test::ScopedEnv trace("T418_ZEN_TRACE", "1");
    t418test::ScopedEnv shots("T418_ZEN_SCREENSHOTS", base + "shots");

    const std::string firstLog = base + "first.log";
    auto first = platform::StartProcess(
        "/bin/sh", {"-c", std::string("exec \"") + T418_ZEN_EXE + "\" 2>\"" + firstLog + "\""});
    ASSERT_TRUE(first);
    ASSERT_TRUE(WaitForText(firstLog, "windowinit", 10000)) << "the first start did not come up";

    auto second = platform::StartProcess(T418_ZEN_EXE, {});
    ASSERT_TRUE(second);
    ASSERT_TRUE(second->Wait(10000));
    EXPECT_EQ(second->ExitCode(), 0);
    // The first one got the product-title message with lParam 1 (the scan's own has 0).
    EXPECT_TRUE(WaitForText(firstLog, "，0d1d", 5000));

    // It ends on its own once its screenshot is written.
    ASSERT_TRUE(first->Wait(20000));
    EXPECT_EQ(first->ExitCode(), 0);
    EXPECT_TRUE(fs::exists(base + "shots/main.png"));
}

}  // namespace
