#include "fx/fx.h"

#include <algorithm>
#include <cmath>

#include "fx/shapes.h"
#include "ui/draw.h"

namespace ui {
namespace {

using namespace fxshape;

// ---- Slash -------------------------------------------------------------

// What every slash shape reads: its unit R, its alpha, the sweep angle in
// degrees and the growth g.
struct SlashPose {
    double R;
    double a;
    double sweep;
    double g;
};

void slashSweep(cairo_t* cr, double x, double y, uint32_t ca, uint32_t cb, const SlashPose& p) {
    Frame f(cr, x, y, p.sweep);
    bar(cr, 46 * p.R, 12 * p.R, ca, 0.35 * p.a);
    bar(cr, 58 * p.R, 6 * p.R, cb, p.a);
}

void slashCross(cairo_t* cr, double x, double y, uint32_t ca, uint32_t cb, const SlashPose& p) {
    const double w = 54 * p.R * p.g;
    const double h = 5 * p.R * p.g;
    {
        Frame f(cr, x, y, 45);
        bar(cr, w, h, cb, p.a);
    }
    Frame f(cr, x, y, -45);
    bar(cr, w, h, ca, p.a);
}

void slashThrust(cairo_t* cr, double x, double y, uint32_t cb, double t, const SlashPose& p) {
    const double R = p.R;
    Frame f(cr, x + (30 * t - 26) * R, y, 18);
    fillRoundedRect(cr, {-22 * R, -2 * R, 44 * R, 4 * R}, 2 * R, cb, p.a);
    triangle(cr, 32 * R, 0, 22 * R, 5 * R, 22 * R, -5 * R, cb, p.a);
}

void slashClaws(cairo_t* cr, double x, double y, uint32_t ca, uint32_t cb, const SlashPose& p) {
    const double R = p.R;
    for (int i = -1; i <= 1; ++i) {
        const double h = (i == 0 ? 44 : 36) * R;
        Frame f(cr, x, y, p.sweep);
        f.move(11 * R * i, 0);
        f.turn(16);
        fillRoundedRect(cr, {-2 * R, -h / 2, 4 * R, h}, 2 * R, i == 0 ? cb : ca, p.a);
    }
}

void slashStar(cairo_t* cr, double x, double y, uint32_t ca, uint32_t cb, const SlashPose& p) {
    const double u = p.R * p.g;
    for (double angle : {0.0, 45.0, 90.0, 135.0}) {
        Frame f(cr, x, y, angle);
        bar(cr, 46 * u, 4 * u, cb, p.a);
    }
    fillRoundedRect(cr, {x - 8 * u, y - 8 * u, 16 * u, 16 * u}, 5 * u, ca, 0.9 * p.a);
}

// Two rows of three teeth that close on (x, y) early in the slash.
void slashJaws(cairo_t* cr, double x, double y, uint32_t cb, double t, const SlashPose& p) {
    const double R = p.R;
    const double open = std::max(0.0, 1 - 2.2 * t);
    const double yl = y + (4 + 16 * open) * R;
    const double yu = y - (4 + 16 * open) * R;
    for (double cx : {x - 13 * R, x, x + 13 * R}) {
        triangle(cr, cx, yl - 6 * R, cx + 5 * R, yl + 6 * R, cx - 5 * R, yl + 6 * R, cb, p.a);
        triangle(cr, cx, yu + 6 * R, cx + 5 * R, yu - 6 * R, cx - 5 * R, yu - 6 * R, cb, p.a);
    }
}

// ---- Aura --------------------------------------------------------------

void auraShield(cairo_t* cr, double x, double y, uint32_t ca, uint32_t cb, double R, double t) {
    const double a = t < 0.25 ? 3.2 * t : 1.06 * (1 - t);
    if (a <= 0) return;
    const double r = t < 0.5 ? R * (0.6 + 0.8 * t) : R;
    const double cy = y - 11 * r;
    fillCircle(cr, x, cy, 37 * r, ca, 0.16 * a);
    strokeCircle(cr, x, cy, 37 * r, 3 * r, cb, a);
    Frame f(cr, x - 22 * r, y - 29 * r, -24);
    bar(cr, 16 * r, 7 * r, cb, 0.8 * a);
}

// Particles: 5 at level 1, 7 at level 2, 9 from level 3 on.
int auraCount(int level) { return level <= 2 ? 2 * level + 3 : 9; }

struct Particle {
    int i;
    int n;
    double p;   // the particle's own progress
    double px;  // its centre
    double py;
    double L;   // its size unit
    double a;
    uint32_t color;
};

void auraShape(cairo_t* cr, rpg::AuraKind kind, const Particle& q, double x, double y, double s, double R,
               uint32_t cb) {
    const double L = q.L;
    const double px = q.px;
    const double py = q.py;
    switch (kind) {
    case rpg::AuraStreaks:
        fillRoundedRect(cr, {px - 2 * L, py - 13 * L, 4 * L, 26 * L}, 2 * L, q.color, 0.95 * q.a);
        break;
    case rpg::AuraPills: fillRoundedRect(cr, {px - 5.5 * L, py - 3 * L, 11 * L, 6 * L}, 3 * L, q.color, q.a); break;
    case rpg::AuraArrows:
        triangle(cr, px, py - 8 * L, px + 6 * L, py, px - 6 * L, py, q.color, q.a);
        fillRoundedRect(cr, {px - 2 * L, py, 4 * L, 8 * L}, L, q.color, q.a);
        break;
    case rpg::AuraNotes:
        fillCircle(cr, px - 2 * L, py + 5 * L, 3.2 * L, q.color, q.a);
        fillRoundedRect(cr, {px + L, py - 8 * L, 2.4 * L, 13 * L}, L, q.color, q.a);
        break;
    case rpg::AuraDots: fillCircle(cr, px, py, 6 * L, q.color, 0.8 * q.a); break;
    case rpg::AuraOrbit: {
        // The orbit circles the caster instead of rising.
        const double phi = 2 * kPi * q.i / q.n + 2 * kPi * q.p;
        fillRoundedRect(cr,
                        {x + 26 * R * std::cos(phi) - 4 * R, y - 14 * s + 12 * R * std::sin(phi) - 5.5 * R, 8 * R,
                         11 * R},
                        4 * R, q.color, q.a);
        break;
    }
    case rpg::AuraPlus:
        fillRoundedRect(cr, {px - 1.75 * L, py - 6 * L, 3.5 * L, 12 * L}, L, q.color, q.a);
        fillRoundedRect(cr, {px - 6 * L, py - 1.75 * L, 12 * L, 3.5 * L}, L, q.color, q.a);
        break;
    default: fillRect(cr, {px - 2.5 * L, py - 2.5 * L, 5 * L, 5 * L}, cb, q.a); break;
    }
}

void auraParticles(cairo_t* cr, rpg::AuraKind kind, double x, double y, uint32_t ca, uint32_t cb, int level, double s,
                   double R, double t) {
    const int n = auraCount(level);
    const double rise = kind == rpg::AuraDots ? 26 : 46;
    const bool sways = kind == rpg::AuraPills || kind == rpg::AuraNotes;
    for (int i = 0; i < n; ++i) {
        // Particle i runs from t = 0.35 i/n for 0.65 of the effect.
        const double p = std::min(1.0, (t - 0.35 * i / n) / 0.65);
        if (p <= 0) continue;
        const double u = frac(kGolden * i);
        const double sway = sways ? 12 * s * std::sin(i + 2.5 * kPi * p) : 0;
        Particle q{i,
                   n,
                   p,
                   x + (u - 0.5) * 52 * s + sway,
                   y - p * rise * R + 6 * s,
                   (0.8 + 0.3 * p) * R,
                   std::sin(kPi * p),
                   i % 2 == 0 ? ca : cb};
        auraShape(cr, kind, q, x, y, s, R, cb);
    }
}

// ---- Projectile --------------------------------------------------------

constexpr uint32_t kTrailColors[] = {0xFFB24A, 0xFFFFFF, 0x5A5A66, 0xBFE9FF, 0xB8E86A, 0xE85A6A};
constexpr double kLobHeight = 90;

void muzzleFlash(cairo_t* cr, double x0, double y0, uint32_t cb, double R, double t) {
    const double m = t / 0.22;
    if (m >= 1) return;
    const double a = m < 0.3 ? 3.2 * m * 0.95 : 1.35 * (1 - m);
    if (a <= 0) return;
    const double k = (0.5 + 1.1 * m) * R;
    squareAt(cr, x0, y0, 8 * k, 5 * k, cb, a);
}

struct Flight {
    double x0, y0, dx, dy;
    double s;
    bool lob;
    // The point at progress q along the path, lifted onto the arc for a lob.
    double xAt(double q) const { return x0 + q * dx; }
    double yAt(double q) const { return y0 + q * dy - (lob ? std::sin(kPi * q) * kLobHeight * s : 0); }
};

void trail(cairo_t* cr, rpg::FxTrail kind, const Flight& fl, uint32_t ca, int level, double R, double t) {
    if (kind < rpg::TrailEmber || kind > rpg::TrailBlood) return;
    const uint32_t color = kTrailColors[kind - 1];
    const int count = std::min(6, level + 2);
    const double a = 0.22 + 0.62 * (1 - t);
    for (int i = 0; i < count; ++i) {
        const double lag = 0.08 + 0.055 * i;
        if (t <= lag) continue;
        const double q = t - lag;
        const double k = (1 - 0.13 * i) * R * (0.9 - lag);
        squareAt(cr, fl.xAt(q), fl.yAt(q), 4 * k, 2 * k, i == 0 ? ca : color, a);
    }
}

struct Body {
    double px, py;
    double f;      // fade
    double theta;  // flight angle of the straight line, degrees
    double z;      // pulse size
    double spin;   // degrees
    double R;
};

void bodyOrb(cairo_t* cr, const Body& b, uint32_t ca, uint32_t cb) {
    squareAt(cr, b.px, b.py, 9 * b.z, 4 * b.z, ca, b.f);
    squareAt(cr, b.px, b.py, 4 * b.z, 2 * b.z, cb, b.f);
}

void bodyArrow(cairo_t* cr, const Body& b, uint32_t ca, uint32_t cb) {
    const double R = b.R;
    Frame f(cr, b.px, b.py, b.theta);
    fillRoundedRect(cr, {-13 * R, -1.5 * R, 20 * R, 3 * R}, R, ca, b.f);
    triangle(cr, 15 * R, 0, 7 * R, 4 * R, 7 * R, -4 * R, cb, b.f);
    fillRoundedRect(cr, {-13 * R, -4 * R, 5 * R, 8 * R}, R, cb, 0.9 * b.f);
}

void bodyBolt(cairo_t* cr, const Body& b, uint32_t ca, uint32_t cb) {
    const double R = b.R;
    Frame f(cr, b.px, b.py, b.theta);
    fillRoundedRect(cr, {-14 * R, -3.5 * R, 26 * R, 7 * R}, 4 * R, ca, b.f);
    fillRoundedRect(cr, {-11 * R, -1.5 * R, 18 * R, 3 * R}, 2 * R, cb, b.f);
}

void bodyTwoHeads(cairo_t* cr, const Body& b, uint32_t ca, uint32_t cb) {
    const double R = b.R;
    Frame f(cr, b.px, b.py, b.theta);
    triangle(cr, 2 * R, 0, -10 * R, 5 * R, -10 * R, -5 * R, ca, b.f);
    triangle(cr, 12 * R, 0, 2 * R, 5 * R, 2 * R, -5 * R, cb, b.f);
}

void bodyUpright(cairo_t* cr, const Body& b, uint32_t ca, uint32_t cb) {
    const double z = b.z;
    const double px = b.px;
    const double py = b.py;
    fillRoundedRect(cr, {px - 8 * z, py - 9 * z, 16 * z, 18 * z}, 6 * z, ca, b.f);
    fillRoundedRect(cr, {px - 6 * z, py - 7 * z, 12 * z, 9 * z}, 5 * z, cb, b.f);
    fillRoundedRect(cr, {px - 4 * z, py - 4 * z, 3 * z, 3 * z}, z, ca, b.f);
    fillRoundedRect(cr, {px + z, py - 4 * z, 3 * z, 3 * z}, z, ca, b.f);
}

void bodyCross(cairo_t* cr, const Body& b, uint32_t ca, uint32_t cb) {
    const double R = b.R;
    Frame f(cr, b.px, b.py, b.spin);
    fillRoundedRect(cr, {-7 * R, -3.5 * R, 14 * R, 7 * R}, 3.5 * R, ca, b.f);
    f.turn(90);
    fillRoundedRect(cr, {-7 * R, -3.5 * R, 14 * R, 7 * R}, 3.5 * R, cb, 0.85 * b.f);
}

void bodyHammer(cairo_t* cr, const Body& b, uint32_t ca, uint32_t cb) {
    const double R = b.R;
    Frame f(cr, b.px, b.py, b.spin);
    fillRoundedRect(cr, {-8 * R, -2 * R, 16 * R, 4 * R}, 2 * R, ca, b.f);
    fillRoundedRect(cr, {8 * R, -4 * R, 4 * R, 8 * R}, R, cb, b.f);
}

void bodyGlowBall(cairo_t* cr, const Body& b, uint32_t ca, uint32_t cb) {
    fillCircle(cr, b.px, b.py, 8 * b.z, cb, b.f);
    fillCircle(cr, b.px + 6 * b.z, b.py, 6.5 * b.z, ca, 0.55 * b.f);
}

void bodyStar(cairo_t* cr, const Body& b, uint32_t ca, uint32_t cb) {
    const double R = b.R;
    Frame f(cr, b.px, b.py, b.spin);
    for (double angle : {0.0, 45.0, 90.0, 135.0}) {
        Frame ray(cr, 0, 0, angle);
        fillRoundedRect(cr, {-10 * R, -R, 20 * R, 2 * R}, R, cb, b.f);
    }
    strokeCircle(cr, 0, 0, 6 * R, 2 * R, ca, b.f);
}

void bodyFlask(cairo_t* cr, const Body& b, uint32_t ca, uint32_t cb) {
    const double R = b.R;
    Frame f(cr, b.px, b.py, b.spin);
    fillCircle(cr, 0, 3 * R, 6 * R, ca, b.f);
    fillRoundedRect(cr, {-2 * R, -6 * R, 4 * R, 5 * R}, R, cb, b.f);
    Frame cap(cr, 0, -8 * R, 20);
    fillRoundedRect(cr, {-R, -2 * R, 2 * R, 4 * R}, 2 * R, cb, b.f);
}

void bodyDart(cairo_t* cr, const Body& b, uint32_t cb) {
    const double R = b.R;
    Frame f(cr, b.px, b.py, b.theta);
    triangle(cr, 5.5 * R, 0, -5.5 * R, 4 * R, -5.5 * R, -4 * R, cb, b.f);
}

void bodyBottle(cairo_t* cr, const Body& b, uint32_t ca, uint32_t cb) {
    const double z = b.z;
    fillRoundedRect(cr, {b.px - 6.5 * z, b.py - 8 * z, 13 * z, 16 * z}, 6.5 * z, ca, b.f);
    fillRoundedRect(cr, {b.px - 3.5 * z, b.py - 5 * z, 3 * z, 5 * z}, 2 * z, cb, 0.9 * b.f);
}

void body(cairo_t* cr, rpg::FxForm form, const Body& b, uint32_t ca, uint32_t cb) {
    switch (form) {
    case rpg::FormArrow: bodyArrow(cr, b, ca, cb); break;
    case rpg::FormBolt: bodyBolt(cr, b, ca, cb); break;
    case rpg::FormTwoHeads: bodyTwoHeads(cr, b, ca, cb); break;
    case rpg::FormUpright: bodyUpright(cr, b, ca, cb); break;
    case rpg::FormCross: bodyCross(cr, b, ca, cb); break;
    case rpg::FormHammer: bodyHammer(cr, b, ca, cb); break;
    case rpg::FormGlowBall: bodyGlowBall(cr, b, ca, cb); break;
    case rpg::FormStar: bodyStar(cr, b, ca, cb); break;
    case rpg::FormFlask: bodyFlask(cr, b, ca, cb); break;
    case rpg::FormDart: bodyDart(cr, b, cb); break;
    case rpg::FormBottle: bodyBottle(cr, b, ca, cb); break;
    default: bodyOrb(cr, b, ca, cb); break;
    }
}

} // namespace

void drawSlash(Ctx& ctx, rpg::SlashKind kind, double x, double y, uint32_t colorA, uint32_t colorB, int level,
               double t) {
    if (!(t > 0 && t < 1) || !allFinite({x, y, ctx.uiScale})) return;
    const double a = t < 0.15 ? 6.6 * t : 1.18 * (1 - t);
    if (a <= 0) return;
    const SlashPose p{ctx.uiScale * tierFactor(level), a, 100 * t - 50, 0.4 + 0.9 * t};
    cairo_t* cr = ctx.cr;
    SavedState keep(cr);
    switch (kind) {
    case rpg::SlashSweep: slashSweep(cr, x, y, colorA, colorB, p); break;
    case rpg::SlashCross: slashCross(cr, x, y, colorA, colorB, p); break;
    case rpg::SlashThrust: slashThrust(cr, x, y, colorB, t, p); break;
    case rpg::SlashClaws: slashClaws(cr, x, y, colorA, colorB, p); break;
    case rpg::SlashStar: slashStar(cr, x, y, colorA, colorB, p); break;
    case rpg::SlashJaws: slashJaws(cr, x, y, colorB, t, p); break;
    default: break;
    }
}

void drawAura(Ctx& ctx, rpg::AuraKind kind, double x, double y, uint32_t colorA, uint32_t colorB, int level,
              double t) {
    if (!(t > 0 && t < 1) || !allFinite({x, y, ctx.uiScale})) return;
    const double s = ctx.uiScale;
    const double R = s * tierFactor(level);
    SavedState keep(ctx.cr);
    if (kind == rpg::AuraShield) auraShield(ctx.cr, x, y, colorA, colorB, R, t);
    else auraParticles(ctx.cr, kind, x, y, colorA, colorB, level, s, R, t);
}

void drawProjectile(Ctx& ctx, rpg::FxForm form, rpg::FxTrail trailKind, double x0, double y0, double x1, double y1,
                    uint32_t colorA, uint32_t colorB, int level, double t, bool lob) {
    if (!(t >= 0 && t <= 1) || !allFinite({x0, y0, x1, y1, ctx.uiScale})) return;
    const double s = ctx.uiScale;
    const double R = s * tierFactor(level);
    const Flight fl{x0, y0, x1 - x0, y1 - y0, s, lob};
    cairo_t* cr = ctx.cr;
    SavedState keep(cr);
    muzzleFlash(cr, x0, y0, colorB, R, t);
    trail(cr, trailKind, fl, colorA, level, R, t);
    const Body b{fl.xAt(t),
                 fl.yAt(t),
                 t <= 0.88 ? 1.0 : 1 - (t - 0.88) / 0.12,
                 std::atan2(fl.dy, fl.dx) * 180 / kPi,
                 (0.75 + 0.45 * std::sin(kPi * t)) * R,
                 720 * t,
                 R};
    body(cr, form, b, colorA, colorB);
}

} // namespace ui
