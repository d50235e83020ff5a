#include "app/AppMessages.h"

#include "platform/MessageBus.h"
#include "platform/Trace.h"

namespace app {

namespace {
AppMessages g_messages;
}

const AppMessages& Messages() {
    return g_messages;
}

bool IsRegisteredMessageNumber(uint32_t number) {
    return number >= platform::kFirstRegisteredMessage &&
           number <= platform::kLastRegisteredMessage;
}

uint32_t RegisterProductTitleMessage() {
    g_messages.productTitle = platform::RegisterMessage(kProductTitle);
    platform::TraceF("软件标示：%d", static_cast<int>(g_messages.productTitle));
    return g_messages.productTitle;
}

void RegisterCompanionMessages() {
    uint32_t* targets[] = {&g_messages.settingsForward, &g_messages.lightAnnounce,
                           &g_messages.lightCommand, &g_messages.workToolQuery,
                           &g_messages.audioCommand};
    for (size_t i = 0; i < kCompanionMessageNames.size(); ++i)
        *targets[i] = platform::RegisterMessage(kCompanionMessageNames[i]);
}

void RegisterHookAndGameMessages() {
    for (size_t i = 0; i < kHookMessageNames.size(); ++i)
        g_messages.hook[i] = platform::RegisterMessage(kHookMessageNames[i]);
    for (size_t i = 0; i < kAdmittedMouseMessageNames.size(); ++i)
        g_messages.mouse[i] = platform::RegisterMessage(kAdmittedMouseMessageNames[i]);
    for (size_t i = 0; i < kGameMessageNames.size(); ++i)
        g_messages.game[i] = platform::RegisterMessage(kGameMessageNames[i]);
}

void SetMessagesForTesting(const AppMessages& messages) {
    g_messages = messages;
}

}  // namespace app
