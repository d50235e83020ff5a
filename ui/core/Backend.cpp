#include "ui/core/Backend.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <shared_mutex>

#include "platform/Trace.h"
#include "ui/core/ThreadCheck.h"

namespace ui {
namespace {

std::atomic<Backend*> g_backend{nullptr};

// Wakes from other threads hold it shared; a replacement holds it alone, so no wake can
// still be inside a realisation that SetBackend has let go.
std::shared_mutex& WakeLock() {
    static std::shared_mutex* lock = new std::shared_mutex;  // threads may wake at exit
    return *lock;
}

}  // namespace

Backend& GetBackend() {
    UI_ASSERT_WINDOW_THREAD("ui::GetBackend");
    Backend* backend = g_backend.load();
    if (!backend) {
        platform::Trace("ui: no realisation installed");
        std::abort();
    }
    return *backend;
}

void SetBackend(Backend* backend) {
    UI_ASSERT_WINDOW_THREAD("ui::SetBackend");
    if (backend != nullptr)
        backend->SetWakeHandler(&detail::HandleWake);
    std::unique_lock lock(WakeLock());
    g_backend.store(backend);
}

bool HasBackend() {
    return g_backend.load() != nullptr;
}

namespace detail {

bool WakeBackend() {
    std::shared_lock lock(WakeLock());
    Backend* backend = g_backend.load();
    if (backend == nullptr)
        return false;
    backend->Wake();
    return true;
}

}  // namespace detail

}  // namespace ui
