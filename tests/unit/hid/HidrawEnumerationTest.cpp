// hidraw enumeration, presence and report filtering on a fake sysfs tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/HidTransport.h"
#include "platform/Trace.h"
#include "platform/linux/HidrawTransport.h"
#include "sim/BusDevices.h"

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Bytes(const std::vector<uint8_t>& v) {
    return std::string(v.begin(), v.end());
}

class HidrawTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/t418sysXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        classRoot_ = root_ / "class/hidraw";
        devRoot_ = root_ / "dev";
        fs::create_directories(classRoot_);
        fs::create_directories(devRoot_);
        const sim::BusDevice* mouse = sim::FindBusDevice("mouse-cable");
        // The mouse's two USB interfaces, a Bluetooth device without interface number, and
        // a node whose device vanished.
        AddNode("hidraw0", "usb1/1-1/1-1:1.0", "0003:320F:22A4.0001", "00",
                mouse->interfaces[0].reportDescriptor);
        AddNode("hidraw1", "usb1/1-1/1-1:1.1", "0003:320F:22A4.0002", "01",
                mouse->interfaces[1].reportDescriptor);
        AddNode("hidraw2", "bt/hci0/0005:0C76:1630.0003", "0005:0C76:1630.0003", "",
                sim::FindBusDevice("headset")->interfaces[0].reportDescriptor);
        fs::create_directories(classRoot_ / "hidraw3");
        fs::create_symlink("../../../devices/gone/0003:320F:1004.0004",
                           classRoot_ / "hidraw3/device");
        WriteFile(root_ / "devices/usb1/1-1/bcdDevice", "0105\n");
        transport_ = platform::MakeHidrawTransport(classRoot_, devRoot_);
    }
    void TearDown() override { fs::remove_all(root_); }

    // hidrawN/device -> devices/<parent>/<instance>; bInterfaceNumber beside the instance.
    void AddNode(const std::string& node, const std::string& parent, const std::string& instance,
                 const std::string& interfaceNumber, const std::vector<uint8_t>& descriptor) {
        fs::path device = root_ / "devices" / parent;
        if (parent.find(instance) == std::string::npos)
            device /= instance;
        std::string vid = instance.substr(5, 4), pid = instance.substr(10, 4);
        WriteFile(device / "uevent", "DRIVER=hid-generic\nHID_ID=" + instance.substr(0, 4) +
                                         ":0000" + vid + ":0000" + pid + "\nHID_NAME=x\n");
        WriteFile(device / "report_descriptor", Bytes(descriptor));
        if (!interfaceNumber.empty())
            WriteFile(device.parent_path() / "bInterfaceNumber", interfaceNumber + "\n");
        fs::create_directories(classRoot_ / node);
        fs::remove(classRoot_ / node / "device");
        fs::create_symlink(fs::relative(device, classRoot_ / node), classRoot_ / node / "device");
        WriteFile(devRoot_ / node, "");
    }

    fs::path root_, classRoot_, devRoot_;
    std::unique_ptr<platform::HidTransport> transport_;
};

TEST_F(HidrawTest, OnePathPerTopLevelCollectionWithInstanceAndWithoutVanishedNodes) {
    std::vector<std::string> paths;
    ASSERT_TRUE(transport_->EnumeratePaths(paths));
    std::string dev = devRoot_.string();
    EXPECT_EQ(paths, (std::vector<std::string>{
                         dev + "/hidraw0#vid_320f&pid_22a4&mi_00&col01#0003:320F:22A4.0001",
                         dev + "/hidraw0#vid_320f&pid_22a4&mi_00&col02#0003:320F:22A4.0001",
                         dev + "/hidraw0#vid_320f&pid_22a4&mi_00&col03#0003:320F:22A4.0001",
                         dev + "/hidraw1#vid_320f&pid_22a4&mi_01&col01#0003:320F:22A4.0002",
                         dev + "/hidraw1#vid_320f&pid_22a4&mi_01&col02#0003:320F:22A4.0002",
                         dev + "/hidraw2#vid_0c76&pid_1630#0005:0C76:1630.0003",
                     }));
    EXPECT_FALSE(platform::MakeHidrawTransport(root_ / "missing", devRoot_)->EnumeratePaths(paths));
}

