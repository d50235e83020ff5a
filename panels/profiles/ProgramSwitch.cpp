#include "panels/profiles/ProgramSwitch.h"

#include <algorithm>

namespace panels {

std::vector<ProgramLink> FindLinks(const std::vector<platform::RunningProgram>& programs,
                                   const std::vector<ProgramRule>& rules) {
    std::vector<ProgramLink> links;
    for (const platform::RunningProgram& program : programs) {
        bool found = false;
        for (const ProgramRule& rule : rules) {
            for (const std::string& pattern : rule.patterns) {
                if (!PatternMatches(pattern, program))
                    continue;
                links.push_back(
                    {program.pid, program.Name(), pattern, rule.profileId, program.started});
                found = true;
                break;
            }
            if (found)
                break;
        }
    }
    return links;
}

std::optional<ProgramLink> WinningLink(const std::vector<ProgramLink>& links,
                                       const std::vector<std::string>& profileIds) {
    std::optional<ProgramLink> best;
    for (const ProgramLink& link : links) {
        if (std::find(profileIds.begin(), profileIds.end(), link.profileId) == profileIds.end())
            continue;
        if (!best || link.started > best->started ||
            (link.started == best->started && link.pid > best->pid))
            best = link;
    }
    return best;
}

void ProgramSwitchPolicy::Reset(const std::string& profileId) {
    active_ = profileId;
    activeLink_.reset();
    held_.clear();
}

ProgramSwitchPolicy::Decision ProgramSwitchPolicy::Decide(const Situation& s) {
    Decision decision;
    std::set<int> running;
    for (const platform::RunningProgram& program : s.programs)
        running.insert(program.pid);
    std::erase_if(held_, [&](int pid) { return !running.contains(pid); });
    std::erase_if(reportedMissing_,
                  [&](const auto& seen) { return !running.contains(seen.first); });

    std::optional<ProgramLink> winner;
    if (s.enabled) {
        std::vector<ProgramLink> links = FindLinks(s.programs, s.rules);
        std::erase_if(links, [&](const ProgramLink& link) { return held_.contains(link.pid); });
        for (const ProgramLink& link : links) {
            const bool listed = std::find(s.profileIds.begin(), s.profileIds.end(),
                                          link.profileId) != s.profileIds.end();
            if (!listed && reportedMissing_.emplace(link.pid, link.profileId).second)
                decision.missing.push_back(link);
        }
        winner = WinningLink(links, s.profileIds);
    }
    const std::string target = winner ? winner->profileId : s.userProfileId;
    if (target.empty() || target == active_) {
        if (!target.empty())
            activeLink_ = winner;
        return decision;
    }
    decision.profileId = target;
    decision.link = winner;
    if (s.uploading) {
        decision.kind = Kind::kWait;
        decision.retryAtMs = s.nowMs;
        return decision;
    }
    if (lastSwitchMs_ && s.nowMs - *lastSwitchMs_ < kMinGapMs) {
        decision.kind = Kind::kWait;
        decision.retryAtMs = *lastSwitchMs_ + kMinGapMs;
        return decision;
    }
    decision.kind = Kind::kSwitch;
    return decision;
}

void ProgramSwitchPolicy::Switched(const Decision& decision, uint64_t nowMs) {
    active_ = decision.profileId;
    activeLink_ = decision.link;
    lastSwitchMs_ = nowMs;
}

void ProgramSwitchPolicy::UserChose(const std::string& profileId, const Situation& s) {
    active_ = profileId;
    activeLink_.reset();
    lastSwitchMs_ = s.nowMs;
    held_.clear();
    if (!s.enabled)
        return;
    for (const ProgramLink& link : FindLinks(s.programs, s.rules))
        held_.insert(link.pid);
}

}  // namespace panels
