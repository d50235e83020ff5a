#pragma once
// The log file: a few chosen events about device presence and state, kept across runs in
// "R207QX-ACE/Linkhive.log" under the local application-data folder, one stamped line each.
// Fire-and-forget: no failure reaches the caller.
// Threads: any; lines are written whole, one at a time.
#include <functional>
#include <string>
#include <string_view>

#include "platform/LocalTime.h"

namespace platform {

// A log that has grown past this many bytes is emptied before the next line is written.
constexpr long kLogSizeLimit = 4194304;

// Appends "<stamp><message>\n". The folder is never created: while it is missing, each call
// prints "unable to open log file" on standard output and writes nothing. Calls are serialised.
void Log(std::string_view message);

// The full path of the log file.
std::string LogFilePath();

// "%4d-%02d-%02d-%02d-%02d-%02d:" of the given time.
std::string LogStamp(const LocalTime& time);

namespace testing {
// Replaces the clock Log stamps its lines with; an empty function restores the real one.
void SetLogClock(std::function<LocalTime()> clock);
}  // namespace testing

}  // namespace platform
