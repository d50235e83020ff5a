#include "panels/profiles/ProfileNames.h"

#include "profile/Utf8.h"
#include "ui/core/StringUtil.h"

namespace panels {
namespace {

bool NameFree(const std::string& name, const std::vector<std::string>& names) {
    return !NameTaken(name, names);
}

}  // namespace

bool SameProfileName(std::string_view a, std::string_view b) {
    return ui::EqualsNoCase(a, b);
}

bool NameTaken(std::string_view name, const std::vector<std::string>& names) {
    for (const std::string& other : names) {
        if (SameProfileName(name, other))
            return true;
    }
    return false;
}

bool HasForbiddenCharacter(std::string_view name) {
    return name.find_first_of("<>:\" /\\|?#%&*=") != std::string_view::npos;
}

bool IsBlankName(std::string_view name) {
    // The edit turns tabs into spaces; the spaces a user can still type are these.
    constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
    constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    size_t i = 0;
    while (i < name.size()) {
        if (name.substr(i, kNoBreakSpace.size()) == kNoBreakSpace)
            i += kNoBreakSpace.size();
        else if (name.substr(i, kIdeographicSpace.size()) == kIdeographicSpace)
            i += kIdeographicSpace.size();
        else if (std::string_view(" \t\r\n\v\f").find(name[i]) != std::string_view::npos)
            ++i;
        else
            return false;
    }
    return true;
}

size_t Utf8Length(std::string_view text) {
    size_t count = 0;
    for (unsigned char c : text) {
        // Every byte but a continuation byte starts a character.
        if ((c & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

NameProblem CheckTypedName(std::string_view name) {
    if (name.empty())
        return NameProblem::kEmpty;
    if (name.size() > kMaxNameBytes)
        return NameProblem::kTooLong;
    if (HasForbiddenCharacter(name) || !profile::IsValidUtf8(name))
        return NameProblem::kForbidden;
    return NameProblem::kNone;
}

std::string NameForNewProfile(const std::vector<std::string>& names) {
    std::string name = "Profile1";
    for (size_t n = 2; !NameFree(name, names); ++n)
        name = "profile" + std::to_string(n);
    return name;
}

std::string NameForCopy(const std::string& source, const std::vector<std::string>& names) {
    std::string name = source + " copy";
    while (!NameFree(name, names))
        name += " copy";
    return name;
}

std::string NameForImport(const std::string& base, const std::vector<std::string>& names) {
    std::string name = base;
    for (size_t n = 1; !NameFree(name, names); ++n)
        name = base + "(" + std::to_string(n) + ")";
    return name;
}

bool IsSafeIdentifier(std::string_view id) {
    if (id.empty() || id.size() > 100)
        return false;
    for (char c : id) {
        const bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                        (c >= 'A' && c <= 'Z') || c == '_' || c == '-' || c == '{' || c == '}';
        if (!ok)
            return false;
    }
    return true;
}

}  // namespace panels
