#pragma once
// A temporary data folder for macro files, removed with its content.
#include <filesystem>
#include <random>
#include <string>

#include "platform/FileIO.h"

namespace macros_test {

class MacroFolder {
  public:
    MacroFolder() {
        std::random_device random;
        std::filesystem::path path;
        do {
            path = std::filesystem::temp_directory_path() /
                   ("t418-macros-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path));
        root_ = path.string() + "/";
        std::filesystem::create_directory(root_ + "data");
    }
    ~MacroFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    MacroFolder(const MacroFolder&) = delete;
    MacroFolder& operator=(const MacroFolder&) = delete;

    std::string Data() const { return root_ + "data/"; }
    std::string Outside(const std::string& name) const { return root_ + name; }
    void Write(const std::string& path, const std::string& text) const {
        platform::WriteFileAtomic(path, text);
    }
    std::string Read(const std::string& path) const {
        std::string bytes;
        platform::ReadWholeFile(path, bytes);
        return bytes;
    }

  private:
    std::string root_;
};

}  // namespace macros_test
