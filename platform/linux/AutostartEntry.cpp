#include "platform/linux/AutostartEntry.h"

#include <string_view>

#include "platform/Autostart.h"

namespace platform {
namespace {

// Characters that make an Exec argument need double quotes.
bool NeedsQuotes(const std::string& text) {
    for (char c : text) {
        if (std::string_view(" \t'><~|&;*?#()").find(c) != std::string_view::npos)
            return true;
    }
    return false;
}

}  // namespace

std::optional<std::string> AutostartEntryText(const std::string& executable) {
    if (executable.empty() || executable.front() != '/')
        return std::nullopt;
    std::string argument;
    for (char c : executable) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '"' || c == '\\' || c == '$' || c == '`')
            return std::nullopt;
        argument.push_back(c);
        if (c == '%')  // field codes start with '%'
            argument.push_back('%');
    }
    if (NeedsQuotes(argument))
        argument = '"' + argument + '"';
    return std::string(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=T418-ZEN\n"
               "Comment=Mouse configuration in the tray\n"
               "Icon=t418-zen\n"
               "Exec=env ") +
           kStartHiddenVariable + "=1 " + argument +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace platform
