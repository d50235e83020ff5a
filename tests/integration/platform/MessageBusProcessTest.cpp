#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <thread>

#include "HelperProcess.h"
#include "platform/BusRecord.h"
#include "platform/Event.h"
#include "platform/MessageBus.h"
#include "platform/Trace.h"

using t418test::Helper;
using t418test::SessionFolders;

namespace {

const std::string kLightCommand = "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}";

template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 500; ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// What a window does: the bus handler only queues; the window thread drains the queue.
class WindowQueue {
  public:
    void Push(const platform::BusMessage& message) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.push_back(message);
            handlerThreads_.push_back(std::this_thread::get_id());
        }
        arrived_.Set();
    }
    // Drains on the calling thread until count messages were taken (at most the time-out).
    std::vector<platform::BusMessage> Drain(size_t count, int timeoutMs = 10000) {
        std::vector<platform::BusMessage> taken;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (taken.size() < count && std::chrono::steady_clock::now() < deadline) {
            arrived_.Wait(100);
            std::lock_guard<std::mutex> lock(mutex_);
            taken.insert(taken.end(), queue_.begin(), queue_.end());
            queue_.clear();
        }
        return taken;
    }
    std::vector<std::thread::id> HandlerThreads() {
        std::lock_guard<std::mutex> lock(mutex_);
        return handlerThreads_;
    }
    platform::BusHandler Handler() {
        return [this](const platform::BusMessage& m) { Push(m); };
    }

  private:
    std::mutex mutex_;
    std::vector<platform::BusMessage> queue_;
    std::vector<std::thread::id> handlerThreads_;
    platform::Event arrived_;
};

TEST(MessageBusProcesses, NamesRegisteredInDifferentOrdersGetTheSameNumbers) {
    SessionFolders session;
    Helper first({"register", "Draxmoor T418-ZEN", kLightCommand, "Game_Start"});
    ASSERT_EQ(first.Finish(), 0);
    Helper second({"register", "Game_Start", "WM_HOOK_KEY_SINGLEKEY_MSG", kLightCommand,
                   "draxmoor t418-zen"});
    ASSERT_EQ(second.Finish(), 0);

    auto a = first.Lines();
    auto b = second.Lines();
    ASSERT_EQ(a.size(), 3u);
    ASSERT_EQ(b.size(), 4u);
    EXPECT_EQ(a[0], b[3]);  // names compare without regard to case
    EXPECT_EQ(a[1], b[2]);
    EXPECT_EQ(a[2], b[0]);
    for (const auto& line : a) {
        uint32_t number = static_cast<uint32_t>(std::stoul(line));
        EXPECT_GE(number, 0xC000u);
        EXPECT_LE(number, 0xFFFFu);
    }
    EXPECT_NE(a[0], a[1]);
    EXPECT_NE(b[1], a[0]);
    // And this process agrees with both.
    EXPECT_EQ(std::to_string(platform::RegisterMessage("WM_HOOK_KEY_SINGLEKEY_MSG")), b[1]);
}

TEST(MessageBusProcesses, PostedMessageAndCopyDataReachTheWindowThread) {
    SessionFolders session;
    WindowQueue window;
    auto endpoint = platform::JoinBus("T418-ZEN", window.Handler());
    ASSERT_NE(endpoint, nullptr);
    const uint32_t lightCommand = platform::RegisterMessage(kLightCommand);

    Helper post({"post", "T418-ZEN", kLightCommand, "1", "0"});
    ASSERT_EQ(post.Finish(), 0);
    Helper copy({"copydata", "t418-zen", "10", "colour table"});  // found without regard to case
    ASSERT_EQ(copy.Finish(), 0);

    auto messages = window.Drain(2);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].kind, platform::BusMessage::Kind::Posted);
    EXPECT_EQ(messages[0].message, lightCommand);
    EXPECT_EQ(messages[0].wParam, 1u);
    EXPECT_EQ(messages[0].lParam, 0);
    EXPECT_EQ(messages[1].kind, platform::BusMessage::Kind::CopyData);
    EXPECT_EQ(messages[1].message, platform::kCopyDataMessage);
    EXPECT_EQ(messages[1].tag, 10u);
    EXPECT_EQ(messages[1].data, "colour table");
    // The system names each sender; nothing the sender writes can change that.
    EXPECT_EQ(messages[0].senderId, post.Process().Id());
    EXPECT_EQ(messages[1].senderId, copy.Process().Id());
    // The handler ran on the endpoint's listener, never on the window thread that drained.
    for (auto id : window.HandlerThreads())
        EXPECT_NE(id, std::this_thread::get_id());

    Helper nobody({"post", "ZoviDuri", kLightCommand, "1", "0"});
    EXPECT_EQ(nobody.Finish(), 1);
}

