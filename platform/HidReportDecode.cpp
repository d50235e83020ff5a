// Decoding of input reports against a parsed collection, with the class driver's status
// codes; and the hex text of descriptors.
#include <algorithm>
#include <cctype>

#include "platform/HidDescriptor.h"

namespace platform {
namespace {

// Bits of an unsigned value of at most 32 bits, starting bitOffset bits into data.
uint32_t ReadBits(const uint8_t* data, uint32_t bitOffset, uint32_t bitCount) {
    uint32_t value = 0;
    for (uint32_t i = 0; i < bitCount && i < kMaxHidValueBits; ++i) {
        uint32_t bit = bitOffset + i;
        if (data[bit / 8] & (1u << (bit % 8)))
            value |= 1u << i;
    }
    return value;
}

int32_t SignExtend(uint32_t raw, uint32_t bits) {
    if (bits == 0 || bits >= 32)
        return static_cast<int32_t>(raw);
    uint32_t sign = 1u << (bits - 1);
    if (raw & sign)
        return static_cast<int32_t>(raw | ~((sign << 1) - 1));
    return static_cast<int32_t>(raw);
}

bool TooWide(const HidField& f) {
    return f.reportSize > kMaxHidValueBits;
}

// The report must be long enough for the field (data starts after the report ID byte).
bool FieldFits(const HidField& f, uint32_t length) {
    uint64_t endBit = 8ull + f.bitOffset + static_cast<uint64_t>(f.reportSize) * f.reportCount;
    return (endBit + 7) / 8 <= length;
}

// Input fields of the page that carry the given kind (button or value), split by whether
// they belong to the report's ID.
struct FieldMatch {
    std::vector<const HidField*> inReport;
    bool anyOnPage = false;
};

FieldMatch FindInputFields(const HidCollection& c, uint16_t page, bool buttons, uint8_t reportId) {
    FieldMatch m;
    for (const HidField& f : c.fields) {
        if (f.type != HidReportType::Input || f.isConstant || f.usagePage != page ||
            f.IsButton() != buttons)
            continue;
        m.anyOnPage = true;
        if (f.reportId == reportId)
            m.inReport.push_back(&f);
    }
    return m;
}

// Index of the usage within a variable field, or -1.
int64_t IndexOfUsage(const HidField& f, uint16_t usage) {
    if (f.isRange) {
        if (usage < f.usageMin || usage > f.usageMax)
            return -1;
        int64_t index = usage - f.usageMin;
        return index < f.reportCount ? index : -1;
    }
    for (size_t i = 0; i < f.usages.size() && i < f.reportCount; ++i) {
        if (f.usages[i] == usage)
            return static_cast<int64_t>(i);
    }
    return -1;
}

uint16_t ArrayUsage(const HidField& f, int64_t selector) {
    int64_t index = selector - f.logicalMin;
    if (index < 0)
        return 0;
    if (f.isRange) {
        int64_t usage = f.usageMin + index;
        return usage <= f.usageMax ? static_cast<uint16_t>(usage) : 0;
    }
    return index < static_cast<int64_t>(f.usages.size()) ? f.usages[static_cast<size_t>(index)] : 0;
}

uint32_t FindValue(const HidCollection& collection, uint16_t usagePage, uint16_t usage,
                   const uint8_t* report, uint32_t length, const HidField*& field, uint32_t& raw) {
    if (!report || length == 0)
        return kHidStatusInvalidReportLength;
    FieldMatch m = FindInputFields(collection, usagePage, false, report[0]);
    bool usageAnywhere = false;
    for (const HidField& f : collection.fields) {
        if (f.type == HidReportType::Input && !f.isConstant && !f.IsButton() &&
            f.usagePage == usagePage && IndexOfUsage(f, usage) >= 0)
            usageAnywhere = true;
    }
    if (!usageAnywhere)
        return kHidStatusUsageNotFound;
    for (const HidField* f : m.inReport) {
        int64_t index = IndexOfUsage(*f, usage);
        if (index < 0)
            continue;
        // A wider value has no 32-bit form: never hand out part of it.
        if (TooWide(*f))
            return kHidStatusValueTooWide;
        if (!FieldFits(*f, length))
            return kHidStatusInvalidReportLength;
        field = f;
        raw = ReadBits(report + 1, f->bitOffset + static_cast<uint32_t>(index) * f->reportSize,
                       f->reportSize);
        return kHidStatusSuccess;
    }
    return kHidStatusIncompatibleReportId;
}

}  // namespace

uint32_t MaxInputUsageListLength(const HidCollection& collection, uint16_t usagePage) {
    uint32_t total = 0;
    for (const HidField& f : collection.fields) {
        if (f.type == HidReportType::Input && !f.isConstant && f.IsButton() &&
            f.usagePage == usagePage)
            total += f.reportCount;
    }
    return total;
}

uint32_t GetInputUsages(const HidCollection& collection, uint16_t usagePage, const uint8_t* report,
                        uint32_t length, uint32_t maxCount, std::vector<uint16_t>& usages) {
    usages.clear();
    if (!report || length == 0)
        return kHidStatusInvalidReportLength;
    FieldMatch m = FindInputFields(collection, usagePage, true, report[0]);
    if (!m.anyOnPage)
        return kHidStatusUsageNotFound;
    if (m.inReport.empty())
        return kHidStatusIncompatibleReportId;
    uint32_t status = kHidStatusSuccess;
    auto add = [&](uint16_t usage) {
        if (usage == 0)
            return;
        if (usages.size() >= maxCount) {
            status = kHidStatusBufferTooSmall;
            return;
        }
        usages.push_back(usage);
    };
    for (const HidField* f : m.inReport) {
        if (!FieldFits(*f, length))
            return kHidStatusInvalidReportLength;
        // Selectors wider than 32 bits name no usage we could list.
        if (TooWide(*f))
            continue;
        for (uint32_t i = 0; i < f->reportCount; ++i) {
            uint32_t raw = ReadBits(report + 1, f->bitOffset + i * f->reportSize, f->reportSize);
            if (f->isArray) {
                add(ArrayUsage(*f, f->logicalMin < 0
                                       ? static_cast<int64_t>(SignExtend(raw, f->reportSize))
                                       : static_cast<int64_t>(raw)));
            } else if (raw) {
                add(f->UsageAt(i));
            }
        }
    }
    return status;
}

uint32_t GetInputUsageValue(const HidCollection& collection, uint16_t usagePage, uint16_t usage,
                            const uint8_t* report, uint32_t length, uint32_t& value) {
    value = 0;
    const HidField* field = nullptr;
    return FindValue(collection, usagePage, usage, report, length, field, value);
}

uint32_t GetInputScaledUsageValue(const HidCollection& collection, uint16_t usagePage,
                                  uint16_t usage, const uint8_t* report, uint32_t length,
                                  int32_t& value) {
    value = 0;
    const HidField* f = nullptr;
    uint32_t raw = 0;
    uint32_t status = FindValue(collection, usagePage, usage, report, length, f, raw);
    if (status != kHidStatusSuccess)
        return status;
    // Every range in 64 bits: a 32-bit range spans up to 2^32 - 1.
    const int64_t logicalMin = f->logicalMin;
    const int64_t logicalMax = f->logicalMax;
    if (logicalMin >= logicalMax)
        return kHidStatusBadLogPhyValues;
    int64_t logical = logicalMin < 0 ? static_cast<int64_t>(SignExtend(raw, f->reportSize))
                                     : static_cast<int64_t>(raw);
    if (logical < logicalMin || logical > logicalMax)
        return kHidStatusValueOutOfRange;
    int64_t physMin = f->physicalMin;
    int64_t physMax = f->physicalMax;
    if (physMin == 0 && physMax == 0) {  // no physical range: physical equals logical
        physMin = logicalMin;
        physMax = logicalMax;
    }
    if (physMin >= physMax)
        return kHidStatusBadLogPhyValues;
    // Both factors are below 2^32, so their product fits in 64 unsigned bits; the quotient
    // is at most the physical range, so the sum stays within 32 signed bits.
    const uint64_t offset = static_cast<uint64_t>(logical - logicalMin);
    const uint64_t physicalRange = static_cast<uint64_t>(physMax - physMin);
    const uint64_t logicalRange = static_cast<uint64_t>(logicalMax - logicalMin);
    const uint64_t scaled = offset * physicalRange / logicalRange;
    value = static_cast<int32_t>(physMin + static_cast<int64_t>(scaled));
    return kHidStatusSuccess;
}

bool HexToBytes(const std::string& hex, std::vector<uint8_t>& out) {
    out.clear();
    int high = -1;
    for (char ch : hex) {
        if (std::isspace(static_cast<unsigned char>(ch)))
            continue;
        int v;
        if (ch >= '0' && ch <= '9')
            v = ch - '0';
        else if (ch >= 'a' && ch <= 'f')
            v = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F')
            v = ch - 'A' + 10;
        else
            return false;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<uint8_t>(high << 4 | v));
            high = -1;
        }
    }
    return high < 0;
}

std::string BytesToHex(const std::vector<uint8_t>& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string s;
    s.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        s.push_back(kDigits[b >> 4]);
        s.push_back(kDigits[b & 15]);
    }
    return s;
}

}  // namespace platform
