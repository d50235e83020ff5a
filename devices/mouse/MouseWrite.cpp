// What the mouse is sent: the settings block, the key map, the macro and shoot areas, the
// re-initialisation and the keep-alive. Window thread; results are the command layer's codes.
#include <algorithm>
#include <limits>

#include "devices/mouse/EventArea.h"
#include "devices/mouse/InfoBlock.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "devices/mouse/ShootArea.h"
#include "hid/ResultCode.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"

namespace devices {
namespace {

constexpr uint32_t kReconnectDelayMs = 500;
constexpr int kConnectTimer = 1001;
// The longest period a window timer takes.
constexpr int64_t kTimerMaximumMs = 0x7FFFFFFF;

bool IsMacroAssignment(const profile::KeyAssignment& a) {
    return a.type == 0x70 || a.type == 0x71;
}

}  // namespace

int COrvaneMouseDevice::WriteSettings(int profileIndex, int firstByte, int, int, int) {
    if (profileIndex < 0 || profileIndex >= 0x10000 / mouse::kProfileStride)
        return 0;
    mouse::SettingsSource source;
    source.stages = profile_.GetDpiStages();
    // The profile object keeps stages of an earlier, longer document: only the current
    // document's own stages are sent.
    const Json::Value& listed =
        profile::json::Member(profile::json::Member(profile_.Document(), "DPIStages"), "StageDPIs");
    source.stages.resize(std::min<size_t>(source.stages.size(), profile::json::ArraySize(listed)));
    source.system = profile_.GetSystemRecord();
    source.activeStage = profile_.GetActiveStage();
    source.light = profile_.GetLightRecord();
    source.firstByte = static_cast<uint8_t>(firstByte);
    const mouse::SettingsBlock block = mouse::EncodeSettingsBlock(source);

    if (!LinkUp() || channel_.BeginTransaction() != hid::kResultOk)
        return 0;
    if (channel_.Wireless() && !LinkUp())
        return 0;
    const int written = channel_.WriteMemory(
        block.data(), block.size(), static_cast<uint16_t>(profileIndex * mouse::kProfileStride));
    if (channel_.Wireless() && !LinkUp())
        return 0;
    const int ended = channel_.EndTransaction();
    return written == hid::kResultOk && ended == hid::kResultOk ? 1 : 0;
}

int COrvaneMouseDevice::MacroCount(Json::Value* config) const {
    Json::Value root = profile::LoadJsonFile(GetUserDataFolder() + "macro.config");
    const int count =
        root.isNull()
            ? -1
            : static_cast<int>(profile::json::ArraySize(profile::json::Member(root, "MacroInfo")));
    if (config != nullptr)
        *config = std::move(root);
    return count;
}

std::vector<int> COrvaneMouseDevice::GetUsedMacroIndices() {
    const int macros = std::max(0, MacroCount());
    std::vector<int> used;
    for (size_t key = 0; key < keySlotMap_.size(); ++key) {
        if (keySlotMap_[key] == kNoSlot || key >= keyRecords_.size())
            continue;
        const profile::KeyAssignment& a = keyRecords_[key].current;
        if (IsMacroAssignment(a) && a.param1 < macros &&
            std::find(used.begin(), used.end(), a.param1) == used.end())
            used.push_back(a.param1);
    }
    return used;
}

int COrvaneMouseDevice::WriteKeyAssignments(int profileIndex,
                                            const std::vector<profile::KeyRecord>& records) {
    if (!LinkUp())
        return 0;
    std::array<uint8_t, hid::kInfoBlockLength> block{};
    if (channel_.ReadInfoBlock(block.data()) != hid::kResultOk)
        return 0;
    infoBlock_ = block;
    const size_t slots = infoBlock_[5];
    // A key table past the mirror cannot be built.
    if (3 * slots > hid::kMaxBlockSize)
        return 0;
    std::array<uint8_t, hid::kMaxBlockSize> payload{};
    std::copy_n(keyData_.begin(), 3 * slots, payload.begin());
    const int macros = std::max(0, MacroCount());
    std::vector<uint8_t> used;
    for (size_t key = 0; key < keySlotMap_.size(); ++key) {
        const size_t slot = keySlotMap_[key];
        if (slot == kNoSlot || slot >= slots || key >= records.size())
            continue;
        profile::KeyRecord record = records[key];
        if (IsMacroAssignment(record.current)) {
            if (record.current.param1 < macros) {
                auto at = std::find(used.begin(), used.end(), record.current.param1);
                if (at == used.end())
                    at = used.insert(used.end(), record.current.param1);
                record.current.param1 = static_cast<uint8_t>(at - used.begin());
            } else {
                record.current = record.defaults;
            }
        }
        payload[3 * slot] = record.current.type;
        payload[3 * slot + 1] = record.current.param1;
        payload[3 * slot + 2] = record.current.param2;
    }
    if (!LinkUp() || !channel_.SetBlockSize(static_cast<uint16_t>(3 * slots)))
        return 0;
    if (channel_.BeginTransaction() != hid::kResultOk)
        return 0;
    const int written = channel_.WriteKeyTable(payload.data(), profileIndex);
    if (!LinkUp())
        return 0;
    channel_.EndTransaction();
    if (written != hid::kResultOk)
        return 0;
    // The mirror follows what the device now holds.
    std::copy_n(payload.begin(), 3 * slots, keyData_.begin());
    return 1;
}

int COrvaneMouseDevice::WriteCurrentKeyAssignments(int profileIndex) {
    return WriteKeyAssignments(profileIndex, keyRecords_);
}

int COrvaneMouseDevice::WriteMacros(const std::vector<int>& macroIndices) {
    // A mouse that is not linked at all is not a failure to report: nothing was sent, and
    // the key map write that follows finds the same and is skipped too.
    if (!LinkUp())
        return 0;
    std::array<uint8_t, hid::kInfoBlockLength> block{};
    if (channel_.ReadInfoBlock(block.data()) != hid::kResultOk)
        return -1;
    infoBlock_ = block;
    Json::Value config;
    if (MacroCount(&config) < 0 || macroIndices.empty())
        return 0;
    const Json::Value& info = profile::json::Member(config, "MacroInfo");
    const std::string folder = GetUserDataFolder();
    std::vector<std::vector<mouse::EncodedEvent>> items;
    for (int index : macroIndices) {
        const std::string guid = profile::json::StringOf(
            profile::json::Member(profile::json::Element(info, index), "Guid"));
        std::vector<mouse::EncodedEvent> events;
        if (!guid.empty()) {
            const Json::Value macro = profile::LoadJsonFile(folder + guid + ".mac");
            events = mouse::EncodeEvents(profile::json::Member(macro, "Events"));
        }
        if (events.size() > mouse::kMaxMacroEvents)
            return static_cast<int>(events.size());
        items.push_back(std::move(events));
    }
    const size_t total = mouse::EventAreaSize(items);
    const size_t limit = size_t{infoBlock_[6]} * 128;
    if (total > limit)
        return static_cast<int>((total - limit) / 4 + 1);
    const auto area = mouse::BuildEventArea(items);
    if (!area)
        return -1;
    if (!LinkUp() || channel_.BeginTransaction() != hid::kResultOk)
        return -1;
    if (channel_.WriteMacroData(area->data(), area->size()) != hid::kResultOk)
        return -1;
    if (!LinkUp())
        return -1;
    channel_.EndTransaction();
    return 0;
}

int COrvaneMouseDevice::WriteShootData() {
    if (!LinkUp())
        return 0;
    std::array<uint8_t, hid::kInfoBlockLength> block{};
    if (channel_.ReadInfoBlock(block.data()) == hid::kResultOk)
        infoBlock_ = block;
    const mouse::ShootArea shoot = mouse::BuildShootArea(GetUserDataFolder());
    if (!shoot.bytes)
        return 0;
    const std::vector<uint8_t>& area = *shoot.bytes;
    if (!LinkUp() || channel_.BeginTransaction() != hid::kResultOk)
        return 0;
    const int written = channel_.WriteShootBlock(area.data(), area.size());
    if (!LinkUp())
        return 0;
    channel_.EndTransaction();
    return written == hid::kResultOk ? 1 : 0;
}

int COrvaneMouseDevice::ReinitialiseDevice() {
    channel_.SetSuspended(false);
    if (!LinkUp())
        return 0;
    // Only a block read now, and one that is the device's, is written back.
    std::array<uint8_t, hid::kInfoBlockLength> block{};
    channel_.BeginTransaction();
    const int read = channel_.ReadInfoBlock(block.data());
    channel_.EndTransaction();
    if (read != hid::kResultOk)
        return read;
    if (static_cast<uint16_t>(block[0] | block[1] << 8) != kInfoSignature)
        return 0;
    infoBlock_ = block;
    infoBlock_[7] = kInitialisedMark;
    channel_.BeginTransaction();
    const int written = channel_.WriteInfoBlock(infoBlock_.data());
    channel_.EndTransaction();
    if (written != hid::kResultOk)
        return written;
    if (timerRequest_)
        timerRequest_(kConnectTimer, kReconnectDelayMs);
    return 1;
}

uint32_t COrvaneMouseDevice::KeepAlivePeriodMs(int64_t minutes) {
    if (minutes <= 0)
        return 0;
    const int64_t ms = minutes * 60000 - 10000;
    return static_cast<uint32_t>(std::clamp<int64_t>(ms, 1, kTimerMaximumMs));
}

uint32_t COrvaneMouseDevice::KeepAlive() {
    channel_.BeginTransaction();
    channel_.EndTransaction();
    return KeepAlivePeriodMs(GetKeepAliveMinutes());
}

}  // namespace devices
