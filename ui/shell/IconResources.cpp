#include "ui/shell/IconResources.h"

#include <map>

#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "ui/core/Backend.h"
#include "ui/skin/ResourceManager.h"

namespace ui {
namespace {

std::map<UINT, std::string>& IconTable() {
    static std::map<UINT, std::string> table;
    return table;
}

}  // namespace

void RegisterIconResource(UINT id, const std::string& imageFile) {
    IconTable()[id] = imageFile;
}

std::shared_ptr<Image> LoadIconResource(UINT id) {
    auto it = IconTable().find(id);
    if (it == IconTable().end()) {
        platform::TraceF("ui: icon resource %u is not registered", id);
        return nullptr;
    }
    return LoadIconFile(it->second);
}

std::shared_ptr<Image> LoadIconFile(const std::string& imageFile) {
    if (!HasBackend() || imageFile.empty())
        return nullptr;
    std::string bytes;
    if (!ReadSkinFile(imageFile, bytes, 16u << 20)) {
        platform::TraceF("ui: icon %s not readable", SkinFilePath(imageFile).c_str());
        return nullptr;
    }
    auto image = GetBackend().DecodeImage(bytes);
    if (!image)
        platform::TraceF("ui: icon %s is no image", SkinFilePath(imageFile).c_str());
    return image;
}

}  // namespace ui
