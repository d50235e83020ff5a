#include <map>
#include <mutex>

#include "platform/BusFolder.h"
#include "platform/FileIO.h"
#include "platform/FileLock.h"
#include "platform/MessageBus.h"
#include "platform/MessageNames.h"
#include "platform/Trace.h"

namespace platform {
namespace {

constexpr size_t kMaxTableBytes = 4u << 20;

// Numbers never change once handed out in a session, so each process remembers them.
std::mutex& CacheMutex() {
    static std::mutex m;
    return m;
}

std::map<std::string, uint32_t>& Cache() {
    static std::map<std::string, uint32_t> cache;
    return cache;
}

uint32_t RegisterInTable(std::string_view name) {
    if (!detail::EnsureBusFolder())
        return 0;
    const std::string path = BusFolder() + "messages";
    FileLock lock(BusFolder() + "messages.lock", FileLock::Mode::Wait);
    if (!lock.Held())
        return 0;
    std::string text;
    if (FileExists(path) && !ReadWholeFile(path, text, kMaxTableBytes)) {
        TraceF("RegisterMessage: the name table %s cannot be read", path.c_str());
        return 0;
    }
    message_names::Table table;
    if (int skipped = table.Parse(text))
        TraceF("RegisterMessage: %d damaged line(s) in %s skipped", skipped, path.c_str());
    if (uint32_t known = table.Find(name))
        return known;
    uint32_t number = table.Add(name);
    if (number == 0) {
        TraceF("RegisterMessage: the name table is full");
        return 0;
    }
    if (!WriteFileAtomic(path, table.Serialise()))
        return 0;
    return number;
}

}  // namespace

uint32_t RegisterMessage(std::string_view name) {
    if (!message_names::ValidName(name))
        return 0;
    // Keyed by the bus folder too: a process that changes its session folder starts afresh.
    std::string folded = BusFolder() + '\n' + message_names::Fold(name);
    std::lock_guard<std::mutex> guard(CacheMutex());
    auto it = Cache().find(folded);
    if (it != Cache().end())
        return it->second;
    uint32_t number = RegisterInTable(name);
    if (number != 0)
        Cache()[folded] = number;
    return number;
}

}  // namespace platform
