#include <algorithm>

#include "platform/ProcessWatcher.h"

namespace platform {

const std::string& RunningProgram::Name() const {
    static const std::string kNone;
    return names.empty() ? kNone : names.front();
}

bool ScriptedProcessWatcher::Start(ChangeHandler changed) {
    std::lock_guard<std::mutex> hold(lock_);
    if (started_)
        return false;
    started_ = true;
    changed_ = std::move(changed);
    return true;
}

void ScriptedProcessWatcher::Stop() {
    std::lock_guard<std::mutex> hold(lock_);
    started_ = false;
    changed_ = nullptr;
}

std::vector<RunningProgram> ScriptedProcessWatcher::Running() const {
    std::lock_guard<std::mutex> hold(lock_);
    return running_;
}

int ScriptedProcessWatcher::Launch(const std::string& name, const std::string& commandLine) {
    int pid = 0;
    {
        std::lock_guard<std::mutex> hold(lock_);
        RunningProgram program;
        program.pid = pid = nextPid_++;
        program.names = {name};
        program.commandLine = commandLine.empty() ? name : commandLine;
        program.started = ++ticks_;
        running_.push_back(std::move(program));
    }
    Changed();
    return pid;
}

bool ScriptedProcessWatcher::End(int pid) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        const auto found = std::find_if(running_.begin(), running_.end(),
                                        [pid](const RunningProgram& p) { return p.pid == pid; });
        if (found == running_.end())
            return false;
        running_.erase(found);
    }
    Changed();
    return true;
}

int ScriptedProcessWatcher::EndAll(const std::string& name) {
    size_t ended = 0;
    {
        std::lock_guard<std::mutex> hold(lock_);
        ended = std::erase_if(running_, [&](const RunningProgram& p) { return p.Name() == name; });
    }
    if (ended > 0)
        Changed();
    return static_cast<int>(ended);
}

void ScriptedProcessWatcher::Changed() {
    ChangeHandler handler;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!started_)
            return;
        handler = changed_;
    }
    if (handler)
        handler();
}

}  // namespace platform
