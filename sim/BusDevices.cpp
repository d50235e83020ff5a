#include "sim/BusDevices.h"

#include "platform/HidDescriptor.h"
#include "sim/DescriptorBuilder.h"

namespace sim {
namespace {

using B = DescriptorBuilder;

constexpr uint16_t kVendorMouse = 0x320F;
constexpr uint16_t kCommandPage = 0xFF1C;
constexpr uint16_t kCommandUsage = 0x92;
constexpr uint8_t kCommandReportId = 4;
constexpr uint32_t kCommandPayload = 63;  // 64-byte reports with their ID

void BootMouse(B& b, uint8_t reportId) {
    b.UsagePage(0x01).Usage(0x02).Collection(B::kApplication);
    b.ReportId(reportId).Usage(0x01).Collection(B::kPhysical);
    b.UsagePage(0x09).UsageMin(1).UsageMax(5).LogicalMin(0).LogicalMax(1);
    b.ReportSize(1).ReportCount(5).Input(B::kDataVarAbs).InputPadding(3);
    b.UsagePage(0x01).Usage(0x30).Usage(0x31).LogicalMin(-32767).LogicalMax(32767);
    b.ReportSize(16).ReportCount(2).Input(B::kDataVarRel);
    b.Usage(0x38).LogicalMin(-127).LogicalMax(127).ReportSize(8).ReportCount(1);
    b.Input(B::kDataVarRel);
    b.UsagePage(0x0C).Usage(0x238).ReportCount(1).Input(B::kDataVarRel);
    b.EndCollection().EndCollection();
}

void SystemControl(B& b, uint8_t reportId) {
    b.UsagePage(0x01).Usage(0x80).Collection(B::kApplication).ReportId(reportId);
    b.UsageMin(0x81).UsageMax(0x83).LogicalMin(0).LogicalMax(1);
    b.ReportSize(1).ReportCount(3).Input(B::kDataVarAbs).InputPadding(5);
    b.EndCollection();
}

void ConsumerControl(B& b, uint8_t reportId) {
    b.UsagePage(0x0C).Usage(0x01).Collection(B::kApplication).ReportId(reportId);
    b.UsageMin(0x01).UsageMax(0x29C).LogicalMin(1).LogicalMax(0x29C);
    b.ReportSize(16).ReportCount(1).Input(B::kDataArrayAbs);
    b.EndCollection();
}

void Keyboard(B& b, uint8_t reportId) {
    b.UsagePage(0x01).Usage(0x06).Collection(B::kApplication).ReportId(reportId);
    b.UsagePage(0x07).UsageMin(0xE0).UsageMax(0xE7).LogicalMin(0).LogicalMax(1);
    b.ReportSize(1).ReportCount(8).Input(B::kDataVarAbs).InputPadding(8);
    b.UsagePage(0x07).UsageMin(0).UsageMax(0xFF).LogicalMin(0).LogicalMax(0xFF);
    b.ReportSize(8).ReportCount(6).Input(B::kDataArrayAbs);
    b.UsagePage(0x08).UsageMin(1).UsageMax(5).LogicalMin(0).LogicalMax(1);
    b.ReportSize(1).ReportCount(5).Output(B::kDataVarAbs);
    b.ReportSize(3).ReportCount(1).Output(B::kConstant);
    b.EndCollection();
}

// The vendor-defined command interface: 64-byte reports both ways.
void VendorCommand(B& b, uint16_t usage) {
    b.UsagePage(kCommandPage).Usage(usage).Collection(B::kApplication).ReportId(kCommandReportId);
    b.Usage(0x01).LogicalMin(0).LogicalMax(0xFF).ReportSize(8).ReportCount(kCommandPayload);
    b.Input(B::kDataVarAbs);
    b.Usage(0x02).Output(B::kDataVarAbs);
    b.EndCollection();
}

BusInterface MakeInterface(int number, const B& builder, std::vector<CollectionRole> roles) {
    BusInterface iface;
    iface.number = number;
    iface.reportDescriptor = builder.Bytes();
    platform::HidReportDescriptor parsed;
    platform::ParseReportDescriptor(iface.reportDescriptor.data(), iface.reportDescriptor.size(),
                                    parsed);
    bool several = parsed.collections.size() > 1;
    for (size_t i = 0; i < parsed.collections.size(); ++i) {
        BusCollection c;
        c.number = several ? static_cast<int>(i + 1) : 0;
        c.usagePage = parsed.collections[i].usagePage;
        c.usage = parsed.collections[i].usage;
        c.role = i < roles.size() ? roles[i] : CollectionRole::Other;
        iface.collections.push_back(c);
    }
    return iface;
}

using R = CollectionRole;

// Mouse: interface 0 = pointer, system control, consumer (the event collection, 3);
// interface 1 = keyboard, vendor command (collection 2).
BusDevice Mouse(const char* name, uint16_t product, uint16_t version) {
    BusDevice d{name, kVendorMouse, product, version, {}};
    B pointer;
    BootMouse(pointer, 1);
    SystemControl(pointer, 2);
    ConsumerControl(pointer, 3);
    d.interfaces.push_back(MakeInterface(0, pointer, {R::Other, R::Other, R::Event}));
    B keys;
    Keyboard(keys, 6);
    VendorCommand(keys, kCommandUsage);
    d.interfaces.push_back(MakeInterface(1, keys, {R::Other, R::Command}));
    return d;
}

// Mouse pad: interface 0 = keyboard, system control, consumer (event, 3); interface 1 =
// keyboard, system control, consumer, vendor command (collection 4).
B PadCommandInterface(uint16_t commandUsage) {
    B b;
    Keyboard(b, 1);
    SystemControl(b, 2);
    ConsumerControl(b, 3);
    VendorCommand(b, commandUsage);
    return b;
}

BusDevice Pad() {
    BusDevice d{"pad", kVendorMouse, 0x1004, 0x0102, {}};
    B first;
    Keyboard(first, 1);
    SystemControl(first, 2);
    ConsumerControl(first, 3);
    d.interfaces.push_back(MakeInterface(0, first, {R::Other, R::Other, R::Event}));
    d.interfaces.push_back(MakeInterface(1, PadCommandInterface(kCommandUsage),
                                         {R::Other, R::Other, R::Other, R::Command}));
    return d;
}

// Headset: its HID interface 3 is one consumer collection with volume and mute keys and a
// 17-byte output report.
BusDevice Headset() {
    BusDevice d{"headset", 0x0C76, 0x1630, 0x0100, {}};
    B b;
    b.UsagePage(0x0C).Usage(0x01).Collection(B::kApplication).ReportId(1);
    b.LogicalMin(0).LogicalMax(1).Usage(0xE9).Usage(0xEA).Usage(0xE2);
    b.ReportSize(1).ReportCount(3).Input(B::kDataVarAbs).InputPadding(5);
    b.ReportId(2).UsagePage(0xFF99).Usage(0x01).LogicalMin(0).LogicalMax(0xFF);
    b.ReportSize(8).ReportCount(16).Output(B::kDataVarAbs);
    b.EndCollection();
    d.interfaces.push_back(MakeInterface(3, b, {R::Command}));
    return d;
}

// Keyboard: interface 0 = keyboard, system control, consumer (the event collection, 3: a
// 16-bit consumer array); interface 1 = the same three and the vendor command collection (4).
// The receiver's is the same device behind another product number.
BusDevice KeyboardDevice(const char* name, uint16_t product) {
    BusDevice d{name, kVendorMouse, product, 0x0102, {}, true};
    B first;
    Keyboard(first, 1);
    SystemControl(first, 2);
    ConsumerControl(first, 3);
    d.interfaces.push_back(MakeInterface(0, first, {R::Other, R::Other, R::Event}));
    d.interfaces.push_back(MakeInterface(1, PadCommandInterface(kCommandUsage),
                                         {R::Other, R::Other, R::Other, R::Command}));
    return d;
}

// Same path values as the pad's command interface, but its vendor collection has another
// usage: found by the path, never claimed.
BusDevice LookAlike() {
    BusDevice d{"lookalike", kVendorMouse, 0x1004, 0x0001, {}};
    d.interfaces.push_back(MakeInterface(1, PadCommandInterface(0x01), {}));
    return d;
}

}  // namespace

const std::vector<BusDevice>& KnownBusDevices() {
    static const std::vector<BusDevice> devices = {
        Mouse("mouse-cable", 0x22A4, 0x0105),
        Mouse("mouse-receiver", 0x226F, 0x0103),
        Pad(),
        Headset(),
        LookAlike(),
        KeyboardDevice("keyboard", 0x0000),
        KeyboardDevice("keyboard-receiver", kTestKeyboardReceiverProduct)};
    return devices;
}

const BusDevice* FindBusDevice(const std::string& name) {
    for (const BusDevice& d : KnownBusDevices()) {
        if (d.name == name)
            return &d;
    }
    return nullptr;
}

std::string CollectionId(const BusDevice& device, const BusInterface& iface,
                         const BusCollection& collection) {
    std::string id = device.name + "-if" + std::to_string(iface.number);
    if (collection.number > 0)
        id += "-col" + std::to_string(collection.number);
    return id;
}

}  // namespace sim
