#pragma once
// The rules of the program's language choice: the language list "Language.config" (a JSON
// document with the array "Language" of entries {Language_ID, Language_name, Language_file}),
// the index the program starts with, and the font set each language index asks for.
// Pure; any thread.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace app {

inline constexpr const char* kLanguageConfigName = "Language.config";
inline constexpr const char* kLanguageRegistryKey = "SOFTWARE\\Draxmoor T418-ZEN";
inline constexpr const char* kLanguageRegistryValue = "LANGUAGE";

struct LanguageEntry {
    uint32_t id = 0;
    std::string name;
    std::string file;
};

// The entries of the document text in list order; empty when the text is no such document.
// An entry without a usable ID, name or file keeps its place (the index counts it) but can
// never be applied (valid false).
struct LanguageList {
    std::vector<LanguageEntry> entries;
    std::vector<bool> valid;
    // The entry at index when it exists and is usable.
    const LanguageEntry* At(int index) const;
};
LanguageList ParseLanguageConfig(const std::string& text);

// The index of the first usable entry whose ID equals the registry value; 0 when the value is
// missing or no entry carries it.
int StartupLanguageIndex(const LanguageList& list, std::optional<uint32_t> registryId);

// The face of a language index: 15 Thai, 0 the simplified Chinese display face, 2 traditional
// Chinese, every other the Latin one.
std::string FontFaceForLanguage(int index);

// The family of the font the program ships for each language face that is not itself a
// family name (Font/ links these from the system's font packages, cmake/Fonts.cmake): text
// asked for in the face is drawn in that family instead of going through the system's font
// fallback, which cost the first paint several milliseconds.
struct FaceFamily {
    const char* face;
    const char* family;
};
std::span<const FaceFamily> ShippedFaceFamilies();

// Whether moving from the previous index (-1: none applied yet) to the new one replaces the
// fonts: when either side is one of the indices with a face of its own.
bool LanguageChangeReplacesFonts(int newIndex, int previousIndex);

// One font of the set: id -1 is the default font. Sizes are points at 96 DPI.
struct FontSlot {
    int id = 0;
    int size = 0;
    bool bold = false;
};
std::span<const FontSlot> LanguageFontSet();

}  // namespace app