TEST(MessageBusProcesses, PostsFromOneSenderKeepTheirOrder) {
    SessionFolders session;
    WindowQueue window;
    auto endpoint = platform::JoinBus("T418-ZEN", window.Handler());
    ASSERT_NE(endpoint, nullptr);
    for (uint64_t i = 0; i < 50; ++i)
        ASSERT_TRUE(platform::PostToWindow("T418-ZEN", 0xC000, i, 0));
    auto got = window.Drain(50);
    ASSERT_EQ(got.size(), 50u);
    for (uint64_t i = 0; i < 50; ++i)
        EXPECT_EQ(got[i].wParam, i);
}

TEST(MessageBusProcesses, BroadcastReachesEveryEndpoint) {
    SessionFolders session;
    WindowQueue one, two;
    auto a = platform::JoinBus("T418-ZEN", one.Handler());
    auto b = platform::JoinBus("Settings", two.Handler());
    ASSERT_TRUE(a && b);
    Helper listener({"listen", "AudioRecord", "1"});
    ASSERT_TRUE(listener.WaitForLine("ready"));

    Helper broadcaster({"broadcast", "Draxmoor T418-ZEN", "0", "1"});
    ASSERT_EQ(broadcaster.Finish(), 0);
    EXPECT_EQ(broadcaster.Lines(), std::vector<std::string>{"3"});

    const uint32_t title = platform::RegisterMessage("Draxmoor T418-ZEN");
    for (WindowQueue* window : {&one, &two}) {
        auto got = window->Drain(1);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].message, title);
        EXPECT_EQ(got[0].lParam, 1);
    }
    ASSERT_EQ(listener.Finish(), 0);
    EXPECT_TRUE(listener.WaitForLine("message " + std::to_string(title) + " 0 1 "));
}

TEST(MessageBusProcesses, MalformedAndOversizedRecordsAreDroppedWithoutHarm) {
    SessionFolders session;
    WindowQueue window;
    auto endpoint = platform::JoinBus("T418-ZEN", window.Handler());
    ASSERT_NE(endpoint, nullptr);
    platform::TraceCapture trace;

    platform::BusMessage record;
    record.kind = platform::BusMessage::Kind::CopyData;
    record.message = platform::kCopyDataMessage;
    record.tag = 7;
    record.data = std::string(100, 'd');
    std::string valid = platform::bus_record::Encode(record);

    // A header that promises more data than the packet holds.
    EXPECT_TRUE(platform::testing::SendRawRecord("T418-ZEN", valid.substr(0, valid.size() - 1)));
    // A packet over the record limit.
    EXPECT_TRUE(platform::testing::SendRawRecord(
        "T418-ZEN", std::string(platform::bus_record::kMaxRecordBytes + 100, 'x')));
    // Too short for a header, and garbage of the right size.
    EXPECT_TRUE(platform::testing::SendRawRecord("T418-ZEN", "T4"));
    EXPECT_TRUE(platform::testing::SendRawRecord(
        "T418-ZEN", std::string(platform::bus_record::kHeaderBytes, '\xff')));
    // The sender refuses data over the limit outright.
    EXPECT_FALSE(
        platform::SendCopyData("T418-ZEN", 1, std::string(platform::kMaxCopyDataBytes + 1, 'x')));

    // The endpoint still works, and only the valid record arrives.
    ASSERT_TRUE(platform::SendCopyData("T418-ZEN", 7, record.data));
    auto got = window.Drain(1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].data, record.data);
    for (const char* reason :
         {"oversized", "length does not match", "shorter than a record header", "not a bus record"})
        EXPECT_TRUE(Eventually([&] { return trace.Contains(reason); })) << reason;
    EXPECT_TRUE(window.Drain(1, 200).empty());
}

