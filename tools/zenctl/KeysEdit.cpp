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
};

// The profile named by --profile (number from 1 or name), or the selected one; empty when
// the list has no such profile.
std::optional<std::string> ProfileId(devices::COrvaneMouseDevice& m, const std::string& wanted) {
    panels::ProfileListFile list(m.GetUserDataFolder(), m.GetDefaultDocumentPath());
    list.Load();
    if (wanted.empty())
        return list.SelectedId();
    unsigned long number = 0;
    if (ParseUnsigned(wanted, 1000, number) && number >= 1 &&
        number <= static_cast<unsigned long>(list.Count()))
        return list.Entries()[number - 1].id;
    for (const panels::ProfileEntry& entry : list.Entries()) {
        if (ui::EqualsNoCase(entry.name, wanted) || entry.id == wanted)
            return entry.id;
    }
    return std::nullopt;
}

// The mouse object on the profile: with the mouse on the bus its information block and key
// table are read as the connect does, so that apply knows the device's key slots.
std::optional<KeysSession> Open(const std::string& device, const std::string& profile,
                                const Options& options) {
    KeysSession s;
    s.session = OpenMouseSession(device, options);
    if (!s.session.device) {
        s.session.device = std::make_unique<devices::COrvaneMouseDevice>();
        s.session.device->SetDataFolderName("mouse");
    }
    devices::COrvaneMouseDevice& m = *s.session.device;
    const std::optional<std::string> id = ProfileId(m, profile);
    if (!id) {
        std::fprintf(stderr, "keys: no profile \"%s\"\n", profile.c_str());
        return std::nullopt;
    }
    m.SetProfileBaseName(*id);
    hid::CHidChannel& channel = m.Channel();
    if (channel.IsOpen() && (!channel.Wireless() || channel.ProbeLink()))
        s.reachable = m.ReadDeviceData();
    m.LoadProfile();
    m.LoadNameLists();
    return s;
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
    if (ParseUnsigned(text, keys == 0 ? 0 : keys - 1, index))
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
    devices::COrvaneMouseDevice& m = *s->session.device;
    std::printf("profile: %s%s\n", m.GetProfilePath().c_str(),
                s->reachable ? "" : "  (the mouse is not reachable)");
    std::printf("%-3s %-20s %-4s %-4s %-4s %-9s %-24s %s\n", "key", "label", "type", "p1", "p2",
                "code", "name", "function");
    const std::vector<profile::KeyRecord>& records = m.GetKeyRecords();
    for (size_t k = 0; k < records.size(); ++k) {
        const profile::KeyAssignment& a = records[k].current;
        const char* label = k < kMouseKeys.size() ? kMouseKeys[k].label : "-";
        std::printf("%-3zu %-20s 0x%02X 0x%02X 0x%02X %-9u %-24s %s\n", k, label, a.type, a.param1,
                    a.param2, a.Code(), ListName(a, m.MacroNames()).c_str(),
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
    std::printf("key %zu: %s (0x%02X 0x%02X 0x%02X)\n", *key,
                keys::FormatKeyFunction(stored, m.MacroNames()).c_str(), stored.type, stored.param1,
                stored.param2);
    if (!s->reachable) {
        m.SaveProfile();
        std::printf("saved:   %s\nnot sent: the mouse is not reachable\n",
                    m.GetProfilePath().c_str());
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
        std::fprintf(stderr, "keys: the mouse cannot hold the macros; nothing was changed\n");
        return kExitRefused;
    }
    std::printf("saved:   %s\nsent:    %zu macros, key map%s\n", m.GetProfilePath().c_str(),
                outcome.used.size(), outcome.keyMapResult == 1 ? "" : " (not taken)");
    return outcome.macroResult == 0 && outcome.keyMapResult == 1 ? kExitOk : kExitRefused;
}

}  // namespace zenctl
