#pragma once
// The firmware upgrade tool of old cable mice: where it lies, how it is started, and which
// firmware asks for it.
// Threads: any.
#include <cstdint>
#include <string>

namespace app {

inline constexpr char kUpgradeFolderName[] = "Update/";
inline constexpr char kUpgradeToolName[] = "FW902T-V0103-20251107.exe";
inline constexpr char kUpgradeToolParameters[] = "On the upgrade";
// Firmware from this version on needs no upgrade.
inline constexpr uint32_t kFirstCurrentFirmware = 0x0103;

// The program folder's "Update/" (programFolder ends in '/').
std::string UpgradeFolder(const std::string& programFolder);

// The tool in the folder: its ".exe" name, else the same name without ".exe" (a native
// build); empty when neither is a file this user may run.
std::string FindUpgradeTool(const std::string& folder);

// The tool-missing text with the folder in place of its "%s" (the text as it is without one).
std::string ToolMissingText(const std::string& text, const std::string& folder);

}  // namespace app
