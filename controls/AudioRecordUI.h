#pragma once
// CAudioRecordUI: a bar graph of sound samples. On white, one black bar 1 pixel wide every
// second pixel from the left, as many as fit (at most one per sample), standing on the bottom
// edge; a sample of kFullScale reaches the top. Samples outside 0 to kFullScale are drawn as
// the nearest end of that range.
//
// Skin tag "AudioRecord"; the attributes are those of "Label".
// Threads: window thread only.
#include <array>
#include <cstdint>
#include <span>

#include "ui/controls/LabelUI.h"

namespace controls {

class CAudioRecordUI : public ui::CLabelUI {
  public:
    static constexpr const char* kClassName = "AudioRecord";
    static constexpr int kSampleCount = 500;
    static constexpr int kFullScale = 8192;
    static constexpr ui::Color kPaperColour = 0xFFFFFFFF;
    static constexpr ui::Color kBarColour = 0xFF000000;

    CAudioRecordUI();

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;

    // One frame of samples, oldest first: the first kSampleCount values are kept, missing ones
    // read 0. Repaints.
    void SetSamples(std::span<const int32_t> samples);
    const std::array<int32_t, kSampleCount>& Samples() const { return samples_; }

    // Top of bar i's filled part inside a control whose top is top and height is height.
    static int BarTop(int32_t sample, int top, int height);

    void PaintBkColor(ui::RenderTarget& target) override;
    void PaintForeImage(ui::RenderTarget& target) override;

  private:
    std::array<int32_t, kSampleCount> samples_{};
};

}  // namespace controls
