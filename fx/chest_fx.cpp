#include "fx/chest_fx.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "fx/shapes.h"
#include "ui/beneath.h"
#include "ui/draw.h"

namespace ui {
namespace {

constexpr uint32_t kBurstCols[8] = {0xFF5A5A, 0xFFB13A, 0xFFE24A, 0x7EE787, 0x5AD7FF, 0x9A7BFF, 0xFF7BD5, 0xFFFFFF};

constexpr uint32_t kWood = 0x8C5A1E;
constexpr uint32_t kPanel = 0xAA732D;
constexpr uint32_t kBand = 0xB4A032;
constexpr uint32_t kOutline = 0x140F0A;
constexpr uint32_t kLid = 0x7A4C1A;
constexpr uint32_t kLock = 0xDCC24A;
constexpr uint32_t kConeWide = 0xFFDF9A;
constexpr uint32_t kConeNarrow = 0xFFF6D8;
constexpr uint32_t kGlow = 0xFFF2CC;
constexpr uint32_t kWhite = 0xFFFFFF;

using fxshape::Frame;
using fxshape::frac;

// Where the opening stands at one moment.
struct ChestPose {
    double bob = 0;    // lift of the idle chest
    double shake = 0;  // turn of the chest frame, in units of 7 degrees
    double flash = 0;  // white over the whole screen
    double rise = 0;   // lid lift, 0 shut .. 1 open (overshoots a little)
};

double idleBob(double now, double S) {
    double p = std::fmod(now, 2.4) / 1.2;
    if (p < 0) p += 2;
    if (p > 1) p = 2 - p;
    return 5 * S * (0.5 - 0.5 * std::cos(kPi * p));
}

// Rises over one 0.07 s step, then swings in 0.14 s beats until 0.63 s.
double shakeAt(double t) {
    if (t < 0.07) return 0.4 * t / 0.07;
    if (t >= 0.63) return 0;
    double v = std::fmod((t - 0.07) / 0.07, 2.0);
    return v <= 1 ? 0.4 + 0.6 * v : 3 - 2 * v;
}

double flashAt(double t, bool grand) {
    double u = t - 0.56;
    if (u < 0) return 0;
    double peak = grand ? 1.0 : 0.6;
    if (u < 0.11) return peak * u / 0.11;
    if (u < 0.65) return peak * (1 - (u - 0.11) / 0.54);
    return 0;
}

// An overshooting ease from 0 at 0.68 s to 1 at 1.44 s.
double riseAt(double t) {
    if (t < 0.68) return 0;
    double c = (t - 0.68) / 0.76;
    double d = c < 1 ? c - 1 : 0;
    return 1 + 2.4 * d * d * d + 1.4 * d * d;
}

ChestPose poseAt(const Ctx& ctx, bool opening, double t, bool grand, double S) {
    ChestPose p;
    if (!opening) {
        p.bob = idleBob(ctx.now, S);
        return p;
    }
    p.shake = shakeAt(t);
    p.flash = flashAt(t, grand);
    p.rise = riseAt(t);
    return p;
}

// Strength of the burst: swells over 0.42 s past 1, eases back to 0.9 by 0.92 s.
double burstStrength(double u) {
    if (u < 0.42) {
        double k = 1 - u / 0.42;
        return 1.1 * (1 - k * k);
    }
    if (u < 0.92) return 1.1 - 0.4 * (u - 0.42);
    return 0.9;
}

void lidShape(cairo_t* cr, const Rect& r, double radius, uint32_t color, bool stroke, double lineWidth) {
    double rad = std::max(0.0, std::min(radius, std::min(r.w, r.h) / 2));
    cairo_new_sub_path(cr);
    cairo_move_to(cr, r.x, r.y + r.h);
    cairo_arc(cr, r.x + rad, r.y + rad, rad, kPi, 1.5 * kPi);
    cairo_arc(cr, r.x + r.w - rad, r.y + rad, rad, -0.5 * kPi, 0);
    cairo_line_to(cr, r.x + r.w, r.y + r.h);
    cairo_close_path(cr);
    setColor(cr, color, 1.0);
    if (stroke) {
        cairo_set_line_width(cr, lineWidth);
        cairo_stroke(cr);
    } else {
        cairo_fill(cr);
    }
}

void coneFill(cairo_t* cr, double x, double g, double S, double bottomHalf, double topHalf, uint32_t color,
              double a0, double aMid) {
    cairo_move_to(cr, x - bottomHalf * S, g);
    cairo_line_to(cr, x + bottomHalf * S, g);
    cairo_line_to(cr, x + topHalf * S, g - 190 * S);
    cairo_line_to(cr, x - topHalf * S, g - 190 * S);
    cairo_close_path(cr);
    cairo_pattern_t* pat = cairo_pattern_create_linear(0, g, 0, g - 190 * S);
    addColorStop(pat, 0, color, a0);
    addColorStop(pat, 0.5, color, aMid);
    addColorStop(pat, 1, color, 0);
    cairo_set_source(cr, pat);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
}

// Strength of the rays: they fade in with the burst and stay at 0.64.
double rayAlphaOf(double b) { return b < 0.8 ? 0.8 * b : 0.64; }

// The twelve rays turned by spin (a fraction of a turn), each at alpha. They
// never overlap, so one picture of them all faded as a whole is the same.
void drawRays(cairo_t* cr, double x, double y, double S, double b, double spin, uint32_t color, double alpha) {
    for (int i = 0; i < 12; ++i) {
        Frame f(cr, x, y, 360 * (i / 12.0 + spin));
        f.scale(b + 0.5, b + 0.5);
        fillRoundedRect(cr, {-2.5 * S, -130 * S, 5 * S, 96 * S}, 3 * S, color, alpha);
    }
}

// The two light cones and the bright ellipse at their foot, g the ground line.
void drawCones(cairo_t* cr, double x, double g, double S, double a) {
    coneFill(cr, x, g, S, 34, 64, kConeWide, 0.69 * a, 0.3 * a);
    coneFill(cr, x, g, S, 17, 32, kConeNarrow, 0.82 * a, 0.24 * a);
    Frame f(cr, x, g - 2 * S);
    f.scale(36 * S, 11 * S);
    fillCircle(cr, 0, 0, 1, kGlow, 0.95 * a);
}

void drawGlowDiscs(cairo_t* cr, double x, double g, double S, double b, double a, uint32_t color) {
    fillCircle(cr, x, g, 75 * S * (b + 0.3), color, 0.14 * a);
    fillCircle(cr, x, g, 46 * S * (b + 0.3), color, 0.26 * a);
    fillCircle(cr, x, g, 23 * S * (b + 0.3), kWhite, 0.9 * a);
}

// A round particle: a rounded square of side d that is a disc.
struct Dot {
    double x = 0, y = 0, d = 0;
    uint32_t color = 0;
    double alpha = 0;
};

void fillDot(cairo_t* cr, const Dot& p) {
    fillRoundedRect(cr, {p.x - p.d / 2, p.y - p.d / 2, p.d, p.d}, p.d / 2, p.color, p.alpha);
}

// The jth rising sparkle over the cones; none before it starts.
std::optional<Dot> sparkleAt(int j, double x, double g, double S, double t, double a, uint32_t color) {
    double start = 0.7 + (340 * j % 2200) / 1000.0;
    if (t < start) return std::nullopt;
    double period = (2400 + 500 * (j % 5)) / 1000.0;
    double q = std::fmod(t - start, period) / period;
    double z = (3 + 2 * (j % 3)) * S;
    double cx = x + (frac(fxshape::kGolden * j) - 0.5) * 52 * S + 7 * S * std::sin(j + 2 * kPi * q);
    return Dot{cx, g - 230 * S * q, z, j % 3 == 0 ? kWhite : color, 0.9 * a * std::sin(kPi * q)};
}

constexpr int kSparkles = 10;
constexpr int kParticles = 46;

// Rays, light cones, rising sparkles and glow discs behind the chest.
void drawBurst(cairo_t* cr, double x, double y, double S, double t, double b, uint32_t color) {
    drawRays(cr, x, y, S, b, std::fmod(t - 0.7, 4.2) / 4.2, color, rayAlphaOf(b));
    double g = y - 5 * S;
    double a = std::min(b, 1.0);
    drawCones(cr, x, g, S, a);
    for (int j = 0; j < kSparkles; ++j) {
        if (const std::optional<Dot> p = sparkleAt(j, x, g, S, t, a, color)) fillDot(cr, *p);
    }
    drawGlowDiscs(cr, x, g, S, b, a, color);
}

void drawLock(cairo_t* cr, double S) {
    Rect lock{-9 * S, 8 * S, 18 * S, 18 * S};
    fillRoundedRect(cr, lock, 3 * S, kLock);
    strokeRoundedRect(cr, lock, 3 * S, 2 * S, kOutline);
}

// The broken lock: two plates thrown to the sides.
void drawPlates(cairo_t* cr, double S) {
    const double sides[2][2] = {{31.2, -25}, {-31.2, 20}};
    for (const auto& side : sides) {
        Frame f(cr, side[0] * S, 10 * S, side[1]);
        Rect plate{-6 * S, -5 * S, 12 * S, 10 * S};
        fillRect(cr, plate, kBand);
        cairo_rectangle(cr, plate.x, plate.y, plate.w, plate.h);
        setColor(cr, kOutline);
        cairo_set_line_width(cr, 2 * S);
        cairo_stroke(cr);
    }
}

void drawLid(cairo_t* cr, double S, double rise) {
    Frame f(cr, 0, -33 * S * rise, -14 * rise);
    Rect lid{-52 * S, -41 * S, 104 * S, 34 * S};
    lidShape(cr, lid, 10 * S, kLid, false, 0);
    fillRoundedRect(cr, {-44 * S, -36 * S, 88 * S, 8 * S}, 2 * S, kPanel);
    fillRect(cr, {-53 * S, -14 * S, 106 * S, 7 * S}, kBand);
    lidShape(cr, lid, 10 * S, kOutline, true, 3 * S);
}

// The chest itself; the burst's inner glow sits in its frame, beneath it.
void drawChest(cairo_t* cr, double x, double y, double S, const ChestPose& pose, double b, bool glow,
               uint32_t color) {
    Frame f(cr, x, y - pose.bob, 7 * pose.shake);
    if (glow) {
        Frame squash(cr, 0, 0);
        squash.scale(1, b + 0.4);
        fillRoundedRect(cr, {-36.4 * S, -4 * S, 72.8 * S, 42 * S}, 8 * S, color, std::min(b, 1.0));
    }
    Rect body{-52 * S, -13 * S, 104 * S, 60 * S};
    fillRoundedRect(cr, body, 4 * S, kWood);
    fillRoundedRect(cr, {-46 * S, -7 * S, 92 * S, 14 * S}, 2 * S, kPanel);
    fillRect(cr, {-53 * S, 34 * S, 106 * S, 7 * S}, kBand);
    strokeRoundedRect(cr, body, 4 * S, 3 * S, kOutline);
    if (pose.rise <= 0.15)
        drawLock(cr, S);
    else
        drawPlates(cr, S);
    drawLid(cr, S, pose.rise);
}

// The ith particle thrown out of the chest; none before it starts.
std::optional<Dot> particleAt(int i, double x, double y, double S, double t, bool grand) {
    double start = (700 + 120 * (i % 9)) / 1000.0;
    if (t < start) return std::nullopt;
    double period = (1000 + 170 * (i % 5)) / 1000.0;
    double k = 1 - std::fmod(t - start, period) / period;
    double e = 1 - k * k;
    double angle = 2 * kPi * i / 46.0 + 0.3 * (i % 5);
    double reach = ((i % 6) * 60 + (grand ? 760 : 560)) * S;
    double z = (6 + 4 * (i % 4)) * S * (0.4 + 1.1 * e);
    return Dot{x + std::cos(angle) * reach * e, y + std::sin(angle) * reach * e, z, kBurstCols[i % 8],
               0.95 * std::sin(kPi * e)};
}

void drawParticles(cairo_t* cr, double x, double y, double S, double t, bool grand) {
    for (int i = 0; i < kParticles; ++i) {
        if (const std::optional<Dot> p = particleAt(i, x, y, S, t, grand)) fillDot(cr, *p);
    }
}

// --- At rest, beneath the overlay ---

// Past the lid's rise (1.44 s), the flash (1.21 s) and the burst's swell
// (0.7 + 0.92 s) only the rays' turn, the sparkles and the particles move.
constexpr double kRestAt = 0.7 + 0.92;

struct RestPicture {
    double S = 0;
    double b = 0;  // burst strength, 0 for a quiet chest
    uint32_t color = 0;
};

void paintRestRays(cairo_t* cr, void* user) {
    const RestPicture& r = *static_cast<const RestPicture*>(user);
    double x1, y1, x2, y2;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    drawRays(cr, (x1 + x2) / 2, (y1 + y2) / 2, r.S, r.b, 0, r.color, 1.0);
}

// The cones' picture stands with the burst's ground line 192 S from its top
// and the chest's centre 66 S from its left; the body's with the chest's
// anchor at (95 S, 100 S).
constexpr double kConesLeft = 66, kConesTop = 192, kConesW = 132, kConesH = 206;
constexpr double kBodyLeft = 95, kBodyTop = 100, kBodyW = 190, kBodyH = 190;

void paintRestCones(cairo_t* cr, void* user) {
    const RestPicture& r = *static_cast<const RestPicture*>(user);
    drawCones(cr, kConesLeft * r.S, kConesTop * r.S, r.S, std::min(r.b, 1.0));
}

void paintRestBody(cairo_t* cr, void* user) {
    const RestPicture& r = *static_cast<const RestPicture*>(user);
    const double x = kBodyLeft * r.S, y = kBodyTop * r.S;
    if (r.b > 0) drawGlowDiscs(cr, x, y - 5 * r.S, r.S, r.b, std::min(r.b, 1.0), r.color);
    ChestPose open;
    open.rise = riseAt(kRestAt);
    drawChest(cr, x, y, r.S, open, r.b, r.b > 0, r.color);
}

} // namespace

void drawChestFx(Ctx& ctx, double x, double y, double size, bool opening, double t, uint32_t color, bool quiet,
                 bool grand) {
    cairo_t* cr = ctx.cr;
    double S = size * ctx.uiScale;
    t = std::max(t, 0.0);
    ChestPose pose = poseAt(ctx, opening, t, grand, S);
    bool burst = opening && !quiet && t >= 0.7;
    double b = burst ? burstStrength(t - 0.7) : 0;
    burst = burst && b > 0;

    SavedState keep(cr);
    if (burst) drawBurst(cr, x, y, S, t, b, color);
    drawChest(cr, x, y, S, pose, b, burst, color);
    if (opening && !quiet) drawParticles(cr, x, y, S, t, grand);
    if (pose.flash > 0) fillRect(cr, {0, 0, ctx.width, ctx.height}, kWhite, pose.flash);
}

} // namespace ui

