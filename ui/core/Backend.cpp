#include "ui/core/Backend.h"

#include <atomic>
#include <cstdlib>

#include "platform/Trace.h"

namespace ui {
namespace {
std::atomic<Backend*> g_backend{nullptr};
}

Backend& GetBackend() {
    Backend* backend = g_backend.load();
    if (!backend) {
        platform::Trace("ui: no realisation installed");
        std::abort();
    }
    return *backend;
}

void SetBackend(Backend* backend) {
    g_backend.store(backend);
}

bool HasBackend() {
    return g_backend.load() != nullptr;
}

}  // namespace ui
