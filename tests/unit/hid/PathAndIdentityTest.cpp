#include <gtest/gtest.h>

#include "hid/DeviceIdentity.h"
#include "hid/DeviceMatchTable.h"
#include "hid/PathParsers.h"

namespace {

using namespace hid;

TEST(PathParsers, ReadHexAfterEachKeyWithoutRegardToCase) {
    const std::string path = "\\\\?\\HID#VID_320F&PID_22A4&MI_01&Col02#7&1d2c&0&0001#{4d1e55b2}";
    EXPECT_EQ(VendorFromPath(path), 0x320F);
    EXPECT_EQ(ProductFromPath(path), 0x22A4);
    EXPECT_EQ(InterfaceFromPath(path), 1);
    EXPECT_EQ(CollectionFromPath(path), 2);
    const std::string linux = "/run/bus/mouse-if0-col3#vid_320f&pid_226f&mi_00&col03";
    EXPECT_EQ(ProductFromPath(linux), 0x226F);
    EXPECT_EQ(CollectionFromPath(linux), 3);
}

TEST(PathParsers, MissingKeysOrDigitsGiveZero) {
    const std::string headset = "/dev/hidraw4#vid_0c76&pid_1630&mi_03#0003:0C76:1630.0009";
    EXPECT_EQ(InterfaceFromPath(headset), 3);
    EXPECT_EQ(CollectionFromPath(headset), 0);
    EXPECT_EQ(InterfaceFromPath("#vid_0c76&pid_1630"), 0);
    EXPECT_EQ(VendorFromPath(""), 0);
    EXPECT_EQ(VendorFromPath("vid_"), 0);
    EXPECT_EQ(VendorFromPath("vid_zz"), 0);
    // "%x" accepts a 0x prefix; numbers too large keep their low 16 bits.
    EXPECT_EQ(VendorFromPath("vid_0x12"), 0x12);
    EXPECT_EQ(VendorFromPath("vid_123456"), 0x3456);
}

TEST(DeviceIdentity, EqualityIgnoresConnectedPartnerAndPath) {
    DeviceIdentity a = DeviceMatchTable()[4];
    DeviceIdentity b = a;
    b.Connected = 1;
    b.Path = "x";
    b.HasPartner = 0;
    b.PartnerSlot = 9;
    EXPECT_TRUE(a == b);
    for (auto change :
         {+[](DeviceIdentity& d) { d.VendorID++; }, +[](DeviceIdentity& d) { d.ProductID++; },
          +[](DeviceIdentity& d) { d.InterfaceNumber++; },
          +[](DeviceIdentity& d) { d.CollectionNumber++; }, +[](DeviceIdentity& d) { d.Kind++; },
          +[](DeviceIdentity& d) { d.Role++; }, +[](DeviceIdentity& d) { d.UsagePage++; },
          +[](DeviceIdentity& d) { d.Usage++; }}) {
        DeviceIdentity c = a;
        change(c);
        EXPECT_FALSE(a == c);
    }
}

TEST(DeviceMatchTable, RowsPairCableAndReceiverAndMatchThePathsOfTheirInterfaces) {
    const auto& table = DeviceMatchTable();
    ASSERT_EQ(table.size(), kDeviceMatchTableSize);
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].Connected, 0);
        EXPECT_TRUE(table[i].Path.empty());
        if (table[i].HasPartner) {
            const DeviceIdentity& partner = table[table[i].PartnerSlot];
            EXPECT_EQ(partner.PartnerSlot, i);
            EXPECT_EQ(partner.Role, table[i].Role);
        }
    }
    EXPECT_EQ(FindMatchRow(IdentityFromPath("/b/x#vid_320f&pid_22a4&mi_01&col02"), false), 4);
    EXPECT_EQ(FindMatchRow(IdentityFromPath("/b/x#vid_320f&pid_226f&mi_00&col03"), false), 7);
    EXPECT_EQ(FindMatchRow(IdentityFromPath("/b/x#vid_0c76&pid_1630&mi_03"), false), 10);
    EXPECT_EQ(FindMatchRow(IdentityFromPath("/b/x#vid_320f&pid_22a4&mi_01&col01"), false), -1);
    DeviceIdentity look = IdentityFromPath("/b/x#vid_320f&pid_1004&mi_01&col04");
    EXPECT_EQ(FindMatchRow(look, false), 8);
    look.UsagePage = 0xFF1C;
    look.Usage = 0x01;
    EXPECT_EQ(FindMatchRow(look, true), -1);
}

}  // namespace
