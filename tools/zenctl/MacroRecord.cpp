#include "tools/zenctl/MacroRecord.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "panels/hook/HookTranslate.h"
#include "panels/hook/ScriptedInput.h"
#include "panels/macros/MacroEventList.h"
#include "panels/macros/MacroRecorder.h"
#include "platform/FileIO.h"

namespace zenctl {
namespace {

namespace macros = panels::macros;

constexpr int kRecordExitOk = 0;
constexpr int kRecordExitFailed = 1;
constexpr size_t kRecordScriptLargestBytes = 1u << 20;
constexpr const char* kRecordTrimmedKey = "message_text_26_1";
constexpr unsigned long long kRecordTypedCeiling = 1000000000ULL;

// One row of the macro page's event list: the event it stores (null for the empty row a full
// list gets) and the text of its delay edit, which the save reads.
struct RecordRow {
    Json::Value event;
    std::string delayText;
};

// The macro page's event list without a window: what the recorder changes and the save reads.
class RecordEventList final : public macros::IMacroEventList {
  public:
    explicit RecordEventList(const std::vector<Json::Value>& saved) {
        for (const Json::Value& event : saved)
            rows_.push_back({event, macros::LookOfEvent(event).delayText});
    }

    int RowCount() const override { return static_cast<int>(rows_.size()); }
    int SelectedRow() const override { return selected_; }
    void SelectRow(int index) override { selected_ = Has(index) ? index : -1; }
    void InsertEventRow(int index, const Json::Value& event,
                        const std::string& delayText) override {
        index = std::clamp(index, 0, RowCount());
        rows_.insert(rows_.begin() + index, RecordRow{event, delayText});
    }
    void AppendEmptyRow() override { rows_.push_back(RecordRow{}); }
    Json::Value RowEvent(int index) const override {
        return Has(index) ? rows_[static_cast<size_t>(index)].event : Json::Value();
    }
    void SetRowEvent(int index, const Json::Value& event) override {
        if (Has(index))
            rows_[static_cast<size_t>(index)].event = event;
    }
    void SetRowDelay(int index, uint16_t delay) override {
        if (!Has(index) || rows_[static_cast<size_t>(index)].event.isNull())
            return;
        RecordRow& row = rows_[static_cast<size_t>(index)];
        row.event["Delay"] = std::to_string(delay);
        row.delayText = std::to_string(delay);
    }
    void StartScrollTimer() override {}
    std::optional<ui::Rect> StopButtonScreenRect() const override { return std::nullopt; }

    // As the macro page saves: rows past the limit go (true when any did), the events up to
    // the first empty row are kept, each with the delay its edit shows.
    bool EventsToSave(std::vector<Json::Value>& events) {
        bool trimmed = false;
        while (rows_.size() > macros::kMaxMacroEvents) {
            rows_.pop_back();
            trimmed = true;
        }
        for (RecordRow& row : rows_) {
            if (row.event.isNull())
                break;
            if (row.delayText.empty())
                row.delayText.push_back('0');
            const unsigned long long typed = std::strtoull(row.delayText.c_str(), nullptr, 10);
            const unsigned long long delay = std::min<unsigned long long>(typed, 65535);
            events.push_back(
                macros::MakeEvent(macros::EventIsDown(row.event), macros::EventButton(row.event),
                                  macros::EventType(row.event), static_cast<long long>(delay)));
        }
        return trimmed;
    }

  private:
    bool Has(int index) const { return index >= 0 && index < RowCount(); }

