#pragma once
// The mouse must keep a left button: the one key that holds it cannot be given another
// function until another key holds the left button too. Checked on the key list as the user
// has it, edits not yet applied included.
// Pure; any thread.
#include <cstddef>
#include <vector>

#include "profile/Records.h"

namespace panels::keys {

bool IsLeftButton(const profile::KeyAssignment& assignment);
// True when key `index` holds the left button and no other key of `records` does.
bool IsLastLeftButton(const std::vector<profile::KeyRecord>& records, size_t index);

}  // namespace panels::keys
