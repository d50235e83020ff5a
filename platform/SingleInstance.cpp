#include "platform/SingleInstance.h"

#include <chrono>
#include <thread>

#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/Trace.h"

namespace platform {

std::string InstanceLockPath(const std::string& name) {
    std::string file;
    for (char c : name) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                     c == '.' || c == '-' || c == '_';
        file.push_back(plain ? c : '_');
    }
    return RuntimeFolder() + file + ".instance";
}

SingleInstance::SingleInstance(const std::string& name) {
    if (!EnsureRuntimeFolder()) {
        TraceF("SingleInstance: no runtime folder; going on as the only instance of %s",
               name.c_str());
        return;
    }
    const std::string path = InstanceLockPath(name);
    auto lock = std::make_unique<FileLock>(path, FileLock::Mode::Try);
    // A probe of InstanceIsRunning holds the lock for a moment: busy is final only when it
    // stays so.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartRetryMs);
    while (!lock->Held() && lock->Busy() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        lock = std::make_unique<FileLock>(path, FileLock::Mode::Try);
    }
    if (lock->Held()) {
        lock->WriteContent(std::to_string(CurrentProcessId()) + "\n");
        lock_ = std::move(lock);
        return;
    }
    // An unusable lock file does not stop the program: it goes on as the only instance.
    first_ = !lock->Busy();
}

SingleInstance::~SingleInstance() = default;

bool InstanceIsRunning(const std::string& name) {
    std::string path = InstanceLockPath(name);
    if (!FileExists(path))
        return false;
    FileLock probe(path, FileLock::Mode::Try);
    return probe.Busy();
}

int InstanceHolderId(const std::string& name) {
    if (!InstanceIsRunning(name))
        return 0;
    std::string text;
    if (!ReadWholeFile(InstanceLockPath(name), text, 32))
        return 0;
    long long id = 0;
    size_t digits = 0;
    for (char c : text) {
        if (c == '\n' && digits > 0)
            break;
        if (c < '0' || c > '9' || ++digits > 9)
            return 0;
        id = id * 10 + (c - '0');
    }
    return digits > 0 ? static_cast<int>(id) : 0;
}

}  // namespace platform
