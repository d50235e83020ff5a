#include "platform/Trace.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace platform {
namespace {

std::mutex& CapturesMutex() {
    static std::mutex m;
    return m;
}

std::vector<TraceCapture*>& Captures() {
    static std::vector<TraceCapture*> captures;
    return captures;
}

}  // namespace

void Trace(std::string_view text) {
    {
        std::lock_guard<std::mutex> lock(CapturesMutex());
        for (TraceCapture* capture : Captures())
            capture->Append(text);
    }
    detail::WriteDebugOutput(text);
}

void TraceF(const char* format, ...) {
    char buffer[4096];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0)
        return;
    Trace(std::string_view(buffer, std::min<size_t>(static_cast<size_t>(n), sizeof buffer - 1)));
}

TraceCapture::TraceCapture() {
    std::lock_guard<std::mutex> lock(CapturesMutex());
    Captures().push_back(this);
}

TraceCapture::~TraceCapture() {
    std::lock_guard<std::mutex> lock(CapturesMutex());
    auto& captures = Captures();
    captures.erase(std::remove(captures.begin(), captures.end(), this), captures.end());
}

std::vector<std::string> TraceCapture::Lines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

bool TraceCapture::Contains(std::string_view fragment) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::any_of(lines_.begin(), lines_.end(), [&](const std::string& line) {
        return line.find(fragment) != std::string::npos;
    });
}

void TraceCapture::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.clear();
}

void TraceCapture::Append(std::string_view line) {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.emplace_back(line);
}

}  // namespace platform
