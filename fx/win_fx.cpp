#include "fx/win_fx.h"

#include <cmath>
#include <cstdint>

#include "fx/shapes.h"
#include "ui/draw.h"

namespace ui {
namespace {

constexpr uint32_t kGold = 0xFFD24A;
constexpr uint32_t kSparkle = 0xFFF6D8;
constexpr uint32_t kConfetti[7] = {0xFF5A5A, 0xFFB13A, 0xFFE24A, 0x7EE787, 0x5AD7FF, 0x9A7BFF, 0xFF7BD5};

using fxshape::Frame;
using fxshape::frac;

// Fraction of the current loop of a particle that started at `start`.
double loopPhase(double t, double start, double period) { return std::fmod(t - start, period) / period; }

void drawRays(cairo_t* cr, double x, double y, double s, double t) {
    const double turn = 360 * std::fmod(t, 8.0) / 8.0;  // degrees: one turn in eight seconds
    for (int i = 0; i < 12; ++i) {
        Frame f(cr, x, y, 30 * i + turn);
        fillRoundedRect(cr, {-2.5 * s, -102 * s, 5 * s, 72 * s}, 3 * s, kGold, 0.3);
    }
}

void drawConfetti(cairo_t* cr, double x, double y, double s, double t) {
    for (int i = 0; i < 26; ++i) {
        double start = (90 * i % 900) / 1000.0;
        if (t < start) continue;
        double k = 1 - loopPhase(t, start, (1150 + 210 * (i % 5)) / 1000.0);
        double e = 1 - k * k;
        double dir = (frac(fxshape::kGolden * i) - 0.5) * 1.9 - kPi / 2;
        double reach = (150 + 34 * (i % 6)) * s;
        double z = (5 + 2 * (i % 3)) * s;
        Frame f(cr, x + std::cos(dir) * reach * e, y + std::sin(dir) * reach * e + 70 * s * e * e, 540 * e + 40 * i);
        fillRoundedRect(cr, {-z / 2, -0.75 * z, z, 1.5 * z}, 1.5 * s, kConfetti[i % 7], std::sin(kPi * e));
    }
}

void drawSparkles(cairo_t* cr, double x, double y, double s, double t) {
    for (int i = 0; i < 8; ++i) {
        double start = (260 * i % 1400) / 1000.0;
        if (t < start) continue;
        double q = loopPhase(t, start, (1500 + 420 * (i % 4)) / 1000.0);
        double a = std::sin(kPi * q);
        double k = 0.6 + 0.7 * a;
        Rect r{x + (frac(0.377 * i) - 0.5) * 170 * s - 3 * s * k, y + 40 * s - 120 * s * q - 3 * s * k, 6 * s * k,
               6 * s * k};
        fillRoundedRect(cr, r, 3 * s * k, kSparkle, 0.9 * a);
    }
}

} // namespace

void drawWinFx(Ctx& ctx, double x, double y, double t) {
    cairo_t* cr = ctx.cr;
    double s = ctx.uiScale;
    SavedState keep(cr);
    drawRays(cr, x, y, s, t);
    fillCircle(cr, x, y, 55 * s, kGold, 0.16);
    drawConfetti(cr, x, y, s, t);
    drawSparkles(cr, x, y, s, t);
}

} // namespace ui
