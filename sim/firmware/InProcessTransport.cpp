#include "sim/firmware/InProcessTransport.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "hid/Packet.h"

namespace sim::firmware {
namespace {

using Clock = std::chrono::steady_clock;

class InProcessConnection : public platform::HidConnection {
  public:
    InProcessConnection(CommandPath& path, platform::HidAttributes attributes,
                        const std::atomic<bool>& writesFail)
        : path_(path), attributes_(attributes), writesFail_(writesFail) {
        collection_.usagePage = 0xFF1C;
        collection_.usage = 0x92;
        collection_.usesReportIds = true;
        collection_.inputReportIds = {hid::kCommandReportId};
        collection_.inputReportByteLength = hid::kPacketSize;
        collection_.outputReportByteLength = hid::kPacketSize;
    }
    ~InProcessConnection() override { path_.OnConnectionClosed(this); }

    platform::HidTransferResult Read(uint8_t* buffer, uint32_t length, uint32_t& transferred,
                                     uint32_t timeoutMs) override {
        transferred = 0;
        std::unique_lock<std::mutex> lock(mutex_);
        const auto deadline = timeoutMs == 0xFFFFFFFFu
                                  ? Clock::time_point::max()
                                  : Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (aborted_)
                return platform::HidTransferResult::Aborted;
            const auto now = Clock::now();
            if (!queue_.empty() && queue_.front().first <= now) {
                const Report report = std::move(queue_.front().second);
                queue_.pop_front();
                transferred = static_cast<uint32_t>(std::min<size_t>(length, report.size()));
                std::copy_n(report.begin(), transferred, buffer);
                return platform::HidTransferResult::Ok;
            }
            if (now >= deadline)
                return platform::HidTransferResult::TimedOut;
            auto wakeAt = deadline;
            if (!queue_.empty())
                wakeAt = std::min(wakeAt, queue_.front().first);
            if (wakeAt == Clock::time_point::max())
                changed_.wait(lock);
            else
                changed_.wait_until(lock, wakeAt);
        }
    }

    platform::HidTransferResult Write(const uint8_t* buffer, uint32_t length, uint32_t& transferred,
                                      uint32_t) override {
        transferred = 0;
        if (writesFail_)
            return platform::HidTransferResult::Failed;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (aborted_)
                return platform::HidTransferResult::Aborted;
        }
        const PathOutcome outcome = path_.Handle(Report(buffer, buffer + length), this);
        transferred = length;
        if (outcome.answered) {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.emplace_back(Clock::now() + std::chrono::milliseconds(outcome.delayMs),
                                outcome.answer);
        }
        changed_.notify_all();
        return platform::HidTransferResult::Ok;
    }

    void Abort() override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            aborted_ = true;
        }
        changed_.notify_all();
    }

    bool Flush() override {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.clear();
        return true;
    }

    bool SendOutputReport(const uint8_t* report, uint32_t length) override {
        uint32_t transferred = 0;
        return Write(report, length, transferred, 1000) == platform::HidTransferResult::Ok;
    }

    const platform::HidAttributes& Attributes() const override { return attributes_; }
    const platform::HidCollection& Collection() const override { return collection_; }

  private:
    CommandPath& path_;
    platform::HidAttributes attributes_;
    platform::HidCollection collection_;
    const std::atomic<bool>& writesFail_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<Clock::time_point, Report>> queue_;
    bool aborted_ = false;
};

}  // namespace

void InProcessTransport::AddPath(const std::string& path, CommandPath& commandPath,
                                 platform::HidAttributes attributes) {
    paths_[path] = Entry{&commandPath, attributes};
}

bool InProcessTransport::EnumeratePaths(std::vector<std::string>& paths) {
    paths.clear();
    for (const auto& [path, entry] : paths_)
        paths.push_back(path);
    return true;
}

std::unique_ptr<platform::HidConnection> InProcessTransport::Open(const std::string& path,
                                                                  const platform::HidOpenOptions&) {
    auto it = paths_.find(path);
    if (it == paths_.end())
        return nullptr;
    return std::make_unique<InProcessConnection>(*it->second.path, it->second.attributes,
                                                 writesFail_);
}

bool InProcessTransport::IsPresent(const std::string& path) {
    return paths_.count(path) != 0;
}

}  // namespace sim::firmware
