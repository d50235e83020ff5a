#pragma once
// Safe reads and writes of JSON members. jsoncpp throws on a member of the wrong type, on a
// negative index and on a number outside the range asked for; documents come from files
// anyone can edit, so every read goes through these and treats a wrong member as missing.
#include <json/value.h>

#include <cstdint>
#include <string>

namespace profile::json {

// The member, or a null value when `object` is not an object or has no such member.
const Json::Value& Member(const Json::Value& object, const char* key);

// The element, or a null value when `array` is not an array or the index is outside it.
const Json::Value& Element(const Json::Value& array, int64_t index);

// The number of elements; 0 when the value is not an array.
uint32_t ArraySize(const Json::Value& array);

// A number that fits 32 bits (signed, or unsigned taken as its bit pattern) or a boolean
// (0/1); anything else reads as 0, like a missing member.
int32_t IntOf(const Json::Value& value);

// True for `true` and for a non-zero number read as IntOf does.
bool BoolOf(const Json::Value& value);

// The string, or "" for any other type.
std::string StringOf(const Json::Value& value);

// Writing: the member or element is made an object (or array) first when it is anything else,
// so a setter never throws on a document whose sections have the wrong type.
Json::Value& ObjectMember(Json::Value& object, const char* key);
Json::Value& ArrayMember(Json::Value& object, const char* key);
Json::Value& ObjectElement(Json::Value& array, uint32_t index);

// Makes `value` an object when it is anything else (its old content is dropped).
Json::Value& AsObject(Json::Value& value);

}  // namespace profile::json
