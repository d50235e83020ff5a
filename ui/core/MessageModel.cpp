#include "ui/core/MessageModel.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Trace.h"
#include "ui/core/Backend.h"
#include "ui/core/ThreadCheck.h"

namespace ui {
namespace {

struct SendSlot {
    bool done = false;
    LRESULT result = 0;
};

struct Queued {
    HWND hwnd = nullptr;  // nullptr: the quit message
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::shared_ptr<SendSlot> slot;  // set for a send from another thread
    std::function<void()> task;      // set for PostTask
};

struct LoopFrame {
    HWND modalWindow = nullptr;
    bool done = false;
    int code = 0;
};

// What the model knows of a window. Names are copies so that FindWindow, from any thread,
// never reads the window object itself.
struct WindowEntry {
    IMessageTarget* window = nullptr;
    std::string className;
    std::string title;
    bool destroying = false;
};

struct TimerKey {
    HWND hwnd;
    uintptr_t id;
    bool operator<(const TimerKey& o) const { return hwnd != o.hwnd ? hwnd < o.hwnd : id < o.id; }
};

class Dispatcher {
  public:
    static Dispatcher& Get() {
        static Dispatcher* instance = new Dispatcher;  // lives for the process: threads may
        return *instance;                              // still send while it ends
    }

    HWND Register(IMessageTarget* window, const std::string& className, const std::string& title) {
        BindThread();
        UI_ASSERT_WINDOW_THREAD("CWindowWnd::Create");
        std::lock_guard lock(mutex_);
        HWND hwnd = reinterpret_cast<HWND>(nextHandle_ += 16);
        windows_[hwnd] = WindowEntry{window, className, title, false};
        return hwnd;
    }

    void SetTitle(HWND hwnd, const std::string& title) {
        std::lock_guard lock(mutex_);
        auto it = windows_.find(hwnd);
        if (it != windows_.end())
            it->second.title = title;
    }

    void BeginDestroy(HWND hwnd) {
        {
            std::lock_guard lock(mutex_);
            auto it = windows_.find(hwnd);
            if (it == windows_.end())
                return;
            it->second.destroying = true;
            (void)ReleaseSendsLocked(hwnd, false);  // sends only: nothing that owns anything
        }
        sendDone_.notify_all();
    }

    void Unregister(HWND hwnd) {
        UI_ASSERT_WINDOW_THREAD("ui::DestroyWindow");
        std::vector<Queued> dropped;  // tasks may answer someone when they go: unlocked
        {
            std::lock_guard lock(mutex_);
            windows_.erase(hwnd);
            dropped = ReleaseSendsLocked(hwnd, true);
        }
        sendDone_.notify_all();
        dropped.clear();
        for (auto it = timers_.begin(); it != timers_.end();) {
            if (it->first.hwnd == hwnd) {
                if (HasBackend())
                    GetBackend().StopTimer(it->second);
                it = timers_.erase(it);
            } else {
                ++it;
            }
        }
        EndModalLoop(hwnd, IDCANCEL);
    }

    IMessageTarget* Lookup(HWND hwnd) {
        std::lock_guard lock(mutex_);
        auto it = windows_.find(hwnd);
        return it == windows_.end() ? nullptr : it->second.window;
    }

    bool OnWindowThread() {
        std::lock_guard lock(mutex_);
        return !threadBound_ || std::this_thread::get_id() == windowThread_;
    }

    LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (OnWindowThread()) {
            IMessageTarget* window = Lookup(hwnd);
            return window ? window->Deliver(msg, wParam, lParam) : 0;
        }
        auto slot = std::make_shared<SendSlot>();
        {
            std::unique_lock lock(mutex_);
            auto it = windows_.find(hwnd);
            if (it == windows_.end() || it->second.destroying)
                return 0;
            queue_.push_back(Queued{hwnd, msg, wParam, lParam, slot, nullptr});
        }
        WakeWindowThread();
        std::unique_lock lock(mutex_);
        sendDone_.wait(lock, [&] { return slot->done; });
        return slot->result;
    }

