#include "panels/MacroUploadNotice.h"

#include "devices/mouse/EventArea.h"
#include "panels/PanelHost.h"
#include "panels/profiles/MacroUploadMessage.h"

namespace panels {

void ShowMacroUploadResult(IPanelHost& host, const std::string& userDataFolder, int result,
                           const std::vector<int>& indices) {
    if (result == 0)
        return;
    const std::vector<size_t> counts =
        result > 0 ? MacroEventCounts(userDataFolder, indices) : std::vector<size_t>();
    const MacroUploadMessage message =
        DescribeMacroUpload(result, counts, devices::mouse::kMaxMacroEvents);
    if (message.key.empty())
        return;
    if (message.hasNumber)
        host.ShowText(FormatNumberText(host.LanguageText(message.key), message.number));
    else
        host.ShowKey(message.key);
}

}  // namespace panels
