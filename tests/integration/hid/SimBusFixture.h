#pragma once
// A simulator on a fresh bus folder, with the process's HID transport pointed at it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/HidTransport.h"
#include "sim/Simulator.h"

namespace testsupport {

class SimBusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/t418simXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        simulator_ = std::make_unique<sim::Simulator>(folder_);
        ASSERT_TRUE(simulator_->Start());
        transport_ = platform::MakeSimBusTransport(folder_);
        platform::SetHidTransportForTesting(transport_.get());
    }
    void TearDown() override {
        platform::SetHidTransportForTesting(nullptr);
        simulator_.reset();
        std::filesystem::remove_all(folder_);
    }

    // The path the bus gives a collection, e.g. Path("mouse-cable-if1-col2").
    std::string PathOf(const std::string& id) {
        std::vector<std::string> paths;
        transport_->EnumeratePaths(paths);
        for (const std::string& p : paths) {
            if (p.rfind(folder_ + "/" + id + "#", 0) == 0)
                return p;
        }
        return std::string();
    }

    std::string folder_;
    std::unique_ptr<sim::Simulator> simulator_;
    std::unique_ptr<platform::HidTransport> transport_;
};

}  // namespace testsupport
