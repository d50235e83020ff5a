#include "platform/FileIO.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace platform {

bool ReadWholeFile(const std::string& path, std::string& out, size_t maxBytes) {
    out.clear();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    auto size = std::filesystem::file_size(path, ec);
    if (ec || size > maxBytes)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.resize(static_cast<size_t>(size));
    in.read(out.data(), static_cast<std::streamsize>(size));
    // The file may have changed size between the stat and the read.
    out.resize(static_cast<size_t>(in.gcount()));
    if (in.bad()) {
        out.clear();
        return false;
    }
    return true;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool FolderExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

}  // namespace platform
