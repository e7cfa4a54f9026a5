// Bursts, heal columns, buff links, status auras and flask pours.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "fx/fx.h"
#include "fx/shapes.h"
#include "ui/draw.h"
#include "ui/beneath.h"

namespace ui {
namespace {

using namespace fxshape;

// A piecewise-linear curve through four knots, held at its end values
// outside them.
double curveAt(const double (&knots)[4], const double (&values)[4], double t) {
    if (t <= knots[0]) return values[0];
    for (int i = 0; i < 3; ++i) {
        if (t <= knots[i + 1]) {
            const double span = knots[i + 1] - knots[i];
            return values[i] + (values[i + 1] - values[i]) * (t - knots[i]) / span;
        }
    }
    return values[3];
}

double easeOut(double t) { return 1 - (1 - t) * (1 - t); }

// ---- Burst -------------------------------------------------------------

// Beneath the overlay: a burst's pieces fly over a wide square that would
// change every frame. The flash and the particles are cut from white
// rounded squares (a corner of 0.28 the side, as the flash has), tinted;
// the particles all go out in one call.
struct RoundedSquare {
    int side;  // pixels, a clear pixel all round
};

void paintRoundedSquare(cairo_t* cr, void* user) {
    const int side = static_cast<const RoundedSquare*>(user)->side;
    const double u = 1 / gpuScale();
    const double inner = side - 2;
    fillRoundedRect(cr, {u, u, inner * u, inner * u}, 0.28 * inner * u, 0xFFFFFF, 1.0);
}

beneath::Picture roundedSquare(int side) {
    RoundedSquare sq{side};
    char key[32];
    std::snprintf(key, sizeof key, "fxsquare|%d", side);
    return beneath::Picture(key, side, side, paintRoundedSquare, &sq);
}

// A square of side d (units) centred on (cx, cy), its texture's clear rim
// around it.
GpuQuad squareQuad(double cx, double cy, double d, int side) {
    const double box = d * side / (side - 2);
    return {cx, cy, box, box};
}

void burst(const Ctx& ctx, double x, double y, uint32_t color, int count, double radius, bool flash, bool ring,
           double s, double e) {
    const beneath::Picture small = roundedSquare(10);
    const beneath::Picture big = flash ? roundedSquare(34) : beneath::Picture();
    const double m = e / 0.38;
    if (flash && m < 1) {
        const double a = m < 0.25 ? 4 * m * 0.95 : 1.27 * (1 - m);
        const GpuQuad q = squareQuad(x, y, 18 * s * (0.4 + 1.3 * m), 34);
        if (a > 0) beneath::drawQuads(ctx, big, &q, 1, 0xFFFFFF, a);
    }
    if (ring) {
        const double u = 0.25 + 2.4 * e;
        ringBeneath(ctx, x, y, 20.5 * s * u, 3 * s * u, color, 0.85 * (1 - e));
    }
    const int n = std::max(1, count);
    static std::vector<GpuQuad> quads;
    quads.clear();
    for (int i = 0; i < n; ++i) {
        const double angle = 2 * kPi * i / n + (i % 2 == 1 ? 0.4 : 0);
        const double cx = x + std::cos(angle) * radius * s * e;
        const double cy = y + std::sin(angle) * radius * s * e - 6 * s * e;
        quads.push_back(squareQuad(cx, cy, (3 + i % 3) * s * (1 - 0.5 * e), 10));
    }
    beneath::drawQuads(ctx, small, quads.data(), n, color, 1 - e);
}

// ---- Heal column -------------------------------------------------------

// Adds a rectangle path with quarter-circle top corners (radius taken as
// given) and square bottom corners.
void topRoundedPath(cairo_t* cr, const Rect& r, double radius) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, r.x, r.y + r.h);
    cairo_line_to(cr, r.x, r.y + radius);
    cairo_arc(cr, r.x + radius, r.y + radius, radius, kPi, 1.5 * kPi);
    cairo_arc(cr, r.x + r.w - radius, r.y + radius, radius, 1.5 * kPi, 2 * kPi);
    cairo_line_to(cr, r.x + r.w, r.y + r.h);
    cairo_close_path(cr);
}

