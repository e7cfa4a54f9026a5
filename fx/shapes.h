#pragma once
// Small drawing pieces shared by the effects; internal to fx/.
#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "ui/app.h"
#include "ui/draw.h"

namespace ui::fxshape {

// Spreads particle i over 0..1 without clumping: frac(kGolden * i).
inline constexpr double kGolden = 0.6180339887;

inline double radians(double degrees) { return degrees * kDegree; }
inline double frac(double v) { return v - std::floor(v); }
// Effects grow with the caster's tier.
inline double tierFactor(int level) { return 1.0 + 0.18 * (level - 1); }

// A non-finite coordinate would put the context into an error state that
// stops all later drawing of the frame, so effects given one draw nothing.
inline bool allFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// A local frame: the state saved, the origin moved to (x, y) and turned by
// an angle in degrees (clockwise on screen); restored when it ends.
class Frame {
public:
    Frame(cairo_t* cr, double x, double y, double degrees = 0) : cr_(cr) {
        cairo_save(cr_);
        cairo_translate(cr_, x, y);
        turn(degrees);
    }
    ~Frame() { cairo_restore(cr_); }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    void turn(double degrees) {
        if (degrees != 0) cairo_rotate(cr_, radians(degrees));
    }
    void move(double x, double y) { cairo_translate(cr_, x, y); }
    // A zero factor would leave the context without an inverse (an error
    // state that stops all later drawing), so callers check `usable` first.
    void scale(double sx, double sy) { cairo_scale(cr_, sx, sy); }
    static bool usable(double factor) { return std::isfinite(factor) && factor != 0; }

private:
    cairo_t* cr_;
};

// A disc whose colour fades from alpha at the centre to nothing at the rim.
inline void glow(cairo_t* cr, double cx, double cy, double r, uint32_t color, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    addColorStop(p, 0, color, alpha);
    addColorStop(p, 1, color, 0);
    cairo_set_source(cr, p);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Shapes drawn beneath the overlay (see ui/beneath.h); coordinates are the
// frame's own, not the cairo context's.

// glow() beneath the overlay: painted once, faded by alpha when drawn.
void glowBeneath(const Ctx& ctx, double cx, double cy, double r, uint32_t color, double alpha);

// A round particle of diameter d centred on (cx, cy): one picture per
// colour, scaled to the size asked and faded by alpha, so a particle that
// grows and fades every frame paints nothing new.
void dotBeneath(const Ctx& ctx, double cx, double cy, double d, uint32_t color, double alpha);

// strokeCircle() beneath the overlay: one picture per line ratio and size
// step, scaled to the radius asked and faded by alpha; the line grows with
// the radius. A line wider than the ring's diameter fills a disc.
void ringBeneath(const Ctx& ctx, double cx, double cy, double radius, double lineWidth, uint32_t color,
                 double alpha);

// A bar w × h centred on the frame origin with corner radius h/2.
inline void bar(cairo_t* cr, double w, double h, uint32_t color, double alpha) {
    fillRoundedRect(cr, {-w / 2, -h / 2, w, h}, h / 2, color, alpha);
}

inline void triangle(cairo_t* cr, double x1, double y1, double x2, double y2, double x3, double y3, uint32_t color,
                     double alpha) {
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_line_to(cr, x3, y3);
    cairo_close_path(cr);
    setColor(cr, color, alpha);
    cairo_fill(cr);
}

// A rounded square of side 2 half centred on (cx, cy).
inline void squareAt(cairo_t* cr, double cx, double cy, double half, double radius, uint32_t color, double alpha) {
    fillRoundedRect(cr, {cx - half, cy - half, 2 * half, 2 * half}, radius, color, alpha);
}

} // namespace ui::fxshape
