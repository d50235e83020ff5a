#pragma once
// The naming rules of profiles: what a name given by the user may hold, how names compare,
// and the names the list gives new, copied and imported profiles. Pure; any thread.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace panels {

// At most this many profiles in a device's list.
constexpr size_t kMaxProfiles = 50;
// A name given by renaming: at most this many bytes in UTF-8.
constexpr size_t kMaxNameBytes = 16;
// An imported file's title (its name without folder and extension): at most this many
// characters.
constexpr size_t kMaxImportTitleChars = 16;

// Names compare without regard to case. Only ASCII letters are folded: the list files
// come from the program's own names, which are ASCII unless the user typed others, and
// a name that differs in the case of a non-ASCII letter is still a different file name.
bool SameProfileName(std::string_view a, std::string_view b);
// True when one of names is the same as name.
bool NameTaken(std::string_view name, const std::vector<std::string>& names);

// One of the fourteen characters a name must not hold: < > : " space / \ | ? # % & * =
bool HasForbiddenCharacter(std::string_view name);
// Empty, or only white space: ASCII space, tab, line ends, vertical tab, form feed, the
// no-break space and the ideographic space.
bool IsBlankName(std::string_view name);
// Characters (code points) of UTF-8 text; a malformed byte counts as one.
size_t Utf8Length(std::string_view text);

// What is wrong with a name typed for renaming, in the order the user is told.
enum class NameProblem {
    kNone,
    kEmpty,      // nothing typed
    kTooLong,    // more than kMaxNameBytes bytes
    kForbidden,  // holds a forbidden character (or is not UTF-8)
};
NameProblem CheckTypedName(std::string_view name);

// A new profile: "Profile1", else "profile2", "profile3", ... the first name not taken.
std::string NameForNewProfile(const std::vector<std::string>& names);
// A copy of source: source + " copy", with " copy" added again while the name is taken.
std::string NameForCopy(const std::string& source, const std::vector<std::string>& names);
// An imported profile called base: base itself, else base + "(1)", "(2)", ... the first free.
std::string NameForImport(const std::string& base, const std::vector<std::string>& names);

// True for an identifier the list may name a file by: 1-100 characters, letters, digits,
// '_', '-', '{' and '}' only, so that it can never leave the folder or name another file.
bool IsSafeIdentifier(std::string_view id);

}  // namespace panels
