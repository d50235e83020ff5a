#include "tools/zenctl/LightPresets.h"

#include <array>
#include <memory>

#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/DialogBuilder.h"

namespace zenctl {
namespace {

constexpr const char* kLightPanelSkin = "XML/CustomControlXML/LightControl.xml";
constexpr const char* kPresetButtonPrefix = "color_option_";

// The presets of a skin without a lighting panel, numbered from 0 like the skin's buttons.
constexpr std::array<uint32_t, 8> kBuiltInPresets = {
    0xFFFF3B3B,  // red
    0xFFFF7A2F,  // orange
    0xFFFFE14D,  // yellow
    0xFF3DD68C,  // green
    0xFF2FD3F2,  // cyan
    0xFF4C8DFF,  // blue
    0xFF9B5CFF,  // violet
    0xFFFFFFFF,  // white
};

}  // namespace

std::optional<uint32_t> PresetColourFromSkin(const std::string& skinFile, int n) {
    if (n < 0)
        return std::nullopt;
    // Built as the page builds it, so that the panel's defaults and styles apply.
    ui::CPaintManagerUI manager;
    ui::CDialogBuilder builder;
    std::unique_ptr<ui::CControlUI> root(builder.Create(skinFile, "", nullptr, &manager));
    if (!root)
        return std::nullopt;
    const ui::CControlUI* button =
        manager.FindSubControlByName(root.get(), kPresetButtonPrefix + std::to_string(n));
    if (button == nullptr)
        return std::nullopt;
    return button->GetBkColor();
}

std::optional<PresetColour> LightPresetColour(int n) {
    const std::string skin = platform::ProgramFolder() + "skin/" + kLightPanelSkin;
    if (platform::FileExists(skin)) {
        const std::optional<uint32_t> colour = PresetColourFromSkin(skin, n);
        if (!colour)
            return std::nullopt;
        return PresetColour{*colour, skin};
    }
    if (n < 0 || static_cast<size_t>(n) >= kBuiltInPresets.size())
        return std::nullopt;
    return PresetColour{kBuiltInPresets[static_cast<size_t>(n)], "built-in presets"};
}

}  // namespace zenctl
