#pragma once
// The session-wide table of registered message names: one "XXXX<tab>name" line per name
// (the number in hex). Kept apart from the file and its lock so it can be tested on its own.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace platform::message_names {

class Table {
  public:
    // Reads the table text. A damaged line (bad number, out of range, repeated name or
    // number) is skipped, the valid ones are kept, so numbers already handed out never
    // change; the count of skipped lines is returned.
    int Parse(const std::string& text);
    std::string Serialise() const;

    // The number of the name, or 0 when it is not in the table.
    uint32_t Find(std::string_view name) const;
    // The number of the name, adding it with the next free number when missing; 0 when full.
    uint32_t Add(std::string_view name);

    size_t Size() const { return byNumber_.size(); }

  private:
    std::map<std::string, uint32_t> byFoldedName_;
    std::map<uint32_t, std::string> byNumber_;
};

// A name can be registered: 1 to 255 bytes, no control characters.
bool ValidName(std::string_view name);

std::string Fold(std::string_view name);  // ASCII lower case

}  // namespace platform::message_names
