#pragma once
// Indexed control names of the device pages ("key_3", user data "light_14"): a prefix up to
// and including the last underscore, and the decimal number after it. Any thread.
#include <optional>
#include <string>
#include <string_view>

namespace devices {

struct IndexedName {
    std::string prefix;  // keeps the underscore
    int number = 0;      // the digits after it (an optional sign first); 0 when none
};

// Empty when the text has no underscore.
std::optional<IndexedName> SplitIndexedName(std::string_view text);

// The index that text names with the prefix (compared without regard to case), when it lies
// in [0, size); empty otherwise.
std::optional<size_t> IndexFor(std::string_view text, std::string_view prefix, size_t size);

}  // namespace devices