    bool Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
              std::function<void()> task = nullptr) {
        {
            std::lock_guard lock(mutex_);
            if (hwnd != nullptr && windows_.count(hwnd) == 0)
                return false;
            queue_.push_back(Queued{hwnd, msg, wParam, lParam, nullptr, std::move(task)});
        }
        WakeWindowThread();
        return true;
    }

    // Window thread: handles everything queued so far (and what handlers queue meanwhile).
    void Drain() {
        while (true) {
            Queued item;
            {
                std::lock_guard lock(mutex_);
                if (queue_.empty())
                    return;
                item = std::move(queue_.front());
                queue_.pop_front();
            }
            if (item.hwnd == nullptr && item.msg == WM_QUIT) {
                Quit(static_cast<int>(item.wParam));
                continue;
            }
            LRESULT result = 0;
            if (IMessageTarget* window = Lookup(item.hwnd)) {
                if (item.task) {
                    window->RunTask(item.task);
                } else {
                    result = window->Deliver(item.msg, item.wParam, item.lParam);
                }
            }
            if (item.slot) {
                {
                    std::lock_guard lock(mutex_);
                    item.slot->result = result;
                    item.slot->done = true;
                }
                sendDone_.notify_all();
            }
        }
    }

    void Quit(int code) {
        if (loops_.empty()) {
            pendingQuit_ = true;
            pendingQuitCode_ = code;
            return;
        }
        LoopFrame* top = loops_.back();
        top->done = true;
        top->code = code;
        GetBackend().QuitLoop(code);
    }

    int RunLoop(HWND modalWindow) {
        BindThread();
        UI_ASSERT_WINDOW_THREAD("ui message loop");
        if (modalWindow == nullptr && pendingQuit_) {
            pendingQuit_ = false;
            return pendingQuitCode_;
        }
        LoopFrame frame{modalWindow, false, 0};
        loops_.push_back(&frame);
        Drain();  // what was queued before the loop started
        while (!frame.done) {
            GetBackend().RunLoop();
        }
        loops_.pop_back();
        // An outer loop that was ended while this one ran ends as soon as it resumes.
        if (!loops_.empty() && loops_.back()->done)
            GetBackend().QuitLoop(loops_.back()->code);
        return frame.code;
    }

    void EndModalLoop(HWND window, int code) {
        UI_ASSERT_WINDOW_THREAD("ui::EndModalLoop");
        for (LoopFrame* frame : loops_) {
            if (frame->modalWindow != window || frame->done)
                continue;
            frame->done = true;
            frame->code = code;
            if (frame == loops_.back())
                GetBackend().QuitLoop(0);
        }
    }

    uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs) {
        UI_ASSERT_WINDOW_THREAD("ui::SetTimer");
        if (Lookup(hwnd) == nullptr)
            return 0;
        KillTimer(hwnd, id);
        int backendId = GetBackend().StartTimer(elapseMs, [this, hwnd, id] {
            // Ticks of a timer killed since are dropped.
            if (timers_.count(TimerKey{hwnd, id}) == 0)
                return;
            if (IMessageTarget* window = Lookup(hwnd))
                window->Deliver(WM_TIMER, id, 0);
        });
        timers_[TimerKey{hwnd, id}] = backendId;
        return id == 0 ? 1 : id;
    }

    bool KillTimer(HWND hwnd, uintptr_t id) {
        UI_ASSERT_WINDOW_THREAD("ui::KillTimer");
        auto it = timers_.find(TimerKey{hwnd, id});
        if (it == timers_.end())
            return false;
        GetBackend().StopTimer(it->second);
        timers_.erase(it);
        return true;
    }

    HWND Find(const std::string& className, const std::string& title) {
        std::lock_guard lock(mutex_);
        for (const auto& [hwnd, entry] : windows_) {
            if (!className.empty() && entry.className != className)
                continue;
            if (!title.empty() && entry.title != title)
                continue;
            return hwnd;
        }
        return nullptr;
    }

  private:
    // Caller holds mutex_. Sends to the window are answered 0; with dropPosts its posted
    // messages and tasks go too. Returns what was taken out of the queue.
    std::vector<Queued> ReleaseSendsLocked(HWND hwnd, bool dropPosts) {
        std::vector<Queued> taken;
        for (auto it = queue_.begin(); it != queue_.end();) {
            if (it->hwnd != hwnd || (!it->slot && !dropPosts)) {
                ++it;
                continue;
            }
            if (it->slot)
                it->slot->done = true;
            taken.push_back(std::move(*it));
            it = queue_.erase(it);
        }
        return taken;
    }

    void BindThread() {
        {
            std::lock_guard lock(mutex_);
            if (!threadBound_) {
                threadBound_ = true;
                windowThread_ = std::this_thread::get_id();
            }
        }
        // SetBackend hands the realisation the drain; a test may have replaced it since.
        // Only ever here, on the window thread, where the realisation reads it.
        if (OnWindowThread() && HasBackend())
            GetBackend().SetWakeHandler(&detail::HandleWake);
    }

    // Any thread. Never touches the realisation object itself: SetBackend may be replacing
    // it right now, and it waits for this call instead.
    void WakeWindowThread() { detail::WakeBackend(); }

    std::mutex mutex_;
    std::condition_variable sendDone_;
    std::map<HWND, WindowEntry> windows_;
    std::deque<Queued> queue_;
    uintptr_t nextHandle_ = 0x10000;
    bool threadBound_ = false;
    std::thread::id windowThread_;
    // Window thread only:
    std::vector<LoopFrame*> loops_;
    std::map<TimerKey, int> timers_;
    bool pendingQuit_ = false;
    int pendingQuitCode_ = 0;
};

}  // namespace

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Dispatcher::Get().Send(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd == nullptr)
        return false;
    return Dispatcher::Get().Post(hwnd, msg, wParam, lParam);
}

