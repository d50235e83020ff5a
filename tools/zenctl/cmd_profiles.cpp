// profiles list|select|export|import|copy|delete: the mouse's profile list in the user data
// folder, kept by the same rules as the program's profile panel. select also sends the
// profile to a reachable mouse as the program does after a profile switch. The program links
// (link, unlink, links, follow) are ProfileLinks.h's.
#include <cstdio>
#include <string>
#include <vector>

#include "devices/mouse/EventArea.h"
#include "hid/ResultCode.h"
#include "panels/profiles/MacroUploadMessage.h"
#include "panels/profiles/ProfileListFile.h"
#include "platform/Folders.h"
#include "tools/zenctl/MouseSession.h"
#include "tools/zenctl/ProfileLinks.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

constexpr const char* kMouseFolder = "mouse";
constexpr int kExitFailed = 1;

int Usage() {
    std::fprintf(stderr,
                 "usage: t418-zenctl profiles list\n"
                 "       t418-zenctl profiles select N [--device cable|receiver]\n"
                 "       t418-zenctl profiles export N PATH\n"
                 "       t418-zenctl profiles import PATH\n"
                 "       t418-zenctl profiles copy N\n"
                 "       t418-zenctl profiles delete N\n"
                 "       t418-zenctl profiles link NAME PATTERN\n"
                 "       t418-zenctl profiles unlink NAME PATTERN\n"
                 "       t418-zenctl profiles links\n"
                 "       t418-zenctl profiles follow on|off\n"
                 "N is the profile's number in the list, from 1; NAME its name or number.\n"
                 "PATTERN is a program's name (cs2) or a glob on its command line\n"
                 "(*steam_app_730*), matched without regard to case.\n");
    return kExitUsage;
}

panels::ProfileListFile OpenList() {
    panels::ProfileListFile list(platform::DeviceDataFolder(kMouseFolder),
                                 platform::DefaultDataFolder() + kMouseFolder + ".Json");
    if (!list.Load())
        std::fprintf(stderr, "profiles: the new profile list could not be written\n");
    return list;
}

// "N" (1-based) -> list index; -1 after a message when it names no profile.
int IndexOf(const std::string& text, const panels::ProfileListFile& list) {
    unsigned long number = 0;
    if (!ParseUnsigned(text, 1000, number) || number < 1 ||
        number > static_cast<unsigned long>(list.Count())) {
        std::fprintf(stderr, "profiles: no profile %s (the list has %d)\n", text.c_str(),
                     list.Count());
        return -1;
    }
    return static_cast<int>(number) - 1;
}

void PrintList(const panels::ProfileListFile& list) {
    for (int i = 0; i < list.Count(); ++i) {
        const panels::ProfileEntry& entry = list.Entries()[i];
        std::printf("%c %2d  %-16s  %s\n", i == list.Selected() ? '*' : ' ', i + 1,
                    entry.name.c_str(), entry.id.c_str());
    }
}

const char* ResultText(panels::ProfileListFile::Result result) {
    using Result = panels::ProfileListFile::Result;
    switch (result) {
        case Result::kDone:
            return "done";
        case Result::kFull:
            return "the list is full (50 profiles)";
        case Result::kBadFile:
            return "not a profile file (a JSON object with a \"profilename\" text and a "
                   "\"profileUUID\")";
        case Result::kTitleTooLong:
            return "the file's name is too long (at most 16 characters before the extension)";
        case Result::kRefused:
            return "refused (no such profile, or the last one)";
        case Result::kWriteFailed:
            return "the files could not be written";
    }
    return "failed";
}

int Report(const char* what, const panels::ProfileListFile::Outcome& outcome) {
    if (outcome.result != panels::ProfileListFile::Result::kDone) {
        std::fprintf(stderr, "profiles %s: %s\n", what, ResultText(outcome.result));
        return kExitFailed;
    }
    std::printf("%s: %d %s\n", what, outcome.index + 1, outcome.name.c_str());
    return kExitOk;
}

