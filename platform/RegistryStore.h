#pragma once
// The registry store's file format, kept apart from the locking and the file so that it can
// be tested on its own. One record a line, fields separated by tabs, '\\', tab and line end
// escaped:
//   T418-ZEN registry 1          first line
//   K <key path>                 a key (its values follow it)
//   D <name> <decimal>           a DWORD value of the key above
//   S <name> <text>              a string value of the key above
#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace platform::registry_store {

using Value = std::variant<uint32_t, std::string>;

struct Key {
    std::string path;                                   // as first written
    std::vector<std::pair<std::string, Value>> values;  // in writing order
};

struct Store {
    std::vector<Key> keys;

    Key* Find(const std::string& path);
    const Key* Find(const std::string& path) const;
};

// Canonical form of a key path: levels split on '\\', empty levels dropped, rejoined.
std::string NormalisePath(const std::string& path);
bool SameName(const std::string& a, const std::string& b);  // ASCII case-insensitive

// False when the text is not a well-formed store; the store is then left empty.
bool Parse(const std::string& text, Store& store);
std::string Serialise(const Store& store);

}  // namespace platform::registry_store
