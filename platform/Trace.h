#pragma once
// Debug trace: fire-and-forget lines for developers. On Linux they reach stderr when
// T418_ZEN_TRACE is set; tests can capture them in-process with TraceCapture.
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Compiler.h"

namespace platform {

// Writes one line as it is (no stamp, no line end added by the caller).
void Trace(std::string_view text);

// printf-style convenience; the result is cut at 4096 bytes.
void TraceF(const char* format, ...) T418_PRINTF_FORMAT(1, 2);

// Collects every traced line while it lives (nesting is allowed; each capture sees all lines).
class TraceCapture {
  public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::vector<std::string> Lines() const;
    bool Contains(std::string_view fragment) const;
    void Clear();

    void Append(std::string_view line);  // called by Trace

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

namespace detail {
// The platform's debug output channel (stderr on Linux when enabled).
void WriteDebugOutput(std::string_view text);
}  // namespace detail

}  // namespace platform
