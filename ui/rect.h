#pragma once
// The rectangle every hit test, widget and drawing call works with.

namespace ui {

// Logical units; (x, y) is the top-left corner.
struct Rect {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;

    // Half-open: a point on the right or bottom edge lies outside, so two
    // rectangles that touch never both contain it.
    bool contains(double px, double py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

} // namespace ui
