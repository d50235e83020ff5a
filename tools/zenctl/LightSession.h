#pragma once
// The mouse object `t418-zenctl light` works through: its profile document (the current
// profile of the profile list, or a profile file), its mode list and custom effects as the
// program loads them, and its command channel when the mouse is on the bus.
// Threads: the tool's only thread.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "tools/zenctl/Command.h"

namespace zenctl {

// The mouse's list in "default_light.json" and "kesta_light.config" (its device model's).
constexpr int kMouseLightList = 1;
// Built-in positions of the mouse's mode list; custom effects follow from 12.
constexpr int kMouseBuiltInModes = 12;

struct LightTarget {
    std::unique_ptr<devices::COrvaneMouseDevice> device;
    std::string profilePath;
    // The document is the profile list's selected profile: only that one goes to the mouse.
    bool currentProfile = false;
    // "cable" or "receiver" when the mouse's command interface was opened, else empty.
    std::string deviceKind;
};

// Opens the document: `profileFile` when given (it must be a profile file: it is never
// created or repaired here), else the current profile (made as the program makes it when the
// list has none). With openDevice and the current profile, the mouse is looked for as
// `device` says ("", "cable" or "receiver"). Null device after a message on failure.
LightTarget OpenLightTarget(const std::string& profileFile, bool openDevice,
                            const std::string& device, const Options& options);

// The name of mode position p: a custom effect's name, the program's name of a built-in mode
// ("breathe"), "hidden mode" for the list's hidden positions, "" past the list.
std::string ModeName(const devices::COrvaneMouseDevice& mouse, int position);
// The language key the mode list gives position p ("" when none).
std::string ModeKey(const devices::COrvaneMouseDevice& mouse, int position);

// MODE as a position: a number within the list, a custom effect's name (exact first, then
// without regard to case), a built-in mode's name ("colour cycle", "colour-cycle"), its
// language key or its English text. Empty with a message in `error`.
std::optional<int> ParseMode(const devices::COrvaneMouseDevice& mouse, const std::string& text,
                             std::string& error);

// "RRGGBB" or "#RRGGBB" as the packed colour 0x00RRGGBB.
std::optional<uint32_t> ParseHexColour(const std::string& text);
// A whole number within [low, high], decimal or "0x" hexadecimal.
std::optional<int> ParseNumberIn(const std::string& text, int low, int high);

// Removes "NAME VALUE" from args; false (with a message) when NAME has no value.
bool TakeLightOption(std::vector<std::string>& args, const char* name, std::string& value,
                     bool& given);

}  // namespace zenctl
