#pragma once
// The gallery's state as text, for tests that drive it with real input: one "key=value" line
// per item (control values, focus, open pop-ups, what the user chose last) and the rectangles
// of the named controls ("rect.NAME", client pixels of the window) and of the open pop-ups'
// items (screen pixels). StateFile rewrites a file whenever that text changes.
// Window thread only.
#include <string>

namespace gallery {

class GalleryWindow;

std::string DescribeState(GalleryWindow& window);

class StateFile {
  public:
    StateFile(GalleryWindow& window, std::string path);
    ~StateFile();
    StateFile(const StateFile&) = delete;
    StateFile& operator=(const StateFile&) = delete;

    // Writes the state now when it changed since the last write.
    void Update();

  private:
    GalleryWindow& window_;
    std::string path_;
    std::string written_;
    int timer_ = 0;
};

}  // namespace gallery
