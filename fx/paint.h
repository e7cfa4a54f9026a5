#pragma once
// Shape helpers for the effects until the shared drawing module is in place;
// same names and arguments as ui/draw.h so that the effects switch over by
// dropping the namespace.
#include <cairo.h>

#include <algorithm>
#include <cstdint>

#include "ui/rect.h"

namespace paint {

inline void setColor(cairo_t* cr, uint32_t color, double alpha = 1.0) {
    cairo_set_source_rgba(cr, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0,
                          alpha);
}

inline void fillRect(cairo_t* cr, const ui::Rect& r, uint32_t color, double alpha = 1.0) {
    cairo_new_path(cr);
    cairo_rectangle(cr, r.x, r.y, r.w, r.h);
    setColor(cr, color, alpha);
    cairo_fill(cr);
}

inline void roundedRectPath(cairo_t* cr, const ui::Rect& r, double radius) {
    constexpr double kPi = 3.14159265358979323846;
    double rad = std::max(0.0, std::min(radius, std::min(r.w, r.h) / 2));
    cairo_new_sub_path(cr);
    cairo_arc(cr, r.x + r.w - rad, r.y + rad, rad, -kPi / 2, 0);
    cairo_arc(cr, r.x + r.w - rad, r.y + r.h - rad, rad, 0, kPi / 2);
    cairo_arc(cr, r.x + rad, r.y + r.h - rad, rad, kPi / 2, kPi);
    cairo_arc(cr, r.x + rad, r.y + rad, rad, kPi, 1.5 * kPi);
    cairo_close_path(cr);
}

inline void fillRoundedRect(cairo_t* cr, const ui::Rect& r, double radius, uint32_t color, double alpha = 1.0) {
    roundedRectPath(cr, r, radius);
    setColor(cr, color, alpha);
    cairo_fill(cr);
}

inline void strokeRoundedRect(cairo_t* cr, const ui::Rect& r, double radius, double lineWidth, uint32_t color,
                              double alpha = 1.0) {
    roundedRectPath(cr, r, radius);
    setColor(cr, color, alpha);
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke(cr);
}

inline void fillCircle(cairo_t* cr, double cx, double cy, double radius, uint32_t color, double alpha = 1.0) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 6.283185307179586);
    setColor(cr, color, alpha);
    cairo_fill(cr);
}

inline void strokeCircle(cairo_t* cr, double cx, double cy, double radius, double lineWidth, uint32_t color,
                         double alpha = 1.0) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 6.283185307179586);
    setColor(cr, color, alpha);
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke(cr);
}

} // namespace paint
