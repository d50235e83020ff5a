#include "platform/Process.h"

namespace platform {

std::vector<std::string> SplitCommandLine(const std::string& parameters) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (size_t i = 0; i < parameters.size(); ++i) {
        char c = parameters[i];
        if (c == '\\') {
            size_t slashes = 0;
            while (i < parameters.size() && parameters[i] == '\\') {
                ++slashes;
                ++i;
            }
            if (i < parameters.size() && parameters[i] == '"') {
                // 2n backslashes + quote: n backslashes and a quote mark;
                // 2n+1 backslashes + quote: n backslashes and a literal quote.
                current.append(slashes / 2, '\\');
                if (slashes % 2 == 1)
                    current.push_back('"');
                else
                    quoted = !quoted;
            } else {
                current.append(slashes, '\\');
                --i;
            }
            inArgument = true;
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
            continue;
        }
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument)
                arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
            continue;
        }
        current.push_back(c);
        inArgument = true;
    }
    if (inArgument)
        arguments.push_back(std::move(current));
    return arguments;
}

}  // namespace platform
