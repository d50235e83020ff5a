#pragma once
// Small settings files in the "[section]" / "key=value" form ("main.ini"), read and written as
// the system's private-profile calls do: a write changes one key and keeps every other
// section, key, comment and blank line as it was; section and key names compare without
// regard to ASCII case. Writes are atomic (FileIO.h): a crash leaves the old file or the new.
// Threads: any; two threads writing the same file at once may lose one of the two changes.
#include <optional>
#include <string>

namespace platform {

// Files larger than this are not read and never rewritten.
inline constexpr size_t kMaxIniFileBytes = 1u << 20;

// A name or value that the file format cannot hold: empty or over 1024 bytes (names), over
// 4096 bytes (values), a line break or NUL anywhere, "]" in a section name, "=" in a key, ";"
// or "[" at the start of a key, blanks at either end of a name or a value.
bool IsValidIniSection(const std::string& section);
bool IsValidIniKey(const std::string& key);
bool IsValidIniValue(const std::string& value);

// Sets key=value in section: the first such key of the first such section is replaced in
// place; a missing key is added at the end of that section, a missing section at the end of
// the file. A missing file is created (its folder must exist). False, with the file untouched,
// when a name or the value is invalid, the file exists but cannot be read or is too large, or
// the write fails.
bool WriteIniString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value);

// The value of the first key of the first section so named (blanks around it removed);
// nothing when the file, the section or the key is missing, or the file is too large.
std::optional<std::string> ReadIniString(const std::string& path, const std::string& section,
                                         const std::string& key);

// The same on the text of a file, for callers that hold it already (and for tests).
std::optional<std::string> FindIniString(const std::string& text, const std::string& section,
                                         const std::string& key);
// The text with key set as WriteIniString sets it; nothing when a name or the value is invalid.
std::optional<std::string> SetIniString(const std::string& text, const std::string& section,
                                        const std::string& key, const std::string& value);

}  // namespace platform
