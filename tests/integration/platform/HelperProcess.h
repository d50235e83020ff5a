#pragma once
// Runs platform_test_helper (built next to the test binary) as a second process, inside the
// test's private session folders (it inherits the environment).
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../../unit/platform/TestFolders.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/Process.h"

namespace t418test {

// A private session: its own runtime, config and data folders.
class SessionFolders {
  public:
    SessionFolders()
        : runtime_("XDG_RUNTIME_DIR", root_ / "run"),
          config_("XDG_CONFIG_HOME", root_ / "config"),
          data_("XDG_DATA_HOME", root_ / "data") {}
    std::string operator/(const std::string& name) const { return root_ / name; }

  private:
    TempFolder root_;
    ScopedEnv runtime_, config_, data_;
};

class Helper {
  public:
    explicit Helper(std::vector<std::string> arguments,
                    std::string program = "platform_test_helper") {
        static int counter = 0;
        out_ = output_ / ("out-" + std::to_string(++counter));
        // The helper takes its output file first; other programs take the arguments as they are.
        std::vector<std::string> all;
        if (program == "platform_test_helper")
            all.push_back(out_);
        all.insert(all.end(), arguments.begin(), arguments.end());
        process_ = platform::StartProcess(platform::ExecutableFolder() + program, all);
    }

    ~Helper() {
        if (process_ && process_->IsRunning()) {
            process_->Kill();
            process_->Wait(5000);
        }
    }
    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;

    bool Started() const { return process_ != nullptr; }
    platform::ChildProcess& Process() { return *process_; }

    // Ends within 20 s; its exit code.
    int Finish() {
        if (!process_ || !process_->Wait(20000))
            return -1;
        return process_->ExitCode();
    }

    std::vector<std::string> Lines() const {
        std::string text;
        platform::ReadWholeFile(out_, text);
        std::vector<std::string> lines;
        size_t start = 0, end;
        while ((end = text.find('\n', start)) != std::string::npos) {
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }

    // Waits (at most 10 s) until the helper has written the line.
    bool WaitForLine(const std::string& line) const {
        for (int i = 0; i < 1000; ++i) {
            for (const std::string& l : Lines())
                if (l == line)
                    return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

  private:
    TempFolder output_;
    std::string out_;
    std::unique_ptr<platform::ChildProcess> process_;
};

}  // namespace t418test
