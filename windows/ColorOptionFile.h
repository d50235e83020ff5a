#pragma once
// The palette's colour file "color_option_info.config": the twenty preset colours, the twenty
// collected colour slots and the selection of each, below the root "coloroptioninfo". A
// colour is stored as exactly eight upper-case hexadecimal digits, alpha first ("FF00FF00"
// is opaque green). The file can be edited by anyone: every entry read is checked and one of
// the wrong type, shape or format reads as missing. Writing keeps whatever else the document
// holds.
// Threads: any; one object belongs to one thread.
#include <json/value.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace windows {

inline constexpr int kColourOptionCount = 20;
inline constexpr char kColourOptionFileName[] = "color_option_info.config";
// The user data of a slot that holds a colour the user chose.
inline constexpr char kFilledSlotMark[] = "1";

// "FF00FF00" for 0xFF00FF00.
std::string FormatOptionColour(uint32_t argb);
// The colour of exactly eight hexadecimal digits (either case); nothing for anything else.
std::optional<uint32_t> ParseOptionColour(std::string_view text);

struct ColourSlot {
    uint32_t colour = 0;
    std::string userData;  // kFilledSlotMark when the user filled the slot
    bool IsFilled() const { return userData == kFilledSlotMark; }
};

class CColourOptionFile {
  public:
    // Reads the user copy; when that gives no document (missing, unreadable, not a JSON
    // object) reads the default copy and writes it as the user copy. False when neither
    // gives one: the document is then empty and a later Save creates the user copy.
    bool Load(const std::string& userPath, const std::string& defaultPath);
    // Writes the whole document to the user path given to Load. False when it could not.
    bool Save() const;

    // A stored selection index, when it is a number from 0 to 19.
    std::optional<int> PresetSelection() const;
    std::optional<int> SlotSelection() const;
    // Element n's colour, when the element is an object with a well-formed "color".
    std::optional<uint32_t> PresetColour(int n) const;
    std::optional<ColourSlot> Slot(int n) const;

    // n from 0 to 19; other values change nothing.
    void SetPresetColour(int n, uint32_t colour);
    void SetSlot(int n, const ColourSlot& slot);
    void SetPresetSelection(int n);
    void SetSlotSelection(int n);

    const Json::Value& Document() const { return m_doc; }

  private:
    Json::Value m_doc;
    std::string m_userPath;
};

}  // namespace windows
