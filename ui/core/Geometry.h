#pragma once
// Plain geometry and colour types shared by the GUI library and its realisations.
// Values: any thread may use its own.
#include <algorithm>
#include <cstdint>

namespace ui {

// 0xAARRGGBB, as skins write colours ("#FF336699" or "0xFF336699").
using Color = uint32_t;

constexpr uint8_t ColorAlpha(Color c) {
    return static_cast<uint8_t>(c >> 24);
}
constexpr uint8_t ColorRed(Color c) {
    return static_cast<uint8_t>(c >> 16);
}
constexpr uint8_t ColorGreen(Color c) {
    return static_cast<uint8_t>(c >> 8);
}
constexpr uint8_t ColorBlue(Color c) {
    return static_cast<uint8_t>(c);
}
constexpr Color MakeColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 0xFF) {
    return (Color(a) << 24) | (Color(r) << 16) | (Color(g) << 8) | Color(b);
}

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Like a Win32 RECT: right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    Rect Intersect(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        if (r.IsEmpty())
            return Rect{};
        return r;
    }
    Rect Union(const Rect& o) const {
        if (IsEmpty())
            return o;
        if (o.IsEmpty())
            return *this;
        return Rect{std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                    std::max(bottom, o.bottom)};
    }
    Rect Offset(int dx, int dy) const { return Rect{left + dx, top + dy, right + dx, bottom + dy}; }
    Rect Deflate(const Rect& by) const {
        return Rect{left + by.left, top + by.top, right - by.right, bottom - by.bottom};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace ui
