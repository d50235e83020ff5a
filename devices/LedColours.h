#pragma once
// The preview colours of a device's LEDs: red, green, blue and a level 0-255 per LED. The
// preview thread writes them while the window thread reads them, so each entry is one
// atomic word. Resize only while no other thread uses the list; Set, Get and Fill from any
// thread.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace devices {

struct LedColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t level = 0;
    friend bool operator==(const LedColour&, const LedColour&) = default;
};

class LedColourList {
  public:
    // Sets the size; every entry becomes zero.
    void Resize(size_t count);
    size_t Size() const { return size_; }
    void Clear();  // every entry zero
    void Fill(LedColour colour);
    // Out-of-range indexes are ignored (Set) or answer zero (Get).
    void Set(size_t index, LedColour colour);
    LedColour Get(size_t index) const;

  private:
    std::unique_ptr<std::atomic<uint32_t>[]> entries_;
    size_t size_ = 0;
};

}  // namespace devices
