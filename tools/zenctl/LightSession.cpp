#include "tools/zenctl/LightSession.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "devices/PreviewModes.h"
#include "platform/Folders.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "tools/zenctl/MouseSession.h"
#include "ui/core/StringUtil.h"
#include "ui/skin/ResourceManager.h"

namespace zenctl {
namespace {

namespace json = profile::json;

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec1, ec2;
    const std::filesystem::path pa = std::filesystem::weakly_canonical(a, ec1);
    const std::filesystem::path pb = std::filesystem::weakly_canonical(b, ec2);
    return !ec1 && !ec2 && pa == pb;
}

// A file the program wrote as a profile: "Device"[0] is an object.
bool IsProfileFile(const std::string& path) {
    const Json::Value root = profile::LoadJsonFile(path);
    return json::Element(json::Member(root, "Device"), 0).isObject();
}

// Mode names compare without regard to case, and "-", "_" and " " alike.
std::string FoldModeName(std::string_view text) {
    std::string folded;
    for (char c : text) {
        if (c == '-' || c == '_')
            c = ' ';
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        folded += c;
    }
    return folded;
}

// The English texts of the language keys, read once.
const ui::CResourceManager& EnglishTexts() {
    static const bool loaded = ui::CResourceManager::GetInstance()->LoadLanguage(
        platform::ProgramFolder() + "skin/lan_en.xml");
    (void)loaded;
    return *ui::CResourceManager::GetInstance();
}

bool BuiltInOffered(const devices::COrvaneMouseDevice& mouse, int position) {
    const std::vector<bool>& visible = mouse.LightVisible();
    if (static_cast<size_t>(position) < visible.size())
        return visible[static_cast<size_t>(position)];
    // Without the list file: the modes the preview plays.
    return devices::LightModeName(position).has_value();
}

std::string ModeRange(const devices::COrvaneMouseDevice& mouse) {
    const size_t custom = mouse.CustomLightNames().size();
    std::string range = "0-9";
    if (custom == 1)
        range += " and 12 (a custom effect)";
    else if (custom > 1)
        range += " and 12-" + std::to_string(kMouseBuiltInModes + custom - 1) + " (custom effects)";
    return range;
}

}  // namespace

LightTarget OpenLightTarget(const std::string& profileFile, bool openDevice,
                            const std::string& device, const Options& options) {
    LightTarget target;
    if (device == "pad") {
        std::fprintf(stderr, "light: the mouse pad's lighting is not handled here\n");
        return target;
    }
    auto plain = std::make_unique<devices::COrvaneMouseDevice>();
    plain->SetDataFolderName("mouse");
    const std::string folder = plain->GetUserDataFolder();
    const std::string currentId = CurrentProfileName(folder, plain->GetDefaultDocumentPath());
    const std::string currentPath = folder + currentId + ".Json";
    if (!profileFile.empty() && !IsProfileFile(profileFile)) {
        std::fprintf(stderr, "light: %s is not a profile file\n", profileFile.c_str());
        return target;
    }
    target.currentProfile = profileFile.empty() || SameFile(profileFile, currentPath);
    if (openDevice && target.currentProfile) {
        MouseSession session = OpenMouseSession(device, options);
        if (session.device) {
            target.device = std::move(session.device);
            target.deviceKind = session.kind;
        }
    }
    if (!target.device)
        target.device = std::move(plain);
    devices::COrvaneMouseDevice& mouse = *target.device;
    mouse.SetLightListIndex(kMouseLightList);
    // The names first: a new data folder gets the program's effects there.
    mouse.LoadNameLists();
    if (target.currentProfile) {
        mouse.SetProfileBaseName(currentId);
        mouse.LoadProfile();
    } else {
        mouse.Profile().SetProfilePath(profileFile);
        mouse.Profile().LoadDocument(profileFile);
        mouse.LoadLightSettings();
    }
    target.profilePath = mouse.GetProfilePath();
    return target;
}

std::string ModeName(const devices::COrvaneMouseDevice& mouse, int position) {
    if (position >= kMouseBuiltInModes) {
        const std::vector<std::string>& custom = mouse.CustomLightNames();
        const size_t index = static_cast<size_t>(position - kMouseBuiltInModes);
        return index < custom.size() ? custom[index] : std::string();
    }
    if (const std::optional<std::string_view> name = devices::LightModeName(position))
        return std::string(*name);
    return position >= 0 ? "hidden mode" : "";
}

std::string ModeKey(const devices::COrvaneMouseDevice& mouse, int position) {
    const std::vector<std::string>& keys = mouse.LightNames();
    return position >= 0 && static_cast<size_t>(position) < keys.size()
               ? keys[static_cast<size_t>(position)]
               : std::string();
}

std::optional<int> ParseMode(const devices::COrvaneMouseDevice& mouse, const std::string& text,
                             std::string& error) {
    const std::vector<std::string>& custom = mouse.CustomLightNames();
    if (const std::optional<int> number = ParseNumberIn(text, 0, 255)) {
        const int p = *number;
        if (p < kMouseBuiltInModes ? BuiltInOffered(mouse, p)
                                   : static_cast<size_t>(p - kMouseBuiltInModes) < custom.size())
            return p;
        error = "no mode " + text + " (the modes are " + ModeRange(mouse) + ")";
        return std::nullopt;
    }
    for (size_t i = 0; i < custom.size(); ++i) {
        if (custom[i] == text)
            return kMouseBuiltInModes + static_cast<int>(i);
    }
    for (size_t i = 0; i < custom.size(); ++i) {
        if (ui::EqualsNoCase(custom[i], text))
            return kMouseBuiltInModes + static_cast<int>(i);
    }
    const std::string folded = FoldModeName(text);
    for (int p = 0; p < kMouseBuiltInModes; ++p) {
        if (!BuiltInOffered(mouse, p))
            continue;
        const std::string key = ModeKey(mouse, p);
        const std::optional<std::string_view> own = devices::LightModeName(p);
        if ((own && FoldModeName(*own) == folded) || (!key.empty() && FoldModeName(key) == folded))
            return p;
        if (!key.empty() && EnglishTexts().HasText(key) &&
            FoldModeName(EnglishTexts().GetText(key)) == folded)
            return p;
    }
    error = "no mode named \"" + text + "\" (the modes are " + ModeRange(mouse) +
            "; `light effect list` names the custom effects)";
    return std::nullopt;
}

std::optional<uint32_t> ParseHexColour(const std::string& text) {
    std::string_view digits = text;
    if (!digits.empty() && digits[0] == '#')
        digits.remove_prefix(1);
    if (digits.size() != 6)
        return std::nullopt;
    uint32_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::optional<int> ParseNumberIn(const std::string& text, int low, int high) {
    // Decimal, or hexadecimal after "0x" (how bytes are often written).
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* first = text.data() + (hex ? 2 : 0);
    const char* last = text.data() + text.size();
    int value = 0;
    const auto [end, ec] = std::from_chars(first, last, value, hex ? 16 : 10);
    if (first == last || ec != std::errc() || end != last || value < low || value > high)
        return std::nullopt;
    return value;
}

bool TakeLightOption(std::vector<std::string>& args, const char* name, std::string& value,
                     bool& given) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name)
            continue;
        if (i + 1 >= args.size()) {
            std::fprintf(stderr, "light: %s needs a value\n", name);
            return false;
        }
        value = args[i + 1];
        given = true;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    return true;
}

}  // namespace zenctl
