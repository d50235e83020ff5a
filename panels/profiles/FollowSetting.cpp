#include "panels/profiles/FollowSetting.h"

#include "platform/Registry.h"

namespace panels {
namespace {
// The program's key, where its other user settings (language, session start) are kept.
constexpr const char* kSettingsKey = "SOFTWARE\\Draxmoor T418-ZEN";
}  // namespace

std::optional<bool> StoredFollowChoice() {
    std::optional<platform::RegistryKey> key = platform::OpenKey(kSettingsKey);
    if (!key)
        return std::nullopt;
    std::optional<uint32_t> value = key->GetDword(kFollowValueName);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

bool StoreFollowChoice(bool on) {
    std::optional<platform::RegistryKey> key = platform::CreateKey(kSettingsKey);
    return key && key->SetDword(kFollowValueName, on ? 1 : 0);
}

}  // namespace panels
