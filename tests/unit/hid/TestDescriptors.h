#pragma once
// Report descriptors written item by item from the HID class definition, for the shapes real
// devices have and our own devices do not: fields wider than 32 bits, very long reports,
// full-range 32-bit values, and the odd layouts of docs/hid.md. Shared by the parser tests,
// the seeded mutation test and the fuzz target's seeds.
#include <cstdint>
#include <string>
#include <vector>

namespace hidtest {

using Bytes = std::vector<uint8_t>;

// A pen (digitizer page): report ID 2, tip switch, barrel switch and in-range bits, X and Y
// (16 bits, logical 0..32767 on physical 0..3000), tip pressure (16 bits), the 64-bit
// transducer serial number, then the 8-bit transducer index after it.
inline const Bytes kPenWithSerial = {
    0x05, 0x0D,                          // Usage Page (Digitizer)
    0x09, 0x02,                          // Usage (Pen)
    0xA1, 0x01,                          // Collection (Application)
    0x85, 0x02,                          //   Report ID (2)
    0x09, 0x20,                          //   Usage (Stylus)
    0xA1, 0x00,                          //   Collection (Physical)
    0x09, 0x42, 0x09, 0x44, 0x09, 0x32,  // Usage (Tip Switch, Barrel Switch, In Range)
    0x15, 0x00, 0x25, 0x01,              //     Logical (0, 1)
    0x75, 0x01, 0x95, 0x03,              //     Report Size (1), Count (3)
    0x81, 0x02,                          //     Input (Data, Var, Abs)
    0x95, 0x05, 0x81, 0x03,              //     Count (5), Input (Const, Var): padding
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31,  // Usage Page (Generic Desktop), Usage (X, Y)
    0x26, 0xFF, 0x7F,                    //     Logical Max (32767)
    0x35, 0x00, 0x46, 0xB8, 0x0B,        //     Physical (0, 3000)
    0x75, 0x10, 0x95, 0x02,              //     Report Size (16), Count (2)
    0x81, 0x02,                          //     Input (Data, Var, Abs)
    0x05, 0x0D, 0x09, 0x30,              //     Usage Page (Digitizer), Usage (Tip Pressure)
    0x26, 0xFF, 0x0F,                    //     Logical Max (4095)
    0x35, 0x00, 0x45, 0x00,              //     Physical (0, 0): none
    0x95, 0x01, 0x81, 0x02,              //     Count (1), Input (Data, Var, Abs)
    0x09, 0x5B,                          //     Usage (Transducer Serial Number)
    0x17, 0x00, 0x00, 0x00, 0x00,        //     Logical Min (0)
    0x27, 0xFF, 0xFF, 0xFF, 0xFF,        //     Logical Max (-1: all 64 bits)
    0x75, 0x40,                          //     Report Size (64)
    0x81, 0x02,                          //     Input (Data, Var, Abs)
    0x09, 0x38,                          //     Usage (Transducer Index)
    0x15, 0x00, 0x25, 0x7F,              //     Logical (0, 127)
    0x75, 0x08,                          //     Report Size (8)
    0x81, 0x02,                          //     Input (Data, Var, Abs)
    0xC0,                                //   End Collection
    0xC0,                                // End Collection
};

// A tablet's vendor collection: report ID 0x10 with a 104-bit and an 88-bit value, an 8-bit
// value after them, and an array of two 40-bit selectors.
inline const Bytes kTabletWideVendorFields = {
    0x06, 0x00, 0xFF,                                // Usage Page (Vendor 0xFF00)
    0x09, 0x01,                                      // Usage (1)
    0xA1, 0x01,                                      // Collection (Application)
    0x85, 0x10,                                      //   Report ID (16)
    0x15, 0x00, 0x26, 0xFF, 0x00,                    //   Logical (0, 255)
    0x09, 0x20, 0x75, 0x68, 0x95, 0x01, 0x81, 0x02,  // Usage 0x20: 104 bits, Input
    0x09, 0x21, 0x75, 0x58, 0x81, 0x02,              // Usage 0x21: 88 bits, Input
    0x09, 0x22, 0x75, 0x08, 0x81, 0x02,              // Usage 0x22: 8 bits, Input
    0x19, 0x01, 0x29, 0x04, 0x15, 0x01, 0x25, 0x04,  // Usages 1..4, Logical (1, 4)
    0x75, 0x28, 0x95, 0x02, 0x81, 0x00,              // 40 bits x 2, Input (Data, Array)
    0xC0,                                            // End Collection
};

// A touchscreen's vendor report of 7488 bytes with its ID: report ID 0x44, 7486 bytes of one
// usage, then one more byte of usage 2. `dataBytes` other than 7487 makes the same report
// with another length.
inline Bytes LongVendorReport(uint32_t dataBytes = 7487) {
    const uint32_t first = dataBytes - 1;
    return {
        0x06,
        0x00,
        0xFF,  // Usage Page (Vendor 0xFF00)
        0x09,
        0x01,  // Usage (1)
        0xA1,
        0x01,  // Collection (Application)
        0x85,
        0x44,  //   Report ID (0x44)
        0x15,
        0x00,
        0x26,
        0xFF,
        0x00,  // Logical (0, 255)
        0x75,
        0x08,  // Report Size (8)
        0x09,
        0x01,  // Usage (1)
        0x96,
        static_cast<uint8_t>(first),
        static_cast<uint8_t>(first >> 8),  // Count
        0x82,
        0x02,
        0x01,  // Input (Data, Var, Abs, Buffered Bytes)
        0x09,
        0x02,
        0x95,
        0x01,  // Usage (2), Count (1)
        0x81,
        0x02,  // Input (Data, Var, Abs)
        0xC0,  // End Collection
    };
}

// A joystick without report IDs and three 32-bit axes: X over the full 32-bit range on
// physical the full range, Y over the full range on physical 0..1000, Z over 0..100 on
// physical the full range.
inline const Bytes kFullRange32 = {
    0x05, 0x01,                    // Usage Page (Generic Desktop)
    0x09, 0x04,                    // Usage (Joystick)
    0xA1, 0x01,                    // Collection (Application)
    0x75, 0x20, 0x95, 0x01,        //   Report Size (32), Count (1)
    0x09, 0x30,                    //   Usage (X)
    0x17, 0x00, 0x00, 0x00, 0x80,  //   Logical Min (-2^31)
    0x27, 0xFF, 0xFF, 0xFF, 0x7F,  //   Logical Max (2^31 - 1)
    0x37, 0x00, 0x00, 0x00, 0x80,  //   Physical Min (-2^31)
    0x47, 0xFF, 0xFF, 0xFF, 0x7F,  //   Physical Max (2^31 - 1)
    0x81, 0x02,                    //   Input (Data, Var, Abs)
    0x09, 0x31,                    //   Usage (Y)
    0x35, 0x00, 0x46, 0xE8, 0x03,  //   Physical (0, 1000)
    0x81, 0x02,                    //   Input (Data, Var, Abs)
    0x09, 0x32,                    //   Usage (Z)
    0x15, 0x00, 0x25, 0x64,        //   Logical (0, 100)
    0x37, 0x00, 0x00, 0x00, 0x80,  //   Physical Min (-2^31)
    0x47, 0xFF, 0xFF, 0xFF, 0x7F,  //   Physical Max (2^31 - 1)
    0x81, 0x02,                    //   Input (Data, Var, Abs)
    0xC0,                          // End Collection
};

// Report ID 1 in two top-level collections: a mouse's buttons, then a consumer array; a
// third collection with report ID 3 of its own.
inline const Bytes kReportIdInTwoCollections = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,        // Generic Desktop, Mouse, Collection (Application)
    0x85, 0x01,                                //   Report ID (1)
    0x05, 0x09, 0x19, 0x01, 0x29, 0x08,        //   Button page, Usages 1..8
    0x15, 0x00, 0x25, 0x01,                    //   Logical (0, 1)
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,        //   1 bit x 8, Input (Data, Var, Abs)
    0xC0,                                      // End Collection
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,        // Consumer, Consumer Control, Collection
    0x85, 0x01,                                //   Report ID (1) again
    0x19, 0x00, 0x2A, 0x9C, 0x02,              //   Usages 0..0x29C
    0x15, 0x00, 0x26, 0x9C, 0x02,              //   Logical (0, 0x29C)
    0x75, 0x10, 0x95, 0x01, 0x81, 0x00,        //   16 bits x 1, Input (Data, Array)
    0xC0,                                      // End Collection
    0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01,  // Vendor 0xFF1C, 0x92, Collection
    0x85, 0x03,                                //   Report ID (3)
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x09, 0x01,  //   Logical (0, 255), Usage (1)
    0x75, 0x08, 0x95, 0x08, 0x81, 0x02,        //   8 bits x 8, Input
    0xC0,                                      // End Collection
};

