// The report-descriptor parser: items to top-level collections, fields, report IDs and
// lengths. Decoding of reports is in HidReportDecode.cpp.
#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "platform/HidDescriptor.h"

namespace platform {
namespace {

// Data bits of one report: all of the longest report but its report ID byte.
constexpr uint32_t kMaxReportDataBits = 8u * (kMaxHidReportBytes - 1);
constexpr size_t kMaxUsagesPerField = 4096;
constexpr int kMaxGlobalStack = 16;
constexpr int kMaxDepth = 64;

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
    void Clear() { *this = LocalState(); }
};

// Where one main item's bits end in its report, and whose they are.
struct ItemSpan {
    int type;
    uint8_t reportId;
    int owner;  // index of its top-level collection, -1 outside every collection
    uint32_t endBit;
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

HidField MakeField(HidReportType type, uint32_t flags, const GlobalState& global,
                   const LocalState& local, uint32_t bitOffset) {
    HidField f;
    f.type = type;
    f.reportId = global.reportId;
    f.bitOffset = bitOffset;
    f.reportSize = global.reportSize;
    f.reportCount = global.reportCount;
    f.isConstant = flags & 0x01;
    f.isArray = !(flags & 0x02);
    f.isRelative = flags & 0x04;
    f.logicalMin = global.logicalMin;
    f.logicalMax = global.logicalMax;
    // A descriptor that writes a positive maximum in too few bytes means it unsigned.
    if (f.logicalMin >= 0 && f.logicalMax < f.logicalMin && global.reportSize < 32)
        f.logicalMax = static_cast<int32_t>(static_cast<uint32_t>(f.logicalMax) &
                                            ((1u << global.reportSize) - 1));
    f.physicalMin = global.physicalMin;
    f.physicalMax = global.physicalMax;
    f.usagePage = global.usagePage;
    if (local.hasMin && local.hasMax && local.usages.empty()) {
        f.isRange = true;
        if (local.min.hasPage)
            f.usagePage = local.min.page;
        f.usageMin = local.min.id;
        f.usageMax = std::max(local.min.id, local.max.id);
        return f;
    }
    if (!local.usages.empty() && local.usages.front().hasPage)
        f.usagePage = local.usages.front().page;
    for (const LocalUsage& lu : local.usages) {
        if (f.usages.size() < kMaxUsagesPerField)
            f.usages.push_back(lu.id);
    }
    if (local.hasMin && local.hasMax) {
        for (uint32_t id = local.min.id; id <= local.max.id && f.usages.size() < kMaxUsagesPerField;
             ++id) {
            f.usages.push_back(static_cast<uint16_t>(id));
        }
    }
    return f;
}

HidCollection StartCollection(const GlobalState& global, const LocalState& local) {
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
    return c;
}

void Refuse(HidCollection& c, std::string why) {
    c.refusal = std::move(why);
    c.fields.clear();
    c.inputReportIds.clear();
}

// A report ID belongs to one top-level collection, as the class driver routes each report to
// one collection by its ID; and a descriptor that numbers its reports numbers all of them.
// A collection that breaks either rule is refused; the others stay usable.
void RefuseConflictingCollections(std::vector<HidCollection>& collections,
                                  const std::vector<std::set<uint8_t>>& idsOf, bool numbered) {
    std::map<uint8_t, size_t> owner;
    for (size_t i = 0; i < collections.size(); ++i) {
        const std::set<uint8_t>& ids = idsOf[i];
        if (numbered && ids.count(0)) {
            Refuse(collections[i],
                   "main items before any report ID in a descriptor that numbers "
                   "its reports");
            continue;
        }
        for (uint8_t id : ids) {
            auto it = owner.find(id);
            if (it != owner.end()) {
                Refuse(collections[i], "report ID " + std::to_string(id) +
                                           " already belongs to collection " +
                                           std::to_string(it->second + 1));
                break;
            }
        }
        if (collections[i].refusal.empty()) {
            for (uint8_t id : ids)
                owner[id] = i;
        }
    }
}

// Byte lengths per collection: each report of the collection runs to the end of the last
// item of its type and ID that is the collection's own or lies outside every collection.
void SetLengths(std::vector<HidCollection>& collections, const std::vector<ItemSpan>& spans) {
    for (size_t i = 0; i < collections.size(); ++i) {
        HidCollection& c = collections[i];
        if (!c.refusal.empty())
            continue;
        std::set<std::pair<int, uint8_t>> reports;
        for (const HidField& f : c.fields)
            reports.insert({static_cast<int>(f.type), f.reportId});
        uint32_t maxBits[3] = {0, 0, 0};
        for (const ItemSpan& span : spans) {
            bool ours = span.owner == static_cast<int>(i) || span.owner < 0;
            if (ours && reports.count({span.type, span.reportId}))
                maxBits[span.type] = std::max(maxBits[span.type], span.endBit);
        }
        auto bytes = [](uint32_t bits) -> uint16_t {
            return bits == 0 ? 0 : static_cast<uint16_t>(1 + (bits + 7) / 8);
        };
        c.inputReportByteLength = bytes(maxBits[0]);
        c.outputReportByteLength = bytes(maxBits[1]);
        c.featureReportByteLength = bytes(maxBits[2]);
    }
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
    // Bits used so far per (type, report ID), across the whole descriptor: a field lies
    // after every earlier item of its report, whatever collection holds that item.
    std::map<std::pair<int, uint8_t>, uint32_t> reportBits;
    std::vector<ItemSpan> spans;
    std::vector<std::set<uint8_t>> idsOf;  // per top-level collection, every type

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
                case 0xA:  // Collection
                    if (depth == 0) {
                        out.collections.push_back(StartCollection(global, local));
                        idsOf.emplace_back();
                    }
                    if (++depth > kMaxDepth)
                        return Fail(error, "collections nested too deeply");
                    break;
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
                    if (used + bits > kMaxReportDataBits)
                        return Fail(error, "report too long");
                    if (bits == 0)
                        break;
                    const int owner = depth > 0 ? static_cast<int>(out.collections.size()) - 1 : -1;
                    HidField f = MakeField(rt, u, global, local, used);
                    used += static_cast<uint32_t>(bits);
                    spans.push_back({static_cast<int>(rt), global.reportId, owner, used});
                    if (owner < 0)
                        break;  // counted in its report, but part of no collection
                    HidCollection& c = out.collections.back();
                    idsOf.back().insert(f.reportId);
                    if (rt == HidReportType::Input && !c.HasInputReportId(f.reportId))
                        c.inputReportIds.push_back(f.reportId);
                    c.fields.push_back(std::move(f));
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
                    if (u > kMaxHidFieldBits)
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
                    if (u > kMaxReportDataBits)
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
                    if (local.usages.size() < kMaxUsagesPerField)
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

    for (HidCollection& c : out.collections)
        c.usesReportIds = anyReportId;
    RefuseConflictingCollections(out.collections, idsOf, anyReportId);
    SetLengths(out.collections, spans);
    return true;
}

}  // namespace platform
