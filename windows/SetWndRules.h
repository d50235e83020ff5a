#pragma once
// The settings window's rules without the window: the update entries it is handed and what a
// row shows of one, the language list's combo texts, and the last-check file
// "updatetime.config" ({"updatelasttime": {"value": "2025-3-7"}}), written once.
// Threads: any (pure functions; the file functions touch only the path given).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/LocalTime.h"

namespace windows {

inline constexpr char kUpdateTimeFileName[] = "updatetime.config";
inline constexpr char kInstallerFolderName[] = "UpdateData/";

// One update entry: a row of the device-model table with the version of that model's
// connected device (0 when none is connected).
struct UpdateEntry {
    int versionFormat = 0;  // non-zero: the version is shown in hexadecimal
    int second = 0;         // -1 for a device reached through its receiver
    uint32_t version = 0;
    std::string vendor;
    std::string code;  // "ALL" for the program's own row
    std::string name;
    std::string shortName;
    std::string versionText;
};

// What one row of the update list shows, prepared off the window thread.
struct UpdateRowData {
    std::string name;
    std::string version;
    std::string installerPath;
};

// "AP" for the program's own row (code "ALL"), else the entry's short name.
std::string UpdateRowName(const UpdateEntry& entry);
// "V%04x" of the version for a hexadecimal entry ("V0105", "V01ab"), else its version text.
std::string UpdateRowVersion(const UpdateEntry& entry);
// The row data of an entry; the installer lies in installerFolder under the row's name.
UpdateRowData MakeUpdateRow(const UpdateEntry& entry, const std::string& installerFolder);
// The entries the window is handed: those with a non-zero version, in order.
std::vector<UpdateEntry> EntriesWithVersion(const std::vector<UpdateEntry>& entries);

// "2025-3-7": year, month and day without leading zeros.
std::string LastCheckDate(const platform::LocalTime& time);
// The stored last-check date; when the file has none (missing, unreadable, not the expected
// shape), today's date is written to it and answered. A failed write still answers today.
std::string LoadOrStoreLastCheckDate(const std::string& path, const platform::LocalTime& today);

// The language combo's texts: the "Language_text" key of each "Language" entry of
// "Language.config", in order (an entry without one gives an empty text and keeps its
// place). Empty when the text is no such document.
std::vector<std::string> LanguageComboTexts(const std::string& configText);

}  // namespace windows