namespace ui {

bool chestFxAtRest(bool opening, double t) { return opening && t >= kRestAt; }

void drawChestFxBeneath(Ctx& ctx, double x, double y, double size, double t, uint32_t color, bool quiet, bool grand) {
    const double S = size * ctx.uiScale;
    if (!(S > 0)) return;
    t = std::max(t, kRestAt);
    RestPicture pic{S, quiet ? 0 : burstStrength(t - 0.7), color};
    char key[80];
    const double g = y - 5 * S;
    if (!quiet) {
        // The rays turn as one picture about the chest's centre, on whole pixels.
        const double gs = gpuScale();
        const int side = 2 * static_cast<int>(std::ceil((130 * S * (pic.b + 0.5) + 2 / gs) * gs));
        std::snprintf(key, sizeof key, "chest.rays|%06x|%.4f|%.3f", color & 0xFFFFFFu, S, pic.b);
        beneath::drawTurned(ctx, beneath::Picture(key, side, side, paintRestRays, &pic), x, y, side / gs, side / gs,
                            360 * std::fmod(t - 0.7, 4.2) / 4.2, rayAlphaOf(pic.b));
        std::snprintf(key, sizeof key, "chest.cones|%.4f|%.3f", S, pic.b);
        beneath::still(ctx, key, {x - kConesLeft * S, g - kConesTop * S, kConesW * S, kConesH * S}, paintRestCones,
                       &pic);
        for (int j = 0; j < kSparkles; ++j) {
            if (const std::optional<Dot> p = sparkleAt(j, x, g, S, t, std::min(pic.b, 1.0), color))
                fxshape::dotBeneath(ctx, p->x, p->y, p->d, p->color, p->alpha);
        }
    }
    std::snprintf(key, sizeof key, "chest.body|%06x|%.4f|%.3f", color & 0xFFFFFFu, S, pic.b);
    beneath::still(ctx, key, {x - kBodyLeft * S, y - kBodyTop * S, kBodyW * S, kBodyH * S}, paintRestBody, &pic);
    if (quiet) return;
    for (int i = 0; i < kParticles; ++i) {
        if (const std::optional<Dot> p = particleAt(i, x, y, S, t, grand))
            fxshape::dotBeneath(ctx, p->x, p->y, p->d, p->color, p->alpha);
    }
}

} // namespace ui