void columnLayers(cairo_t* cr, double x, double y, double s, double h, double d) {
    Frame f(cr, x, y + 16 * s - 14 * s * d);
    f.scale(1, 1 - 0.15 * d);
    const Rect outer{-30 * s, -42 * s, 60 * s, 84 * s};
    topRoundedPath(cr, outer, 18 * s);
    fillPath(cr, 0x6EC846, 0.2 * h);
    topRoundedPath(cr, outer, 18 * s);
    setColor(cr, 0xDCFFBE, 0.3 * h);
    cairo_set_line_width(cr, 1.5 * s);
    cairo_stroke(cr);
    // The inner layers have no outline.
    topRoundedPath(cr, {-23 * s, -37 * s, 46 * s, 79 * s}, 13 * s);
    fillPath(cr, 0x8CE15F, 0.28 * h);
    topRoundedPath(cr, {-16 * s, -30 * s, 32 * s, 72 * s}, 10 * s);
    fillPath(cr, 0xDCFFC8, 0.34 * h);
}

void columnSparks(cairo_t* cr, double x, double y, double s, double t) {
    for (int i = 0; i < 6; ++i) {
        const double p = (t - (0.08 + 0.13 * i)) / 0.55;
        if (!(p > 0 && p < 1)) continue;
        const double u = frac(kGolden * i);
        const double cx = x + (u - 0.5) * 26 * s + 3 * s * std::sin(5 * p + i);
        const double cy = y + 45 * s - 74 * s * p;
        const bool odd = i % 2 == 1;
        const double k = (odd ? 1.1 : 0.85) * s;
        const uint32_t color = odd ? 0xF2FFE0 : 0x8EE65A;
        const double a = std::sin(kPi * p);
        fillRoundedRect(cr, {cx - 2 * k, cy - 7 * k, 4 * k, 14 * k}, k, color, a);
        fillRoundedRect(cr, {cx - 7 * k, cy - 2 * k, 14 * k, 4 * k}, k, color, a);
    }
}

// ---- Status aura -------------------------------------------------------

constexpr uint32_t kBadAuraColor = 0x8F3AA8;

// A triangle wave of the given period in 0..1..0, eased in and out.
double breathe(double now, double period) {
    const double half = period / 2;
    double ph = (now - std::floor(now / period) * period) / half;
    if (ph > 1) ph = 2 - ph;
    return ph < 0.5 ? 2 * ph * ph : 1 - 2 * (1 - ph) * (1 - ph);
}

// A flat ellipse ring of horizontal radius rx around (x, y).
struct Ring {
    double rx, ry, mx, my, s;
    uint32_t color;
};

void paintRing(cairo_t* cr, void* user) {
    const Ring& r = *static_cast<const Ring*>(user);
    Frame f(cr, r.rx + r.mx, r.ry + r.my);
    f.scale(1, r.ry / r.rx);
    strokeCircle(cr, 0, 0, r.rx, 2 * r.s * r.rx / r.ry, r.color, 1.0);
}

// A flat ring on the ground, painted once at its resting radius rx and drawn
// grown by k (it breathes) and faded by alpha: a few dozen rings a frame
// would otherwise be stroked anew every frame.
void groundRing(const Ctx& ctx, double x, double y, double s, double rx, double k, uint32_t color, double alpha) {
    const double ry = rx * 0.32;
    if (!(rx > 0 && ry > 0 && alpha > 0 && k > 0)) return;
    Ring r{rx, ry, s * rx / ry + 1, s + 1, s, color};
    const double w = 2 * (rx + r.mx);
    const double h = 2 * (ry + r.my);
    const double g = gpuScale();
    char key[80];
    std::snprintf(key, sizeof key, "groundring|%06x|%.3f|%.4f", color & 0xFFFFFFu, rx, s);
    const beneath::Picture ring(key, static_cast<int>(std::lround(w * g)), static_cast<int>(std::lround(h * g)),
                                paintRing, &r);
    beneath::draw(ctx, ring, {x - k * w / 2, y - k * h / 2, k * w, k * h}, alpha);
}

