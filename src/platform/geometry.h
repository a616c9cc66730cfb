// Points, sizes and rectangles in pixels for the platform's drawing calls. A Rect runs from
// (left, top) inclusive to (right, bottom) exclusive, as the game's drawing code counts.
#pragma once

namespace dravok {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    static Rect from_size(int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace dravok
