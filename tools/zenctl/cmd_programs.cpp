// programs: what the program watcher sees now, and which rule would select a profile.
// profiles link|unlink|links|follow: the program links of the mouse's profiles.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "panels/profiles/FollowSetting.h"
#include "panels/profiles/ProfileListFile.h"
#include "panels/profiles/ProfileNames.h"
#include "panels/profiles/ProgramRules.h"
#include "panels/profiles/ProgramSwitch.h"
#include "platform/Folders.h"
#include "platform/ProcessWatcher.h"
#include "tools/zenctl/Command.h"
#include "tools/zenctl/ProfileLinks.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

constexpr const char* kLinksMouseFolder = "mouse";
constexpr int kLinksExitFailed = 1;

std::string MouseFolder() {
    return platform::DeviceDataFolder(kLinksMouseFolder);
}

std::string NameOfId(const panels::ProfileListFile& list, const std::string& id) {
    for (const panels::ProfileEntry& entry : list.Entries()) {
        if (entry.id == id)
            return entry.name;
    }
    return {};
}

// A profile by its name (without regard to case) or its number from 1; -1 after a message.
int ProfileByName(const panels::ProfileListFile& list, const std::string& text) {
    for (int i = 0; i < list.Count(); ++i) {
        if (panels::SameProfileName(list.Entries()[static_cast<size_t>(i)].name, text))
            return i;
    }
    unsigned long number = 0;
    if (ParseUnsigned(text, 1000, number) && number >= 1 &&
        number <= static_cast<unsigned long>(list.Count()))
        return static_cast<int>(number) - 1;
    std::fprintf(stderr, "profiles: no profile named %s\n", text.c_str());
    return -1;
}

const char* ChangeText(panels::ProgramRules::Change change) {
    using Change = panels::ProgramRules::Change;
    switch (change) {
        case Change::kDone:
            return "done";
        case Change::kUnchanged:
            return "unchanged";
        case Change::kBadPattern:
            return "not a usable pattern (a program's name, or a glob such as *steam_app_730*; "
                   "at most 200 bytes)";
        case Change::kFull:
            return "the profile has 32 links already";
        case Change::kWriteFailed:
            return "the rules could not be written";
    }
    return "failed";
}

bool FollowOn(const panels::ProgramRules& rules) {
    return panels::FollowEnabled(panels::StoredFollowChoice(), !rules.Empty());
}

void PrintLinks(const panels::ProfileListFile& list, const panels::ProgramRules& rules) {
    std::printf("following programs: %s\n", FollowOn(rules) ? "on" : "off");
    if (rules.Empty())
        std::printf("no program is linked to a profile\n");
    for (const panels::ProgramRule& rule : rules.Rules()) {
        const std::string name = NameOfId(list, rule.profileId);
        std::printf("%-16s",
                    name.empty() ? ("(missing " + rule.profileId + ")").c_str() : name.c_str());
        for (const std::string& pattern : rule.patterns)
            std::printf("  %s", pattern.c_str());
        std::printf("\n");
    }
}

int RunPrograms(const std::vector<std::string>& args, const Options&) {
    if (!args.empty()) {
        std::fprintf(stderr, "usage: t418-zenctl programs\n");
        return kExitUsage;
    }
    panels::ProfileListFile list(MouseFolder(),
                                 platform::DefaultDataFolder() + kLinksMouseFolder + ".Json");
    list.Load();
    panels::ProgramRules rules(MouseFolder());
    rules.Load();
    std::vector<platform::RunningProgram> programs = platform::ListRunningPrograms();
    std::sort(programs.begin(), programs.end(),
              [](const auto& a, const auto& b) { return a.pid < b.pid; });
    const std::vector<panels::ProgramLink> links = panels::FindLinks(programs, rules.Rules());
    for (const platform::RunningProgram& program : programs) {
        std::string command = program.commandLine.substr(0, 60);
        std::printf("%7d  %-20s %s", program.pid, program.Name().c_str(), command.c_str());
        for (const panels::ProgramLink& link : links) {
            if (link.pid != program.pid)
                continue;
            const std::string name = NameOfId(list, link.profileId);
            std::printf("   -> %s (%s)",
                        name.empty() ? ("missing profile " + link.profileId).c_str() : name.c_str(),
                        link.pattern.c_str());
        }
        std::printf("\n");
    }
    std::vector<std::string> ids;
    for (const panels::ProfileEntry& entry : list.Entries())
        ids.push_back(entry.id);
    const std::optional<panels::ProgramLink> winner = panels::WinningLink(links, ids);
    if (!FollowOn(rules))
        std::printf("following programs is off: the chosen profile %s applies\n",
                    NameOfId(list, list.SelectedId()).c_str());
    else if (winner)
        std::printf("applies: %s — for %s (pid %d)\n", NameOfId(list, winner->profileId).c_str(),
                    winner->program.c_str(), winner->pid);
    else
        std::printf("applies: the chosen profile %s (no linked program runs)\n",
                    NameOfId(list, list.SelectedId()).c_str());
    return kExitOk;
}

const CommandRegistration registration({"programs", "programs",
                                        "the running programs and the profile rule that applies",
                                        RunPrograms});

}  // namespace

void ForgetProfileLinks(const std::string& id) {
    panels::ProgramRules rules(MouseFolder());
    if (rules.RemoveProfile(id) == panels::ProgramRules::Change::kDone)
        std::printf("its program links are removed\n");
}

int RunProfileLinks(const std::vector<std::string>& args, panels::ProfileListFile& list) {
    const std::string& verb = args[0];
    panels::ProgramRules rules(MouseFolder());
    if (verb == "links" && args.size() == 1) {
        rules.Load();
        PrintLinks(list, rules);
        return kExitOk;
    }
    if (verb == "follow" && args.size() == 2 && (args[1] == "on" || args[1] == "off")) {
        if (!panels::StoreFollowChoice(args[1] == "on")) {
            std::fprintf(stderr, "profiles follow: the choice could not be stored\n");
            return kLinksExitFailed;
        }
        std::printf("following programs: %s\n", args[1].c_str());
        return kExitOk;
    }
    if ((verb != "link" && verb != "unlink") || args.size() != 3)
        return -1;
    const int index = ProfileByName(list, args[1]);
    if (index < 0)
        return kExitUsage;
    const panels::ProfileEntry& entry = list.Entries()[static_cast<size_t>(index)];
    const panels::ProgramRules::Change change =
        verb == "link" ? rules.Link(entry.id, args[2]) : rules.Unlink(entry.id, args[2]);
    if (change != panels::ProgramRules::Change::kDone &&
        change != panels::ProgramRules::Change::kUnchanged) {
        std::fprintf(stderr, "profiles %s: %s\n", verb.c_str(), ChangeText(change));
        return kLinksExitFailed;
    }
    std::printf("%s: %s %s %s (%s)\n", verb == "link" ? "linked" : "unlinked", entry.name.c_str(),
                verb == "link" ? "<-" : "-/-", args[2].c_str(), ChangeText(change));
    return kExitOk;
}

}  // namespace zenctl
