#pragma once
// macros record: appends the key and mouse-button events of an input script to a macro through
// the program's recorder, over an event list that keeps rows as the macro page does, and
// saves them as the macro page's save would.
//
// Threads: the command's thread only.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "panels/macros/MacroFiles.h"

namespace zenctl {

struct MacroRecordOptions {
    std::string script;  // --script FILE
    int timeMode = 0;    // panels::macros::kTime*
    // fixed:N as typed (saturating); brought into range when the recording starts.
    unsigned long long typedDelay = 0;
};

// The words after "record NAME": --script FILE [--time real|fixed:N|ignore]. Nothing on wrong
// usage.
std::optional<MacroRecordOptions> ParseMacroRecordOptions(const std::vector<std::string>& words);

// The English text of a language key, or fallback when there is none.
using MacroTextLookup = std::string (*)(const char* key, const char* fallback);

// Records the script into macro index of list and saves it; the exit code (0 saved, 1 the
// script is unusable or the file cannot be written: the macro is then unchanged).
int RecordMacro(const panels::macros::MacroList& list, int index, const MacroRecordOptions& options,
                MacroTextLookup text);

}  // namespace zenctl
