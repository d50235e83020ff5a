#include "panels/profiles/ProgramRules.h"

#include <algorithm>
#include <filesystem>

#include "panels/profiles/ProfileNames.h"
#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "profile/FileNames.h"
#include "profile/JsonFile.h"
#include "profile/Utf8.h"

namespace panels {
namespace {

constexpr size_t kMaxRulesFileBytes = 256u << 10;

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

// A bracket set starting after '[' at pattern[p]; end receives the index after ']'. False
// when the set is not closed (the '[' is then an ordinary character).
bool MatchSet(std::string_view pattern, size_t p, char c, bool& matched, size_t& end) {
    bool negate = false;
    if (p < pattern.size() && (pattern[p] == '!' || pattern[p] == '^')) {
        negate = true;
        ++p;
    }
    bool hit = false;
    bool first = true;
    const char lc = LowerAscii(c);
    while (p < pattern.size() && (pattern[p] != ']' || first)) {
        first = false;
        char low = LowerAscii(pattern[p]);
        char high = low;
        if (p + 2 < pattern.size() && pattern[p + 1] == '-' && pattern[p + 2] != ']') {
            high = LowerAscii(pattern[p + 2]);
            p += 2;
        }
        hit = hit || (lc >= low && lc <= high);
        ++p;
    }
    if (p >= pattern.size())
        return false;
    matched = hit != negate;
    end = p + 1;
    return true;
}

Json::Value RulesValue(const std::vector<ProgramRule>& rules) {
    Json::Value root(Json::objectValue);
    root["rules"] = Json::Value(Json::arrayValue);
    for (const ProgramRule& rule : rules) {
        Json::Value value(Json::objectValue);
        value["profileUUID"] = rule.profileId;
        value["programs"] = Json::Value(Json::arrayValue);
        for (const std::string& pattern : rule.patterns)
            value["programs"].append(pattern);
        root["rules"].append(value);
    }
    return root;
}

}  // namespace

PatternProblem CheckProgramPattern(std::string_view pattern) {
    if (IsBlankName(pattern))
        return PatternProblem::kEmpty;
    if (pattern.size() > kMaxPatternBytes)
        return PatternProblem::kTooLong;
    if (!profile::IsValidUtf8(std::string(pattern)))
        return PatternProblem::kBadText;
    for (char c : pattern) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return PatternProblem::kBadText;
    }
    return PatternProblem::kNone;
}

bool IsGlobPattern(std::string_view pattern) {
    return pattern.find_first_of("*?[") != std::string_view::npos;
}

bool GlobMatches(std::string_view pattern, std::string_view text) {
    // Iterative, with one back-track point per star: linear in practice, never exponential.
    size_t p = 0, t = 0;
    size_t starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starT = t;
            continue;
        }
        if (p < pattern.size()) {
            bool matched = false;
            size_t next = p + 1;
            if (pattern[p] == '?') {
                matched = true;
            } else if (pattern[p] == '[' && MatchSet(pattern, p + 1, text[t], matched, next)) {
                // matched and next set by the bracket set
            } else {
                matched = LowerAscii(pattern[p]) == LowerAscii(text[t]);
            }
            if (matched) {
                p = next;
                ++t;
                continue;
            }
        }
        if (starP == std::string_view::npos)
            return false;
        p = starP;
        t = ++starT;
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool PatternMatches(std::string_view pattern, const platform::RunningProgram& program) {
    if (!IsGlobPattern(pattern)) {
        return std::any_of(program.names.begin(), program.names.end(),
                           [&](const std::string& name) { return EqualNoCase(pattern, name); });
    }
    for (const std::string& name : program.names) {
        if (GlobMatches(pattern, name))
            return true;
    }
    return !program.commandLine.empty() && GlobMatches(pattern, program.commandLine);
}

ProgramRules::ProgramRules(std::string folder) : folder_(std::move(folder)) {}

