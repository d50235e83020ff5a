#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/InputDevices.h"
#include "platform/Trace.h"
#include "platform/linux/FdWait.h"

#ifdef T418_HAVE_LIBEVDEV
#include <libevdev/libevdev.h>
#endif

namespace platform {

int64_t InputClockNowUs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

#ifdef T418_HAVE_LIBEVDEV

// What the reader thread shares with the owner; the thread keeps it alive.
struct InputDeviceReader::State {
    struct Node {
        int fd = -1;
        libevdev* dev = nullptr;
    };
    std::vector<Node> nodes;
    int abortFd = -1;
    std::thread thread;
    std::mutex mutex;
    bool finished = true;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() {
        CloseAll();
        if (abortFd >= 0)
            close(abortFd);
    }
    static void Close(Node& node) {
        if (node.dev != nullptr)
            libevdev_free(node.dev);
        if (node.fd >= 0)
            close(node.fd);
        node = Node{};
    }
    void CloseAll() {
        for (Node& node : nodes)
            Close(node);
        nodes.clear();
    }
};

namespace {

using EvdevNode = InputDeviceReader::State::Node;

bool IsEvdevNodeName(const char* name) {
    if (std::strncmp(name, "event", 5) != 0 || name[5] == '\0')
        return false;
    for (const char* p = name + 5; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9')
            return false;
    }
    return true;
}

// A device with any key or button: keyboards, mice, pads.
bool EvdevReportsKeys(libevdev* dev) {
    return libevdev_has_event_type(dev, EV_KEY) != 0;
}

// Reads every pending event of a node; false when the node is gone.
bool DrainEvdevNode(EvdevNode& node, const InputDeviceReader::Sink& sink, int abortFd) {
    for (;;) {
        if (linux_fd::IsAborted(abortFd))
            return true;
        input_event ev{};
        int rc = libevdev_next_event(node.dev, LIBEVDEV_READ_FLAG_NORMAL, &ev);
        if (rc == LIBEVDEV_READ_STATUS_SYNC) {
            // Events were dropped: the state the kernel resynchronises is not input the
            // user gave now, so it is read and left.
            while (rc == LIBEVDEV_READ_STATUS_SYNC)
                rc = libevdev_next_event(node.dev, LIBEVDEV_READ_FLAG_SYNC, &ev);
            continue;
        }
        if (rc == -EAGAIN)
            return true;
        if (rc != LIBEVDEV_READ_STATUS_SUCCESS)
            return false;  // -ENODEV: unplugged
        RawInputEvent raw;
        raw.type = ev.type;
        raw.code = ev.code;
        raw.value = ev.value;
        raw.timeUs = static_cast<int64_t>(ev.input_event_sec) * 1000000 + ev.input_event_usec;
        sink(raw);
    }
}

void EvdevReaderLoop(const std::shared_ptr<InputDeviceReader::State>& state,
                     const InputDeviceReader::Sink& sink) {
    std::vector<EvdevNode*> live;
    for (EvdevNode& node : state->nodes)
        live.push_back(&node);
    while (!live.empty()) {
        std::vector<pollfd> fds;
        fds.push_back({state->abortFd, POLLIN, 0});
        for (EvdevNode* node : live)
            fds.push_back({node->fd, POLLIN, 0});
        // Bounded, although the abort descriptor already cuts the wait short.
        const int n = poll(fds.data(), fds.size(), 1000);
        if (n < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN)
            break;
        std::vector<EvdevNode*> still;
        for (size_t i = 0; i < live.size(); ++i) {
            const short revents = fds[i + 1].revents;
            bool alive = (revents & (POLLERR | POLLNVAL)) == 0;
            if (alive && (revents & (POLLIN | POLLHUP)))
                alive = DrainEvdevNode(*live[i], sink, state->abortFd);
            if (alive)
                still.push_back(live[i]);
            else
                Trace("InputDeviceReader: an input device went away");
        }
        live.swap(still);
        if (linux_fd::IsAborted(state->abortFd))
            break;
    }
    std::lock_guard<std::mutex> lock(state->mutex);
    state->finished = true;
}

}  // namespace

bool InputDeviceReader::Supported() {
    return true;
}

InputDeviceReader::InputDeviceReader(std::string folder)
    : folder_(std::move(folder)), state_(std::make_shared<State>()) {}

InputDeviceReader::~InputDeviceReader() {
    Stop();
}

int InputDeviceReader::Open() {
    if (Running())
        return OpenCount();
    state_->CloseAll();
    DIR* dir = opendir(folder_.c_str());
    if (dir == nullptr)
        return 0;
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
        if (IsEvdevNodeName(entry->d_name))
            names.emplace_back(entry->d_name);
    }
    closedir(dir);
    for (const std::string& name : names) {
        const std::string path = folder_ + "/" + name;
        EvdevNode node;
        node.fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (node.fd < 0)
            continue;  // not ours to read
        if (libevdev_new_from_fd(node.fd, &node.dev) != 0 || !EvdevReportsKeys(node.dev)) {
            InputDeviceReader::State::Close(node);
            continue;
        }
        // Time stamps on the clock the program measures with.
        libevdev_set_clock_id(node.dev, CLOCK_MONOTONIC);
        state_->nodes.push_back(node);
    }
    return OpenCount();
}

int InputDeviceReader::OpenCount() const {
    return static_cast<int>(state_->nodes.size());
}

bool InputDeviceReader::Start(Sink sink) {
    if (Running() || state_->nodes.empty() || !sink)
        return false;
    if (state_->thread.joinable())
        state_->thread.join();  // ended on its own; its state is ours again
    if (state_->abortFd >= 0)
        close(state_->abortFd);
    state_->abortFd = linux_fd::MakeAbortFd();
    if (state_->abortFd < 0)
        return false;
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->finished = false;
    }
    std::shared_ptr<State> state = state_;
    state_->thread = std::thread([state, sink = std::move(sink)] { EvdevReaderLoop(state, sink); });
    return true;
}

bool InputDeviceReader::Running() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return !state_->finished;
}

bool InputDeviceReader::Stop(uint32_t timeoutMs) {
    if (!state_->thread.joinable()) {
        state_->CloseAll();
        return true;
    }
    linux_fd::SignalAbort(state_->abortFd);
    const int64_t deadline = linux_fd::DeadlineAfter(timeoutMs);
    while (Running() && !linux_fd::Expired(deadline))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (Running()) {
        // Blocked in its sink: it owns its state and ends on its own.
        Trace("InputDeviceReader: the reader did not stop in time; left to end");
        state_->thread.detach();
        state_ = std::make_shared<State>();
        return false;
    }
    state_->thread.join();
    state_->CloseAll();
    close(state_->abortFd);
    state_->abortFd = -1;
    return true;
}

#else  // built without libevdev: no device is ever read

struct InputDeviceReader::State {};

bool InputDeviceReader::Supported() {
    return false;
}
InputDeviceReader::InputDeviceReader(std::string folder) : folder_(std::move(folder)) {}
InputDeviceReader::~InputDeviceReader() = default;
int InputDeviceReader::Open() {
    return 0;
}
int InputDeviceReader::OpenCount() const {
    return 0;
}
bool InputDeviceReader::Start(Sink) {
    return false;
}
bool InputDeviceReader::Stop(uint32_t) {
    return true;
}
bool InputDeviceReader::Running() const {
    return false;
}

#endif

}  // namespace platform
