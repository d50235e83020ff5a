#pragma once
// One scroll axis: content and view lengths give the range, the position runs from 0 to
// range; the thumb's place and size on a track follow from them, and a thumb drag maps
// back to a position. Pure arithmetic for CScrollBarUI and the scrolling containers.
namespace ui {

enum class ScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

struct ThumbGeometry {
    int start = 0;   // offset on the track
    int length = 0;  // 0: no thumb (nothing to scroll)
};

class ScrollModel {
  public:
    // range: how far the content can move (content length - view length, at least 0).
    void SetRange(int range);
    int Range() const { return range_; }
    void SetPage(int page);  // the view length, what PageUp/PageDown move
    int Page() const { return page_; }
    void SetLine(int line);  // what one arrow click or wheel notch moves
    int Line() const { return line_; }

    int Pos() const { return pos_; }
    // Clamped to 0..range; returns whether the position changed.
    bool SetPos(int pos);
    bool ScrollBy(int delta) { return SetPos(pos_ + delta); }
    bool LineUp() { return ScrollBy(-line_); }
    bool LineDown() { return ScrollBy(line_); }
    bool PageUp() { return ScrollBy(-page_); }
    bool PageDown() { return ScrollBy(page_); }

    // The thumb on a track of trackLength pixels, never shorter than minThumb.
    ThumbGeometry Thumb(int trackLength, int minThumb) const;
    // The position when the thumb, grabbed at position startPos, has been dragged by delta.
    int PosForThumbDrag(int startPos, int delta, int trackLength, int minThumb) const;
    // Which part of the track an offset on it hits (arrows are the control's business).
    ScrollPart HitTrack(int offset, int trackLength, int minThumb) const;

  private:
    int range_ = 0;
    int page_ = 0;
    int line_ = 8;
    int pos_ = 0;
};

}  // namespace ui
