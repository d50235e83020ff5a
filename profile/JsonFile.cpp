#include "profile/JsonFile.h"

#include <json/reader.h>
#include <json/writer.h>

#include <cerrno>
#include <exception>
#include <filesystem>
#include <system_error>

#include "platform/FileIO.h"
#include "platform/Trace.h"

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

std::string StyledJsonText(const Json::Value& value) {
    Json::StyledWriter writer;
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
