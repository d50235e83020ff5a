#pragma once
// The links between a device's profiles and the programs that select them, in a file of
// their own in the device's user data folder ("ProgramRules.json"), so that the profile list
// and the profile files keep exactly their own format:
//
//   { "rules" : [ { "profileUUID" : "2026_...", "programs" : [ "cs2", "*steam_app_730*" ] } ] }
//
// A pattern without a wildcard is a program's name; one with `*`, `?` or `[...]` is a glob on
// the program's name or its command line. Both match without regard to (ASCII) case.
// The file is read checked and written atomically; a missing file means no rules, an
// unusable one is moved aside ("<name>.<time>.bad") and means no rules too.
// Threads: one thread at a time (the window thread in the program).
#include <string>
#include <string_view>
#include <vector>

#include "platform/ProcessWatcher.h"

namespace panels {

constexpr const char* kProgramRulesFileName = "ProgramRules.json";
constexpr size_t kMaxPatternBytes = 200;
constexpr size_t kMaxPatternsPerProfile = 32;

struct ProgramRule {
    std::string profileId;  // "profileUUID" of the profile list
    std::vector<std::string> patterns;
};

enum class PatternProblem { kNone, kEmpty, kTooLong, kBadText };
// Empty or only blanks, longer than kMaxPatternBytes, or not printable UTF-8.
PatternProblem CheckProgramPattern(std::string_view pattern);
bool IsGlobPattern(std::string_view pattern);
// `*` any run, `?` one byte, `[abc]` / `[a-z]` / `[!a]` one of a set; ASCII case ignored.
bool GlobMatches(std::string_view pattern, std::string_view text);
// A name pattern equals one of the program's names; a glob matches a name or the command line.
bool PatternMatches(std::string_view pattern, const platform::RunningProgram& program);

class ProgramRules {
  public:
    enum class Change { kDone, kUnchanged, kBadPattern, kFull, kWriteFailed };

    // folder ends with the path separator.
    explicit ProgramRules(std::string folder);

    // Reads the file. False when it was unusable (moved aside; no rules now).
    bool Load();
    std::string Path() const { return folder_ + kProgramRulesFileName; }

    const std::vector<ProgramRule>& Rules() const { return rules_; }
    bool Empty() const { return rules_.empty(); }
    std::vector<std::string> PatternsOf(std::string_view profileId) const;

    // Each reads the file first and writes it at once. Link of a pattern the profile has
    // (without regard to case), Unlink of one it has not: kUnchanged.
    Change Link(const std::string& profileId, const std::string& pattern);
    Change Unlink(const std::string& profileId, const std::string& pattern);
    // Every rule of a profile that is gone; kUnchanged when it had none.
    Change RemoveProfile(const std::string& profileId);

  private:
    bool Write() const;

    std::string folder_;
    std::vector<ProgramRule> rules_;
};

}  // namespace panels
