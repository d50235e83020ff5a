#pragma once
// The user's switch for profiles that follow programs, kept with the other user settings
// (value "FollowPrograms" under the program's key). Never chosen: on once a rule exists, so
// the feature stays off until the user links a first program.
// Threads: any (the store is written atomically); the window thread in the program.
#include <optional>

namespace panels {

inline constexpr const char kFollowValueName[] = "FollowPrograms";

// The stored choice; empty when never made.
std::optional<bool> StoredFollowChoice();
// False when it could not be stored.
bool StoreFollowChoice(bool on);
// Whether rules apply: the stored choice, else whether any rule exists.
inline bool FollowEnabled(std::optional<bool> choice, bool rulesExist) {
    return choice.value_or(rulesExist);
}

}  // namespace panels
