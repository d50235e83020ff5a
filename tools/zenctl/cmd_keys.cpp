// keys tables [TABLE]: every row of the key tables the key panel, the macro editor and the
// recorder use, as the program holds them; keys show|set (KeysEdit.cpp).
#include <cstdio>
#include <span>
#include <string>

#include "panels/keys/KeyTables.h"
#include "tools/zenctl/Command.h"
#include "tools/zenctl/KeysEdit.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

namespace keys = panels::keys;

struct NamedTable {
    const char* name;
    std::span<const keys::KeyRow> (*rows)();
};

constexpr NamedTable kTables[] = {
    {"mouse-button", keys::MouseButtonTable}, {"dpi", keys::DpiFunctionTable},
    {"media", keys::MediaKeyTable},           {"system", keys::SystemKeyTable},
    {"combination", keys::CombinationTable},  {"gun", keys::GunKeyTable},
};
constexpr const char* kKeyboard = "keyboard";

int Usage() {
    std::fprintf(stderr,
                 "usage: t418-zenctl keys show [--profile P] [--lang en|zh] [--device D]\n"
                 "       t418-zenctl keys set KEY FUNCTION [--profile P] [--device D]\n"
                 "       t418-zenctl keys tables [mouse-button|dpi|media|system|combination|gun|"
                 "keyboard]\n");
    return kExitUsage;
}

void PrintTable(const NamedTable& table) {
    const std::span<const keys::KeyRow> rows = table.rows();
    std::printf("%s (%zu rows)\n", table.name, rows.size());
    std::printf("  %-5s %-28s %-6s %-6s %s\n", "index", "name", "type", "p1", "p2");
    for (size_t i = 0; i < rows.size(); ++i) {
        const keys::KeyPattern& p = rows[i].pattern;
        std::printf("  %-5zu %-28s 0x%02X   0x%02X   0x%02X\n", i, rows[i].nameKey, p.type, p.p1,
                    p.p2);
    }
}

void PrintKeyboard() {
    const std::span<const keys::KeyboardRow> rows = keys::KeyboardTable();
    std::printf("%s (%zu rows; scan codes set 1, rows 0-112)\n", kKeyboard, rows.size());
    std::printf("  %-5s %-38s %-6s %-6s %-6s %-7s %-6s %s\n", "index", "name", "type", "p1", "p2",
                "vk", "scan", "ext");
    for (size_t i = 0; i < rows.size(); ++i) {
        const keys::KeyPattern& p = rows[i].pattern;
        const keys::RowScan scan = keys::KeyboardRowScan(static_cast<int>(i));
        std::printf("  %-5zu %-38s 0x%02X   0x%02X   0x%02X   0x%04X  ", i, rows[i].nameKey, p.type,
                    p.p1, p.p2, rows[i].vk);
        if (scan.present)
            std::printf("0x%02X   %d\n", scan.scan, scan.extended ? 1 : 0);
        else
            std::printf("-      -\n");
    }
}

int RunKeys(const std::vector<std::string>& args, const Options& options) {
    if (!args.empty() && args[0] == "show")
        return RunKeysShow({args.begin() + 1, args.end()}, options);
    if (!args.empty() && args[0] == "set")
        return RunKeysSet({args.begin() + 1, args.end()}, options);
    if (args.empty() || args[0] != "tables" || args.size() > 2)
        return Usage();
    const std::string only = args.size() == 2 ? args[1] : "";
    bool printed = false;
    for (const NamedTable& table : kTables) {
        if (!only.empty() && only != table.name)
            continue;
        if (printed)
            std::printf("\n");
        PrintTable(table);
        printed = true;
    }
    if (only.empty() || only == kKeyboard) {
        if (printed)
            std::printf("\n");
        PrintKeyboard();
        printed = true;
    }
    return printed ? kExitOk : Usage();
}

const CommandRegistration registration({"keys", "keys show|set KEY FUNCTION|tables [TABLE]",
                                        "the current profile's key assignments; give a key a "
                                        "function as the key page does; print the key tables",
                                        RunKeys});

}  // namespace
}  // namespace zenctl
