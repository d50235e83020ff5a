#include "panels/hook/ScriptedInput.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "ui/core/Backend.h"

namespace panels::hook {
namespace {

constexpr uint64_t kScriptLongestMs = 24ull * 3600 * 1000;
constexpr size_t kScriptLargestBytes = 1u << 20;

bool ParseScriptNumber(const std::string& word, int base, long long low, long long high,
                       long long& out) {
    if (word.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(word.c_str(), &end, base);
    if (errno != 0 || end == nullptr || *end != '\0' || value < low || value > high)
        return false;
    out = value;
    return true;
}

bool IsHexWord(const std::string& word) {
    return word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
}

// One line's event after its time; an empty optional on anything malformed.
std::optional<ScriptedEvent> ParseScriptEvent(std::istringstream& in) {
    std::string kind;
    in >> kind;
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    ScriptedEvent ev;
    long long value = 0;
    if (kind == "key") {
        if (words.size() < 2 || words.size() > 3)
            return std::nullopt;
        if (words[0] != "down" && words[0] != "up")
            return std::nullopt;
        if (!IsHexWord(words[1]) || !ParseScriptNumber(words[1], 16, 1, 0xFF, value))
            return std::nullopt;
        if (words.size() == 3 && words[2] != "ext")
            return std::nullopt;
        ev.message = words[0] == "down" ? platform::kHookKeyDown : platform::kHookKeyUp;
        ev.scan = static_cast<uint32_t>(value);
        ev.extended = words.size() == 3;
        return ev;
    }
    if (kind != "mouse" || words.empty())
        return std::nullopt;
    if (!IsHexWord(words[0]) || !ParseScriptNumber(words[0], 16, 0, 0xFFFF, value) ||
        !platform::IsHookMouseMessage(static_cast<uint32_t>(value)))
        return std::nullopt;
    ev.isMouse = true;
    ev.message = static_cast<uint32_t>(value);
    size_t at = 1;
    const bool isX = ev.message == platform::kHookXDown || ev.message == platform::kHookXUp;
    if (isX) {
        if (words.size() < 2 || (words[1] != "x1" && words[1] != "x2"))
            return std::nullopt;
        ev.xButton = words[1] == "x1" ? platform::kHookXButton1 : platform::kHookXButton2;
        at = 2;
    }
    const size_t left = words.size() - at;
    if (left == 2) {
        long long x = 0;
        long long y = 0;
        if (!ParseScriptNumber(words[at], 10, -1000000, 1000000, x) ||
            !ParseScriptNumber(words[at + 1], 10, -1000000, 1000000, y))
            return std::nullopt;
        ev.hasPosition = true;
        ev.x = static_cast<int32_t>(x);
        ev.y = static_cast<int32_t>(y);
    } else if (left != 0) {
        return std::nullopt;
    }
    return ev;
}

}  // namespace

InputScript ParseInputScript(const std::string& text) {
    InputScript script;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    uint64_t last = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        std::istringstream in(line);
        std::string time;
        in >> time;
        long long ms = 0;
        std::optional<ScriptedEvent> ev;
        if (ParseScriptNumber(time, 10, 0, static_cast<long long>(kScriptLongestMs), ms))
            ev = ParseScriptEvent(in);
        if (!ev || static_cast<uint64_t>(ms) < last) {
            script.events.clear();
            script.error = "line " + std::to_string(number) + ": " + line;
            return script;
        }
        ev->atMs = static_cast<uint64_t>(ms);
        last = ev->atMs;
        script.events.push_back(*ev);
    }
    return script;
}

ScriptedInput::ScriptedInput(std::vector<ScriptedEvent> events) : events_(std::move(events)) {}

ScriptedInput::~ScriptedInput() {
    if (timer_ != 0 && ui::HasBackend())
        ui::GetBackend().StopTimer(timer_);
}

std::shared_ptr<ScriptedInput> ScriptedInput::FromFile(const std::string& path) {
    std::string text;
    if (!platform::ReadWholeFile(path, text, kScriptLargestBytes)) {
        platform::TraceF("ScriptedInput: %s cannot be read", path.c_str());
        return nullptr;
    }
    InputScript script = ParseInputScript(text);
    if (!script.error.empty()) {
        platform::TraceF("ScriptedInput: %s refused at %s", path.c_str(), script.error.c_str());
        return nullptr;
    }
    return std::make_shared<ScriptedInput>(std::move(script.events));
}

bool ScriptedInput::Begin() {
    if (!ui::HasBackend())
        return false;
    next_ = 0;
    startMs_ = ui::GetBackend().NowMs();
    Arm();
    return true;
}

void ScriptedInput::End() {
    if (timer_ != 0)
        ui::GetBackend().StopTimer(timer_);
    timer_ = 0;
}

void ScriptedInput::Arm() {
    if (timer_ != 0)
        ui::GetBackend().StopTimer(timer_);
    timer_ = 0;
    if (next_ >= events_.size())
        return;
    const uint64_t now = ui::GetBackend().NowMs();
    const uint64_t due = startMs_ + events_[next_].atMs;
    const uint64_t wait = due > now ? due - now : 0;
    // A sink may drop the last owner of this source while it is played to.
    std::weak_ptr<ScriptedInput> weak = weak_from_this();
    timer_ = ui::GetBackend().StartTimer(static_cast<uint32_t>(wait), [weak] {
        if (std::shared_ptr<ScriptedInput> self = weak.lock())
            self->OnTimer();
    });
}

void ScriptedInput::OnTimer() {
    ui::Backend& backend = ui::GetBackend();
    backend.StopTimer(timer_);
    timer_ = 0;
    const uint64_t now = backend.NowMs();
    // Every event that is due, in order; a sink may stop the source between two of them.
    while (Producing() && next_ < events_.size() && startMs_ + events_[next_].atMs <= now) {
        const ScriptedEvent ev = events_[next_++];
        const auto time = static_cast<uint32_t>(now & 0xFFFFFFFFu);
        if (ev.isMouse) {
            ui::Point at{ev.x, ev.y};
            if (!ev.hasPosition)
                at = backend.CursorPos();
            if (std::optional<HookInputEvent> hooked =
                    MakeButtonEvent(ev.message, ev.xButton, at.x, at.y, time))
                DeliverMouse(hooked->message, hooked->mouse);
        } else {
            const HookInputEvent hooked =
                MakeScanKeyEvent(ev.scan, ev.extended, ev.message == platform::kHookKeyDown, time);
            DeliverKey(hooked.message, hooked.key);
        }
    }
    if (Producing())
        Arm();
}

}  // namespace panels::hook
