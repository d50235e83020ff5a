#pragma once
// A temporary user and factory folder for shoot-set files, removed with its content.
#include <json/value.h>

#include <filesystem>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "panels/shoot/ShootFiles.h"
#include "platform/FileIO.h"
#include "profile/JsonFile.h"

namespace panels::shoot {
// Failures name the bullet's fields.
inline void PrintTo(const Bullet& b, std::ostream* out) {
    *out << "{x " << b.x << (b.left ? " left" : " right") << ", y " << b.y
         << (b.up ? " up" : " down") << ", delay " << b.delay << "}";
}
}  // namespace panels::shoot

namespace shoot_test {

class ShootFolder {
  public:
    ShootFolder() {
        std::random_device random;
        std::filesystem::path path;
        do {
            path =
                std::filesystem::temp_directory_path() / ("t418-shoot-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path));
        root_ = path.string() + "/";
        std::filesystem::create_directory(root_ + "user");
        std::filesystem::create_directory(root_ + "factory");
    }
    ~ShootFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    ShootFolder(const ShootFolder&) = delete;
    ShootFolder& operator=(const ShootFolder&) = delete;

    std::string User() const { return root_ + "user/"; }
    std::string Factory() const { return root_ + "factory/"; }
    std::string Outside(const std::string& name) const { return root_ + name; }

    void Write(const std::string& path, const std::string& text) const {
        platform::WriteFileAtomic(path, text);
    }
    std::string Read(const std::string& path) const {
        std::string bytes;
        platform::ReadWholeFile(path, bytes);
        return bytes;
    }
    Json::Value Parse(const std::string& path) const { return profile::LoadJsonFile(path); }

    // The ".bad" files kept in a folder.
    std::vector<std::string> Kept(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".bad")
                names.push_back(entry.path().string());
        return names;
    }

  private:
    std::string root_;
};

// A complete set: bullet b moves x = b, y = 2b, delay 100 + b, alternating directions.
inline Json::Value CompleteSet(int seed = 0) {
    Json::Value root(Json::objectValue);
    Json::Value& events = root["Events"] = Json::Value(Json::arrayValue);
    for (int b = 0; b < 30; ++b) {
        const char* h = b % 2 ? "down" : "up";
        const char* v = b % 3 ? "up" : "down";
        const int rows[6][4] = {{1, 1, 10, 1},       {0, 1, 0, 1},
                                {2, b + seed, 5, 4}, {3, 2 * b + seed, 100 + b, 5},
                                {2, 0, 0, 4},        {3, 0, 0, 5}};
        for (const auto& row : rows) {
            Json::Value event(Json::objectValue);
            event["Action"] = row[0] == 1 ? "down" : row[0] == 0 ? "up" : row[0] == 2 ? h : v;
            event["Button"] = row[1];
            event["Delay"] = row[2];
            event["Type"] = row[3];
            events.append(event);
        }
    }
    return root;
}

}  // namespace shoot_test
