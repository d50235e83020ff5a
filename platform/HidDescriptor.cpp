#include "platform/HidDescriptor.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <utility>

namespace platform {
namespace {

constexpr uint32_t kMaxReportBits = 8u * 4096u;  // a report larger than 4 KiB is no HID report
constexpr size_t kMaxUsagesPerField = 4096;
constexpr int kMaxGlobalStack = 16;

struct GlobalState {
    uint16_t usagePage = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

// A usage as written in the local items: page known (extended usage) or taken from the
// global usage page when the main item comes.
struct LocalUsage {
    bool hasPage = false;
    uint16_t page = 0;
    uint16_t id = 0;
};

struct LocalState {
    std::vector<LocalUsage> usages;
    bool hasMin = false;
    bool hasMax = false;
    LocalUsage min;
    LocalUsage max;
    bool rangeIsOnlyUsage = true;  // no single usages besides the range
    void Clear() { *this = LocalState(); }
};

uint32_t UnsignedData(const uint8_t* p, int size) {
    uint32_t v = 0;
    for (int i = 0; i < size; ++i) {
        v |= static_cast<uint32_t>(p[i]) << (8 * i);
    }
    return v;
}

int32_t SignedData(const uint8_t* p, int size) {
    uint32_t v = UnsignedData(p, size);
    if (size == 1)
        return static_cast<int8_t>(v);
    if (size == 2)
        return static_cast<int16_t>(v);
    return static_cast<int32_t>(v);
}

LocalUsage MakeUsage(uint32_t data, int size) {
    LocalUsage u;
    u.id = static_cast<uint16_t>(data & 0xFFFF);
    if (size == 4) {
        u.hasPage = true;
        u.page = static_cast<uint16_t>(data >> 16);
    }
    return u;
}

bool Fail(std::string* error, const std::string& why) {
    if (error)
        *error = why;
    return false;
}

uint32_t ReadBits(const uint8_t* data, uint32_t bitOffset, uint32_t bitCount) {
    uint32_t value = 0;
    for (uint32_t i = 0; i < bitCount; ++i) {
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

}  // namespace

uint16_t HidField::UsageAt(uint32_t index) const {
    if (isRange) {
        uint32_t usage = usageMin + index;
        return static_cast<uint16_t>(std::min<uint32_t>(usage, usageMax));
    }
    if (usages.empty())
        return 0;
    return usages[std::min<size_t>(index, usages.size() - 1)];
}

std::vector<HidButtonCaps> HidCollection::InputButtonCaps() const {
    std::vector<HidButtonCaps> caps;
    for (const HidField& f : fields) {
        if (f.type != HidReportType::Input || f.isConstant || !f.IsButton())
            continue;
        if (f.isRange) {
            caps.push_back({f.usagePage, f.reportId, true, f.usageMin, f.usageMax});
            continue;
        }
        for (uint16_t usage : f.usages) {
            caps.push_back({f.usagePage, f.reportId, false, usage, usage});
        }
    }
    return caps;
}

std::vector<HidValueCaps> HidCollection::InputValueCaps() const {
    std::vector<HidValueCaps> caps;
    for (const HidField& f : fields) {
        if (f.type != HidReportType::Input || f.isConstant || f.IsButton())
            continue;
        HidValueCaps v;
        v.usagePage = f.usagePage;
        v.reportId = f.reportId;
        v.bitSize = static_cast<uint16_t>(f.reportSize);
        v.logicalMin = f.logicalMin;
        v.logicalMax = f.logicalMax;
        v.physicalMin = f.physicalMin;
        v.physicalMax = f.physicalMax;
        if (f.isRange) {
            v.isRange = true;
            v.usageMin = f.usageMin;
            v.usageMax = f.usageMax;
            v.reportCount = static_cast<uint16_t>(f.reportCount);
            caps.push_back(v);
            continue;
        }
        // One capability per listed usage; the last one takes the remaining count.
        for (size_t i = 0; i < f.usages.size() && i < f.reportCount; ++i) {
            v.usageMin = v.usageMax = f.usages[i];
            bool last = i + 1 == f.usages.size();
            v.reportCount = static_cast<uint16_t>(last ? f.reportCount - i : 1);
            caps.push_back(v);
        }
    }
    return caps;
}

bool HidCollection::HasInputReportId(uint8_t id) const {
    return std::find(inputReportIds.begin(), inputReportIds.end(), id) != inputReportIds.end();
}

bool ParseReportDescriptor(const uint8_t* data, size_t size, HidReportDescriptor& out,
                           std::string* error) {
    out.collections.clear();
    GlobalState global;
    std::vector<GlobalState> stack;
    LocalState local;
    int depth = 0;
    bool anyReportId = false;
    // Bits used so far per (type, report ID), across the whole descriptor.
    std::map<std::pair<int, uint8_t>, uint32_t> reportBits;

    size_t pos = 0;
    while (pos < size) {
        uint8_t prefix = data[pos];
        if (prefix == 0xFE) {  // long item: skipped
            if (pos + 1 >= size)
                return Fail(error, "truncated long item");
            size_t longSize = data[pos + 1];
            pos += 3 + longSize;
            if (pos > size)
                return Fail(error, "truncated long item");
            continue;
        }
        int itemSize = prefix & 3;
        if (itemSize == 3)
            itemSize = 4;
        int type = (prefix >> 2) & 3;
        int tag = prefix >> 4;
        if (pos + 1 + itemSize > size)
            return Fail(error, "truncated item at offset " + std::to_string(pos));
        const uint8_t* p = data + pos + 1;
        uint32_t u = UnsignedData(p, itemSize);
        int32_t s = SignedData(p, itemSize);
        pos += 1 + itemSize;

        if (type == 0) {  // main
            switch (tag) {
                case 0xA: {  // Collection
                    if (depth == 0) {
                        HidCollection c;
                        if (!local.usages.empty()) {
                            const LocalUsage& lu = local.usages.front();
                            c.usagePage = lu.hasPage ? lu.page : global.usagePage;
                            c.usage = lu.id;
                        } else if (local.hasMin) {
                            c.usagePage = local.min.hasPage ? local.min.page : global.usagePage;
                            c.usage = local.min.id;
                        } else {
                            c.usagePage = global.usagePage;
                        }
                        out.collections.push_back(std::move(c));
                    }
                    if (++depth > 64)
                        return Fail(error, "collections nested too deeply");
                    break;
                }
                case 0xC:  // End Collection
                    if (depth == 0)
                        return Fail(error, "End Collection without Collection");
                    --depth;
                    break;
                case 0x8:
                case 0x9:
                case 0xB: {  // Input, Output, Feature
                    HidReportType rt = tag == 0x8   ? HidReportType::Input
                                       : tag == 0x9 ? HidReportType::Output
                                                    : HidReportType::Feature;
                    uint64_t bits = static_cast<uint64_t>(global.reportSize) * global.reportCount;
                    uint32_t& used = reportBits[{static_cast<int>(rt), global.reportId}];
                    if (used + bits > kMaxReportBits)
                        return Fail(error, "report too long");
                    if (global.reportSize > 32 && !(u & 1))
                        return Fail(error, "data field wider than 32 bits");
                    HidField f;
                    f.type = rt;
                    f.reportId = global.reportId;
                    f.bitOffset = used;
                    f.reportSize = global.reportSize;
                    f.reportCount = global.reportCount;
                    f.isConstant = u & 0x01;
                    f.isArray = !(u & 0x02);
                    f.isRelative = u & 0x04;
                    f.logicalMin = global.logicalMin;
                    f.logicalMax = global.logicalMax;
                    // A descriptor that writes a positive maximum in too few bytes means it
                    // unsigned.
                    if (f.logicalMin >= 0 && f.logicalMax < f.logicalMin)
                        f.logicalMax = static_cast<int32_t>(static_cast<uint32_t>(f.logicalMax) &
                                                            (global.reportSize >= 32
                                                                 ? 0xFFFFFFFFu
                                                                 : (1u << global.reportSize) - 1));
                    f.physicalMin = global.physicalMin;
                    f.physicalMax = global.physicalMax;
                    f.usagePage = global.usagePage;
                    bool onlyRange = local.hasMin && local.hasMax && local.usages.empty();
                    if (onlyRange) {
                        f.isRange = true;
                        if (local.min.hasPage)
                            f.usagePage = local.min.page;
                        f.usageMin = local.min.id;
                        f.usageMax = std::max(local.min.id, local.max.id);
                    } else {
                        if (!local.usages.empty() && local.usages.front().hasPage)
                            f.usagePage = local.usages.front().page;
                        for (const LocalUsage& lu : local.usages) {
                            if (f.usages.size() < kMaxUsagesPerField)
                                f.usages.push_back(lu.id);
                        }
                        if (local.hasMin && local.hasMax) {
                            for (uint32_t id = local.min.id;
                                 id <= local.max.id && f.usages.size() < kMaxUsagesPerField; ++id) {
                                f.usages.push_back(static_cast<uint16_t>(id));
                            }
                        }
                    }
                    used += static_cast<uint32_t>(bits);
                    if (depth > 0 && !out.collections.empty() && bits > 0) {
                        HidCollection& c = out.collections.back();
                        if (rt == HidReportType::Input && !c.HasInputReportId(f.reportId))
                            c.inputReportIds.push_back(f.reportId);
                        c.fields.push_back(std::move(f));
                    }
                    break;
                }
                default:
                    break;  // reserved main items carry nothing we use
            }
            local.Clear();
        } else if (type == 1) {  // global
            switch (tag) {
                case 0x0:
                    global.usagePage = static_cast<uint16_t>(u);
                    break;
                case 0x1:
                    global.logicalMin = s;
                    break;
                case 0x2:
                    global.logicalMax = s;
                    break;
                case 0x3:
                    global.physicalMin = s;
                    break;
                case 0x4:
                    global.physicalMax = s;
                    break;
                case 0x7:
                    if (u > 255)
                        return Fail(error, "report size too large");
                    global.reportSize = u;
                    break;
                case 0x8:
                    if (u == 0 || u > 255)
                        return Fail(error, "invalid report ID");
                    global.reportId = static_cast<uint8_t>(u);
                    anyReportId = true;
                    break;
                case 0x9:
                    if (u > kMaxReportBits)
                        return Fail(error, "report count too large");
                    global.reportCount = u;
                    break;
                case 0xA:
                    if (static_cast<int>(stack.size()) >= kMaxGlobalStack)
                        return Fail(error, "push stack overflow");
                    stack.push_back(global);
                    break;
                case 0xB:
                    if (stack.empty())
                        return Fail(error, "pop without push");
                    global = stack.back();
                    stack.pop_back();
                    break;
                default:
                    break;  // unit and unit exponent are not used
            }
        } else if (type == 2) {  // local
            switch (tag) {
                case 0x0:
                    local.usages.push_back(MakeUsage(u, itemSize));
                    break;
                case 0x1:
                    local.hasMin = true;
                    local.min = MakeUsage(u, itemSize);
                    break;
                case 0x2:
                    local.hasMax = true;
                    local.max = MakeUsage(u, itemSize);
                    break;
                default:
                    break;  // designators, strings and delimiters are not used
            }
        }
    }
    if (depth != 0)
        return Fail(error, "unbalanced collections");
    if (out.collections.empty())
        return Fail(error, "no top-level collection");

    for (HidCollection& c : out.collections) {
        c.usesReportIds = anyReportId;
        uint32_t maxBits[3] = {0, 0, 0};
        for (const HidField& f : c.fields) {
            int t = static_cast<int>(f.type);
            uint32_t total = reportBits[{t, f.reportId}];
            maxBits[t] = std::max(maxBits[t], total);
        }
        auto bytes = [](uint32_t bits) -> uint16_t {
            return bits == 0 ? 0 : static_cast<uint16_t>(1 + (bits + 7) / 8);
        };
        c.inputReportByteLength = bytes(maxBits[0]);
        c.outputReportByteLength = bytes(maxBits[1]);
        c.featureReportByteLength = bytes(maxBits[2]);
    }
    return true;
}

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

namespace {

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
    if (f->logicalMin >= f->logicalMax)
        return kHidStatusBadLogPhyValues;
    int64_t logical = f->logicalMin < 0 ? static_cast<int64_t>(SignExtend(raw, f->reportSize))
                                        : static_cast<int64_t>(raw);
    if (logical < f->logicalMin || logical > f->logicalMax)
        return kHidStatusValueOutOfRange;
    int64_t physMin = f->physicalMin;
    int64_t physMax = f->physicalMax;
    if (physMin == 0 && physMax == 0) {  // no physical range: physical equals logical
        physMin = f->logicalMin;
        physMax = f->logicalMax;
    }
    if (physMin >= physMax)
        return kHidStatusBadLogPhyValues;
    int64_t scaled =
        (logical - f->logicalMin) * (physMax - physMin) / (f->logicalMax - f->logicalMin) + physMin;
    value = static_cast<int32_t>(scaled);
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
