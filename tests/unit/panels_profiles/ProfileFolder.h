#pragma once
// A temporary user data folder with a default document, and reading its files back.
#include <json/value.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/FileIO.h"
#include "profile/JsonFile.h"

namespace profiles_test {

class ProfileFolder {
  public:
    ProfileFolder() {
        std::random_device random;
        for (;;) {
            auto candidate = std::filesystem::temp_directory_path() /
                             ("t418-profiles-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                root_ = candidate.string() + "/";
                break;
            }
        }
        std::filesystem::create_directory(root_ + "user");
        Json::Value document(Json::objectValue);
        document["Device"][0]["DPIStages"]["StageActive"] = 2;
        profile::WriteJsonFile(DefaultDocument(), document);
    }
    ~ProfileFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    ProfileFolder(const ProfileFolder&) = delete;
    ProfileFolder& operator=(const ProfileFolder&) = delete;

    std::string User() const { return root_ + "user/"; }
    std::string DefaultDocument() const { return root_ + "mouse.Json"; }
    std::string Outside(const std::string& name) const { return root_ + name; }
    std::string ListPath() const { return User() + "ProfileList.ini"; }
    Json::Value List() const { return profile::LoadJsonFile(ListPath()); }
    std::string ListBytes() const {
        std::string bytes;
        platform::ReadWholeFile(ListPath(), bytes);
        return bytes;
    }
    Json::Value Profile(const std::string& id) const {
        return profile::LoadJsonFile(User() + id + ".Json");
    }
    size_t UserFileCount() const {
        size_t n = 0;
        for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(User()))
            ++n;
        return n;
    }
    void WriteText(const std::string& path, const std::string& text) const {
        platform::WriteFileAtomic(path, text);
    }

  private:
    std::string root_;
};

}  // namespace profiles_test
