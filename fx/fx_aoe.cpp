// Area effects: one picture over a whole side's targets.
#include <algorithm>
#include <cmath>

#include "fx/fx.h"
#include "fx/shapes.h"
#include "ui/draw.h"

namespace ui {
namespace {

using namespace fxshape;

struct AoeTiming {
    double length;  // seconds
    double impact;  // fraction of the length
};

// Kinds 0 to 9; kind 0 stands for every unknown kind too.
constexpr AoeTiming kAoeTimings[] = {
    {0, 0.52},    {0.9, 0.76}, {0.56, 0.52}, {0.72, 0.52}, {0.6, 0.52},
    {0.82, 0.64}, {0.78, 0.6}, {0.88, 0.64}, {0.7, 0.52},  {0.52, 0.52},
};
const AoeTiming& timing(rpg::AoEKind kind) {
    return kAoeTimings[kind >= rpg::AoEFunnel && kind <= rpg::AoESwing ? kind : 0];
}

// What every area effect reads.
struct Area {
    const Ctx& ctx;
    cairo_t* cr;
    double left;
    double cx, cy;
    double w;
    double s;
    double lv;  // tier factor
    int level;
    uint32_t ca, cb;
    double t;
};

// A ring around the area's centre, beneath the overlay: a ring hundreds of
// pixels wide would change that much of the overlay every frame.
void ring(const Area& A, double radius, double lineWidth, uint32_t color, double alpha) {
    ringBeneath(A.ctx, A.cx, A.cy, radius, lineWidth, color, alpha);
}

// Kind 1: a funnel of five spinning layers sweeping from left to right.
void aoeFunnel(const Area& A) {
    struct Layer {
        double width, height, drop;
    };
    static constexpr Layer kLayers[] = {{68, 26, 0}, {54, 22, 24}, {40, 18, 44}, {26, 14, 60}, {14, 10, 74}};
    const double t = A.t;
    const double s = A.s;
    const double base = t < 0.12 ? 8 * t : t > 0.88 ? 8 * (1 - t) : 1;
    const double X = A.left + A.w * t;
    const double spin = frac(900 * t / 420);
    for (int f = 0; f < 5; ++f) {
        const Layer& L = kLayers[f];
        const double angle = 2 * kPi * (0.18 * f + spin);
        const double W = L.width * s * (0.75 + 0.25 * std::cos(angle));
        const double H = L.height * s;
        fillRoundedRect(A.cr, {X + 5 * s * std::sin(angle) - W / 2, A.cy - 96 * s + L.drop * s, W, H}, H / 2,
                        f % 2 == 0 ? A.ca : A.cb, 0.82 * base);
    }
}

// Kind 2: four zig-zag bolts striking one after another.
void aoeBolts(const Area& A) {
    static constexpr double kOffsets[] = {-0.36, -0.05, 0.28, 0.5};
    struct Segment {
        double dx, dy;
        bool colorA;
    };
    const double s = A.s;
    const Segment segments[] = {{0, 0, false}, {5 * s, 80 * s, true}, {-4 * s, 160 * s, false}};
    for (int j = 0; j < 4; ++j) {
        const double d = 0.12 * j;
        const double p = std::min(1.0, (A.t - d) / 0.28);
        if (p <= 0 || A.t >= 0.5 + d) continue;
        double alpha = p < 0.5 ? 2 * p : 1;
        if (A.t >= d + 0.4) alpha *= 0.2;
        const double x = A.cx + kOffsets[j] * A.w - 3 * s;
        for (const Segment& g : segments) {
            fillRoundedRect(A.cr, {x + g.dx, A.cy - 125 * s + (g.dy - 125 * s) * p, 6 * s, 90 * s * p}, 2 * s,
                            g.colorA ? A.ca : A.cb, alpha);
        }
    }
}

// Kind 3: a block falls onto the centre (landing at t = 0.62) and sends out
// a shock ring.
void aoeImpact(const Area& A) {
    const double t = A.t;
    const double s = A.s;
    const double q = std::min(1.0, t / 0.62);
    const double y = A.cy - 280 * s + 280 * s * q;
    if (t < 0.58) fillRoundedRect(A.cr, {A.cx - 5 * s, y - 36 * s, 10 * s, 40 * s}, 5 * s, A.ca, 0.5);
    if (t < 0.62) {
        const double g = 1 + 0.6 * q;
        fillRoundedRect(A.cr, {A.cx - 16 * s * g, y + 16 * s - 16 * s * g, 32 * s * g, 32 * s * g}, 7 * s * g, A.ca, 1);
        fillRoundedRect(A.cr, {A.cx - 7 * s * g, y + 16 * s - 7 * s * g, 14 * s * g, 14 * s * g}, 4 * s * g, A.cb, 1);
    }
    const double r = (t - 0.55) / 0.45;
    if (r > 0) {
        const double grow = 0.2 + 1.9 * r;
        ring(A, (std::max(0.55 * A.w, 64 * s) - 3 * s) * grow, 6 * s * grow, A.cb, 1 - r);
    }
}

// Kind 4: two expanding rings.
void aoeRings(const Area& A) {
    const double t = A.t;
    const double s = A.s;
    const double R0 = std::max(0.6 * A.w, 70 * s);
    const double outer = 0.15 + 1.9 * t;
    ring(A, (R0 - 3 * s) * outer, 6 * s * outer, A.cb, 1 - t);
    const double inner = 0.1 + 1.2 * t;
    ring(A, (R0 - 5 * s) * inner, 10 * s * inner, A.ca, 0.8 * (1 - t));
}

void fallingPiece(const Area& A, rpg::FxVariant variant, double alpha) {
    const double s = A.s;
    cairo_t* cr = A.cr;
    switch (variant) {
    case rpg::VariantArrows: {
        Frame f(cr, 0, 0, 135);
        fillRoundedRect(cr, {-11 * s, -1.25 * s, 16 * s, 2.5 * s}, s, A.ca, alpha);
        triangle(cr, 12 * s, 0, 5 * s, 3.5 * s, 5 * s, -3.5 * s, A.cb, alpha);
        break;
    }
    case rpg::VariantStones:
        fillRoundedRect(cr, {-6.5 * s, -6.5 * s, 13 * s, 13 * s}, 5 * s, A.ca, alpha);
        fillRoundedRect(cr, {-3 * s, -3 * s, 6 * s, 6 * s}, 2 * s, A.cb, alpha);
        break;
    default:
        triangle(cr, 0, 7 * s, 4 * s, -7 * s, -4 * s, -7 * s, A.ca, alpha);
        fillRect(cr, {-s, -4 * s, 2 * s, 8 * s}, A.cb, alpha);
        break;
    }
}

// Kind 5: a rain of arrows, stones or shards, 7 to 12 by level.
void aoeRain(const Area& A, rpg::FxVariant variant) {
    const int n = A.level <= 3 ? 2 * A.level + 5 : 12;
    if (n <= 0 || !Frame::usable(A.lv)) return;
    const double s = A.s;
    for (int i = 0; i < n; ++i) {
        const double g = frac(0.61803 * i);
        const double p = 2 * (A.t - 0.45 * g);
        if (!(p > 0 && p < 1)) continue;
        const double alpha = p < 0.15 ? 6 * p : 1;
        const double x = A.cx + ((i + 0.5) / n - 0.5) * 1.05 * A.w + ((37 * i) % 11 - 5) * s;
        const double y = A.cy - 260 * s + 240 * s * p;
        Frame f(A.cr, x, y);
        f.scale(A.lv, A.lv);
        fallingPiece(A, variant, alpha);
    }
}

void flockPiece(const Area& A, rpg::FxVariant variant, double alpha) {
    const double s = A.s;
    cairo_t* cr = A.cr;
    switch (variant) {
    case rpg::VariantBlades: {
        Frame f(cr, 0, 0, 18);
        bar(cr, 15 * s, 3.5 * s, A.cb, alpha);
        break;
    }
    case rpg::VariantPillsA:
    case rpg::VariantPillsB:
        fillRoundedRect(cr, {-5.5 * s, -3 * s, 11 * s, 6 * s}, 3 * s, variant == rpg::VariantPillsA ? A.ca : A.cb,
                        alpha);
        break;
    default: {
        {
            Frame wing(cr, -6 * s, -s, 24);
            bar(cr, 9 * s, 5 * s, A.ca, alpha);
        }
        {
            Frame wing(cr, 6 * s, -s, -24);
            bar(cr, 9 * s, 5 * s, A.ca, alpha);
        }
        fillRoundedRect(cr, {-2.5 * s, -3 * s, 5 * s, 6 * s}, 2 * s, A.cb, alpha);
        break;
    }
    }
}

// Kind 6: a flock drifting across from left to right, beating its wings.
void aoeFlock(const Area& A, rpg::FxVariant variant) {
    const int n = A.level <= 3 ? 2 * A.level + 4 : 12;
    if (n <= 0) return;
    const double s = A.s;
    for (int i = 0; i < n; ++i) {
        const double g = frac(0.377 * i);
        const double p = (A.t - 0.25 * g) / 0.72;
        if (!(p > 0 && p < 1)) continue;
        const double alpha = p < 0.12 ? 8 * p : p > 0.85 ? 6 * (1 - p) : 1;
        const double x = A.cx - 0.72 * A.w + 1.44 * A.w * p;
        const double y = A.cy + ((53 * i) % 13 - 6) * s + (static_cast<double>(i) / n - 0.5) * 110 * s +
                         12 * s * std::sin(4 * kPi * p + i);
        const double scale = (0.8 + ((29 * i) % 10) / 22.0) * A.lv * (0.85 + 0.3 * std::fabs(std::sin(6 * kPi * p)));
        if (!Frame::usable(scale)) continue;
        Frame f(A.cr, x, y);
        f.scale(scale, scale);
        flockPiece(A, variant, alpha);
    }
}

// Kind 7: bubbles rising and swelling.
void aoeBubbles(const Area& A) {
    const int n = A.level <= 2 ? 2 * A.level + 6 : 12;
    if (n <= 0) return;
    const double s = A.s;
    for (int i = 0; i < n; ++i) {
        const double g = frac(0.457 * i);
        const double p = std::min(1.0, (A.t - 0.3 * g) / 0.7);
        if (p <= 0) continue;
        const double k = 0.5 + 0.9 * p;
        const double x = A.cx + ((i + 0.5) / n - 0.5) * 0.95 * A.w + ((41 * i) % 15 - 7) * s;
        const double y = A.cy + ((23 * i) % 34 - 17) * s - 16 * s * p;
        const double r = (13 + (31 * i) % 12) * A.lv * s * k;
        fillCircle(A.cr, x, y, r, i % 3 == 0 ? A.cb : A.ca, 0.62 * std::sin(kPi * p));
    }
}

// Kind 8: a whirl of spinning squares and swelling puffs over a ground ring.
void aoeWhirl(const Area& A) {
    const double t = A.t;
    const double s = A.s;
    const double R0 = std::max(0.55 * A.w, 70 * s);
    if (t > 0.08) {
        const double g = 0.2 + 1.7 * t;
        const double rx = (R0 - 3.5 * s) * g;
        const double ry = 0.35 * rx;
        const double alpha = 0.9 * (1 - t);
        if (rx > 0 && ry > 0 && alpha > 0) {
            Frame f(A.cr, A.cx, A.cy + 18 * s + 0.7 * R0);
            f.scale(1, ry / rx);
            strokeCircle(A.cr, 0, 0, rx, 7 * s * g * rx / ry, A.cb, alpha);
        }
    }
    const int n = A.level <= 2 ? 2 * A.level + 6 : 12;
    for (int i = 0; i < n; ++i) {
        const double u = (i + 0.5) / n - 0.5;
        const bool odd = i % 2 == 1;
        const double H = (odd ? 66 : 42) * s;
        const double fade = t < 0.1 ? 8 * t : odd ? 1 - t : 0.5 * (1 - t);
        if (fade <= 0) continue;
        const double z = (4 + (37 * i) % 6) * A.lv * s;
        const double x = A.cx + A.w * u * t;
        const double y = A.cy + 14 * s - H * std::sin(kPi * t);
        if (odd) {
            Frame f(A.cr, x, y, 640 * u * t);
            fillRoundedRect(A.cr, {-z / 2, -z / 2, z, z}, 2 * s, A.cb, fade);
        } else {
            fillCircle(A.cr, x, y, 1.2 * z * (1 + 2.2 * t), A.ca, 0.55 * fade);
        }
    }
}

// Kind 9: a three-pronged tool swung across the area.
void aoeSwing(const Area& A) {
    if (!Frame::usable(A.lv)) return;
    const double t = A.t;
    const double s = A.s;
    const double alpha = t < 0.12 ? 8 * t : t > 0.7 ? 3.3 * (1 - t) : 1;
    Frame f(A.cr, A.cx - 0.55 * A.w + 1.1 * A.w * t, A.cy - 46 * s, 40 * t - 24);
    f.scale(A.lv, A.lv);
    static constexpr double kHeights[] = {84, 74, 64};
    for (int i = 0; i < 3; ++i) {
        const double h = kHeights[i] * s;
        fillRoundedRect(A.cr, {16 * s * i - 3.5 * s, 7 * s * i - h / 2, 7 * s, h}, 4 * s, i == 1 ? A.cb : A.ca,
                        alpha);
    }
}

} // namespace

double aoeDuration(rpg::AoEKind kind) { return timing(kind).length; }

double aoeImpactDelay(rpg::AoEKind kind) { return timing(kind).impact; }

void drawAoE(Ctx& ctx, rpg::AoEKind kind, rpg::FxVariant variant, const Rect& area, uint32_t colorA, uint32_t colorB,
             int level, double t) {
    if (!(t > 0 && t < 1) || kind < rpg::AoEFunnel || kind > rpg::AoESwing) return;
    if (!allFinite({area.x, area.y, area.w, area.h, ctx.uiScale})) return;
    const Area A{ctx,
                 ctx.cr,
                 area.x,
                 area.x + area.w / 2,
                 area.y + area.h / 2,
                 area.w,
                 ctx.uiScale,
                 tierFactor(level),
                 level,
                 colorA,
                 colorB,
                 t};
    SavedState keep(ctx.cr);
    switch (kind) {
    case rpg::AoEFunnel: aoeFunnel(A); break;
    case rpg::AoEBolts: aoeBolts(A); break;
    case rpg::AoEImpact: aoeImpact(A); break;
    case rpg::AoERings: aoeRings(A); break;
    case rpg::AoERain: aoeRain(A, variant); break;
    case rpg::AoEFlock: aoeFlock(A, variant); break;
    case rpg::AoEBubbles: aoeBubbles(A); break;
    case rpg::AoEWhirl: aoeWhirl(A); break;
    default: aoeSwing(A); break;
    }
}

} // namespace ui