// The two motes of an aura, in one call: rising for a good status, sinking
// for a bad one.
void auraMotes(const Ctx& ctx, double x, double y, double size, double s, bool good, uint32_t color) {
    GpuQuad quads[2];
    for (int j = 0; j < 2; ++j) {
        const double q = frac(ctx.now / 2.1 + (good ? 0 : 0.2) + 0.5 * j);
        const double phase = good ? (j == 0 ? 0 : 3) : (j == 0 ? 1.2 : 4.2);
        const double cy = good ? y - 0.55 * size * q : y - 0.3 * size + 0.55 * size * q;
        quads[j] = squareQuad(x + 0.16 * size * std::sin(2 * kPi * q + phase), cy, 6 * s, 10);
        quads[j].fade = std::max(0.0, 0.8 * std::sin(kPi * q));
    }
    beneath::drawQuads(ctx, roundedSquare(10), quads, 2, color, 1.0);
}

void aura(const Ctx& ctx, double x, double y, double size, double s, bool good, uint32_t color, AuraPart part) {
    if (part != AuraPart::Motes) {
        const double ease = breathe(ctx.now, good ? 2.8 : 3.8);
        const double rx = (good ? 1 : 0.88) * 0.72 * size * 0.5;
        groundRing(ctx, x, y, s, rx, 1 + 0.1 * ease, color, good ? 0.3 + 0.3 * ease : 0.3 + 0.2 * ease);
    }
    if (part != AuraPart::Rings) auraMotes(ctx, x, y, size, s, good, color);
}

// ---- Flask pour --------------------------------------------------------

// Tilt in degrees: from the upright start it swings to -108 by t = 0.26
// (the first section's line continued back to t = 0), holds, then rights
// itself to -30.
double flaskTilt(double t) {
    static constexpr double knots[4] = {0.08, 0.26, 0.62, 0.8};
    static constexpr double ty[4] = {-12, -108, -108, -30};
    if (t < knots[0]) return ty[0] + (ty[1] - ty[0]) * (t - knots[0]) / (knots[1] - knots[0]);
    return curveAt(knots, ty, t);
}

void flaskGlass(cairo_t* cr, double x, double y, uint32_t ca, double s, double t) {
    static constexpr double knots[4] = {0, 0.06, 0.7, 0.92};
    static constexpr double oy[4] = {0, 1, 1, 0};
    const double o = curveAt(knots, oy, t);
    if (o <= 0) return;
    const double scale = t < 0.08 ? 0.6 + 0.4 * t / 0.08 : 1;
    Frame f(cr, x, y - 66 * s, flaskTilt(t));
    f.scale(scale, scale);
    fillRoundedRect(cr, {-3 * s, 0, 6 * s, 6 * s}, s, 0xDFE8F0, o);
    const Rect glass{-8 * s, 6 * s, 16 * s, 15 * s};
    fillRoundedRect(cr, glass, 5 * s, 0xDCE8F5, 0.22 * o);
    strokeRoundedRect(cr, glass, 5 * s, 2 * s, 0xDFE8F0, o);
    fillRoundedRect(cr, {-7 * s, 13 * s, 14 * s, 7 * s}, 3 * s, ca, o);
}

void flaskStream(cairo_t* cr, double x, double y, uint32_t cb, double s, double t) {
    if (t < 0.24 || t > 0.58) return;
    static constexpr double knots[4] = {0.24, 0.32, 0.5, 0.58};
    static constexpr double sy[4] = {0, 1, 1, 0};
    const double K = curveAt(knots, sy, t);
    if (K <= 0) return;
    fillRoundedRect(cr, {x - 12.5 * s, y - 52 * s, 3 * s, 30 * s * K}, s, cb, 0.85 * K);
}

void flaskDrops(cairo_t* cr, double x, double y, uint32_t ca, uint32_t cb, double s, double t) {
    for (int i = 0; i < 4; ++i) {
        const double a = (t - (0.2 + 0.06 * i)) / 0.14;
        if (!(a > 0 && a < 1)) continue;
        const bool odd = i % 2 == 1;
        const double alpha = a < 0.85 ? 1 : 6.6 * (1 - a);
        fillRoundedRect(cr, {x - 13.5 * s + (odd ? 5 * s : 0) + 4 * s * a, y - 55 * s + 50 * s * a, 5 * s, 6 * s},
                        2 * s, odd ? cb : ca, alpha);
    }
}

void flaskSplash(cairo_t* cr, double x, double y, uint32_t ca, uint32_t cb, double s, double t) {
    const double H = (t - 0.3) / 0.28;
    if (!(H > 0 && H < 1)) return;
    const double r = 16 * s * H;
    for (int j = 0; j < 5; ++j) {
        const double angle = radians(-150 + 30 * j);
        const double cx = x + r * std::cos(angle);
        const double cy = y - 8 * s + r * std::sin(angle) + 12 * s * H * H;
        squareAt(cr, cx, cy, 2 * s, s, j % 2 == 0 ? ca : cb, 1 - H);
    }
}

} // namespace

