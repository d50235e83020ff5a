#pragma once
// The key panel of a device page as the device object sees it: the device shows a key's
// record in it, fills its macro list and asks it how a key's function reads in the key list
// beside the picture (the panel owns the naming rules and the language).
// Threads: window thread only.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "profile/Records.h"

namespace devices {

class IKeyPanel {
  public:
    virtual ~IKeyPanel() = default;
    // Keeps both halves of the record and shows the current one.
    virtual void ShowKeyRecord(const profile::KeyRecord& record) = 0;
    // 1 keyboard, 2 mouse: which function pages the panel offers.
    virtual void SetDeviceType(int type) = 0;
    virtual void SetMacroNames(const std::vector<std::string>& names) = 0;
    // The translated text of a language key.
    virtual std::string LanguageText(const std::string& key) = 0;
    // The translated name of a key's function; nothing when the key list keeps what it
    // showed for the key.
    virtual std::optional<std::string> FunctionText(const profile::KeyAssignment& assignment,
                                                    std::span<const std::string> macroNames) = 0;
};

// The control name of the key panel in every device page.
inline constexpr const char* kKeyPanelName = "KeySetControlItem";
// The list of key labels and functions beside the device picture.
inline constexpr const char* kKeyNameListName = "device_setkeyinfo_list";

}  // namespace devices
