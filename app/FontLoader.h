#pragma once
// One private display font of the program, loaded from the bytes of a file below the program
// folder. A font that cannot be read is skipped (the system's fonts stand in). The GUI
// realisation drops private fonts all at once, so the last Unload of the process releases
// them.
// Threads: one thread at a time per loader (start-up loads them off the window thread); the
// last Unload on the window thread.
#include <string>

namespace ui {
class Backend;
}

namespace app {

class FontLoader {
  public:
    // folder: where relative names start (trailing '/'); empty: the program folder.
    // backend: the realisation the fonts go to, taken on the window thread so that a loader
    // may run on another thread; null: the one in use, and Load on the window thread.
    explicit FontLoader(std::string folder = {}, ui::Backend* backend = nullptr);
    ~FontLoader() = default;
    FontLoader(const FontLoader&) = delete;
    FontLoader& operator=(const FontLoader&) = delete;

    // Reads the file whole and adds its bytes as a private font; false when the file is
    // missing, unreadable, empty or no font.
    bool Load(const std::string& relativeName);
    // Nothing when nothing is loaded.
    void Unload();

    bool Loaded() const { return !family_.empty(); }
    const std::string& Family() const { return family_; }

  private:
    std::string folder_;
    ui::Backend* backend_;
    std::string family_;
};

// The program's four fonts, in load order.
inline constexpr const char* kProgramFonts[4] = {
    "Font/Simplified_Chinese.ttf", "Font/Sentinel-Regular.otf", "Font/NotoSansThai-Regular.ttf",
    "Font/NotoSansCJKtc-Regular.otf"};

}  // namespace app