bool PostTask(HWND hwnd, std::function<void()> task) {
    if (hwnd == nullptr || !task)
        return false;
    return Dispatcher::Get().Post(hwnd, WM_NULL, 0, 0, std::move(task));
}

void PostQuitMessage(int exitCode) {
    Dispatcher::Get().Post(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

bool IsWindow(HWND hwnd) {
    return hwnd != nullptr && Dispatcher::Get().Lookup(hwnd) != nullptr;
}

bool DestroyWindow(HWND hwnd) {
    UI_ASSERT_WINDOW_THREAD("ui::DestroyWindow");
    IMessageTarget* window = Dispatcher::Get().Lookup(hwnd);
    if (window == nullptr)
        return false;
    window->DestroyNow();
    return true;
}

uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs) {
    return Dispatcher::Get().SetTimer(hwnd, id, elapseMs);
}

bool KillTimer(HWND hwnd, uintptr_t id) {
    return Dispatcher::Get().KillTimer(hwnd, id);
}

HWND FindWindow(const std::string& className, const std::string& title) {
    return Dispatcher::Get().Find(className, title);
}

IMessageTarget* GetMessageTarget(HWND hwnd) {
    UI_ASSERT_WINDOW_THREAD("ui::GetMessageTarget");
    return Dispatcher::Get().Lookup(hwnd);
}

bool IsWindowThread() {
    return Dispatcher::Get().OnWindowThread();
}

namespace detail {
HWND RegisterWindow(IMessageTarget* window, const std::string& className,
                    const std::string& title) {
    return Dispatcher::Get().Register(window, className, title);
}
void SetWindowTitle(HWND hwnd, const std::string& title) {
    Dispatcher::Get().SetTitle(hwnd, title);
}
void BeginDestroyWindow(HWND hwnd) {
    Dispatcher::Get().BeginDestroy(hwnd);
}
void UnregisterWindow(HWND hwnd) {
    Dispatcher::Get().Unregister(hwnd);
}
int RunLoop(HWND modalWindow) {
    return Dispatcher::Get().RunLoop(modalWindow);
}
void EndModalLoop(HWND window, int code) {
    Dispatcher::Get().EndModalLoop(window, code);
}
void HandleWake() {
    Dispatcher::Get().Drain();
}
void AssertWindowThread(const char* rule) {
    if (Dispatcher::Get().OnWindowThread())
        return;
    std::fprintf(stderr, "%s: window thread only, called from another thread\n", rule);
    std::fflush(stderr);
    std::abort();
}
}  // namespace detail

}  // namespace ui
