#include "windows/ColorOptionFile.h"

#include <cstdio>

#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"

namespace windows {

namespace {

namespace json = profile::json;

constexpr char kRoot[] = "coloroptioninfo";
constexpr char kPresets[] = "palletDialogcoloroption";
constexpr char kPresetSelection[] = "palletDialogcoloroption_selectitem";
constexpr char kSlots[] = "palletDialogcollectcoloroption";
constexpr char kSlotSelection[] = "palletDialogcollectcoloroption_selectitem";
constexpr char kColour[] = "color";
constexpr char kUserData[] = "UserData";

bool IsIndex(int n) {
    return n >= 0 && n < kColourOptionCount;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<int> Selection(const Json::Value& root, const char* key) {
    const Json::Value& value = json::Member(json::Member(root, kRoot), key);
    // A bool or a string is no index, though IntOf would read one as a number.
    if (!value.isInt() && !value.isUInt())
        return std::nullopt;
    int n = json::IntOf(value);
    return IsIndex(n) ? std::optional<int>(n) : std::nullopt;
}

const Json::Value& Entry(const Json::Value& root, const char* array, int n) {
    return json::Element(json::Member(json::Member(root, kRoot), array), n);
}

std::optional<uint32_t> EntryColour(const Json::Value& entry) {
    const Json::Value& colour = json::Member(entry, kColour);
    if (!colour.isString())
        return std::nullopt;
    return ParseOptionColour(colour.asString());
}

}  // namespace

std::string FormatOptionColour(uint32_t argb) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", argb);
    return text;
}

std::optional<uint32_t> ParseOptionColour(std::string_view text) {
    if (text.size() != 8)
        return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        int digit = HexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

bool CColourOptionFile::Load(const std::string& userPath, const std::string& defaultPath) {
    m_userPath = userPath;
    m_doc = profile::LoadJsonFile(userPath);
    if (m_doc.isObject())
        return true;
    m_doc = profile::LoadJsonFile(defaultPath);
    if (!m_doc.isObject()) {
        m_doc = Json::Value(Json::nullValue);
        return false;
    }
    profile::WriteJsonFile(userPath, m_doc);
    return true;
}

bool CColourOptionFile::Save() const {
    return !m_userPath.empty() && profile::WriteJsonFile(m_userPath, m_doc) == 0;
}

std::optional<int> CColourOptionFile::PresetSelection() const {
    return Selection(m_doc, kPresetSelection);
}

std::optional<int> CColourOptionFile::SlotSelection() const {
    return Selection(m_doc, kSlotSelection);
}

std::optional<uint32_t> CColourOptionFile::PresetColour(int n) const {
    if (!IsIndex(n))
        return std::nullopt;
    return EntryColour(Entry(m_doc, kPresets, n));
}

std::optional<ColourSlot> CColourOptionFile::Slot(int n) const {
    if (!IsIndex(n))
        return std::nullopt;
    const Json::Value& entry = Entry(m_doc, kSlots, n);
    std::optional<uint32_t> colour = EntryColour(entry);
    if (!colour)
        return std::nullopt;
    return ColourSlot{*colour, json::StringOf(json::Member(entry, kUserData))};
}

void CColourOptionFile::SetPresetColour(int n, uint32_t colour) {
    if (!IsIndex(n))
        return;
    Json::Value& presets = json::ArrayMember(json::ObjectMember(m_doc, kRoot), kPresets);
    json::ObjectElement(presets, static_cast<uint32_t>(n))[kColour] = FormatOptionColour(colour);
}

void CColourOptionFile::SetSlot(int n, const ColourSlot& slot) {
    if (!IsIndex(n))
        return;
    Json::Value& slots = json::ArrayMember(json::ObjectMember(m_doc, kRoot), kSlots);
    Json::Value& entry = json::ObjectElement(slots, static_cast<uint32_t>(n));
    entry[kColour] = FormatOptionColour(slot.colour);
    entry[kUserData] = slot.userData;
}

void CColourOptionFile::SetPresetSelection(int n) {
    if (IsIndex(n))
        json::ObjectMember(m_doc, kRoot)[kPresetSelection] = n;
}

void CColourOptionFile::SetSlotSelection(int n) {
    if (IsIndex(n))
        json::ObjectMember(m_doc, kRoot)[kSlotSelection] = n;
}

}  // namespace windows
