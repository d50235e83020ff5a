// macros list|show|import|export|delete|record: the mouse's macros in its user data folder,
// kept by the same code and rules as the program's macro page. delete repairs the key
// assignments of every profile as the program does; record lives in MacroRecord.cpp.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "devices/mouse/EventArea.h"
#include "panels/macros/MacroFiles.h"
#include "panels/profiles/ProfileNames.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "profile/BasicProfiledata.h"
#include "tools/zenctl/MacroRecord.h"
#include "tools/zenctl/MouseSession.h"
#include "tools/zenctl/ProtoChannel.h"
#include "ui/skin/ResourceManager.h"

namespace zenctl {
namespace {

namespace macros = panels::macros;

constexpr const char* kMouseFolder = "mouse";
constexpr int kExitFailed = 1;

int Usage() {
    std::fprintf(stderr,
                 "usage: t418-zenctl macros list\n"
                 "       t418-zenctl macros show NAME\n"
                 "       t418-zenctl macros import FILE\n"
                 "       t418-zenctl macros export NAME FILE\n"
                 "       t418-zenctl macros delete NAME [--yes]\n"
                 "       t418-zenctl macros record NAME --script FILE "
                 "[--time real|fixed:N|ignore]\n"
                 "NAME is the macro's name (without regard to case) or its number from 1.\n");
    return kExitUsage;
}

std::string UserFolder() {
    return platform::DeviceDataFolder(kMouseFolder);
}

std::string DefaultDocument() {
    return platform::DefaultDataFolder() + kMouseFolder + ".Json";
}

// The English text of a language key, or fallback when the language file has none.
std::string English(const char* key, const char* fallback) {
    static const bool loaded = ui::CResourceManager::GetInstance()->LoadLanguage(
        platform::ProgramFolder() + "skin/lan_en.xml");
    (void)loaded;
    if (key == nullptr || *key == '\0')
        return fallback;
    const std::string text = ui::CResourceManager::GetInstance()->GetText(key);
    return text.empty() || text == key ? fallback : text;
}

// NAME: a macro's name first, then its number from 1; -1 after a message when neither.
int IndexOf(const std::string& text, const macros::MacroList& list) {
    for (size_t i = 0; i < list.Count(); ++i) {
        if (panels::SameProfileName(list.Entries()[i].name, text))
            return static_cast<int>(i);
    }
    unsigned long number = 0;
    if (ParseUnsigned(text, 1000, number) && number >= 1 && number <= list.Count())
        return static_cast<int>(number) - 1;
    std::fprintf(stderr, "macros: no macro \"%s\" (the list has %zu)\n", text.c_str(),
                 list.Count());
    return -1;
}

int List(const macros::MacroList& list) {
    for (size_t i = 0; i < list.Count(); ++i) {
        const macros::MacroEntry& entry = list.Entries()[i];
        const std::string path = list.MacroPath(static_cast<int>(i));
        std::string events = "not saved";
        if (!path.empty() && platform::FileExists(path)) {
            const size_t count = list.LoadEvents(static_cast<int>(i)).size();
            events = std::to_string(count) + (count == 1 ? " event" : " events");
        }
        std::printf("%2zu  %-14s  %-26s  %s\n", i + 1, entry.name.c_str(), entry.id.c_str(),
                    events.c_str());
    }
    return kExitOk;
}

int Show(const macros::MacroList& list, int index) {
    const macros::MacroEntry& entry = list.Entries()[static_cast<size_t>(index)];
    const std::vector<Json::Value> events = list.LoadEvents(index);
    std::printf("macro %d: %s  (%s, %zu events)\n", index + 1, entry.name.c_str(), entry.id.c_str(),
                events.size());
    std::printf("%-3s %-6s %-4s %-6s %-6s %-24s %s\n", "#", "action", "type", "button", "delay",
                "name", "device");
    for (size_t e = 0; e < events.size(); ++e) {
        const Json::Value& event = events[e];
        const macros::EventRowLook look = macros::LookOfEvent(event);
        std::string name = look.nameKey.empty() ? "-" : English(look.nameKey.c_str(), "");
        if (name.empty())
            name = look.nameKey;
        if (!look.actionText.empty())
            name += " " + look.actionText;
        const devices::mouse::EncodedEvent bytes = devices::mouse::EncodeEvent(event);
        std::printf("%-3zu %-6s %-4d 0x%02X   %-6u %-24s %02X %02X %02X %02X\n", e + 1,
                    macros::EventIsDown(event) ? "down" : "up", macros::EventType(event),
                    macros::EventButton(event), macros::EventDelay(event), name.c_str(), bytes[0],
                    bytes[1], bytes[2], bytes[3]);
    }
    if (events.size() > macros::kMaxMacroEvents)
        std::printf("(more than %zu events: the mouse refuses this macro)\n",
                    macros::kMaxMacroEvents);
    return kExitOk;
}

int Import(macros::MacroList& list, const std::string& path) {
    using Result = macros::MacroList::ImportResult;
    macros::MacroEntry entry;
    const Result result = list.Import(path, &entry);
    switch (result) {
        case Result::kImported:
            std::printf("imported: %zu %s\n", list.Count(), entry.name.c_str());
            return kExitOk;
        case Result::kNameTooLong:
            std::fprintf(
                stderr, "macros import: %s\n",
                English(macros::MacroList::ImportMessage(result), "the file name is too long")
                    .c_str());
            return kExitFailed;
        case Result::kFull:
            std::fprintf(
                stderr, "macros import: %s\n",
                English(macros::MacroList::ImportMessage(result), "the list is full").c_str());
            return kExitFailed;
        case Result::kUnreadable:
            std::fprintf(stderr, "macros import: %s cannot be read\n", path.c_str());
            return kExitFailed;
        case Result::kWriteFailed:
            break;
    }
    std::fprintf(stderr, "macros import: the macro files could not be written\n");
    return kExitFailed;
}

int Export(const macros::MacroList& list, int index, const std::string& path) {
    using Result = macros::MacroList::ExportResult;
    const std::string& name = list.Entries()[static_cast<size_t>(index)].name;
    switch (list.Export(index, path)) {
        case Result::kExported:
            std::printf("exported: %s to %s\n", name.c_str(), path.c_str());
            return kExitOk;
        case Result::kNotSaved:
            std::fprintf(stderr, "macros export: %s was never saved; %s was not written\n",
                         name.c_str(), path.c_str());
            return kExitFailed;
        case Result::kNoMacro:
            return kExitUsage;
        case Result::kWriteFailed:
            break;
    }
    std::fprintf(stderr, "macros export: %s could not be written\n", path.c_str());
    return kExitFailed;
}

// As the program's delete: refused while the current profile uses the macro (unless
// confirmed); the list first, then every profile's assignments follow the new numbering.
int Delete(macros::MacroList& list, int index, bool confirmed) {
    const std::string folder = UserFolder();
    const std::string currentId = CurrentProfileName(folder, DefaultDocument());
    const std::string currentPath = folder + currentId + ".Json";
    profile::CBasicProfiledata current;
    current.SetDefaultDocumentPath(DefaultDocument());
    current.SetProfilePath(currentPath);
    std::vector<profile::KeyRecord> records;
    if (!currentId.empty()) {
        current.LoadDocument(currentPath);
        records = current.GetKeyList();
    }
    const std::string name = list.Entries()[static_cast<size_t>(index)].name;
    // Asked before anything changes: repairing the other profiles and then keeping the macro
    // would leave their later macros pointing one too low.
    if (macros::KeyListUsesMacro(records, index) && !confirmed) {
        std::fprintf(stderr,
                     "macros delete: %s is assigned to a key of the current profile; nothing was "
                     "changed (--yes deletes it anyway)\n",
                     name.c_str());
        return kExitFailed;
    }
    if (!list.Remove(index)) {
        std::fprintf(stderr, "macros delete: the macro list could not be written\n");
        return kExitFailed;
    }
    const int others = macros::RepairOtherProfiles(folder, DefaultDocument(), currentId, index);
    int repaired = others;
    if (macros::RepairKeyList(records, index)) {
        current.SetKeyList(records);
        if (!current.Save()) {
            std::fprintf(stderr, "macros delete: %s could not be saved\n", currentPath.c_str());
            return kExitFailed;
        }
        ++repaired;
    }
    std::printf("deleted: %s; profiles repaired: %d\n", name.c_str(), repaired);
    return kExitOk;
}

int RunMacros(const std::vector<std::string>& arguments, const Options&) {
    std::vector<std::string> args = arguments;
    bool confirmed = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--yes") {
            confirmed = true;
            args.erase(args.begin() + static_cast<long>(i));
            break;
        }
    }
    if (args.empty())
        return Usage();
    const std::string& verb = args[0];
    if (confirmed && verb != "delete")
        return Usage();
    macros::MacroList list(UserFolder());
    list.Load();
    if (verb == "list" && args.size() == 1)
        return List(list);
    if (verb == "import" && args.size() == 2)
        return Import(list, args[1]);
    if (verb == "record") {
        const std::optional<MacroRecordOptions> options =
            args.size() >= 2 ? ParseMacroRecordOptions({args.begin() + 2, args.end()})
                             : std::nullopt;
        if (!options)
            return Usage();
        const int index = IndexOf(args[1], list);
        return index < 0 ? kExitFailed : RecordMacro(list, index, *options, English);
    }
    const bool known = (verb == "show" && args.size() == 2) ||
                       (verb == "export" && args.size() == 3) ||
                       (verb == "delete" && args.size() == 2);
    if (!known)
        return Usage();
    const int index = IndexOf(args[1], list);
    if (index < 0)
        return kExitUsage;
    if (verb == "show")
        return Show(list, index);
    if (verb == "export")
        return Export(list, index, args[2]);
    return Delete(list, index, confirmed);
}

const CommandRegistration registration({"macros",
                                        "macros list|show NAME|import FILE|export NAME FILE|"
                                        "delete NAME [--yes]|record NAME --script FILE",
                                        "the mouse's macros, as the program keeps them",
                                        RunMacros});

}  // namespace
}  // namespace zenctl
