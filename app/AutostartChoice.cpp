#include "app/AutostartChoice.h"

#include "app/LanguageRules.h"
#include "platform/Autostart.h"
#include "platform/Registry.h"
#include "platform/Trace.h"

namespace app {

bool AutostartChosen() {
    std::optional<platform::RegistryKey> key = platform::OpenKey(kLanguageRegistryKey);
    return key && key->GetDword(kAutostartValueName).value_or(0) == 1;
}

bool ChooseAutostart(bool on, const std::string& executable) {
    if (!platform::SetAutostart(on, executable))
        return false;
    std::optional<platform::RegistryKey> key = platform::CreateKey(kLanguageRegistryKey);
    if (!key || !key->SetDword(kAutostartValueName, on ? 1 : 0))
        platform::Trace("autostart: the choice is not stored; the entry is changed");
    return true;
}

}  // namespace app
