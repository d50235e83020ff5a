#include "profile/JsonAccess.h"

#include <cstring>
#include <limits>

namespace profile::json {

const Json::Value& Member(const Json::Value& object, const char* key) {
    if (!object.isObject())
        return Json::Value::nullSingleton();
    const Json::Value* found = object.find(key, key + std::strlen(key));
    return found ? *found : Json::Value::nullSingleton();
}

const Json::Value& Element(const Json::Value& array, int64_t index) {
    if (!array.isArray() || index < 0 || index >= static_cast<int64_t>(array.size()))
        return Json::Value::nullSingleton();
    return array[static_cast<Json::ArrayIndex>(index)];
}

uint32_t ArraySize(const Json::Value& array) {
    return array.isArray() ? array.size() : 0;
}

int32_t IntOf(const Json::Value& value) {
    if (value.isBool())
        return value.asBool() ? 1 : 0;
    if (value.isInt())
        return value.asInt();
    if (value.isUInt())
        return static_cast<int32_t>(value.asUInt());
    return 0;
}

bool BoolOf(const Json::Value& value) {
    return IntOf(value) != 0;
}

std::string StringOf(const Json::Value& value) {
    return value.isString() ? value.asString() : std::string();
}

Json::Value& AsObject(Json::Value& value) {
    if (!value.isObject())
        value = Json::Value(Json::objectValue);
    return value;
}

Json::Value& ObjectMember(Json::Value& object, const char* key) {
    Json::Value& member = AsObject(object)[key];
    return AsObject(member);
}

Json::Value& ArrayMember(Json::Value& object, const char* key) {
    Json::Value& member = AsObject(object)[key];
    if (!member.isArray())
        member = Json::Value(Json::arrayValue);
    return member;
}

Json::Value& ObjectElement(Json::Value& array, uint32_t index) {
    if (!array.isArray())
        array = Json::Value(Json::arrayValue);
    return AsObject(array[static_cast<Json::ArrayIndex>(index)]);
}

}  // namespace profile::json
