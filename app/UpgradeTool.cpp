#include "app/UpgradeTool.h"

#include "platform/Process.h"

namespace app {

std::string UpgradeFolder(const std::string& programFolder) {
    return programFolder + kUpgradeFolderName;
}

std::string FindUpgradeTool(const std::string& folder) {
    const std::string windowsName = folder + kUpgradeToolName;
    if (platform::IsRunnableFile(windowsName))
        return windowsName;
    const std::string nativeName = windowsName.substr(0, windowsName.size() - 4);
    if (platform::IsRunnableFile(nativeName))
        return nativeName;
    return {};
}

std::string ToolMissingText(const std::string& text, const std::string& folder) {
    const size_t at = text.find("%s");
    if (at == std::string::npos)
        return text;
    return text.substr(0, at) + folder + text.substr(at + 2);
}

}  // namespace app
