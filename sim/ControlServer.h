#pragma once
// Feeds control lines to the command dispatcher from standard input and from a stream
// socket (one command per line, the reply written back), one line at a time.
#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "platform/Event.h"
#include "sim/ControlCommands.h"

namespace sim {

class ControlServer {
  public:
    // quit is signalled when a "quit" command has run.
    ControlServer(Simulator& simulator, platform::Event& quit);
    ~ControlServer();

    std::string Execute(const std::string& line);
    // Reads standard input until it ends (its end does not quit: a simulator started in
    // the background keeps serving).
    void StartStdin();
    bool StartSocket(const std::string& path);
    void Stop();

  private:
    void ServeSocket();

    Simulator& simulator_;
    platform::Event& quit_;
    std::mutex mutex_;
    std::string socketPath_;
    int listenFd_ = -1;
    int wakeFd_ = -1;
    std::thread socketThread_;
};

}  // namespace sim