void drawBurst(Ctx& ctx, double x, double y, uint32_t color, int count, double radius, bool flash, bool ring,
               double t) {
    if (!(t > 0 && t < 1) || !allFinite({x, y, radius, ctx.uiScale})) return;
    const double s = ctx.uiScale;
    const double e = easeOut(t);
    burst(ctx, x, y, color, count, radius, flash, ring, s, e);
}

void drawHealColumn(Ctx& ctx, double x, double y, double t) {
    if (!(t > 0 && t < 1) || !allFinite({x, y, ctx.uiScale})) return;
    static constexpr double knots[4] = {0, 0.14, 0.55, 1};
    static constexpr double ys[4] = {0, 1, 1, 0};
    const double s = ctx.uiScale;
    const double h = curveAt(knots, ys, t);
    const double d = std::max(0.0, (t - 0.55) / 0.45);
    SavedState keep(ctx.cr);
    if (h > 0) columnLayers(ctx.cr, x, y, s, h, d);
    columnSparks(ctx.cr, x, y, s, t);
}

void drawBuffLink(Ctx& ctx, double x0, double y0, double x1, double y1, uint32_t colorA, uint32_t colorB, double t) {
    if (!(t > 0 && t < 1) || !allFinite({x0, y0, x1, y1, ctx.uiScale})) return;
    const double s = ctx.uiScale;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double length = std::max(1.0, std::sqrt(dx * dx + dy * dy));
    const double e = easeOut(t);
    cairo_t* cr = ctx.cr;
    SavedState keep(cr);
    const double beam = 0.85 * (e < 0.12 ? 6 * e : 1.2 * (1 - e));
    if (beam > 0) {
        const double w = std::max(0.5, (0.6 + 0.9 * std::sin(kPi * e)) * 4 * s);
        Frame f(cr, (x0 + x1) / 2, (y0 + y1) / 2, std::atan2(dy, dx) * 180 / kPi);
        bar(cr, length, w, colorA, beam);
    }
    for (int i = 0; i < 3; ++i) {
        const double q = (e - 0.22 * i) / (1 - 0.22 * i);
        if (!(q > 0 && q < 1)) continue;
        const double k = 1.15 - 0.45 * q;
        squareAt(cr, x0 + q * dx, y0 + q * dy, 4 * s * k, 3 * s * k, i == 1 ? colorB : colorA, std::sin(kPi * q));
    }
}

void StatusAuraPick::add(rpg::StatusKind kind) {
    // Only the ten known kinds have a row to read.
    if (static_cast<int>(kind) >= rpg::kStatusCount) return;
    const rpg::StatusDef& def = rpg::statusDesc(kind);
    if (def.positive) {
        if (!hasGood_) good_ = kind;
        hasGood_ = true;
    } else if (kind != rpg::StatusKind::Stun) {
        hasBad_ = true;
    }
}

void drawStatusAura(Ctx& ctx, const StatusAuraPick& pick, double x, double y, double size, AuraPart part) {
    if (!pick.hasGood() && !pick.hasBad()) return;
    if (!allFinite({x, y, size, ctx.now, ctx.uiScale})) return;
    const double s = ctx.uiScale;
    if (pick.hasGood()) aura(ctx, x, y, size, s, true, rpg::statusDesc(pick.good()).colour, part);
    if (pick.hasBad()) aura(ctx, x, y, size, s, false, kBadAuraColor, part);
}

void drawFlaskPour(Ctx& ctx, double x, double y, uint32_t colorA, uint32_t colorB, double t) {
    if (!(t > 0 && t < 1) || !allFinite({x, y, ctx.uiScale})) return;
    const double s = ctx.uiScale;
    SavedState keep(ctx.cr);
    flaskGlass(ctx.cr, x, y, colorA, s, t);
    flaskStream(ctx.cr, x, y, colorB, s, t);
    flaskDrops(ctx.cr, x, y, colorA, colorB, s, t);
    flaskSplash(ctx.cr, x, y, colorA, colorB, s, t);
}

} // namespace ui
