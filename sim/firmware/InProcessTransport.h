#pragma once
// A HID transport that reaches simulated command paths inside the process: no sockets, no
// bus folder. Lets the command channel and the device objects be tested byte for byte.
#include <atomic>
#include <map>
#include <memory>
#include <string>

#include "platform/HidTransport.h"
#include "sim/firmware/CommandPath.h"

namespace sim::firmware {

class InProcessTransport : public platform::HidTransport {
  public:
    // Makes `path` reach `commandPath` (which must outlive the transport's connections).
    void AddPath(const std::string& path, CommandPath& commandPath,
                 platform::HidAttributes attributes = {});
    // While set, every write fails (as a device that went away would).
    void SetWritesFail(bool fail) { writesFail_ = fail; }
    bool WritesFail() const { return writesFail_; }

    bool EnumeratePaths(std::vector<std::string>& paths) override;
    std::unique_ptr<platform::HidConnection> Open(const std::string& path,
                                                  const platform::HidOpenOptions& options) override;
    bool IsPresent(const std::string& path) override;
    const char* Name() const override { return "in-process"; }

  private:
    struct Entry {
        CommandPath* path;
        platform::HidAttributes attributes;
    };
    std::map<std::string, Entry> paths_;
    std::atomic<bool> writesFail_{false};
};

}  // namespace sim::firmware
