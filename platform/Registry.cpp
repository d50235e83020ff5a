#include "platform/Registry.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <system_error>

#include "platform/FileIO.h"
#include "platform/FileLock.h"
#include "platform/Folders.h"
#include "platform/Log.h"
#include "platform/RegistryStore.h"
#include "platform/Trace.h"

namespace platform {
namespace {

using registry_store::Key;
using registry_store::SameName;
using registry_store::Store;
using registry_store::Value;

constexpr int kMaxAsideCopies = 100;

std::string LockPath() {
    return ConfigFolder() + "registry.lock";
}

// Trace for developers, log line for the user's report: a settings store that vanishes from
// view must leave a mark.
void Report(const char* what, const std::string& detail) {
    TraceF("Registry: %s: %s", what, detail.c_str());
    Log(std::string("Registry>") + what + "    " + detail);
}

// Moves an unusable store aside under a name not yet taken, so nothing it holds is lost and
// the next write starts a fresh store. False when it could not be moved: the store must then
// not be written at all.
bool MoveAside(const std::string& path, const char* why) {
    std::error_code ec;
    for (int n = 0; n < kMaxAsideCopies; ++n) {
        std::string aside = path + ".corrupt" + (n == 0 ? std::string() : "." + std::to_string(n));
        if (std::filesystem::exists(aside, ec) || ec)
            continue;
        std::filesystem::rename(path, aside, ec);
        if (ec)
            break;
        Report(why, "moved aside to " + aside);
        return true;
    }
    Report(why, "cannot be moved aside; the store is left as it is and not written");
    return false;
}

// Reads the store into `store` (empty when there is none). A store too large to be ours or
// not well-formed is moved aside and read as empty. False when the store must be neither
// used nor written: it cannot be read, or it could not be moved aside.
bool Load(Store& store) {
    store.keys.clear();
    const std::string path = RegistryStorePath();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec)
        return true;
    if (!FileExists(path)) {
        Report("the store is not a regular file", path);
        return false;
    }
    std::string text;
    if (!ReadWholeFile(path, text, kMaxRegistryStoreBytes)) {
        const auto size = std::filesystem::file_size(path, ec);
        if (!ec && size > kMaxRegistryStoreBytes)
            return MoveAside(path, "the store is larger than its limit");
        Report("the store cannot be read", path);
        return false;
    }
    if (!registry_store::Parse(text, store))
        return MoveAside(path, "the store is corrupt");
    return true;
}

// Runs a read-modify-write of the store under the cross-process lock. The change returns
// whether the store must be written.
bool Modify(const std::function<bool(Store&)>& change, bool createFolder) {
    if (createFolder ? !EnsureFolder(ConfigFolder()) : !FolderExists(ConfigFolder()))
        return false;
    FileLock lock(LockPath(), FileLock::Mode::Wait);
    if (!lock.Held())
        return false;
    Store store;
    if (!Load(store) || !change(store))
        return false;
    std::string text = registry_store::Serialise(store);
    if (text.size() > kMaxRegistryStoreBytes) {
        Report("write refused",
               "the store would grow past " + std::to_string(kMaxRegistryStoreBytes) + " bytes");
        return false;
    }
    return WriteFileAtomic(RegistryStorePath(), text);
}

template <typename Read>
auto Query(Read read) -> decltype(read(std::declval<const Store&>())) {
    if (!FolderExists(ConfigFolder()))
        return {};
    FileLock lock(LockPath(), FileLock::Mode::Wait);
    Store store;
    if (!Load(store))
        store.keys.clear();
    return read(store);
}

bool SetValue(const std::string& keyPath, std::string_view name, Value value) {
    const std::string* text = std::get_if<std::string>(&value);
    if (name.size() > kMaxRegistryNameBytes || (text && text->size() > kMaxRegistryStringBytes)) {
        Report("write refused", "value " + std::string(name.substr(0, 64)) + " is too long");
        return false;
    }
    return Modify(
        [&](Store& store) {
            Key* key = store.Find(keyPath);
            if (!key)
                return false;  // a value under a missing key is not stored
            std::string valueName(name);
            for (auto& [existing, stored] : key->values) {
                if (SameName(existing, valueName)) {
                    stored = std::move(value);
                    return true;
                }
            }
            key->values.emplace_back(valueName, std::move(value));
            return true;
        },
        false);
}

const Value* FindValue(const Store& store, const std::string& keyPath, std::string_view name) {
    const Key* key = store.Find(keyPath);
    if (!key)
        return nullptr;
    for (const auto& [existing, stored] : key->values)
        if (SameName(existing, std::string(name)))
            return &stored;
    return nullptr;
}

bool IsSameOrBelow(const std::string& path, const std::string& top) {
    if (path.size() < top.size() || !SameName(path.substr(0, top.size()), top))
        return false;
    return path.size() == top.size() || path[top.size()] == '\\';
}

}  // namespace

