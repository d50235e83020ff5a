#include "profile/JsonFile.h"

#include <json/reader.h>
#include <json/writer.h>

#include <cerrno>
#include <exception>
#include <filesystem>
#include <system_error>

#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "profile/Utf8.h"

namespace profile {
namespace {

// An error number for the trace line, as the system reports why a file did not open.
int OpenErrorOf(const std::string& path) {
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (ec)
        return ec.value();
    if (std::filesystem::is_directory(status))
        return EISDIR;
    if (!std::filesystem::is_regular_file(status))
        return ENODEV;
    auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxJsonFileBytes)
        return EFBIG;
    return EACCES;
}

}  // namespace

std::string readjsonFile(const std::string& path) {
    std::string bytes;
    bool opened = platform::ReadWholeFile(path, bytes, kMaxJsonFileBytes);
    platform::TraceF("readjsonFile 错误吗：：%d", opened ? 0 : OpenErrorOf(path));
    return opened ? bytes : std::string();
}

bool ParseJsonText(const std::string& text, Json::Value& out, std::string* error) {
    out = Json::Value();
    try {
        Json::Reader reader;
        Json::Value root;
        if (!reader.parse(text.data(), text.data() + text.size(), root, true)) {
            if (error)
                *error = reader.getFormattedErrorMessages();
            return false;
        }
        out.swap(root);
        return true;
    } catch (const std::exception& e) {
        // The parser throws past its nesting limit.
        if (error)
            *error = e.what();
        return false;
    }
}

Json::Value LoadJsonFile(const std::string& path) {
    std::string text = readjsonFile(path);
    if (text.empty()) {
        platform::TraceF("LoadJsonFile: no content in %s", path.c_str());
        return Json::Value();
    }
    Json::Value root;
    std::string error;
    if (!ParseJsonText(text, root, &error))
        platform::TraceF("LoadJsonFile: %s is not JSON: %s", path.c_str(), error.c_str());
    return root;
}

namespace {

std::string RepairedUtf8(const std::string& text) {
    return ToUtf8(FromUtf8(text));
}

bool HoldsMalformedUtf8(const Json::Value& value) {
    if (value.isString()) {
        const char* begin;
        const char* end;
        value.getString(&begin, &end);
        return !IsValidUtf8(std::string_view(begin, static_cast<size_t>(end - begin)));
    }
    if (value.isArray()) {
        for (const Json::Value& element : value)
            if (HoldsMalformedUtf8(element))
                return true;
    }
    if (value.isObject()) {
        for (auto it = value.begin(); it != value.end(); ++it)
            if (!IsValidUtf8(it.name()) || HoldsMalformedUtf8(*it))
                return true;
    }
    return false;
}

// The writer decodes malformed UTF-8 blindly and swallows the bytes after a broken lead byte;
// U+FFFD in place of each broken sequence keeps the text around it.
Json::Value WithRepairedUtf8(const Json::Value& value) {
    if (value.isString())
        return Json::Value(RepairedUtf8(value.asString()));
    if (value.isArray()) {
        Json::Value out(Json::arrayValue);
        for (const Json::Value& element : value)
            out.append(WithRepairedUtf8(element));
        return out;
    }
    if (value.isObject()) {
        Json::Value out(Json::objectValue);
        for (auto it = value.begin(); it != value.end(); ++it)
            out[RepairedUtf8(it.name())] = WithRepairedUtf8(*it);
        return out;
    }
    return value;
}

}  // namespace

std::string StyledJsonText(const Json::Value& value) {
    Json::StyledWriter writer;
    if (HoldsMalformedUtf8(value))
        return writer.write(WithRepairedUtf8(value)) + "\n";
    return writer.write(value) + "\n";
}

int WriteJsonFile(const std::string& path, const Json::Value& value) {
    std::string text;
    try {
        text = StyledJsonText(value);
    } catch (const std::exception& e) {
        platform::TraceF("WriteJsonFile: cannot format %s: %s", path.c_str(), e.what());
        return -1;
    }
    if (!platform::WriteFileAtomic(path, text)) {
        platform::TraceF("WriteJsonFile: %s not written", path.c_str());
        return -1;
    }
    return 0;
}

}  // namespace profile
