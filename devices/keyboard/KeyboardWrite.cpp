// What the keyboard is sent: its settings block, its key table and its macro area. Window
// thread; results are the command layer's codes.
#include <algorithm>

#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "devices/mouse/EventArea.h"
#include "hid/ResultCode.h"
#include "platform/Trace.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"

namespace devices {
namespace {

bool IsKeyboardMacro(const profile::KeyAssignment& a) {
    return a.type == 0x70 || a.type == 0x71;
}

}  // namespace

int COrvaneKeyboardDevice::WriteSettings(int profileIndex, int firstByte, int, int, int) {
    if (profileIndex < 0 ||
        static_cast<size_t>(profileIndex) * keyboard::kProfileStride + keyboard::kBlockSize >
            0x10000)
        return 0;
    const std::optional<keyboard::SettingsBlock> block = keyboard::EncodeBlock(
        profile_.GetLightRecord(), keyboardSystem_, lightValues_, static_cast<uint8_t>(firstByte));
    if (!block) {
        // A mode the list does not have: its code is unknown, so nothing is sent.
        platform::TraceF("keyboard: light mode %d has no code; settings not sent\n",
                         profile_.GetLightRecord().mode);
        return 0;
    }
    if (!LinkUp())
        return 0;
    const int begun = channel_.BeginTransaction();
    const int written =
        begun == hid::kResultOk
            ? channel_.WriteMemory(block->data(), block->size(),
                                   static_cast<uint16_t>(profileIndex * keyboard::kProfileStride))
            : begun;
    const int ended = channel_.EndTransaction();
    return begun == hid::kResultOk && written == hid::kResultOk && ended == hid::kResultOk ? 1 : 0;
}

int COrvaneKeyboardDevice::MacroCount(Json::Value* config) const {
    Json::Value root = profile::LoadJsonFile(GetUserDataFolder() + "macro.config");
    const int count =
        root.isNull()
            ? -1
            : static_cast<int>(profile::json::ArraySize(profile::json::Member(root, "MacroInfo")));
    if (config != nullptr)
        *config = std::move(root);
    return count;
}

std::vector<int> COrvaneKeyboardDevice::GetUsedMacroIndices() {
    const int macros = std::max(0, MacroCount());
    std::vector<int> used;
    for (size_t position = 0; position < keyboard::kKeyPositions; ++position) {
        if (keySlotMap_[position] == keyboard::kNoSlot || position >= keyRecords_.size())
            continue;
        const profile::KeyAssignment& a = keyRecords_[position].current;
        if (IsKeyboardMacro(a) && a.param1 < macros &&
            std::find(used.begin(), used.end(), a.param1) == used.end())
            used.push_back(a.param1);
    }
    return used;
}

int COrvaneKeyboardDevice::WriteKeyAssignments(int profileIndex,
                                               const std::vector<profile::KeyRecord>& records) {
    if (!LinkUp())
        return 0;
    std::array<uint8_t, hid::kInfoBlockLength> block{};
    if (channel_.ReadInfoBlock(block.data()) != hid::kResultOk)
        return 0;
    infoBlock_ = block;
    const size_t slots = infoBlock_[5];
    if (3 * slots > hid::kMaxBlockSize)
        return 0;
    std::array<uint8_t, hid::kMaxBlockSize> payload{};
    std::copy_n(keyData_.begin(), 3 * slots, payload.begin());
    const int macros = std::max(0, MacroCount());
    std::vector<uint8_t> used;
    for (size_t position = 0; position < keyboard::kKeyPositions; ++position) {
        const size_t slot = keySlotMap_[position];
        if (slot == keyboard::kNoSlot || slot >= slots || position >= records.size())
            continue;
        profile::KeyRecord record = records[position];
        if (IsKeyboardMacro(record.current)) {
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
    const int ended = channel_.EndTransaction();
    if (written != hid::kResultOk || ended != hid::kResultOk)
        return 0;
    // The mirror follows what the keyboard now holds.
    std::copy_n(payload.begin(), 3 * slots, keyData_.begin());
    return 1;
}

int COrvaneKeyboardDevice::WriteCurrentKeyAssignments(int profileIndex) {
    return WriteKeyAssignments(profileIndex, keyRecords_);
}

int COrvaneKeyboardDevice::WriteMacros(const std::vector<int>& macroIndices) {
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
    const int written = channel_.WriteMacroData(area->data(), area->size());
    channel_.EndTransaction();
    return written == hid::kResultOk ? 0 : -1;
}

}  // namespace devices
