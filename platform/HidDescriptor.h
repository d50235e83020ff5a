#pragma once
// Our own HID report-descriptor parser and the report decoding built on it. It splits an
// interface's descriptor into its top-level collections and gives each the capabilities the
// rest of the program asks for (report lengths, button and value capabilities, usages).
// Pure functions of their arguments: any thread. The rules for odd descriptors are in
// docs/hid.md.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Status codes of report decoding; the values are those of the HID class driver.
constexpr uint32_t kHidStatusSuccess = 0x00110000;
constexpr uint32_t kHidStatusInvalidReportLength = 0xC0110003;
constexpr uint32_t kHidStatusUsageNotFound = 0xC0110004;
constexpr uint32_t kHidStatusValueOutOfRange = 0xC0110005;
constexpr uint32_t kHidStatusBadLogPhyValues = 0xC0110006;
constexpr uint32_t kHidStatusBufferTooSmall = 0xC0110007;
constexpr uint32_t kHidStatusIncompatibleReportId = 0xC011000A;
// Ours (the class driver has no such code): the value is wider than the 32 bits a value
// request returns, such as a pen's 64-bit serial number.
constexpr uint32_t kHidStatusValueTooWide = 0xC0110100;

// The longest report, its report ID byte included (as Linux allows), and the widest field.
constexpr uint32_t kMaxHidReportBytes = 16384;
constexpr uint32_t kMaxHidFieldBits = 256;
// The widest value a value request returns.
constexpr uint32_t kMaxHidValueBits = 32;

enum class HidReportType : uint8_t { Input, Output, Feature };

// One main item (Input, Output or Feature) of a collection: where its bits lie in the report
// and what they mean.
struct HidField {
    HidReportType type = HidReportType::Input;
    uint8_t reportId = 0;
    uint32_t bitOffset = 0;   // from the first data bit, after the report ID byte
    uint32_t reportSize = 0;  // bits of one value, up to kMaxHidFieldBits
    uint32_t reportCount = 0;
    bool isConstant = false;
    bool isArray = false;  // a selector list of usages rather than one bit or value each
    bool isRelative = false;
    uint16_t usagePage = 0;
    bool isRange = false;  // usages usageMin..usageMax; otherwise the list in usages
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    std::vector<uint16_t> usages;  // explicit usages (low 16 bits), in order
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;

    // A button: one bit each, or an array of selectors.
    bool IsButton() const { return isArray || reportSize == 1; }
    // The usage that bit/value i of a variable field carries.
    uint16_t UsageAt(uint32_t index) const;
};

struct HidButtonCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isRange = false;
    uint16_t usageMin = 0;  // the usage when not a range
    uint16_t usageMax = 0;
};

struct HidValueCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isRange = false;
    uint16_t usageMin = 0;  // the usage when not a range
    uint16_t usageMax = 0;
    uint16_t bitSize = 0;
    uint16_t reportCount = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
};

// One top-level collection with everything below it.
struct HidCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    // Not empty when the collection cannot be used (it shares a report ID with an earlier
    // collection, or mixes unnumbered reports into a numbered descriptor): it then has no
    // fields and no lengths, and is not opened.
    std::string refusal;
    std::vector<HidField> fields;
    bool usesReportIds = false;
    std::vector<uint8_t> inputReportIds;  // distinct, in order of appearance
    // Byte lengths of the longest report of each type including the report ID byte (0 when
    // no report uses it), 0 when the collection has no report of that type. Counted per
    // collection over its own report IDs, as the class driver's capabilities are.
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;

    std::vector<HidButtonCaps> InputButtonCaps() const;
    std::vector<HidValueCaps> InputValueCaps() const;
    bool HasInputReportId(uint8_t id) const;
};

struct HidReportDescriptor {
    // Top-level collections in order, refused ones included, so index + 1 is always the
    // collection's number.
    std::vector<HidCollection> collections;
};

// Parses a report descriptor. False (with a reason) on malformed input: truncated items,
// unbalanced collections or pops, a field wider than kMaxHidFieldBits, a report longer than
// kMaxHidReportBytes, or no top-level collection.
bool ParseReportDescriptor(const uint8_t* data, size_t size, HidReportDescriptor& out,
                           std::string* error = nullptr);

// Decoding of one input report (first byte the report ID) of a collection.
// The longest list GetInputUsages can return for the usage page.
uint32_t MaxInputUsageListLength(const HidCollection& collection, uint16_t usagePage);
// The usages of the page that are on in the report; at most maxCount are returned.
uint32_t GetInputUsages(const HidCollection& collection, uint16_t usagePage, const uint8_t* report,
                        uint32_t length, uint32_t maxCount, std::vector<uint16_t>& usages);
// The raw value; kHidStatusValueTooWide for a field wider than 32 bits.
uint32_t GetInputUsageValue(const HidCollection& collection, uint16_t usagePage, uint16_t usage,
                            const uint8_t* report, uint32_t length, uint32_t& value);
// The value scaled from the logical to the physical range (the logical range when no physical
// one is given): (logical - logicalMin) * (physicalMax - physicalMin) / (logicalMax -
// logicalMin) + physicalMin, computed without overflow for any 32-bit ranges.
uint32_t GetInputScaledUsageValue(const HidCollection& collection, uint16_t usagePage,
                                  uint16_t usage, const uint8_t* report, uint32_t length,
                                  int32_t& value);

// Hex text ("05010902...", case-insensitive, whitespace allowed) to bytes; false when malformed.
bool HexToBytes(const std::string& hex, std::vector<uint8_t>& out);
std::string BytesToHex(const std::vector<uint8_t>& bytes);

}  // namespace platform
