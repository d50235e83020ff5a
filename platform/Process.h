#pragma once
// Starting other programs: the shell's "open" verb on a program, and started processes that
// can be watched.
// Threads: any; a ChildProcess may be watched from several threads at once.
#include <memory>
#include <string>
#include <vector>

#include "platform/Event.h"

namespace platform {

// Splits a parameter string the way a command line is split: blanks separate arguments,
// double quotes group (a quote is written as \" inside or outside quotes, and a backslash
// before a quote is written as \\). Other backslashes stay as they are.
std::vector<std::string> SplitCommandLine(const std::string& parameters);

// Starts the program detached (it outlives this process and is never waited for), with its
// parameters split like a command line and the given working folder (empty: the current
// one). A program without '/' is looked for in the working folder, then on PATH. False
// when it cannot be started.
bool ShellOpen(const std::string& program, const std::string& parameters,
               const std::string& folder);

// This process's id.
int CurrentProcessId();

// A child process this one started and can watch.
class ChildProcess {
  public:
    virtual ~ChildProcess() = default;

    virtual int Id() const = 0;
    virtual bool IsRunning() = 0;
    // True once it has ended within the time-out.
    virtual bool Wait(uint32_t timeoutMs) = 0;
    // Its exit status once ended (-1 before, 128 + signal number when ended by a signal).
    virtual int ExitCode() const = 0;
    // Ends it at once (a last resort, and how tests simulate a crash).
    virtual void Kill() = 0;
};

// Starts the program (a path, or a name looked up on PATH) with the arguments. Empty when
// it cannot be started. The destructor of the result does not end the process; it reaps it
// when it has already ended.
std::unique_ptr<ChildProcess> StartProcess(const std::string& program,
                                           const std::vector<std::string>& arguments,
                                           const std::string& folder = std::string());

}  // namespace platform
