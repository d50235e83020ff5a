#pragma once
// The session-wide table of registered message names: one "XXXX<tab>name" line per name
// (the number in hex), and a "next<tab>XXXX" line when the lowest number never handed out is
// not one past the highest name's (a damaged line held a higher one). Kept apart from the
// file and its lock so it can be tested on its own.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace platform::message_names {

class Table {
  public:
    // Reads the table text. A damaged line (bad number, out of range, repeated name or
    // number) is skipped, the valid ones are kept, so numbers already handed out never
    // change; the count of skipped lines is returned. A number still readable on a damaged
    // line is never handed out again: running processes may know it.
    int Parse(const std::string& text);
    std::string Serialise() const;

    // The number of the name, or 0 when it is not in the table.
    uint32_t Find(std::string_view name) const;
    // The number of the name, adding it with a number never handed out before (one past the
    // highest ever seen, gaps are not reused); 0 when the range is used up.
    uint32_t Add(std::string_view name);

    size_t Size() const { return byNumber_.size(); }

  private:
    std::map<std::string, uint32_t> byFoldedName_;
    std::map<uint32_t, std::string> byNumber_;
    uint32_t next_ = 0;  // lowest number never seen, 0 before any
};

// A name can be registered: 1 to 255 bytes, no control characters.
bool ValidName(std::string_view name);

std::string Fold(std::string_view name);  // ASCII lower case

}  // namespace platform::message_names
