#pragma once
// A slider's numbers: minimum, maximum, value and step, and the mapping between a value
// and a thumb position on a track. Values snap to the step counted from the minimum
// (the maximum itself is always reachable).
namespace ui {

class SliderModel {
  public:
    // A maximum below the minimum is taken as equal to it.
    void SetRange(int minValue, int maxValue);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetStep(int step);  // below 1 counts as 1
    int Step() const { return step_; }

    int Value() const { return value_; }
    // Clamped, not snapped (code may set any value in range); returns whether it changed.
    bool SetValue(int value);
    bool StepBy(int steps);  // keyboard and wheel: whole steps, then clamped

    // Offset of the thumb's centre on a track of trackLength pixels, 0 at the minimum
    // (for a vertical slider the caller counts from the bottom).
    int OffsetForValue(int value, int trackLength) const;
    // The snapped value under an offset on the track.
    int ValueForOffset(int offset, int trackLength) const;
    int Snap(int value) const;

  private:
    int min_ = 0;
    int max_ = 100;
    int step_ = 1;
    int value_ = 0;
};

}  // namespace ui
