#include "fx/win_fx.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "fx/shapes.h"
#include "ui/beneath.h"
#include "ui/draw.h"

namespace ui {
namespace {

constexpr uint32_t kGold = 0xFFD24A;
constexpr uint32_t kSparkle = 0xFFF6D8;
constexpr uint32_t kConfetti[7] = {0xFF5A5A, 0xFFB13A, 0xFFE24A, 0x7EE787, 0x5AD7FF, 0x9A7BFF, 0xFF7BD5};
constexpr int kConfettiCount = 26;
constexpr int kSparkleCount = 8;
constexpr double kRayAlpha = 0.3;

using fxshape::Frame;
using fxshape::frac;

// Fraction of the current loop of a particle that started at `start`.
double loopPhase(double t, double start, double period) { return std::fmod(t - start, period) / period; }

// Degrees: one turn in eight seconds.
double rayTurn(double t) { return 360 * std::fmod(t, 8.0) / 8.0; }

// The twelve rays never overlap, so one picture of them faded as a whole is
// the same as each faded on its own.
void drawRays(cairo_t* cr, double x, double y, double s, double turn, double alpha) {
    for (int i = 0; i < 12; ++i) {
        Frame f(cr, x, y, 30 * i + turn);
        fillRoundedRect(cr, {-2.5 * s, -102 * s, 5 * s, 72 * s}, 3 * s, kGold, alpha);
    }
}

// One piece of confetti: where its centre is, its turn, its size and colour.
struct Piece {
    double x = 0, y = 0, degrees = 0, z = 0, alpha = 0;
    int kind = 0;  // its colour and size class
};

bool confettiAt(int i, double x, double y, double s, double t, Piece* p) {
    double start = (90 * i % 900) / 1000.0;
    if (t < start) return false;
    double k = 1 - loopPhase(t, start, (1150 + 210 * (i % 5)) / 1000.0);
    double e = 1 - k * k;
    double dir = (frac(fxshape::kGolden * i) - 0.5) * 1.9 - kPi / 2;
    double reach = (150 + 34 * (i % 6)) * s;
    *p = Piece{x + std::cos(dir) * reach * e, y + std::sin(dir) * reach * e + 70 * s * e * e, 540 * e + 40 * i,
               (5 + 2 * (i % 3)) * s, std::sin(kPi * e), i % 21};
    return true;
}

void fillPiece(cairo_t* cr, double z, double s, uint32_t color, double alpha) {
    fillRoundedRect(cr, {-z / 2, -0.75 * z, z, 1.5 * z}, 1.5 * s, color, alpha);
}

uint32_t pieceColor(int kind) { return kConfetti[kind % 7]; }

// A sparkle is a disc of diameter d centred on (cx, cy).
bool sparkleAt(int i, double x, double y, double s, double t, double* cx, double* cy, double* d, double* alpha) {
    double start = (260 * i % 1400) / 1000.0;
    if (t < start) return false;
    double q = loopPhase(t, start, (1500 + 420 * (i % 4)) / 1000.0);
    double a = std::sin(kPi * q);
    double k = 0.6 + 0.7 * a;
    *cx = x + (frac(0.377 * i) - 0.5) * 170 * s;
    *cy = y + 40 * s - 120 * s * q;
    *d = 6 * s * k;
    *alpha = 0.9 * a;
    return true;
}

// --- Textures of the GPU path ---

void paintRayStar(cairo_t* cr, void* user) {
    double x1, y1, x2, y2;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    drawRays(cr, (x1 + x2) / 2, (y1 + y2) / 2, *static_cast<const double*>(user), 0, 1.0);
}

void paintGlow(cairo_t* cr, void* user) {
    const double s = *static_cast<const double*>(user);
    fillCircle(cr, 56 * s, 56 * s, 55 * s, kGold, 0.16);
}

struct PiecePaint {
    double z, s;
    uint32_t color;
};

void paintPiece(cairo_t* cr, void* user) {
    const PiecePaint& p = *static_cast<const PiecePaint*>(user);
    double x1, y1, x2, y2;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    cairo_translate(cr, (x1 + x2) / 2, (y1 + y2) / 2);
    fillPiece(cr, p.z, p.s, p.color, 1.0);
}

} // namespace

void drawWinFx(Ctx& ctx, double x, double y, double t) {
    cairo_t* cr = ctx.cr;
    double s = ctx.uiScale;
    SavedState keep(cr);
    drawRays(cr, x, y, s, rayTurn(t), kRayAlpha);
    fillCircle(cr, x, y, 55 * s, kGold, 0.16);
    Piece p;
    for (int i = 0; i < kConfettiCount; ++i) {
        if (!confettiAt(i, x, y, s, t, &p)) continue;
        Frame f(cr, p.x, p.y, p.degrees);
        fillPiece(cr, p.z, s, pieceColor(p.kind), p.alpha);
    }
    double cx, cy, d, a;
    for (int i = 0; i < kSparkleCount; ++i) {
        if (sparkleAt(i, x, y, s, t, &cx, &cy, &d, &a))
            fillRoundedRect(cr, {cx - d / 2, cy - d / 2, d, d}, d / 2, kSparkle, a);
    }
}

void drawWinFxBeneath(Ctx& ctx, double x, double y, double t) {
    double s = ctx.uiScale;
    const double g = gpuScale();
    if (!(s > 0)) return;
    char key[64];
    // Whole textures turned about their centres: one pixel of clear rim keeps
    // their turned edges soft.
    const int star = 2 * static_cast<int>(std::ceil((102 * s + 2 / g) * g));
    std::snprintf(key, sizeof key, "win.rays|%.4f", s);
    beneath::drawTurned(ctx, beneath::Picture(key, star, star, paintRayStar, &s), x, y, star / g, star / g,
                        rayTurn(t), kRayAlpha);
    std::snprintf(key, sizeof key, "win.glow|%.4f", s);
    beneath::still(ctx, key, {x - 56 * s, y - 56 * s, 112 * s, 112 * s}, paintGlow, &s);
    Piece p;
    for (int i = 0; i < kConfettiCount; ++i) {
        if (!confettiAt(i, x, y, s, t, &p)) continue;
        PiecePaint paint{p.z, s, pieceColor(p.kind)};
        const int w = static_cast<int>(std::ceil(p.z * g)) + 2;
        const int h = static_cast<int>(std::ceil(1.5 * p.z * g)) + 2;
        std::snprintf(key, sizeof key, "win.piece|%06x|%.4f|%.4f", paint.color, p.z, s);
        beneath::drawTurned(ctx, beneath::Picture(key, w, h, paintPiece, &paint), p.x, p.y, w / g, h / g, p.degrees,
                            p.alpha);
    }
    double cx, cy, d, a;
    for (int i = 0; i < kSparkleCount; ++i) {
        if (sparkleAt(i, x, y, s, t, &cx, &cy, &d, &a)) fxshape::dotBeneath(ctx, cx, cy, d, kSparkle, a);
    }
}

} // namespace ui