std::string RegistryStorePath() {
    return ConfigFolder() + "registry";
}

std::optional<RegistryKey> OpenKey(std::string_view path) {
    std::string wanted = registry_store::NormalisePath(std::string(path));
    if (wanted.empty())
        return std::nullopt;
    bool found = Query([&](const Store& store) { return store.Find(wanted) != nullptr; });
    if (!found)
        return std::nullopt;
    return RegistryKey(wanted);
}

std::optional<RegistryKey> CreateKey(std::string_view path) {
    std::string wanted = registry_store::NormalisePath(std::string(path));
    if (wanted.empty())
        return std::nullopt;
    if (wanted.size() > kMaxRegistryKeyPathBytes) {
        Report("write refused", "key path " + wanted.substr(0, 64) + "... is too long");
        return std::nullopt;
    }
    bool exists = false;
    bool written = Modify(
        [&](Store& store) {
            // Create every missing level, parents first.
            bool changed = false;
            size_t at = 0;
            for (;;) {
                size_t slash = wanted.find('\\', at);
                std::string level = wanted.substr(0, slash);
                if (!store.Find(level)) {
                    store.keys.push_back(Key{level, {}});
                    changed = true;
                }
                if (slash == std::string::npos)
                    break;
                at = slash + 1;
            }
            exists = !changed;
            return changed;
        },
        true);
    if (!written && !exists)
        return std::nullopt;
    return RegistryKey(wanted);
}

bool DeleteKey(std::string_view path) {
    std::string top = registry_store::NormalisePath(std::string(path));
    if (top.empty())
        return false;
    return Modify(
        [&](Store& store) {
            auto before = store.keys.size();
            store.keys.erase(
                std::remove_if(store.keys.begin(), store.keys.end(),
                               [&](const Key& k) { return IsSameOrBelow(k.path, top); }),
                store.keys.end());
            return store.keys.size() != before;
        },
        false);
}

bool RegistryKey::SetDword(std::string_view name, uint32_t value) const {
    return SetValue(path_, name, Value(value));
}

bool RegistryKey::SetString(std::string_view name, std::string_view value) const {
    return SetValue(path_, name, Value(std::string(value)));
}

std::optional<uint32_t> RegistryKey::GetDword(std::string_view name) const {
    return Query([&](const Store& store) -> std::optional<uint32_t> {
        const Value* value = FindValue(store, path_, name);
        if (!value || !std::holds_alternative<uint32_t>(*value))
            return std::nullopt;
        return std::get<uint32_t>(*value);
    });
}

std::optional<std::string> RegistryKey::GetString(std::string_view name) const {
    return Query([&](const Store& store) -> std::optional<std::string> {
        const Value* value = FindValue(store, path_, name);
        if (!value || !std::holds_alternative<std::string>(*value))
            return std::nullopt;
        return std::get<std::string>(*value);
    });
}

bool RegistryKey::DeleteValue(std::string_view name) const {
    return Modify(
        [&](Store& store) {
            Key* key = store.Find(path_);
            if (!key)
                return false;
            auto before = key->values.size();
            std::string valueName(name);
            key->values.erase(
                std::remove_if(key->values.begin(), key->values.end(),
                               [&](const auto& v) { return SameName(v.first, valueName); }),
                key->values.end());
            return key->values.size() != before;
        },
        false);
}

}  // namespace platform
