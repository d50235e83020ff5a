#include "tools/zenctl/KeysEdit.h"

#include <cstdio>
#include <optional>

#include "devices/mouse/EventArea.h"
#include "devices/mouse/MouseKeys.h"
#include "panels/keys/KeyApply.h"
#include "panels/keys/KeyFunctionText.h"
#include "panels/keys/KeyNames.h"
#include "panels/keys/LeftButtonRule.h"
#include "panels/profiles/MacroUploadMessage.h"
#include "panels/profiles/ProfileListFile.h"
#include "platform/Folders.h"
#include "tools/zenctl/MouseSession.h"
#include "tools/zenctl/ProtoChannel.h"
#include "ui/core/StringUtil.h"
#include "ui/skin/ResourceManager.h"

namespace zenctl {
namespace {

namespace keys = panels::keys;
using devices::mouse::kMouseKeys;

constexpr int kExitRefused = 1;
constexpr size_t kNameColumns = 25;  // the name column of `keys show`, its space included

int KeysUsage() {
    std::fprintf(stderr,
                 "usage: t418-zenctl keys show [--profile P] [--lang en|zh] [--device D]\n"
                 "       t418-zenctl keys set KEY FUNCTION [--profile P] [--device D]\n"
                 "  P the profile's number in the list (from 1) or its name; KEY the key's\n"
                 "  index (0-10) or label (mouse_key_middle); FUNCTION as docs/cli.md says\n");
    return kExitUsage;
}

// Removes "NAME VALUE" from args into value; false when NAME has no value.
bool TakeValueOption(std::vector<std::string>& args, const char* name, std::string& value) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name)
            continue;
        if (i + 1 >= args.size())
            return false;
        value = args[i + 1];
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        return true;
    }
    return true;
}

struct KeysSession {
    MouseSession session;
    bool reachable = false;
    // The mouse holds the key map of the selected profile only; another profile is stored
    // and goes to the mouse when it is selected.
    bool selectedProfile = true;
    int profileNumber = 0;  // from 1
};

struct ProfileChoice {
    std::string id;
    int number = 0;  // from 1
    bool selected = false;
};

// The profile named by --profile (number from 1 or name), or the selected one; empty when
// the list has no such profile.
std::optional<ProfileChoice> ChooseProfile(devices::COrvaneMouseDevice& m,
                                           const std::string& wanted) {
    panels::ProfileListFile list(m.GetUserDataFolder(), m.GetDefaultDocumentPath());
    list.Load();
    if (list.Count() == 0)
        return std::nullopt;
    int index = -1;
    unsigned long number = 0;
    if (wanted.empty()) {
        index = list.Selected();
    } else if (ParseUnsigned(wanted, 1000, number) && number >= 1 &&
               number <= static_cast<unsigned long>(list.Count())) {
        index = static_cast<int>(number) - 1;
    } else {
        for (int i = 0; i < list.Count() && index < 0; ++i) {
            const panels::ProfileEntry& entry = list.Entries()[static_cast<size_t>(i)];
            if (ui::EqualsNoCase(entry.name, wanted) || entry.id == wanted)
                index = i;
        }
    }
    if (index < 0 || index >= list.Count())
        return std::nullopt;
    return ProfileChoice{list.Entries()[static_cast<size_t>(index)].id, index + 1,
                         index == list.Selected()};
}

// The mouse object on the profile and the macro names; the mouse itself is not asked yet.
std::optional<KeysSession> Open(const std::string& device, const std::string& profile,
                                const Options& options) {
    KeysSession s;
    s.session = OpenMouseSession(device, options);
    if (device == "pad")
        return std::nullopt;  // the mouse pad has no keys to assign (OpenMouseSession said so)
    if (!s.session.device) {
        s.session.device = std::make_unique<devices::COrvaneMouseDevice>();
        s.session.device->SetDataFolderName("mouse");
    }
    devices::COrvaneMouseDevice& m = *s.session.device;
    const std::optional<ProfileChoice> choice = ChooseProfile(m, profile);
    if (!choice) {
        std::fprintf(stderr, "keys: no profile \"%s\"\n", profile.c_str());
        return std::nullopt;
    }
    m.SetProfileBaseName(choice->id);
    s.selectedProfile = choice->selected;
    s.profileNumber = choice->number;
    m.LoadProfile();
    m.LoadNameLists();
    return s;
}

