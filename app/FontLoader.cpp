#include "app/FontLoader.h"

#include <atomic>

#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "ui/core/Backend.h"
#include "ui/core/PaintManager.h"

namespace app {

namespace {
// Fonts this process holds through a loader.
std::atomic<int> g_loadedFonts{0};
constexpr size_t kMaxFontBytes = 64u << 20;
}  // namespace

FontLoader::FontLoader(std::string folder, ui::Backend* backend)
    : folder_(folder.empty() ? platform::ProgramFolder() : platform::WithTrailingSlash(folder)),
      backend_(backend) {}

bool FontLoader::Load(const std::string& relativeName) {
    if (Loaded())
        return true;
    std::string bytes;
    if (!platform::ReadWholeFile(folder_ + relativeName, bytes, kMaxFontBytes) || bytes.empty())
        return false;
    family_ = backend_ != nullptr ? backend_->AddPrivateFont(bytes)
                                  : ui::CPaintManagerUI::AddFontMemResource(bytes);
    if (family_.empty())
        return false;
    ++g_loadedFonts;
    return true;
}

void FontLoader::Unload() {
    if (!Loaded())
        return;
    family_.clear();
    if (--g_loadedFonts == 0 && ui::HasBackend())
        ui::GetBackend().RemovePrivateFonts();
}

}  // namespace app