bool ProgramRules::Load() {
    rules_.clear();
    const std::string path = Path();
    if (!platform::FileExists(path))
        return true;
    std::string text;
    Json::Value root;
    const bool read = platform::ReadWholeFile(path, text, kMaxRulesFileBytes);
    if (!read || !profile::ParseJsonText(text, root) || !root.isObject() ||
        !(root["rules"].isArray() || root["rules"].isNull())) {
        const std::string keep = profile::FreeBackupName(path);
        std::error_code error;
        std::filesystem::rename(path, keep, error);
        platform::TraceF("ProgramRules: \"%s\" is not a rules file; %s", path.c_str(),
                         error ? "it could not be moved aside" : ("kept as " + keep).c_str());
        return false;
    }
    const Json::Value& stored = root["rules"];
    for (Json::ArrayIndex i = 0; stored.isArray() && i < stored.size(); ++i) {
        const Json::Value& value = stored[i];
        const Json::Value& id = value.isObject() ? value["profileUUID"] : Json::Value();
        const Json::Value& programs = value.isObject() ? value["programs"] : Json::Value();
        if (!id.isString() || !IsSafeIdentifier(id.asString()) || !programs.isArray()) {
            platform::TraceF("ProgramRules: rule %u of \"%s\" is unusable; ignored", i,
                             path.c_str());
            continue;
        }
        auto rule = std::find_if(rules_.begin(), rules_.end(), [&](const ProgramRule& r) {
            return r.profileId == id.asString();
        });
        if (rule == rules_.end())
            rule = rules_.insert(rules_.end(), ProgramRule{id.asString(), {}});
        for (Json::ArrayIndex k = 0; k < programs.size(); ++k) {
            const Json::Value& pattern = programs[k];
            if (!pattern.isString() ||
                CheckProgramPattern(pattern.asString()) != PatternProblem::kNone) {
                platform::TraceF("ProgramRules: pattern %u of rule %u is unusable; ignored", k, i);
                continue;
            }
            const bool known = std::any_of(
                rule->patterns.begin(), rule->patterns.end(),
                [&](const std::string& p) { return EqualNoCase(p, pattern.asString()); });
            if (!known && rule->patterns.size() < kMaxPatternsPerProfile)
                rule->patterns.push_back(pattern.asString());
        }
    }
    std::erase_if(rules_, [](const ProgramRule& rule) { return rule.patterns.empty(); });
    return true;
}

std::vector<std::string> ProgramRules::PatternsOf(std::string_view profileId) const {
    for (const ProgramRule& rule : rules_) {
        if (rule.profileId == profileId)
            return rule.patterns;
    }
    return {};
}

ProgramRules::Change ProgramRules::Link(const std::string& profileId, const std::string& pattern) {
    if (!IsSafeIdentifier(profileId) || CheckProgramPattern(pattern) != PatternProblem::kNone)
        return Change::kBadPattern;
    Load();
    auto rule = std::find_if(rules_.begin(), rules_.end(),
                             [&](const ProgramRule& r) { return r.profileId == profileId; });
    if (rule == rules_.end())
        rule = rules_.insert(rules_.end(), ProgramRule{profileId, {}});
    for (const std::string& p : rule->patterns) {
        if (EqualNoCase(p, pattern))
            return Change::kUnchanged;
    }
    if (rule->patterns.size() >= kMaxPatternsPerProfile) {
        Load();
        return Change::kFull;
    }
    rule->patterns.push_back(pattern);
    if (!Write()) {
        Load();
        return Change::kWriteFailed;
    }
    return Change::kDone;
}

ProgramRules::Change ProgramRules::Unlink(const std::string& profileId,
                                          const std::string& pattern) {
    Load();
    bool removed = false;
    for (ProgramRule& rule : rules_) {
        if (rule.profileId == profileId)
            removed = std::erase_if(rule.patterns, [&](const std::string& p) {
                          return EqualNoCase(p, pattern);
                      }) > 0;
    }
    if (!removed)
        return Change::kUnchanged;
    std::erase_if(rules_, [](const ProgramRule& rule) { return rule.patterns.empty(); });
    if (!Write()) {
        Load();
        return Change::kWriteFailed;
    }
    return Change::kDone;
}

ProgramRules::Change ProgramRules::RemoveProfile(const std::string& profileId) {
    Load();
    if (std::erase_if(rules_, [&](const ProgramRule& r) { return r.profileId == profileId; }) == 0)
        return Change::kUnchanged;
    if (!Write()) {
        Load();
        return Change::kWriteFailed;
    }
    platform::TraceF("ProgramRules: the rules of deleted profile %s are removed",
                     profileId.c_str());
    return Change::kDone;
}

bool ProgramRules::Write() const {
    return profile::WriteJsonFile(Path(), RulesValue(rules_)) == 0;
}

}  // namespace panels
