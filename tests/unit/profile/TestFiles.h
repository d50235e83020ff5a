#pragma once
// Temporary folders and file helpers for the profile tests.
#include <json/value.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/FileIO.h"
#include "profile/JsonFile.h"

namespace profile::test {

class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        for (;;) {
            auto candidate = std::filesystem::temp_directory_path() /
                             ("t418-profile-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                path_ = candidate.string();
                break;
            }
        }
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }
    size_t FileCount() const {
        size_t n = 0;
        for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(path_))
            ++n;
        return n;
    }

  private:
    std::string path_;
};

inline std::string FactoryPath(const std::string& name) {
    return std::string(T418_FACTORY_DATA_DIR) + "/" + name;
}

inline std::string Bytes(const std::string& path) {
    std::string out;
    platform::ReadWholeFile(path, out);
    return out;
}

inline void Put(const std::string& path, const std::string& bytes) {
    platform::WriteFileAtomic(path, bytes);
}

inline Json::Value Parse(const std::string& text) {
    Json::Value v;
    ParseJsonText(text, v);
    return v;
}

}  // namespace profile::test
