// The simulator's control commands, as an operator or a script types them.
#include <gtest/gtest.h>

#include "sim/ControlCommands.h"
#include "tests/integration/hid/SimBusFixture.h"

namespace {

using SimControlTest = testsupport::SimBusTest;

TEST_F(SimControlTest, PlugAndUnplugByNameOrAllAndReportMistakes) {
    sim::ControlContext context{*simulator_};
    EXPECT_EQ(sim::ExecuteControlLine("plug mouse-cable pad", context), "ok\n");
    EXPECT_TRUE(simulator_->IsPlugged("mouse-cable"));
    EXPECT_TRUE(simulator_->IsPlugged("pad"));
    EXPECT_FALSE(PathOf("pad-if1-col4").empty());
    EXPECT_EQ(sim::ExecuteControlLine("plug pad", context), "error: pad is already plugged\n");
    EXPECT_EQ(sim::ExecuteControlLine("plug all", context), "ok\n");  // the rest joins
    EXPECT_TRUE(simulator_->IsPlugged("headset"));
    EXPECT_EQ(sim::ExecuteControlLine("  unplug   mouse-receiver ", context), "ok\n");
    EXPECT_FALSE(simulator_->IsPlugged("mouse-receiver"));
    EXPECT_TRUE(PathOf("mouse-receiver-if1-col2").empty());

    EXPECT_EQ(sim::ExecuteControlLine("unplug mouse", context), "error: unknown device 'mouse'\n");
    EXPECT_EQ(sim::ExecuteControlLine("unplug", context), "error: usage: unplug DEVICE...|all\n");
    EXPECT_EQ(sim::ExecuteControlLine("fly away", context),
              "error: unknown command 'fly' (try 'help')\n");
    EXPECT_EQ(sim::ExecuteControlLine("# a comment", context), "");
    EXPECT_EQ(sim::ExecuteControlLine("", context), "");
    EXPECT_FALSE(context.quitRequested);

    EXPECT_EQ(sim::ExecuteControlLine("unplug all", context), "ok\n");
    EXPECT_TRUE(simulator_->Plugged().empty());
    std::vector<std::string> paths;
    ASSERT_TRUE(transport_->EnumeratePaths(paths));
    EXPECT_TRUE(paths.empty());
    EXPECT_EQ(sim::ExecuteControlLine("quit", context), "ok\n");
    EXPECT_TRUE(context.quitRequested);
}

TEST_F(SimControlTest, DevicesAndHelpDescribeTheSimulator) {
    sim::ControlContext context{*simulator_};
    sim::ExecuteControlLine("plug headset", context);
    std::string devices = sim::ExecuteControlLine("devices", context);
    EXPECT_NE(devices.find("headset plugged\n"), std::string::npos);
    EXPECT_NE(devices.find("pad unplugged\n"), std::string::npos);
    std::string help = sim::ExecuteControlLine("help", context);
    for (const char* command : {"plug", "unplug", "devices", "quit"})
        EXPECT_NE(help.find(std::string("  ") + command + " "), std::string::npos) << command;
}

}  // namespace