TEST_F(HidrawTest, PresenceIsNotFooledByAReusedNodeNumber) {
    std::string path =
        devRoot_.string() + "/hidraw1#vid_320f&pid_22a4&mi_01&col02#0003:320F:22A4.0002";
    EXPECT_TRUE(transport_->IsPresent(path));
    // Unplugged and plugged back: the kernel gives the same node to a new HID instance.
    AddNode("hidraw1", "usb1/1-1/1-1:1.1", "0003:320F:22A4.0007", "01",
            sim::FindBusDevice("mouse-cable")->interfaces[1].reportDescriptor);
    EXPECT_FALSE(transport_->IsPresent(path));
    EXPECT_FALSE(transport_->Open(path, {}));
    std::vector<std::string> paths;
    ASSERT_TRUE(transport_->EnumeratePaths(paths));
    EXPECT_NE(
        std::find(paths.begin(), paths.end(),
                  devRoot_.string() + "/hidraw1#vid_320f&pid_22a4&mi_01&col02#0003:320F:22A4.0007"),
        paths.end());
    fs::remove(devRoot_ / "hidraw1");
    EXPECT_FALSE(transport_->IsPresent(path));
}

TEST_F(HidrawTest, OpenGivesTheCollectionAndReadKeepsOnlyItsReports) {
    std::string dev = devRoot_.string();
    std::string command = dev + "/hidraw1#vid_320f&pid_22a4&mi_01&col02#0003:320F:22A4.0002";
    std::string keyboard = dev + "/hidraw1#vid_320f&pid_22a4&mi_01&col01#0003:320F:22A4.0002";
    // The node holds one report of the command collection (ID 4).
    std::string report(64, '\0');
    report[0] = 4;
    report[1] = 0x42;
    WriteFile(devRoot_ / "hidraw1", report);

    auto connection = transport_->Open(command, {});
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(connection->Attributes().vendorId, 0x320F);
    EXPECT_EQ(connection->Attributes().productId, 0x22A4);
    EXPECT_EQ(connection->Attributes().version, 0x0105);
    EXPECT_EQ(connection->Collection().usagePage, 0xFF1C);
    EXPECT_EQ(connection->Collection().inputReportByteLength, 64);
    uint8_t buffer[64] = {};
    uint32_t moved = 0;
    ASSERT_EQ(connection->Read(buffer, sizeof buffer, moved, 100), platform::HidTransferResult::Ok);
    EXPECT_EQ(moved, 64u);
    EXPECT_EQ(buffer[1], 0x42);

    auto keys = transport_->Open(keyboard, {});
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->Collection().usage, 0x06);
    EXPECT_EQ(keys->Read(buffer, sizeof buffer, moved, 30), platform::HidTransferResult::TimedOut);

    // A path whose collection the node does not have is refused.
    EXPECT_EQ(
        transport_->Open(dev + "/hidraw1#vid_320f&pid_22a4&mi_01&col05#0003:320F:22A4.0002", {}),
        nullptr);
    EXPECT_EQ(transport_->Open("/elsewhere/hidraw1#vid_320f#x", {}), nullptr);
}