// As the program after a profile switch: the profile's settings, macros and key map.
int SendToMouse(const std::string& device, const Options& options) {
    MouseSession session = OpenMouseSession(device, options);
    if (!session.device) {
        std::printf("no mouse reachable: the profile is selected and not sent\n");
        return kExitOk;
    }
    devices::COrvaneMouseDevice& mouse = *session.device;
    mouse.LoadProfile();
    mouse.ValidateMacroReferences();
    int result = mouse.WriteSettings(0, 0, 1, 0, 0);
    if (result != hid::kResultOk)
        return ReportFailure("write settings", result);
    const std::vector<int> indices = mouse.GetUsedMacroIndices();
    result = mouse.WriteMacros(indices);
    if (result != 0) {
        const panels::MacroUploadMessage message = panels::DescribeMacroUpload(
            result, panels::MacroEventCounts(mouse.GetUserDataFolder(), indices),
            devices::mouse::kMaxMacroEvents);
        if (message.key == "message_text_26")
            std::fprintf(stderr, "macros not sent: a macro holds %d events too many\n",
                         message.number);
        else if (message.key == "message_text_16")
            std::fprintf(stderr, "macros not sent: %d events too many for the device\n",
                         message.number);
        else
            std::fprintf(stderr, "macros not sent: the device did not take them\n");
    }
    const int keys = mouse.WriteCurrentKeyAssignments(0);
    if (keys != hid::kResultOk)
        return ReportFailure("write key map", keys);
    std::printf("sent to the mouse (%s): settings, %zu macro%s, key map\n", session.kind.c_str(),
                indices.size(), indices.size() == 1 ? "" : "s");
    return result == 0 ? kExitOk : kExitFailed;
}

int RunProfiles(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device;
    if (!TakeDeviceOption(args, device) || args.empty())
        return Usage();
    const std::string& verb = args[0];
    if (verb == "list" && args.size() == 1) {
        PrintList(OpenList());
        return kExitOk;
    }
    if (verb == "import" && args.size() == 2)
        return Report("imported", OpenList().Import(args[1]));
    if (verb == "link" || verb == "unlink" || verb == "links" || verb == "follow") {
        panels::ProfileListFile list = OpenList();
        const int result = RunProfileLinks(args, list);
        return result < 0 ? Usage() : result;
    }
    if (args.size() < 2)
        return Usage();
    panels::ProfileListFile list = OpenList();
    const int index = IndexOf(args[1], list);
    if (index < 0)
        return kExitUsage;
    if (verb == "select" && args.size() == 2) {
        if (!list.Select(index)) {
            std::fprintf(stderr, "profiles select: the list could not be written\n");
            return kExitFailed;
        }
        std::printf("selected: %d %s\n", index + 1, list.Entries()[index].name.c_str());
        return SendToMouse(device, options);
    }
    if (verb == "export" && args.size() == 3) {
        if (!list.Export(index, args[2])) {
            std::fprintf(stderr, "profiles export: %s could not be written\n", args[2].c_str());
            return kExitFailed;
        }
        std::printf("exported: %d %s to %s\n", index + 1, list.Entries()[index].name.c_str(),
                    args[2].c_str());
        return kExitOk;
    }
    if (verb == "copy" && args.size() == 2)
        return Report("copied", list.Copy(index));
    if (verb == "delete" && args.size() == 2) {
        const std::string id = list.Entries()[static_cast<size_t>(index)].id;
        const panels::ProfileListFile::Outcome outcome = list.Delete(index);
        if (outcome.result != panels::ProfileListFile::Result::kDone)
            return Report("delete", outcome);
        std::printf("deleted: %s; selected: %d %s\n", outcome.name.c_str(), outcome.index + 1,
                    list.Entries()[outcome.index].name.c_str());
        ForgetProfileLinks(id);
        return kExitOk;
    }
    return Usage();
}

const CommandRegistration registration({"profiles",
                                        "profiles list|select N|export N PATH|import PATH|"
                                        "copy N|delete N|link NAME PATTERN|"
                                        "unlink NAME PATTERN|links|follow on|off",
                                        "the mouse's profile list, as the program keeps it",
                                        RunProfiles});

}  // namespace
}  // namespace zenctl
