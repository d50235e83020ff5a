#pragma once
// The keyboard's profile object: its three-word system record and its custom light colours.
#include <cstdint>
#include <vector>

#include "profile/BasicProfiledata.h"
#include "profile/Records.h"

namespace profile {

// Halves of the keyboard system record, all in "SystemStages": word k holds entries 2k (low)
// and 2k + 1 (high).
inline constexpr const char* kKeyboardSystemKeys[] = {"Repeat",      "RepeatDelay", "Key6Flag",
                                                      "PollingRate", "WFlag",       "WinFlag"};

// One key's colour of a custom light group.
struct CustomKeyColour {
    uint8_t red = 0, green = 0, blue = 0, alpha = 0;
    friend bool operator==(const CustomKeyColour&, const CustomKeyColour&) = default;
};

class CKeyboardProfiledata : public CBasicProfiledata {
  public:
    KeyboardSystemRecord GetKeyboardSystemRecord();
    void SetKeyboardSystemRecord(uint32_t w0, uint32_t w1, uint32_t w2);

    // "CustomLightMode": the selected group and the per-key colours of one group (empty when
    // the group is missing).
    int32_t GetCustomLightGroupIndex() const;
    void SetCustomLightGroupIndex(int32_t index);
    std::vector<CustomKeyColour> GetCustomColours(int32_t group) const;
    void SetCustomColours(int32_t group, const std::vector<CustomKeyColour>& colours);

  private:
    KeyboardSystemRecord systemRecord_{};
};

}  // namespace profile