// Without report IDs: a constant byte before the only collection, the mouse's buttons in
// it, and two data bytes after it, all in the one report 0.
inline const Bytes kItemsOutsideCollections = {
    0x75, 0x08, 0x95, 0x01, 0x81, 0x03,  // 8 bits x 1, Input (Const): outside, before
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // Generic Desktop, Mouse, Collection (Application)
    0x05, 0x09, 0x19, 0x01, 0x29, 0x08,  //   Button page, Usages 1..8
    0x15, 0x00, 0x25, 0x01,              //   Logical (0, 1)
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,  //   1 bit x 8, Input (Data, Var, Abs)
    0xC0,                                // End Collection
    0x06, 0x00, 0xFF, 0x09, 0x05,        // Vendor page, Usage (5)
    0x26, 0xFF, 0x00,                    // Logical Max (255)
    0x75, 0x08, 0x95, 0x02, 0x81, 0x02,  // 8 bits x 2, Input (Data, Var): outside, after
};

// A collection whose first items come before any Report ID in a descriptor that numbers
// its other reports, then a consumer collection with report ID 2.
inline const Bytes kNumberedAndUnnumbered = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // Generic Desktop, Mouse, Collection (Application)
    0x05, 0x09, 0x19, 0x01, 0x29, 0x08,  //   Button page, Usages 1..8
    0x15, 0x00, 0x25, 0x01,              //   Logical (0, 1)
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,  //   1 bit x 8, Input: report ID 0
    0x85, 0x01,                          //   Report ID (1)
    0x81, 0x02,                          //   1 bit x 8 again, Input: report ID 1
    0xC0,                                // End Collection
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,  // Consumer, Consumer Control, Collection
    0x85, 0x02,                          //   Report ID (2)
    0x19, 0x00, 0x2A, 0x9C, 0x02,        //   Usages 0..0x29C
    0x15, 0x00, 0x26, 0x9C, 0x02,        //   Logical (0, 0x29C)
    0x75, 0x10, 0x95, 0x01, 0x81, 0x00,  //   16 bits x 1, Input (Data, Array)
    0xC0,                                // End Collection
};

// Every descriptor above with a name, for seeds.
inline std::vector<std::pair<std::string, Bytes>> AllTestDescriptors() {
    return {{"pen-serial", kPenWithSerial},
            {"tablet-wide", kTabletWideVendorFields},
            {"long-report", LongVendorReport()},
            {"full-range-32", kFullRange32},
            {"id-in-two-collections", kReportIdInTwoCollections},
            {"outside-collections", kItemsOutsideCollections},
            {"numbered-and-unnumbered", kNumberedAndUnnumbered}};
}

}  // namespace hidtest
