// The access check on a fake sysfs and /dev: a node of ours that exists and cannot be opened
// is reported; others' nodes, missing nodes and openable ones are not. The open check is
// injected: the tests may run as root, which opens any node whatever its mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "hid/DeviceMatchTable.h"
#include "platform/linux/HidrawAccess.h"

namespace {

namespace fs = std::filesystem;

class HidrawAccessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("t418-access-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "class");
        fs::create_directories(root_ / "dev");
    }
    void TearDown() override { fs::remove_all(root_); }
    // A node with its uevent; withDevNode: its /dev entry exists.
    void Node(const std::string& name, const std::string& hidId, bool withDevNode = true) {
        fs::create_directories(root_ / "class" / name / "device");
        std::ofstream(root_ / "class" / name / "device" / "uevent")
            << "DRIVER=hid-generic\nHID_ID=" << hidId << "\nHID_NAME=x\n";
        if (withDevNode)
            std::ofstream(root_ / "dev" / name) << "";
    }
    std::vector<platform::HidAccessProblem> Find() {
        return platform::FindInaccessibleHidraw(
            hid::ClaimedProductIds(), (root_ / "class").string(), (root_ / "dev").string(),
            [this](const std::string& path) { return !locked_.count(fs::path(path).filename()); });
    }
    fs::path root_;
    std::set<std::string> locked_;
};

TEST_F(HidrawAccessTest, ReportsOnlyOurNodesThatExistAndCannotBeOpened) {
    Node("hidraw0", "0003:0000046D:0000C077");  // someone else's mouse
    Node("hidraw1", "0003:0000320F:000022A4");  // ours, on its cable
    Node("hidraw2", "0003:0000320F:000022A4");
    Node("hidraw3", "0003:0000320F:0000226F", false);  // ours, no /dev node yet
    Node("hidraw4", "0003:0000320F:00000000");         // our vendor, a product we do not claim
    locked_ = {"hidraw0", "hidraw2", "hidraw3", "hidraw4"};
    auto problems = Find();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].node, (root_ / "dev" / "hidraw2").string());
    EXPECT_EQ(problems[0].vendorId, 0x320F);
    EXPECT_EQ(problems[0].productId, 0x22A4);

    locked_.clear();
    EXPECT_TRUE(Find().empty());
}

TEST_F(HidrawAccessTest, BrokenOrMissingTreesReportNothing) {
    Node("hidraw5", "garbage");
    std::ofstream(root_ / "class" / "notours") << "";
    locked_ = {"hidraw5"};
    EXPECT_TRUE(Find().empty());
    EXPECT_TRUE(platform::FindInaccessibleHidraw(hid::ClaimedProductIds(), "/nonexistent",
                                                 "/nonexistent",
                                                 [](const std::string&) { return false; })
                    .empty());
}

TEST_F(HidrawAccessTest, TheRealOpenCheckFailsOnAMissingNode) {
    EXPECT_FALSE(platform::CanOpenHidNode((root_ / "dev" / "hidraw9").string()));
}

}  // namespace
