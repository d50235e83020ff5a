#pragma once
// Which profile a device should show, given the programs running, the program rules, the
// profile the user chose and what happened before. Pure: time comes in as a number, and the
// caller carries the decision out (the profile-select steps) and reports it back.
//
// - The linked program that started last wins; a rule naming a profile that is not in the
//   list does nothing (the decision lists it once, for the trace).
// - With no linked program running (or the feature off) the user's own choice applies.
// - A profile the user chooses while linked programs run holds until those programs end;
//   a linked program started after the choice applies as usual.
// - Never two switches within kMinGapMs (a program restarting in a loop), and never while
//   an upload is in progress: the decision then says when to look again.
// t418-zenctl asks the same questions through WinningLink.
// Threads: one thread at a time.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "panels/profiles/ProgramRules.h"
#include "platform/ProcessWatcher.h"

namespace panels {

struct ProgramLink {
    int pid = 0;
    std::string program;  // the program's name to show
    std::string pattern;  // the pattern that matched
    std::string profileId;
    uint64_t started = 0;
};

// Every running program a rule matches, with the first matching rule in file order.
std::vector<ProgramLink> FindLinks(const std::vector<platform::RunningProgram>& programs,
                                   const std::vector<ProgramRule>& rules);
// The link that applies among these: the program that started last (the larger pid on a tie)
// whose profile is one of profileIds.
std::optional<ProgramLink> WinningLink(const std::vector<ProgramLink>& links,
                                       const std::vector<std::string>& profileIds);

class ProgramSwitchPolicy {
  public:
    static constexpr uint64_t kMinGapMs = 1000;

    struct Situation {
        std::vector<platform::RunningProgram> programs;
        std::vector<ProgramRule> rules;
        std::vector<std::string> profileIds;  // the profiles of the list
        std::string userProfileId;            // the list's stored selection
        bool enabled = true;
        bool uploading = false;
        uint64_t nowMs = 0;
    };
    enum class Kind { kStay, kSwitch, kWait };
    struct Decision {
        Kind kind = Kind::kStay;
        std::string profileId;             // kSwitch: the profile to select
        std::optional<ProgramLink> link;   // the rule behind it; none: the user's choice
        uint64_t retryAtMs = 0;            // kWait: look again then (the upload: soon)
        std::vector<ProgramLink> missing;  // newly seen links to profiles not in the list
    };

    // The device loaded profileId by itself (connect, page built): nothing to undo.
    void Reset(const std::string& profileId);
    Decision Decide(const Situation& situation);
    // The caller carried out a kSwitch decision at nowMs.
    void Switched(const Decision& decision, uint64_t nowMs);
    // The user chose profileId at nowMs: the linked programs running now are held.
    void UserChose(const std::string& profileId, const Situation& situation);

    const std::string& Active() const { return active_; }
    // The rule behind the active profile, while one is.
    const std::optional<ProgramLink>& ActiveLink() const { return activeLink_; }

  private:
    std::string active_;
    std::optional<ProgramLink> activeLink_;
    std::set<int> held_;
    std::set<std::pair<int, std::string>> reportedMissing_;
    std::optional<uint64_t> lastSwitchMs_;
};

}  // namespace panels