    std::vector<RecordRow> rows_;
    int selected_ = -1;
};

// Feeds the script to the recorder with the script's times as the clock, from 0.
void PlayScript(const std::vector<panels::hook::ScriptedEvent>& script,
                macros::CMacroRecorder& recorder, RecordEventList& list) {
    for (const panels::hook::ScriptedEvent& ev : script) {
        const auto time = static_cast<uint32_t>(ev.atMs & 0xFFFFFFFFu);
        if (ev.isMouse) {
            if (const std::optional<panels::hook::HookInputEvent> hooked =
                    panels::hook::MakeButtonEvent(ev.message, ev.xButton, ev.x, ev.y, time))
                recorder.OnMouse(macros::RecordPlacement::kAppend, hooked->message, hooked->mouse,
                                 ev.atMs, list);
        } else {
            const panels::hook::HookInputEvent hooked = panels::hook::MakeScanKeyEvent(
                ev.scan, ev.extended, ev.message == platform::kHookKeyDown, time);
            recorder.OnKey(macros::RecordPlacement::kAppend, hooked.message, hooked.key, ev.atMs,
                           list);
        }
    }
}

void PrintRecorded(const std::vector<Json::Value>& events, size_t first, MacroTextLookup text) {
    std::printf("%-3s %-6s %-4s %-6s %-6s %s\n", "#", "action", "type", "button", "delay", "name");
    for (size_t e = first; e < events.size(); ++e) {
        const Json::Value& event = events[e];
        const macros::EventRowLook look = macros::LookOfEvent(event);
        std::string name = look.nameKey.empty() ? "-" : text(look.nameKey.c_str(), "");
        if (name.empty())
            name = look.nameKey;
        if (!look.actionText.empty())
            name += " " + look.actionText;
        std::printf("%-3zu %-6s %-4d 0x%02X   %-6u %s\n", e + 1,
                    macros::EventIsDown(event) ? "down" : "up", macros::EventType(event),
                    macros::EventButton(event), macros::EventDelay(event), name.c_str());
    }
}

}  // namespace

std::optional<MacroRecordOptions> ParseMacroRecordOptions(const std::vector<std::string>& words) {
    MacroRecordOptions options;
    options.timeMode = macros::kTimeReal;
    bool haveScript = false;
    bool haveTime = false;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i + 1 >= words.size())
            return std::nullopt;
        const std::string& value = words[++i];
        if (words[i - 1] == "--script" && !haveScript && !value.empty()) {
            options.script = value;
            haveScript = true;
        } else if (words[i - 1] == "--time" && !haveTime) {
            haveTime = true;
            if (value == "real") {
                options.timeMode = macros::kTimeReal;
            } else if (value == "ignore") {
                options.timeMode = macros::kTimeIgnore;
            } else if (value.rfind("fixed:", 0) == 0 && value.size() > 6) {
                options.timeMode = macros::kTimeFixed;
                for (size_t c = 6; c < value.size(); ++c) {
                    if (value[c] < '0' || value[c] > '9')
                        return std::nullopt;
                    // Saturating: any huge number is clamped the same way.
                    if (options.typedDelay <= kRecordTypedCeiling)
                        options.typedDelay =
                            options.typedDelay * 10 + static_cast<unsigned>(value[c] - '0');
                }
            } else {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!haveScript)
        return std::nullopt;
    return options;
}

int RecordMacro(const macros::MacroList& list, int index, const MacroRecordOptions& options,
                MacroTextLookup text) {
    std::string content;
    if (!platform::ReadWholeFile(options.script, content, kRecordScriptLargestBytes)) {
        std::fprintf(stderr, "macros record: %s cannot be read\n", options.script.c_str());
        return kRecordExitFailed;
    }
    const panels::hook::InputScript script = panels::hook::ParseInputScript(content);
    if (!script.error.empty()) {
        std::fprintf(stderr, "macros record: %s: %s\n", options.script.c_str(),
                     script.error.c_str());
        return kRecordExitFailed;
    }

    uint16_t fixedDelay = macros::kDefaultFixedDelay;
    if (options.timeMode == macros::kTimeFixed) {
        const macros::CMacroRecorder::FixedDelayChoice choice =
            macros::CMacroRecorder::ClampFixedDelay(options.typedDelay);
        if (choice.messageKey != nullptr)
            std::fprintf(
                stderr, "macros record: %s\n",
                text(choice.messageKey, "the fixed delay was brought into 10-65535 ms").c_str());
        fixedDelay = choice.delay;
    }

    const std::vector<Json::Value> saved = list.LoadEvents(index);
    RecordEventList rows(saved);
    macros::CMacroRecorder recorder;
    recorder.Start(options.timeMode, fixedDelay, 0);
    PlayScript(script.events, recorder, rows);

    std::vector<Json::Value> events;
    if (rows.EventsToSave(events))
        std::fprintf(stderr, "macros record: %s\n",
                     text(kRecordTrimmedKey, "a macro holds at most 60 events").c_str());
    const std::string& name = list.Entries()[static_cast<size_t>(index)].name;
    if (!list.SaveEvents(index, events)) {
        std::fprintf(stderr, "macros record: %s could not be saved\n", name.c_str());
        return kRecordExitFailed;
    }
    const size_t first = std::min(saved.size(), events.size());
    std::printf("recorded: %zu events into %s (now %zu events)\n", events.size() - first,
                name.c_str(), events.size());
    PrintRecorded(events, first, text);
    return kRecordExitOk;
}

}  // namespace zenctl
