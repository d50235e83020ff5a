#include "platform/SingleInstance.h"

#include "platform/FileIO.h"
#include "platform/Folders.h"
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
    auto lock = std::make_unique<FileLock>(InstanceLockPath(name), FileLock::Mode::Try);
    if (lock->Held()) {
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

}  // namespace platform
