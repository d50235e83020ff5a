#pragma once
// One look at /proc: the processes of one user, diffed against the previous look. A process
// is read (its comm, cmdline, exe link and start time) when it is first seen and again at
// each look while it is young, since a launcher often replaces itself with the real program
// (exec) just after it starts; after that only its presence is checked, so a steady state
// costs one directory read. Processes of other users are remembered as such and never read.
// Threads: one thread at a time.
#include <sys/types.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ProcessWatcher.h"

namespace platform::linux_proc {

class ProcessScan {
  public:
    // Processes younger than this (since first seen) are read again at every look.
    static constexpr uint64_t kYoungMs = 10000;

    explicit ProcessScan(std::string root = "/proc", uid_t uid = ::getuid());

    // One look at time nowMs (a monotonic clock). True when the set of the user's programs
    // (or what a young one answers to) changed; false too when the folder cannot be read.
    bool Look(uint64_t nowMs);
    bool Readable() const { return readable_; }
    std::vector<RunningProgram> Programs() const;

    // What the last look cost: processes read in full, and entries listed.
    size_t LastReads() const { return lastReads_; }
    size_t LastEntries() const { return lastEntries_; }

  private:
    struct Known {
        bool own = false;
        uint64_t firstSeenMs = 0;
        RunningProgram program;
        uint32_t seen = 0;  // the look that saw it last
    };
    // Reads process pid (its folder under dirFd) into program; false when it is gone or not
    // the user's (own says which).
    bool Read(int dirFd, const char* name, int pid, Known& known);

    std::string root_;
    uid_t uid_;
    std::unordered_map<int, Known> known_;
    uint32_t look_ = 0;
    bool readable_ = false;
    size_t lastReads_ = 0;
    size_t lastEntries_ = 0;
};

}  // namespace platform::linux_proc
