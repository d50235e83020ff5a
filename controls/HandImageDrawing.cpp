#include "controls/HandImageDrawing.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "ui/core/PaintManager.h"
#include "ui/render/RenderEngine.h"

namespace controls {
namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool ParseDecimal(std::string_view text, int& out) {
    return ui::ParseInt(text, out);
}

bool ParseFourInts(const std::string& text, ui::Rect& out) {
    int v[4];
    if (!ui::ParseInts(text, v, 4))
        return false;
    out = ui::Rect{v[0], v[1], v[2], v[3]};
    return true;
}

void ApplyToken(ui::TDrawInfo& info, std::string_view key, const std::string& value) {
    if (key == "file" || key == "res") {
        info.file = value;
    } else if (key == "restype") {
        info.resType = value;
    } else if (key == "dest") {
        ParseFourInts(value, info.dest);
    } else if (key == "source") {
        ParseFourInts(value, info.source);
    } else if (key == "corner") {
        ParseFourInts(value, info.corner);
    } else if (key == "mask") {
        std::string hex = value[0] == '#' ? value.substr(1) : value;
        char* end = nullptr;
        unsigned long mask = std::strtoul(hex.c_str(), &end, 16);
        if (!hex.empty() && end != nullptr && *end == '\0')
            info.mask = static_cast<ui::Color>(mask);
    } else if (key == "fade") {
        int fade = 0;
        if (ParseDecimal(value, fade))
            info.fade = static_cast<uint8_t>(std::clamp(fade, 0, 255));
    } else if (key == "hole") {
        info.hole = ui::EqualsNoCase(value, "true");
    } else if (key == "xtiled") {
        info.xTiled = ui::EqualsNoCase(value, "true");
    } else if (key == "ytiled") {
        info.yTiled = ui::EqualsNoCase(value, "true");
    } else if (key == "hsl") {
        info.hsl = ui::EqualsNoCase(value, "true");
    }
}

void ParseInto(ui::TDrawInfo& info, std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        size_t keyStart = i;
        while (i < text.size() && text[i] != '=' && !IsBlank(text[i]))
            ++i;
        std::string_view key = text.substr(keyStart, i - keyStart);
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        if (i >= text.size() || text[i] != '=')
            return;
        ++i;
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        if (i >= text.size() || text[i] != '\'')
            return;
        ++i;
        size_t valueStart = i;
        while (i < text.size() && text[i] != '\'')
            ++i;
        if (i >= text.size())
            return;
        std::string value(text.substr(valueStart, i - valueStart));
        ++i;  // the closing quote
        if (!value.empty())
            ApplyToken(info, key, value);
        if (i >= text.size())
            return;
        // One separator after the quote; anything but a blank ends the string.
        char next = text[i++];
        if (next != ' ')
            return;
    }
}

// A skin file: a relative name that exists under the resource folder.
bool IsSkinFile(const std::string& file) {
    if (file.empty() || file.find(':') != std::string::npos || ui::IsAbsolutePath(file))
        return false;
    std::error_code ec;
    std::string path = ui::CPaintManagerUI::GetResourcePath() + ui::NormalizePath(file);
    return std::filesystem::exists(path, ec);
}

}  // namespace

ui::TDrawInfo ParseHandImageDescription(const std::string& description, const std::string& modify) {
    ui::TDrawInfo info;
    info.drawString = description;
    info.drawModify = modify;
    info.file = description;
    ParseInto(info, description);
    ParseInto(info, modify);
    return info;
}

bool DrawHandImage(ui::CControlUI& control, ui::RenderTarget& target, const ui::RECT& paint,
                   const std::string& description, HandImageFallback fallback,
                   const std::string& chosenFile) {
    ui::CPaintManagerUI* manager = control.GetManager();
    if (manager == nullptr || description.empty())
        return false;
    const ui::TDrawInfo* parsed = manager->GetDrawInfo(description);
    if (parsed == nullptr)
        return false;
    ui::TDrawInfo info = *parsed;
    if (!IsSkinFile(info.file)) {
        if (fallback == HandImageFallback::OwnParser) {
            info = ParseHandImageDescription(description);
        } else {
            info.file = chosenFile;
        }
    }
    if (info.file.empty())
        return false;
    return ui::CRenderEngine::DrawImageInfo(target, manager, control.GetPos(), paint, info);
}

}  // namespace controls
