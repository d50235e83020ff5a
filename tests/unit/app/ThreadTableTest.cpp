// Shutdown of the main window's threads: bounded, and a thread that outlives its wait keeps
// what it touches.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "app/ThreadTable.h"
#include "platform/Event.h"
#include "platform/StoppableThread.h"

namespace app {
namespace {

// A thread that ends when asked, or only once released (a stuck device read).
class TestEntry : public ThreadEntry {
  public:
    explicit TestEntry(bool stubborn, std::shared_ptr<std::atomic<int>> alive)
        : stubborn_(stubborn), alive_(std::move(alive)) {
        ++*alive_;
        thread_.Start([this](platform::Event& stop) {
            stop.Wait();
            if (stubborn_)
                release_.Wait(5000);
            touched_ = true;  // the entry must still exist here
        });
    }
    ~TestEntry() override {
        thread_.Join(5000);
        --*alive_;
    }
    void RequestStop() override { thread_.RequestStop(); }
    bool Join(uint32_t timeoutMs) override { return thread_.Join(timeoutMs); }
    void Release() { release_.Set(); }
    bool touched_ = false;

  private:
    bool stubborn_;
    std::shared_ptr<std::atomic<int>> alive_;
    platform::Event release_{true, false};
    platform::StoppableThread thread_;
};

TEST(ThreadTable, StopsEveryEntryAndLeavesAStuckOneToEndOnItsOwn) {
    auto alive = std::make_shared<std::atomic<int>>(0);
    ThreadTable table;
    auto quick = std::make_shared<TestEntry>(false, alive);
    auto stuck = std::make_shared<TestEntry>(true, alive);
    std::weak_ptr<TestEntry> stuckWatch = stuck;
    ASSERT_TRUE(table.Set(0, quick));
    ASSERT_TRUE(table.Set(8, stuck));
    EXPECT_FALSE(table.Set(8, quick));                      // in use
    EXPECT_FALSE(table.Set(ThreadTable::kEntries, quick));  // out of range
    TestEntry* stuckRaw = stuck.get();
    quick.reset();
    stuck.reset();

    auto start = std::chrono::steady_clock::now();
    auto outcomes = table.StopAll(100);
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::milliseconds(1000));
    EXPECT_EQ(outcomes[0], StopOutcome::Ended);
    EXPECT_EQ(outcomes[8], StopOutcome::TimedOut);
    EXPECT_EQ(outcomes[1], StopOutcome::Empty);  // entries with no thread are skipped
    EXPECT_FALSE(table.InUse(0));

    // The stuck one is still alive, owned by its reaper, until its thread ends.
    EXPECT_EQ(alive->load(), 1);
    ASSERT_FALSE(stuckWatch.expired());
    stuckRaw->Release();
    for (int i = 0; i < 200 && alive->load() != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(alive->load(), 0);
}

TEST(ThreadTable, DestructorStopsWhatIsStillRunning) {
    auto alive = std::make_shared<std::atomic<int>>(0);
    {
        ThreadTable table;
        table.Set(3, std::make_shared<TestEntry>(false, alive));
        EXPECT_EQ(alive->load(), 1);
    }
    EXPECT_EQ(alive->load(), 0);
}

}  // namespace
}  // namespace app
