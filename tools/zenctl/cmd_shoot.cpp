// shoot show|import|export|reset|edit|upload: the mouse's four shoot-data sets in its user
// data folder, kept by the same file rules as the program's shoot page
// (panels/shoot/ShootFiles.h); upload lives in ShootUpload.cpp.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "devices/mouse/MouseKeys.h"
#include "panels/shoot/ShootFiles.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "profile/BasicProfiledata.h"
#include "profile/JsonAccess.h"
#include "tools/zenctl/MouseSession.h"
#include "tools/zenctl/ProtoChannel.h"
#include "tools/zenctl/ShootUpload.h"

namespace zenctl {
namespace {

namespace shoot = panels::shoot;

constexpr const char* kShootMouseFolder = "mouse";
constexpr int kShootExitFailed = 1;
constexpr uint8_t kGunKeyType = 0x72;

int ShootUsage() {
    std::fprintf(stderr,
                 "usage: t418-zenctl shoot show [SET]\n"
                 "       t418-zenctl shoot import SET FILE\n"
                 "       t418-zenctl shoot export SET FILE\n"
                 "       t418-zenctl shoot reset SET\n"
                 "       t418-zenctl shoot edit SET BULLET X Y DELAY\n"
                 "       t418-zenctl shoot upload [--device cable|receiver]\n"
                 "SET 0-3, BULLET 0-29; a negative X moves left, a negative Y up.\n");
    return kExitUsage;
}

std::string ShootUserFolder() {
    return platform::DeviceDataFolder(kShootMouseFolder);
}

std::string UserSetPath(int set) {
    return ShootUserFolder() + shoot::SetFileName(set);
}

std::string FactorySetPath(int set) {
    return platform::DefaultDataFolder() + shoot::SetFileName(set);
}

// SET or BULLET; nothing after a message when it is not a number from 0 to last.
std::optional<int> ParseIndex(const std::string& text, int last, const char* what) {
    unsigned long value = 0;
    if (!ParseUnsigned(text, static_cast<unsigned long>(last), value)) {
        std::fprintf(stderr, "shoot: no %s \"%s\" (0-%d)\n", what, text.c_str(), last);
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// The keys of the current profile given the gun key of `set`, as "3 (mouse_key_forward)".
std::vector<std::string> GunKeysOf(int set) {
    const std::string folder = ShootUserFolder();
    const std::string document = platform::DefaultDataFolder() + kShootMouseFolder + ".Json";
    const std::string id = CurrentProfileName(folder, document);
    std::vector<std::string> keys;
    if (id.empty())
        return keys;
    profile::CBasicProfiledata current;
    current.SetDefaultDocumentPath(document);
    current.SetProfilePath(folder + id + ".Json");
    current.LoadDocument(folder + id + ".Json");
    const std::vector<profile::KeyRecord> records = current.GetKeyList();
    for (size_t k = 0; k < records.size(); ++k) {
        const profile::KeyAssignment& a = records[k].current;
        if (a.type != kGunKeyType || a.param1 != set)
            continue;
        const char* label =
            k < devices::mouse::kMouseKeys.size() ? devices::mouse::kMouseKeys[k].label : "-";
        keys.push_back(std::to_string(k) + " (" + label + ")");
    }
    return keys;
}

std::string Amount(int value, bool negativeWay, const char* negative, const char* positive) {
    return std::to_string(value) + " " + (negativeWay ? negative : positive);
}

void ShowSet(int set) {
    std::string path = UserSetPath(set);
    std::string note;
    shoot::SetDocument document = shoot::LoadSet(path);
    if (!document.exists) {
        // What the shoot page starts from when the user has no set of this number.
        path = FactorySetPath(set);
        document = shoot::LoadSet(path);
        note = document.exists ? " (factory)" : " (no set: neither the user's nor the factory's)";
    }
    if (document.exists && !document.usable)
        note += " (not a shoot-data set: shown empty)";
    std::printf("set %d: %s%s\n", set, path.c_str(), note.c_str());
    const std::vector<std::string> keys = GunKeysOf(set);
    std::string joined;
    for (const std::string& key : keys)
        joined += (joined.empty() ? "" : ", ") + key;
    std::printf("gun keys: %s\n", joined.empty() ? "none" : joined.c_str());
    std::printf("events: %u of %d\n",
                profile::json::ArraySize(profile::json::Member(document.root, "Events")),
                shoot::kBulletCount * shoot::kEventsPerBullet);
    std::printf("%-7s %-12s %-12s %s\n", "bullet", "x", "y", "delay");
    for (int b = 0; b < shoot::kBulletCount; ++b) {
        const shoot::Bullet bullet = shoot::ReadBullet(document.root, b);
        std::printf("%-7d %-12s %-12s %d\n", b,
                    Amount(bullet.x, bullet.left, "left", "right").c_str(),
                    Amount(bullet.y, bullet.up, "up", "down").c_str(), bullet.delay);
    }
}

int Show(const std::vector<std::string>& args) {
    if (args.size() > 1)
        return ShootUsage();
    std::optional<int> only;
    if (args.size() == 1 && !(only = ParseIndex(args[0], shoot::kSetCount - 1, "set")))
        return kExitUsage;
    for (int set = 0; set < shoot::kSetCount; ++set) {
        if (only && *only != set)
            continue;
        if (!only && set > 0)
            std::printf("\n");
        ShowSet(set);
    }
    return kExitOk;
}

int Import(int set, const std::string& file) {
    const std::string target = UserSetPath(set);
    std::string error;
    if (!shoot::CopySetFile(file, target, &error)) {
        std::fprintf(stderr, "shoot import: %s; set %d is unchanged\n", error.c_str(), set);
        return kShootExitFailed;
    }
    std::printf("imported: %s -> set %d (%s)\n", file.c_str(), set, target.c_str());
    if (!shoot::LoadSet(target).usable)
        std::fprintf(stderr,
                     "shoot import: %s is not a shoot-data set; the set shows empty until an "
                     "edit or upload keeps it beside the set as .bad and starts from the "
                     "factory set\n",
                     file.c_str());
    return kExitOk;
}

int Export(int set, const std::string& file) {
    // What `show` shows: the user's set, or the factory set while the user has none.
    std::string source = UserSetPath(set);
    if (!shoot::LoadSet(source).exists)
        source = FactorySetPath(set);
    std::string error;
    if (!shoot::CopySetFile(source, file, &error)) {
        std::fprintf(stderr, "shoot export: %s; %s is unchanged\n", error.c_str(), file.c_str());
        return kShootExitFailed;
    }
    std::printf("exported: set %d -> %s\n", set, file.c_str());
    return kExitOk;
}

int Reset(int set) {
    std::string error;
    if (!shoot::CopySetFile(FactorySetPath(set), UserSetPath(set), &error)) {
        std::fprintf(stderr, "shoot reset: %s; set %d is unchanged\n", error.c_str(), set);
        return kShootExitFailed;
    }
    std::printf("reset: set %d is the factory set again\n", set);
    return kExitOk;
}

// X or Y as the page's edit and direction option take it: a leading '-' is the other way,
// the rest its leading number.
int SignedAmount(const std::string& text, bool& negativeWay) {
    negativeWay = !text.empty() && text[0] == '-';
    const bool sign = !text.empty() && (text[0] == '-' || text[0] == '+');
    return shoot::LeadingNumber(std::string_view(text).substr(sign ? 1 : 0));
}

// " (the mouse gets 44)" when the stored value does not reach the mouse as it is.
std::string Sent(int value, int mask) {
    return (value & mask) == value ? "" : " (the mouse gets " + std::to_string(value & mask) + ")";
}

int Edit(int set, int bulletIndex, const std::vector<std::string>& values) {
    shoot::Bullet bullet;
    bullet.x = SignedAmount(values[0], bullet.left);
    bullet.y = SignedAmount(values[1], bullet.up);
    bullet.delay = shoot::LeadingNumber(values[2]);
    // A set the user has not got yet starts as the factory set, as on the shoot page.
    shoot::EnsureUserSets(ShootUserFolder(), platform::DefaultDataFolder());
    const std::string path = UserSetPath(set);
    std::string error;
    if (!shoot::SaveBullet(path, bulletIndex, bullet, &error)) {
        std::fprintf(stderr, "shoot edit: %s\n", error.c_str());
        return kShootExitFailed;
    }
    const shoot::Bullet stored = shoot::ReadBullet(shoot::LoadSet(path).root, bulletIndex);
    std::printf("set %d bullet %d: x %s%s, y %s%s, delay %d%s\nsaved: %s\n", set, bulletIndex,
                Amount(stored.x, stored.left, "left", "right").c_str(),
                Sent(stored.x, 0xFF).c_str(), Amount(stored.y, stored.up, "up", "down").c_str(),
                Sent(stored.y, 0xFF).c_str(), stored.delay, Sent(stored.delay, 0xFFFF).c_str(),
                path.c_str());
    return kExitOk;
}

int RunShoot(const std::vector<std::string>& args, const Options& options) {
    if (args.empty())
        return ShootUsage();
    const std::string& verb = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (verb == "show")
        return Show(rest);
    if (verb == "upload")
        return RunShootUpload(rest, options);
    const size_t words = verb == "import" || verb == "export" ? 2
                         : verb == "reset"                    ? 1
                         : verb == "edit"                     ? 5
                                                              : 0;
    if (words == 0 || rest.size() != words)
        return ShootUsage();
    const std::optional<int> set = ParseIndex(rest[0], shoot::kSetCount - 1, "set");
    if (!set)
        return kExitUsage;
    if (verb == "import")
        return Import(*set, rest[1]);
    if (verb == "export")
        return Export(*set, rest[1]);
    if (verb == "reset")
        return Reset(*set);
    const std::optional<int> bullet = ParseIndex(rest[1], shoot::kBulletCount - 1, "bullet");
    if (!bullet)
        return kExitUsage;
    return Edit(*set, *bullet, {rest.begin() + 2, rest.end()});
}

const CommandRegistration registration({"shoot", "shoot show|import|export|reset|edit|upload",
                                        "the mouse's four shoot-data sets: show, edit, reset, "
                                        "import and export them, send them to the mouse",
                                        RunShoot});

}  // namespace
}  // namespace zenctl