// With the mouse on the bus (and linked) its information block and key table are read as the
// connect does, so that apply knows the device's key slots.
void Reach(KeysSession& s) {
    devices::COrvaneMouseDevice& m = *s.session.device;
    hid::CHidChannel& channel = m.Channel();
    if (channel.IsOpen() && (!channel.Wireless() || channel.ProbeLink()))
        s.reachable = m.ReadDeviceData();
}

// The texts of the key list in the chosen language ("" keeps the language keys).
bool LoadLanguage(const std::string& lang) {
    if (lang.empty())
        return true;
    const char* file = lang == "en" ? "lan_en.xml" : lang == "zh" ? "lan_cn.xml" : nullptr;
    if (file == nullptr)
        return false;
    ui::CResourceManager* texts = ui::CResourceManager::GetInstance();
    texts->ClearLanguage();
    return texts->LoadLanguage(platform::ProgramFolder() + "skin/" + file);
}

std::string Text(const std::string& key) {
    return ui::CResourceManager::GetInstance()->GetText(key);
}

// Pads UTF-8 text to a width in terminal columns (wide East Asian characters take two), with
// one space at least, so that the column after it lines up in every language.
std::string PadColumns(const std::string& text, size_t columns) {
    size_t used = 0;
    for (size_t at = 0; at < text.size();) {
        const uint32_t c = ui::NextCodePoint(text, at);
        const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                          (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                          (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                          (c >= 0xFFE0 && c <= 0xFFE6);
        used += wide ? 2 : 1;
    }
    return text + std::string(used < columns ? columns - used : 1, ' ');
}

std::string ListName(const profile::KeyAssignment& a, const std::vector<std::string>& macros) {
    const keys::FunctionName name = keys::NameOfAssignment(a, macros);
    switch (name.kind) {
        case keys::FunctionName::Kind::Keys: {
            std::string joined;
            for (const std::string& key : name.keys)
                joined += (joined.empty() ? "" : "+") + Text(key);
            return joined;
        }
        case keys::FunctionName::Kind::Text:
            return name.text;
        default:
            return "-";
    }
}

// KEY as an index or a label.
std::optional<size_t> KeyIndex(const std::string& text, size_t keys) {
    unsigned long index = 0;
    if (keys == 0)
        return std::nullopt;
    if (ParseUnsigned(text, keys - 1, index))
        return index;
    for (size_t k = 0; k < keys && k < kMouseKeys.size(); ++k) {
        if (ui::EqualsNoCase(text, kMouseKeys[k].label))
            return k;
    }
    return std::nullopt;
}

}  // namespace

int RunKeysShow(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device, profile, lang;
    if (!TakeDeviceOption(args, device) || !TakeValueOption(args, "--profile", profile) ||
        !TakeValueOption(args, "--lang", lang) || !args.empty())
        return KeysUsage();
    if (!LoadLanguage(lang)) {
        std::fprintf(stderr, "keys: no language \"%s\" (en or zh)\n", lang.c_str());
        return lang == "en" || lang == "zh" ? 1 : kExitUsage;
    }
    std::optional<KeysSession> s = Open(device, profile, options);
    if (!s)
        return kExitUsage;
    Reach(*s);
    devices::COrvaneMouseDevice& m = *s->session.device;
    std::printf("profile: %s%s\n", m.GetProfilePath().c_str(),
                s->reachable ? "" : "  (the mouse is not reachable)");
    std::printf("%-3s %-20s %-4s %-4s %-4s %-9s %s%s\n", "key", "label", "type", "p1", "p2", "code",
                PadColumns("name", kNameColumns).c_str(), "function");
    const std::vector<profile::KeyRecord>& records = m.GetKeyRecords();
    for (size_t k = 0; k < records.size(); ++k) {
        const profile::KeyAssignment& a = records[k].current;
        const char* label = k < kMouseKeys.size() ? kMouseKeys[k].label : "-";
        std::printf("%-3zu %-20s 0x%02X 0x%02X 0x%02X %-9u %s%s\n", k, label, a.type, a.param1,
                    a.param2, a.Code(),
                    PadColumns(ListName(a, m.MacroNames()), kNameColumns).c_str(),
                    keys::FormatKeyFunction(a, m.MacroNames()).c_str());
    }
    return kExitOk;
}

int RunKeysSet(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device, profile;
    if (!TakeDeviceOption(args, device) || !TakeValueOption(args, "--profile", profile) ||
        args.size() != 2)
        return KeysUsage();
    LoadLanguage("en");  // the device's refusals are told in English
    std::optional<KeysSession> s = Open(device, profile, options);
    if (!s)
        return kExitUsage;
    devices::COrvaneMouseDevice& m = *s->session.device;
    std::vector<profile::KeyRecord> records = m.GetKeyRecords();
    const std::optional<size_t> key = KeyIndex(args[0], records.size());
    if (!key) {
        std::fprintf(stderr, "keys: no key \"%s\" (0-%zu or a label)\n", args[0].c_str(),
                     records.empty() ? 0 : records.size() - 1);
        return kExitUsage;
    }
    const keys::KeyFunctionParse parsed = keys::ParseKeyFunction(args[1], m.MacroNames());
    if (!parsed.ok) {
        std::fprintf(stderr, "keys: %s\n", parsed.error.c_str());
        return kExitRefused;
    }
    profile::KeyRecord& record = records[*key];
    const profile::KeyAssignment stored = keys::EncodeKeyFunction(
        parsed.function, static_cast<int>(m.MacroNames().size()), record.current, record.defaults);
    if (keys::IsLastLeftButton(records, *key) && !keys::IsLeftButton(stored)) {
        std::fprintf(stderr,
                     "keys: key %zu is the last left button; give another key the left button "
                     "first\n",
                     *key);
        return kExitRefused;
    }
    record.current = stored;
    m.SetKeyRecord(static_cast<int>(*key), record);
    const std::string function = keys::FormatKeyFunction(stored, m.MacroNames());
    char bytes[32];
    std::snprintf(bytes, sizeof bytes, " (0x%02X 0x%02X 0x%02X)\n", stored.type, stored.param1,
                  stored.param2);
    // A macro's name makes the line as long as the name.
    const std::string line = "key " + std::to_string(*key) + ": " + function + bytes;
    // The mouse is asked only for a change it is to hold: a refusal above or another profile
    // leaves it untouched.
    if (s->selectedProfile)
        Reach(*s);
    if (!s->reachable || !s->selectedProfile) {
        // Stored only: the profile goes to the mouse when it is next selected or applied.
        if (!m.Profile().Save()) {
            std::fprintf(stderr, "keys: %s could not be written\n", m.GetProfilePath().c_str());
            return kExitRefused;
        }
        std::printf("%ssaved:   %s\n", line.c_str(), m.GetProfilePath().c_str());
        if (!s->selectedProfile) {
            std::printf("not sent: profile %d is not the selected profile\n", s->profileNumber);
            return kExitOk;
        }
        std::printf("not sent: the mouse is not reachable\n");
        return kExitNoDevice;
    }
    const keys::ApplyOutcome outcome = keys::ApplyKeysToDevice(m);
    if (outcome.macroResult != 0) {
        const std::vector<size_t> counts =
            outcome.macroResult > 0 ? panels::MacroEventCounts(m.GetUserDataFolder(), outcome.used)
                                    : std::vector<size_t>();
        const panels::MacroUploadMessage message = panels::DescribeMacroUpload(
            outcome.macroResult, counts, devices::mouse::kMaxMacroEvents);
        std::fprintf(stderr, "keys: %s\n",
                     message.hasNumber
                         ? panels::FormatNumberText(Text(message.key), message.number).c_str()
                         : Text(message.key).c_str());
    }
    if (outcome.refused) {
        std::fprintf(stderr,
                     "keys: the mouse cannot hold the macros in use; key %zu, the mouse and the "
                     "profile are unchanged\n",
                     *key);
        return kExitRefused;
    }
    const size_t macros = outcome.used.size();
    std::printf("%ssaved:   %s\nsent:    %zu macro%s in use%s, key map%s\n", line.c_str(),
                m.GetProfilePath().c_str(), macros, macros == 1 ? "" : "s",
                outcome.macroResult == 0 ? "" : " (failed)",
                outcome.keyMapResult == 1 ? "" : " (not taken)");
    return outcome.macroResult == 0 && outcome.keyMapResult == 1 ? kExitOk : kExitRefused;
}

}  // namespace zenctl
