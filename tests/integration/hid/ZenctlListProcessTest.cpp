// t418-zenctl list as a separate process against the simulator.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tests/integration/hid/SimBusFixture.h"

namespace {

struct ProcessResult {
    int exitCode = -1;
    std::string output;
};

ProcessResult RunList(const std::string& bus) {
    std::string command = "T418_ZEN_SIMBUS='" + bus + "' '" + T418_ZENCTL_PATH + "' list 2>&1";
    ProcessResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
        result.output.append(buffer, n);
    int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

using ZenctlListTest = testsupport::SimBusTest;

TEST_F(ZenctlListTest, ListsTheClaimedSlotsOrFailsWhenNothingIsThere) {
    ProcessResult empty = RunList(folder_);
    EXPECT_EQ(empty.exitCode, 1) << empty.output;

    ASSERT_TRUE(simulator_->Plug("mouse-cable"));
    ASSERT_TRUE(simulator_->Plug("headset"));
    ASSERT_TRUE(simulator_->Plug("lookalike"));
    ProcessResult list = RunList(folder_);
    EXPECT_EQ(list.exitCode, 0) << list.output;
    EXPECT_NE(list.output.find(" 4  mouse-cable       command 320f:22a4  mi 1  col 2  ff1c:0092"),
              std::string::npos)
        << list.output;
    EXPECT_NE(list.output.find(" 5  mouse-cable       event   320f:22a4  mi 0  col 3  000c:0001"),
              std::string::npos)
        << list.output;
    EXPECT_NE(list.output.find("10  headset"), std::string::npos) << list.output;
    EXPECT_EQ(list.output.find("lookalike"), std::string::npos) << list.output;
}

}  // namespace