// A descriptor we cannot parse once made the node and all its collections disappear, and was
// parsed again at every scan.
TEST_F(HidrawTest, AnUnparsableNodeIsListedUnsplitTracedOnceAndNotReadAgain) {
    const std::vector<uint8_t> cut = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75};  // item cut
    AddNode("hidraw4", "usb1/1-2/1-2:1.0", "0003:1234:5678.0005", "00", cut);
    const std::string dev = devRoot_.string();
    const std::string unsplit = dev + "/hidraw4#vid_1234&pid_5678&mi_00#0003:1234:5678.0005";
    const std::string command = dev + "/hidraw1#vid_320f&pid_22a4&mi_01&col02#0003:320F:22A4.0002";
    auto lines = [](const platform::TraceCapture& trace) {
        int n = 0;
        for (const std::string& line : trace.Lines())
            n += line.find("hidraw4") != std::string::npos;
        return n;
    };
    platform::TraceCapture trace;
    std::vector<std::string> paths;
    for (int scan = 0; scan < 3; ++scan) {
        ASSERT_TRUE(transport_->EnumeratePaths(paths));
        EXPECT_EQ(std::count(paths.begin(), paths.end(), unsplit), 1);
        EXPECT_EQ(std::count(paths.begin(), paths.end(), command), 1);  // the mouse is found
        EXPECT_EQ(paths.size(), 7u);
    }
    EXPECT_EQ(lines(trace), 1);
    EXPECT_TRUE(trace.Contains("truncated item"));
    EXPECT_EQ(transport_->Open(unsplit, {}), nullptr);
    EXPECT_NE(transport_->Open(command, {}), nullptr);

    // Remembered until the node changes: a descriptor that now parses is not read again...
    const std::vector<uint8_t>& good =
        sim::FindBusDevice("mouse-cable")->interfaces[1].reportDescriptor;
    WriteFile(root_ / "devices/usb1/1-2/1-2:1.0/0003:1234:5678.0005/report_descriptor",
              Bytes(good));
    ASSERT_TRUE(transport_->EnumeratePaths(paths));
    EXPECT_EQ(std::count(paths.begin(), paths.end(), unsplit), 1);
    EXPECT_EQ(lines(trace), 1);
    // ...until the device is plugged in again.
    AddNode("hidraw4", "usb1/1-2/1-2:1.0", "0003:1234:5678.0006", "00", good);
    ASSERT_TRUE(transport_->EnumeratePaths(paths));
    EXPECT_EQ(std::count(paths.begin(), paths.end(),
                         dev + "/hidraw4#vid_1234&pid_5678&mi_00&col02#0003:1234:5678.0006"),
              1);
}

// A collection that shares its report ID with an earlier one is not listed; the others keep
// their numbers.
TEST_F(HidrawTest, ARefusedCollectionIsLeftOutAndTheOthersKeepTheirNumbers) {
    const std::vector<uint8_t> shared = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x05, 0x09,
                                         0x19, 0x01, 0x29, 0x08, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01,
                                         0x95, 0x08, 0x81, 0x02, 0xC0,  // ID 1
                                         0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x75, 0x08,
                                         0x95, 0x01, 0x09, 0xE9, 0x81, 0x02, 0xC0,  // ID 1 again
                                         0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, 0x04, 0x09,
                                         0x01, 0x75, 0x08, 0x95, 0x3F, 0x81, 0x02, 0xC0};  // ID 4
    AddNode("hidraw5", "usb1/1-3/1-3:1.1", "0003:320F:22A4.0009", "01", shared);
    platform::TraceCapture trace;
    std::vector<std::string> paths;
    ASSERT_TRUE(transport_->EnumeratePaths(paths));
    const std::string dev = devRoot_.string();
    const std::string prefix = dev + "/hidraw5#vid_320f&pid_22a4&mi_01&col0";
    EXPECT_EQ(std::count(paths.begin(), paths.end(), prefix + "1#0003:320F:22A4.0009"), 1);
    EXPECT_EQ(std::count(paths.begin(), paths.end(), prefix + "2#0003:320F:22A4.0009"), 0);
    EXPECT_EQ(std::count(paths.begin(), paths.end(), prefix + "3#0003:320F:22A4.0009"), 1);
    EXPECT_TRUE(
        trace.Contains("collection 2 refused: report ID 1 already belongs to collection 1"));
    EXPECT_EQ(transport_->Open(prefix + "2#0003:320F:22A4.0009", {}), nullptr);
    auto command = transport_->Open(prefix + "3#0003:320F:22A4.0009", {});
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->Collection().inputReportByteLength, 64);
}

}  // namespace
