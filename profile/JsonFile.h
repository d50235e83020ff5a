#pragma once
// The program's JSON file helpers, used for every JSON file it reads or writes: profiles,
// the profile list, macros, light and shoot files, settings.
#include <json/value.h>

#include <cstddef>
#include <string>

namespace profile {

// Largest JSON file the program reads; anything bigger is not one of its files.
constexpr size_t kMaxJsonFileBytes = 8u << 20;

// The whole content of the file, or "" when it is missing, unreadable, not a regular file or
// too large. Traces "readjsonFile 错误吗：：<code>" after every attempt (0 when it opened).
std::string readjsonFile(const std::string& path);

// The parsed file (comments kept). Empty content, a parse failure or a nesting too deep for
// the parser gives a null value; never throws.
Json::Value LoadJsonFile(const std::string& path);

// Parses text as LoadJsonFile does; false (and out null) on failure, with the parser's
// message in *error when given.
bool ParseJsonText(const std::string& text, Json::Value& out, std::string* error = nullptr);

// The exact bytes WriteJsonFile stores: jsoncpp's styled form (keys sorted, three-space
// indentation, right margin 74) followed by one line break.
std::string StyledJsonText(const Json::Value& value);

// Writes value as the whole file, atomically: on any failure the old file stays as it was.
// Returns 0 when written, -1 (and a trace line) when not.
int WriteJsonFile(const std::string& path, const Json::Value& value);

}  // namespace profile
