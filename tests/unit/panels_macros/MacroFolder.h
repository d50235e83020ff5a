#pragma once
// A temporary data folder for macro files, and reading its files back.
#include <json/value.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/FileIO.h"
#include "profile/JsonFile.h"

namespace macros_test {

class MacroFolder {
  public:
    MacroFolder() {
        std::random_device random;
        for (;;) {
            auto candidate = std::filesystem::temp_directory_path() /
                             ("t418-macros-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                root_ = candidate.string() + "/";
                break;
            }
        }
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
    void WriteText(const std::string& path, const std::string& text) const {
        platform::WriteFileAtomic(path, text);
    }
    std::string ReadText(const std::string& path) const {
        std::string bytes;
        platform::ReadWholeFile(path, bytes);
        return bytes;
    }
    size_t DataFileCount() const {
        size_t n = 0;
        for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(Data()))
            ++n;
        return n;
    }

  private:
    std::string root_;
};

}  // namespace macros_test
