#pragma once
// A per-user store with the semantics of the registry calls the program makes: keys under
// the current user ("SOFTWARE\\Draxmoor T418-ZEN") holding DWORD and string values. Kept in
// one file under ConfigFolder(), re-read under a lock before every call and written
// atomically, so several processes see each other's values. Key paths and value names
// compare without regard to ASCII case; '\\' separates the levels of a key path.
//
// A store that is too large or not well-formed is moved aside ("registry.corrupt", then
// ".corrupt.1" ...) and the store starts empty; one that cannot be read at all is left alone
// and no write touches it. Either is traced and logged. The limits below keep the program's
// own writes from ever making a store it could not read back.
//
// Any thread; every call takes the store's cross-process lock for its whole read-modify-write.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

constexpr size_t kMaxRegistryStoreBytes = 1u << 20;  // the whole file
constexpr size_t kMaxRegistryKeyPathBytes = 1024;
constexpr size_t kMaxRegistryNameBytes = 255;      // a value name
constexpr size_t kMaxRegistryStringBytes = 16384;  // a string value

class RegistryKey {
  public:
    const std::string& Path() const { return path_; }

    // False when the key no longer exists (the value is then not stored), the name or the
    // string is longer than its limit, the store would grow past its limit, or it cannot be
    // written.
    bool SetDword(std::string_view name, uint32_t value) const;
    bool SetString(std::string_view name, std::string_view value) const;

    // Empty when the key or the value is missing, or the value has another type.
    std::optional<uint32_t> GetDword(std::string_view name) const;
    std::optional<std::string> GetString(std::string_view name) const;

    // True when the value existed and was removed.
    bool DeleteValue(std::string_view name) const;

  private:
    friend std::optional<RegistryKey> OpenKey(std::string_view);
    friend std::optional<RegistryKey> CreateKey(std::string_view);
    explicit RegistryKey(std::string path) : path_(std::move(path)) {}
    std::string path_;
};

// Opens an existing key; empty when it is missing (nothing is created).
std::optional<RegistryKey> OpenKey(std::string_view path);

// Opens the key, creating it and its parents when missing; empty when the store cannot be
// written, or the path is empty or longer than its limit.
std::optional<RegistryKey> CreateKey(std::string_view path);

// Removes the key, its subkeys and their values; true when it existed.
bool DeleteKey(std::string_view path);

// The file that holds the store.
std::string RegistryStorePath();

}  // namespace platform