TEST(MessageBusProcesses, EndpointOfAKilledProcessIsCleanedUp) {
    SessionFolders session;
    Helper listener({"listen", "AudioRecord", "5"});
    ASSERT_TRUE(listener.WaitForLine("ready"));
    EXPECT_TRUE(platform::WindowExists("AudioRecord"));
    listener.Process().Kill();
    ASSERT_TRUE(listener.Process().Wait(5000));

    size_t before = 0;
    for (auto& e : std::filesystem::directory_iterator(platform::BusFolder()))
        before += e.path().extension() == ".sock";
    EXPECT_EQ(before, 1u);  // left behind by the killed process
    EXPECT_FALSE(platform::PostToWindow("AudioRecord", 0xC000, 1, 1));
    EXPECT_EQ(platform::Broadcast(0xC000, 0, 0), 0);
    for (auto& e : std::filesystem::directory_iterator(platform::BusFolder()))
        EXPECT_NE(e.path().extension(), ".sock") << e.path();

    WindowQueue window;
    auto again = platform::JoinBus("AudioRecord", window.Handler());
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(platform::PostToWindow("AudioRecord", 0xC000, 1, 1));
    EXPECT_EQ(window.Drain(1).size(), 1u);
}

TEST(MessageBusProcesses, BusFolderIsPrivate) {
    SessionFolders session;
    auto endpoint = platform::JoinBus("T418-ZEN", nullptr);
    ASSERT_NE(endpoint, nullptr);
    auto permissions = std::filesystem::status(platform::BusFolder()).permissions();
    EXPECT_EQ(permissions & std::filesystem::perms::all, std::filesystem::perms::owner_all);
}

TEST(MessageBusProcesses, APeerOfAnotherUserIsRefused) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    SessionFolders session;
    WindowQueue window;
    auto endpoint = platform::JoinBus("T418-ZEN", window.Handler());
    ASSERT_NE(endpoint, nullptr);
    // Open the way to the socket, so that only the peer check stands between.
    std::string socket;
    for (auto& e : std::filesystem::directory_iterator(platform::BusFolder()))
        if (e.path().extension() == ".sock")
            socket = e.path().string();
    ASSERT_FALSE(socket.empty());
    for (std::filesystem::path p = platform::BusFolder(); p.string().size() > 5;
         p = p.parent_path())
        if (p.string().rfind("/tmp/t418-test-", 0) == 0)
            ::chmod(p.c_str(), 0711);
    ::chmod(socket.c_str(), 0777);
    platform::TraceCapture trace;

    Helper stranger({"post-as-user", "65534", socket});
    EXPECT_EQ(stranger.Finish(), 0) << "the stranger could not even connect";
    EXPECT_TRUE(Eventually([&] { return trace.Contains("refused a peer of another user"); }));
    EXPECT_TRUE(window.Drain(1, 300).empty());
    ::chmod(platform::BusFolder().c_str(), 0700);
}

TEST(MessageBusProcesses, ReferenceClientPostsByNameAndSendsHexCopyData) {
    SessionFolders session;
    if (!platform::FileExists(platform::ExecutableFolder() + "t418-zenctl"))
        GTEST_SKIP() << "t418-zenctl not built";
    WindowQueue window;
    auto endpoint = platform::JoinBus("T418-ZEN", window.Handler());
    ASSERT_NE(endpoint, nullptr);

    Helper post({"send", "--to", "T418-ZEN", "--message", kLightCommand, "1", "0"}, "t418-zenctl");
    EXPECT_EQ(post.Finish(), 0);
    // The bytes may be spaced and of either case, as everywhere hex is read.
    Helper copy({"send", "--to", "T418-ZEN", "--copydata", "0x0A", "01 FF 00"}, "t418-zenctl");
    EXPECT_EQ(copy.Finish(), 0);
    Helper broadcast({"send", "--broadcast", "--message", "Game_Start", "0", "0"}, "t418-zenctl");
    EXPECT_EQ(broadcast.Finish(), 0);
    Helper bad({"send", "--to", "T418-ZEN", "--copydata", "1", "0g"}, "t418-zenctl");
    EXPECT_EQ(bad.Finish(), 2);
    Helper odd({"send", "--to", "T418-ZEN", "--copydata", "1", "01f"}, "t418-zenctl");
    EXPECT_EQ(odd.Finish(), 2);
    Helper listen({"listen", "--title", "Watcher", "--count", "1", "--seconds", "20"},
                  "t418-zenctl");
    ASSERT_TRUE(Eventually([] { return platform::WindowExists("Watcher"); }));
    ASSERT_TRUE(platform::SendCopyData("watcher", 3, "abc"));
    EXPECT_EQ(listen.Finish(), 0);

    auto got = window.Drain(3);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].message, platform::RegisterMessage(kLightCommand));
    EXPECT_EQ(got[0].wParam, 1u);
    EXPECT_EQ(got[1].tag, 10u);
    EXPECT_EQ(got[1].data, std::string("\x01\xff\x00", 3));
    EXPECT_EQ(got[2].message, platform::RegisterMessage("Game_Start"));
}

}  // namespace
