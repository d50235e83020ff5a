#include "devices/IndexedName.h"

#include "ui/core/StringUtil.h"

namespace devices {

std::optional<IndexedName> SplitIndexedName(std::string_view text) {
    size_t underscore = text.rfind('_');
    if (underscore == std::string_view::npos)
        return std::nullopt;
    IndexedName name;
    name.prefix = std::string(text.substr(0, underscore + 1));
    std::string_view rest = text.substr(underscore + 1);
    // Read as the C library reads a leading number: sign, digits, the rest ignored.
    size_t i = 0;
    bool negative = false;
    if (i < rest.size() && (rest[i] == '-' || rest[i] == '+'))
        negative = rest[i++] == '-';
    long value = 0;
    for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) {
        value = value * 10 + (rest[i] - '0');
        if (value > 1000000)
            break;  // far beyond any page; keeps the number small
    }
    name.number = static_cast<int>(negative ? -value : value);
    return name;
}

std::optional<size_t> IndexFor(std::string_view text, std::string_view prefix, size_t size) {
    std::optional<IndexedName> name = SplitIndexedName(text);
    if (!name || !ui::EqualsNoCase(name->prefix, prefix))
        return std::nullopt;
    if (name->number < 0 || static_cast<size_t>(name->number) >= size)
        return std::nullopt;
    return static_cast<size_t>(name->number);
}

}  // namespace devices
